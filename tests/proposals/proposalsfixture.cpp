#include "proposalsfixture.h"

#include "proposals/proposalcounter.h"
#include "proposals/proposalfiles.h"
#include "shell/filestore.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray golden(const QString& name) {
    return testData(QStringLiteral("proposals/") + name);
}

QStringList proposalFiles(int number) {
    const QString n = QString::number(number) + QStringLiteral(".txt");
    return {"TolvarProposals/" + n, "TolvarProposals/ProposalBody/" + n,
            "TolvarProposals/ProposalPayments/" + n, "TolvarProposals/ProposalFinancials/" + n};
}

QList<QByteArray> storedFiles(const TempApp& app, int number) {
    QList<QByteArray> out;
    for (const QString& f : proposalFiles(number)) {
        out << (QFileInfo(app.path(f)).isFile() ? app.read(f) : QByteArray("(none)"));
    }
    return out;
}

QList<std::pair<QString, QStringList>> blocks(const QString& file) {
    QList<std::pair<QString, QStringList>> out;
    for (const QByteArray& raw : golden(file).split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1String("== "))) {
            out.append({line.mid(3), {}});
        } else if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) {
            out.last().second << line;
        }
    }
    return out;
}

QStringList listOf(const QString& value) {
    QStringList items = value.split(QLatin1Char('|'));
    for (QString& item : items) {
        item = item.trimmed();
    }
    return items;
}

QString focusName(WriterFocus f) {
    static const QStringList names{
        "None",         "SiteName",  "Body",         "TaxStatement", "ItemDescription", "ItemPrice",
        "ItemQuantity", "PreAmount", "PaymentCount", "Payment",      "ClearSchedule"};
    const QString name = names.at(f.control);
    return f.control == WriterFocus::Payment ? name + QLatin1Char(' ') + QString::number(f.index)
                                             : name;
}

QByteArray dump(const Recording& r) {
    QString out;
    for (const RecordedText& t : r.texts) {
        out += QString::asprintf("%d text %d,%d %s %d%s%s %x \"%s\"\n", t.page, t.at.x(), t.at.y(),
                                 qUtf8Printable(t.font.name), t.font.size, t.font.bold ? "b" : "",
                                 t.font.underline ? "u" : "", t.ink, qUtf8Printable(t.text));
    }
    for (const RecordedLine& l : r.lines) {
        out += QString::asprintf("%d %s %d,%d %d,%d w%d %x\n", l.page, l.box ? "box" : "line",
                                 l.from.x(), l.from.y(), l.to.x(), l.to.y(), l.width, l.ink);
    }
    for (const RecordedPicture& p : r.pictures) {
        const QRect& at = p.target;
        out += QString::asprintf("%d picture %d,%d %dx%d\n", p.page, at.x(), at.y(), at.width(),
                                 at.height());
    }
    out += QString::asprintf("pages %d ended %d\n", r.pages, int(r.ended));
    return out.toUtf8();
}

namespace {
// The immutable flag holds for root too; other users are kept out by the
// folder's permissions.
void freeze(const QString& path, bool on) {
    if (geteuid() != 0) {
        ::chmod(QFile::encodeName(path).constData(), on ? 0555 : 0755);
        return;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd < 0 || ::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        QFAIL("the folder's flags cannot be read");
    }
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
}

// Why a write into, or a delete from, a frozen folder fails, as the file store
// words it.
QString frozenReason(bool deleting) {
    TempApp scratch;
    FileStore& store = scratch.ctx->store();
    const QString file = QStringLiteral("/x.txt");
    if (deleting && !store.OpenForOutput(file, "x").ok()) {
        return {};
    }
    freeze(scratch.dir.path(), true);
    const IoStatus failed = deleting ? store.DeleteDataFile(file) : store.OpenForOutput(file, "x");
    freeze(scratch.dir.path(), false);
    return failed.reason();
}
}  // namespace

void ScriptApp::thaw() {
    for (const QString& folder : std::exchange(frozen, {})) {
        freeze(folder, false);
    }
}

std::unique_ptr<PageDevice> FreezingTarget::open(const PrintRequest& request) {
    if (onOpen) {
        onOpen();
    }
    return RecordingTarget::open(request);
}

