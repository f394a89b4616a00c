// Proves the multi-file changes safe against a program that dies at any
// moment, and the single-instance lock against many starts at once.
//
//   tolvar_crashtest kills <count> <seed>   each change cut short by SIGKILL
//   tolvar_crashtest starts <count> [ro]    that many starts at once
//   tolvar_crashtest disks full|ro          every change on a full or read-only disk
//   tolvar_crashtest start <folder> <user lock folder>   one start (internal)
//   tolvar_crashtest disks <folder> full|ro  the changes on that disk (internal)
//
// After every kill the next start (with its recovery) must find the files
// exactly as before the change or exactly as after it, and doing the change
// again from there must end exactly as one uncut change does.
#include "../accounts/folders.h"
#include "accounts/finalize.h"
#include "accounts/invoicerun.h"
#include "customers/customerfiles.h"
#include "print/recordingdevice.h"
#include "proposals/proposalstore.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/clock.h"
#include "shell/startup.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {
// Says yes to every question and OK to every message, accepts every dialog,
// and keeps the texts.
class AnsweringPrompter : public Prompter {
public:
    QStringList shown;
    Answer message(const QString& text, const QString&, Buttons buttons, Icon) override {
        shown << text;
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes
               : buttons == Buttons::RetryCancel                            ? Answer::Cancel
                                                                            : Answer::Ok;
    }
    bool inputBox(const QString&, const QString&, QString*) override { return false; }
    void beep() override {}
    bool printDialog(PrintRequest*) override { return true; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    bool chooseColour(quint32*) override { return false; }
    bool chooseFont(FontChoice*) override { return false; }
};

// One application folder as the program sees it.
struct Program {
    explicit Program(const QString& root)
        : ctx(AppFolder(root), clock, prompter, std::make_shared<Settings>()) {
        ctx.settings().applyTax1 = true;
        ctx.settings().taxRate1 = "7.5";
        ctx.settings().taxHeading1 = "Sales Tax";
    }
    FixedClock clock{QDate(2026, 12, 5)};
    AnsweringPrompter prompter;
    AppContext ctx;
};

// The files of the test folder that are made by hand rather than by the program.
const QString kHandMade = TOLVAR_CRASH_DATA "/folder";

// Runs the shell `script` with its arguments $0, $1, ... `args`.
void sh(const QString& script, const QStringList& args) {
    QProcess::execute("sh", QStringList{"-c", script} + args);
}

void copyTree(const QString& from, const QString& to) {
    sh("rm -rf \"$1\" && cp -a \"$0\" \"$1\"", {from, to});
}

// Shows a failure as the screens do; true when there was none.
bool shown(Program& p, const IoStatus& s) {
    p.ctx.reportIoError(s);
    return s.ok();
}

// Customer `n` named `name` with a contract from `day` and every cycle byte `cycle`.
bool saveCustomer(Program& p, int n, const QString& name, QDate day, char cycle) {
    CustomerRecord r;
    r.AccountNumber = "555-000" + QString::number(n);
    r.AccountName = name;
    r.Address1 = QString::number(n) + " Oak St";
    r.CityOrAddress3 = "Springfield";
    r.State = "IL";
    r.ZipCode = "62701";
    r.AccountType = CustomerRecord::business();
    return shown(
        p, CustomerFiles::saveCustomer(p.ctx.store(), n, r, CompanionRecords::defaultContract(day),
                                       QByteArray(CompanionRecords::kCycleSize, cycle)));
}

// Proposal `number` for `dollars` with all four files, for the customer of
// proposal 1002.
bool storeProposal(Program& p, const QString& number, qint64 dollars) {
    const Money price = Money::fromRaw(dollars * 10000);
    ProposalContents c;
    c.header =
        ProposalFiles::parseHeader(snapshot(kHandMade).value("TolvarProposals/1002.txt")).header;
    c.header.number = number;
    c.header.proposedPrice = price;
    c.body = "Replace the roof\r\nand the gutters\r\n";
    c.payments = ProposalPayments{price, {{price, QDate(2026, 12, 19)}}};
    c.financials = ProposalFinancials{price, price, {}, {}};
    return shown(p, ProposalStore::store(p.ctx.store(), number + ".txt", c));
}

// Three customers with their companion and (hand-made) receivable files,
// proposal 1001 with all four files, and the hand-made proposal 1002 ready to
// invoice and field proposal FP1003 ready to finalize.
void makeFolder(const QString& root) {
    QDir().mkpath(root);
    Program p(root);
    static_cast<void>(CreateFolders(p.ctx));
    for (int n = 1; n <= 3; ++n) {
        saveCustomer(p, n, "Customer " + QString::number(n), p.clock.today(), ' ');
    }
    storeProposal(p, "1001", 900);
    if (!p.prompter.shown.isEmpty()) {  // a failure shown
        std::fprintf(stderr, "cannot make the folder: %s\n",
                     qPrintable(p.prompter.shown.join(' ')));
        std::exit(2);
    }
    sh("cp -a \"$0\"/. \"$1\"", {kHandMade, root});
}

// What the program does at start before the user can do anything: the
// recoveries of cut-short changes. Returns the files as they are then.
Files startUp(const QString& root) {
    {
        Program p(root);
        static_cast<void>(CustomerFiles::finishInterruptedDelete(p.ctx.store()));
        static_cast<void>(ProposalStore::finishInterrupted(p.ctx.store()));
        ManagePayments payments(p.ctx);
        payments.activate();
    }
    return snapshot(root);
}

struct Change {
    const char* name;
    bool (*run)(Program&);  // true when the change was made
    bool repeatable;        // doing it again after it was made changes nothing
    // Files that must be as before while the change is begun but not done
    // (an invoice run waits for the user between pages and goes on at the
    // next start); empty where there is no such state.
    QStringList untilDone = {};
};

// The files below one of `prefixes`.
Files below(Files files, const QStringList& prefixes) {
    files.removeIf([&prefixes](const auto& it) {
        return std::none_of(prefixes.cbegin(), prefixes.cend(),
                            [&it](const QString& p) { return it.key().startsWith(p); });
    });
    return files;
}

// The row of proposal `number` on an activated form, -1 when it is not
// listed, -2 when the form did not activate.
template <typename Form>
int activatedRow(Form& form, const QString& number) {
    return form.activate() ? rowOf(form.view().rows, number) : -2;
}

QList<Change> changes() {
    return {
        {"save a customer",
         [](Program& p) { return saveCustomer(p, 2, "Renamed Roofing", QDate(2027, 1, 4), 'c'); },
         true},
        {"add a customer",
         [](Program& p) { return saveCustomer(p, 4, "Customer 4", p.clock.today(), ' '); }, true},
        {"delete a customer",
         [](Program& p) {
             const CustomerFiles::DeleteResult r = CustomerFiles::deleteCustomer(p.ctx.store(), 2);
             p.ctx.reportIoError(r.status);
             return r.removed;
         },
         false},
        {"store a proposal", [](Program& p) { return storeProposal(p, "1004", 1250); }, true},
        {"store a proposal again", [](Program& p) { return storeProposal(p, "1001", 975); }, true},
        {"delete a proposal",
         [](Program& p) { return shown(p, ProposalStore::remove(p.ctx.store(), "1001.txt")); },
         false},
        {"invoice run",
         [](Program& p) {
             ManagePayments m(p.ctx);
             const int row = activatedRow(m, "1002");
             if (row < 0 || m.pick(row) != ManagePayments::Pick::Shown) {
                 return row == -1;  // invoiced already: nothing is billed twice
             }
             m.choose(ManagePayments::PrintOption::SingleInvoice);
             RecordingTarget target;
             return m.print(target) == ManagePayments::Run::Completed;
         },
         true,
         {"TIActiveAccounts/", "TAHistory.txt", "TaxRecords.txt", "Backup/", "TolvarProposals/"}},
        {"finalize",
         [](Program& p) {
             using F = FinalizeFieldProposal;
             F form(p.ctx);
             const int row = activatedRow(form, "FP1003");
             if (row < 0 || !form.pick(row)) {
                 return row == -1;  // finalized already
             }
             form.press(F::Button::Continue);
             form.editBody("Replace roof\nand gutters");
             form.startTyping(F::AmountBox::PreAmount);
             form.editAmount(F::AmountBox::PreAmount, "1000");
             if (form.leavePreAmount() != F::PriceLeft::Accepted) {
                 return false;
             }
             form.choosePlan(F::Plan::InFull);
             form.pickDate(0, QDate(2026, 12, 19));
             return form.finalize();
         },
         false},
    };
}

// Runs the change in a child, killed `delayUs` after the change begins (once
// the child's program is set up) unless that is negative; `changeUs` gets how
// long the change ran. The child ends with 0 when the change was made, 1 when
// it was refused with a message naming a file below the folder and `reason`,
// 2 otherwise.
int inChild(const Change& c, const QString& root, qint64 delayUs, const QString& reason = {},
            qint64* changeUs = nullptr) {
    int ready[2];
    if (pipe(ready) != 0) {
        return 3;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        Program p(root);
        const char go = 1;
        if (write(ready[1], &go, 1) != 1) {
            _exit(2);
        }
        close(ready[1]);
        const bool made = c.run(p);
        const QStringList& shown = p.prompter.shown;
        const bool named = std::any_of(shown.cbegin(), shown.cend(), [&](const QString& m) {
            return m.contains(QDir::toNativeSeparators(root)) && m.contains(reason);
        });
        _exit(made ? 0 : named ? 1 : 2);
    }
    close(ready[1]);
    char go = 0;
    const bool began = read(ready[0], &go, 1) == 1;
    close(ready[0]);
    QElapsedTimer t;
    t.start();
    if (began && delayUs >= 0) {
        // Asleep, not spinning: the child keeps a core to itself meanwhile.
        const timespec wait{time_t(delayUs / 1000000), long(delayUs % 1000000 * 1000)};
        nanosleep(&wait, nullptr);
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (changeUs) {
        *changeUs = t.nsecsElapsed() / 1000;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

// The files that differ.
QString describe(const Files& got, const Files& want) {
    QStringList diff = got.keys() + want.keys();
    diff.removeDuplicates();
    diff.removeIf([&](const QString& k) {
        return got.contains(k) == want.contains(k) && got.value(k) == want.value(k);
    });
    return diff.join(QLatin1Char(' '));
}

int kills(int count, quint32 seed) {
    QTemporaryDir work(QDir::tempPath() + "/tolvar-crash-XXXXXX");
    const QString base = work.path() + "/base";
    const QString trial = work.path() + "/trial";
    makeFolder(base);
    QRandomGenerator random(seed);
    int failures = 0;
    const QList<Change> all = changes();
    const int each = std::max(1, count / int(all.size()));
    for (const Change& c : all) {
        // The two ends every cut-short change must land on, as the next
        // start finds them.
        copyTree(base, trial);
        const Files before = startUp(trial);
        qint64 longest = 0;
        bool made = true;
        for (int i = 0; i < 3; ++i) {
            copyTree(base, trial);
            qint64 took = 0;
            made = inChild(c, trial, -1, {}, &took) == 0 && made;
            longest = std::max(longest, took);
        }
        const Files after = made ? startUp(trial) : before;
        if (after == before) {
            std::fprintf(stderr, "%s: the uncut change failed or changed nothing\n", c.name);
            return 1;
        }
        int landed[3] = {};  // as before, as after, begun and completed
        for (int k = 0; k < each; ++k) {
            copyTree(base, trial);
            const qint64 delay = random.bounded(longest + longest / 5 + 1);
            inChild(c, trial, delay);
            const Files found = startUp(trial);
            const bool begun =
                !c.untilDone.isEmpty() && below(found, c.untilDone) == below(before, c.untilDone);
            const int end = found == before ? 0 : found == after ? 1 : begun ? 2 : -1;
            QString fault;
            if (end < 0) {
                fault = "mixed files " + describe(found, after);
            } else if (end != 1 || c.repeatable) {
                // Once more from where it stopped: the same end, nothing doubled.
                const bool repeated = inChild(c, trial, -1) == 0;
                const Files again = repeated ? startUp(trial) : after;
                fault = !repeated        ? QString("repeating it failed")
                        : again != after ? "repeated, " + describe(again, after)
                                         : QString();
            }
            if (!fault.isEmpty()) {
                ++failures;
                std::fprintf(stderr, "%s, killed after %lld us: %s\n", c.name,
                             static_cast<long long>(delay), qPrintable(fault));
            } else {
                ++landed[end];
            }
        }
        std::printf(
            "%-24s %5d kills: %4d as before, %4d as after, %4d begun and completed "
            "(uncut %lld us)\n",
            c.name, each, landed[0], landed[1], landed[2], static_cast<long long>(longest));
    }
    std::printf("%d kills, %d failures\n", each * int(all.size()), failures);
    return failures == 0 ? 0 : 1;
}

// Runs this program with `args`, in a user namespace once `mount` ("$2" is
// args[1]) has succeeded unless that is empty.
void launch(QProcess& proc, const QString& mount, const QStringList& args) {
    const QString self = QCoreApplication::applicationFilePath();
    if (mount.isEmpty()) {
        proc.start(self, args);
        return;
    }
    proc.start("unshare",
               QStringList{"-rm", "sh", "-c", mount + " && exec \"$0\" \"$@\"", self} + args);
}
const QString kReadOnly = "mount --bind -o ro \"$2\" \"$2\"";

// Every change on a folder whose disk is full ("full") or that is mounted
// read-only ("ro"), run inside the user namespace that made it so: a change
// either is made, or fails with a message naming a file or folder below the
// application folder and the system's reason, and leaves every file as it was.
// Without a `folder`, makes one and runs this on it in a user namespace, on a
// small tmpfs or a read-only bind mount, with a copy that stays beside it.
int disks(const QString& kind, const QString& folder) {
    const bool full = kind == "full";
    if (folder.isEmpty()) {
        QTemporaryDir work(QDir::tempPath() + "/tolvar-disk-XXXXXX");
        const QStringList args{"disks", work.path() + "/folder", kind};
        makeFolder(work.path() + "/pristine");
        copyTree(work.path() + "/pristine", args[1]);
        QProcess proc;
        proc.setProcessChannelMode(QProcess::ForwardedChannels);
        launch(proc, full ? "mount -t tmpfs -o size=512k tmpfs \"$2\"" : kReadOnly, args);
        proc.waitForFinished(300000);
        return proc.exitStatus() == QProcess::NormalExit ? proc.exitCode() : 1;
    }
    const QString reason = qt_error_string(full ? ENOSPC : EROFS);
    const QString root = full ? folder + "/app" : folder;
    int failures = 0;
    for (const Change& c : changes()) {
        const QString filler = folder + "/filler";
        if (full) {
            // The folder as it was, then the disk filled to its last byte.
            copyTree(folder + "/../pristine", root);
            sh("cat /dev/zero >\"$0\" 2>/dev/null", {filler});
        }
        const Files before = snapshot(root);
        const int rc = inChild(c, root, -1, reason);
        const bool same = snapshot(root) == before;
        failures += rc == 0 || (rc == 1 && same) ? 0 : 1;
        std::printf("%-24s %s\n", c.name,
                    rc == 0   ? "made"
                    : rc != 1 ? "NO MESSAGE NAMING THE FILE AND REASON"
                    : same    ? "refused with a message, nothing changed"
                              : "FILES CHANGED");
        QFile::remove(filler);
    }
    return failures == 0 ? 0 : 1;
}

// One start of the program's start-up on `folder`: prints "running" and
// holds the lock until its input closes, or prints the messages it showed.
int start(const QString& folder, const QString& userLocks) {
    Program p(folder);
    InstanceLock lock(p.ctx.folder(), userLocks);
    const bool running = Main(p.ctx, lock, {});
    std::fprintf(stdout, "%s\n",
                 running ? "running" : qPrintable(p.prompter.shown.join(QLatin1Char('\n'))));
    std::fflush(stdout);
    char c;
    while (running && read(STDIN_FILENO, &c, 1) > 0) {
    }
    return 0;
}

// `count` starts at once on one folder (read-only for every one of them when
// `readOnly`, through a read-only bind mount in a user namespace).
int starts(int count, bool readOnly) {
    QTemporaryDir work(QDir::tempPath() + "/tolvar-starts-XXXXXX");
    const QStringList args{"start", work.path() + "/folder", work.path() + "/user"};
    makeFolder(args[1]);
    std::vector<QProcess> all(count);
    for (QProcess& proc : all) {
        launch(proc, readOnly ? kReadOnly : QString(), args);
    }
    int running = 0;
    int refused = 0;
    const QDeadlineTimer deadline(60000);
    for (QProcess& proc : all) {
        // The refused ones end by themselves; the one that runs says so.
        proc.waitForStarted(10000);
        while (proc.state() != QProcess::NotRunning && !proc.peek(4096).contains("running\n") &&
               !deadline.hasExpired()) {
            proc.waitForReadyRead(10);
        }
        const QByteArray out = proc.peek(4096);
        if (out.contains("running\n")) {
            ++running;
        } else if (QString::fromUtf8(out).trimmed() == PrevInstanceMessage()) {
            ++refused;
        } else {
            std::printf("  one said: %s\n", (out + proc.readAllStandardError()).constData());
        }
    }
    for (QProcess& proc : all) {
        proc.closeWriteChannel();
        proc.waitForFinished(10000);
    }
    std::printf("%d starts%s: %d running, %d refused, %d other\n", count,
                readOnly ? " on a read-only folder" : "", running, refused,
                count - running - refused);
    return running == 1 && refused == count - 1 ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
    // Invoices are laid out with real font metrics.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;  // made 0700, as Qt wants its runtime folder
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const QString mode = args.size() >= 3 ? args.at(1) : QString();
    if (mode == "kills") {
        // Wakes for a kill at the microsecond asked, not some 50 us later.
        prctl(PR_SET_TIMERSLACK, 1UL);
        return kills(args.at(2).toInt(), args.value(3, "1").toUInt());
    }
    if (mode == "starts") {
        return starts(args.at(2).toInt(), args.value(3) == "ro");
    }
    if (mode == "disks") {
        // With a folder, the inner run in the user namespace.
        return args.size() > 3 ? disks(args.at(3), args.at(2)) : disks(args.at(2), {});
    }
    if (mode == "start" && args.size() >= 4) {
        return start(args.at(2), args.at(3));
    }
    std::fprintf(stderr, "usage: %s kills <count> <seed> | starts <count> [ro] | disks full|ro\n",
                 argv[0]);
    return 2;
}
