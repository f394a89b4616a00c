#include "ui/logo.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap LogoPixmap(int side, qreal devicePixelRatio) {
    const int px = qMax(1, qRound(side * devicePixelRatio));
    QPixmap pixmap(px, px);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/pictures/tolvar-logo.svg"));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon LogoIcon(int side) {
    QIcon icon;
    icon.addPixmap(LogoPixmap(side, 1.0));
    icon.addPixmap(LogoPixmap(side, 2.0));
    return icon;
}
