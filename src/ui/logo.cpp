#include "ui/logo.h"

#include "ui/pictures.h"

namespace {
const QString kLogo = QStringLiteral("tolvar-logo");
}

QPixmap LogoPixmap(int side, qreal devicePixelRatio) {
    return PicturePixmap(kLogo, QSize(side, side), devicePixelRatio);
}

QIcon LogoIcon(int side) {
    return PictureIcon(kLogo, QSize(side, side));
}
