#include "ui/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap PicturePixmap(const QString& name, QSize size, qreal devicePixelRatio) {
    const QSize px = (QSizeF(size) * devicePixelRatio).toSize().expandedTo(QSize(1, 1));
    QPixmap pixmap(px);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/pictures/") + name + QStringLiteral(".svg"));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon PictureIcon(const QString& name, QSize size) {
    QIcon icon;
    icon.addPixmap(PicturePixmap(name, size, 1.0));
    icon.addPixmap(PicturePixmap(name, size, 2.0));
    return icon;
}
