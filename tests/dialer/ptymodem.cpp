#include "ptymodem.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyModem::PtyModem() {
    char name[128] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    // Raw on the slave side from the start, so nothing is echoed back while
    // no port has it open.
    termios tio{};
    tcgetattr(m_slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_slave, TCSANOW, &tio);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_path = QString::fromLocal8Bit(name);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyModem::onReadable);
}

PtyModem::~PtyModem() {
    vanish();
}

void PtyModem::setResponder(Responder responder) {
    m_responder = std::move(responder);
}

void PtyModem::answerAttention() {
    setResponder([](const QByteArray& command) {
        return command == "AT" ? QList<QByteArray>{"AT\r\r\nOK\r\n"} : QList<QByteArray>{};
    });
}

void PtyModem::answerDial(const QList<QByteArray>& pieces) {
    setResponder([pieces](const QByteArray& c) {
        return c.startsWith("ATDT") ? pieces : QList<QByteArray>{};
    });
}

QList<QByteArray> PtyModem::commands() const {
    QList<QByteArray> lines = m_received.split('\r');
    lines.removeLast();
    return lines;
}

bool PtyModem::waitForCommand(const QByteArray& command, int ms) {
    QDeadlineTimer deadline(ms);
    while (!commands().contains(command) && !deadline.hasExpired()) {
        QTest::qWait(10);
    }
    return commands().contains(command);
}

void PtyModem::vanish() {
    delete m_notifier;
    m_notifier = nullptr;
    for (int* fd : {&m_master, &m_slave}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

void PtyModem::onReadable() {
    char buffer[256];
    ssize_t n = 0;
    while ((n = ::read(m_master, buffer, sizeof buffer)) > 0) {
        m_received.append(buffer, n);
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] != '\r') {
                m_line.append(buffer[i]);
                continue;
            }
            const QList<QByteArray> pieces =
                m_responder ? m_responder(m_line) : QList<QByteArray>{};
            for (qsizetype p = 0; p < pieces.size(); ++p) {
                QTimer::singleShot(static_cast<int>(p) * 60, this, [this, piece = pieces[p]] {
                    if (m_master >= 0) {
                        [[maybe_unused]] const ssize_t w =
                            ::write(m_master, piece.data(), piece.size());
                    }
                });
            }
            m_line.clear();
        }
    }
}

PtyRig::PtyRig() {
    app.ctx->serialPortFactory = [this]() -> std::unique_ptr<SerialPort> { return makePort(); };
}

PtyModem& PtyRig::add(int portNumber) {
    auto& slot = modems[portNumber];
    slot = std::make_unique<PtyModem>();
    return *slot;
}

std::unique_ptr<SystemSerialPort> PtyRig::makePort() const {
    return std::make_unique<SystemSerialPort>([this](int n) {
        const auto it = modems.find(n);
        return it == modems.end() ? QString() : it->second->devicePath();
    });
}
