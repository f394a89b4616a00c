#include "proposals/bodybuilder.h"
#include "proposals/templates.h"
#include "proposals/terms.h"
#include "proposalsfixture.h"
#include "shell/filestore.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

namespace {
const QString kFolder = QStringLiteral("Templates/Proposals");
const QString kAsk = QStringLiteral("Enter a Name for this Template");
const QString kSaveTitle = QStringLiteral("Save New Template");

// Every entry below the application folder, folders included.
QStringList entries(const TempApp& app) {
    QStringList out;
    for (const QString& d : {QString(), QStringLiteral("Templates"), kFolder}) {
        for (const QString& e :
             QDir(app.path(d)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            out << d + QLatin1Char('/') + e;
        }
    }
    return out;
}
}  // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private slots:
    // Saved under the typed name, the generic terms added first; an
    // existing one replaced only on Yes, whatever the case of its name.
    void save_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");  // -1: no question
        QTest::addColumn<int>("saved");
        QTest::addColumn<QByteArray>("file");
        const QByteArray roof = golden("template_roof.txt");
        QTest::newRow("new") << "Roof" << -1 << int(Templates::Saved::Written) << roof;
        QTest::newRow("replaced") << "Gate" << int(Answer::Yes) << int(Templates::Saved::Replaced)
                                  << roof;
        QTest::newRow("kept") << "GATE" << int(Answer::No) << int(Templates::Saved::Declined)
                              << QByteArray("old\r\n");
    }
    void save() {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        TempApp app;
        app.write(kFolder + "/Gate.txt", "old\r\n");
        BodyBuilder body(Terms::GenericTerms());
        body.setText(QStringLiteral("A\r\nB"));
        app.prompter.expectInput(kAsk, kSaveTitle, typed);
        if (answer >= 0) {
            app.prompter.expectQuestion(
                "A Template named " + typed + " already exists\r\nClick Yes to Replace it",
                QStringLiteral("Template Exists"), Buttons::YesNo, Icon::Question, Answer(answer));
        }
        QTEST(int(Templates(*app.ctx).save(body)), "saved");
        const QString file = kFolder + (answer < 0 ? "/Roof.txt" : "/Gate.txt");
        QTEST(app.read(file), "file");
        QCOMPARE(Templates(*app.ctx).list().size(), answer < 0 ? 2 : 1);
    }

    void badNamesWriteNothing_data() {
        cases::load(QStringLiteral("proposals/template_names.txt"));
    }
    void badNamesWriteNothing() {
        const cases::Row c = cases::row();
        const bool accept = c.yes(1);
        TempApp app;
        BodyBuilder body(QStringLiteral("terms"));
        app.prompter.expectInput(kAsk, kSaveTitle, c.text(0), accept);
        if (accept) {
            app.prompter.expectMessage(c.text(2) == "empty" ? Templates::emptyNameMessage()
                                                            : Templates::unsafeNameMessage(),
                                       kSaveTitle, Icon::Exclamation);
        }
        const auto saved = Templates(*app.ctx).save(body);
        QCOMPARE(saved, accept ? Templates::Saved::Refused : Templates::Saved::Cancelled);
        QCOMPARE(entries(app), QStringList());
    }

    void deleteAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(Answer::Yes);
        QTest::newRow("no") << int(Answer::No);
    }
    void deleteAsks() {
        QFETCH(int, answer);
        TempApp app;
        app.write(kFolder + "/Roof.txt", "x\r\n");
        app.write(kFolder + "/notes.doc", "x");
        app.prompter.expectQuestion(QStringLiteral("This will DELETE Template Roof.txt"),
                                    QStringLiteral("Delete Template"), Buttons::YesNo,
                                    Icon::Question, Answer(answer));
        Templates t(*app.ctx);
        QCOMPARE(t.remove(QStringLiteral("Roof.txt")), answer == int(Answer::Yes));
        QCOMPARE(t.available(), answer == int(Answer::No));
    }

    void loadAndList() {
        TempApp app;
        app.write(kFolder + "/b.txt", "x\r\ny");
        app.write(kFolder + "/A.txt", "x");
        Templates t(*app.ctx);
        QCOMPARE(t.list(), (QStringList{"A.txt", "b.txt"}));
        QCOMPARE(t.load(QStringLiteral("b.txt")), std::optional<QString>("x\r\ny\r\n"));
        app.prompter.expectMessage(
            IoStatus::failure(app.path(kFolder + "/Gone.txt"), "it no longer exists").message(),
            QStringLiteral("Tolvar Proposals"), Icon::Critical);
        QCOMPARE(t.load(QStringLiteral("Gone.txt")), std::nullopt);
    }

    // One quoted field with CR LF line breaks inside, then CR LF.
    void customTextBytes_data() { cases::load(QStringLiteral("proposals/custom_texts.txt")); }
    void customTextBytes() {
        const cases::Row c = cases::row();
        QCOMPARE(Terms::customTextBytes(c.text(0)), c.bytes(1));
        QCOMPARE(Terms::parseCustomText(c.bytes(1)), c.text(2));
    }

    void hostileCustomText_data() {
        cases::load(QStringLiteral("proposals/custom_texts_hostile.txt"));
    }
    void hostileCustomText() {
        QCOMPARE(Terms::parseCustomText(cases::row().bytes(0)), cases::row().text(1));
    }

    // A stale backup is removed with the save, so a deleted text stays deleted.
    void customTextThroughTheStore() {
        TempApp app;
        FileStore& store = app.ctx->store();
        app.write(QStringLiteral("Backup/CustomTerms.txt"), "\"old\"\r\n");
        QCOMPARE(Terms::loadCustomText(store, Terms::customTermsPath()).value,
                 std::optional<QString>("old"));
        QVERIFY(Terms::saveCustomText(store, Terms::customTermsPath(), "New\nline"));
        QCOMPARE(app.read(QStringLiteral("CustomTerms.txt")), QByteArray("\"New\r\nline\"\r\n"));
        QVERIFY(Terms::deleteCustomText(store, Terms::customTermsPath()));
        QCOMPARE(Terms::loadCustomText(store, Terms::customTermsPath()).value, std::nullopt);
        app.mkdir(QStringLiteral("CustomTerms.txt/inside"));
        QVERIFY(!Terms::saveCustomText(store, Terms::customTermsPath(), "x").ok());
    }

    void boxCleared() {
        TempApp app;
        app.prompter.expectMessage(QStringLiteral("The Custom Terms input box has been Cleared\r\n"
                                                  "The file Custom Terms has not been Deleted"),
                                   QStringLiteral("Input Box Cleared"), Icon::None);
        Terms::reportBoxCleared(app.prompter, QStringLiteral("Custom Terms"));
    }
};

TOLVAR_TEST(TestTemplates)
#include "test_templates.moc"
