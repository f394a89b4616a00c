#include "customers/customerfiles.h"
#include "print/recordingdevice.h"
#include "ptymodem.h"
#include "recordingpreview.h"
#include "settings/settings.h"
#include "testmain.h"
#include "ui/frmcustomer.h"
#include "ui/gridwheel.h"
#include "ui/programscreens.h"
#include "uitesthelpers.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {
const QString kCustomer = QStringLiteral("frmCustomer");
const QString kApp = AppContext::applicationTitle();

// Customer n: an individual "First<n> Last<n>" on "<n> Oak Ave", account N-<n>,
// telephone 555-000-<n>; its contract and cycle records filled with 'a' + n.
CustomerRecord person(int n) {
    CustomerRecord r;
    r.AccountNumber = QStringLiteral("N-%1").arg(n);
    r.AccountType = CustomerRecord::individual();
    r.FirstName = QStringLiteral("First%1").arg(n);
    r.LastName = QStringLiteral("Last%1").arg(n);
    r.Address1 = QStringLiteral("%1 Oak Ave").arg(n);
    r.CityOrAddress3 = QStringLiteral("Troy");
    r.Phone = QStringLiteral("555-000-%1").arg(n, 4, 10, QLatin1Char('0'));
    return r;
}

// The program's screens over a folder; `modem` puts a fake modem on port 3.
struct CustomerRig {
    explicit CustomerRig(bool modem = false) : screens(*pty.app.ctx) {
        if (modem) {
            pty.add(3).setResponder([](const QByteArray& c) {
                return c.startsWith("ATDT") ? QList<QByteArray>{"\r\nOK\r\n"} : QList<QByteArray>{};
            });
            ctx().vars().ModemPort = 3;
        }
        RegisterScreens(screens);
        ctx().quit = [this] { screens.unloadAll(); };
        ctx().vars().BusinessData =
            QStringList{"Acme", "1 Elm", "", "Troy", "NY", "12180", "555-123-9999", "", ""};
    }
    ~CustomerRig() { ScreenApp::settle(); }

    AppContext& ctx() { return *pty.app.ctx; }
    ScriptedPrompter& prompter() { return pty.app.prompter; }
    void addCustomers(int count, const QMap<int, CustomerRecord>& special = {}) {
        for (int n = 1; n <= count; ++n) {
            const char c = char('a' + n);
            QVERIFY(CustomerFiles::saveCustomer(ctx().store(), n, special.value(n, person(n)),
                                                QByteArray(386, c), QByteArray(69, c)));
        }
    }
    frmCustomer* open(int routine = 1) {
        ctx().vars().SelectedRoutine = routine;
        return qobject_cast<frmCustomer*>(screens.show(kCustomer));
    }
    template <typename T = QWidget>
    T* w(const QString& name, const QString& screen = kCustomer) {
        T* found = screens.find(screen)->findChild<T*>(name);
        if (!found) {
            QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
        }
        return found;
    }
    void click(const QString& name, const QString& screen = kCustomer) {
        QTest::mouseClick(w<QAbstractButton>(name, screen), Qt::LeftButton);
    }
    void trigger(const QString& action) { w<QAction>(action)->trigger(); }
    QString text(const QString& name) { return w<QLineEdit>(name)->text(); }
    void type(const QString& name, const QString& keys) {
        QLineEdit* e = w<QLineEdit>(name);
        e->setFocus();
        QTest::keyClicks(e, keys);
    }
    QString gridText(int row, int column) {
        QAbstractItemModel* m = w<QTableView>("fgCustomersFound")->model();
        return m->data(m->index(row, column)).toString();
    }
    QByteArray records(const QString& file, int size, const QList<int>& numbers) {
        const QByteArray all = pty.app.read(file);
        QByteArray out;
        for (int n : numbers) {
            out += all.mid((n - 1) * size, size);
        }
        return out;
    }

    PtyRig pty;
    ScreenManager screens;
};

}  // namespace

