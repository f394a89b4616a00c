#include "print/recordingdevice.h"
#include "ptymodem.h"
#include "recordingpreview.h"
#include "settings/settings.h"
#include "shell/startup.h"
#include "testmain.h"
#include "ui/programscreens.h"
#include "uitesthelpers.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QString kSetup = QStringLiteral("frmSetup");
const QByteArray kAcme =
    "\"Acme\",\"1 Elm\",\"\",\"Troy\",\"NY\",\"12180\",\"518-555-0101\",\"\","
    "\"VAT 9\"\r\n";

// The program's screens on a temporary folder whose serial port 3 is a fake
// modem answering "AT".
struct SetupRig {
    SetupRig() : modem(pty.add(3)), screens(*pty.app.ctx) {
        modem.answerAttention();
        RegisterScreens(screens);
        ctx().quit = [this] {
            screens.unloadAll();
            ++quits;
        };
        ctx().printerFactory = [this] { return printer; };
    }
    ~SetupRig() {
        screens.unloadAll();
        ScreenApp::settle();
    }
    AppContext& ctx() { return *pty.app.ctx; }
    TempApp& app() { return pty.app; }
    ScriptedPrompter& prompter() { return pty.app.prompter; }
    void start() {
        InstanceLock lock(ctx().folder());
        QVERIFY(Main(ctx(), lock, ProgramStartupSteps(ctx(), screens)));
    }
    Screen* openSetup() {
        Screen* setup = screens.show(kSetup);
        static_cast<void>(QTest::qWaitForWindowExposed(setup));
        return setup;
    }
    template <typename T = QAbstractButton>
    T* get(const QString& name, const QString& screen = kSetup) {
        Screen* s = screens.find(screen);
        T* w = s ? s->findChild<T*>(name) : nullptr;
        if (!w) {
            qWarning("no control %s on %s", qPrintable(name), qPrintable(screen));
        }
        return w;
    }
    void click(const QString& name, const QString& screen = kSetup) {
        QTest::mouseClick(get(name, screen), Qt::LeftButton);
    }
    void type(const QString& box, const QString& text) {
        auto* edit = get<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void typeCombo(const QString& box, const QString& text) {
        QLineEdit* edit = get<QComboBox>(box)->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void turnTo(int setupPage, int subPage = 0) {
        get<QTabWidget>(QStringLiteral("tabSetup"))->setCurrentIndex(setupPage);
        get<QTabWidget>(QStringLiteral("tabSub"))->setCurrentIndex(subPage);
    }
    int side(const QString& arrows, const QString& arrow, int clicks) {
        auto* button = get<QWidget>(arrows)->findChild<QToolButton*>(arrow);
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        const Settings& s = ctx().settings();
        return arrows == QLatin1String("UpDown3") ? s.logoWidth : s.logoHeight;
    }

    PtyRig pty;
    PtyModem& modem;
    ScreenManager screens;
    std::shared_ptr<RecordingTarget> printer = std::make_shared<RecordingTarget>();
    int quits = 0;
};
}  // namespace

class TestSetupScreen : public QObject {
    Q_OBJECT
private slots:
    // From an empty folder through the welcome panel and the setup screen to
    // the main menu, with every settings file written.
    void firstRunReachesTheMainMenu() {
        SetupRig rig;
        rig.start();
        QVERIFY(rig.modem.waitForCommand("AT#CID=1"));
        QCOMPARE(rig.get<QLineEdit>("txtModemPort")->text(), QStringLiteral("3"));
        QVERIFY(!rig.screens.find(kSetup)->isVisible());

        rig.click("cmdContinue", "frmSplash");
        Screen* splash = rig.screens.find(QStringLiteral("frmSplash"));
        QVERIFY(rig.get<QWidget>("fraWelcome", "frmSplash")->isVisible());
        CheckLayout(splash, QStringLiteral("frmSplash-welcome"));
        rig.click("Image1(1)", "frmSplash");
        ScreenApp::settle();
        QVERIFY(!rig.screens.isLoaded(QStringLiteral("frmSplash")));
        Screen* setup = rig.screens.find(kSetup);
        QVERIFY(QTest::qWaitForWindowExposed(setup));
        QCOMPARE(QApplication::focusWidget(), rig.get<QWidget>("txtBusiness(0)"));
        CheckLayout(setup, QStringLiteral("frmSetup-business"));

        // A double quote cannot be stored: refused as it is typed.
        rig.prompter().expectMessage("This character, (\") is invalid for this field",
                                     "Invalid Key entry", Icon::Exclamation);
        rig.type("txtBusiness(0)", "Brenlow \"Roofing");
        QCOMPARE(rig.get<QLineEdit>("txtBusiness(0)")->text(), QStringLiteral("Brenlow Roofing"));
        const QStringList typed{"1 Main St", "",         "Springfield",          "ILL",
                                "",          "555-0100", "info@brenlow.example", "12-3456789"};
        for (int i = 0; i < typed.size(); ++i) {
            rig.type(QStringLiteral("txtBusiness(%1)").arg(i + 1), typed.at(i));
        }
        // A two-letter state box in USA style.
        QCOMPARE(rig.get<QLineEdit>("txtBusiness(4)")->text(), QStringLiteral("IL"));
        rig.prompter().expectMessage("The Postal Code field can not be Blank", kTitle, Icon::None);
        rig.click("cmdMenu");
        QVERIFY(setup->isVisible());
        QCOMPARE(QApplication::focusWidget(), rig.get<QWidget>("txtBusiness(5)"));
        rig.type("txtBusiness(5)", "62704");

        rig.turnTo(1, 0);
        CheckLayout(setup, QStringLiteral("frmSetup-options-printing"));
        rig.prompter().expectColour(0xFF0000).expectColour(0x00FF00, false);
        rig.click("cmdChange(0)");
        rig.click("cmdChange(1)");  // cancelled: stays black
        rig.prompter().expectFont(FontChoice{QStringLiteral("Courier New")});
        rig.click("cmdChange(2)");
        QCOMPARE(rig.get<QLabel>("lblFont")->text(), QStringLiteral("Courier New"));
        QCOMPARE(rig.get<QLineEdit>("txtBorders")->palette().color(QPalette::Base),
                 QColor(Qt::red));
        QTest::keyClick(rig.get<QComboBox>("cboCopies"), Qt::Key_Up);
        QCOMPARE(rig.ctx().vars().Copies, 2);
        rig.click("Image1(1)");
        QCOMPARE(rig.get<QTabWidget>("tabSub")->currentIndex(), 1);
        CheckLayout(setup, QStringLiteral("frmSetup-options-phone"));
        rig.click("Image1(1)");
        CheckLayout(setup, QStringLiteral("frmSetup-options-taxes"));
        rig.typeCombo("cboTaxHeading1", "GST");
        rig.typeCombo("cboRate1", "7,0");
        rig.get("ckApply1stTax")->click();
        rig.click("Image1(1)");
        CheckLayout(setup, QStringLiteral("frmSetup-options-assistance"));
        rig.get("ckAlarms")->click();
        rig.click("Image1(1)");
        QCOMPARE(rig.get<QTabWidget>("tabSub")->currentIndex(), 0);  // wraps round
        for (const char* page : {"proposal", "logo", "help"}) {
            rig.click("Image1(0)");
            CheckLayout(setup, QStringLiteral("frmSetup-") + QLatin1String(page));
        }
        rig.click("Image1(0)");
        QCOMPARE(rig.get<QTabWidget>("tabSetup")->currentIndex(), 0);

        rig.click("cmdMenu");
        QCOMPARE(
            rig.app().read("MyBusinessData.txt"),
            QByteArray("\"Brenlow Roofing\",\"1 Main St\",\"\",\"Springfield\",\"IL\",\"62704\","
                       "\"555-0100\",\"info@brenlow.example\",\"12-3456789\"\r\n"));
        QCOMPARE(rig.app().read("PrintColors.txt"),
                 QByteArray("255\r\n0\r\n\"Courier New\"\r\n#TRUE#\r\n2\r\n"));
        QCOMPARE(rig.app().read("TaxSettings.txt"),
                 QByteArray("\"GST\",\"Tax\",\"7,0\",\"4.0\",1,0\r\n"));
        QCOMPARE(rig.app().read("Prompts.txt"), QByteArray("#TRUE#,#FALSE#\r\n"));
        QVERIFY(!rig.app().exists("LogoSettings.txt"));  // no logo
        QVERIFY(!setup->isVisible());
        Screen* menu = rig.screens.find(QStringLiteral("frmStartup"));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        CheckLayout(menu, QStringLiteral("frmStartup"));
        QVERIFY(rig.get<QWidget>("Image1", "frmStartup")->isEnabled());
        rig.get<QAction>("mnuCreate", "frmStartup")->trigger();
        QVERIFY(setup->isVisible() && !menu->isVisible());
        QCOMPARE(rig.get<QLineEdit>("txtBusiness(3)")->text(), QStringLiteral("Springfield"));
        QCOMPARE(rig.quits, 0);
    }

