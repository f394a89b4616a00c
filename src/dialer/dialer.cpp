#include "dialer/dialer.h"

#include "dialer/phonefeatures.h"
#include "dialer/serialport.h"
#include "shell/appcontext.h"
#include "shell/textcodec.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <optional>

namespace DialerTexts {
QString ready() {
    return QStringLiteral("Ready to Dial......");
}
QString dialing(const QString& number) {
    return QStringLiteral("Dialing..... ") + number;
}
QString pickUp() {
    return QStringLiteral("Pickup Receiver - Then Click Hangup");
}
QString noReply() {
    return QStringLiteral("The Modem did not Reply - Check it and Dial Again");
}
QString modemLost() {
    return QStringLiteral("The Modem was Disconnected - Check it and Dial Again");
}
QString deleteQuestion(const QString& caption) {
    return QStringLiteral("This will delete SpeedDial entry  ") + caption +
           QStringLiteral("\r\nAre you Sure");
}
QString deleteTitle() {
    return QStringLiteral("Delete Speed Dial");
}
}  // namespace DialerTexts

namespace {
const QString kPrefix = QStringLiteral("1-");
}

Dialer::Dialer(AppContext& ctx, SerialPort& port, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_port(port), m_status(DialerTexts::ready()) {
    connect(&m_port, &SerialPort::broken, this, &Dialer::onPortBroken);
}

Dialer::~Dialer() {
    stopWaiting();
}

void Dialer::setRecipient(const QString& name, const QString& number) {
    m_name = name;
    m_number = number;
    m_showingSpeedDial = false;
    emit changed();
}

QString Dialer::speedCaption(int slot) const {
    return SpeedDialTable::isSlot(slot) ? m_table.at(slot).name : QString();
}

void Dialer::readyState() {
    m_deleteEnabled = false;
    m_dialShown = true;
    m_talkShown = false;
    m_status = DialerTexts::ready();
    m_cancel = false;
}

void Dialer::activate(const QString& portBox) {
    // The window is activated again when the user comes back to it during
    // the wait; the call in progress keeps its state.
    if (isDialing()) {
        return;
    }
    readyState();
    if (!m_port.isOpen()) {
        bool ok = false;
        const int n = portBox.trimmed().toInt(&ok);
        if (ok && SerialPort::isPortNumber(n)) {
            m_port.setPortNumber(n);
            m_port.open();
        }
    }
    report(m_table.LoadSpeedNumbers(m_ctx.store()));
    emit changed();
}

void Dialer::setPrefix(bool ticked) {
    if (ticked) {
        m_number.prepend(kPrefix);
    } else if (m_number.startsWith(kPrefix)) {
        m_number.remove(0, kPrefix.size());
    }
    emit changed();
}

bool Dialer::ensureOpen() {
    if (m_port.isOpen()) {
        return true;
    }
    return SerialPort::isPortNumber(m_port.portNumber()) && m_port.open();
}

void Dialer::dial() {
    if (isDialing()) {
        return;
    }
    m_dialShown = false;
    m_status = DialerTexts::dialing(m_number);
    emit changed();
    if (!ensureOpen()) {
        m_dialShown = true;
        m_status = PhoneTexts::notDetected();
        emit changed();
        return;
    }
    m_port.discardInput();
    m_lastReply.clear();
    m_cancel = false;
    m_port.write(QByteArrayLiteral("ATDT") + Text::encode(m_number) + QByteArrayLiteral(";\r"));
    const Outcome outcome = awaitOk();
    if (outcome != Outcome::Gone) {
        finishDial(outcome);
    }
}

// Lets events run until the modem's reply holds "OK".
Dialer::Outcome Dialer::awaitOk() {
    QPointer<Dialer> alive(this);
    QPointer<SerialPort> port(&m_port);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&m_port, &SerialPort::readyRead, &loop, &QEventLoop::quit);
    connect(&m_port, &SerialPort::broken, &loop, &QEventLoop::quit);
    connect(&m_port, &QObject::destroyed, &loop, &QEventLoop::quit);
    m_wait = &loop;
    timer.start(m_replyTimeoutMs);
    std::optional<Outcome> outcome;
    while (!(outcome = judgeReply(timer.isActive()))) {
        loop.exec();
        // The screen may have been closed while the events ran.
        if (!alive) {
            return Outcome::Gone;
        }
        if (!port) {
            m_wait = nullptr;
            return Outcome::Gone;
        }
    }
    m_wait = nullptr;
    return *outcome;
}

