#include "print/printpen.h"

#include <QtMath>

namespace {
// Inside a column the text keeps clear of its right edge by this much.
constexpr int WrapMargin = 20;
constexpr float TwipsPerInch = 1440.0f;
}  // namespace

PrintPen::PrintPen(PageDevice& device, PrintStyle style)
    : m_device(device), m_style(std::move(style)) {
    m_font.name = m_style.fontName;
}

void PrintPen::PrinterSetup(const QString& orientation, bool colour) {
    m_device.setColourMode(colour);
    m_device.setLandscape(orientation != QLatin1String("Portrait"));
    selectPrintFont();
    m_ink = Ink::Black;
    SetFont(0, false, false);
}

void PrintPen::SetPos(float x, float y) {
    if (x > 0) {
        m_x = qRound(x * TwipsPerInch);
    }
    if (y > 0) {
        m_y = qRound(y * TwipsPerInch);
    }
}

void PrintPen::SetFont(int size, bool bold, bool underline) {
    if (size > 0) {
        m_font.size = size;
    }
    m_font.bold = bold;
    m_font.underline = underline;
}

void PrintPen::SetPrintColour(bool mode) {
    if (!m_style.colour) {
        m_ink = Ink::Black;
        return;
    }
    m_ink = mode ? Ink::Blue : m_style.borderColour;
}

// The length of the longest leading part of `text` that ends just after a
// blank, or is the whole text, and is at most `limit` wide; 0 when none fits.
// Widths only grow with length, so the scan stops at the first part too wide.
int PrintPen::wrapLength(const QString& text, int limit) const {
    if (textWidth(text) <= limit) {
        return int(text.size());
    }
    int best = 0;
    for (qsizetype i = text.indexOf(QLatin1Char(' ')); i >= 0;
         i = text.indexOf(QLatin1Char(' '), i + 1)) {
        if (textWidth(text.left(i + 1)) > limit) {
            break;
        }
        best = int(i + 1);
    }
    return best;
}

void PrintPen::PrintWrapped(int left, int top, int width, const QString& text) {
    m_y = top;
    QString rest = text;
    do {
        int length = wrapLength(rest, width - WrapMargin);
        if (length == 0) {
            // A word wider than the column goes alone on its line, blank and all.
            const qsizetype blank = rest.indexOf(QLatin1Char(' '));
            length = blank < 0 ? int(rest.size()) : int(blank + 1);
        }
        const QString piece = rest.left(length);
        rest = rest.mid(length);
        if (piece.endsWith(QLatin1Char(' '))) {
            qsizetype skip = 0;
            while (skip < rest.size() && rest.at(skip) == QLatin1Char(' ')) {
                ++skip;
            }
            rest = rest.mid(skip);
        }
        m_x = left;
        printLine(piece);
    } while (!rest.isEmpty());
}

void PrintPen::moveTo(int x, int y) {
    m_x = x;
    m_y = y;
}

void PrintPen::print(const QString& text) {
    if (!text.isEmpty()) {
        m_device.drawText(QPoint(m_x, m_y), text, m_font, m_ink);
    }
    m_x += textWidth(text);
}

void PrintPen::printLine(const QString& text) {
    if (!text.isEmpty()) {
        m_device.drawText(QPoint(m_x, m_y), text, m_font, m_ink);
    }
    m_x = 0;
    m_y += m_device.textHeight(m_font);
}

void PrintPen::printLineAt(int x, const QString& text) {
    m_x = x;
    printLine(text);
}

QString PrintPen::numberItem(qint64 value) {
    const QString digits = QString::number(value);
    return (value < 0 ? digits : QLatin1Char(' ') + digits) + QLatin1Char(' ');
}

void PrintPen::line(int x1, int y1, int x2, int y2) {
    m_device.drawLine(QPoint(x1, y1), QPoint(x2, y2), m_lineWidth, m_ink);
    moveTo(x2, y2);
}

void PrintPen::box(int x1, int y1, int x2, int y2) {
    m_device.drawBox(QPoint(x1, y1), QPoint(x2, y2), m_lineWidth, m_ink);
    moveTo(x2, y2);
}

void PrintPen::picture(const QRect& target, const QImage& image) {
    m_device.drawPicture(target, image);
}

void PrintPen::newPage() {
    m_device.newPage();
    ++m_pageCounter;
    moveTo(0, 0);
}

int PrintPen::textWidth(const QString& text) const {
    return text.isEmpty() ? 0 : m_device.textWidth(text, m_font);
}

int PrintPen::lineHeight() const {
    return m_device.textHeight(m_font);
}

int PrintPen::printableWidth() const {
    return m_device.printableSize().width();
}

int PrintPen::printableHeight() const {
    return m_device.printableSize().height();
}
