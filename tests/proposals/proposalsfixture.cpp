#include "proposalsfixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray golden(const QString& name) {
    QFile f(QStringLiteral(TOLVAR_TEST_DATA "/proposals/") + name);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning("no golden file %s", qPrintable(f.fileName()));
    }
    return f.readAll();
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

void expectPrints(ScriptedPrompter& prompter, const QString& script, int copies) {
    bool afterPrint = false;
    for (const QChar c : script) {
        if (c == u'P' || c == u'C') {
            prompter.expectPrintDialog(c == u'P', copies);
            afterPrint = c == u'P';
            continue;
        }
        prompter.expectQuestion(
            afterPrint ? "Did the Proposal Print Correctly" : "Would you like to try to Reprint?",
            afterPrint ? "Print Confirmation" : "Print Retry", Buttons::YesNo, Icon::Question,
            c == u'Y' ? Answer::Yes : Answer::No);
        afterPrint = false;
    }
}

QList<std::pair<QString, Scenario>> scenarios(const QString& file) {
    QList<std::pair<QString, Scenario>> out;
    for (const QByteArray& raw : golden(file).split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(QLatin1String("== "))) {
            out.append({line.mid(3), {}});
        } else if (!line.startsWith(QLatin1Char('#')) && line.contains(QLatin1Char(':'))) {
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            out.last().second.insert(line.left(colon), line.mid(colon + 1).trimmed());
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

QByteArray dump(const Recording& r) {
    QString out;
    const auto ink = [](quint32 i) { return QString::number(i, 16); };
    for (const RecordedText& t : r.texts) {
        out += QStringLiteral("%1 text %2,%3 %4 %5%6%7 %8 \"%9\"\n")
                   .arg(t.page)
                   .arg(t.at.x())
                   .arg(t.at.y())
                   .arg(t.font.name)
                   .arg(t.font.size)
                   .arg(t.font.bold ? QStringLiteral("b") : QString(),
                        t.font.underline ? QStringLiteral("u") : QString(), ink(t.ink), t.text);
    }
    for (const RecordedLine& l : r.lines) {
        out += QStringLiteral("%1 %2 %3,%4 %5,%6 w%7 %8\n")
                   .arg(l.page)
                   .arg(l.box ? QStringLiteral("box") : QStringLiteral("line"))
                   .arg(l.from.x())
                   .arg(l.from.y())
                   .arg(l.to.x())
                   .arg(l.to.y())
                   .arg(l.width)
                   .arg(ink(l.ink));
    }
    for (const RecordedPicture& p : r.pictures) {
        out += QStringLiteral("%1 picture %2,%3 %4x%5\n")
                   .arg(p.page)
                   .arg(p.target.x())
                   .arg(p.target.y())
                   .arg(p.target.width())
                   .arg(p.target.height());
    }
    out += QStringLiteral("pages %1 ended %2\n").arg(r.pages).arg(r.ended);
    return out.toUtf8();
}

ProposalsApp::ProposalsApp() {
    for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
        mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
    }
    mkdir(QStringLiteral("Templates/Proposals"));
    write(QStringLiteral("TProposalCounter.txt"), "1001\r\n");
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
}  // namespace

Frozen::Frozen(QString path) : m_path(std::move(path)) {
    freeze(m_path, true);
}

Frozen::~Frozen() {
    freeze(m_path, false);
}

QString frozenWriteReason() {
    TempApp scratch;
    Frozen freeze(scratch.dir.path());
    return scratch.ctx->store().OpenForOutput(QStringLiteral("/x.txt"), "x").reason();
}

QString frozenDeleteReason() {
    TempApp scratch;
    if (!scratch.ctx->store().OpenForOutput(QStringLiteral("/x.txt"), "x").ok()) {
        return {};
    }
    Frozen freeze(scratch.dir.path());
    return scratch.ctx->store().DeleteDataFile(QStringLiteral("/x.txt")).reason();
}

CustomerRecord smithRecord() {
    CustomerRecord r;
    r.AccountNumber = QStringLiteral(" ACC-7 ");
    r.AccountType = QStringLiteral("Individual");
    r.AccountName = QStringLiteral("  Smith & Sons Ltd ");
    r.Title = QStringLiteral("Mr.");
    r.FirstName = QStringLiteral("John ");
    r.MiddleInitial = QStringLiteral(" ");
    r.LastName = QStringLiteral("Smith");
    r.Address1 = QStringLiteral("4 Elm St");
    r.CityOrAddress3 = QStringLiteral("Bangor");
    r.State = QStringLiteral("ME");
    r.ZipOrAddress4 = QStringLiteral("04401");
    r.Phone = QStringLiteral("207-555-0111");
    return r;
}

ProposalPrintInput sampleProposal() {
    ProposalPrintInput in;
    in.style = PrintStyle{QStringLiteral("Arial"), true, Ink::Black};
    in.copies = 3;
    in.business.fields = {
        QStringLiteral("Harbor Roofing"), QStringLiteral("12 Dock St"), QString(),
        QStringLiteral("Portland"),       QStringLiteral("ME"),         QStringLiteral("04101"),
        QStringLiteral("207-555-0100"),   QStringLiteral("Licensed"),   QString()};
    in.today = QDate(2026, 12, 5);
    in.customer = {
        QStringLiteral("Mr. John Smith"), QStringLiteral("4 Elm St"), QStringLiteral("Apt 2"),
        QStringLiteral("Bangor"),         QStringLiteral("ME"),       QStringLiteral("04401"),
        QStringLiteral("207-555-0111")};
    in.site = {QStringLiteral("Smith Barn"),  QStringLiteral("Route 2"), QStringLiteral("Lot 7"),
               QStringLiteral("Orono"),       QStringLiteral("NH"),      QStringLiteral("04473"),
               QStringLiteral("207-555-0122")};
    in.body = {QStringLiteral("Remove old shingles."), QString(),
               QStringLiteral("Install new roof.")};
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
