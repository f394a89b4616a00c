#include "proposals/proposalfiles.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

Q_DECLARE_METATYPE(HeaderForm)
Q_DECLARE_METATYPE(ProposalHeader)

namespace {

// Mr. John Smith's proposal 1001 for $1,234.50, stored on 2026-12-05.
ProposalHeader smithHeader(const QString& number = QStringLiteral("1001")) {
    ProposalHeader h;
    h.number = number;
    h.proposedPrice = Money::fromRaw(12345000);
    h.creationDate = QDate(2026, 12, 5);
    h.accountKey = QStringLiteral("555-1234");
    h.setCustomerLines({QStringLiteral("Mr. John Smith"), QStringLiteral("12 Elm Street"),
                        QString(), QStringLiteral("Springfield"), QStringLiteral("IL"),
                        QStringLiteral("62701"), QStringLiteral("555-1234")});
    h.setSiteLines({QStringLiteral("Smith Cabin"), QStringLiteral("4 Lake Road"),
                    QStringLiteral("Unit 2"), QStringLiteral("Lakeside"), QStringLiteral("WI"),
                    QStringLiteral("53001"), QStringLiteral("555-9876")});
    return h;
}

const QByteArray kCustomerLines =
    "\"Mr. John Smith\"\r\n"
    "\"12 Elm Street\"\r\n"
    "\"\"\r\n"
    "\"Springfield\"\r\n"
    "\"IL\"\r\n"
    "\"62701\"\r\n"
    "\"555-1234\"\r\n";
const QByteArray kSiteLines =
    "\"Smith Cabin\"\r\n"
    "\"4 Lake Road\"\r\n"
    "\"Unit 2\"\r\n"
    "\"Lakeside\"\r\n"
    "\"WI\"\r\n"
    "\"53001\"\r\n"
    "\"555-9876\"\r\n";

const QByteArray kWriterHeader =
    "\"1001\",1234.5,#2026-12-05#\r\n\"555-1234\"\r\n" + kCustomerLines + kSiteLines;
const QByteArray kFinalizeHeader =
    "\"1001\",1234.5,#2026-12-05#,\"555-1234\"\r\n" + kCustomerLines + kSiteLines;
const QByteArray kInvoicedHeader =
    "\"1001P\",1234.5,#2026-12-05#\r\n"
    "\"555-1234\"\r\n"
    "\"Mr. John Smith\",\"12 Elm Street\",\"\",\"Springfield\",\"IL\",\"62701\",\"555-1234\"\r\n"
    "\"Smith Cabin\",\"4 Lake Road\",\"Unit 2\",\"Lakeside\",\"WI\",\"53001\",\"555-9876\"\r\n";

int lineCount(const QByteArray& bytes) {
    return static_cast<int>(bytes.count("\r\n"));
}

}  // namespace

