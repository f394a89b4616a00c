#pragma once

#include "shell/appfolder.h"
#include "shell/iostatus.h"

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class AppContext;

// Keeps a second copy of the program from running on the same application
// folder: a lock file in that folder, held for the whole run, which also keeps
// out a copy on another machine sharing the folder. Where no lock can be made
// in the folder (read-only, or not the user's), a per-user lock named after
// the folder's path is held instead. A lock left by a process that has ended
// (a crash) is taken over.
class InstanceLock {
public:
    explicit InstanceLock(const AppFolder& folder);
    // `userLockFolder` holds the per-user locks (tests give their own).
    InstanceLock(const AppFolder& folder, QString userLockFolder);
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False only when another running instance holds the lock. Where
    // neither lock can be made the program is not stopped.
    bool acquire();
    bool isHeld() const { return m_lock.isLocked() || (m_userLock && m_userLock->isLocked()); }
    // Whether the per-user lock is the one held.
    bool isUserLock() const { return m_userLock && m_userLock->isLocked(); }
    static QString fileName();  // ".TolvarProposals.lock"
    // The per-user lock of a folder: its canonical path hashed, so that
    // every spelling of the same folder meets at one lock.
    static QString userLockPath(const QString& userLockFolder, const QString& folderRoot);
    // A folder of the user's own below the temporary folder.
    static QString defaultUserLockFolder();

private:
    bool acquireUserLock();

    QString m_root;
    QString m_userLockFolder;
    QLockFile m_lock;
    std::unique_ptr<QLockFile> m_userLock;
};

// "<product> is already Running!"
QString PrevInstanceMessage();
// Shows that message and returns false when another instance is running;
// the caller then ends the program at once, without the backup.
bool CheckPrevInstance(AppContext& ctx, InstanceLock& lock);

// Creates one folder level under the application folder unless a folder or
// file of that name exists (in any letter case).
IoStatus MakeFolder(AppContext& ctx, const QString& relativePath);

// The folder tree, each level only if missing, in this order: \Backup and
// \Templates, then the proposal folders (which make the document folders),
// then the customer folders. Goes on past a failure; returns the first.
IoStatus CreateFolders(AppContext& ctx);
IoStatus CreateProposalFolders(AppContext& ctx);
IoStatus CreateDocumentFolders(AppContext& ctx);
// "Invoices", "Proposals", ... the eight names below /Documents, in order.
const QStringList& DocumentFolderNames();

struct [[nodiscard]] CustomerFolderResult {
    int records = 0;
    QStringList made;     // accounts whose folder was created now
    QStringList skipped;  // accounts that cannot name a folder (blank, unsafe, a file)
    IoStatus status;
};

// /AuxFiles/<account> and its six AuxFile0..AuxFile5 for every record of the
// customer file, reading only the 20-character account field. A blank
// account, or one that is not a safe file name, gets no folder, so nothing is
// ever made directly in AuxFiles or outside it. AuxFiles itself is made when
// the first account folder needs it.
CustomerFolderResult CreateCustomerFolders(AppContext& ctx);

// True when \MyBusinessData.txt and then \PrintColors.txt exist, each
// restored from \Backup if need be; false at the first one missing. A restore
// that fails is shown to the user, naming the file and the reason.
bool SettingsFilesPresent(AppContext& ctx);

// What start-up does beyond this area: the screens and the files that
// belong to higher areas. Steps left empty are skipped.
struct StartupSteps {
    std::function<void()> showSplash;
    std::function<void()> loadBusinessData;
    std::function<void()> loadSetupScreen;  // reads every other settings file
    std::function<void()> loadCustomerScreen;
    std::function<void()> loadProposalCounter;
};

// The start-up sequence. False when another instance is running: the caller
// then ends the program at once. A folder that cannot be made is shown to
// the user and start-up goes on.
bool Main(AppContext& ctx, InstanceLock& lock, const StartupSteps& steps);
