#include "shell/iostatus.h"

#include <QDir>

QString IoStatus::message() const {
    if (m_ok) {
        return {};
    }
    // A folder that could not be made is called a folder, with the reason.
    const QString folder = QStringLiteral("the folder could not be created: ");
    if (m_reason.startsWith(folder)) {
        return QStringLiteral("The folder %1 could not be created: %2")
            .arg(QDir::toNativeSeparators(m_file), m_reason.mid(folder.size()));
    }
    return QStringLiteral("The file %1 could not be used: %2")
        .arg(QDir::toNativeSeparators(m_file), m_reason);
}
