#pragma once

#include "print/pagedevice.h"

#include <QFont>

class QPaintDevice;

// Fonts as they are printed: the family as named (the system substitutes a
// metric-compatible face), point sizes, outlines without hinting so that
// widths do not depend on the device's resolution.
QFont toQFont(const PrintFont& font);

// Measures on `device`, or at 1440 dots per inch when it is null, so that one
// device unit is one twip.
int measureTextWidth(const QString& text, const PrintFont& font, QPaintDevice* device = nullptr);
int measureTextHeight(const PrintFont& font, QPaintDevice* device = nullptr);
double measureAscent(const PrintFont& font, QPaintDevice* device = nullptr);
