#include "customers/customerfiles.h"
#include "customers/customerscreen.h"
#include "customertesting.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/commonvariables.h"
#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QFile>

namespace {

// Customer n: up to the fifth, the one of tests/data/customers/records.txt.
CustomerRecord person(int n) {
    if (n <= 5) {
        return recordNamed(QString::number(n));
    }
    CustomerRecord r;
    r.AccountNumber = QStringLiteral("N-%1").arg(n);
    r.AccountType = CustomerRecord::individual();
    r.FirstName = QStringLiteral("First%1").arg(n);
    r.LastName = QStringLiteral("Last%1").arg(n);
    return r;
}

// A model over `count` customers (contract and cycle record n filled with
// the letter 'a' + n), loaded and activated.
std::unique_ptr<CustomerScreenModel> opened(TempApp& app, int count) {
    app.ctx->vars().BusinessData =
        QStringList{"Acme", "1 Elm", "", "Troy", "NY", "12180", "518-555-0101", "", ""};
    for (int n = 1; n <= count; ++n) {
        const char c = char('a' + n % 26);
        if (!CustomerFiles::saveCustomer(app.ctx->store(), n, person(n), QByteArray(386, c),
                                         QByteArray(69, c))) {
            QTest::qFail("the customers could not be set up", __FILE__, __LINE__);
        }
    }
    auto m = std::make_unique<CustomerScreenModel>(*app.ctx);
    m->load();
    m->activate();
    return m;
}

// A fresh application folder with a model over `count` customers.
struct Opened {
    explicit Opened(int count) : m(opened(app, count)) {}
    TempApp app;
    std::unique_ptr<CustomerScreenModel> m;
};

void fill(CustomerScreenModel& m, const QStringList& values, const QList<CustomerBox>& boxes) {
    for (int i = 0; i < boxes.size(); ++i) {
        m.edit(boxes.at(i), values.at(i));
    }
}

using CaseFile::field;
using CaseFile::named;

}  // namespace

class TestCustomerScreen : public QObject {
    Q_OBJECT

private slots:
    void emptyCustomerFile() {
        TempApp app;
        expect(app.prompter, "empty");
        expect(app.prompter, "missing", Answer::Ok, {"Contract"});
        expect(app.prompter, "missing", Answer::Ok, {"Cycle"});
        auto m = opened(app, 0);
        const CustomerView& v = m->view();
        QVERIFY(!v.navEnabled && !v.deleteEnabled);
        QCOMPARE(QStringList({v.boxes.city, v.boxes.state, v.boxes.postalCode, v.boxes.phone}),
                 QStringList({"Troy", "NY", "12180", "518-555-"}));
        QCOMPARE(v.focus, CustomerFocus::AccountNumber);
        fill(*m, {"Jane", "Doe", "J-1"},
             {CustomerBox::FirstName, CustomerBox::LastName, CustomerBox::AccountNumber});
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QCOMPARE(v.customerCount, 1);
        QVERIFY(v.navEnabled && v.deleteEnabled);
        QCOMPARE(app.read(QStringLiteral("ContractInfo.txt")) +
                     app.read(QStringLiteral("CycleInfo.txt")),
                 golden("contract-default.bin") + golden("cycle-default.bin"));
    }

    void saveValidation_data() { CaseFile::rows(QStringLiteral("customers/savevalidation.txt")); }
    void saveValidation() {
        Opened s(3);
        const QByteArray before = s.app.read(QStringLiteral("CustomerData.txt"));
        if (field("type") != s.m->view().boxes.accountType) {
            s.m->toggleType();
        }
        fill(*s.m, {field("name"), field("first"), field("last"), field("account"), field("phone")},
             {CustomerBox::AccountName, CustomerBox::FirstName, CustomerBox::LastName,
              CustomerBox::AccountNumber, CustomerBox::Phone});
        const QStringList prompts = field("prompts").split(QLatin1Char(','));
        for (const QString& name : prompts) {
            expect(s.app.prompter, name,
                   &name == &prompts.last() ? CaseFile::answer(field("answer")) : Answer::Ok);
        }
        QCOMPARE(s.m->save(),
                 named<SaveOutcome>(field("outcome"), {"Saved", "Invalid", "ExitToMenu"}));
        QVERIFY(!s.m->saveOk());
        QCOMPARE(s.m->view().focus,
                 named<CustomerFocus>(field("focus"),
                                      {"None", "AccountNumber", "AccountName", "FirstName",
                                       "Telephone", "StartProposal", "SearchBox", "AccountList"}));
        QCOMPARE(s.app.read(QStringLiteral("CustomerData.txt")), before);
    }

