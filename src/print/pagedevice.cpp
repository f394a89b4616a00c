#include "print/pagedevice.h"

#include <QColor>

QRgb Ink::toRgb(quint32 ink) {
    return qRgb(int(ink & 0xFF), int((ink >> 8) & 0xFF), int((ink >> 16) & 0xFF));
}