// The reply is judged on everything the modem has sent since the dial
// command: over a real line "OK" often arrives split across two reads, and
// judging each read alone would leave a good call waiting for the time-out.
// A read is taken only once two characters are waiting.
std::optional<Dialer::Outcome> Dialer::judgeReply(bool timeLeft) {
    if (m_cancel) {
        return Outcome::Cancelled;
    }
    if (!m_port.isOpen()) {
        return Outcome::Lost;
    }
    if (m_port.bytesAvailable() >= 2) {
        m_lastReply += Text::decode(m_port.readAll());
        if (m_lastReply.contains(QLatin1String("OK"))) {
            return Outcome::Ok;
        }
    }
    if (!timeLeft) {
        return Outcome::NoReply;
    }
    return std::nullopt;
}

void Dialer::finishDial(Outcome outcome) {
    switch (outcome) {
        case Outcome::Gone:
            return;
        case Outcome::Ok:
            m_status = DialerTexts::pickUp();
            m_talkShown = true;
            emit changed();
            emit focusRequested(Focus::TalkButton);
            return;
        case Outcome::Cancelled:
            talk();
            return;
        case Outcome::NoReply:
            // Any character stops a modem that is still dialing; ATH also
            // puts it back on hook.
            m_port.write(QByteArrayLiteral("ATH\r"));
            m_status = DialerTexts::noReply();
            break;
        case Outcome::Lost:
            m_status = DialerTexts::modemLost();
            break;
    }
    m_dialShown = true;
    m_talkShown = false;
    emit changed();
}

void Dialer::stopWaiting() {
    if (m_wait) {
        m_cancel = true;
        m_wait->quit();
    }
}

void Dialer::talk() {
    if (isDialing()) {
        stopWaiting();
        return;
    }
    readyState();
    hangUpNow();
}

void Dialer::hangUp() {
    if (isDialing()) {
        stopWaiting();
        return;
    }
    hangUpNow();
}

void Dialer::hangUpNow() {
    m_port.write(QByteArrayLiteral("ATH\r"));
    m_port.close();
    emit changed();
    emit finished();
}

void Dialer::onPortBroken() {
    if (isDialing()) {
        return;
    }
    m_dialShown = true;
    m_talkShown = false;
    m_status = DialerTexts::modemLost();
    emit changed();
}

void Dialer::report(const IoStatus& status) {
    if (!status) {
        m_ctx.reportIoError(status);
    }
}

void Dialer::selectSpeedDial(int slot) {
    if (!SpeedDialTable::isSlot(slot)) {
        return;
    }
    m_selected = slot;
    if (!m_showingSpeedDial) {
        m_original = {m_name, m_number};
    }
    m_deleteEnabled = false;
    if (m_table.isFree(slot)) {
        m_frameShown = true;
        emit changed();
        emit focusRequested(Focus::NameBox);
        return;
    }
    m_name = m_table.at(slot).name;
    m_number = m_table.at(slot).number;
    m_showingSpeedDial = true;
    m_deleteEnabled = true;
    emit changed();
}

void Dialer::saveSpeedDial() {
    const SpeedDialEntry before = m_table.at(m_selected);
    m_table.at(m_selected) = {m_nameBox, m_numberBox};
    const IoStatus status = m_table.SaveSpeedNumbers(m_ctx.store());
    if (!status) {
        // Nothing was stored: the slot and the typed entry stay as they were.
        m_table.at(m_selected) = before;
        report(status);
        emit changed();
        return;
    }
    cancelSpeedDial();
}

void Dialer::cancelSpeedDial() {
    m_nameBox.clear();
    m_numberBox.clear();
    m_frameShown = false;
    emit changed();
}

void Dialer::deleteSpeedDial() {
    if (m_table.isFree(m_selected)) {
        m_deleteEnabled = false;
        emit changed();
        return;
    }
    const Answer answer =
        m_ctx.prompter().message(DialerTexts::deleteQuestion(m_table.at(m_selected).name),
                                 DialerTexts::deleteTitle(), Buttons::YesNo, Icon::Question);
    // Either way the button waits for the next choice of a slot: after a
    // delete the slot holds the entry that moved up into it.
    m_deleteEnabled = false;
    if (answer != Answer::Yes) {
        emit changed();
        return;
    }
    const SpeedDialEntry before = m_table.at(m_selected);
    m_table.at(m_selected) = {};
    const IoStatus status = m_table.SaveSpeedNumbers(m_ctx.store());
    if (!status) {
        m_table.at(m_selected) = before;
        report(status);
    } else {
        report(m_table.LoadSpeedNumbers(m_ctx.store()));
    }
    emit changed();
}

void Dialer::restoreRecipient() {
    if (!m_showingSpeedDial) {
        return;
    }
    m_name = m_original.name;
    m_number = m_original.number;
    m_showingSpeedDial = false;
    emit changed();
}

void Dialer::loadCurrentRecipient() {
    m_nameBox = m_name;
    m_numberBox = m_number;
    saveSpeedDial();
}