    void recordFromTheBoxes() {
        for (bool usa : {true, false}) {
            TempApp app;
            auto m = opened(app, 1);
            if (!usa) {
                app.ctx->settings().addressStyle = AddressStyle::International;
                m = std::make_unique<CustomerScreenModel>(*app.ctx);
                m->load();
                m->activate();
            }
            QCOMPARE(m->view().usaAddress, usa);
            m->toggleType();
            // Every box, in the order of CustomerBox.
            const QStringList boxes =
                QStringLiteral(
                    " ABCDEFGHIJKLMNOPQRSTU | Kite Works |3 Wind Rd|Unit 2| Troy |NY| 12180|"
                    "Kowloon|Hong Kong|518-555-0777|kite@example.com|Kay|Q|Tan|518-555-0778|Ms")
                    .split(QLatin1Char('|'));
            for (int b = 0; b < boxes.size(); ++b) {
                m->edit(CustomerBox(b), boxes.at(b));
            }
            QCOMPARE(m->save(), SaveOutcome::Saved);
            QCOMPARE(app.read(QStringLiteral("CustomerData.txt")),
                     golden(usa ? "boxes-usa.bin" : "boxes-international.bin"));
        }
    }

    void shownCustomerAndLists() {
        Opened s(5);
        const CustomerView& v = s.m->view();
        QVERIFY(v.navEnabled && v.deleteEnabled);
        QCOMPARE(v.boxes.accountName, QStringLiteral("Mr. John Smith"));
        QCOMPARE(s.m->auxCaption(), QStringLiteral("Data for Mr. John Smith"));
        QCOMPARE(v.accounts, (QList<CustomerNameEntry>{{"Smith, John", 1},
                                                       {"Acme Roofing", 2},
                                                       {"Lee, Ann", 3},
                                                       {"Diaz, Bo", 4},
                                                       {"Zed Co", 5}}));
        QCOMPARE(v.cities, QStringList({"Troy", "Albany", "Cohoes"}));
        s.m->toggleType();
        s.m->edit(CustomerBox::City, QStringLiteral("Schenectady"));
        QCOMPARE(s.m->save(), SaveOutcome::Saved);
        QCOMPARE(CustomerFiles::readCustomer(s.app.ctx->store(), 1).AccountName,
                 QStringLiteral("Mr. John Smith"));
        QCOMPARE(v.accounts.first(), (CustomerNameEntry{"Mr. John Smith", 1}));
        QCOMPARE(v.cities.last(), QStringLiteral("Schenectady"));
        QVERIFY(v.isBusiness());
    }

    void navigationTargets_data() { CaseFile::rows(QStringLiteral("customers/navigation.txt")); }
    void navigationTargets() {
        const NavButton button = named<NavButton>(
            field("button"),
            {"First", "Previous", "Next", "Last", "Quarter", "ThreeQuarters", "Half"});
        QCOMPARE(CustomerScreenModel::navTarget(button, CaseFile::number("current"),
                                                CaseFile::number("count")),
                 CaseFile::number("target"));
    }

    void navigationSavesThenShows() {
        Opened s(10);
        QVERIFY(s.m->openNameList());
        QCOMPARE(s.m->navigate(NavButton::ThreeQuarters), SaveOutcome::Saved);
        QCOMPARE(s.app.ctx->vars().CurrentCustomerRecord, 6);
        QCOMPARE(s.m->view().boxes.accountNumber, QStringLiteral("N-6"));
        QVERIFY(!s.m->view().listVisible);
        QCOMPARE(s.m->view().focus, CustomerFocus::StartProposal);
        s.m->edit(CustomerBox::FirstName, QString());
        expect(s.app.prompter, "enter");
        QCOMPARE(s.m->navigate(NavButton::Next), SaveOutcome::Invalid);
        QCOMPARE(s.m->current(), 6);
    }