    void theStyleIsSavedBothWays_data() {
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("postal");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("to international")
            << kAcme << "International Style Address"
            << ""
            << QByteArray(
                   "\"Acme\",\"1 Elm\",\"\",\"Troy\",\"NY\",\"\",\"518-555-0101\",\"\","
                   "\"VAT 9\"\r\n");
        QTest::newRow("to USA") << QByteArray(kAcme).replace("12180", "") << "USA Style Address"
                                << "12180" << kAcme;
    }
    void theStyleIsSavedBothWays() {
        QFETCH(QByteArray, saved);
        QFETCH(QString, caption);
        QFETCH(QString, postal);
        QFETCH(QByteArray, written);
        SetupRig rig;
        rig.app().write("MyBusinessData.txt", saved);
        rig.start();
        rig.openSetup();
        rig.click("cmdAddress");
        QCOMPARE(rig.get("cmdAddress")->text(), caption);
        const bool usa = !postal.isEmpty();
        QCOMPARE(rig.get<QLabel>("lblBusiness(3)")->text(), usa ? "City" : "Address 3");
        QCOMPARE(rig.get<QLabel>("lblBusiness(4)")->text(), usa ? "State" : "Address 4");
        QCOMPARE(rig.get<QWidget>("txtBusiness(5)")->isVisible(), usa);
        QCOMPARE(rig.get<QWidget>("lblPostal")->isVisible(), usa);
        QCOMPARE(rig.get<QLineEdit>("txtBusiness(5)")->text(), QString());
        if (usa) {
            CheckLayout(rig.screens.find(kSetup), QStringLiteral("frmSetup-business-usa"));
            rig.type("txtBusiness(5)", postal);
        }
        rig.click("cmdMenu");
        QCOMPARE(rig.app().read("MyBusinessData.txt"), written);
        QVERIFY(rig.screens.find(QStringLiteral("frmStartup"))->isVisible());
    }

