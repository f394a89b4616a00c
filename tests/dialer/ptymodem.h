#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QSocketNotifier;

// A fake Hayes modem on the master side of a pseudo-terminal; the code under
// test opens the slave side as a real serial port. Each command line the port
// sends (ended by CR) is handed to the responder, whose pieces are written
// back one after another, 60 ms apart, so a reply can arrive in parts.
class PtyModem : public QObject {
    Q_OBJECT
public:
    using Responder = std::function<QList<QByteArray>(const QByteArray& command)>;

    PtyModem();
    ~PtyModem() override;

    bool isValid() const { return m_master >= 0; }
    const QString& devicePath() const { return m_path; }

    void setResponder(Responder responder);
    // Answers "AT" with its echo and OK, as a modem does out of the box.
    void answerAttention();
    // Answers a dial command ("ATDT...") with `pieces`, and nothing else.
    void answerDial(const QList<QByteArray>& pieces);

    // Everything the port has sent so far.
    const QByteArray& received() const { return m_received; }
    QList<QByteArray> commands() const;
    // Lets events run until the port has sent `command`, or `ms` pass.
    bool waitForCommand(const QByteArray& command, int ms = 2000);

    // The device goes away, as an unplugged USB modem does.
    void vanish();

private:
    void onReadable();

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_received;
    QByteArray m_line;
    Responder m_responder;
};

#include "dialer/systemserialport.h"
#include "tempapp.h"

#include <map>
#include <memory>

// An application folder whose serial ports 1 to 16 are the fake modems added
// to it; every other port number has no device.
struct PtyRig {
    PtyRig();
    PtyModem& add(int portNumber);
    std::unique_ptr<SystemSerialPort> makePort() const;

    TempApp app;
    std::map<int, std::unique_ptr<PtyModem>> modems;
};
