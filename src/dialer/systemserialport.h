#pragma once

#include "dialer/serialport.h"

#include <QSerialPort>

// The serial port of the machine, through QSerialPort. Speed, parity, data and
// stop bits stay at QSerialPort's defaults (9600 8N1, no flow control), which
// every Hayes modem accepts for commands.
class SystemSerialPort : public SerialPort {
    Q_OBJECT
public:
    // `names` lets a caller map port numbers to other devices (a test's
    // pseudo-terminals); by default the platform's own map is used.
    explicit SystemSerialPort(PortNameMap names = &SerialPort::systemName,
                              QObject* parent = nullptr);
    ~SystemSerialPort() override;

    QString deviceName() const { return m_names ? m_names(portNumber()) : QString(); }

    bool exists() const override;
    bool isOpen() const override { return m_port.isOpen(); }
    bool open() override;
    void close() override;
    bool write(const QByteArray& data) override;
    qint64 bytesAvailable() const override;
    QByteArray readAll() override;
    void discardInput() override;

private:
    void onError(QSerialPort::SerialPortError error);

    PortNameMap m_names;
    QSerialPort m_port;
};
