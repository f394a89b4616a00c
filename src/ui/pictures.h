#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own pictures, drawn from the SVG files of resources/ at the
// size asked for, so they stay crisp on any screen. `name` is the file name
// without ".svg" ("telephone", "printer", ...).
QPixmap PicturePixmap(const QString& name, QSize size, qreal devicePixelRatio = 1.0);
// Normal and double-density pixmaps of the picture.
QIcon PictureIcon(const QString& name, QSize size);
