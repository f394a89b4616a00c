#include "settings/settings.h"
#include "testmain.h"
#include "uitesthelpers.h"

#include <QLabel>

namespace {
const QString kSetup = QStringLiteral("frmSetup");

// The program started over a folder whose serial port 3 is a fake modem
// answering "AT", with the saved business data given, if any.
struct SetupRig : UiRig {
    explicit SetupRig(const QByteArray& business = UiData("business-acme.txt"),
                      bool openSetup = true) {
        pty.add(3).answerAttention();
        if (!business.isEmpty()) {
            app.write("MyBusinessData.txt", business);
        }
        startProgram();
        if (openSetup) {
            static_cast<void>(QTest::qWaitForWindowExposed(screens.show(kSetup)));
        }
    }
};
}  // namespace

class TestSetupScreen : public QObject {
    Q_OBJECT
private slots:
    void firstRunReachesTheMainMenu() {
        SetupRig rig({}, false);
        rig.flow("setup-first-run");
        QCOMPARE(rig.w("txtBorders")->palette().color(QPalette::Base), QColor(Qt::red));
    }

    // Flows on the setup screen over the saved business data given.
    void flows_data() {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("saved");
        QTest::newRow("style to international") << "setup-style-international"
                                                << "business-acme.txt";
        QTest::newRow("style to USA") << "setup-style-usa"
                                      << "business-acme-international.txt";
        QTest::newRow("reset, then closed") << "setup-reset-closed"
                                            << "business-acme.txt";
        QTest::newRow("read-only folder") << "setup-read-only"
                                          << "business-acme.txt";
    }
    void flows() {
        SetupRig rig(UiData(fetched<QString>("saved")));
        rig.flow(fetched<QString>("flow"));
    }

    void proposalNumberLogoAndSample() {
        SetupRig rig;
        rig.flow("setup-proposal-number");
        QCOMPARE(rig.ctx.vars().ProposalNumber, 1500);

        rig.flow("setup-logo-arrows");
        QCOMPARE(rig.w<QLabel>("Image3")->pixmap().size(),
                 QSize(360, 1800) * rig.w("Image3")->logicalDpiX() / 1440);
        rig.flow("setup-logo-square");
        const auto& jobs = rig.printer->jobs();
        // The logo on the sample, which the colour box prints in black and white.
        QVERIFY(!jobs.first()->pictures.isEmpty());
        QCOMPARE(bits({jobs.first()->colour, jobs.last()->colour}), "10");
    }
};

TOLVAR_TEST(TestSetupScreen)
#include "test_setupscreen.moc"
