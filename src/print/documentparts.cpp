#include "print/documentparts.h"

namespace {
constexpr int LogoHeightCap = 1800;
// Company names longer than this are printed smaller so that they fit the block.
constexpr int LongNameLength = 25;

QString usaCityLine(const BusinessInfo& business) {
    QString text;
    if (!business.field(4).isEmpty()) {
        text = business.field(4) + QStringLiteral(", ");
    }
    if (!business.field(5).isEmpty()) {
        text += business.field(5) + QStringLiteral(". ") + business.field(6);
    }
    return text;
}

void printIfAny(PrintPen& pen, int x, const QString& text) {
    if (!text.isEmpty()) {
        pen.printLineAt(x, text);
    }
}
}  // namespace

void PrintLogo(PrintPen& pen, const LogoInfo& logo, float top) {
    pen.setY(qRound(top * 1440.0f));
    if (logo.picture.isNull()) {
        return;
    }
    const int height = logo.height > LogoHeightCap - 1 ? LogoHeightCap : logo.height;
    const int x = (pen.printableWidth() - logo.width) / 2;
    pen.picture(QRect(x, pen.y(), logo.width, height), logo.picture);
}

void PrintBusinessBlock(PrintPen& pen, const BusinessInfo& business, float x, float y, int size) {
    pen.SetPos(x, y);
    const int left = pen.x();
    pen.SetFont(size, true, false);
    if (business.field(1).size() > LongNameLength) {
        pen.SetFont(10, true, false);
    }
    pen.printLineAt(left, business.field(1));
    pen.SetFont(10, false, false);
    pen.printLineAt(left, business.field(2));
    printIfAny(pen, left, business.field(3));
    if (business.usaStyle) {
        printIfAny(pen, left, usaCityLine(business));
    } else {
        printIfAny(pen, left, business.field(4));
        printIfAny(pen, left, business.field(5));
    }
    if (!business.field(7).isEmpty()) {
        pen.printLineAt(left, QStringLiteral("Telephone: ") + business.field(7));
    }
    printIfAny(pen, left, business.field(8));
    printIfAny(pen, left, business.field(9));
    if (business.webAddress) {
        pen.printLineAt(left, *business.webAddress);
    }
}