    void searchModes_data() { CaseFile::rows(QStringLiteral("customers/search.txt")); }
    void searchModes() {
        const SearchMode mode = named<SearchMode>(
            field("mode"), {"BusinessName", "Address1", "Address2", "CityOrAddress3", "State",
                            "ZipOrAddress4", "Telephone", "LastName", "AccountNumber"});
        Opened s(5);
        QStringList found;
        for (const CustomerRow& row : s.m->search(mode, field("text"))) {
            found << QString::number(row.record);
        }
        QCOMPARE(found.join(QLatin1Char(' ')), field("records"));
    }

    void searchResultsAndList() {
        Opened s(5);
        const CustomerView& v = s.m->view();
        QCOMPARE(s.m->openSearch(), SaveOutcome::Saved);
        s.m->chooseSearchOption(SearchMode::CityOrAddress3);
        s.m->setSearchText(QStringLiteral("troy"));
        QCOMPARE(s.m->runSearch(), SearchOutcome::ManyListed);
        QVERIFY(!v.searchVisible && v.resultsVisible && !v.printVisible);
        QCOMPARE(v.resultsCaption, QStringLiteral("Customers Search Results"));
        QCOMPARE(v.results,
                 (QList<CustomerRow>{{"Mr. John Smith", "518-555-0001", "12 Main St", "Troy", 1},
                                     {"Ms Ann Lee", "518-555-0003", "Mainway Rd", "Troy", 3}}));
        s.m->selectResult(1);
        QCOMPARE(s.m->current(), 3);
        QVERIFY(!v.resultsVisible);
        s.m->listAllCustomers();
        QCOMPARE(v.results.size(), 5);
        QCOMPARE(v.results.at(3), (CustomerRow{" Bo Diaz", "212-555-0004", "9 Oak Ct", "", 4}));
        QCOMPARE(v.resultsCaption, QStringLiteral("Customer List"));
        QVERIFY(v.printVisible && v.resultsVisible);
        s.m->selectResult(0);
        QCOMPARE(s.m->current(), 1);
        QCOMPARE(CustomerScreenModel::resultHeadings().join(QLatin1Char('|')),
                 QStringLiteral(
                     "Customer                          |Phone           |Street              |"
                     "City                |Rec"));
    }

    void telephoneSearchNeedsTwelveCharacters() {
        Opened s(5);
        s.app.prompter.setStrictBeeps(true);
        s.m->chooseSearchOption(SearchMode::Telephone);
        QCOMPARE(s.m->view().searchText, QStringLiteral("518-555-"));
        s.m->setSearchText(QStringLiteral("555-123-456"));
        s.app.prompter.expectBeep();
        QCOMPARE(s.m->runSearch(), SearchOutcome::NotRun);
        QCOMPARE(s.m->view().focus, CustomerFocus::SearchBox);
        s.m->setSearchText(QStringLiteral("212-555-0004"));
        QCOMPARE(s.m->runSearch(), SearchOutcome::OneShown);
        QCOMPARE(s.m->current(), 4);
        s.m->chooseSearchOption(SearchMode::Address2);
        QVERIFY(s.m->view().searchText.isEmpty());
    }

    void nothingFound() {
        for (Answer answer : {Answer::No, Answer::Yes}) {
            Opened s(5);
            s.m->chooseSearchOption(SearchMode::BusinessName);
            s.m->setSearchText(QStringLiteral("nobody"));
            expect(s.app.prompter, "not found", answer);
            QCOMPARE(s.m->runSearch(), SearchOutcome::NoneFound);
            QVERIFY(s.m->view().searchText.isEmpty() && !s.m->view().resultsVisible);
            QCOMPARE(s.m->current(), answer == Answer::Yes ? 6 : 1);
            QCOMPARE(s.m->view().cancelAddVisible, answer == Answer::Yes);
        }
    }

