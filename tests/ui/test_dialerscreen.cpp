#include "customers/customerscreen.h"
#include "ptymodem.h"
#include "testmain.h"
#include "ui/frmdialer.h"
#include "ui/programscreens.h"
#include "uitesthelpers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
const QString kDialer = QStringLiteral("frmDialer");

// The program's screens over a fake modem on port 3, which the probe found;
// the modem answers a dial command with `reply`.
struct DialerRig {
    explicit DialerRig(QList<QByteArray> reply = {"\r\nO", "K\r\n"})
        : modem(pty.add(3)), screens(*pty.app.ctx) {
        modem.setResponder([reply](const QByteArray& c) {
            return c.startsWith("ATDT") ? reply : QList<QByteArray>{};
        });
        RegisterScreens(screens);
        pty.app.ctx->quit = [this] {
            screens.unloadAll();
            ++quits;
        };
        pty.app.ctx->vars().ModemPort = 3;
    }
    frmDialer* call() {
        ShowDialer(screens, DialRequest{QStringLiteral("Pat Doe"), QStringLiteral("555-1234")});
        return qobject_cast<frmDialer*>(screens.find(kDialer));
    }
    template <typename T = QPushButton>
    T* control(const QString& name) {
        return screens.find(kDialer)->findChild<T*>(name);
    }
    QString text(const QString& label) { return control<QLabel>(label)->text(); }
    QString firstCaptions() {
        return control("cmdDialer(0)")->text() + QLatin1Char('|') + control("cmdDialer(1)")->text();
    }
    void click(const QString& name) {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
    }

    PtyRig pty;
    PtyModem& modem;
    ScreenManager screens;
    int quits = 0;
};

QByteArray golden(const char* name) {
    return testData(QStringLiteral("ui/") + QLatin1String(name));
}

}  // namespace

class TestDialerScreen : public QObject {
    Q_OBJECT
private slots:
    void dialsTalksAndHangsUp() {
        DialerRig rig;
        QPointer<frmDialer> dialer = rig.call();
        QVERIFY(QTest::qWaitForWindowExposed(dialer));
        QVERIFY(dialer->windowModality() == Qt::ApplicationModal);
        QCOMPARE((QStringList{dialer->windowTitle(), rig.text("lblName"), rig.text("lblStatus"),
                              rig.control<QLineEdit>("Text1")->text(), rig.text("Label2(3)")}),
                 (QStringList{"Call ...............", "Pat Doe", "Ready to Dial......",
                              "Your Modem Comm Port Is 3.", "COM Port # 3"}));
        CheckLayout(dialer, QStringLiteral("frmDialer-ready"));
        rig.click("cmdHelp");
        QVERIFY(rig.control<QWidget>("fraHelp")->isVisible());
        QCOMPARE(rig.control("cmdHelp")->text(), QStringLiteral("Hide &Help"));
        CheckLayout(dialer, QStringLiteral("frmDialer-help"));
        rig.click("cmdHelp");

        rig.click("ckDial1");
        QCOMPARE(rig.text("lblNumber"), QStringLiteral("1-555-1234"));
        rig.click("cmdNewDial");
        QCOMPARE(rig.text("lblStatus"), QStringLiteral("Pickup Receiver - Then Click Hangup"));
        QVERIFY(rig.control("cmdCancel")->isVisible() && !rig.control("cmdNewDial")->isVisible());
        QCOMPARE(dialer->focusWidget(), rig.control("cmdCancel"));
        CheckLayout(dialer, QStringLiteral("frmDialer-connected"));

        rig.click("cmdCancel");
        QVERIFY(!rig.screens.isLoaded(kDialer) && !dialer->isVisible());
        QVERIFY(!dialer->serialPort().isOpen());
        QVERIFY(rig.modem.waitForCommand("ATH"));
        QCOMPARE(rig.modem.commands(), (QList<QByteArray>{"ATDT1-555-1234;", "ATH"}));
        QVERIFY(dialer.isNull());
        QCOMPARE(rig.quits, 0);
        // The next call takes the port again.
        QVERIFY(rig.call()->serialPort().isOpen());
    }

