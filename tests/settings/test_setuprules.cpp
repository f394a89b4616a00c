#include "settings/settingsfiles.h"
#include "settings/setuprules.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QImage>
#include <QTest>

// The setup screen's rules: leaving with a save, the address style, the
// proposal number and the logo buttons.
class TestSetupRules : public QObject {
    Q_OBJECT

    static const QByteArray& acmeFile() {
        static const QByteArray bytes(
            "\"Acme\",\"1 Elm\",\"\",\"Troy\",\"NY\",\"12180\",\"518-555-0101\",\"\",\"VAT "
            "9\"\r\n");
        return bytes;
    }

    static void start(TempApp& app, const QByteArray& business = acmeFile()) {
        if (!business.isEmpty()) {
            app.write(QStringLiteral("MyBusinessData.txt"), business);
        }
        LoadBusinessData(*app.ctx);
        loadSettings(*app.ctx);
        activateSetup(*app.ctx);
    }

    static QString title() { return AppContext::applicationTitle(); }

private slots:
    void blankPostalCodeInUsaStyleStays() {
        TempApp app;
        start(app, {});
        Settings& s = *app.ctx->settings;
        s.businessBoxes[0] = QStringLiteral("New Co");
        s.businessBoxes[5] = QStringLiteral("   ");
        for (bool alarms : {true, false}) {
            app.ctx->vars().SoundAlarms = alarms;
            app.prompter.expectMessage(QStringLiteral("The Postal Code field can not be Blank"),
                                       title());
            QCOMPARE(saveAndReturn(*app.ctx), SetupSave::PostalCodeBlank);
            QCOMPARE(app.prompter.beeps(), 1);  // only while the alarms are on
        }
        QVERIFY(!app.exists(QStringLiteral("MyBusinessData.txt")));
        QVERIFY(!app.exists(QStringLiteral("PrintColors.txt")));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void saveWritesEveryFileAndTheSharedValues() {
        TempApp app;
        start(app);
        Settings& s = *app.ctx->settings;
        s.businessBoxes[0] = QStringLiteral("Acme Roofing");
        s.businessBoxes[4] = QStringLiteral("NYC");  // longer than a state code
        s.taxHeading1 = QStringLiteral("GST");
        s.applyTax2 = true;
        s.showPrompts = false;
        s.soundAlarms = false;
        s.borderColour = 255;
        QCOMPARE(saveAndReturn(*app.ctx), SetupSave::Saved);
        QCOMPARE(
            app.read(QStringLiteral("MyBusinessData.txt")),
            QByteArray("\"Acme Roofing\",\"1 Elm\",\"\",\"Troy\",\"NY\",\"12180\",\"518-555-0101\","
                       "\"\",\"VAT 9\"\r\n"));
        QCOMPARE(app.ctx->vars().BusinessData.at(0), QStringLiteral("Acme Roofing"));
        QCOMPARE(app.ctx->vars().BusinessData.at(4), QStringLiteral("NY"));
        QCOMPARE(app.read(QStringLiteral("TaxSettings.txt")),
                 QByteArray("\"GST\",\"Tax\",\"4.0\",\"4.0\",0,1\r\n"));
        QVERIFY(app.read(QStringLiteral("PrintColors.txt")).startsWith("255\r\n"));
        QCOMPARE(app.read(QStringLiteral("Prompts.txt")), QByteArray("#FALSE#,#FALSE#\r\n"));
        QVERIFY(!app.ctx->vars().ShowPrompts && !app.ctx->vars().SoundAlarms);
        // No logo picture: no logo size file.
        QVERIFY(!app.exists(QStringLiteral("LogoSettings.txt")));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void addressStyleToggleAndSave() {
        TempApp app;
        start(app);
        Settings& s = *app.ctx->settings;
        QCOMPARE(s.addressStyle, AddressStyle::Usa);
        toggleAddressStyle(*app.ctx);
        QCOMPARE(s.addressStyle, AddressStyle::International);
        QVERIFY(s.businessBoxes[5].isEmpty());
        s.businessBoxes[4] = QStringLiteral("Ontario");
        // Back to USA style: the saved postal code returns, the state is cut.
        toggleAddressStyle(*app.ctx);
        QCOMPARE(s.addressStyle, AddressStyle::Usa);
        QCOMPARE(s.businessBoxes[5], QStringLiteral("12180"));
        QCOMPARE(s.businessBoxes[4], QStringLiteral("On"));

        toggleAddressStyle(*app.ctx);
        s.businessBoxes[4] = QStringLiteral("Northern Territory, Australia");
        QCOMPARE(saveAndReturn(*app.ctx), SetupSave::Saved);
        QCOMPARE(
            app.read(QStringLiteral("MyBusinessData.txt")),
            QByteArray("\"Acme\",\"1 Elm\",\"\",\"Troy\",\"Northern Territory, Australia\",\"\","
                       "\"518-555-0101\",\"\",\"VAT 9\"\r\n"));
        // Saved with a company and no postal code: international from now on.
        activateSetup(*app.ctx);
        QCOMPARE(s.addressStyle, AddressStyle::International);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void activationRestoresEightBoxesAndKeepsTheNinth() {
        TempApp app;
        start(app);
        Settings& s = *app.ctx->settings;
        for (int i = 0; i < 9; ++i) {
            s.businessBoxes[i] = QStringLiteral("edited %1").arg(i);
        }
        activateSetup(*app.ctx);
        QCOMPARE(s.businessBoxes.mid(0, 8), app.ctx->vars().BusinessData.mid(0, 8));
        QCOMPARE(s.businessBoxes[8], QStringLiteral("edited 8"));
    }

    void resetAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("no") << int(Answer::No);
        QTest::newRow("yes") << int(Answer::Yes);
    }
    void resetAsksFirst() {
        QFETCH(int, answer);
        TempApp app;
        start(app);
        app.prompter.expectQuestion(
            QStringLiteral("Do you want to reset (clear)all Business Data?"),
            QStringLiteral("Reset Business Data"), Buttons::YesNo, Answer(answer));
        const bool cleared = resetBusinessData(*app.ctx);
        QCOMPARE(cleared, Answer(answer) == Answer::Yes);
        const QStringList boxes = app.ctx->settings->businessBoxes;
        QCOMPARE(boxes.join(QString()).isEmpty(), cleared);
        // Nothing is written until the user saves.
        QCOMPARE(app.read(QStringLiteral("MyBusinessData.txt")), acmeFile());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void proposalNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("message");
        const QString whole = QStringLiteral("The Proposal Number must be a Whole Number");
        const QString range = whole + QStringLiteral(" from 1 to 32767");
        const auto saved = [](const char* name, const char* text, int number) {
            QTest::newRow(name) << QString::fromLatin1(text) << int(ProposalNumberSave::Saved)
                                << number << QString();
        };
        saved("blanks around", " 2001 ", 2001);
        saved("half to even down", "1500.5", 1500);
        saved("half to even up", "1501.5", 1502);
        saved("grouped", "1,500", 1500);
        saved("largest", "32767", 32767);
        const auto refused = [](const char* name, const char* text, ProposalNumberSave why,
                                const QString& message) {
            QTest::newRow(name) << QString::fromLatin1(text) << int(why) << 1001 << message;
        };
        refused("letters", "abc", ProposalNumberSave::NotWhole, whole);
        refused("empty", "", ProposalNumberSave::NotWhole, whole);
        refused("32768", "32768", ProposalNumberSave::OutOfRange, range);
        refused("zero", "0", ProposalNumberSave::OutOfRange, range);
    }
    void proposalNumber() {
        QFETCH(QString, text);
        QFETCH(int, outcome);
        QFETCH(int, number);
        QFETCH(QString, message);
        TempApp app;
        app.write(QStringLiteral("TProposalCounter.txt"), "1001\r\n");
        if (!message.isEmpty()) {
            app.prompter.expectMessage(message, title());
        }
        QCOMPARE(int(saveProposalNumber(*app.ctx, text)), outcome);
        QCOMPARE(app.ctx->vars().ProposalNumber, number);
        QCOMPARE(app.read(QStringLiteral("TProposalCounter.txt")),
                 QByteArray::number(number) + "\r\n");
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void logoSizeArrows_data() {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("result");
        QTest::newRow("add at 1800 wraps") << 1800 << 50 << 360;
        QTest::newRow("add above 1800 wraps") << 2000 << 50 << 360;
        QTest::newRow("subtract at 400 clamps") << 400 << -50 << 360;
        QTest::newRow("subtract at 360 wraps") << 360 << -50 << 1800;
        QTest::newRow("add at 1780 clamps") << 1780 << 50 << 1800;
        QTest::newRow("plain subtract") << 1440 << -50 << 1390;
        QTest::newRow("from far below") << 100 << 50 << 360;
    }
    void logoSizeArrows() {
        QFETCH(int, side);
        QFETCH(int, delta);
        QFETCH(int, result);
        QCOMPARE(stepLogoSide(side, delta), result);
    }

    void findStoreAndClearTheLogo() {
        TempApp app;
        start(app);
        const QString picture = app.path(QStringLiteral("acme.bmp"));
        QImage image(10, 5, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(picture, "BMP"));
        app.write(QStringLiteral("Backup/CompanyLogo.txt"), "\"old.bmp\"\r\n");
        app.write(QStringLiteral("notes.txt"), "no picture here");

        Settings& s = *app.ctx->settings;
        QVERIFY(!storeLogo(*app.ctx));  // nothing chosen yet
        app.prompter.expectOpenFile(QString());
        QVERIFY(!findLogo(*app.ctx));  // cancelled
        app.prompter.expectOpenFile(app.path(QStringLiteral("notes.txt")));
        QVERIFY(!findLogo(*app.ctx));
        QVERIFY(!s.hasLogo() && !storeLogo(*app.ctx));
        QVERIFY(!app.exists(QStringLiteral("CompanyLogo.txt")));

        app.prompter.expectOpenFile(picture);
        QVERIFY(findLogo(*app.ctx));
        QVERIFY(s.hasLogo());
        s.logoHeight = 700;
        app.prompter.expectMessage(QStringLiteral("Your Logo has been Stored"));
        QVERIFY(storeLogo(*app.ctx));
        QCOMPARE(app.read(QStringLiteral("CompanyLogo.txt")),
                 "\"" + picture.toLocal8Bit() + "\"\r\n");
        QCOMPARE(app.read(QStringLiteral("LogoSettings.txt")), QByteArray("1440,700\r\n"));
        QVERIFY(!app.exists(QStringLiteral("Backup/CompanyLogo.txt")));
        QVERIFY(!storeLogo(*app.ctx));  // stored once; "&Store" is spent

        app.write(QStringLiteral("Backup/CompanyLogo.txt"), "\"old.bmp\"\r\n");
        for (Answer answer : {Answer::No, Answer::Yes}) {
            app.prompter.expectQuestion(QStringLiteral("This will Delete your Company Logo"),
                                        QStringLiteral("Delete Logo"), Buttons::YesNo, answer);
            QCOMPARE(clearLogo(*app.ctx), answer == Answer::Yes);
            QCOMPARE(s.hasLogo(), answer == Answer::No);
        }
        QVERIFY(!app.exists(QStringLiteral("CompanyLogo.txt")));
        QVERIFY(!app.exists(QStringLiteral("Backup/CompanyLogo.txt")));
        // Clearing the logo leaves the size file alone.
        QCOMPARE(app.read(QStringLiteral("LogoSettings.txt")), QByteArray("1440,700\r\n"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void aFailedWriteIsShownAndTheScreenStays() {
        TempApp app;
        start(app);
        app.mkdir(QStringLiteral("TaxSettings.txt"));
        QCOMPARE(saveAndReturn(*app.ctx), SetupSave::Failed);
        QCOMPARE(app.prompter.shown().size(), 1);
        QVERIFY2(app.prompter.shown().at(0).contains(QStringLiteral("TaxSettings.txt")),
                 qPrintable(app.prompter.shown().at(0)));
        // The prompts are written after the taxes, so they were not reached.
        QVERIFY(!app.exists(QStringLiteral("Prompts.txt")));
    }
};

TOLVAR_TEST(TestSetupRules)
#include "test_setuprules.moc"
