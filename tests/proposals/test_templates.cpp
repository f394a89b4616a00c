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
    void save_data() { cases::load(QStringLiteral("proposals/template_saves.txt")); }
    void save() {
        const cases::Row c = cases::row();
        const QString typed = c.text(0);
        const bool asked = !c.text(1).isEmpty();
        TempApp app;
        app.write(kFolder + "/Gate.txt", "old\r\n");
        BodyBuilder body(Terms::GenericTerms());
        body.setText(QStringLiteral("A\r\nB"));
        app.prompter.expectInput(kAsk, kSaveTitle, typed);
        if (asked) {
            app.prompter.expectQuestion(
                "A Template named " + typed + " already exists\r\nClick Yes to Replace it",
                QStringLiteral("Template Exists"), Buttons::YesNo, Icon::Question,
                c.yes(1) ? Answer::Yes : Answer::No);
        }
        QCOMPARE(Templates(*app.ctx).save(body), Templates::Saved(c.number(2)));
        const QString file = kFolder + (asked ? "/Gate.txt" : "/Roof.txt");
        QCOMPARE(app.read(file), c.yes(3) ? golden("template_roof.txt") : QByteArray("old\r\n"));
        QCOMPARE(Templates(*app.ctx).list().size(), asked ? 1 : 2);
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

    void deleteAsks() {
        for (const Answer answer : {Answer::Yes, Answer::No}) {
            TempApp app;
            app.write(kFolder + "/Roof.txt", "x\r\n");
            app.write(kFolder + "/notes.doc", "x");
            app.prompter.expectQuestion(QStringLiteral("This will DELETE Template Roof.txt"),
                                        QStringLiteral("Delete Template"), Buttons::YesNo,
                                        Icon::Question, answer);
            Templates t(*app.ctx);
            QCOMPARE(t.remove(QStringLiteral("Roof.txt")), answer == Answer::Yes);
            QCOMPARE(t.available(), answer == Answer::No);
        }
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
    }
};

TOLVAR_TEST(TestTemplates)
#include "test_templates.moc"