    void nameList() {
        Opened s(5);
        QVERIFY(s.m->openNameList());
        QVERIFY(s.m->view().listVisible);
        QCOMPARE(s.m->view().focus, CustomerFocus::AccountList);
        QCOMPARE(s.m->completeName(QStringLiteral("sm")), QStringLiteral("Smith, John"));
        QCOMPARE(s.m->completeName(QStringLiteral("qq")), QStringLiteral("qq"));
        QCOMPARE(s.m->recordForName(QStringLiteral("  lee, ann ")), 3);
        QCOMPARE(s.m->recordForName(QStringLiteral("lee")), 0);
        s.m->selectFromList(3);
        QVERIFY(!s.m->view().listVisible);
        QCOMPARE(s.m->view().boxes.accountName, QStringLiteral("Ms Ann Lee"));
        TempApp none;
        QVERIFY(!CustomerScreenModel(*none.ctx).openNameList());
    }

    void duplicateAccountOnLeavingTheBox() {
        Opened s(3);
        QVERIFY(s.m->checkDuplicateAccount());                          // its own number
        s.m->edit(CustomerBox::AccountNumber, QStringLiteral("A-3 "));  // compared untrimmed
        QVERIFY(s.m->checkDuplicateAccount());
        s.m->edit(CustomerBox::AccountNumber, QStringLiteral("a-3"));
        expect(s.app.prompter, "duplicate");
        QVERIFY(!s.m->checkDuplicateAccount());
        QVERIFY(s.m->view().boxes.accountNumber.isEmpty());
    }

    void newCustomerAndCancel() {
        Opened s(3);
        const CustomerView& v = s.m->view();
        s.m->showRecord(2);
        QCOMPARE(s.m->addNew(), SaveOutcome::Saved);
        QCOMPARE(s.m->current(), 4);
        QVERIFY(v.cancelAddVisible && !v.addEnabled && !v.deleteEnabled && !v.auxEnabled);
        CustomerBoxes fresh;
        fresh.city = QStringLiteral("Troy");
        fresh.state = QStringLiteral("NY");
        fresh.postalCode = QStringLiteral("12180");
        QCOMPARE(v.boxes, fresh);
        QCOMPARE(s.m->contract(),
                 CompanionRecords::defaultContract(QDate(2026, 12, 5), QByteArray(386, 'c')));
        s.m->cancelAdd();
        QCOMPARE(s.m->current(), 1);
        QVERIFY(!v.cancelAddVisible && v.addEnabled && v.deleteEnabled && v.auxEnabled);
        QCOMPARE(v.customerCount, 3);
        // Saved, the new customer has nothing left to cancel.
        QCOMPARE(s.m->addNew(), SaveOutcome::Saved);
        fill(*s.m, {"Neo", "Ng", " 555-123-4567 "},
             {CustomerBox::FirstName, CustomerBox::LastName, CustomerBox::Phone});
        expect(s.app.prompter, "phone as account");
        QCOMPARE(s.m->save(), SaveOutcome::Saved);
        const CustomerRecord saved = CustomerFiles::readCustomer(s.app.ctx->store(), 4);
        QVERIFY(saved.AccountNumber == QLatin1String("555-123-4567") && saved.NewFlag == 1);
        QVERIFY(!v.cancelAddVisible);
        QCOMPARE(s.m->addNew(), SaveOutcome::Saved);
        QCOMPARE(s.m->current(), 5);
    }

    // A new customer left for another one is abandoned: the next saves
    // leave no empty record past the saved ones.
    void abandonedNewCustomerLeavesNoGap() {
        Opened s(3);
        QCOMPARE(s.m->addNew(), SaveOutcome::Saved);
        s.m->selectFromList(2);
        QCOMPARE(s.m->navigate(NavButton::Next), SaveOutcome::Saved);
        QCOMPARE(s.m->addNew(), SaveOutcome::Saved);
        fill(*s.m, {"N-4", "Neo", "Ng"},
             {CustomerBox::AccountNumber, CustomerBox::FirstName, CustomerBox::LastName});
        QCOMPARE(s.m->save(), SaveOutcome::Saved);
        QCOMPARE(CustomerFiles::customerCount(s.app.ctx->store()), 4);
        QCOMPARE(s.m->view().accounts.last(), (CustomerNameEntry{"Ng, Neo", 4}));
    }

