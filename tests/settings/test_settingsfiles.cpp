#include "casefile.h"
#include "settings/settingsfiles.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QImage>
#include <QTest>

namespace {
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
    const auto flags = [](std::initializer_list<bool> b) {
        QString t;
        for (bool x : b) {
            t += x ? QLatin1Char('1') : QLatin1Char('0');
        }
        return t;
    };
    return {v.BusinessData.join(QLatin1Char('|')) + (s.businessBoxes == v.BusinessData ? "" : " x"),
            QStringList{s.taxHeading1, s.taxHeading2, s.taxRate1, s.taxRate2}.join('|') + ' ' +
                flags({s.applyTax1, s.applyTax2}),
            QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(s.borderColour)
                    .arg(s.textColour)
                    .arg(s.fontName)
                    .arg(flags({s.printInColour}))
                    .arg(s.copies) +
                (v.Copies == s.copies ? "" : " x"),
            flags({s.showPrompts, s.soundAlarms, v.ShowPrompts, v.SoundAlarms}),
            flags({s.phoneDaisyChained, v.PhoneDaisyChained, s.callerIdOn, v.CallerIDOn}) + ' ' +
                QString::number(s.storedComPort),
            s.webAddress,
            QStringLiteral("%1x%2 %3").arg(s.logoWidth).arg(s.logoHeight).arg(s.hasLogo())};
}

