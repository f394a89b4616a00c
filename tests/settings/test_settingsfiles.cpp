#include "settings/settingsfiles.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QImage>
#include <QTest>

// Reading and writing the settings files, byte for byte, with their defaults.
class TestSettingsFiles : public QObject {
    Q_OBJECT

    static Settings loaded(TempApp& app) {
        loadSettings(*app.ctx);
        return *app.ctx->settings;
    }

    // The print colours file's five values, one line to compare.
    static QString colourLine(const Settings& s) {
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(s.borderColour)
            .arg(s.textColour)
            .arg(s.fontName)
            .arg(s.printInColour ? 1 : 0)
            .arg(s.copies);
    }

private slots:
    void firstStartGivesEveryDefault() {
        TempApp app;
        app.ctx->vars().ShowPrompts = app.ctx->vars().SoundAlarms = false;
        app.ctx->vars().Copies = 5;
        const Settings s = loaded(app);
        QCOMPARE(QStringList({s.taxHeading1, s.taxHeading2, s.taxRate1, s.taxRate2}),
                 QStringList({QStringLiteral("Sales Tax"), QStringLiteral("Tax"),
                              QStringLiteral("4.0"), QStringLiteral("4.0")}));
        QVERIFY(!s.applyTax1 && !s.applyTax2 && s.showPrompts && s.soundAlarms);
        QVERIFY(app.ctx->vars().ShowPrompts && app.ctx->vars().SoundAlarms);
        QCOMPARE(colourLine(s), QStringLiteral("0 0 Arial 1 3"));
        QCOMPARE(app.ctx->vars().Copies, 3);
        QVERIFY(!s.hasLogo() && s.logoPath.isEmpty());
        QCOMPARE(QSize(s.logoWidth, s.logoHeight), QSize(1440, 1440));
        QVERIFY(!s.phoneDaisyChained && !s.callerIdOn && s.webAddress.isEmpty());
        QCOMPARE(s.addressStyle, AddressStyle::Usa);
        QVERIFY(app.ctx->vars().BusinessData.join(QString()).isEmpty());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    // Hand-written files are read into the model and the shared values, and
    // written back unchanged.
    void handWrittenFilesReadAndWriteBack() {
        TempApp app;
        const QByteArray business(
            "\"Acme Roofing\",\"12 Main St\",\"\",\"Springfield\",\"IL\",\"62701\","
            "\"217-555-0100\",\"acme@example.com\",\"FEIN 12-3456789\"\r\n");
        const QByteArray tax("\"GST\",\"Tax Surcharge\",\"7,0\",\"5.0\",1,0\r\n");
        const QByteArray colours("255\r\n16711680\r\n\"Courier New\"\r\n#FALSE#\r\n5\r\n");
        const QByteArray prompts("#FALSE#,#TRUE#\r\n");
        app.write(QStringLiteral("MyBusinessData.txt"), business);
        app.write(QStringLiteral("TaxSettings.txt"), tax);
        app.write(QStringLiteral("Prompts.txt"), prompts);
        app.write(QStringLiteral("PrintColors.txt"), colours);
        app.write(QStringLiteral("Phone.txt"), "#TRUE#,3\r\n");
        app.write(QStringLiteral("CallID.txt"), "#TRUE#\r\n");
        app.write(QStringLiteral("MyWebSite.txt"), "\"www.acme.example\"\r\n");
        LoadBusinessData(*app.ctx);
        const Settings s = loaded(app);
        const QStringList nine = app.ctx->vars().BusinessData;
        QCOMPARE(nine.size(), 9);
        QCOMPARE(nine.at(0), QStringLiteral("Acme Roofing"));
        QCOMPARE(nine.at(2), QString());
        QCOMPARE(nine.at(8), QStringLiteral("FEIN 12-3456789"));
        QCOMPARE(s.businessBoxes, nine);
        QCOMPARE(QStringList({s.taxHeading1, s.taxHeading2, s.taxRate1, s.taxRate2}),
                 QStringList({QStringLiteral("GST"), QStringLiteral("Tax Surcharge"),
                              QStringLiteral("7,0"), QStringLiteral("5.0")}));
        QVERIFY(s.applyTax1 && !s.applyTax2);
        QVERIFY(!s.showPrompts && s.soundAlarms && !app.ctx->vars().ShowPrompts);
        QCOMPARE(colourLine(s), QStringLiteral("255 16711680 Courier New 0 5"));
        QCOMPARE(s.borderQColor(), QColor(255, 0, 0));
        QCOMPARE(s.textQColor(), QColor(0, 0, 255));
        QCOMPARE(app.ctx->vars().Copies, 5);
        QVERIFY(s.phoneDaisyChained && app.ctx->vars().PhoneDaisyChained);
        QCOMPARE(s.storedComPort, 3);
        QVERIFY(s.callerIdOn && app.ctx->vars().CallerIDOn);
        QCOMPARE(s.webAddress, QStringLiteral("www.acme.example"));

        FileStore& store = app.ctx->store();
        QVERIFY(SettingsFiles::writeBusinessData(store, nine));
        QVERIFY(SettingsFiles::writeTaxSettings(store, s));
        QVERIFY(SettingsFiles::writePrintColours(store, s));
        QVERIFY(SettingsFiles::writePrompts(store, s));
        QCOMPARE(app.read(QStringLiteral("MyBusinessData.txt")), business);
        QCOMPARE(app.read(QStringLiteral("TaxSettings.txt")), tax);
        QCOMPARE(app.read(QStringLiteral("PrintColors.txt")), colours);
        QCOMPARE(app.read(QStringLiteral("Prompts.txt")), prompts);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void logoFilesBytes() {
        TempApp app;
        Settings s;
        s.logoWidth = 900;
        FileStore& store = app.ctx->store();
        QVERIFY(SettingsFiles::writeLogoSize(store, s));  // no picture: nothing written
        QVERIFY(!app.exists(QStringLiteral("LogoSettings.txt")));
        s.logo = QImage(4, 4, QImage::Format_RGB32);
        s.logoWidth = 1440;
        s.logoHeight = 1000;
        QVERIFY(SettingsFiles::writeLogoSize(store, s));
        QVERIFY(SettingsFiles::writeLogoPath(store, QStringLiteral("C:\\Logos\\acme.bmp")));
        QCOMPARE(app.read(QStringLiteral("LogoSettings.txt")), QByteArray("1440,1000\r\n"));
        QCOMPARE(app.read(QStringLiteral("CompanyLogo.txt")),
                 QByteArray("\"C:\\Logos\\acme.bmp\"\r\n"));
    }

    // Fields may be spread over lines in any way; a line end is a comma.
    void fieldsSpreadOverLines() {
        TempApp app;
        app.write(QStringLiteral("TaxSettings.txt"),
                  "\"VAT Tax\"\r\n\"Tax\",\"6.0\"\r\n\"7.0\"\r\n0\r\n1\r\n");
        app.write(QStringLiteral("PrintColors.txt"), "65280,0,\"Arial\",#TRUE#,1\r\n");
        const Settings s = loaded(app);
        QCOMPARE(s.taxHeading1, QStringLiteral("VAT Tax"));
        QCOMPARE(s.taxRate2, QStringLiteral("7.0"));
        QVERIFY(!s.applyTax1 && s.applyTax2);
        QCOMPARE(s.borderQColor(), QColor(0, 255, 0));
        QCOMPARE(s.copies, 1);
    }

    void logoSizeIsClamped_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("limit kept") << QByteArray("2880,2880\r\n") << QSize(2880, 2880);
        QTest::newRow("one above") << QByteArray("1000,2881\r\n") << QSize(1000, 1440);
        QTest::newRow("real numbers") << QByteArray("1250.5,999.6\r\n") << QSize(1250, 1000);
        QTest::newRow("text for numbers") << QByteArray("\"wide\",abc\r\n") << QSize(1440, 1440);
        QTest::newRow("negative and zero") << QByteArray("-50,0\r\n") << QSize(1440, 1440);
        QTest::newRow("one field only") << QByteArray("800\r\n") << QSize(800, 1440);
        QTest::newRow("empty file") << QByteArray() << QSize(1440, 1440);
        QTest::newRow("huge") << QByteArray("1e300,99999999999999999999\r\n") << QSize(1440, 1440);
    }
    void logoSizeIsClamped() {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        TempApp app;
        app.write(QStringLiteral("LogoSettings.txt"), file);
        const Settings s = loaded(app);
        QCOMPARE(QSize(s.logoWidth, s.logoHeight), size);
        // No logo picture is loaded, so the file is not written again.
        QCOMPARE(app.read(QStringLiteral("LogoSettings.txt")), file);
    }

    void addressStyleFollowsCompanyAndPostalCode_data() {
        QTest::addColumn<QByteArray>("company");
        QTest::addColumn<QByteArray>("postal");
        QTest::addColumn<bool>("usa");
        QTest::newRow("both empty") << QByteArray() << QByteArray() << true;
        QTest::newRow("company, numeric postal")
            << QByteArray("Acme") << QByteArray("62701") << true;
        QTest::newRow("company, letters postal")
            << QByteArray("Acme") << QByteArray("SW1A") << true;
        QTest::newRow("company, no postal") << QByteArray("Acme") << QByteArray() << false;
        QTest::newRow("no company, letters postal") << QByteArray() << QByteArray("SW1A") << false;
    }
    void addressStyleFollowsCompanyAndPostalCode() {
        QFETCH(QByteArray, company);
        QFETCH(QByteArray, postal);
        QFETCH(bool, usa);
        TempApp app;
        app.write(QStringLiteral("MyBusinessData.txt"),
                  "\"" + company + "\",\"\",\"\",\"\",\"\",\"" + postal + "\",\"\",\"\",\"\"\r\n");
        LoadBusinessData(*app.ctx);
        const Settings s = loaded(app);
        QCOMPARE(s.addressStyle == AddressStyle::Usa, usa);
        QCOMPARE(Settings::businessLabel(3, s.addressStyle),
                 usa ? QStringLiteral("City") : QStringLiteral("Address 3"));
        QCOMPARE(Settings::businessLabel(4, s.addressStyle),
                 usa ? QStringLiteral("State") : QStringLiteral("Address 4"));
        QCOMPARE(Settings::stateBoxLimit(s.addressStyle), usa ? 2 : 55);
    }

    void quotesInTextNeverBreakTheFile() {
        TempApp app;
        Settings s;
        s.taxHeading1 = QStringLiteral("\"Sales\" Tax");
        s.fontName = QStringLiteral("My \"Font\"");
        QVERIFY(SettingsFiles::writeTaxSettings(app.ctx->store(), s));
        QVERIFY(SettingsFiles::writePrintColours(app.ctx->store(), s));
        const Settings back = loaded(app);
        QCOMPARE(back.taxHeading1, QStringLiteral("'Sales' Tax"));
        QCOMPARE(back.taxHeading2, QStringLiteral("Tax"));
        QCOMPARE(back.fontName, QStringLiteral("My 'Font'"));
        QCOMPARE(back.copies, 3);
    }

    // A field of the wrong type takes its default; the fields after it are
    // still read.
    void malformedColourFieldsTakeTheirDefaults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("colour as text")
            << QByteArray("red\r\n255\r\n\"Arial\"\r\n#FALSE#\r\n4\r\n") << "0 255 Arial 0 4";
        QTest::newRow("negative colour")
            << QByteArray("-2147483643\r\n5\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n") << "0 5 Arial 1 3";
        QTest::newRow("copies out of range")
            << QByteArray("1\r\n2\r\n\"Arial\"\r\n#TRUE#\r\n9\r\n") << "1 2 Arial 1 3";
        QTest::newRow("blank font")
            << QByteArray("1\r\n2\r\n\"\"\r\nyes\r\n2\r\n") << "1 2 Arial 1 2";
        QTest::newRow("two fields only") << QByteArray("7\r\n8\r\n") << "7 8 Arial 1 3";
        QTest::newRow("binary junk") << QByteArray("\x00\xff\x1a\"\r\n", 5) << "0 0 Arial 1 3";
        QTest::newRow("unterminated quote")
            << QByteArray("1\r\n2\r\n\"Arial\r\n#FALSE#\r\n2\r\n") << "1 2 Arial 1 3";
    }
    void malformedColourFieldsTakeTheirDefaults() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        TempApp app;
        app.write(QStringLiteral("PrintColors.txt"), bytes);
        QCOMPARE(colourLine(loaded(app)), expected);
    }

    void malformedTaxPromptAndPhoneFiles() {
        TempApp app;
        app.write(QStringLiteral("TaxSettings.txt"), "\"Taxes\",12,\"5.0\"\r\n");
        app.write(QStringLiteral("Prompts.txt"), "maybe,0\r\n");
        app.write(QStringLiteral("Phone.txt"), "\"COM\"\r\n");
        app.write(QStringLiteral("CallID.txt"), "");
        app.write(QStringLiteral("MyBusinessData.txt"), "\"Solo Co\",\"Box 4\"\r\n");
        LoadBusinessData(*app.ctx);
        const Settings s = loaded(app);
        QCOMPARE(QStringList({s.taxHeading1, s.taxHeading2, s.taxRate1, s.taxRate2}),
                 QStringList({QStringLiteral("Taxes"), QStringLiteral("12"), QStringLiteral("5.0"),
                              QStringLiteral("4.0")}));
        QVERIFY(!s.applyTax1 && !s.applyTax2);
        QVERIFY(s.showPrompts && !s.soundAlarms && !app.ctx->vars().SoundAlarms);
        QVERIFY(!s.phoneDaisyChained && !s.callerIdOn);
        QCOMPARE(app.ctx->vars().BusinessData,
                 QStringList({QStringLiteral("Solo Co"), QStringLiteral("Box 4"), QString(),
                              QString(), QString(), QString(), QString(), QString(), QString()}));
    }

    void missingFileIsRestoredFromBackup() {
        TempApp app;
        app.write(QStringLiteral("Backup/PrintColors.txt"),
                  "0\r\n0\r\n\"Verdana\"\r\n#TRUE#\r\n4\r\n");
        QCOMPARE(loaded(app).fontName, QStringLiteral("Verdana"));
        QVERIFY(app.exists(QStringLiteral("PrintColors.txt")));
    }

    // Writers that replace a backed-up file drop its backup copy, so that a
    // later restore cannot bring back the old values; the prompts file keeps
    // whatever lies in the backup folder.
    void writersDropTheBackupCopiesTheyShould() {
        TempApp app;
        for (const char* name :
             {"PrintColors.txt", "TaxSettings.txt", "CompanyLogo.txt", "Prompts.txt"}) {
            app.write(QStringLiteral("Backup/") + QLatin1String(name), "old\r\n");
        }
        Settings s;
        FileStore& store = app.ctx->store();
        QVERIFY(SettingsFiles::writePrintColours(store, s));
        QVERIFY(SettingsFiles::writeTaxSettings(store, s));
        QVERIFY(SettingsFiles::writeLogoPath(store, QStringLiteral("/tmp/x.bmp")));
        QVERIFY(SettingsFiles::writePrompts(store, s));
        QVERIFY(!app.exists(QStringLiteral("Backup/PrintColors.txt")));
        QVERIFY(!app.exists(QStringLiteral("Backup/TaxSettings.txt")));
        QVERIFY(!app.exists(QStringLiteral("Backup/CompanyLogo.txt")));
        QVERIFY(app.exists(QStringLiteral("Backup/Prompts.txt")));
    }

    void logoIsLoadedOnlyWhenThePictureExists() {
        TempApp app;
        const QString picture = app.path(QStringLiteral("logo.bmp"));
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture, "BMP"));
        app.write(QStringLiteral("CompanyLogo.txt"), "\"" + picture.toLocal8Bit() + "\"\r\n");
        Settings s = loaded(app);
        QVERIFY(s.hasLogo());
        QCOMPARE(s.logo.size(), QSize(8, 6));
        QCOMPARE(s.logoPath, picture);

        QVERIFY(QFile::remove(picture));
        s = loaded(app);
        QVERIFY(!s.hasLogo());
        // The path stays in the model and in the file.
        QCOMPARE(s.logoPath, picture);
        QVERIFY(app.read(QStringLiteral("CompanyLogo.txt")).contains("logo.bmp"));

        app.write(QStringLiteral("logo.bmp"), "this is not a picture");
        QVERIFY(!loaded(app).hasLogo());
    }

    void coloursConvertBetweenForms() {
        const quint32 file = 0x12u + 256u * 0x34u + 65536u * 0x56u;
        QCOMPARE(Settings::toRgb(file), 0x123456u);
        QCOMPARE(Settings::fromRgb(0x123456u), file);
        QCOMPARE(Settings::fromQColor(QColor::fromRgb(0x123456u)), file);
    }

    void copiesChoiceReachesTheSharedValue() {
        TempApp app;
        chooseCopies(*app.ctx, 5);
        QCOMPARE(app.ctx->vars().Copies, 5);
        QCOMPARE(app.ctx->settings->copies, 5);
        chooseCopies(*app.ctx, 0);
        chooseCopies(*app.ctx, 6);
        QCOMPARE(app.ctx->vars().Copies, 5);
    }
};

TOLVAR_TEST(TestSettingsFiles)
#include "test_settingsfiles.moc"