    void fullCustomerFileRefusesANewOne() {
        Opened s(1);
        QByteArray full = s.app.read(QStringLiteral("CustomerData.txt"));
        full.resize(qsizetype(CustomerFiles::kMaxCustomers) * 328, ' ');
        s.app.write(QStringLiteral("CustomerData.txt"), full);
        s.m->activate();
        expect(s.app.prompter, "full");
        QCOMPARE(s.m->addNew(), SaveOutcome::Invalid);
        QCOMPARE(s.m->current(), 1);
        QCOMPARE(s.app.read(QStringLiteral("CustomerData.txt")).size(), full.size());
    }

    // The receivable file deleted is the stored record's, whatever the
    // account box holds.
    void deleteTakesTheStoredAccount() {
        Opened s(5);
        s.app.write(QStringLiteral("TIActiveAccounts/A-3.txt"), "ledger 3");
        s.app.write(QStringLiteral("TIActiveAccounts/A-4.txt"), "ledger 4");
        s.m->showRecord(3);
        s.m->edit(CustomerBox::AccountNumber, QStringLiteral("A-4"));
        expect(s.app.prompter, "delete", Answer::No);
        QVERIFY(!s.m->deleteShown());
        expect(s.app.prompter, "delete", Answer::Yes);
        QVERIFY(s.m->deleteShown());
        QVERIFY(!s.app.exists(QStringLiteral("TIActiveAccounts/A-3.txt")));
        QCOMPARE(s.app.read(QStringLiteral("TIActiveAccounts/A-4.txt")), QByteArray("ledger 4"));
        QCOMPARE(s.m->view().customerCount, 4);
        QCOMPARE(s.m->current(), 1);
        QCOMPARE(s.m->view().accounts.at(2), (CustomerNameEntry{"Diaz, Bo", 3}));
        QCOMPARE(CustomerFiles::readContract(s.app.ctx->store(), 3), QByteArray(386, 'e'));
    }

    // A failing delete or save is told, naming the file; the count, the
    // shown record and the files stay as they were.
    void failuresAreToldAndChangeNothing() {
        for (bool deleting : {true, false}) {
            const QString blocked = deleting ? "CYCLE.TMP" : "CycleInfo.txt";
            Opened s(3);
            s.m->showRecord(2);
            QFile::remove(s.app.path(blocked));
            s.app.mkdir(blocked + QStringLiteral("/in the way"));
            const QByteArray before = s.app.read(QStringLiteral("CustomerData.txt"));
            FileStore& store = s.app.ctx->store();
            const IoStatus told =
                deleting ? CustomerFiles::deleteCustomer(store, 2).status
                         : CustomerFiles::saveCustomer(store, 2, s.m->recordFromBoxes(), {}, {});
            QVERIFY2(told.file().endsWith(blocked), qPrintable(told.message()));
            if (deleting) {
                expect(s.app.prompter, "delete", Answer::Yes);
            }
            expect(s.app.prompter, "failed", Answer::Ok, {told.message()});
            QVERIFY(deleting ? !s.m->deleteShown() : s.m->save() == SaveOutcome::Invalid);
            QCOMPARE(s.m->view().customerCount, 3);
            QCOMPARE(s.m->current(), 2);
            QCOMPARE(s.app.read(QStringLiteral("CustomerData.txt")), before);
        }
    }

    void dialChoice_data() { CaseFile::rows(QStringLiteral("customers/dial.txt")); }
    void dialChoice() {
        Opened s(2);
        s.m->showRecord(2);
        fill(*s.m, {field("phone"), field("cell")}, {CustomerBox::Phone, CustomerBox::Cell});
        if (field("answer") != QLatin1String("Ok")) {
            expect(s.app.prompter, "dial", CaseFile::answer(field("answer")));
        }
        const DialRequest d = s.m->dial();
        QCOMPARE(d.number + QLatin1Char('|') + d.name, field("dialled") + "|Acme Roofing");
    }

    void startProposalFollowsTheRoutine() {
        for (const auto& [routine, next] :
             {std::pair{Routine::CreateProposal, NextWork::ProposalWriter},
              std::pair{Routine::CreateFieldProposal, NextWork::FieldProposal},
              std::pair{Routine::PrintInvoices, NextWork::None}}) {
            Opened s(3);
            s.app.ctx->vars().SelectedRoutine = int(routine);
            s.m->showRecord(2);
            NextWork work = NextWork::None;
            QCOMPARE(s.m->startProposal(&work), SaveOutcome::Saved);
            QCOMPARE(work, next);
            s.m->edit(CustomerBox::AccountName, QString());
            expect(s.app.prompter, "no name");
            QCOMPARE(s.m->startProposal(&work), SaveOutcome::Invalid);
            QCOMPARE(work, NextWork::None);
        }
    }

