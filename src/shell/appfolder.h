#pragma once

#include <QString>

// The folder that holds the program and all of its data. Data paths name files
// below it ("\TolvarProposals\ProposalBody\1001.txt"); both "\" and "/" separate
// components, and every component is matched against the disk without regard
// to letter case, so "/Auxfiles/x" finds an existing "AuxFiles" folder.
class AppFolder {
public:
    AppFolder() = default;
    explicit AppFolder(QString root);

    const QString& root() const { return m_root; }
    bool isValid() const { return !m_root.isEmpty(); }

    // The full local path of a data path. Components that exist on disk take
    // their on-disk spelling; the rest keep the spelling given.
    QString resolve(const QString& dataPath) const;

    // "\Backup", where the backup copies live.
    static QString backupFolder() { return QStringLiteral("\\Backup"); }
    // The backup copy of a data path: "\Backup" followed by the path.
    static QString backupPathOf(const QString& dataPath) { return backupFolder() + dataPath; }

    // Components of a data path; empty ones, "." and ".." are dropped, so no
    // data path leads out of the application folder.
    static QStringList components(const QString& dataPath);

    bool isFile(const QString& dataPath) const;
    bool isDir(const QString& dataPath) const;

private:
    QString m_root;
};

// A name typed by the user that becomes a file or folder name (an account
// number, a template name): not empty, no separators, no "..", none of :*?"<>|,
// and not a name Windows keeps for a device (CON, NUL, COM1, "lpt1.txt"), so
// the data folder stays usable on any system.
bool IsSafeFileName(const QString& name);
