#pragma once

#include <QString>

// The product name that window captions, message boxes and documents show.
inline QString ProductName() {
    return QStringLiteral("Tolvar Proposals");
}
