#include "shell/appfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

AppFolder::AppFolder(QString root) : m_root(QDir::cleanPath(std::move(root))) {}

QStringList AppFolder::components(const QString& dataPath) {
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    QStringList parts = dataPath.split(separators, Qt::SkipEmptyParts);
    // "." and ".." would lead out of the application folder; a data path
    // never means them.
    parts.removeIf(
        [](const QString& p) { return p == QLatin1String(".") || p == QLatin1String(".."); });
    return parts;
}

QString AppFolder::resolve(const QString& dataPath) const {
    QString path = m_root;
    bool onDisk = true;
    for (const QString& part : components(dataPath)) {
        QString chosen = part;
        if (onDisk) {
            QDir dir(path);
            if (!QFileInfo::exists(dir.filePath(part))) {
                // Look for the same name in another letter case.
                const QStringList entries =
                    dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
                bool found = false;
                for (const QString& e : entries) {
                    if (e.compare(part, Qt::CaseInsensitive) == 0) {
                        chosen = e;
                        found = true;
                        break;
                    }
                }
                onDisk = found;
            }
        }
        path += QLatin1Char('/') + chosen;
    }
    return path;
}

bool AppFolder::isFile(const QString& dataPath) const {
    return QFileInfo(resolve(dataPath)).isFile();
}

bool AppFolder::isDir(const QString& dataPath) const {
    return QFileInfo(resolve(dataPath)).isDir();
}

namespace {
// Windows opens the device whatever extension follows the name.
bool isDeviceName(const QString& name) {
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *$"),
        QRegularExpression::CaseInsensitiveOption);
    return device.match(name.section(QLatin1Char('.'), 0, 0)).hasMatch();
}
}  // namespace

bool IsSafeFileName(const QString& name) {
    if (isDeviceName(name) || name.trimmed().isEmpty() || name == QLatin1String(".") ||
        name.contains(QLatin1String(".."))) {
        return false;
    }
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 32) {
            return false;
        }
    }
    return true;
}
