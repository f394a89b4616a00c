#include "dialer/systemserialport.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

SystemSerialPort::SystemSerialPort(PortNameMap names, QObject* parent)
    : SerialPort(parent), m_names(std::move(names)) {
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    // Queued: the port is closed after QSerialPort has finished with the
    // failed read, not from inside it.
    connect(&m_port, &QSerialPort::errorOccurred, this, &SystemSerialPort::onError,
            Qt::QueuedConnection);
}

SystemSerialPort::~SystemSerialPort() {
    m_port.close();
}

bool SystemSerialPort::exists() const {
    const QString name = deviceName();
    if (name.isEmpty()) {
        return false;
    }
#ifdef Q_OS_WIN
    const auto ports = QSerialPortInfo::availablePorts();
    return std::any_of(ports.begin(), ports.end(),
                       [&](const QSerialPortInfo& p) { return p.portName() == name; });
#else
    return QFileInfo::exists(name);
#endif
}

bool SystemSerialPort::open() {
    if (m_port.isOpen()) {
        return true;
    }
    if (!exists()) {
        return false;
    }
    m_port.setPortName(deviceName());
    return m_port.open(QIODevice::ReadWrite);
}

void SystemSerialPort::close() {
    if (m_port.isOpen()) {
        m_port.close();
    }
    m_port.clearError();
}

bool SystemSerialPort::write(const QByteArray& data) {
    if (!m_port.isOpen() || m_port.write(data) != data.size()) {
        return false;
    }
    // Hand the bytes to the driver now, so that a close right after a
    // command (the hang-up) does not drop them.
    m_port.flush();
    return true;
}

qint64 SystemSerialPort::bytesAvailable() const {
    return m_port.isOpen() ? m_port.bytesAvailable() : 0;
}

QByteArray SystemSerialPort::readAll() {
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void SystemSerialPort::discardInput() {
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::Input);
        m_port.readAll();
    }
}

void SystemSerialPort::onError(QSerialPort::SerialPortError error) {
    // A failed read keeps firing for as long as the port stays open: the
    // device is gone, so give it up.
    const bool fatal = error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
                       error == QSerialPort::ResourceError;
    if (!fatal || !m_port.isOpen()) {
        return;
    }
    m_port.close();
    m_port.clearError();
    emit broken();
}
