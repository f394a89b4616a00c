#include "proposals/bodybuilder.h"
#include "proposals/templates.h"
#include "proposals/terms.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

namespace {
const QString kFolder = QStringLiteral("Templates/Proposals");
const QString kAsk = QStringLiteral("Enter a Name for this Template");
const QString kSaveTitle = QStringLiteral("Save New Template");

QStringList everyFile(const TempApp& app) {
    QStringList out;
    QDir root(app.dir.path());
    const QStringList all = root.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& f : all) {
        out << f;
    }
    for (const QString& f : QDir(app.path(kFolder)).entryList(QDir::Files, QDir::Name)) {
        out << kFolder + QLatin1Char('/') + f;
    }
    for (const QString& f : QDir(app.path(QStringLiteral("Templates"))).entryList(QDir::Files)) {
        out << QStringLiteral("Templates/") + f;
    }
    return out;
}
}  // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private slots:
    void savingAddsTheGenericTerms() {
        TempApp app;
        const QString terms = Terms::GenericTerms();
        BodyBuilder body(terms);
        body.setText(QStringLiteral("A\r\nB"));
        app.prompter.expectInput(kAsk, QStringLiteral("Roof"));
        QCOMPARE(Templates(*app.ctx).save(body), Templates::Saved::Written);
        QCOMPARE(body.text(), QStringLiteral("A\r\nB\r\n\r\n") + terms);
        QCOMPARE(app.read(kFolder + QStringLiteral("/Roof.txt")),
                 QByteArray("A\r\nB\r\n\r\n") + terms.toLatin1() + "\r\n");
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void badNamesWriteNothing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancel") << QStringLiteral("Roof") << false << QString();
        QTest::newRow("empty") << QString() << true << Templates::emptyNameMessage();
        QTest::newRow("parent") << QStringLiteral("../Roof") << true
                                << Templates::unsafeNameMessage();
        QTest::newRow("backslash")
            << QStringLiteral("..\\..\\Roof") << true << Templates::unsafeNameMessage();
        QTest::newRow("quote") << QStringLiteral("Roof\"s") << true
                               << Templates::unsafeNameMessage();
    }
    void badNamesWriteNothing() {
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        QFETCH(QString, message);
        TempApp app;
        app.mkdir(kFolder);
        BodyBuilder body(QStringLiteral("terms"));
        body.setText(QStringLiteral("terms"));
        app.prompter.expectInput(kAsk, typed, accept);
        if (!message.isEmpty()) {
            app.prompter.expectMessage(message, kSaveTitle);
        }
        const Templates::Saved result = Templates(*app.ctx).save(body);
        QCOMPARE(result, accept ? Templates::Saved::Refused : Templates::Saved::Cancelled);
        QCOMPARE(everyFile(app), QStringList());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void replaceQuestion_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");
        QTest::newRow("yes") << QStringLiteral("Roof") << int(Answer::Yes) << QByteArray("new\r\n")
                             << int(Templates::Saved::Replaced);
        QTest::newRow("no") << QStringLiteral("Roof") << int(Answer::No) << QByteArray("old\r\n")
                            << int(Templates::Saved::Declined);
        // Names compare without regard to case, as on the disk of the program.
        QTest::newRow("other case") << QStringLiteral("ROOF") << int(Answer::No)
                                    << QByteArray("old\r\n") << int(Templates::Saved::Declined);
    }
    void replaceQuestion() {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        TempApp app;
        app.write(kFolder + QStringLiteral("/Roof.txt"), "old\r\n");
        BodyBuilder body(QStringLiteral("new"));
        body.setText(QStringLiteral("new"));
        app.prompter.expectInput(kAsk, typed);
        app.prompter.expectQuestion(
            QStringLiteral("A Template named ") + typed +
                QStringLiteral(" already exists\r\nClick Yes to Replace it"),
            QStringLiteral("Template Exists"), Buttons::YesNo, Answer(answer));
        QCOMPARE(int(Templates(*app.ctx).save(body)), result);
        QCOMPARE(app.read(kFolder + QStringLiteral("/Roof.txt")), content);
        QCOMPARE(QDir(app.path(kFolder)).entryList(QDir::Files).size(), 1);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void deleteAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("gone");
        QTest::newRow("yes") << int(Answer::Yes) << true;
        QTest::newRow("no") << int(Answer::No) << false;
    }
    void deleteAsks() {
        QFETCH(int, answer);
        QFETCH(bool, gone);
        TempApp app;
        app.write(kFolder + QStringLiteral("/Roof.txt"), "x\r\n");
        app.prompter.expectQuestion(QStringLiteral("This will DELETE Template Roof.txt"),
                                    QStringLiteral("Delete Template"), Buttons::YesNo,
                                    Answer(answer));
        Templates t(*app.ctx);
        QCOMPARE(t.remove(QStringLiteral("Roof.txt")), gone);
        QCOMPARE(app.exists(kFolder + QStringLiteral("/Roof.txt")), !gone);
        QCOMPARE(t.available(), !gone);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void listOnlyTextFiles() {
        TempApp app;
        Templates t(*app.ctx);
        QVERIFY(!t.available());
        app.write(kFolder + QStringLiteral("/notes.doc"), "x");
        QVERIFY(!t.available());
        app.write(kFolder + QStringLiteral("/b.txt"), "x");
        app.write(kFolder + QStringLiteral("/A.txt"), "x");
        QCOMPARE(t.list(), (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt")}));
    }

    void loadOfAMissingTemplateIsReported() {
        TempApp app;
        app.mkdir(kFolder);
        QVERIFY(!Templates(*app.ctx).load(QStringLiteral("Gone.txt")));
        QCOMPARE(app.prompter.shown().size(), 1);
        QVERIFY2(app.prompter.shown().first().contains(QStringLiteral("Gone.txt")),
                 qPrintable(app.prompter.shown().first()));
    }
};

TOLVAR_TEST(TestTemplates)
#include "test_templates.moc"
