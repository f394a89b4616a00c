#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

// A font as the printed documents name it: the family as written ("Arial",
// "Courier New"), the size in points, bold and underline.
struct PrintFont {
    QString name = QStringLiteral("Arial");
    int size = 10;
    bool bold = false;
    bool underline = false;

    bool operator==(const PrintFont&) const = default;
};

// Inks are 32-bit colours red + 256 x green + 65536 x blue, as the settings
// files keep them.
namespace Ink {
constexpr quint32 Black = 0;
constexpr quint32 Blue = 16711680;
constexpr quint32 DarkBlue = 8388608;
constexpr quint32 Red = 255;
// 0xAARRGGBB for Qt.
QRgb toRgb(quint32 ink);
}  // namespace Ink

// One print job drawn page by page. Every coordinate is in twips from the
// top-left corner of the printable area; a text's y is the top of its line.
// A new page is only output once something is drawn on it, so the page a
// document starts after its last page never appears.
class PageDevice {
public:
    virtual ~PageDevice() = default;

    // Applies to the page being drawn when nothing is on it yet, else to the next.
    virtual void setLandscape(bool landscape) = 0;
    virtual void setColourMode(bool colour) = 0;

    virtual QSize printableSize() const = 0;
    // Where the printable area begins, in twips from the paper's top-left edge.
    virtual QPoint printableOrigin() const = 0;
    // Whole twips, from the metrics of the font as it will be printed.
    virtual int textWidth(const QString& text, const PrintFont& font) const = 0;
    virtual int textHeight(const PrintFont& font) const = 0;

    virtual void drawText(QPoint at, const QString& text, const PrintFont& font, quint32 ink) = 0;
    // Line widths are printer dots (1/600 inch).
    virtual void drawLine(QPoint from, QPoint to, int width, quint32 ink) = 0;
    virtual void drawBox(QPoint corner1, QPoint corner2, int width, quint32 ink) = 0;
    virtual void drawPicture(const QRect& target, const QImage& picture) = 0;
    virtual void newPage() = 0;

    // Ends the job; false when any part of it could not be output.
    virtual bool end() = 0;
    virtual QString error() const = 0;
};

// The page of `device` measured from the paper's top-left edge instead of the
// printable area's corner; its printable size is the whole sheet, assuming
// the printer's margins are the same on both sides. For layouts whose
// positions were settled on the sheet itself.
class PaperEdgeDevice : public PageDevice {
public:
    explicit PaperEdgeDevice(PageDevice& device) : m_device(device) {}

    void setLandscape(bool landscape) override { m_device.setLandscape(landscape); }
    void setColourMode(bool colour) override { m_device.setColourMode(colour); }
    QSize printableSize() const override;
    QPoint printableOrigin() const override { return {}; }
    int textWidth(const QString& text, const PrintFont& font) const override {
        return m_device.textWidth(text, font);
    }
    int textHeight(const PrintFont& font) const override { return m_device.textHeight(font); }
    void drawText(QPoint at, const QString& text, const PrintFont& font, quint32 ink) override;
    void drawLine(QPoint from, QPoint to, int width, quint32 ink) override;
    void drawBox(QPoint corner1, QPoint corner2, int width, quint32 ink) override;
    void drawPicture(const QRect& target, const QImage& picture) override;
    void newPage() override { m_device.newPage(); }
    bool end() override { return m_device.end(); }
    QString error() const override { return m_device.error(); }

private:
    QPoint inner(QPoint p) const { return p - m_device.printableOrigin(); }

    PageDevice& m_device;
};

// Twips of one printer dot.
constexpr double TwipsPerDot = 1440.0 / 600.0;
