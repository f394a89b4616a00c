#include "cases.h"
#include "settings/settingsfiles.h"
#include "settings/setuprules.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QImage>
#include <QTest>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");

const QStringList kGolden{"MyBusinessData.txt", "TaxSettings.txt", "PrintColors.txt", "Prompts.txt",
                          "Phone.txt",          "CallID.txt",      "MyWebSite.txt"};

Settings& loaded(TempApp& app) {
    LoadBusinessData(*app.ctx);
    loadSettings(*app.ctx);
    return app.ctx->settings();
}

// What each file put into the model and the shared values, one line per file.
QStringList summary(const TempApp& app) {
    const Settings& s = app.ctx->settings();
    const CommonVariables& v = app.ctx->vars();
    return {v.BusinessData.join(QLatin1Char('|')) + (s.businessBoxes == v.BusinessData ? "" : " x"),
            QStringList{s.taxHeading1, s.taxHeading2, s.taxRate1, s.taxRate2}.join('|') + ' ' +
                bits({s.applyTax1, s.applyTax2}),
            QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(s.borderColour)
                    .arg(s.textColour)
                    .arg(s.fontName)
                    .arg(bits({s.printInColour}))
                    .arg(s.copies) +
                (v.Copies == s.copies ? "" : " x"),
            bits({s.showPrompts, s.soundAlarms, v.ShowPrompts, v.SoundAlarms}),
            bits({s.phoneDaisyChained, v.PhoneDaisyChained, s.callerIdOn, v.CallerIDOn}) + ' ' +
                QString::number(s.storedComPort),
            s.webAddress,
            QStringLiteral("%1x%2 %3").arg(s.logoWidth).arg(s.logoHeight).arg(s.hasLogo())};
}

const QStringList kDefaults{
    "||||||||", "Sales Tax|Tax|4.0|4.0 00", "0 0 Arial 1 3", "1111", "0000 0", "", "1440x1440 0"};

// A 10 x 5 picture saved in the folder; its path.
QString savedPicture(const TempApp& app, const QString& name) {
    QImage image(10, 5, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return image.save(app.path(name), "BMP") ? app.path(name) : QString();
}

// The set-up screen shown on these business data.
Settings& started(TempApp& app, const QByteArray& business = testData("settings/acme.txt")) {
    app.write("MyBusinessData.txt", business);
    loaded(app);
    activateSetup(*app.ctx);
    return app.ctx->settings();
}
}  // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT
    // A fresh application folder for every test, gone before the next one.
    std::unique_ptr<TempApp> app;
