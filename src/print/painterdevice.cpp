#include "print/painterdevice.h"

#include "print/fontmetrics.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {
QRect normalised(QPoint a, QPoint b) {
    return QRect(a, b).normalized();
}

// Device units per twip: 1 when the device was set to 1440 dpi, as every
// device should be; a printer that keeps its own resolution still prints
// at the right places.
double unitsPerTwip(const QPaintDevice& device) {
    return device.logicalDpiY() / 1440.0;
}
}  // namespace

void PrepareLetterDevice(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
}

PainterPageDevice::PainterPageDevice(QPagedPaintDevice& device, QPainter& painter, Options options)
    : m_device(device), m_painter(painter), m_options(std::move(options)) {
    m_landscape = m_device.pageLayout().orientation() == QPageLayout::Landscape;
    // A painter already at work belongs to an earlier job of the same document.
    m_pagePending = m_painter.isActive();
}

void PainterPageDevice::setLandscape(bool landscape) {
    m_landscape = landscape;
    if (!m_drawnOnPage) {
        applyOrientation();
    }
}

void PainterPageDevice::applyOrientation() {
    m_device.setPageOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QPageLayout PainterPageDevice::layout() const {
    QPageLayout layout = m_device.pageLayout();
    layout.setOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return layout;
}

QSize PainterPageDevice::printableSize() const {
    return layout().paintRectPixels(1440).size();
}

QPoint PainterPageDevice::printableOrigin() const {
    return layout().paintRectPixels(1440).topLeft();
}

int PainterPageDevice::textWidth(const QString& text, const PrintFont& font) const {
    const QFontMetricsF metrics(toQFont(font), &m_device);
    return qRound(metrics.horizontalAdvance(text) / unitsPerTwip(m_device));
}

int PainterPageDevice::textHeight(const PrintFont& font) const {
    const QFontMetricsF metrics(toQFont(font), &m_device);
    return qRound(metrics.height() / unitsPerTwip(m_device));
}

bool PainterPageDevice::ready() {
    if (!m_error.isEmpty()) {
        return false;
    }
    if (!m_painter.isActive()) {
        applyOrientation();
        if (!m_painter.begin(&m_device)) {
            m_error = m_options.failure.isEmpty()
                          ? QStringLiteral("The printer could not be started")
                          : m_options.failure;
            return false;
        }
        m_pagePending = false;
    }
    if (m_pagePending) {
        applyOrientation();
        if (!m_device.newPage()) {
            m_error = QStringLiteral("The printer could not start a new page");
            return false;
        }
        m_pagePending = false;
    }
    m_drawnOnPage = true;
    return true;
}

void PainterPageDevice::setPen(int width, quint32 ink) {
    QPen pen(QColor(Ink::toRgb(ink)));
    pen.setWidthF(qMax(1, width) * TwipsPerDot * unitsPerTwip(m_device));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

void PainterPageDevice::drawText(QPoint at, const QString& text, const PrintFont& font,
                                 quint32 ink) {
    if (!ready()) {
        return;
    }
    m_painter.setFont(toQFont(font));
    m_painter.setPen(QColor(Ink::toRgb(ink)));
    const double k = unitsPerTwip(m_device);
    m_painter.drawText(QPointF(at.x() * k, at.y() * k + measureAscent(font, &m_device)), text);
}

void PainterPageDevice::drawLine(QPoint from, QPoint to, int width, quint32 ink) {
    if (!ready()) {
        return;
    }
    setPen(width, ink);
    const double k = unitsPerTwip(m_device);
    m_painter.drawLine(QPointF(from) * k, QPointF(to) * k);
}

void PainterPageDevice::drawBox(QPoint corner1, QPoint corner2, int width, quint32 ink) {
    if (!ready()) {
        return;
    }
    setPen(width, ink);
    const QRect r = normalised(corner1, corner2);
    const double k = unitsPerTwip(m_device);
    m_painter.drawRect(
        QRectF(r.left() * k, r.top() * k, (r.right() - r.left()) * k, (r.bottom() - r.top()) * k));
}

void PainterPageDevice::drawPicture(const QRect& target, const QImage& picture) {
    if (!ready()) {
        return;
    }
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double k = unitsPerTwip(m_device);
    m_painter.drawImage(
        QRectF(target.x() * k, target.y() * k, target.width() * k, target.height() * k), picture);
}

void PainterPageDevice::newPage() {
    if (m_pagePending && !ready()) {
        return;
    }
    if (!m_painter.isActive() && !ready()) {
        return;
    }
    m_pagePending = true;
    m_drawnOnPage = false;
}

bool PainterPageDevice::end() {
    if (m_error.isEmpty() && !m_painter.isActive()) {
        // A job that drew nothing still puts out its one blank page.
        ready();
    }
    if (m_options.endPainter && m_painter.isActive() && !m_painter.end() && m_error.isEmpty()) {
        m_error = QStringLiteral("The print job could not be finished");
    }
    return m_error.isEmpty();
}
