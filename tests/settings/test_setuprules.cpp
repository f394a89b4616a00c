#include "casefile.h"
#include "settings/settingsfiles.h"
#include "settings/setuprules.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QImage>
#include <QTest>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");

Settings& started(TempApp& app, const QByteArray& business = testData("settings/acme.txt")) {
    app.write("MyBusinessData.txt", business);
    LoadBusinessData(*app.ctx);
    loadSettings(*app.ctx);
    activateSetup(*app.ctx);
    return app.ctx->settings();
}
}  // namespace

class TestSetupRules : public QObject {
    Q_OBJECT
private slots:
    void blankPostalCodeInUsaStyleStays() {
        TempApp app;
        Settings& s = started(app, "\"New Co\"");
        s.addressStyle = AddressStyle::Usa;
        for (bool alarms : {true, false}) {
            app.ctx->vars().SoundAlarms = alarms;
            app.prompter.expectMessage("The Postal Code field can not be Blank", kTitle,
                                       Icon::None);
            QCOMPARE(saveAndReturn(*app.ctx), SetupSave::PostalCodeBlank);
        }
        QCOMPARE(app.prompter.beeps(), 1);  // only while the alarms are on
        s.addressStyle = AddressStyle::International;
        QCOMPARE(saveAndReturn(*app.ctx), SetupSave::Saved);
    }

    void saveWritesEveryFileAndTheSharedValues() {
        TempApp app;
        Settings& s = started(app);
        s.businessBoxes[0] = QStringLiteral("Acme Roofing");
        s.taxHeading1 = QStringLiteral("GST");
        s.applyTax2 = true;
        s.showPrompts = s.soundAlarms = false;
        s.borderColour = 255;
        QCOMPARE(saveAndReturn(*app.ctx), SetupSave::Saved);
        QCOMPARE(app.read("MyBusinessData.txt"),
                 testData("settings/acme.txt").replace("\"Acme\"", "\"Acme Roofing\""));
        QCOMPARE(app.ctx->vars().BusinessData.at(0), QStringLiteral("Acme Roofing"));
        QCOMPARE(app.read("TaxSettings.txt"),
                 QByteArray("\"GST\",\"Tax\",\"4.0\",\"4.0\",0,1\r\n"));
        QCOMPARE(app.read("PrintColors.txt"),
                 QByteArray("255\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n"));
        QCOMPARE(app.read("Prompts.txt"), QByteArray("#FALSE#,#FALSE#\r\n"));
        QVERIFY(!app.ctx->vars().ShowPrompts && !app.ctx->vars().SoundAlarms);
        QVERIFY(!app.exists("LogoSettings.txt"));  // no logo picture
    }

    // Typing is limited to the style's length; text already there is never cut.
    void theStyleNeverCutsAStoredState() {
        TempApp app;
        Settings& s = started(app, testData("settings/acme.txt").replace("NY", "New South Wales"));
        QCOMPARE(s.addressStyle, AddressStyle::Usa);
        QCOMPARE(s.businessBoxes[4], QStringLiteral("New South Wales"));
        toggleAddressStyle(*app.ctx);
        QCOMPARE(s.addressStyle, AddressStyle::International);
        QCOMPARE(Settings::stateBoxLimit(s.addressStyle), 55);
        QVERIFY(s.businessBoxes[5].isEmpty());
        toggleAddressStyle(*app.ctx);  // back: the saved postal code returns
        QCOMPARE(s.businessBoxes.mid(4, 2), (QStringList{"New South Wales", "12180"}));
        QCOMPARE(Settings::stateBoxLimit(s.addressStyle), 2);
        toggleAddressStyle(*app.ctx);
        QCOMPARE(saveAndReturn(*app.ctx), SetupSave::Saved);
        QCOMPARE(app.read("MyBusinessData.txt"),
                 "\"Acme\",\"1 Elm\",\"\",\"Troy\",\"New South Wales\",\"\",\"518-555-0101\",\"\","
                 "\"VAT 9\"\r\n");
        // A company and no postal code: international from now on; the
        // ninth box keeps its edit.
        s.businessBoxes[8] = QStringLiteral("edited");
        activateSetup(*app.ctx);
        QCOMPARE(s.addressStyle, AddressStyle::International);
        QCOMPARE(Settings::businessLabel(4, s.addressStyle), QStringLiteral("Address 4"));
        QCOMPARE(s.businessBoxes.mid(4),
                 (QStringList{"New South Wales", "", "518-555-0101", "", "edited"}));
    }

    void whatTheFileCannotHoldIsReplacedAndTold() {
        TempApp app;
        Settings& s = started(app);
        s.businessBoxes[0] = QStringLiteral("Caf\u00e9 \"\u03a9\" Roofing");  // no omega in 1252
        s.businessBoxes[7] = QStringLiteral("a\u2192b");
        app.prompter.expectMessage(
            "Some characters cannot be stored in the business data and were replaced (a double "
            "quote by ', any other by ?) in: Company Name, Fax No,email or Web",
            kTitle, Icon::Information);
        QCOMPARE(saveAndReturn(*app.ctx), SetupSave::Saved);
        QCOMPARE(app.read("MyBusinessData.txt"),
                 QByteArray("\"Caf\xe9 '?' Roofing\",\"1 Elm\",\"\",\"Troy\",\"NY\",\"12180\","
                            "\"518-555-0101\",\"a?b\",\"VAT 9\"\r\n"));
        QCOMPARE(s.businessBoxes[0], QStringLiteral("Caf\u00e9 '?' Roofing"));
        // The boxes refuse a quote as it comes in, pasted or typed.
        app.prompter.expectMessage("This character, (\") is invalid for this field",
                                   "Invalid Key entry", Icon::Exclamation);
        QVERIFY(!editBusinessBox(*app.ctx, 1, QStringLiteral("1 \"Elm\"")));
        QCOMPARE(s.businessBoxes[1], QStringLiteral("1 Elm"));
    }

