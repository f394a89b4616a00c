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

private slots:
    void firstStartGivesEveryDefault() {
        TempApp app;
        app.ctx->vars().ShowPrompts = false;
        app.ctx->vars().SoundAlarms = false;
        app.ctx->vars().Copies = 5;
        const Settings s = loaded(app);
        QCOMPARE(s.taxHeading1, QStringLiteral("Sales Tax"));
        QCOMPARE(s.taxHeading2, QStringLiteral("Tax"));
        QCOMPARE(s.taxRate1, QStringLiteral("4.0"));
        QCOMPARE(s.taxRate2, QStringLiteral("4.0"));
        QVERIFY(!s.applyTax1);
        QVERIFY(!s.applyTax2);
        QVERIFY(s.showPrompts && s.soundAlarms);
        QVERIFY(app.ctx->vars().ShowPrompts && app.ctx->vars().SoundAlarms);
        QCOMPARE(s.borderColour, 0u);
        QCOMPARE(s.textColour, 0u);
        QCOMPARE(s.fontName, QStringLiteral("Arial"));
        QVERIFY(s.printInColour);
        QCOMPARE(s.copies, 3);
        QCOMPARE(app.ctx->vars().Copies, 3);
        QVERIFY(!s.hasLogo());
        QVERIFY(s.logoPath.isEmpty());
        QCOMPARE(s.logoWidth, 1440);
        QCOMPARE(s.logoHeight, 1440);
        QVERIFY(!s.phoneDaisyChained);
        QVERIFY(!s.callerIdOn);
        QVERIFY(s.webAddress.isEmpty());
        QCOMPARE(s.addressStyle, AddressStyle::Usa);
        QVERIFY(app.ctx->vars().BusinessData.join(QString()).isEmpty());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void readsEachFileAsWrittenByHand() {
        TempApp app;
        app.write(QStringLiteral("MyBusinessData.txt"),
                  "\"Acme Roofing\",\"12 Main St\",\"\",\"Springfield\",\"IL\",\"62701\","
                  "\"217-555-0100\",\"acme@example.com\",\"FEIN 12-3456789\"\r\n");
        app.write(QStringLiteral("TaxSettings.txt"),
                  "\"GST\",\"Tax Surcharge\",\"7,0\",\"5.0\",1,0\r\n");
        app.write(QStringLiteral("Prompts.txt"), "#FALSE#,#TRUE#\r\n");
        app.write(QStringLiteral("PrintColors.txt"),
                  "255\r\n16711680\r\n\"Courier New\"\r\n#FALSE#\r\n5\r\n");
        app.write(QStringLiteral("Phone.txt"), "#TRUE#,3\r\n");
        app.write(QStringLiteral("CallID.txt"), "#TRUE#\r\n");
        app.write(QStringLiteral("MyWebSite.txt"), "\"www.acme.example\"\r\n");
        LoadBusinessData(*app.ctx);
        const Settings s = loaded(app);
        const QStringList nine = app.ctx->vars().BusinessData;
        QCOMPARE(nine.size(), 9);
        QCOMPARE(nine.at(0), QStringLiteral("Acme Roofing"));
        QCOMPARE(nine.at(2), QString());
        QCOMPARE(nine.at(5), QStringLiteral("62701"));
        QCOMPARE(nine.at(8), QStringLiteral("FEIN 12-3456789"));
        QCOMPARE(s.businessBoxes, nine);
        QCOMPARE(s.taxHeading1, QStringLiteral("GST"));
        QCOMPARE(s.taxHeading2, QStringLiteral("Tax Surcharge"));
        QCOMPARE(s.taxRate1, QStringLiteral("7,0"));
        QCOMPARE(s.taxRate2, QStringLiteral("5.0"));
        QVERIFY(s.applyTax1);
        QVERIFY(!s.applyTax2);
        QVERIFY(!s.showPrompts);
        QVERIFY(s.soundAlarms);
        QVERIFY(!app.ctx->vars().ShowPrompts);
        QCOMPARE(s.borderColour, 255u);
        QCOMPARE(s.borderQColor(), QColor(255, 0, 0));
        QCOMPARE(s.textQColor(), QColor(0, 0, 255));
        QCOMPARE(s.fontName, QStringLiteral("Courier New"));
        QVERIFY(!s.printInColour);
        QCOMPARE(s.copies, 5);
        QCOMPARE(app.ctx->vars().Copies, 5);
        QVERIFY(s.phoneDaisyChained);
        QCOMPARE(s.storedComPort, 3);
        QVERIFY(app.ctx->vars().PhoneDaisyChained);
        QVERIFY(s.callerIdOn);
        QVERIFY(app.ctx->vars().CallerIDOn);
        QCOMPARE(s.webAddress, QStringLiteral("www.acme.example"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
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
        QVERIFY(!s.applyTax1);
        QVERIFY(s.applyTax2);
        QCOMPARE(s.borderQColor(), QColor(0, 255, 0));
        QCOMPARE(s.copies, 1);
    }

    void logoSizeIsClamped_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("3000 by 1000") << QByteArray("3000,1000\r\n") << 1440 << 1000;
        QTest::newRow("limit kept") << QByteArray("2880,2880\r\n") << 2880 << 2880;
        QTest::newRow("one above") << QByteArray("1000,2881\r\n") << 1000 << 1440;
        QTest::newRow("real numbers") << QByteArray("1250.5,999.6\r\n") << 1250 << 1000;
        QTest::newRow("text for numbers") << QByteArray("\"wide\",abc\r\n") << 1440 << 1440;
        QTest::newRow("negative and zero") << QByteArray("-50,0\r\n") << 1440 << 1440;
        QTest::newRow("one field only") << QByteArray("800\r\n") << 800 << 1440;
        QTest::newRow("empty file") << QByteArray() << 1440 << 1440;
        QTest::newRow("huge") << QByteArray("1e300,99999999999999999999\r\n") << 1440 << 1440;
    }
    void logoSizeIsClamped() {
        QFETCH(QByteArray, file);
        QFETCH(int, width);
        QFETCH(int, height);
        TempApp app;
        app.write(QStringLiteral("LogoSettings.txt"), file);
        const Settings s = loaded(app);
        QCOMPARE(s.logoWidth, width);
        QCOMPARE(s.logoHeight, height);
        // No logo picture is loaded, so the file is not written again.
        QCOMPARE(app.read(QStringLiteral("LogoSettings.txt")), file);
    }

    void addressStyleFollowsCompanyAndPostalCode_data() {
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("postal");
        QTest::addColumn<bool>("usa");
        QTest::newRow("both empty") << QString() << QString() << true;
        QTest::newRow("no company, numeric postal") << QString() << QStringLiteral("62701") << true;
        QTest::newRow("company, numeric postal")
            << QStringLiteral("Acme") << QStringLiteral("62701") << true;
        QTest::newRow("company, letters postal")
            << QStringLiteral("Acme") << QStringLiteral("SW1A 1AA") << true;
        QTest::newRow("company, no postal") << QStringLiteral("Acme") << QString() << false;
        QTest::newRow("no company, letters postal") << QString() << QStringLiteral("SW1A") << false;
    }
    void addressStyleFollowsCompanyAndPostalCode() {
        QFETCH(QString, company);
        QFETCH(QString, postal);
        QFETCH(bool, usa);
        TempApp app;
        app.write(QStringLiteral("MyBusinessData.txt"),
                  "\"" + company.toLatin1() + "\",\"\",\"\",\"\",\"\",\"" + postal.toLatin1() +
                      "\",\"\",\"\",\"\"\r\n");
        LoadBusinessData(*app.ctx);
        const Settings s = loaded(app);
        QCOMPARE(s.addressStyle == AddressStyle::Usa, usa);
        QCOMPARE(Settings::businessLabel(3, s.addressStyle),
                 usa ? QStringLiteral("City") : QStringLiteral("Address 3"));
        QCOMPARE(Settings::businessLabel(4, s.addressStyle),
                 usa ? QStringLiteral("State") : QStringLiteral("Address 4"));
        QCOMPARE(Settings::stateBoxLimit(s.addressStyle), usa ? 2 : 55);
    }

    void writersGiveTheseBytes() {
        TempApp app;
        Settings s;
        s.taxHeading1 = QStringLiteral("GST");
        s.taxHeading2 = QStringLiteral("Tax");
        s.taxRate1 = QStringLiteral("7,0");
        s.taxRate2 = QStringLiteral("4.0");
        s.applyTax1 = true;
        s.applyTax2 = false;
        s.borderColour = 255;
        s.textColour = 0;
        s.fontName = QStringLiteral("Arial");
        s.printInColour = true;
        s.copies = 3;
        s.showPrompts = true;
        s.soundAlarms = false;
        s.logo = QImage(4, 4, QImage::Format_RGB32);
        s.logoWidth = 1440;
        s.logoHeight = 1000;
        FileStore& store = app.ctx->store();
        QVERIFY(SettingsFiles::writeTaxSettings(store, s));
        QVERIFY(SettingsFiles::writePrintColours(store, s));
        QVERIFY(SettingsFiles::writePrompts(store, s));
        QVERIFY(SettingsFiles::writeLogoSize(store, s));
        QVERIFY(SettingsFiles::writeLogoPath(store, QStringLiteral("C:\\Logos\\acme.bmp")));
        QVERIFY(SettingsFiles::writeBusinessData(
            store, {QStringLiteral("Acme"), QStringLiteral("1 Elm"), QString(),
                    QStringLiteral("Troy"), QStringLiteral("NY"), QStringLiteral("12180"),
                    QStringLiteral("518-555-0101"), QString(), QStringLiteral("VAT 9")}));
        QCOMPARE(app.read(QStringLiteral("TaxSettings.txt")),
                 QByteArray("\"GST\",\"Tax\",\"7,0\",\"4.0\",1,0\r\n"));
        QCOMPARE(app.read(QStringLiteral("PrintColors.txt")),
                 QByteArray("255\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n"));
        QCOMPARE(app.read(QStringLiteral("Prompts.txt")), QByteArray("#TRUE#,#FALSE#\r\n"));
        QCOMPARE(app.read(QStringLiteral("LogoSettings.txt")), QByteArray("1440,1000\r\n"));
        QCOMPARE(app.read(QStringLiteral("CompanyLogo.txt")),
                 QByteArray("\"C:\\Logos\\acme.bmp\"\r\n"));
        QCOMPARE(
            app.read(QStringLiteral("MyBusinessData.txt")),
            QByteArray("\"Acme\",\"1 "
                       "Elm\",\"\",\"Troy\",\"NY\",\"12180\",\"518-555-0101\",\"\",\"VAT 9\"\r\n"));
    }

    // Read, write, read again: the same values and the same bytes.
    void writtenFilesReadBack() {
        TempApp app;
        const QByteArray tax("\"Provincial Tax\",\"GST\",\"6,0\",\"5.0\",0,1\r\n");
        const QByteArray colours("8421504\r\n65535\r\n\"Times New Roman\"\r\n#FALSE#\r\n2\r\n");
        app.write(QStringLiteral("TaxSettings.txt"), tax);
        app.write(QStringLiteral("PrintColors.txt"), colours);
        app.write(QStringLiteral("Prompts.txt"), "#FALSE#,#FALSE#\r\n");
        Settings s = loaded(app);
        FileStore& store = app.ctx->store();
        QVERIFY(SettingsFiles::writeTaxSettings(store, s));
        QVERIFY(SettingsFiles::writePrintColours(store, s));
        QVERIFY(SettingsFiles::writePrompts(store, s));
        QCOMPARE(app.read(QStringLiteral("TaxSettings.txt")), tax);
        QCOMPARE(app.read(QStringLiteral("PrintColors.txt")), colours);
        QCOMPARE(app.read(QStringLiteral("Prompts.txt")), QByteArray("#FALSE#,#FALSE#\r\n"));
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
    void malformedFieldsTakeTheirDefaults_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("colour as text") << QStringLiteral("PrintColors.txt")
                                        << QByteArray("red\r\n255\r\n\"Arial\"\r\n#FALSE#\r\n4\r\n")
                                        << QStringLiteral("0 255 Arial 0 4");
        QTest::newRow("negative colour")
            << QStringLiteral("PrintColors.txt")
            << QByteArray("-2147483643\r\n5\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n")
            << QStringLiteral("0 5 Arial 1 3");
        QTest::newRow("copies out of range") << QStringLiteral("PrintColors.txt")
                                             << QByteArray("1\r\n2\r\n\"Arial\"\r\n#TRUE#\r\n9\r\n")
                                             << QStringLiteral("1 2 Arial 1 3");
        QTest::newRow("blank font")
            << QStringLiteral("PrintColors.txt") << QByteArray("1\r\n2\r\n\"\"\r\nyes\r\n2\r\n")
            << QStringLiteral("1 2 Arial 1 2");
        QTest::newRow("two fields only")
            << QStringLiteral("PrintColors.txt") << QByteArray("7\r\n8\r\n")
            << QStringLiteral("7 8 Arial 1 3");
        QTest::newRow("binary junk")
            << QStringLiteral("PrintColors.txt") << QByteArray("\x00\xff\x1a\"\r\n", 5)
            << QStringLiteral("0 0 Arial 1 3");
        QTest::newRow("unterminated quote") << QStringLiteral("PrintColors.txt")
                                            << QByteArray("1\r\n2\r\n\"Arial\r\n#FALSE#\r\n2\r\n")
                                            << QStringLiteral("1 2 Arial 1 3");
    }
    void malformedFieldsTakeTheirDefaults() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        TempApp app;
        app.write(file, bytes);
        const Settings s = loaded(app);
        const QString got = QStringLiteral("%1 %2 %3 %4 %5")
                                .arg(s.borderColour)
                                .arg(s.textColour)
                                .arg(s.fontName)
                                .arg(s.printInColour ? 1 : 0)
                                .arg(s.copies);
        QCOMPARE(got, expected);
    }

    void malformedTaxAndPromptFiles() {
        TempApp app;
        app.write(QStringLiteral("TaxSettings.txt"), "\"Taxes\",12,\"5.0\"\r\n");
        app.write(QStringLiteral("Prompts.txt"), "maybe,0\r\n");
        app.write(QStringLiteral("Phone.txt"), "\"COM\"\r\n");
        app.write(QStringLiteral("CallID.txt"), "");
        const Settings s = loaded(app);
        QCOMPARE(s.taxHeading1, QStringLiteral("Taxes"));
        QCOMPARE(s.taxHeading2, QStringLiteral("12"));
        QCOMPARE(s.taxRate1, QStringLiteral("5.0"));
        QCOMPARE(s.taxRate2, QStringLiteral("4.0"));
        QVERIFY(!s.applyTax1 && !s.applyTax2);
        QVERIFY(s.showPrompts);
        QVERIFY(!s.soundAlarms);
        QVERIFY(!app.ctx->vars().SoundAlarms);
        QVERIFY(!s.phoneDaisyChained);
        QVERIFY(!s.callerIdOn);
    }

    void shortBusinessFileLeavesTheRestEmpty() {
        TempApp app;
        app.write(QStringLiteral("MyBusinessData.txt"), "\"Solo Co\",\"Box 4\"\r\n");
        LoadBusinessData(*app.ctx);
        QCOMPARE(app.ctx->vars().BusinessData,
                 QStringList({QStringLiteral("Solo Co"), QStringLiteral("Box 4"), QString(),
                              QString(), QString(), QString(), QString(), QString(), QString()}));
    }

    void missingFileIsRestoredFromBackup() {
        TempApp app;
        app.write(QStringLiteral("Backup/PrintColors.txt"),
                  "0\r\n0\r\n\"Verdana\"\r\n#TRUE#\r\n4\r\n");
        const Settings s = loaded(app);
        QCOMPARE(s.fontName, QStringLiteral("Verdana"));
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

    void logoSizeIsNotWrittenWithoutAPicture() {
        TempApp app;
        Settings s;
        s.logoWidth = 900;
        QVERIFY(SettingsFiles::writeLogoSize(app.ctx->store(), s));
        QVERIFY(!app.exists(QStringLiteral("LogoSettings.txt")));
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
    }

    void notAPictureLoadsNothing() {
        TempApp app;
        app.write(QStringLiteral("fake.jpg"), "this is not a picture");
        app.write(QStringLiteral("CompanyLogo.txt"),
                  "\"" + app.path(QStringLiteral("fake.jpg")).toLocal8Bit() + "\"\r\n");
        QVERIFY(!loaded(app).hasLogo());
    }

    void writeFailureIsReported() {
        TempApp app;
        app.mkdir(QStringLiteral("PrintColors.txt"));
        Settings s;
        const IoStatus status = SettingsFiles::writePrintColours(app.ctx->store(), s);
        QVERIFY(!status.ok());
        QVERIFY(status.file().endsWith(QStringLiteral("PrintColors.txt")));
    }

    void coloursConvertBetweenForms_data() {
        QTest::addColumn<quint32>("file");
        QTest::addColumn<quint32>("rgb");
        QTest::newRow("red") << 255u << 0xFF0000u;
        QTest::newRow("green") << 65280u << 0x00FF00u;
        QTest::newRow("blue") << 16711680u << 0x0000FFu;
        QTest::newRow("mixed") << (0x12u + 256u * 0x34u + 65536u * 0x56u) << 0x123456u;
    }
    void coloursConvertBetweenForms() {
        QFETCH(quint32, file);
        QFETCH(quint32, rgb);
        QCOMPARE(Settings::toRgb(file), rgb);
        QCOMPARE(Settings::fromRgb(rgb), file);
        QCOMPARE(Settings::toQColor(file).rgb() & 0xFFFFFFu, rgb);
        QCOMPARE(Settings::fromQColor(QColor::fromRgb(rgb)), file);
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
