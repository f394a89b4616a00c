#include "customers/customerfiles.h"
#include "recordingpreview.h"
#include "settings/settings.h"
#include "testmain.h"
#include "ui/gridwheel.h"
#include "uitesthelpers.h"

namespace {
const QString kCustomer = QStringLiteral("frmCustomer");

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

struct CustomerRig : UiRig {
    CustomerRig() {
        ctx.vars().BusinessData =
            QStringList{"Acme", "1 Elm", "", "Troy", "NY", "12180", "555-123-9999", "", ""};
    }
    // Customers 1 to `count` saved (the `special` ones in place of theirs),
    // and the screen opened for the first routine.
    void open(int count, const QMap<int, CustomerRecord>& special = {}) {
        for (int n = 1; n <= count; ++n) {
            const char c = char('a' + n);
            QVERIFY(CustomerFiles::saveCustomer(ctx.store(), n, special.value(n, person(n)),
                                                QByteArray(386, c), QByteArray(69, c)));
        }
        ctx.vars().SelectedRoutine = 1;
        screens.show(kCustomer);
    }
};
}  // namespace

class TestCustomerWindow : public QObject {
    Q_OBJECT
private slots:
    void firstCustomerFromTheMainMenu() {
        CustomerRig rig;
        rig.flow("first-customer");
        QCOMPARE(CustomerFiles::readCustomer(rig.ctx.store(), 1).LastName, QStringLiteral("Doe"));
    }

    void emptiedCustomerFile() { CustomerRig().flow("customer-file-emptied"); }

    // Flows over the customers saved, in either address style; each ends on
    // customer 1.
    void flows_data() {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<int>("customers");
        QTest::addColumn<bool>("usa");
        QTest::newRow("navigation, usa") << "customer-nav-usa" << 10 << true;
        QTest::newRow("navigation, international") << "customer-nav-international" << 10 << false;
        // Typed, pasted and menu-pasted text pass the same filter.
        QTest::newRow("key filter") << "customer-key-filter" << 1 << false;
    }
    void flows() {
        CustomerRig rig;
        rig.ctx.settings().addressStyle =
            fetched<bool>("usa") ? AddressStyle::Usa : AddressStyle::International;
        rig.open(fetched<int>("customers"));
        rig.flow(fetched<QString>("flow"));
        QCOMPARE(rig.ctx.vars().CurrentCustomerRecord, 1);
    }

    void searchFindsAndSelects() {
        CustomerRig rig;
        CustomerRecord main = person(3);
        main.Address1 = QStringLiteral("12 Main St");
        CustomerRecord mainway = person(7);
        mainway.Address1 = QStringLiteral("Mainway Rd");
        rig.open(10, {{3, main}, {7, mainway}});
        rig.flow("customer-search");
    }

    void deleteKeepsTheOthersInAllThreeFiles() {
        CustomerRig rig;
        const std::pair<QString, int> files[] = {{"CustomerData.txt", CustomerRecord::kSize},
                                                 {"ContractInfo.txt", 386},
                                                 {"CycleInfo.txt", 69}};
        rig.open(5);
        rig.click("cmdNav(2)");
        rig.click("cmdNav(2)");
        // Moving on saved records 1 and 2 as shown; the delete keeps them so.
        QByteArrayList kept;
        for (const auto& [file, size] : files) {
            const QByteArray all = rig.app.read(file);
            kept << all.left(2 * size) + all.mid(3 * size);
        }
        rig.flow("customer-delete");
        for (int f = 0; f < 3; ++f) {
            QCOMPARE(rig.app.read(files[f].first), kept.at(f));
        }
    }

    void auxBigWindowEditsAndReloads() {
        CustomerRig rig;
        rig.app.write("AuxHeadings.txt", "Gate\r\nPets\r\nRoof\r\n\r\n\r\n\r\n");
        QVERIFY(CustomerFiles::saveAuxData(rig.ctx.store(), "N-1",
                                           {"Code 4", "", "Slate, 1920", "", "", ""}));
        rig.open(1);
        rig.flow("customer-aux");
        QCOMPARE(CustomerFiles::loadAuxData(rig.ctx.store(), "N-1"),
                 (QStringList{"", "", "Slate, 1920 leaks", "", "", ""}));
    }

    void customerListPreviewedSavedAndPrinted() {
        CustomerRig rig;
        RecordingPreview preview(rig.ctx);
        rig.open(7);
        rig.flow("customer-list");
        QCOMPARE(preview.titles(), QStringList{"Customer List"});
        const PrintRequest asked = rig.app.prompter.printRequests().value(0);
        QVERIFY(preview.landscape() && preview.target().jobs().size() == 1 && asked.landscape);
        QVERIFY(rig.app.read("list.pdf").startsWith("%PDF"));
        QVERIFY(!asked.allowPrintToFile && !asked.allowPageRange);
    }

    void dialsTheShownCustomer() {
        CustomerRig rig;
        rig.pty.add(3).answerDial({"\r\nOK\r\n"});
        rig.ctx.vars().ModemPort = 3;
        rig.open(2);
        rig.flow("customer-dial");
        PtyModem& modem = *rig.pty.modems.at(3);
        QVERIFY(modem.waitForCommand("ATH"));
        QCOMPARE(modem.commands(), (QList<QByteArray>{"ATDT555-000-0002;", "ATH"}));
        QVERIFY(!rig.screens.isLoaded("frmDialer") && rig.visible(kCustomer));
    }

    void wheelScrollsAWholeGrid() {
        // Down by what fits, at least ten, up not above row 1, down not past the last.
        QCOMPARE((QList<int>{WheelFirstRow(0, 25, 100, false), WheelFirstRow(30, 4, 100, false),
                             WheelFirstRow(6, 25, 100, true), WheelFirstRow(90, 25, 100, false)}),
                 (QList<int>{25, 40, 0, 99}));
    }
};

TOLVAR_TEST(TestCustomerWindow)
#include "test_customerwindow.moc"
