#include "shell/iostatus.h"

#include <QDir>

QString IoStatus::message() const {
    if (m_ok) {
        return {};
    }
    return QStringLiteral("The file %1 could not be used: %2")
        .arg(QDir::toNativeSeparators(m_file), m_reason);
}
