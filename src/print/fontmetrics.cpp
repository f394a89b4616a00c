#include "print/fontmetrics.h"

#include <QFontMetricsF>
#include <QImage>

namespace {
// A paint device whose unit is the twip.
QPaintDevice* twipDevice() {
    static QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(1440 / 0.0254);
        i.setDotsPerMeterX(dotsPerMeter);
        i.setDotsPerMeterY(dotsPerMeter);
        return i;
    }();
    return &image;
}

QFontMetricsF metricsFor(const PrintFont& font, QPaintDevice* device) {
    return QFontMetricsF(toQFont(font), device ? device : twipDevice());
}
}  // namespace

QFont toQFont(const PrintFont& font) {
    QFont f(font.name);
    f.setPointSize(font.size > 0 ? font.size : 1);
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::ForceOutline);
    return f;
}

int measureTextWidth(const QString& text, const PrintFont& font, QPaintDevice* device) {
    return qRound(metricsFor(font, device).horizontalAdvance(text));
}

int measureTextHeight(const PrintFont& font, QPaintDevice* device) {
    return qRound(metricsFor(font, device).height());
}

double measureAscent(const PrintFont& font, QPaintDevice* device) {
    return metricsFor(font, device).ascent();
}