class TestCustomerWindow : public QObject {
    Q_OBJECT
private slots:
    // From the main menu into an empty customer file: the first customer
    // takes its telephone as account number, its aux data get their folders.
    void firstCustomerFromTheMainMenu() {
        CustomerRig rig;
        const QString missing = QStringLiteral(
            "Your Customer Information File is missing\r\nThe %1 File can not be rebuilt");
        rig.prompter()
            .expectMessage(
                QStringLiteral("Your Customer File is Empty\r\nCreate your First Customer Now"),
                QStringLiteral("Create Customers"), Icon::None)
            .expectMessage(missing.arg("Contract"), QStringLiteral("No Customer File Found"),
                           Icon::None)
            .expectMessage(missing.arg("Cycle"), QStringLiteral("No Customer File Found"),
                           Icon::None);
        rig.screens.show(QStringLiteral("frmStartup"));
        QTest::mouseClick(rig.w<QAbstractButton>("optProgramRoutine(0)", "frmStartup"),
                          Qt::LeftButton, {}, QPoint(6, 8));
        rig.click("cmdStart", "frmStartup");
        QVERIFY(rig.screens.find(kCustomer)->isVisible());
        QVERIFY(!rig.w("cmdNav(0)")->isEnabled() && !rig.w<QAction>("mnuDelete")->isEnabled());
        QVERIFY(rig.w("cmdSchedule")->isEnabled());
        CheckLayout(rig.screens.find(kCustomer), "frmCustomer-usa-address");

        rig.type("txtCustomer(8)", "Pat");
        rig.type("txtCustomer(10)", "Doe");
        QCOMPARE(rig.text("txtCustomer(6)"), QStringLiteral("555-123-"));
        rig.type("txtCustomer(6)", "4567");
        rig.prompter().expectMessage(QStringLiteral("Telephone Number will be used as Acct No."),
                                     QStringLiteral("Account not Entered"), Icon::None);
        rig.click("cmdNew");
        rig.click("cmdCustomer");
        QCOMPARE(rig.text("txtCustomer(0)"), QStringLiteral("555-123-4567"));
        QCOMPARE(CustomerFiles::readCustomer(rig.ctx().store(), 1).LastName, QStringLiteral("Doe"));

        rig.trigger("mnuAux");
        QCOMPARE(rig.w<QGroupBox>("fraAux")->title(), QStringLiteral("Data for Pat Doe"));
        QTest::keyClicks(rig.w<QPlainTextEdit>("txtAux(1)"), "Gate code 12");
        rig.click("cmdSaveAux(2)");
        QVERIFY(!rig.w("fraAux")->isVisible());
        QCOMPARE(rig.pty.app.read("AuxFiles/555-123-4567/AuxFile1/Data.txt"),
                 QByteArray("Gate code 12\r\n"));
        rig.click("cmdExit");
        QVERIFY(!rig.screens.find(kCustomer)->isVisible());
        QVERIFY(rig.screens.find("frmStartup")->isVisible());
    }

    void navigationInBothAddressStyles_data() {
        QTest::addColumn<bool>("usa");
        QTest::newRow("usa") << true;
        QTest::newRow("international") << false;
    }
    void navigationInBothAddressStyles() {
        QFETCH(bool, usa);
        CustomerRig rig;
        rig.ctx().settings().addressStyle = usa ? AddressStyle::Usa : AddressStyle::International;
        rig.addCustomers(10);
        frmCustomer* w = rig.open();
        QCOMPARE(rig.w("fraUSAddress")->isVisible(), usa);
        QCOMPARE(rig.w("fraIntAddress")->isVisible(), !usa);
        QCOMPARE(usa ? rig.w<QComboBox>("cboCity")->currentText() : rig.text("txtAdd3"),
                 QStringLiteral("Troy"));
        if (!usa) {
            CheckLayout(w, "frmCustomer-international-address");
        }
        const QList<std::pair<int, int>> moves{{4, 2}, {5, 6}, {6, 4}, {3, 10}, {2, 1}};
        for (const auto& [button, shown] : moves) {
            rig.click(QStringLiteral("cmdNav(%1)").arg(button));
            QCOMPARE(rig.text("txtCustomer(0)"), QStringLiteral("N-%1").arg(shown));
        }
        QCOMPARE(rig.ctx().vars().CurrentCustomerRecord, 1);
    }

