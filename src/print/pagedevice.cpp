#include "print/pagedevice.h"

#include <QColor>

QRgb Ink::toRgb(quint32 ink) {
    return qRgb(int(ink & 0xFF), int((ink >> 8) & 0xFF), int((ink >> 16) & 0xFF));
}

QSize PaperEdgeDevice::printableSize() const {
    const QPoint o = m_device.printableOrigin();
    return m_device.printableSize() + QSize(2 * o.x(), 2 * o.y());
}

void PaperEdgeDevice::drawText(QPoint at, const QString& text, const PrintFont& font, quint32 ink) {
    m_device.drawText(inner(at), text, font, ink);
}

void PaperEdgeDevice::drawLine(QPoint from, QPoint to, int width, quint32 ink) {
    m_device.drawLine(inner(from), inner(to), width, ink);
}

void PaperEdgeDevice::drawBox(QPoint corner1, QPoint corner2, int width, quint32 ink) {
    m_device.drawBox(inner(corner1), inner(corner2), width, ink);
}

void PaperEdgeDevice::drawPicture(const QRect& target, const QImage& picture) {
    m_device.drawPicture(target.translated(-m_device.printableOrigin()), picture);
}
