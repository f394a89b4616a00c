#pragma once

#include <QIcon>
#include <QPixmap>

// The program's logo, drawn at the size asked for (device pixels included).
QPixmap LogoPixmap(int side, qreal devicePixelRatio = 1.0);
QIcon LogoIcon(int side);