    void auxDataBetweenAccounts() {
        for (bool retain : {false, true}) {
            TempApp app;
            app.write(QStringLiteral("AuxFiles/A-2/AuxFile1/Data.txt"), "Acme note\r\n");
            auto m = opened(app, 3);
            m->setRetainAux(retain);
            m->editAux(1, QStringLiteral("Smith note"));
            m->showNextAccount();
            QCOMPARE(m->current(), 2);
            QCOMPARE(app.read(QStringLiteral("AuxFiles/A-1/AuxFile1/Data.txt")),
                     QByteArray("Smith note\r\n"));
            QCOMPARE(m->view().auxBoxes[1],
                     retain ? QStringLiteral("Smith note") : QStringLiteral("Acme note"));
            m->showPreviousAccount();
            m->showPreviousAccount();
            QCOMPARE(m->current(), 1);  // the first stays
            QCOMPARE(app.read(QStringLiteral("AuxFiles/A-2/AuxFile1/Data.txt")),
                     retain ? QByteArray("Smith note\r\n") : QByteArray("Acme note\r\n"));
            m->showRecord(3);
            m->showNextAccount();
            QCOMPARE(m->current(), 3);  // the last stays
        }
    }

    void auxScreenAndBigWindow() {
        TempApp app;
        app.write(QStringLiteral("AuxHeadings.txt"), "Gate\r\nDog\r\n");
        auto m = opened(app, 2);
        const CustomerView& v = m->view();
        m->toggleAuxScreen();
        m->editAux(1, QStringLiteral("Rex"));
        m->openBigWindow(1);
        QCOMPARE(v.bigText + m->bigWindowLabel(1),
                 QStringLiteral("RexEditing Data Box # 2 - Dog - for Mr. John Smith"));
        m->editBig(QStringLiteral("Rex bites"));
        m->reloadBigWindow();
        QCOMPARE(v.bigText, QStringLiteral("Rex"));
        m->clearBigWindow();
        m->editBig(QStringLiteral("Rex is kind"));
        m->hideBigWindow();
        QVERIFY(!v.bigVisible && v.auxVisible);
        m->closeAuxScreen();
        QVERIFY(!v.auxVisible);
        QCOMPARE(app.read(QStringLiteral("AuxFiles/A-1/AuxFile1/Data.txt")),
                 QByteArray("Rex is kind\r\n"));
        m->clearAux(1);
        m->reloadAux();
        QCOMPARE(v.auxBoxes[1], QStringLiteral("Rex is kind"));
        m->showRecord(2);
        QCOMPARE(m->auxCaption(), QStringLiteral("Data for Acme Roofing"));
        m->editHeading(5, QStringLiteral("Roof"));
        m->saveHeadings();
        QVERIFY(app.read(QStringLiteral("AuxHeadings.txt")).endsWith("\r\n\r\nRoof\r\n"));
    }

    // A customer file cut short in its second record: lists, search and
    // showing still work, the cut fields read blank.
    void truncatedCustomerFile() {
        TempApp app;
        app.write(QStringLiteral("CustomerData.txt"),
                  person(1).toBytes() + person(2).toBytes().left(180));
        app.write(QStringLiteral("ContractInfo.txt"), QByteArray());
        app.write(QStringLiteral("CycleInfo.txt"), QByteArray());
        auto m = opened(app, 0);
        QCOMPARE(m->view().accounts.at(1), (CustomerNameEntry{", ", 2}));
        QCOMPARE(m->search(SearchMode::AccountNumber, QStringLiteral("A-")).size(), 2);
        QCOMPARE(m->search(SearchMode::Telephone, QStringLiteral("518-555-0002")).size(), 0);
        m->showRecord(2);
        QCOMPARE(m->view().boxes.address1 + m->view().boxes.phone, QStringLiteral("4 Elm Ave"));
    }
};

TOLVAR_TEST(TestCustomerScreen)
#include "test_customerscreen.moc"