    void proposalNumberLogoAndSample() {
        SetupRig rig;
        RecordingPreview preview(rig.ctx());
        rig.app().write("MyBusinessData.txt", kAcme);
        rig.start();
        rig.openSetup();
        rig.turnTo(2);
        rig.type("txtProposalNo", "1500");
        rig.click("cmdSaveProposal");
        QCOMPARE(rig.app().read("TProposalCounter.txt"), QByteArray("1500\r\n"));
        QCOMPARE(rig.ctx().vars().ProposalNumber, 1500);
        rig.prompter().expectMessage("The Proposal Number must be a Whole Number", kTitle,
                                     Icon::None);
        rig.type("txtProposalNo", "15OO");
        rig.click("cmdSaveProposal");
        QVERIFY(rig.get<QLineEdit>("txtProposalNo")->text().isEmpty());
        QCOMPARE(rig.ctx().vars().ProposalNumber, 1500);

        rig.turnTo(3);
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(rig.app().path("logo.bmp"), "BMP"));
        QVERIFY(!rig.get("cmdLogo(1)")->isEnabled());
        rig.prompter().expectOpenFile(rig.app().path("logo.bmp"));
        rig.click("cmdLogo(0)");
        QVERIFY(rig.get("cmdLogo(1)")->isEnabled());
        QVERIFY(!rig.get<QLabel>("Image3")->pixmap().isNull());
        // The arrows wrap at either end and stop at the nearer limit.
        QCOMPARE(rig.side("UpDown3", "Up", 7), 1790);
        QCOMPARE(rig.side("UpDown3", "Up", 1), 1800);
        QCOMPARE(rig.side("UpDown3", "Up", 1), 360);
        QCOMPARE(rig.side("UpDown2", "Down", 21), 390);
        QCOMPARE(rig.side("UpDown2", "Down", 1), 360);
        QCOMPARE(rig.side("UpDown2", "Down", 1), 1800);
        QCOMPARE(rig.get<QLabel>("Image3")->pixmap().size(),
                 QSize(360, 1800) * rig.get<QWidget>("Image3")->logicalDpiX() / 1440);
        rig.click("cmdLogo(4)");  // square from the width
        QCOMPARE(rig.side("UpDown2", "Up", 0), 360);
        rig.click("cmdLogo(6)");
        QCOMPARE(rig.side("UpDown3", "Down", 2), 1340);
        rig.click("cmdLogo(3)");  // square from the height
        QCOMPARE(rig.side("UpDown3", "Up", 0), 1440);
        CheckLayout(rig.screens.find(kSetup), QStringLiteral("frmSetup-logo-chosen"));
        rig.prompter().expectMessage("Your Logo has been Stored", kTitle, Icon::None);
        rig.click("cmdLogo(1)");
        QCOMPARE(rig.app().read("CompanyLogo.txt"),
                 "\"" + rig.app().path("logo.bmp").toLocal8Bit() + "\"\r\n");
        QCOMPARE(rig.app().read("LogoSettings.txt"), QByteArray("1440,1440\r\n"));