class TestProposalFiles : public QObject {
    Q_OBJECT
private slots:
    void numberOfFileName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("plain") << "1001.txt" << 1001;
        QTest::newRow("leading zero") << "01001.txt" << 0;
        QTest::newRow("marked") << "FP1001.txt" << 0;
        QTest::newRow("words") << "notes.txt" << 0;
        QTest::newRow("other extension") << "1001.doc" << 0;
    }
    void numberOfFileName() {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(ProposalFiles::numberOf(name), number);
    }

    void headerGolden_data() {
        QTest::addColumn<HeaderForm>("form");
        QTest::addColumn<ProposalHeader>("header");
        QTest::addColumn<QByteArray>("golden");
        QTest::addColumn<int>("lines");
        QTest::newRow("writer") << HeaderForm::Writer << smithHeader() << kWriterHeader << 16;
        QTest::newRow("finalize") << HeaderForm::Finalize << smithHeader() << kFinalizeHeader << 15;
        QTest::newRow("invoiced") << HeaderForm::Invoiced << smithHeader(QStringLiteral("1001P"))
                                  << kInvoicedHeader << 4;
    }
    // Written, read and written again: the same bytes and the same 18 fields.
    void headerGolden() {
        QFETCH(HeaderForm, form);
        QFETCH(ProposalHeader, header);
        QFETCH(QByteArray, golden);
        QFETCH(int, lines);
        QCOMPARE(lineCount(golden), lines);
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        FileStore& store = app.ctx->store();
        QVERIFY(ProposalFiles::writeHeader(store, QStringLiteral("1001.txt"), header, form));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/1001.txt")), golden);
        bool complete = false;
        const std::optional<ProposalHeader> back =
            ProposalFiles::readHeader(store, QStringLiteral("1001.txt"), nullptr, &complete);
        QVERIFY(back);
        QVERIFY(complete);
        QCOMPARE(*back, header);
        QVERIFY(ProposalFiles::writeHeader(store, QStringLiteral("1001.txt"), *back, form));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/1001.txt")), golden);
    }

    void fieldProposalFirstLine() {
        ProposalHeader h = smithHeader(QStringLiteral("FP1001"));
        h.proposedPrice = Money();
        h.setSiteLines(h.customerLines());
        const QByteArray bytes = ProposalFiles::headerBytes(h);
        QVERIFY(bytes.startsWith("\"FP1001\",0,#2026-12-05#\r\n\"555-1234\"\r\n"));
        QVERIFY(bytes.endsWith(kCustomerLines + kCustomerLines));
        QVERIFY(ProposalFiles::parseHeader(bytes).isFieldProposal());
    }

    // A quote typed into a name must not break the fields that follow it;
    // surrounding blanks are not stored.
    void quotesAndBlanksInTexts() {
        ProposalHeader h = smithHeader();
        h.customerName = QStringLiteral("  Bob \"Big\" Jones, Jr. ");
        h.siteAddress1 = QStringLiteral("\"Quoted\"");
        const QByteArray bytes = ProposalFiles::headerBytes(h);
        QVERIFY(!bytes.contains("\"Big\""));
        QVERIFY(bytes.contains("\r\n\"Bob 'Big' Jones, Jr.\"\r\n"));
        bool complete = false;
        const ProposalHeader back = ProposalFiles::parseHeader(bytes, &complete);
        QVERIFY(complete);
        QCOMPARE(back.customerName, QStringLiteral("Bob 'Big' Jones, Jr."));
        QCOMPARE(back.siteAddress1, QStringLiteral("'Quoted'"));
        QCOMPARE(back.customerAddress1, h.customerAddress1);
        QCOMPARE(back.siteTelephone, h.siteTelephone);
    }

    void hostileHeaders_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("number");
        QTest::addColumn<qint64>("priceRaw");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("siteTelephone");
        QTest::addColumn<bool>("complete");
        const QDate day(2026, 12, 5);
        QTest::newRow("empty") << QByteArray() << "" << qint64(0) << QDate() << ""
                               << "" << false;
        QTest::newRow("truncated after the account")
            << QByteArray("\"1001\",1234.5,#2026-12-05#\r\n\"555-1234\"\r\n\"Mr. Jo") << "1001"
            << qint64(12345000) << day << "Mr. Jo"
            << "" << false;
        QTest::newRow("price not a number") << QByteArray(kWriterHeader).replace("1234.5", "$1.00x")
                                            << "1001" << qint64(0) << day << "Mr. John Smith"
                                            << "555-9876" << false;
        QTest::newRow("date not a date")
            << QByteArray(kWriterHeader).replace("#2026-12-05#", "#2026-13-45#") << "1001"
            << qint64(12345000) << QDate() << "Mr. John Smith"
            << "555-9876" << false;
        QTest::newRow("only the first line")
            << QByteArray("\"FP1002\",0,#2026-12-05#\r\n") << "FP1002" << qint64(0) << day << ""
            << "" << false;
    }
    void hostileHeaders() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, complete);
        bool got = !complete;
        const ProposalHeader h = ProposalFiles::parseHeader(bytes, &got);
        QCOMPARE(got, complete);
        QTEST(h.number, "number");
        QTEST(h.proposedPrice.raw(), "priceRaw");
        QTEST(h.creationDate, "date");
        QTEST(h.customerName, "name");
        QTEST(h.siteTelephone, "siteTelephone");
    }

    void missingHeaderIsNoError() {
        TempApp app;
        IoStatus status = IoStatus::failure(QStringLiteral("x"), QStringLiteral("stale"));
        bool complete = true;
        QVERIFY(!ProposalFiles::readHeader(app.ctx->store(), QStringLiteral("1001.txt"), &status,
                                           &complete));
        QVERIFY(status.ok());
        QVERIFY(!complete);
    }

    void writeFailureIsReported() {
        TempApp app;  // no TolvarProposals folder: nowhere to write
        const IoStatus s =
            ProposalFiles::writeHeader(app.ctx->store(), QStringLiteral("1001.txt"), smithHeader());
        QVERIFY(!s.ok());
        QVERIFY(s.file().endsWith(QStringLiteral("1001.txt")));
    }

    void listing() {
        TempApp app;
        // The folder's spelling on disk differs from the data path's.
        app.write(QStringLiteral("tolvarproposals/1002.txt"), kWriterHeader);
        app.write(QStringLiteral("tolvarproposals/1001.txt"), kFinalizeHeader);
        app.write(QStringLiteral("tolvarproposals/1003.TXT"), QByteArray());
        app.write(QStringLiteral("tolvarproposals/notes.doc"), "x");
        app.write(QStringLiteral("tolvarproposals/ProposalBody/1001.txt"), "A\r\n");
        app.mkdir(QStringLiteral("tolvarproposals/Folder.txt"));
        FileStore& store = app.ctx->store();
        const QStringList names = ProposalFiles::listHeaders(store);
        QCOMPARE(names, (QStringList{QStringLiteral("1001.txt"), QStringLiteral("1002.txt"),
                                     QStringLiteral("1003.TXT")}));
        const QList<StoredProposal> all = ProposalFiles::readAllHeaders(store);
        QCOMPARE(all.size(), 3);
        QCOMPARE(all.at(0).fileName, QStringLiteral("1001.txt"));
        QCOMPARE(all.at(0).header, smithHeader());
        QCOMPARE(all.at(1).header, smithHeader());
        QCOMPARE(all.at(2).header, ProposalHeader());
    }

    void bodyBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("golden");
        QTest::newRow("box line feeds") << "A\nB" << QByteArray("A\r\nB\r\n");
        QTest::newRow("ends with a line end") << "A\r\n" << QByteArray("A\r\n\r\n");
        QTest::newRow("empty") << "" << QByteArray("\r\n");
        QTest::newRow("western characters")
            << QStringLiteral("Caf\u00e9 \u00ab") << QByteArray("Caf\xe9 \xab\r\n");
    }
    void bodyBytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, golden);
        QCOMPARE(ProposalFiles::bodyBytes(text), golden);
    }

    void bodyRoundTrip() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals/ProposalBody"));
        FileStore& store = app.ctx->store();
        const QString body = QStringLiteral("Line one, with \"quotes\"\r\n\r\nLine three");
        QVERIFY(ProposalFiles::writeBody(store, QStringLiteral("1001.txt"), body));
        const QByteArray golden = "Line one, with \"quotes\"\r\n\r\nLine three\r\n";
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/ProposalBody/1001.txt")), golden);
        const std::optional<QStringList> lines =
            ProposalFiles::readBodyLines(store, QStringLiteral("1001.txt"));
        QVERIFY(lines);
        QCOMPARE(lines->size(), 3);
        QCOMPARE(ProposalFiles::joinBodyLines(*lines), body + QStringLiteral("\r\n"));
        QVERIFY(ProposalFiles::writeBody(store, QStringLiteral("1001.txt"),
                                         lines->join(QStringLiteral("\r\n"))));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/ProposalBody/1001.txt")), golden);
        QVERIFY(!ProposalFiles::readBodyLines(store, QStringLiteral("1002.txt")));
    }

    void deleteFourFiles() {
        TempApp app;
        for (const QString& sub :
             {QString(), QStringLiteral("ProposalBody/"), QStringLiteral("ProposalPayments/"),
              QStringLiteral("ProposalFinancials/")}) {
            app.write(QStringLiteral("TolvarProposals/") + sub + QStringLiteral("1001.txt"), "x");
            app.write(QStringLiteral("TolvarProposals/") + sub + QStringLiteral("1002.txt"), "y");
        }
        QVERIFY(ProposalFiles::deleteFiles(app.ctx->store(), QStringLiteral("1001.txt")));
        for (const QString& sub :
             {QString(), QStringLiteral("ProposalBody/"), QStringLiteral("ProposalPayments/"),
              QStringLiteral("ProposalFinancials/")}) {
            QVERIFY(
                !app.exists(QStringLiteral("TolvarProposals/") + sub + QStringLiteral("1001.txt")));
            QCOMPARE(
                app.read(QStringLiteral("TolvarProposals/") + sub + QStringLiteral("1002.txt")),
                QByteArray("y"));
        }
        // A field proposal has only its header; deleting it is no failure.
        QVERIFY(ProposalFiles::deleteFiles(app.ctx->store(), QStringLiteral("1002.txt")));
        QVERIFY(ProposalFiles::deleteFiles(app.ctx->store(), QStringLiteral("1003.txt")));
    }

    void templateGolden() {
        TempApp app;
        app.mkdir(QStringLiteral("templates/proposals"));
        FileStore& store = app.ctx->store();
        QVERIFY(!ProposalFiles::templateExists(store, QStringLiteral("Roof")));
        QVERIFY(
            ProposalFiles::saveTemplate(store, QStringLiteral("Roof"), QStringLiteral("A\r\nB")));
        QCOMPARE(app.read(QStringLiteral("templates/proposals/Roof.txt")),
                 QByteArray("A\r\nB\r\n"));
        QVERIFY(ProposalFiles::templateExists(store, QStringLiteral("Roof")));
        QCOMPARE(ProposalFiles::listTemplates(store), QStringList{QStringLiteral("Roof.txt")});
        const std::optional<QString> loaded =
            ProposalFiles::loadTemplate(store, QStringLiteral("Roof.txt"));
        QVERIFY(loaded);
        QCOMPARE(*loaded, QStringLiteral("A\r\nB\r\n"));
        QVERIFY(ProposalFiles::deleteTemplate(store, QStringLiteral("Roof.txt")));
        QVERIFY(!app.exists(QStringLiteral("templates/proposals/Roof.txt")));
        QVERIFY(!ProposalFiles::loadTemplate(store, QStringLiteral("Roof")));
    }

    void unsafeTemplateNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("climbs out") << "../Roof";
        QTest::newRow("quote") << "a\"b";
    }
    void unsafeTemplateNames() {
        QFETCH(QString, name);
        TempApp app;
        app.mkdir(QStringLiteral("Templates/Proposals"));
        FileStore& store = app.ctx->store();
        QVERIFY(!ProposalFiles::saveTemplate(store, name, QStringLiteral("A")));
        QVERIFY(!ProposalFiles::loadTemplate(store, name));
        QVERIFY(!ProposalFiles::deleteTemplate(store, name).ok());
        QVERIFY(ProposalFiles::listTemplates(store).isEmpty());
        QCOMPARE(QDir(app.path(QStringLiteral("Templates")))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Proposals")});
        QCOMPARE(QDir(app.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Templates")});
    }
};

TOLVAR_TEST(TestProposalFiles)
#include "test_proposalfiles.moc"
