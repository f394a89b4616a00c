#include "shell/startup.h"

#include "shell/appcontext.h"
#include "shell/recordfile.h"
#include "shell/textcodec.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <unistd.h>

namespace {
const int kCustomerRecordLength = 328;
const int kAccountWidth = 20;
const QString kCustomerFile = QStringLiteral("/CustomerData.txt");
const QString kAuxFiles = QStringLiteral("/AuxFiles");

// The first failure of two, so the work can go on past it.
IoStatus firstOf(const IoStatus& first, const IoStatus& next) {
    return first.ok() ? next : first;
}

QString accountOf(const QByteArray& record) {
    QByteArray field = record.left(kAccountWidth);
    field.replace('\0', ' ');
    return Text::decode(field).trimmed();
}

QString subFolder(int i) {
    return QStringLiteral("AuxFile") + QString::number(i);
}
}  // namespace

InstanceLock::InstanceLock(const AppFolder& folder)
    : InstanceLock(folder, defaultUserLockFolder()) {}

InstanceLock::InstanceLock(const AppFolder& folder, QString userLockFolder)
    : m_root(folder.root()),
      m_userLockFolder(std::move(userLockFolder)),
      m_lock(folder.root() + QLatin1Char('/') + fileName()) {
    // Only a lock whose process has ended is stale, however long the first
    // copy has been running.
    m_lock.setStaleLockTime(0);
}

QString InstanceLock::fileName() {
    return QStringLiteral(".TolvarProposals.lock");
}

QString InstanceLock::defaultUserLockFolder() {
    return QDir::tempPath() + QStringLiteral("/TolvarProposals-") + QString::number(::getuid());
}