void loadScripts(const QString& file) {
    QTest::addColumn<QStringList>("steps");
    const QList<std::pair<QString, QStringList>> all = blocks(file);
    QVERIFY2(!all.isEmpty(), qPrintable("no scripts in " + file));
    for (const auto& [name, steps] : all) {
        QTest::newRow(qPrintable(name)) << steps;
    }
}

void ScriptApp::runScript() {
    runScript(fetched<QStringList>("steps"));
}

void ScriptApp::runScript(const QStringList& lines) {
    for (const QString& line : lines) {
        a.clear();
        for (const QByteArray& part : cases::split(line.toUtf8(), '|')) {
            a << QString::fromUtf8(part);
        }
        arg = a.value(1);
        n = arg.toInt();
        t1 = text(1);
        t2 = text(2);
        QVERIFY2(steps.contains(a.first()), qPrintable("no such step: " + line));
        steps[a.first()]();
        QVERIFY2(!QTest::currentTestFailed(), qPrintable(line));
    }
}

namespace {
QByteArray dumps(const RecordingTarget& target) {
    QByteArray out;
    for (const auto& job : target.jobs()) {
        out += dump(*job);
    }
    return out;
}
}  // namespace

ScriptApp::ScriptApp(bool proposalFolders) {
    if (proposalFolders) {
        for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
            mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
        }
        mkdir(QStringLiteral("Templates/Proposals"));
        mkdir(QStringLiteral("out"));  // where a PDF is saved
        write(QStringLiteral("TProposalCounter.txt"), "1001\r\n");
    }
    steps = Steps{
        {"copies", [this] { ctx->vars().Copies = n; }},
        {"setNumber", [this] { ctx->vars().ProposalNumber = n; }},
        {"file", [this] { write(arg, cases::decode(a.value(2).toUtf8())); }},
        {"remove", [this] { QVERIFY(QFile::remove(path(arg))); }},
        {"copy",
         [this] {
             const QByteArray bytes = golden(t2).left(a.value(3).toInt());
             write(arg, bytes.repeated(qMax(1, a.value(4).toInt())));
         }},
        {"message", [this] { prompter.expectMessage(t1, kTitle, Icon::None); }},
        {"quiet", [this] { prompter.setStrictBeeps(true); }},
        {"beep", [this] { prompter.expectBeep(); }},
        {"ask",
         [this] {
             prompter.expectQuestion(t2, t1, Buttons::YesNo, Icon::Question,
                                     a.value(3) == "yes" ? Answer::Yes : Answer::No);
         }},
        {"input", [this] { prompter.expectInput(t2, t1, text(3), a.value(4) != "cancel"); }},
        {"openfile", [this] { prompter.expectOpenFile(path(t1)); }},
        {"golden",
         [this] {
             const QByteArray want = golden(t2);
             const int length = a.size() > 4 ? a.value(4).toInt() : int(want.size());
             QCOMPARE(read(arg).mid(a.value(3).toInt(), length), want.left(length));
         }},
        {"size", [this] { QCOMPARE(int(read(arg).size()), a.value(2).toInt()); }},
        // The print dialogs and confirmations of a print: P printed, C dialog
        // cancelled, S saved as out/1001.pdf, X save cancelled, Y and N the answers
        // to "printed correctly?" or "reprint?"; then the copies each dialog shows.
        {"prints",
         [this] {
             bool afterPrint = false;
             for (const QChar c : arg) {
                 if (c == u'P' || c == u'C') {
                     prompter.expectPrintDialog(c == u'P', a.value(2).toInt());
                 } else if (c == u'S' || c == u'X') {
                     prompter.expectSaveFile(QStringLiteral("Save as PDF"),
                                             c == u'S' ? path("out/1001.pdf") : QString());
                 } else {
                     prompter.expectQuestion(afterPrint ? "Did the Proposal Print Correctly"
                                                        : "Would you like to try to Reprint?",
                                             afterPrint ? "Print Confirmation" : "Print Retry",
                                             Buttons::YesNo, Icon::Question,
                                             c == u'Y' ? Answer::Yes : Answer::No);
                 }
                 afterPrint = c == u'P' || c == u'S';
             }
         }},
        {"loadCounter", [this] { ProposalCounter::loadCurrent(*ctx); }},
        {"freeze", [this] { freeze(frozen.emplace_back(path(arg)), true); }},
        {"freezeAtPrint",
         [this] {
             target.onOpen = [this, f = arg] { freeze(frozen.emplace_back(path(f)), true); };
         }},
        {"thaw", [this] { thaw(); }},
        {"failed",
         [this] {
             const QString why =
                 t2 == "delete" || t2 == "write" ? frozenReason(t2 == "delete") : t2;
             QStringList told;
             for (const QString& file : arg.split(u';')) {
                 told << IoStatus::failure(path(file), why).message();
             }
             prompter.expectMessage(told.join(QStringLiteral("\r\n")), kTitle, Icon::Critical);
         }},
        {"warn",
         [this] { prompter.expectMessage(t1, a.size() > 2 ? t2 : kTitle, Icon::Exclamation); }},
        {"error", [this] { prompter.expectMessage(t2, t1, Icon::Critical); }},
        {"jobs", [this] { QCOMPARE(int(target.jobs().size()), n); }},
        {"eachJob",
         [this] {
             for (const auto& job : target.jobs()) {
                 QCOMPARE(int(job->find(t1).size()), a.value(2).toInt());
                 QCOMPARE(job->first(t1).page, a.value(3).toInt());
             }
         }},
        {"pages", [this] { QCOMPARE(target.jobs().at(n)->pages, a.value(2).toInt()); }},
        {"job", [this] { QCOMPARE(target.jobs().at(n)->first(t2).page, a.value(3).toInt()); }},
        {"jobAt",
         [this] {
             const QPoint at(a.value(3).toInt(), a.value(4).toInt());
             QCOMPARE(target.jobs().at(n)->first(t2).at, at);
         }},
        {"printerFails",
         [this] {
             target.failOpening(arg == "open" ? QStringLiteral("no printer") : QString());
             target.failEnding(arg == "end" ? QStringLiteral("off-line") : QString());
         }},
        {"requests", [this] { QCOMPARE(int(target.requests().size()), n); }},
        {"dialog",
         [this] {
             const PrintRequest r = prompter.printRequests().at(0);
             QCOMPARE((QList<int>{r.copies, r.allowPageRange, r.allowPrintToFile}),
                      (QList<int>{n, a.value(2) == "yes", a.value(3) == "yes"}));
         }},
        {"previewTitles",
         [this] {
             QCOMPARE(preview.titles(), QStringList(t1));
             QVERIFY(!preview.landscape());
         }},
        {"samePreview", [this] { QCOMPARE(dumps(preview.target()), dumps(target)); }},
        {"number", [this] { QCOMPARE(ctx->vars().ProposalNumber, n); }},
        {"bytes", [this] { QCOMPARE(read(arg), t2.toUtf8()); }},
        {"starts", [this] { QVERIFY(read(arg).startsWith(t2.toUtf8())); }},
        {"exists", [this] { QCOMPARE(exists(arg), t2 == "yes"); }},
        {"headers", [this] { QCOMPARE(int(ProposalFiles::listHeaders(ctx->store()).size()), n); }}};
}

ProposalPrintInput sampleProposal() {
    ProposalPrintInput in;
    in.style = PrintStyle{QStringLiteral("Arial"), true, Ink::Black};
    in.copies = 3;
    in.business.fields = listOf(
        "Harbor Roofing | 12 Dock St | | Portland | ME | 04101 | 207-555-0100 | Licensed | ");
    in.today = QDate(2026, 12, 5);
    in.customer = listOf("Mr. John Smith | 4 Elm St | Apt 2 | Bangor | ME | 04401 | 207-555-0111");
    in.site = listOf("Smith Barn | Route 2 | Lot 7 | Orono | NH | 04473 | 207-555-0122");
    in.body = listOf("Remove old shingles. | | Install new roof.");
    in.price = QStringLiteral("$1,200.00");
    in.paymentOption = 2;
    in.payments = {{QStringLiteral("600"), QStringLiteral("12/10/2026")},
                   {QStringLiteral("$600.00"), QStringLiteral("1/10/2027")}};
    return in;
}

std::shared_ptr<Recording> record(const ProposalPrintInput& in) {
    auto rec = std::make_shared<Recording>();
    RecordingDevice device(rec);
    PrintProposal(device, in);
    return rec;
}