private slots:
    void init() { app = std::make_unique<TempApp>(); }
    void cleanup() { app.reset(); }
    // Read, write again: identical bytes, whatever the locale.
    void goldenFilesReadAndWriteBack() {
        for (const QString& name : kGolden) {
            app->write(name, testData("settings/" + name));
        }
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Settings& s = loaded(*app);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(summary(*app),
                 (QStringList{"Acme Roofing|12 Main St||Springfield|IL|62701|217-555-0100|"
                              "acme@example.com|FEIN 12-3456789",
                              "GST|Tax Surcharge|7,0|5.0 10", "255 16711680 Courier New 0 5",
                              "0101", "1111 3", "www.acme.example", "1440x1440 0"}));
        QCOMPARE(s.textQColor(), QColor(0, 0, 255));
        for (const QString& name : kGolden) {
            QFile::remove(app->path(name));
        }
        FileStore& store = app->ctx->store();
        QVERIFY(SettingsFiles::writeBusinessData(store, app->ctx->vars().BusinessData));
        QVERIFY(SettingsFiles::writeTaxSettings(store, s));
        QVERIFY(SettingsFiles::writePrintColours(store, s));
        QVERIFY(SettingsFiles::writePrompts(store, s));
        for (const QString& name : kGolden.mid(0, 4)) {
            QCOMPARE(app->read(name), testData("settings/" + name));
        }
    }

    // A field of the wrong type takes its default; the fields after it are
    // still read, and the other files are untouched: on a first start every
    // value is the default, the shared ones too.
    void hostileFieldsTakeTheirDefaults_data() { cases::load("settings/cases.txt", "hostile"); }
    void hostileFieldsTakeTheirDefaults() {
        const cases::Row c = cases::row();
        app->ctx->vars().ShowPrompts = app->ctx->vars().SoundAlarms = false;
        app->ctx->vars().Copies = 5;
        app->write(str(c[0]), c[1]);
        loaded(*app);
        QStringList expected = kDefaults;
        expected[c[2].toInt()] = str(c[3]);
        QCOMPARE(summary(*app), expected);
        QCOMPARE(app->read(str(c[0])), c[1]);
        // A company without a postal code is international.
        QCOMPARE(app->ctx->settings().addressStyle == AddressStyle::Usa,
                 str(c[0]) != QLatin1String("MyBusinessData.txt"));
    }

    void aFailedRestoreIsReportedAndTheDefaultsKept() {
        for (const char* name : {"MyBusinessData.txt", "TaxSettings.txt", "Prompts.txt"}) {
            app->mkdir(name);
            app->write(QStringLiteral("Backup/") + name, "\"x\",\"y\",\"5.0\"");
            expectUnusable(*app, QString::fromLatin1(name), true);
        }
        app->write("Backup/PrintColors.txt", "0\r\n0\r\n\"Verdana\"\r\n#TRUE#\r\n4\r\n");
        loaded(*app);
        QStringList expected = kDefaults;
        expected[2] = QStringLiteral("0 0 Verdana 1 4");
        QCOMPARE(summary(*app), expected);
    }

    // Writers that replace a backed-up file drop its backup copy, so that a
    // later restore cannot bring back the old values.
    void writersDropTheBackupCopiesTheyShould() {
        for (const char* name : {"PrintColors.txt", "TaxSettings.txt", "CompanyLogo.txt",
                                 "Prompts.txt", "LogoSettings.txt"}) {
            app->write(QStringLiteral("Backup/") + name, "old\r\n");
        }
        Settings& s = app->ctx->settings();
        s.taxHeading1 = QStringLiteral("\"Sales\" Tax");
        s.fontName = QStringLiteral("My \"Font\"");
        FileStore& store = app->ctx->store();
        QVERIFY(SettingsFiles::writePrintColours(store, s));
        QVERIFY(SettingsFiles::writeTaxSettings(store, s));
        QVERIFY(SettingsFiles::writeLogoPath(store, QStringLiteral("C:\\Logos\\acme.bmp")));
        QVERIFY(SettingsFiles::writePrompts(store, s));
        QVERIFY(SettingsFiles::writeLogoSize(store, s));  // no picture: nothing written
        s.logo = QImage(4, 4, QImage::Format_RGB32);
        s.logoHeight = 1000;
        QVERIFY(SettingsFiles::writeLogoSize(store, s));
        QCOMPARE(QDir(app->path("Backup")).entryList(QDir::Files),
                 (QStringList{"LogoSettings.txt", "Prompts.txt"}));
        QCOMPARE(app->read("CompanyLogo.txt"), QByteArray("\"C:\\Logos\\acme.bmp\"\r\n"));
        QCOMPARE(app->read("LogoSettings.txt"), QByteArray("1440,1000\r\n"));
        // Quotes never break a file.
        loaded(*app);
        QCOMPARE(summary(*app).mid(1, 2),
                 (QStringList{"'Sales' Tax|Tax|4.0|4.0 00", "0 0 My 'Font' 1 3"}));
    }

    void logoIsLoadedOnlyWhenThePictureExists() {
        const QString picture = savedPicture(*app, "logo.bmp");
        app->write("CompanyLogo.txt", "\"" + picture.toLocal8Bit() + "\"\r\n");
        QCOMPARE(loaded(*app).logo.size(), QSize(10, 5));
        app->write("logo.bmp", "this is not a picture");
        QVERIFY(!loaded(*app).hasLogo());
        QVERIFY(QFile::remove(picture));
        QVERIFY(!loaded(*app).hasLogo());
        QCOMPARE(app->ctx->settings().logoPath, picture);  // kept, in the model and the file
    }

    void coloursAndCopies() {
        const quint32 file = 0x12u + 256u * 0x34u + 65536u * 0x56u;
        QCOMPARE(Settings::toRgb(file), 0x123456u);
        QCOMPARE(Settings::fromQColor(QColor::fromRgb(0x123456u)), file);
        for (int copies : {5, 0, 6}) {
            chooseCopies(*app->ctx, copies);
        }
        QCOMPARE(std::pair(app->ctx->vars().Copies, app->ctx->settings().copies), std::pair(5, 5));
    }

    // The set-up screen's rules.
    void blankPostalCodeInUsaStyleStays() {
        Settings& s = started(*app, "\"New Co\"");
        s.addressStyle = AddressStyle::Usa;
        for (bool alarms : {true, false}) {
            app->ctx->vars().SoundAlarms = alarms;
            app->prompter.expectMessage("The Postal Code field can not be Blank", kTitle,
                                        Icon::None);
            QCOMPARE(saveAndReturn(*app->ctx), SetupSave::PostalCodeBlank);
        }
        QCOMPARE(app->prompter.beeps(), 1);  // only while the alarms are on
        s.addressStyle = AddressStyle::International;
        QCOMPARE(saveAndReturn(*app->ctx), SetupSave::Saved);
    }

    void saveWritesEveryFileAndTheSharedValues() {
        Settings& s = started(*app);
        s.businessBoxes[0] = QStringLiteral("Acme Roofing");
        s.taxHeading1 = QStringLiteral("GST");
        s.applyTax2 = true;
        s.showPrompts = s.soundAlarms = false;
        s.borderColour = 255;
        QCOMPARE(saveAndReturn(*app->ctx), SetupSave::Saved);
        for (const QString& name : kGolden.mid(0, 4)) {
            QCOMPARE(app->read(name), testData("settings/saved/" + name));
        }
        QCOMPARE(app->ctx->vars().BusinessData.at(0), QStringLiteral("Acme Roofing"));
        QVERIFY(!app->ctx->vars().ShowPrompts && !app->ctx->vars().SoundAlarms);
        QVERIFY(!app->exists("LogoSettings.txt"));  // no logo picture
    }

    // Typing is limited to the style's length; text already there is never cut.
    void theStyleNeverCutsAStoredState() {
        Settings& s = started(*app, testData("settings/acme.txt").replace("NY", "New South Wales"));
        QCOMPARE(s.addressStyle, AddressStyle::Usa);
        QCOMPARE(s.businessBoxes[4], QStringLiteral("New South Wales"));
        toggleAddressStyle(*app->ctx);
        QCOMPARE(s.addressStyle, AddressStyle::International);
        QCOMPARE(Settings::stateBoxLimit(s.addressStyle), 55);
        QVERIFY(s.businessBoxes[5].isEmpty());
        toggleAddressStyle(*app->ctx);  // back: the saved postal code returns
        QCOMPARE(s.businessBoxes.mid(4, 2), (QStringList{"New South Wales", "12180"}));
        QCOMPARE(Settings::stateBoxLimit(s.addressStyle), 2);
        toggleAddressStyle(*app->ctx);
        QCOMPARE(saveAndReturn(*app->ctx), SetupSave::Saved);
        QCOMPARE(app->read("MyBusinessData.txt"),
                 "\"Acme\",\"1 Elm\",\"\",\"Troy\",\"New South Wales\",\"\",\"518-555-0101\",\"\","
                 "\"VAT 9\"\r\n");
        // A company and no postal code: international from now on; the
        // ninth box keeps its edit.
        s.businessBoxes[8] = QStringLiteral("edited");
        activateSetup(*app->ctx);
        QCOMPARE(s.addressStyle, AddressStyle::International);
        QCOMPARE(Settings::businessLabel(4, s.addressStyle), QStringLiteral("Address 4"));
        QCOMPARE(s.businessBoxes.mid(4),
                 (QStringList{"New South Wales", "", "518-555-0101", "", "edited"}));
    }

    void whatTheFileCannotHoldIsReplacedAndTold() {
        Settings& s = started(*app);
        s.businessBoxes[0] = QStringLiteral("Caf\u00e9 \"\u03a9\" Roofing");  // no omega in 1252
        s.businessBoxes[7] = QStringLiteral("a\u2192b");
        app->prompter.expectMessage(
            "Some characters cannot be stored in the business data and were replaced (a double "
            "quote by ', any other by ?) in: Company Name, Fax No,email or Web",
            kTitle, Icon::Information);
        QCOMPARE(saveAndReturn(*app->ctx), SetupSave::Saved);
        QCOMPARE(app->read("MyBusinessData.txt"),
                 QByteArray("\"Caf\xe9 '?' Roofing\",\"1 Elm\",\"\",\"Troy\",\"NY\",\"12180\","
                            "\"518-555-0101\",\"a?b\",\"VAT 9\"\r\n"));
        QCOMPARE(s.businessBoxes[0], QStringLiteral("Caf\u00e9 '?' Roofing"));
    }

    // A business box takes an edit unless it adds a double quote; there are
    // only so many boxes.
    void businessBoxEdits() {
        Settings& s = started(*app);
        QStringList after = s.businessBoxes;
        after[1] = QStringLiteral("2 Oak");
        QVERIFY(editBusinessBox(*app->ctx, 1, QStringLiteral("2 Oak")));
        QVERIFY(!editBusinessBox(*app->ctx, Settings::BusinessFieldCount, QStringLiteral("x")));
        QVERIFY(!editBusinessBox(*app->ctx, -1, QStringLiteral("x")));
        app->prompter.expectMessage(
            QStringLiteral("This character, (\") is invalid for this field"),
            QStringLiteral("Invalid Key entry"), Icon::Exclamation);
        QVERIFY(!editBusinessBox(*app->ctx, 1, QStringLiteral("2 \"Oak")));
        QCOMPARE(s.businessBoxes, after);
    }

    void resetAsksFirst() {
        for (Answer answer : {Answer::No, Answer::Yes}) {
            app = std::make_unique<TempApp>();
            Settings& s = started(*app);
            app->prompter.expectQuestion("Do you want to reset (clear)all Business Data?",
                                         "Reset Business Data", Buttons::YesNo, Icon::Question,
                                         answer);
            QCOMPARE(resetBusinessData(*app->ctx), answer == Answer::Yes);
            QCOMPARE(s.businessBoxes.join(QString()).isEmpty(), answer == Answer::Yes);
            QCOMPARE(app->read("MyBusinessData.txt"), testData("settings/acme.txt"));
        }
    }

    void proposalNumber_data() { cases::load("settings/cases.txt", "number"); }
    void proposalNumber() {
        const cases::Row c = cases::row();
        app->write("TProposalCounter.txt", "1001\r\n");
        if (!c[3].isEmpty()) {
            app->prompter.expectMessage(str(c[3]), kTitle, Icon::None);
        }
        const auto stored = [](int n) { return n == 1005 || n == 1002; };
        QCOMPARE(int(saveProposalNumber(*app->ctx, str(c[0]), stored)),
                 int(QList<QByteArray>{"Saved", "NotWhole", "OutOfRange", "Taken"}.indexOf(c[1])));
        QCOMPARE(app->ctx->vars().ProposalNumber, c[2].toInt());
        QCOMPARE(app->read("TProposalCounter.txt"), c[2] + "\r\n");
    }

    void logoSizeArrows_data() { cases::load("settings/cases.txt", "arrow"); }
    void logoSizeArrows() {
        const cases::Row c = cases::row();
        QCOMPARE(stepLogoSide(c[0].toInt(), c[1].toInt()), c[2].toInt());
    }

    void findStoreAndClearTheLogo() {
        Settings& s = started(*app);
        const QString picture = savedPicture(*app, "acme.bmp");
        app->write("notes.txt", "no picture here");
        QVERIFY(!storeLogo(*app->ctx));  // nothing chosen yet
        app->prompter.expectOpenFile(QString());
        QVERIFY(!findLogo(*app->ctx));
        app->prompter.expectOpenFile(app->path("notes.txt"))
            .expectMessage("The file " + app->path("notes.txt") +
                               " is not a picture that can be used as a Logo.",
                           kTitle, Icon::Exclamation);
        QVERIFY(!findLogo(*app->ctx));
        const QString quoted = savedPicture(*app, "a\"b.bmp");
        app->prompter.expectOpenFile(quoted).expectMessage(
            "The name of the file " + quoted +
                " holds a double quote (\"), which cannot be stored. Rename the file or choose "
                "another one.",
            kTitle, Icon::Exclamation);
        QVERIFY(!findLogo(*app->ctx));
        QVERIFY(!s.hasLogo() && !storeLogo(*app->ctx));
        app->prompter.expectOpenFile(picture);
        QVERIFY(findLogo(*app->ctx));
        s.logoHeight = 700;
        app->write("Backup/CompanyLogo.txt", "\"old.bmp\"\r\n");
        app->prompter.expectMessage("Your Logo has been Stored", kTitle, Icon::None);
        QVERIFY(storeLogo(*app->ctx));
        QVERIFY(app->exists("CompanyLogo.txt") && !app->exists("Backup/CompanyLogo.txt"));
        QVERIFY(!storeLogo(*app->ctx));  // stored once; "&Store" is spent
        app->write("Backup/CompanyLogo.txt", "\"old.bmp\"\r\n");
        for (Answer answer : {Answer::No, Answer::Yes}) {
            app->prompter.expectQuestion("This will Delete your Company Logo", "Delete Logo",
                                         Buttons::YesNo, Icon::Question, answer);
            QCOMPARE(clearLogo(*app->ctx), answer == Answer::Yes);
            QCOMPARE(s.hasLogo(), answer == Answer::No);
        }
        QVERIFY(!app->exists("CompanyLogo.txt") && !app->exists("Backup/CompanyLogo.txt"));
        QCOMPARE(app->read("LogoSettings.txt"), QByteArray("1440,700\r\n"));
    }

    void aFailedWriteIsShownAndTheScreenStays() {
        started(*app);
        app->mkdir("TaxSettings.txt");
        expectUnusable(*app, "TaxSettings.txt");
        QCOMPARE(saveAndReturn(*app->ctx), SetupSave::Failed);
        QVERIFY(!app->exists("Prompts.txt"));  // written after the taxes
    }
};

TOLVAR_TEST(TestSettingsFiles)
#include "test_settingsfiles.moc"