QString InstanceLock::userLockPath(const QString& userLockFolder, const QString& folderRoot) {
    const QString canonical = QFileInfo(folderRoot).canonicalFilePath();
    const QByteArray key = QFile::encodeName(canonical.isEmpty() ? folderRoot : canonical);
    return userLockFolder + QStringLiteral("/folder-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32)) +
           QStringLiteral(".lock");
}

bool InstanceLock::acquireUserLock() {
    if (!m_userLock) {
        // Private to the user: another user's program must not hold ours.
        QDir().mkpath(m_userLockFolder);
        QFile::setPermissions(m_userLockFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        m_userLock = std::make_unique<QLockFile>(userLockPath(m_userLockFolder, m_root));
        m_userLock->setStaleLockTime(0);
    }
    if (m_userLock->isLocked() || m_userLock->tryLock(0)) {
        return true;
    }
    // Nowhere to keep a lock at all: better a program that runs than one
    // that never starts.
    return m_userLock->error() != QLockFile::LockFailedError;
}

bool InstanceLock::acquire() {
    if (isHeld() || m_lock.tryLock(0)) {
        return true;
    }
    if (m_lock.error() == QLockFile::LockFailedError) {
        return false;
    }
    // The folder takes no lock file: every copy on it meets at the user's.
    return acquireUserLock();
}

QString PrevInstanceMessage() {
    return AppContext::applicationTitle() + QStringLiteral(" is already Running!");
}

bool CheckPrevInstance(AppContext& ctx, InstanceLock& lock) {
    if (lock.acquire()) {
        return true;
    }
    ctx.prompter().message(PrevInstanceMessage(), AppContext::applicationTitle(), Buttons::Ok,
                           Icon::None);
    return false;
}

IoStatus MakeFolder(AppContext& ctx, const QString& relativePath) {
    return ctx.store().MakeFolder(relativePath);
}

const QStringList& DocumentFolderNames() {
    static const QStringList names{
        QStringLiteral("/Documents"),
        QStringLiteral("/Documents/Invoices"),
        QStringLiteral("/Documents/Proposals"),
        QStringLiteral("/Documents/Purchase Orders"),
        QStringLiteral("/Documents/Projects"),
        QStringLiteral("/Documents/Contracts"),
        QStringLiteral("/Documents/Statements"),
        QStringLiteral("/Documents/Work Orders"),
    };
    return names;
}

IoStatus CreateDocumentFolders(AppContext& ctx) {
    IoStatus first;
    for (const QString& name : DocumentFolderNames()) {
        first = firstOf(first, MakeFolder(ctx, name));
    }
    return first;
}

IoStatus CreateProposalFolders(AppContext& ctx) {
    IoStatus first;
    for (const char* p : {"\\TolvarProposals", "\\TolvarProposals\\ProposalBody",
                          "\\TolvarProposals\\ProposalPayments",
                          "\\TolvarProposals\\ProposalFinancials", "\\Templates\\Proposals"}) {
        first = firstOf(first, MakeFolder(ctx, QString::fromLatin1(p)));
    }
    first = firstOf(first, CreateDocumentFolders(ctx));
    return first;
}

IoStatus CreateFolders(AppContext& ctx) {
    IoStatus first;
    first = firstOf(first, MakeFolder(ctx, AppFolder::backupFolder()));
    first = firstOf(first, MakeFolder(ctx, QStringLiteral("\\Templates")));
    first = firstOf(first, CreateProposalFolders(ctx));
    first = firstOf(first, CreateCustomerFolders(ctx).status);
    return first;
}

namespace {
// The account folders, matched without regard to case. AuxFiles is listed
// once: matching each new name against a growing folder again and again
// would make a first start with a large customer file very slow.
class AuxFolders {
public:
    explicit AuxFolders(AppContext& ctx) : m_ctx(ctx) {}

    enum class Kind { Made, Existing, Blocked };
    struct [[nodiscard]] Ensured {
        Kind kind;
        IoStatus status;  // the first folder that could not be made
    };

    // Makes the account's folder and its six sub-folders where missing;
    // Blocked when a file of that name is in the way.
    Ensured ensure(const QString& account) {
        const IoStatus opened = open();
        if (!opened) {
            return {Kind::Existing, opened};
        }
        const Entry* existing = find(account);
        if (existing && !existing->isDir) {
            return {Kind::Blocked, {}};
        }
        if (!existing) {
            if (!QDir(m_root).mkdir(account)) {
                return {Kind::Existing,
                        IoStatus::failure(m_root + QLatin1Char('/') + account,
                                          QStringLiteral("the folder could not be created"))};
            }
            add(account, true);
        }
        const QString name = existing ? existing->name : account;
        IoStatus first;
        for (int i = 0; i <= 5; ++i) {
            first = firstOf(first, MakeFolder(m_ctx, kAuxFiles + QLatin1Char('/') + name +
                                                         QLatin1Char('/') + subFolder(i)));
        }
        return {existing ? Kind::Existing : Kind::Made, first};
    }

private:
    struct Entry {
        QString name;
        bool isDir;
    };

    IoStatus open() {
        if (m_opened) {
            return m_openStatus;
        }
        m_opened = true;
        if (!m_ctx.folder().isDir(kAuxFiles)) {
            m_openStatus = MakeFolder(m_ctx, kAuxFiles);
            if (!m_openStatus) {
                return m_openStatus;
            }
        }
        m_root = m_ctx.store().fullPath(kAuxFiles);
        const QFileInfoList list =
            QDir(m_root).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QFileInfo& fi : list) {
            add(fi.fileName(), fi.isDir());
        }
        return {};
    }

    // The exact spelling first, then any other letter case.
    const Entry* find(const QString& name) const {
        auto exact = m_exact.constFind(name);
        if (exact != m_exact.constEnd()) {
            return &exact.value();
        }
        auto folded = m_entries.constFind(name.toCaseFolded());
        return folded != m_entries.constEnd() ? &folded.value() : nullptr;
    }

    void add(const QString& name, bool isDir) {
        m_exact.insert(name, {name, isDir});
        m_entries.insert(name.toCaseFolded(), {name, isDir});
    }

    AppContext& m_ctx;
    bool m_opened = false;
    IoStatus m_openStatus;
    QString m_root;
    QHash<QString, Entry> m_exact;
    QHash<QString, Entry> m_entries;  // by case-folded name
};
}  // namespace

CustomerFolderResult CreateCustomerFolders(AppContext& ctx) {
    CustomerFolderResult result;
    FileStore& store = ctx.store();
    const Existence customers = store.probe(kCustomerFile);
    if (!customers.isPresent()) {
        result.status = customers.status();
        return result;
    }
    result.records = store.RecordCount(kCustomerFile, kCustomerRecordLength);
    if (result.records < 1) {
        return result;
    }
    RecordFile& file = store.OpenRandom(kCustomerFile, kCustomerRecordLength);
    if (!file.status()) {
        result.status = file.status();
        store.CloseAll();
        return result;
    }
    AuxFolders folders(ctx);
    for (int n = 1; n <= result.records; ++n) {
        const IoResult<QByteArray> record = file.read(n);
        if (!record) {
            result.status = firstOf(result.status, record.status());
            break;
        }
        const QString account = accountOf(*record);
        if (!IsSafeFileName(account)) {
            result.skipped << account;
            continue;
        }
        const AuxFolders::Ensured e = folders.ensure(account);
        result.status = firstOf(result.status, e.status);
        if (e.kind == AuxFolders::Kind::Made) {
            result.made << account;
        } else if (e.kind == AuxFolders::Kind::Blocked) {
            result.skipped << account;
        }
    }
    store.CloseAll();
    return result;
}

bool SettingsFilesPresent(AppContext& ctx) {
    for (const char* path : {"\\MyBusinessData.txt", "\\PrintColors.txt"}) {
        const Existence e = ctx.store().probe(QString::fromLatin1(path));
        ctx.reportIoError(e.status());
        if (!e.isPresent()) {
            return false;
        }
    }
    return true;
}

namespace {
void run(const std::function<void()>& step) {
    if (step) {
        step();
    }
}
}  // namespace

bool Main(AppContext& ctx, InstanceLock& lock, const StartupSteps& steps) {
    run(steps.showSplash);
    if (!CheckPrevInstance(ctx, lock)) {
        return false;
    }
    ctx.reportIoError(CreateFolders(ctx));
    run(steps.loadBusinessData);
    run(steps.loadSetupScreen);
    run(steps.loadCustomerScreen);
    run(steps.loadProposalCounter);
    return true;
}
