#include "proposals/proposalfiles.h"
#include "proposalsfixture.h"
#include "shell/filestore.h"
#include "shell/textcodec.h"

namespace {

// Mr. John Smith's proposal 1001 for $1,234.50, stored on 2026-12-05, as the
// writer's golden header holds it; writing it back checks the reading.
ProposalHeader smithHeader(const QString& number = QStringLiteral("1001")) {
    ProposalHeader h = ProposalFiles::parseHeader(golden("header_writer.txt")).header;
    h.number = number;
    return h;
}
}  // namespace

class TestProposalFiles : public QObject {
    Q_OBJECT
private slots:
    // Written, read and written again: the same bytes and the same 18 fields. A double quote
    // typed into a name must not break the fields after it; surrounding blanks are not stored.
    void headerForms_data() { cases::load(QStringLiteral("proposals/header_forms.txt")); }
    void headerForms() {
        const cases::Row c = cases::row();
        const HeaderForm form = HeaderForm(c.number(0));
        const QString file = c.text(2);
        ProposalHeader typed = smithHeader(c.text(1));
        ProposalHeader stored = typed;
        if (c.cells.size() > 3) {
            typed.customerName = c.text(3);
            stored.customerName = c.text(4);
        }
        ScriptApp app;  // with the proposal folders
        FileStore& store = app.ctx->store();
        QVERIFY(ProposalFiles::writeHeader(store, kFile, typed, form));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/1001.txt")), golden(file));
        const FileRead<ParsedHeader> back = ProposalFiles::readHeader(store, kFile);
        QVERIFY(back.value && back.value->complete);
        QCOMPARE(back.value->header, stored);
        QVERIFY(ProposalFiles::writeHeader(store, kFile, back.value->header, form));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/1001.txt")), golden(file));
    }

    void hostileHeaders_data() { cases::load(QStringLiteral("proposals/header_hostile.txt")); }
    void hostileHeaders() {
        const cases::Row c = cases::row();
        QByteArray bytes = golden(QStringLiteral("header_writer.txt")).left(c.number(0));
        const ParsedHeader read = ProposalFiles::parseHeader(bytes.replace(c.bytes(1), c.bytes(2)));
        QVERIFY(!read.complete);
        QCOMPARE(read.header, ProposalFiles::parseHeader(golden(c.text(3))).header);
    }

    void numberOfFileName_data() { cases::load(QStringLiteral("proposals/header_numbers.txt")); }
    void numberOfFileName() {
        const cases::Row c = cases::row();
        QCOMPARE(ProposalFiles::numberOf(c.text(0)), c.number(1));
    }

    // Before the folder is made, no header; then one listing, whatever the folder's spelling on
    // disk, text files only; a long one is read on several threads, and each header stays with its
    // name, in the listing's order.
    void listingAndReadingAll() {
        TempApp app;  // no proposal folder yet: a header is missing, and cannot be written
        const FileRead<ParsedHeader> missing = ProposalFiles::readHeader(app.ctx->store(), kFile);
        QVERIFY(!missing.value && missing.status.ok());
        QVERIFY(ProposalFiles::writeHeader(app.ctx->store(), kFile, smithHeader())
                    .file()
                    .endsWith(QStringLiteral("TolvarProposals/1001.txt")));
        app.write(QStringLiteral("tolvarproposals/1002.txt"), golden("header_finalize.txt"));
        app.write(QStringLiteral("tolvarproposals/1001.txt"), golden("header_writer.txt"));
        app.write(QStringLiteral("tolvarproposals/1003.TXT"), QByteArray());
        app.write(QStringLiteral("tolvarproposals/notes.doc"), "x");
        app.write(QStringLiteral("tolvarproposals/ProposalBody/1004.txt"), "A\r\n");
        app.mkdir(QStringLiteral("tolvarproposals/Folder.txt"));
        for (int n = 1004; n < 2500; ++n) {
            ProposalHeader h;
            h.number = QString::number(n);
            app.write(QStringLiteral("tolvarproposals/%1.txt").arg(n),
                      ProposalFiles::headerBytes(h));
        }
        const QStringList names = ProposalFiles::listHeaders(app.ctx->store());
        QCOMPARE(names.mid(0, 4), (QStringList{"1001.txt", "1002.txt", "1003.TXT", "1004.txt"}));
        QCOMPARE(names.size(), 1499);
        const QList<StoredProposal> all = ProposalFiles::readAllHeaders(app.ctx->store());
        QCOMPARE(all.size(), 1499);
        QCOMPARE(all.at(1).fileName, QStringLiteral("1002.txt"));
        QCOMPARE(all.at(1).header, smithHeader());
        QCOMPARE(all.at(2).header, ProposalHeader());
        const QList<ProposalFiles::ListedHeader> listed =
            ProposalFiles::readListedHeaders(app.ctx->store());
        QCOMPARE(listed.size(), 1499);
        for (int i = 0; i < listed.size(); ++i) {
            QCOMPARE(listed.at(i).fileName, names.at(i));
            QVERIFY(listed.at(i).header);
            QVERIFY(i < 3 || listed.at(i).header->header.number + ".txt" == names.at(i));
        }
    }

    // The body file reads back as the box holds it, each line ended by CR LF.
    void bodyBytes_data() { cases::load(QStringLiteral("proposals/body_bytes.txt")); }
    void bodyBytes() {
        const QByteArray bytes = cases::row().bytes(1);
        ScriptApp app;  // with the proposal folders
        QVERIFY(ProposalFiles::writeBody(app.ctx->store(), kFile, cases::row().text(0)));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/ProposalBody/1001.txt")), bytes);
        const FileRead<QStringList> lines = ProposalFiles::readBodyLines(app.ctx->store(), kFile);
        QVERIFY(lines.value);
        QCOMPARE(ProposalFiles::joinBodyLines(*lines.value), Text::decode(bytes));
    }
};

TOLVAR_TEST(TestProposalFiles)
#include "test_proposalfiles.moc"
