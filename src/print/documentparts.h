#pragma once

#include "print/printpen.h"

#include <QImage>
#include <QStringList>

#include <optional>

// The contractor's data printed on every document.
struct BusinessInfo {
    // The nine business strings: name, address 1, address 2, city, state,
    // postal code, telephone, two free lines.
    QStringList fields = QStringList(9, QString());
    bool usaStyle = true;  // setup's "USA Style Address"
    // The first field of /MyWebSite.txt, when that file exists.
    std::optional<QString> webAddress;

    QString field(int n) const {
        return n >= 1 && n <= fields.size() ? fields.at(n - 1) : QString();
    }
};

// The adjusted logo: the picture and its printed size in twips.
struct LogoInfo {
    QImage picture;
    int width = 1440;
    int height = 1440;
};

// The logo centred across the page with its top at `top` inches; its height
// is capped at 1800 twips. Nothing when there is no picture.
void PrintLogo(PrintPen& pen, const LogoInfo& logo, float top);

// The contractor's name and address block at (x, y) inches, the name at
// `size` points (10 when it is longer than 25 characters).
void PrintBusinessBlock(PrintPen& pen, const BusinessInfo& business, float x, float y, int size);