        // The sample on paper (two copies asked for), in the preview and as PDF.
        rig.prompter().expectPrintDialog(true, 2);
        rig.click("cmdLogo(5)");
        QCOMPARE(rig.printer->jobs().size(), 2);
        QVERIFY(!rig.printer->jobs().first()->pictures.isEmpty());
        rig.turnTo(1, 0);
        rig.get("ckColor")->click();  // black and white from now on, unsaved
        rig.turnTo(3);
        rig.prompter().expectPrintDialog(true, 1).expectPrintDialog(false);
        rig.click("cmdLogo(5)");
        rig.click("cmdLogo(5)");  // cancelled: nothing printed
        QCOMPARE(rig.printer->jobs().size(), 3);
        QCOMPARE(
            (QList<bool>{rig.printer->jobs().first()->colour, rig.printer->jobs().last()->colour}),
            (QList<bool>{true, false}));
        const QList<PrintRequest>& asked = rig.prompter().printRequests();
        QCOMPARE((QList<bool>{asked.at(0).colour, asked.at(1).colour}), (QList<bool>{true, false}));
        QVERIFY(!asked.at(0).allowPageRange);
        rig.click("cmdLogo(7)");
        QCOMPARE(preview.titles(), QStringList{"Print Sample"});
        QCOMPARE(preview.target().jobs().size(), 1);
        rig.prompter().expectSaveFile("Save as PDF", rig.app().path("sample.pdf"));
        rig.click("cmdLogo(8)");
        QVERIFY(rig.app().read("sample.pdf").startsWith("%PDF"));

        rig.prompter().expectQuestion("This will Delete your Company Logo", "Delete Logo",
                                      Buttons::YesNo, Icon::Question, Answer::Yes);
        rig.click("cmdLogo(2)");
        QVERIFY(rig.get<QLabel>("Image2")->pixmap().isNull());
        QVERIFY(!rig.app().exists("CompanyLogo.txt"));
        QCOMPARE(rig.app().read("LogoSettings.txt"), QByteArray("1440,1440\r\n"));
    }

    void resetThenCloseWritesNothing() {
        SetupRig rig;
        rig.app().write("MyBusinessData.txt", kAcme);
        rig.app().write("PrintColors.txt", "0\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n");
        rig.start();
        Screen* setup = rig.openSetup();
        rig.prompter().expectQuestion("Do you want to reset (clear)all Business Data?",
                                      "Reset Business Data", Buttons::YesNo, Icon::Question,
                                      Answer::Yes);
        rig.click("Image4");
        QVERIFY(rig.get<QLineEdit>("txtBusiness(0)")->text().isEmpty());
        rig.click("Image5");  // reload brings the saved data back
        QCOMPARE(rig.get<QLineEdit>("txtBusiness(0)")->text(), QStringLiteral("Acme"));
        rig.prompter().expectQuestion("Do you want to reset (clear)all Business Data?",
                                      "Reset Business Data", Buttons::YesNo, Icon::Question,
                                      Answer::Yes);
        rig.click("Image4");
        QVERIFY(setup->close());
        QCOMPARE(rig.quits, 1);
        QCOMPARE(rig.app().read("MyBusinessData.txt"), kAcme);
        QCOMPARE(rig.app().read("Backup/MyBusinessData.txt"), kAcme);
    }

    // Root ignores file modes, so the folder is made read-only for the user
    // nobody, which this process becomes while it saves.
    void aReadOnlyFolderKeepsTheEdits() {
        SetupRig rig;
        rig.app().write("MyBusinessData.txt", kAcme);
        rig.start();
        rig.openSetup();
        rig.type("txtBusiness(0)", "Acme Roofing");
        const QString folder = rig.app().dir.path();
        SetReadOnly(folder, true);
        rig.prompter().expectMessage(
            "The file " + QDir::toNativeSeparators(rig.app().path("MyBusinessData.txt")) +
                " could not be used: Permission denied",
            kTitle, Icon::Critical);
        {
            const Unprivileged nobody;
            QVERIFY(nobody.ok);
            rig.click("cmdMenu");
        }
        SetReadOnly(folder, false);
        QVERIFY(rig.screens.find(kSetup)->isVisible());
        QCOMPARE(rig.get<QLineEdit>("txtBusiness(0)")->text(), QStringLiteral("Acme Roofing"));
        QCOMPARE(rig.app().read("MyBusinessData.txt"), kAcme);
    }
};

TOLVAR_TEST(TestSetupScreen)
#include "test_setupscreen.moc"