    // The modem stays silent; while the dialer waits the user hangs up,
    // closes the window (ending the program), or the modem goes away. The
    // wait ends at once, and a modem that is still there is hung up.
    void theWaitNeverFreezesTheWindow_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("Disconnect/Cancel") << "hang up";
        QTest::newRow("window closed") << "close";
        QTest::newRow("modem vanishes") << "vanish";
    }
    void theWaitNeverFreezesTheWindow() {
        QFETCH(QString, action);
        DialerRig rig(QList<QByteArray>{});
        rig.call();
        QString shownWhileWaiting;
        QTimer::singleShot(150, &rig.modem, [&] {
            shownWhileWaiting = rig.text("lblStatus");
            if (action == QLatin1String("hang up")) {
                rig.click("cmdHangup");
            } else if (action == QLatin1String("close")) {
                rig.screens.find(kDialer)->close();
            } else {
                rig.modem.vanish();
            }
        });
        QElapsedTimer clock;
        clock.start();
        rig.click("cmdNewDial");
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(shownWhileWaiting, QStringLiteral("Dialing..... 555-1234"));
        QCOMPARE(rig.quits, action == QLatin1String("close") ? 1 : 0);
        if (action != QLatin1String("vanish")) {
            QVERIFY(rig.modem.waitForCommand("ATH"));
            QVERIFY(!rig.screens.isLoaded(kDialer));
            return;
        }
        QCOMPARE(rig.modem.commands(), QList<QByteArray>{"ATDT555-1234;"});
        QCOMPARE(rig.text("lblStatus"),
                 QStringLiteral("The Modem was Disconnected - Check it and Dial Again"));
        QVERIFY(rig.control("cmdNewDial")->isVisible());
    }

    void speedDialSavedLoadedAndDeleted() {
        DialerRig rig;
        rig.call();
        const QString file = QStringLiteral("SpeedNumbers.txt");
        rig.click("cmdDialer(0)");
        QTest::keyClicks(rig.control<QLineEdit>("txtDialer(0)"), QStringLiteral("Ann & Co"));
        QTest::keyClicks(rig.control<QLineEdit>("txtDialer(1)"), QStringLiteral("555-0001"));
        CheckLayout(rig.screens.find(kDialer), QStringLiteral("frmDialer-adding-a-speed-dial"));
        rig.click("cmdSpeedDialer(0)");
        rig.click("cmdDialer(1)");
        rig.click("cmdSpeedDialer(4)");
        QCOMPARE(rig.pty.app.read(file), golden("speednumbers-two.txt"));
        QVERIFY(!rig.control<QWidget>("fraSpeedDial")->isVisible());
        QCOMPARE(rig.firstCaptions(), QStringLiteral("Ann && Co|Pat Doe"));

        rig.click("cmdDialer(0)");
        QCOMPARE(rig.text("lblName") + rig.text("lblNumber"), QStringLiteral("Ann & Co555-0001"));
        rig.click("cmdSpeedDialer(3)");
        QCOMPARE(rig.text("lblName") + rig.text("lblNumber"), QStringLiteral("Pat Doe555-1234"));

        rig.click("cmdDialer(0)");
        rig.pty.app.prompter.expectQuestion(
            QStringLiteral("This will delete SpeedDial entry  Ann & Co\r\nAre you Sure"),
            QStringLiteral("Delete Speed Dial"), Buttons::YesNo, Icon::Question, Answer::Yes);
        rig.click("cmdSpeedDialer(2)");
        QCOMPARE(rig.pty.app.read(file), golden("speednumbers-one.txt"));
        QCOMPARE(rig.firstCaptions(), QStringLiteral("Pat Doe|"));
    }

    // Twelve entries, the last without its number, the first with a name far
    // too long for its button.
    void handEditedSpeedDialFile() {
        DialerRig rig;
        rig.pty.app.write(QStringLiteral("SpeedNumbers.txt"),
                          golden("speednumbers-hand-edited.txt"));
        frmDialer* w = rig.call();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(rig.control("cmdDialer(0)")->toolTip().endsWith(QStringLiteral("(ask for Pat)")));
        QVERIFY(rig.control("cmdDialer(0)")->text().endsWith(QChar(0x2026)));
        QCOMPARE(rig.control("cmdDialer(9)")->text(), QStringLiteral("Entry 10"));
        QVERIFY(w->width() < 800);
        CheckLayout(w, QStringLiteral("frmDialer-hand-edited-speed-dial-file"));
    }

    // The probe at start-up runs on the dialer's own port and leaves it open
    // for the first call.
    void probeRunsOnTheDialersPort_data() {
        QTest::addColumn<bool>("modem");
        QTest::addColumn<QString>("text1");
        QTest::newRow("modem on port 3") << true << "Your Modem Comm Port Is 3.";
        QTest::newRow("no modem") << false << "Modem Not Detected Or In Use.";
    }
    void probeRunsOnTheDialersPort() {
        QFETCH(bool, modem);
        QFETCH(QString, text1);
        DialerRig rig;
        if (modem) {
            rig.modem.answerAttention();
        }
        const PhoneFeatures shown = ProbeModem(*rig.pty.app.ctx, rig.screens);
        auto* dialer = qobject_cast<frmDialer*>(rig.screens.find(kDialer));
        QVERIFY(dialer && !dialer->isVisible());
        QCOMPARE(rig.control<QLineEdit>("Text1")->text(), text1);
        QCOMPARE(shown.phoneImageVisible, modem);
        QCOMPARE(dialer->serialPort().isOpen(), modem);
    }
};

TOLVAR_TEST(TestDialerScreen)
#include "test_dialerscreen.moc"
