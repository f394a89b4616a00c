#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// The modem's serial port as the dialer uses it: a port number (1 to 16) is
// chosen first, then the port is opened, written, read and closed. A device
// that fails while open (unplugged, gone) is closed by the port itself and
// reported once through broken(), so nobody keeps polling a dead device.
class SerialPort : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 16;

    using QObject::QObject;

    // The platform's device for port n: "COMn" on Windows; on Linux 1-4 are
    // /dev/ttyS0-3, 5-8 /dev/ttyUSB0-3, 9-12 /dev/ttyACM0-3 and 13-16
    // /dev/rfcomm0-3. Empty for a number outside 1 to 16.
    static QString systemName(int portNumber);
    static bool isPortNumber(int n) { return n >= kFirstPort && n <= kLastPort; }

    // Choosing another number closes the port first.
    void setPortNumber(int n);
    int portNumber() const { return m_portNumber; }

    // Whether the chosen port's device is present (open() may still fail when
    // another program holds it).
    virtual bool exists() const = 0;
    virtual bool isOpen() const = 0;
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool write(const QByteArray& data) = 0;
    // Received characters waiting to be taken.
    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray readAll() = 0;
    // Drops whatever was received and not yet taken.
    virtual void discardInput() = 0;

signals:
    void readyRead();
    // The device failed while open; the port is closed now.
    void broken();

private:
    int m_portNumber = 0;
};

// Maps a port number to a device name; empty means no such device.
using PortNameMap = std::function<QString(int)>;
