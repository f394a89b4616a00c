#pragma once

// Kept free of the test support, for tolvar_crashtest too.
#include "accounts/proposaltable.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <algorithm>

using Files = QMap<QString, QByteArray>;

// Every file below a folder, hidden ones too, by its "/" path, for comparing
// whole folders.
inline Files snapshot(const QString& root) {
    Files out;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile f(it.next());
        out.insert(QDir(root).relativeFilePath(f.fileName()),
                   f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)"));
    }
    return out;
}

// The row of proposal `number` in `rows`, -1 when it is not listed.
inline int rowOf(const QList<ProposalRow>& rows, const QString& number) {
    const auto it = std::find_if(rows.cbegin(), rows.cend(),
                                 [&number](const ProposalRow& r) { return r.number == number; });
    return it == rows.cend() ? -1 : int(it - rows.cbegin());
}