    void resetAsksFirst() {
        for (Answer answer : {Answer::No, Answer::Yes}) {
            TempApp app;
            Settings& s = started(app);
            app.prompter.expectQuestion("Do you want to reset (clear)all Business Data?",
                                        "Reset Business Data", Buttons::YesNo, Icon::Question,
                                        answer);
            QCOMPARE(resetBusinessData(*app.ctx), answer == Answer::Yes);
            QCOMPARE(s.businessBoxes.join(QString()).isEmpty(), answer == Answer::Yes);
            QCOMPARE(app.read("MyBusinessData.txt"), testData("settings/acme.txt"));
        }
    }

    void proposalNumber_data() { addCases(QStringLiteral("settings/cases.txt"), "number"); }
    void proposalNumber() {
        QFETCH(Case, c);
        const QString text = str(c[0]);
        const auto outcome = ProposalNumberSave(
            QList<QByteArray>{"Saved", "NotWhole", "OutOfRange", "Taken"}.indexOf(c[1]));
        const int number = c[2].toInt();
        TempApp app;
        app.write("TProposalCounter.txt", "1001\r\n");
        const QString whole = QStringLiteral("The Proposal Number must be a Whole Number");
        if (outcome == ProposalNumberSave::NotWhole || outcome == ProposalNumberSave::OutOfRange) {
            app.prompter.expectMessage(
                whole + (outcome == ProposalNumberSave::NotWhole ? "" : " from 1 to 32767"), kTitle,
                Icon::None);
        } else if (outcome == ProposalNumberSave::Taken) {
            app.prompter.expectMessage("Proposal Number 1005 is held by a stored Proposal", kTitle,
                                       Icon::None);
        }
        const auto stored = [](int n) { return n == 1005 || n == 1002; };
        QCOMPARE(saveProposalNumber(*app.ctx, text, stored), outcome);
        QCOMPARE(app.ctx->vars().ProposalNumber, number);
        QCOMPARE(app.read("TProposalCounter.txt"), QByteArray::number(number) + "\r\n");
    }

    void logoSizeArrows_data() { addCases(QStringLiteral("settings/cases.txt"), "arrow"); }
    void logoSizeArrows() {
        QFETCH(Case, c);
        QCOMPARE(stepLogoSide(c[0].toInt(), c[1].toInt()), c[2].toInt());
    }

    void findStoreAndClearTheLogo() {
        TempApp app;
        Settings& s = started(app);
        const QString picture = app.path("acme.bmp");
        QImage image(10, 5, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(picture, "BMP"));
        app.write("notes.txt", "no picture here");
        QVERIFY(!storeLogo(*app.ctx));  // nothing chosen yet
        app.prompter.expectOpenFile(QString());
        QVERIFY(!findLogo(*app.ctx));
        app.prompter.expectOpenFile(app.path("notes.txt"))
            .expectMessage("The file " + app.path("notes.txt") +
                               " is not a picture that can be used as a Logo.",
                           kTitle, Icon::Exclamation);
        QVERIFY(!findLogo(*app.ctx));
        const QString quoted = app.path("a\"b.bmp");
        QVERIFY(image.save(quoted, "BMP"));
        app.prompter.expectOpenFile(quoted).expectMessage(
            "The name of the file " + quoted +
                " holds a double quote (\"), which cannot be stored. Rename the file or choose "
                "another one.",
            kTitle, Icon::Exclamation);
        QVERIFY(!findLogo(*app.ctx));
        QVERIFY(!s.hasLogo() && !storeLogo(*app.ctx));
        app.prompter.expectOpenFile(picture);
        QVERIFY(findLogo(*app.ctx));
        s.logoHeight = 700;
        app.write("Backup/CompanyLogo.txt", "\"old.bmp\"\r\n");
        app.prompter.expectMessage("Your Logo has been Stored", kTitle, Icon::None);
        QVERIFY(storeLogo(*app.ctx));
        QCOMPARE(app.read("CompanyLogo.txt"), "\"" + picture.toLocal8Bit() + "\"\r\n");
        QCOMPARE(app.read("LogoSettings.txt"), QByteArray("1440,700\r\n"));
        QVERIFY(!app.exists("Backup/CompanyLogo.txt"));
        QVERIFY(!storeLogo(*app.ctx));  // stored once; "&Store" is spent
        app.write("Backup/CompanyLogo.txt", "\"old.bmp\"\r\n");
        for (Answer answer : {Answer::No, Answer::Yes}) {
            app.prompter.expectQuestion("This will Delete your Company Logo", "Delete Logo",
                                        Buttons::YesNo, Icon::Question, answer);
            QCOMPARE(clearLogo(*app.ctx), answer == Answer::Yes);
            QCOMPARE(s.hasLogo(), answer == Answer::No);
        }
        QVERIFY(!app.exists("CompanyLogo.txt") && !app.exists("Backup/CompanyLogo.txt"));
        QCOMPARE(app.read("LogoSettings.txt"), QByteArray("1440,700\r\n"));
    }

    void aFailedWriteIsShownAndTheScreenStays() {
        TempApp app;
        started(app);
        app.mkdir("TaxSettings.txt");
        app.prompter.expectMessage(
            QStringLiteral("The file %1 could not be used: Filename refers to a directory")
                .arg(app.path("TaxSettings.txt")),
            kTitle, Icon::Critical);
        QCOMPARE(saveAndReturn(*app.ctx), SetupSave::Failed);
        QVERIFY(!app.exists("Prompts.txt"));  // written after the taxes
    }
};

TOLVAR_TEST(TestSetupRules)
#include "test_setuprules.moc"
