#pragma once

#include "print/pagedevice.h"

class QPageLayout;
class QPagedPaintDevice;
class QPainter;

// Prints on any paged paint device (a PDF writer, a printer). Devices should
// be set to 1440 dots per inch, so that device units are twips; one that
// keeps another resolution gets its coordinates converted, never a scaled
// painter, so point sizes still measure right. The painter is begun on the
// first output; a job that continues a document already begun starts on a
// new page.
class PainterPageDevice : public PageDevice {
public:
    struct Options {
        bool endPainter = true;  // false: the owner of the painter ends it
        QString failure;         // what error() says when the painter cannot start
    };

    PainterPageDevice(QPagedPaintDevice& device, QPainter& painter, Options options);

    void setLandscape(bool landscape) override;
    void setColourMode(bool colour) override { m_colour = colour; }
    QSize printableSize() const override;
    QPoint printableOrigin() const override;
    int textWidth(const QString& text, const PrintFont& font) const override;
    int textHeight(const PrintFont& font) const override;
    void drawText(QPoint at, const QString& text, const PrintFont& font, quint32 ink) override;
    void drawLine(QPoint from, QPoint to, int width, quint32 ink) override;
    void drawBox(QPoint corner1, QPoint corner2, int width, quint32 ink) override;
    void drawPicture(const QRect& target, const QImage& picture) override;
    void newPage() override;
    bool end() override;
    QString error() const override { return m_error; }

    bool colourMode() const { return m_colour; }

private:
    // Begins the painter or the pending page; false when output failed.
    bool ready();
    void applyOrientation();
    QPageLayout layout() const;
    void setPen(int width, quint32 ink);

    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    Options m_options;
    bool m_landscape = false;
    bool m_colour = true;
    bool m_pagePending = false;
    bool m_drawnOnPage = false;
    QString m_error;
};

// Letter, portrait, quarter-inch printable-area inset, 1440 dots per inch.
void PrepareLetterDevice(QPagedPaintDevice& device);