    // "&Start Proposal" hands the shown customer to the routine's screen once
    // that screen is part of the program.
    void startProposalHandsOnTheCustomer_data() {
        QTest::addColumn<int>("routine");
        QTest::addColumn<QString>("screen");
        QTest::newRow("proposal") << 1 << "frmWriteProposal";
        QTest::newRow("field proposal") << 4 << "frmFieldProposal";
    }
    void startProposalHandsOnTheCustomer() {
        QFETCH(int, routine);
        QFETCH(QString, screen);
        CustomerRig rig;
        rig.screens.add(screen, [screen](AppContext& ctx, ScreenManager& s) {
            return new StandInScreen(ctx, s, screen);
        });
        rig.addCustomers(3);
        rig.open(routine);
        rig.click("cmdNav(3)");
        QCOMPARE(rig.screens.find(kCustomer)->focusWidget(), rig.w("cmdSchedule"));
        rig.click("cmdSchedule");
        QVERIFY(rig.screens.find(screen)->isVisible() && !rig.screens.find(kCustomer)->isVisible());
        QCOMPARE(rig.ctx().vars().CurrentCustomerRecord, 3);
    }

    void searchFindsAndSelects() {
        CustomerRig rig;
        CustomerRecord main = person(3);
        main.Address1 = QStringLiteral("12 Main St");
        CustomerRecord mainway = person(7);
        mainway.Address1 = QStringLiteral("Mainway Rd");
        rig.addCustomers(10, {{3, main}, {7, mainway}});
        frmCustomer* w = rig.open();
        rig.click("Command1(0)");
        QTest::mouseClick(rig.w<QRadioButton>("optSearch(1)"), Qt::LeftButton, {}, QPoint(6, 8));
        rig.type("txtSearch", "main");
        CheckLayout(w, "frmCustomer-search");
        rig.click("cmdStartSearch");
        QVERIFY(!rig.w("fraSearch")->isVisible() && rig.w("fraCustomersFound")->isVisible());
        QCOMPARE(rig.w<QGroupBox>("fraCustomersFound")->title(), "Customers Search Results");
        QCOMPARE(rig.w<QTableView>("fgCustomersFound")->model()->rowCount(), 2);
        QCOMPARE(rig.gridText(0, 2) + '|' + rig.gridText(1, 2), "12 Main St|Mainway Rd");
        QVERIFY(!rig.w("cmdPrintCustomers")->isVisible());
        CheckLayout(w, "frmCustomer-results");

        auto* grid = rig.w<QTableView>("fgCustomersFound");
        const QPoint second = grid->visualRect(grid->model()->index(1, 0)).center();
        QContextMenuEvent right(QContextMenuEvent::Mouse, second,
                                grid->viewport()->mapToGlobal(second));
        QApplication::sendEvent(grid->viewport(), &right);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->actions().value(0) == rig.w<QAction>("mnuSelect"));
        menu->actions().first()->trigger();
        menu->close();
        QCOMPARE(rig.text("txtCustomer(0)"), QStringLiteral("N-7"));
        QVERIFY(!rig.w("fraCustomersFound")->isVisible());

        // Eleven characters of a telephone number are too few to search.
        rig.click("Command1(0)");
        QTest::mouseClick(rig.w<QRadioButton>("optSearch(6)"), Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(rig.text("txtSearch"), QStringLiteral("555-123-"));
        rig.type("txtSearch", "999");
        const int beeps = rig.prompter().beeps();
        rig.click("cmdStartSearch");
        QCOMPARE(rig.prompter().beeps(), beeps + 1);
        QVERIFY(rig.w("fraSearch")->isVisible() && !rig.w("fraCustomersFound")->isVisible());
    }

