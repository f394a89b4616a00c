#include "recordingpreview.h"
#include "settings/settings.h"
#include "testmain.h"
#include "uitesthelpers.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QString kSetup = QStringLiteral("frmSetup");

// The program started over a folder whose serial port 3 is a fake modem
// answering "AT", with the saved business data given, if any.
struct SetupRig : UiRig {
    explicit SetupRig(const QByteArray& business = UiData("business-acme.txt"),
                      bool openSetup = true)
        : modem(pty.add(3)) {
        modem.answerAttention();
        if (!business.isEmpty()) {
            app.write("MyBusinessData.txt", business);
        }
        startProgram();
        if (openSetup) {
            static_cast<void>(QTest::qWaitForWindowExposed(screens.show(kSetup)));
        }
    }
    void turnTo(int setupPage, int subPage = 0) {
        w<QTabWidget>("tabSetup")->setCurrentIndex(setupPage);
        w<QTabWidget>("tabSub")->setCurrentIndex(subPage);
    }
    // The logo's side after clicking an arrow of the pair so many times.
    int side(const QString& arrows, const QString& arrow, int clicks) {
        auto* button = w(arrows)->findChild<QToolButton*>(arrow);
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        const Settings& s = ctx.settings();
        return arrows == QLatin1String("UpDown3") ? s.logoWidth : s.logoHeight;
    }
    void check(const QString& picture) { CheckLayout(screens.find(kSetup), picture); }

    PtyModem& modem;
};
}  // namespace

class TestSetupScreen : public QObject {
    Q_OBJECT
private slots:
    void firstRunReachesTheMainMenu() {
        SetupRig rig({}, false);
        QVERIFY(rig.modem.waitForCommand("AT#CID=1"));
        QCOMPARE(rig.text("txtModemPort"), QStringLiteral("3"));
        rig.flow("setup-first-run");
        QCOMPARE(rig.w("txtBorders")->palette().color(QPalette::Base), QColor(Qt::red));
    }

    void theStyleIsSavedBothWays_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("postal");
        QTest::addColumn<QString>("written");
        QTest::newRow("to international") << "business-acme.txt"
                                          << "International Style Address"
                                          << ""
                                          << "business-acme-international.txt";
        QTest::newRow("to USA") << "business-acme-international.txt"
                                << "USA Style Address"
                                << "12180"
                                << "business-acme.txt";
    }
    void theStyleIsSavedBothWays() {
        const QString postal = fetched<QString>("postal");
        SetupRig rig(UiData(fetched<QString>("saved")));
        rig.click("cmdAddress");
        const bool usa = !postal.isEmpty();
        QCOMPARE(rig.texts({"cmdAddress", "lblBusiness(3)", "lblBusiness(4)", "txtBusiness(5)"}),
                 fetched<QString>("caption") + (usa ? QStringLiteral("|City|State|")
                                                    : QStringLiteral("|Address 3|Address 4|")));
        QCOMPARE(rig.w("txtBusiness(5)")->isVisible(), usa);
        QCOMPARE(rig.w("lblPostal")->isVisible(), usa);
        if (usa) {
            rig.check("frmSetup-business-usa");
            rig.retype("txtBusiness(5)", postal);
        }
        rig.click("cmdMenu");
        QCOMPARE(rig.app.read("MyBusinessData.txt"), UiData(fetched<QString>("written")));
        QVERIFY(rig.visible("frmStartup"));
    }

    void proposalNumberLogoAndSample() {
        SetupRig rig;
        RecordingPreview preview(rig.ctx);
        rig.flow("setup-proposal-number");
        QCOMPARE(rig.ctx.vars().ProposalNumber, 1500);

        rig.turnTo(3);
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(rig.app.path("logo.bmp"), "BMP"));
        QVERIFY(!rig.w("cmdLogo(1)")->isEnabled());
        rig.app.prompter.expectOpenFile(rig.app.path("logo.bmp"));
        rig.click("cmdLogo(0)");
        QVERIFY(rig.w("cmdLogo(1)")->isEnabled());
        QVERIFY(!rig.w<QLabel>("Image3")->pixmap().isNull());
        // The arrows wrap at either end and stop at the nearer limit.
        QCOMPARE(rig.side("UpDown3", "Up", 7), 1790);
        QCOMPARE(rig.side("UpDown3", "Up", 1), 1800);
        QCOMPARE(rig.side("UpDown3", "Up", 1), 360);
        QCOMPARE(rig.side("UpDown2", "Down", 21), 390);
        QCOMPARE(rig.side("UpDown2", "Down", 1), 360);
        QCOMPARE(rig.side("UpDown2", "Down", 1), 1800);
        QCOMPARE(rig.w<QLabel>("Image3")->pixmap().size(),
                 QSize(360, 1800) * rig.w("Image3")->logicalDpiX() / 1440);
        rig.click("cmdLogo(4)");  // square from the width
        QCOMPARE(rig.side("UpDown2", "Up", 0), 360);
        rig.click("cmdLogo(6)");
        QCOMPARE(rig.side("UpDown3", "Down", 2), 1340);
        rig.click("cmdLogo(3)");  // square from the height
        QCOMPARE(rig.side("UpDown3", "Up", 0), 1440);
        rig.check("frmSetup-logo-chosen");
        rig.expect("Your Logo has been Stored", kTitle);
        rig.click("cmdLogo(1)");
        QCOMPARE(rig.app.read("CompanyLogo.txt"),
                 "\"" + rig.app.path("logo.bmp").toLocal8Bit() + "\"\r\n");
        QCOMPARE(rig.app.read("LogoSettings.txt"), QByteArray("1440,1440\r\n"));

        rig.flow("setup-sample");
        QVERIFY(!rig.printer->jobs().first()->pictures.isEmpty());
        QCOMPARE(
            (QList<bool>{rig.printer->jobs().first()->colour, rig.printer->jobs().last()->colour}),
            (QList<bool>{true, false}));
        const QList<PrintRequest>& asked = rig.app.prompter.printRequests();
        QCOMPARE((QList<bool>{asked.at(0).colour, asked.at(1).colour}), (QList<bool>{true, false}));
        QVERIFY(!asked.at(0).allowPageRange);
        QCOMPARE(preview.titles(), QStringList{"Print Sample"});
        QCOMPARE(preview.target().jobs().size(), 1);
        QVERIFY(rig.app.read("sample.pdf").startsWith("%PDF"));
        QVERIFY(rig.w<QLabel>("Image2")->pixmap().isNull());
    }

    // After a reset, closing the window ends the program with the saved
    // data untouched.
    void resetThenCloseWritesNothing() {
        SetupRig rig;
        rig.flow("setup-reset");
        QVERIFY(rig.screens.find(kSetup)->close());
        QCOMPARE(rig.quits, 1);
        QCOMPARE(rig.app.read("MyBusinessData.txt"), UiData("business-acme.txt"));
        QCOMPARE(rig.app.read("Backup/MyBusinessData.txt"), UiData("business-acme.txt"));
    }

    void aReadOnlyFolderKeepsTheEdits() {
        SetupRig rig;
        rig.flow("setup-read-only");
    }
};

TOLVAR_TEST(TestSetupScreen)
#include "test_setupscreen.moc"
