#include "dialer/phonefeatures.h"

#include "dialer/serialport.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/fieldline.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <optional>
#include <vector>

namespace PhoneTexts {
QString notDetected() {
    return QStringLiteral("Modem Not Detected Or In Use.");
}
QString modemOnPort(int port) {
    return QStringLiteral("Your Modem Comm Port Is ") + QString::number(port) + QStringLiteral(".");
}
QString portCaption(int port) {
    return QStringLiteral("COM Port # ") + QString::number(port);
}
QString callerIdNote() {
    return QStringLiteral(
        "Modem Supports Caller ID  Check with your Phone Co for support for this feature");
}
}  // namespace PhoneTexts

namespace {
const QString kPhoneFile = QStringLiteral("/Phone.txt");
const QString kCallerIdFile = QStringLiteral("/CallID.txt");

struct Candidate {
    int number = 0;
    std::unique_ptr<SerialPort> port;
};

// Opens every port that can be the modem and sends each the attention
// command, so that all of them answer within one wait.
std::vector<Candidate> askPorts(AppContext& ctx, const SerialPort& own) {
    std::vector<Candidate> asked;
    if (!ctx.serialPortFactory) {
        return asked;
    }
    for (int n = SerialPort::kFirstPort; n <= SerialPort::kLastPort; ++n) {
        if (own.isOpen() && own.portNumber() == n) {
            continue;
        }
        std::unique_ptr<SerialPort> port = ctx.serialPortFactory();
        if (!port) {
            continue;
        }
        port->setPortNumber(n);
        if (!port->exists() || !port->open()) {
            continue;
        }
        port->write(QByteArrayLiteral("AT\r"));
        asked.push_back({n, std::move(port)});
    }
    return asked;
}

// The lowest-numbered port holding an answer of two characters or more. Until
// the wait is over, a lower port that is still silent may yet answer, so no
// decision (nullopt) is made past it.
std::optional<int> firstAnswer(const std::vector<Candidate>& asked, bool waitOver) {
    for (const Candidate& c : asked) {
        if (!c.port->isOpen()) {
            continue;
        }
        if (c.port->bytesAvailable() >= 2) {
            return c.number;
        }
        if (!waitOver) {
            return std::nullopt;
        }
    }
    return 0;
}

int awaitAnswer(const std::vector<Candidate>& asked, int waitMs) {
    if (asked.empty()) {
        return 0;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (const Candidate& c : asked) {
        QObject::connect(c.port.get(), &SerialPort::readyRead, &loop, &QEventLoop::quit);
        QObject::connect(c.port.get(), &SerialPort::broken, &loop, &QEventLoop::quit);
    }
    timer.start(waitMs);
    std::optional<int> found;
    // The wait runs at start-up behind the splash: clicks on it must wait too,
    // or they would open screens that are still being loaded.
    while (!(found = firstAnswer(asked, false)) && timer.isActive()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (found) {
        return *found;
    }
    QCoreApplication::processEvents();
    return firstAnswer(asked, true).value_or(0);
}

// The first field of a small settings file as a Boolean; false when the file
// is missing or does not hold one, and when it cannot be restored or read
// (which the user is told).
bool readFlag(AppContext& ctx, const QString& dataPath) {
    const Existence e = ctx.store().probe(dataPath);
    if (!e.isPresent()) {
        ctx.reportIoError(e.status());
        return false;
    }
    const IoResult<QByteArray> bytes = ctx.store().OpenForInput(dataPath);
    if (!bytes) {
        ctx.reportIoError(bytes.status());
        return false;
    }
    FieldReader reader(*bytes);
    const bool value = reader.boolean();
    return reader.ok() && value;
}
void setDaisyChained(AppContext& ctx, bool on) {
    ctx.vars().PhoneDaisyChained = on;
    ctx.settings().phoneDaisyChained = on;
}
}  // namespace

int FindModem(AppContext& ctx, SerialPort& port, PhoneFeatures* shown, int answerWaitMs) {
    // A caller with nothing to show still gets the probe and the shared state.
    PhoneFeatures ignored;
    if (!shown) {
        shown = &ignored;
    }
    const int found = awaitAnswer(askPorts(ctx, port), answerWaitMs);
    if (found == 0) {
        ctx.vars().ModemPort = 0;
        shown->modemStatus = PhoneTexts::notDetected();
        PhoneFeaturesOff(ctx, shown);
        return 0;
    }
    ctx.vars().ModemPort = found;
    port.setPortNumber(found);
    shown->modemStatus = PhoneTexts::modemOnPort(found);
    shown->portCaption = PhoneTexts::portCaption(found);
    shown->modemPortBox = QString::number(found);
    if (!port.isOpen()) {
        port.open();
    }
    port.discardInput();
    port.write(QByteArrayLiteral("AT#CID=1\r"));
    return found;
}

void LoadPhoneSettings(AppContext& ctx, SerialPort& port, PhoneFeatures* shown) {
    FindModem(ctx, port, shown);
    // The file's second field, a port number, is not used: the port in use
    // is always the one the probe found.
    setDaisyChained(ctx, readFlag(ctx, kPhoneFile));
    LoadCallerID(ctx);
}

void LoadCallerID(AppContext& ctx) {
    // ckCallerID shows the stored choice, and the note follows the box.
    const bool on = readFlag(ctx, kCallerIdFile);
    ctx.vars().CallerIDOn = on;
    ctx.settings().callerIdOn = on;
}

void PhoneFeaturesOff(AppContext& ctx, PhoneFeatures* shown) {
    if (shown) {
        shown->phoneImageVisible = false;
        shown->phonePageEnabled = false;
    }
    setDaisyChained(ctx, false);
    // Unticking ckCallerID hides the note.
    ctx.vars().CallerIDOn = false;
    ctx.settings().callerIdOn = false;
}