    void deleteKeepsTheOthersInAllThreeFiles() {
        CustomerRig rig;
        rig.addCustomers(5);
        const QString files[] = {"CustomerData.txt", "ContractInfo.txt", "CycleInfo.txt"};
        const int sizes[] = {CustomerRecord::kSize, 386, 69};
        rig.open();
        rig.click("cmdNav(2)");
        rig.click("cmdNav(2)");
        // Moving on saved records 1 and 2 as shown; the delete keeps them so.
        QByteArray kept[3];
        for (int f = 0; f < 3; ++f) {
            kept[f] = rig.records(files[f], sizes[f], {1, 2, 4, 5});
        }
        rig.prompter().expectQuestion(QStringLiteral("Delete this Customer"), kApp, Buttons::YesNo,
                                      Icon::Question, Answer::Yes);
        rig.trigger("mnuDelete");
        for (int f = 0; f < 3; ++f) {
            QCOMPARE(rig.pty.app.read(files[f]), kept[f]);
        }
        QCOMPARE(rig.text("txtCustomer(0)"), QStringLiteral("N-1"));
        QCOMPARE(rig.w<QComboBox>("cboAccounts")->count(), 4);
    }

    void auxBigWindowEditsAndReloads() {
        CustomerRig rig;
        rig.addCustomers(1);
        rig.pty.app.write("AuxHeadings.txt", "Gate\r\nPets\r\nRoof\r\n\r\n\r\n\r\n");
        QVERIFY(CustomerFiles::saveAuxData(rig.ctx().store(), "N-1",
                                           {"Code 4", "", "Slate, 1920", "", "", ""}));
        frmCustomer* w = rig.open();
        rig.trigger("mnuAux");
        CheckLayout(w, "frmCustomer-aux");
        QTest::mouseDClick(rig.w<QPlainTextEdit>("txtAux(2)")->viewport(), Qt::LeftButton);
        QCOMPARE(rig.w<QLabel>("lblBig")->text(),
                 QStringLiteral("Editing Data Box # 3 - Roof - for First1 Last1"));
        auto* big = rig.w<QPlainTextEdit>("txtBig");
        QCOMPARE(big->toPlainText(), QStringLiteral("Slate, 1920"));
        CheckLayout(w, "frmCustomer-big-window");
        big->moveCursor(QTextCursor::End);
        QTest::keyClicks(big, " leaks");
        rig.click("cmdSaveAux(6)");
        QCOMPARE(big->toPlainText(), QStringLiteral("Slate, 1920"));
        big->moveCursor(QTextCursor::End);
        QTest::keyClicks(big, " leaks");
        rig.click("cmdSaveAux(4)");
        QVERIFY(!rig.w("fraBig")->isVisible());
        QCOMPARE(rig.w<QPlainTextEdit>("txtAux(2)")->toPlainText(), "Slate, 1920 leaks");
        QTest::mouseClick(rig.w("lblClear(0)"), Qt::LeftButton);
        QTest::mouseDClick(rig.w("txtHeading(1)"), Qt::LeftButton);
        rig.click("cmdSaveAux(0)");
        rig.click("cmdSaveAux(2)");
        QCOMPARE(rig.pty.app.read("AuxHeadings.txt"), "Gate\r\n\r\nRoof\r\n\r\n\r\n\r\n");
        QCOMPARE(CustomerFiles::loadAuxData(rig.ctx().store(), "N-1"),
                 (QStringList{"", "", "Slate, 1920 leaks", "", "", ""}));
    }