const QStringList kDefaults{
    "||||||||", "Sales Tax|Tax|4.0|4.0 00", "0 0 Arial 1 3", "1111", "0000 0", "", "1440x1440 0"};
}  // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT
private slots:
    void firstStartGivesEveryDefault() {
        TempApp app;
        app.ctx->vars().ShowPrompts = app.ctx->vars().SoundAlarms = false;
        app.ctx->vars().Copies = 5;
        loaded(app);
        QCOMPARE(summary(app), kDefaults);
        QCOMPARE(app.ctx->settings().addressStyle, AddressStyle::Usa);
    }

    // Read, write again: identical bytes, whatever the locale.
    void goldenFilesReadAndWriteBack() {
        TempApp app;
        for (const QString& name : kGolden) {
            app.write(name, testData("settings/" + name));
        }
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Settings& s = loaded(app);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(summary(app),
                 (QStringList{"Acme Roofing|12 Main St||Springfield|IL|62701|217-555-0100|"
                              "acme@example.com|FEIN 12-3456789",
                              "GST|Tax Surcharge|7,0|5.0 10", "255 16711680 Courier New 0 5",
                              "0101", "1111 3", "www.acme.example", "1440x1440 0"}));
        QCOMPARE(s.textQColor(), QColor(0, 0, 255));
        for (const QString& name : kGolden) {
            QFile::remove(app.path(name));
        }
        FileStore& store = app.ctx->store();
        QVERIFY(SettingsFiles::writeBusinessData(store, app.ctx->vars().BusinessData));
        QVERIFY(SettingsFiles::writeTaxSettings(store, s));
        QVERIFY(SettingsFiles::writePrintColours(store, s));
        QVERIFY(SettingsFiles::writePrompts(store, s));
        for (const QString& name : kGolden.mid(0, 4)) {
            QCOMPARE(app.read(name), testData("settings/" + name));
        }
    }

    // A field of the wrong type takes its default; the fields after it are
    // still read, and the other files are untouched.
    void hostileFieldsTakeTheirDefaults_data() {
        addCases(QStringLiteral("settings/cases.txt"), "hostile");
    }
    void hostileFieldsTakeTheirDefaults() {
        QFETCH(Case, c);
        TempApp app;
        app.write(str(c[0]), c[1]);
        loaded(app);
        QStringList expected = kDefaults;
        expected[c[2].toInt()] = str(c[3]);
        QCOMPARE(summary(app), expected);
        QCOMPARE(app.read(str(c[0])), c[1]);
    }

    void aFailedRestoreIsReportedAndTheDefaultsKept() {
        TempApp app;
        for (const char* name : {"MyBusinessData.txt", "TaxSettings.txt", "Prompts.txt"}) {
            app.mkdir(name);
            app.write(QStringLiteral("Backup/") + name, "\"x\",\"y\",\"5.0\"");
            app.prompter.expectMessage(
                QStringLiteral("The file %1 could not be used: it could not be restored from the "
                               "Backup folder: Filename refers to a directory")
                    .arg(app.path(name)),
                AppContext::applicationTitle(), Icon::Critical);
        }
        app.write("Backup/PrintColors.txt", "0\r\n0\r\n\"Verdana\"\r\n#TRUE#\r\n4\r\n");
        loaded(app);
        QStringList expected = kDefaults;
        expected[2] = QStringLiteral("0 0 Verdana 1 4");
        QCOMPARE(summary(app), expected);
    }

    void quotesNeverBreakTheFile() {
        TempApp app;
        Settings& s = app.ctx->settings();
        s.taxHeading1 = QStringLiteral("\"Sales\" Tax");
        s.fontName = QStringLiteral("My \"Font\"");
        QVERIFY(SettingsFiles::writeTaxSettings(app.ctx->store(), s));
        QVERIFY(SettingsFiles::writePrintColours(app.ctx->store(), s));
        loaded(app);
        QCOMPARE(summary(app).mid(1, 2),
                 (QStringList{"'Sales' Tax|Tax|4.0|4.0 00", "0 0 My 'Font' 1 3"}));
    }

    // Writers that replace a backed-up file drop its backup copy, so that a
    // later restore cannot bring back the old values.
    void writersDropTheBackupCopiesTheyShould() {
        TempApp app;
        for (const char* name : {"PrintColors.txt", "TaxSettings.txt", "CompanyLogo.txt",
                                 "Prompts.txt", "LogoSettings.txt"}) {
            app.write(QStringLiteral("Backup/") + name, "old\r\n");
        }
        Settings& s = app.ctx->settings();
        FileStore& store = app.ctx->store();
        QVERIFY(SettingsFiles::writePrintColours(store, s));
        QVERIFY(SettingsFiles::writeTaxSettings(store, s));
        QVERIFY(SettingsFiles::writeLogoPath(store, QStringLiteral("C:\\Logos\\acme.bmp")));
        QVERIFY(SettingsFiles::writePrompts(store, s));
        QVERIFY(SettingsFiles::writeLogoSize(store, s));  // no picture: nothing written
        s.logo = QImage(4, 4, QImage::Format_RGB32);
        s.logoHeight = 1000;
        QVERIFY(SettingsFiles::writeLogoSize(store, s));
        QCOMPARE(QDir(app.path("Backup")).entryList(QDir::Files),
                 (QStringList{"LogoSettings.txt", "Prompts.txt"}));
        QCOMPARE(app.read("CompanyLogo.txt"), QByteArray("\"C:\\Logos\\acme.bmp\"\r\n"));
        QCOMPARE(app.read("LogoSettings.txt"), QByteArray("1440,1000\r\n"));
    }

    void logoIsLoadedOnlyWhenThePictureExists() {
        TempApp app;
        const QString picture = app.path("logo.bmp");
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture, "BMP"));
        app.write("CompanyLogo.txt", "\"" + picture.toLocal8Bit() + "\"\r\n");
        QCOMPARE(loaded(app).logo.size(), QSize(8, 6));
        app.write("logo.bmp", "this is not a picture");
        QVERIFY(!loaded(app).hasLogo());
        QVERIFY(QFile::remove(picture));
        QVERIFY(!loaded(app).hasLogo());
        QCOMPARE(app.ctx->settings().logoPath, picture);  // kept, in the model and the file
    }

    void coloursAndCopies() {
        const quint32 file = 0x12u + 256u * 0x34u + 65536u * 0x56u;
        QCOMPARE(Settings::toRgb(file), 0x123456u);
        QCOMPARE(Settings::fromQColor(QColor::fromRgb(0x123456u)), file);
        TempApp app;
        for (int copies : {5, 0, 6}) {
            chooseCopies(*app.ctx, copies);
        }
        QCOMPARE(app.ctx->vars().Copies, 5);
        QCOMPARE(app.ctx->settings().copies, 5);
    }
};

TOLVAR_TEST(TestSettingsFiles)
#include "test_settingsfiles.moc"
