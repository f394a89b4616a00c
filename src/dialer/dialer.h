#pragma once

#include "dialer/speeddialtable.h"

#include <QObject>
#include <QString>

#include <optional>

class AppContext;
class QEventLoop;
class SerialPort;

namespace DialerTexts {
QString ready();
QString dialing(const QString& number);
QString pickUp();
QString noReply();
QString modemLost();
QString deleteQuestion(const QString& caption);
QString deleteTitle();
}  // namespace DialerTexts

// The dialer screen's logic: the call recipient, the call itself through the
// modem and the speed-dial list. The screen shows the values kept here and
// calls one routine per control; changed() tells it to refresh.
//
// The serial port belongs to the screen and must outlive this object.
class Dialer : public QObject {
    Q_OBJECT
public:
    enum class Focus { TalkButton, NameBox };

    // The modem answers "OK" once it has dialed; a modem that says nothing
    // gives up the wait after this long.
    static constexpr int kDefaultReplyTimeoutMs = 30000;

    Dialer(AppContext& ctx, SerialPort& port, QObject* parent = nullptr);
    ~Dialer() override;

    // lblName and lblNumber; the customer screen fills them in.
    const QString& name() const { return m_name; }
    const QString& number() const { return m_number; }
    void setRecipient(const QString& name, const QString& number);

    const QString& status() const { return m_status; }      // lblStatus
    bool dialShown() const { return m_dialShown; }          // cmdNewDial
    bool talkShown() const { return m_talkShown; }          // cmdCancel
    bool deleteEnabled() const { return m_deleteEnabled; }  // cmdSpeedDialer(2)
    bool speedFrameShown() const { return m_frameShown; }   // fraSpeedDial
    bool isDialing() const { return m_wait != nullptr; }
    // All the modem sent since the last dial command.
    const QString& lastReply() const { return m_lastReply; }

    // txtDialer(0) and txtDialer(1).
    const QString& nameBox() const { return m_nameBox; }
    const QString& numberBox() const { return m_numberBox; }
    void setNameBox(const QString& text) { m_nameBox = text; }
    void setNumberBox(const QString& text) { m_numberBox = text; }

    const SpeedDialTable& speedDial() const { return m_table; }
    // The caption of cmdDialer(slot).
    QString speedCaption(int slot) const;
    int selectedSlot() const { return m_selected; }

    void setReplyTimeout(int ms) { m_replyTimeoutMs = ms; }

    // The screen becomes active: ready to dial, the port reopened from the
    // setup screen's port box (`portBox`, nothing opened when it holds no
    // port number), the speed-dial list read again.
    void activate(const QString& portBox);
    // ckDial1.
    void setPrefix(bool ticked);
    // cmdNewDial: returns once the modem has dialed, the user cancelled, the
    // modem fell silent past the time-out or went away.
    void dial();
    // cmdCancel.
    void talk();
    // cmdHangup; while dialing it cancels the call.
    void hangUp();

    // cmdDialer(slot).
    void selectSpeedDial(int slot);
    // cmdSpeedDialer(0) to (4).
    void saveSpeedDial();
    void cancelSpeedDial();
    void deleteSpeedDial();
    void restoreRecipient();
    void loadCurrentRecipient();

signals:
    void changed();
    void focusRequested(Dialer::Focus focus);
    // The call is over and the port closed: the screen unloads.
    void finished();

private:
    enum class [[nodiscard]] Outcome{Ok, Cancelled, NoReply, Lost, Gone};

    void readyState();
    bool ensureOpen();
    Outcome awaitOk();
    std::optional<Outcome> judgeReply(bool timeLeft);
    void finishDial(Outcome outcome);
    void stopWaiting();
    void hangUpNow();
    void onPortBroken();
    void report(const IoStatus& status);

    AppContext& m_ctx;
    SerialPort& m_port;
    SpeedDialTable m_table;

    QString m_name;
    QString m_number;
    QString m_status;
    QString m_lastReply;
    QString m_nameBox;
    QString m_numberBox;
    bool m_dialShown = true;
    bool m_talkShown = false;
    bool m_deleteEnabled = false;
    bool m_frameShown = false;
    bool m_cancel = false;

    int m_selected = 0;
    SpeedDialEntry m_original;
    // The shown recipient came from a speed-dial slot, so the original one is
    // already remembered.
    bool m_showingSpeedDial = false;

    int m_replyTimeoutMs = kDefaultReplyTimeoutMs;
    QEventLoop* m_wait = nullptr;
};