    void customerListPreviewedSavedAndPrinted() {
        CustomerRig rig;
        rig.addCustomers(7);
        RecordingPreview preview(rig.ctx());
        auto printer = std::make_shared<RecordingTarget>();
        rig.ctx().printerFactory = [printer] { return printer; };
        rig.open();
        rig.trigger("mnuPrint");
        QCOMPARE(rig.w<QGroupBox>("fraCustomersFound")->title(), QStringLiteral("Customer List"));
        QCOMPARE(rig.w<QTableView>("fgCustomersFound")->model()->rowCount(), 7);
        rig.click("cmdPreviewCustomers");
        QCOMPARE(preview.titles(), QStringList{"Customer List"});
        QVERIFY(preview.landscape());
        QCOMPARE(preview.target().jobs().size(), 1);

        const QString pdf = rig.pty.app.path("list.pdf");
        rig.prompter().expectSaveFile(QStringLiteral("Save as PDF"), pdf);
        rig.click("cmdPdfCustomers");
        QVERIFY(rig.pty.app.read("list.pdf").startsWith("%PDF"));

        rig.prompter()
            .expectQuestion(QStringLiteral("Click Yes to print a Customer Report"),
                            QStringLiteral("Customer Report"), Buttons::YesNo, Icon::Question,
                            Answer::Yes)
            .expectPrintDialog();
        rig.click("cmdPrintCustomers");
        const PrintRequest asked = rig.prompter().printRequests().value(0);
        QVERIFY(asked.landscape && !asked.allowPrintToFile && !asked.allowPageRange);
        QCOMPARE(printer->jobs().size(), 1);
    }

    // Typed, pasted and menu-pasted text pass the same filter.
    void keyFiltersOnTypedAndPastedText() {
        CustomerRig rig;
        rig.ctx().settings().addressStyle = AddressStyle::International;
        rig.addCustomers(1);
        rig.open();
        rig.prompter().expectMessage(
            QStringLiteral("This character, (,) is invalid for this field"),
            QStringLiteral("Invalid Key entry"), Icon::Exclamation);
        rig.type("txtAdd4", "Box 9,");
        QCOMPARE(rig.text("txtAdd4"), QStringLiteral("Box 9"));
        QApplication::clipboard()->setText(QStringLiteral("a/b,c"));
        auto* account = rig.w<QLineEdit>("txtCustomer(0)");
        account->clear();
        QTest::keySequence(account, QKeySequence::Paste);
        QCOMPARE(account->text(), QStringLiteral("abc"));
        auto* phone = rig.w<QLineEdit>("txtCustomer(6)");
        phone->clear();
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(4, 4),
                                    phone->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(phone, &menuEvent);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const QString paste = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* a : menu->actions()) {
            if (a->text().endsWith(paste)) {
                a->trigger();
            }
        }
        menu->close();
        QCOMPARE(phone->text(), QStringLiteral("abc"));
    }

    void dialsTheShownCustomer() {
        CustomerRig rig(true);
        rig.addCustomers(2);
        rig.open();
        rig.click("cmdNav(2)");
        rig.click("imgPhone");
        auto* dialer = rig.screens.find("frmDialer");
        QVERIFY(dialer && dialer->isVisible());
        QCOMPARE(rig.w<QLabel>("lblName", "frmDialer")->text() + '|' +
                     rig.w<QLabel>("lblNumber", "frmDialer")->text(),
                 QStringLiteral("First2 Last2|555-000-0002"));
        rig.click("cmdNewDial", "frmDialer");
        QCOMPARE(rig.w<QLabel>("lblStatus", "frmDialer")->text(),
                 QStringLiteral("Pickup Receiver - Then Click Hangup"));
        rig.click("cmdCancel", "frmDialer");
        PtyModem& modem = *rig.pty.modems.at(3);
        QVERIFY(modem.waitForCommand("ATH"));
        QCOMPARE(modem.commands(), (QList<QByteArray>{"ATDT555-000-0002;", "ATH"}));
        QVERIFY(!rig.screens.isLoaded("frmDialer") && rig.screens.find(kCustomer)->isVisible());
    }

    void wheelScrollsAWholeGrid_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("fitting");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("shown");
        QTest::newRow("down by what fits") << 0 << 25 << false << 25;
        QTest::newRow("at least ten") << 30 << 4 << false << 40;
        QTest::newRow("up, not above row 1") << 6 << 25 << true << 0;
        QTest::newRow("down, not past the last") << 90 << 25 << false << 99;
    }
    void wheelScrollsAWholeGrid() {
        QFETCH(int, first);
        QFETCH(int, fitting);
        QFETCH(bool, up);
        QFETCH(int, shown);
        QCOMPARE(WheelFirstRow(first, fitting, 100, up), shown);
    }
};

TOLVAR_TEST(TestCustomerWindow)
#include "test_customerwindow.moc"
