#include "dialer/serialport.h"

QString SerialPort::systemName(int portNumber) {
    if (!isPortNumber(portNumber)) {
        return {};
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    static const char* const families[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM",
                                           "/dev/rfcomm"};
    const int index = portNumber - kFirstPort;
    return QString::fromLatin1(families[index / 4]) + QString::number(index % 4);
#endif
}

void SerialPort::setPortNumber(int n) {
    if (n != m_portNumber && isOpen()) {
        close();
    }
    m_portNumber = n;
}
