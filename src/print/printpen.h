#pragma once

#include "print/pagedevice.h"

#include <QString>

// What every document takes from the print settings.
struct PrintStyle {
    QString fontName = QStringLiteral("Arial");  // the print font
    bool colour = true;                          // highlight colours on
    quint32 borderColour = Ink::Black;           // borders and frames
};

// The pen of the printer routines: a position, a font and an ink over one
// page device. A text printed "on the same line" leaves the pen after it; one
// printed "as a line" sends x back to 0 and y down one line of the font.
class PrintPen {
public:
    PrintPen(PageDevice& device, PrintStyle style);

    // Starts a job: colour or monochrome, portrait only for "Portrait", the
    // print font, black ink, regular at the current size.
    void PrinterSetup(const QString& orientation, bool colour);
    // Inches; a coordinate of 0 or less stays where it is.
    void SetPos(float x, float y);
    // A size of 0 or less keeps the current size.
    void SetFont(int size, bool bold, bool underline);
    // A left-aligned paragraph wrapped at blanks inside width - 20 twips.
    void PrintWrapped(int left, int top, int width, const QString& text);
    // true: highlight (blue when colour is on); false: borders (the border colour).
    void SetPrintColour(bool mode);

    int x() const { return m_x; }
    int y() const { return m_y; }
    void setX(int x) { m_x = x; }
    void setY(int y) { m_y = y; }
    void moveTo(int x, int y);

    const PrintFont& font() const { return m_font; }
    void setFontName(const QString& name) { m_font.name = name; }
    void selectPrintFont() { m_font.name = m_style.fontName; }
    quint32 ink() const { return m_ink; }
    void setInk(quint32 ink) { m_ink = ink; }
    int lineWidth() const { return m_lineWidth; }
    void setLineWidth(int dots) { m_lineWidth = dots; }
    const PrintStyle& style() const { return m_style; }

    // Text at the pen, the pen left after it.
    void print(const QString& text);
    // Text at the pen, then the line ends.
    void printLine(const QString& text = QString());
    // Sets x, keeps y, prints the text as a line.
    void printLineAt(int x, const QString& text);
    // A whole number as the pen writes it: sign position blank, digits, blank.
    static QString numberItem(qint64 value);

    // Drawing moves the pen to the end point.
    void line(int x1, int y1, int x2, int y2);
    void box(int x1, int y1, int x2, int y2);
    void picture(const QRect& target, const QImage& image);
    void newPage();
    // Pages of this job so far, 1 on the first.
    int pageCounter() const { return m_pageCounter; }

    int textWidth(const QString& text) const;
    // Height of one line of the current font (measured on "ABC").
    int lineHeight() const;
    int printableWidth() const;
    int printableHeight() const;

    PageDevice& device() { return m_device; }

private:
    int wrapLength(const QString& text, int limit) const;

    PageDevice& m_device;
    PrintStyle m_style;
    PrintFont m_font;
    quint32 m_ink = Ink::Black;
    int m_lineWidth = 1;
    int m_x = 0;
    int m_y = 0;
    int m_pageCounter = 1;
};
