#include "customers/customerfiles.h"
#include "customers/customerscreen.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {

// Account, type, account name, title, first, last, address 1, city, phone.
const char* const kPeople[5][9] = {
    {"A-1", "Individual", "", "Mr.", "John", "Smith", "12 Main St", "Troy", "518-555-0001"},
    {"A-2", "Business", "Acme Roofing", "", "", "", "4 Elm Ave", "Albany", "518-555-0002"},
    {"A-3", "Individual", "Ms Ann Lee", "Ms", "Ann", "Lee", "Mainway Rd", "Troy ", "518-555-0003"},
    {"A-4", "Individual", "", "", "Bo", "Diaz", "9 Oak Ct", "", "212-555-0004"},
    {"A-5", "Business", "Zed Co", "", "", "", "1 Pine", "Cohoes", "518-555-0005"},
};

CustomerRecord recordOf(const char* const (&p)[9]) {
    CustomerRecord r;
    QString* const fields[] = {&r.AccountNumber, &r.AccountType,    &r.AccountName,
                               &r.Title,         &r.FirstName,      &r.LastName,
                               &r.Address1,      &r.CityOrAddress3, &r.Phone};
    for (int i = 0; i < 9; ++i) {
        *fields[i] = QLatin1String(p[i]);
    }
    return r;
}

// A folder with `count` customers (the five above, then numbered ones) and
// companion files of the same length.
void addCustomers(TempApp& app, int count) {
    FileStore& store = app.ctx->store();
    for (int n = 1; n <= count; ++n) {
        CustomerRecord r;
        if (n <= 5) {
            r = recordOf(kPeople[n - 1]);
        } else {
            r.AccountNumber = QStringLiteral("N-%1").arg(n);
            r.AccountType = CustomerRecord::individual();
            r.FirstName = QStringLiteral("First%1").arg(n);
            r.LastName = QStringLiteral("Last%1").arg(n);
        }
        QVERIFY(CustomerFiles::writeCustomer(store, n, r));
        QVERIFY(CustomerFiles::writeContract(store, n, QByteArray(386, char('a' + n % 26))));
        QVERIFY(CustomerFiles::writeCycle(store, n, QByteArray(69, char('a' + n % 26))));
    }
}

void business(TempApp& app) {
    app.ctx->vars().BusinessData =
        QStringList{"Acme", "1 Elm", "", "Troy", "NY", "12180", "518-555-0101", "", ""};
}

// A model over `count` customers, loaded and activated.
std::unique_ptr<CustomerScreenModel> opened(TempApp& app, int count) {
    business(app);
    addCustomers(app, count);
    auto m = std::make_unique<CustomerScreenModel>(*app.ctx);
    m->load();
    m->activate();
    return m;
}

const QString kApp = AppContext::applicationTitle();

void confirmDelete(TempApp& app, Answer answer) {
    app.prompter.expectQuestion(QStringLiteral("Delete this Customer"), kApp, Buttons::YesNo,
                                answer);
}

}  // namespace

// The customer screen's rules, without the screen: what is saved, where the
// screen moves, what the search finds, and what the user is told.
class TestCustomerScreen : public QObject {
    Q_OBJECT

private slots:
    void emptyCustomerFile() {
        TempApp app;
        business(app);
        CustomerScreenModel m(*app.ctx);
        m.load();
        app.prompter.expectMessage(
            QStringLiteral("Your Customer File is Empty\r\nCreate your First Customer Now"),
            QStringLiteral("Create Customers"));
        app.prompter.expectMessage(
            QStringLiteral("Your Customer Information File is missing\r\nThe Contract File can not "
                           "be rebuilt"),
            QStringLiteral("No Customer File Found"));
        app.prompter.expectMessage(
            QStringLiteral(
                "Your Customer Information File is missing\r\nThe Cycle File can not be rebuilt"),
            QStringLiteral("No Customer File Found"));
        m.activate();
        QVERIFY(!m.navEnabled && !m.deleteEnabled);
        QCOMPARE(m.customerCount, 0);
        // The new customer's boxes start from the business's own address.
        QCOMPARE(QStringList({m.boxes.city, m.boxes.state, m.boxes.postalCode, m.boxes.phone}),
                 QStringList({"Troy", "NY", "12180", "518-555-"}));
        QCOMPARE(m.focus, CustomerFocus::AccountNumber);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));

        // The first customer goes to record 1 with default companion records.
        m.boxes.firstName = QStringLiteral("Jane");
        m.boxes.lastName = QStringLiteral("Doe");
        m.boxes.accountNumber = QStringLiteral("J-1");
        QCOMPARE(m.save(), SaveOutcome::Saved);
        QCOMPARE(CustomerFiles::customerCount(app.ctx->store()), 1);
        QCOMPARE(m.customerCount, 1);
        QVERIFY(m.navEnabled && m.deleteEnabled);
        QCOMPARE(app.read(QStringLiteral("ContractInfo.txt")),
                 CompanionRecords::defaultContract(QDate(2026, 12, 5)));
        QCOMPARE(app.read(QStringLiteral("CycleInfo.txt")), CompanionRecords::defaultCycle());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void saveValidation_data() {
        QTest::addColumn<QStringList>("boxes");     // type, name, first, last, account, phone
        QTest::addColumn<QStringList>("messages");  // text|title pairs, in order
        QTest::addColumn<int>("answer");            // to the last question
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("focus");
        const QString enter =
            QStringLiteral("Enter Account Data or\r\n Click Cancel AddNew if Visible|") + kApp;
        const QString noPhone = QStringLiteral("The Telephone Number cannot be blank|No number");
        const QString exit =
            QStringLiteral("Would you like to exit\r\nwithout creating a Customer?|No Customer");
        const QString unsafe = QStringLiteral(
            "The Account Number can not contain \\ / : * ? \" < > | or ..\r\n"
            "Enter a different Number|Invalid Account Number");
        const auto row = [](const char* name, const QStringList& boxes, const QStringList& messages,
                            Answer answer, SaveOutcome outcome, CustomerFocus focus) {
            QTest::newRow(name) << boxes << messages << int(answer) << int(outcome) << int(focus);
        };
        const auto invalid = [&](const char* name, const QStringList& boxes, const QString& message,
                                 CustomerFocus focus) {
            row(name, boxes, {message}, Answer::Ok, SaveOutcome::Invalid, focus);
        };
        invalid("business without name", {"Business", "  ", "", "", "B-9", ""},
                QStringLiteral("The Account Name Cannot be Blank|") + kApp,
                CustomerFocus::AccountName);
        invalid("individual without first name", {"Individual", "", "", "Smith", "B-9", ""}, enter,
                CustomerFocus::FirstName);
        invalid("individual without last name", {"Individual", "", "John", "", "B-9", ""}, enter,
                CustomerFocus::FirstName);
        row("no account, no phone, stay", {"Individual", "", "John", "Smith", "", ""},
            {noPhone, exit}, Answer::No, SaveOutcome::Invalid, CustomerFocus::Telephone);
        row("no account, no phone, exit", {"Individual", "", "John", "Smith", "  ", " "},
            {noPhone, exit}, Answer::Yes, SaveOutcome::ExitToMenu, CustomerFocus::None);
        invalid("unsafe account number", {"Business", "Acme", "", "", "1./", ""}, unsafe,
                CustomerFocus::AccountNumber);
        invalid("parent folder as account", {"Business", "Acme", "", "", "..", ""}, unsafe,
                CustomerFocus::AccountNumber);
        invalid("another customer's account", {"Business", "Acme", "", "", "A-2", ""},
                QStringLiteral("The Account Number has been duplicated\r\nEnter a different "
                               "Number|Duplicate Account Number"),
                CustomerFocus::AccountNumber);
    }
    void saveValidation() {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, messages);
        QFETCH(int, answer);
        QFETCH(int, outcome);
        QFETCH(int, focus);
        TempApp app;
        auto m = opened(app, 3);
        const QByteArray before = app.read(QStringLiteral("CustomerData.txt"));
        m->focus = CustomerFocus::None;
        CustomerBoxes& b = m->boxes;
        const QList<QString*> targets = {&b.accountType, &b.accountName,   &b.firstName,
                                         &b.lastName,    &b.accountNumber, &b.phone};
        for (int i = 0; i < targets.size(); ++i) {
            *targets[i] = boxes.at(i);
        }
        for (int i = 0; i < messages.size(); ++i) {
            const QString& pair = messages.at(i);
            const qsizetype bar = pair.lastIndexOf(QLatin1Char('|'));
            const bool last = i == messages.size() - 1;
            app.prompter.expectMessage(pair.left(bar), pair.mid(bar + 1),
                                       last ? Answer(answer) : Answer::Ok);
        }
        QCOMPARE(int(m->save()), outcome);
        QVERIFY(!m->saveOk());
        QCOMPARE(int(m->focus), focus);
        QCOMPARE(app.read(QStringLiteral("CustomerData.txt")), before);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void telephoneBecomesTheAccountNumber() {
        TempApp app;
        auto m = opened(app, 2);
        QCOMPARE(m->addNew(), SaveOutcome::Saved);
        m->boxes.firstName = QStringLiteral("Pat");
        m->boxes.lastName = QStringLiteral("Kim");
        m->boxes.phone = QStringLiteral(" 555-123-4567 ");
        app.prompter.expectMessage(QStringLiteral("Telephone Number will be used as Acct No."),
                                   QStringLiteral("Account not Entered"));
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QCOMPARE(m->boxes.accountNumber, QStringLiteral("555-123-4567"));
        const CustomerRecord r = CustomerFiles::readCustomer(app.ctx->store(), 3);
        QCOMPARE(r.AccountNumber, QStringLiteral("555-123-4567"));
        QCOMPARE(r.NewFlag, qint16(1));
        m->auxBoxes[0] = QStringLiteral("Side door");
        m->closeAuxScreen();
        QCOMPARE(app.read(QStringLiteral("AuxFiles/555-123-4567/AuxFile0/Data.txt")),
                 QByteArray("Side door\r\n"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void recordFieldsFromTheBoxes_data() {
        QTest::addColumn<bool>("usa");
        QTest::newRow("USA style") << true;
        QTest::newRow("international style") << false;
    }
    void recordFieldsFromTheBoxes() {
        QFETCH(bool, usa);
        TempApp app;
        auto m = opened(app, 1);
        m->usaAddress = usa;
        CustomerBoxes& b = m->boxes;
        b.accountNumber = QStringLiteral(" ABCDEFGHIJKLMNOPQRSTU ");  // 21 characters
        b.accountType = CustomerRecord::business();
        b.accountName = QStringLiteral(" Kite Works ");
        b.address1 = QStringLiteral("3 Wind Rd");
        b.address2 = QStringLiteral("Unit 2");
        b.city = QStringLiteral(" Troy ");
        b.state = QStringLiteral("NY");
        b.postalCode = QStringLiteral(" 12180");
        b.address3 = QStringLiteral("Kowloon");
        b.address4 = QStringLiteral("Hong Kong");
        b.phone = QStringLiteral("518-555-0777");
        b.cell = QStringLiteral("518-555-0778");
        b.other = QStringLiteral("kite@example.com");
        b.title = QStringLiteral("Ms");
        b.firstName = QStringLiteral("Kay");
        b.middleInitial = QStringLiteral("Q");
        b.lastName = QStringLiteral("Tan");
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QCOMPARE(b.accountNumber, QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        const auto pad = [](const char* text, int width) {
            return QByteArray(text).leftJustified(width);
        };
        const QByteArray expected =
            pad("ABCDEFGHIJKLMNOPQRST", 20) + pad("Kite Works", 45) + pad("3 Wind Rd", 35) +
            pad("Unit 2", 25) + pad(usa ? "Troy" : "Kowloon", 25) + pad("Troy", 20) +
            pad(usa ? "NY" : "", 2) + pad(" 12180", 10) + pad(usa ? "12180" : "Hong Kong", 25) +
            pad("518-555-0777", 13) + pad("518-555-0778", 13) + pad("kite@example.com", 30) +
            pad("Ms", 10) + pad("Kay", 15) + pad("", 1) + pad("Tan", 25) + pad("Business", 10);
        QCOMPARE(app.read(QStringLiteral("CustomerData.txt")).left(324), expected);
    }

    void individualShownWithTheComposedName() {
        TempApp app;
        auto m = opened(app, 3);
        QCOMPARE(m->current(), 1);
        QCOMPARE(m->boxes.accountName, QStringLiteral("Mr. John Smith"));
        QVERIFY(!m->isBusiness());
        QCOMPARE(m->auxCaption(), QStringLiteral("Data for Mr. John Smith"));
        QCOMPARE(m->accounts.first().name, QStringLiteral("Smith, John"));
        QCOMPARE(m->accounts.at(1).name, QStringLiteral("Acme Roofing"));
        QCOMPARE(m->accounts.at(2).record, 3);
        // Saving stores the composed name as the account name.
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QCOMPARE(CustomerFiles::readCustomer(app.ctx->store(), 1).AccountName,
                 QStringLiteral("Mr. John Smith"));
        QCOMPARE(m->accounts.first().name, QStringLiteral("Smith, John"));
        // As a business, the list shows the account name.
        m->toggleType();
        QVERIFY(m->isBusiness());
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QCOMPARE(CustomerFiles::readCustomer(app.ctx->store(), 1).AccountType,
                 QStringLiteral("Business"));
        QCOMPARE(m->accounts.first().name, QStringLiteral("Mr. John Smith"));
        m->toggleType();
        QVERIFY(!m->isBusiness());
    }

    void cityListHoldsEachCityOnce() {
        TempApp app;
        auto m = opened(app, 5);
        QCOMPARE(m->cities, QStringList({QStringLiteral("Troy"), QStringLiteral("Albany"),
                                         QStringLiteral("Cohoes")}));
        m->showRecord(4);
        m->boxes.city = QStringLiteral("Schenectady");
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QCOMPARE(m->cities.last(), QStringLiteral("Schenectady"));
    }

    void navigationTargets_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("target");
        QTest::newRow("first") << 0 << 7 << 10 << 1;
        QTest::newRow("previous") << 1 << 7 << 10 << 6;
        QTest::newRow("previous on 1 stays") << 1 << 1 << 10 << 1;
        QTest::newRow("next") << 2 << 7 << 10 << 8;
        QTest::newRow("next on last wraps") << 2 << 10 << 10 << 1;
        QTest::newRow("last") << 3 << 2 << 10 << 10;
        QTest::newRow("1/4 of 10") << 4 << 9 << 10 << 2;
        QTest::newRow("3/4 of 10") << 5 << 9 << 10 << 6;
        QTest::newRow("1/2 of 10") << 6 << 9 << 10 << 4;
        QTest::newRow("1/2 of 3") << 6 << 2 << 3 << 0;
        QTest::newRow("1/4 of 4") << 4 << 3 << 4 << 1;
    }
    void navigationTargets() {
        QFETCH(int, index);
        QFETCH(int, current);
        QFETCH(int, count);
        QFETCH(int, target);
        QCOMPARE(CustomerScreenModel::navTarget(index, current, count), target);
    }

    void navigationShowsTheTarget_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("shown");
        QTest::newRow("3/4 of 10") << 10 << 9 << 5 << 6;
        QTest::newRow("next on last") << 10 << 10 << 2 << 1;
        QTest::newRow("previous on first") << 10 << 1 << 1 << 1;
        QTest::newRow("1/2 of 3 does nothing") << 3 << 2 << 6 << 2;
    }
    void navigationShowsTheTarget() {
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(int, index);
        QFETCH(int, shown);
        TempApp app;
        auto m = opened(app, count);
        m->showRecord(start);
        m->focus = CustomerFocus::None;
        m->listVisible = true;
        QCOMPARE(m->navigate(index), SaveOutcome::Saved);
        QCOMPARE(m->current(), shown);
        QCOMPARE(app.ctx->vars().CurrentCustomerRecord, shown);
        QCOMPARE(m->boxes.accountNumber,
                 CustomerFiles::readCustomer(app.ctx->store(), shown).AccountNumber);
        QVERIFY(!m->listVisible);
        QCOMPARE(m->focus,
                 shown == start && index >= 4 ? CustomerFocus::None : CustomerFocus::StartProposal);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void invalidCustomerDoesNotMove() {
        TempApp app;
        auto m = opened(app, 5);
        m->showRecord(4);
        m->boxes.firstName.clear();
        app.prompter.expectMessage(
            QStringLiteral("Enter Account Data or\r\n Click Cancel AddNew if Visible"));
        QCOMPARE(m->navigate(2), SaveOutcome::Invalid);
        QCOMPARE(m->current(), 4);
        QVERIFY(m->boxes.firstName.isEmpty());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void searchModes_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("records");
        QTest::newRow("main by Address #1") << 1 << QStringLiteral(" main ") << QList<int>{1, 3};
        QTest::newRow("business name") << 0 << QStringLiteral("co") << QList<int>{5};
        QTest::newRow("city, blanks trimmed") << 3 << QStringLiteral("TROY") << QList<int>{1, 3};
        QTest::newRow("last name") << 7 << QStringLiteral("e") << QList<int>{3};
        QTest::newRow("telephone") << 6 << QStringLiteral("518-555-0002") << QList<int>{2};
        QTest::newRow("telephone, no match") << 6 << QStringLiteral("518-555-0000") << QList<int>{};
        QTest::newRow("account number") << 8 << QStringLiteral("a-") << QList<int>{1, 2, 3, 4, 5};
    }
    void searchModes() {
        QFETCH(int, option);
        QFETCH(QString, text);
        QFETCH(QList<int>, records);
        TempApp app;
        auto m = opened(app, 5);
        QList<int> found;
        for (const CustomerRow& row : m->search(option, text)) {
            found << row.record;
        }
        QCOMPARE(found, records);
    }

    void searchResultRows() {
        TempApp app;
        auto m = opened(app, 5);
        m->chooseSearchOption(3);
        m->searchText = QStringLiteral("troy");
        m->searchVisible = true;
        QCOMPARE(m->runSearch(), SearchOutcome::ManyListed);
        QVERIFY(!m->searchVisible);
        QVERIFY(m->resultsVisible);
        QVERIFY(!m->printVisible);
        QCOMPARE(m->resultsCaption, QStringLiteral("Customers Search Results"));
        QCOMPARE(m->results.size(), 2);
        const CustomerRow& first = m->results.at(0);
        QCOMPARE(first.customer, QStringLiteral("Mr. John Smith"));
        QCOMPARE(first.phone, QStringLiteral("518-555-0001"));
        QCOMPARE(first.street, QStringLiteral("12 Main St"));
        QCOMPARE(first.city, QStringLiteral("Troy"));
        QCOMPARE(first.record, 1);
        QCOMPARE(m->results.at(1).customer, QStringLiteral("Ms Ann Lee"));
        m->selectResult(1);
        QCOMPARE(m->current(), 3);
        QVERIFY(!m->resultsVisible);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void telephoneSearchNeedsTwelveCharacters() {
        TempApp app;
        auto m = opened(app, 5);
        app.prompter.setStrictBeeps(true);
        m->chooseSearchOption(6);
        QCOMPARE(m->searchText, QStringLiteral("518-555-"));
        m->searchText = QStringLiteral("555-123-456");
        app.prompter.expectBeep();
        QCOMPARE(m->runSearch(), SearchOutcome::NotRun);
        QCOMPARE(m->focus, CustomerFocus::SearchBox);
        app.ctx->vars().SoundAlarms = false;
        QCOMPARE(m->runSearch(), SearchOutcome::NotRun);
        m->searchText = QStringLiteral("518-555-0004");
        m->chooseSearchOption(6);
        QCOMPARE(m->searchText, QStringLiteral("518-555-"));  // the option fills the box again
        m->searchText = QStringLiteral("212-555-0004");
        QCOMPARE(m->runSearch(), SearchOutcome::OneShown);
        QCOMPARE(m->current(), 4);
        m->chooseSearchOption(2);
        QVERIFY(m->searchText.isEmpty());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void nothingFound_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("no: close") << int(Answer::No);
        QTest::newRow("yes: new customer") << int(Answer::Yes);
    }
    void nothingFound() {
        QFETCH(int, answer);
        TempApp app;
        auto m = opened(app, 5);
        m->chooseSearchOption(0);
        m->searchText = QStringLiteral("nobody");
        app.prompter.expectQuestion(
            QStringLiteral("No Accounts Matching the Search Data were Found\r\n"
                           "Would you like to Create a New Account?"),
            QStringLiteral("Customer not Found"), Buttons::YesNo, Answer(answer));
        QCOMPARE(m->runSearch(), SearchOutcome::NoneFound);
        QVERIFY(m->searchText.isEmpty());
        QVERIFY(!m->resultsVisible && !m->searchVisible);
        const bool started = Answer(answer) == Answer::Yes;
        QCOMPARE(m->customerCount, started ? 6 : 5);
        QCOMPARE(m->current(), started ? 6 : 1);
        QCOMPARE(m->cancelAddVisible, started);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void customerList() {
        TempApp app;
        auto m = opened(app, 5);
        m->listAllCustomers();
        QCOMPARE(m->results.size(), 5);
        QCOMPARE(m->resultsCaption, QStringLiteral("Customer List"));
        QVERIFY(m->printVisible && m->resultsVisible);
        QCOMPARE(m->results.at(1).customer, QStringLiteral("Acme Roofing"));
        QCOMPARE(m->results.at(3).customer, QStringLiteral(" Bo Diaz"));
        QCOMPARE(m->results.at(4).record, 5);
        QCOMPARE(
            CustomerScreenModel::resultHeadings(),
            QStringList({QStringLiteral("Customer                          "),
                         QStringLiteral("Phone           "), QStringLiteral("Street              "),
                         QStringLiteral("City                "), QStringLiteral("Rec")}));

        TempApp none;
        CustomerScreenModel empty(*none.ctx);
        none.prompter.setStrictBeeps(true);
        none.prompter.expectBeep();
        empty.listAllCustomers();
        QVERIFY(!empty.resultsVisible);
        QVERIFY2(none.prompter.done(), qPrintable(none.prompter.report()));
    }

    void nameListCompletion() {
        TempApp app;
        auto m = opened(app, 5);
        QVERIFY(m->openNameList());
        QVERIFY(m->listVisible);
        QCOMPARE(m->focus, CustomerFocus::AccountList);
        QCOMPARE(m->completeName(QStringLiteral("sm")), QStringLiteral("Smith, John"));
        QCOMPARE(m->completeName(QStringLiteral("ZED")), QStringLiteral("Zed Co"));
        QCOMPARE(m->completeName(QStringLiteral("qq")), QStringLiteral("qq"));
        QCOMPARE(m->recordForName(QStringLiteral("  lee, ann ")), 3);
        QCOMPARE(m->recordForName(QStringLiteral("lee")), 0);
        m->selectFromList(3);
        QVERIFY(!m->listVisible);
        QCOMPARE(m->current(), 3);
        QCOMPARE(m->boxes.accountName, QStringLiteral("Ms Ann Lee"));

        TempApp none;
        CustomerScreenModel empty(*none.ctx);
        QVERIFY(!empty.openNameList());
    }

    void duplicateAccountOnLeavingTheBox() {
        TempApp app;
        auto m = opened(app, 3);
        m->boxes.accountNumber = QStringLiteral("A-1");
        QVERIFY(m->checkDuplicateAccount());  // its own number
        m->boxes.accountNumber = QStringLiteral("A-3");
        app.prompter.expectMessage(
            QStringLiteral("The Account Number has been duplicated\r\nEnter a different Number"),
            QStringLiteral("Duplicate Account Number"));
        QVERIFY(!m->checkDuplicateAccount());
        QVERIFY(m->boxes.accountNumber.isEmpty());
        QCOMPARE(m->focus, CustomerFocus::AccountNumber);
        m->boxes.accountNumber = QStringLiteral("A-3 ");  // compared untrimmed
        QVERIFY(m->checkDuplicateAccount());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void newCustomerAndCancel() {
        TempApp app;
        auto m = opened(app, 3);
        m->showRecord(2);
        QCOMPARE(m->addNew(), SaveOutcome::Saved);
        QCOMPARE(m->customerCount, 4);
        QCOMPARE(m->current(), 4);
        QVERIFY(m->cancelAddVisible);
        QVERIFY(!m->addEnabled && !m->deleteEnabled && !m->auxEnabled);
        QCOMPARE(m->boxes.accountType, CustomerRecord::individual());
        QVERIFY(m->boxes.accountNumber.isEmpty() && m->boxes.phone.isEmpty());
        QCOMPARE(m->boxes.city, QStringLiteral("Troy"));
        QCOMPARE(m->boxes.postalCode, QStringLiteral("12180"));
        QCOMPARE(m->contract(),
                 CompanionRecords::defaultContract(QDate(2026, 12, 5), QByteArray(386, 'c')));
        QCOMPARE(m->cycle(), CompanionRecords::defaultCycle());
        m->cancelAdd();
        QCOMPARE(m->customerCount, 3);
        QCOMPARE(m->current(), 1);
        QVERIFY(!m->cancelAddVisible);
        QVERIFY(m->addEnabled && m->deleteEnabled && m->auxEnabled);
        QCOMPARE(m->boxes.accountNumber, QStringLiteral("A-1"));
        QCOMPARE(CustomerFiles::customerCount(app.ctx->store()), 3);
    }

    // Once the new customer is saved, cancelling has nothing to undo: the
    // count must not drop below the stored records, or the next new customer
    // would overwrite the last one.
    void savedNewCustomerCannotBeCancelledAway() {
        TempApp app;
        auto m = opened(app, 2);
        QCOMPARE(m->addNew(), SaveOutcome::Saved);
        m->boxes.accountNumber = QStringLiteral("N-3");
        m->boxes.firstName = QStringLiteral("Neo");
        m->boxes.lastName = QStringLiteral("Ng");
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QVERIFY(!m->cancelAddVisible);
        QCOMPARE(m->addNew(), SaveOutcome::Saved);
        QCOMPARE(m->current(), 4);
        QCOMPARE(CustomerFiles::readCustomer(app.ctx->store(), 3).AccountNumber,
                 QStringLiteral("N-3"));
    }

    void secondSaveKeepsTheCompanionRecords() {
        TempApp app;
        auto m = opened(app, 3);
        m->showRecord(2);
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QCOMPARE(m->save(), SaveOutcome::Saved);
        QCOMPARE(CustomerFiles::readContract(app.ctx->store(), 2), QByteArray(386, 'c'));
        QCOMPARE(CustomerFiles::readCycle(app.ctx->store(), 2), QByteArray(69, 'c'));
    }

    void deleteAsksFirst() {
        TempApp app;
        auto m = opened(app, 5);
        m->showRecord(3);
        confirmDelete(app, Answer::No);
        QVERIFY(!m->deleteShown());
        QCOMPARE(m->customerCount, 5);
        QCOMPARE(m->focus, CustomerFocus::AccountNumber);
        confirmDelete(app, Answer::Yes);
        QVERIFY(m->deleteShown());
        QCOMPARE(m->customerCount, 4);
        QCOMPARE(m->current(), 1);
        QCOMPARE(m->boxes.accountNumber, QStringLiteral("A-1"));
        QCOMPARE(m->accounts.size(), 4);
        QCOMPARE(m->accounts.at(2).name, QStringLiteral("Diaz, Bo"));
        QCOMPARE(CustomerFiles::readCustomer(app.ctx->store(), 3).AccountNumber,
                 QStringLiteral("A-4"));
        QCOMPARE(CustomerFiles::readContract(app.ctx->store(), 3), QByteArray(386, 'e'));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void deleteTheOnlyCustomer() {
        TempApp app;
        auto m = opened(app, 1);
        confirmDelete(app, Answer::Yes);
        QVERIFY(m->deleteShown());
        QCOMPARE(m->customerCount, 1);
        QCOMPARE(m->current(), 1);
        QVERIFY(m->boxes.accountNumber.isEmpty() && m->boxes.lastName.isEmpty());
        for (const char* file : {"CustomerData.txt", "ContractInfo.txt", "CycleInfo.txt"}) {
            QVERIFY(app.exists(QLatin1String(file)));
            QCOMPARE(app.read(QLatin1String(file)), QByteArray());
        }
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void dialChoice_data() {
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("answer");  // Ok when no question is asked
        QTest::addColumn<QString>("number");
        const auto row = [](const char* name, const char* phone, const char* cell, Answer answer,
                            const char* number) {
            QTest::newRow(name) << QString::fromLatin1(phone) << QString::fromLatin1(cell)
                                << int(answer) << QString::fromLatin1(number);
        };
        row("telephone only", " 518-555-0001 ", "", Answer::Ok, "518-555-0001");
        row("cell only", "", "518-555-0900", Answer::Ok, "518-555-0900");
        row("both, yes", "518-555-0001", "518-555-0900", Answer::Yes, "518-555-0001");
        row("both, no", "518-555-0001", "518-555-0900", Answer::No, "518-555-0900");
        row("neither", "", "  ", Answer::Ok, "");
    }
    void dialChoice() {
        QFETCH(QString, phone);
        QFETCH(QString, cell);
        QFETCH(int, answer);
        QFETCH(QString, number);
        TempApp app;
        auto m = opened(app, 2);
        m->showRecord(2);
        m->boxes.phone = phone;
        m->boxes.cell = cell;
        if (Answer(answer) != Answer::Ok) {
            app.prompter.expectQuestion(
                QStringLiteral("Click YES to dial Phone,\r\nClick NO to dial Cell"),
                QStringLiteral("Select Phone or Cell"), Buttons::YesNo, Answer(answer));
        }
        const DialRequest d = m->dial();
        QCOMPARE(d.number, number);
        QCOMPARE(d.name, QStringLiteral("Acme Roofing"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void startProposalFollowsTheRoutine_data() {
        QTest::addColumn<int>("routine");
        QTest::addColumn<int>("next");
        QTest::newRow("create a proposal") << 1 << int(NextWork::ProposalWriter);
        QTest::newRow("create a field proposal") << 4 << int(NextWork::FieldProposal);
        QTest::newRow("other routine") << 3 << int(NextWork::None);
    }
    void startProposalFollowsTheRoutine() {
        QFETCH(int, routine);
        QFETCH(int, next);
        TempApp app;
        auto m = opened(app, 3);
        app.ctx->vars().SelectedRoutine = routine;
        m->showRecord(2);
        NextWork work = NextWork::None;
        QCOMPARE(m->startProposal(&work), SaveOutcome::Saved);
        QCOMPARE(int(work), next);
        QCOMPARE(app.ctx->vars().CurrentCustomerRecord, 2);
        // A customer that does not pass stops the way on.
        m->boxes.accountType = CustomerRecord::business();
        m->boxes.accountName.clear();
        app.prompter.expectMessage(QStringLiteral("The Account Name Cannot be Blank"));
        QCOMPARE(m->startProposal(&work), SaveOutcome::Invalid);
        QCOMPARE(work, NextWork::None);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void auxDataBetweenAccounts_data() {
        QTest::addColumn<bool>("retain");
        QTest::newRow("loaded per account") << false;
        QTest::newRow("retained") << true;
    }
    void auxDataBetweenAccounts() {
        QFETCH(bool, retain);
        TempApp app;
        app.write(QStringLiteral("AuxFiles/A-2/AuxFile1/Data.txt"), "Acme note\r\n");
        auto m = opened(app, 3);
        m->retainAux = retain;
        m->auxBoxes[1] = QStringLiteral("Smith note");
        m->showNextAccount();
        QCOMPARE(m->current(), 2);
        QCOMPARE(app.read(QStringLiteral("AuxFiles/A-1/AuxFile1/Data.txt")),
                 QByteArray("Smith note\r\n"));
        QCOMPARE(m->auxBoxes[1],
                 retain ? QStringLiteral("Smith note") : QStringLiteral("Acme note"));
        m->showPreviousAccount();
        QCOMPARE(m->current(), 1);
        QCOMPARE(app.read(QStringLiteral("AuxFiles/A-2/AuxFile1/Data.txt")),
                 retain ? QByteArray("Smith note\r\n") : QByteArray("Acme note\r\n"));
        m->showPreviousAccount();
        QCOMPARE(m->current(), 1);  // the first stays
        m->showRecord(3);
        m->showNextAccount();
        QCOMPARE(m->current(), 3);  // the last stays
    }

    void auxLabels() {
        TempApp app;
        app.write(QStringLiteral("AuxHeadings.txt"), "Gate\r\nDog\r\n");
        auto m = opened(app, 2);
        QCOMPARE(m->headings.at(1), QStringLiteral("Dog"));
        QCOMPARE(m->bigWindowLabel(1),
                 QStringLiteral("Editing Data Box # 2 - Dog - for Mr. John Smith"));
        m->showRecord(2);
        QCOMPARE(m->auxCaption(), QStringLiteral("Data for Acme Roofing"));
        m->headings[5] = QStringLiteral("Roof");
        m->saveHeadings();
        QVERIFY(app.read(QStringLiteral("AuxHeadings.txt")).endsWith("\r\n\r\nRoof\r\n"));
    }

    // A customer file cut short in its second record, and one with no
    // records left: lists, search and showing still work.
    void truncatedAndEmptyCustomerFiles() {
        TempApp app;
        business(app);
        CustomerRecord second = recordOf(kPeople[1]);
        app.write(QStringLiteral("CustomerData.txt"),
                  recordOf(kPeople[0]).toBytes() + second.toBytes().left(180));
        app.write(QStringLiteral("ContractInfo.txt"), QByteArray());
        app.write(QStringLiteral("CycleInfo.txt"), QByteArray());
        CustomerScreenModel m(*app.ctx);
        m.load();
        m.activate();
        QCOMPARE(m.customerCount, 2);
        QCOMPARE(m.accounts.size(), 2);
        // The type lies past the cut, so the record reads as an individual.
        QCOMPARE(m.accounts.at(1).name, QStringLiteral(", "));
        QCOMPARE(m.search(8, QStringLiteral("A-")).size(), 2);
        QCOMPARE(m.search(1, QStringLiteral("Elm")).size(), 1);
        QCOMPARE(m.search(6, QStringLiteral("518-555-0002")).size(), 0);
        m.showRecord(2);
        QCOMPARE(m.boxes.accountNumber, QStringLiteral("A-2"));
        QCOMPARE(m.boxes.address1, QStringLiteral("4 Elm Ave"));
        QVERIFY(m.boxes.phone.isEmpty());

        TempApp none;
        business(none);
        none.write(QStringLiteral("CustomerData.txt"), QByteArray());
        // Showing record 1 opens (and so creates) both companion files: no rebuild.
        CustomerScreenModel e(*none.ctx);
        e.load();
        e.activate();
        QCOMPARE(e.customerCount, 0);
        QVERIFY(e.accounts.isEmpty());
        QVERIFY(e.boxes.accountNumber.isEmpty());
        QVERIFY(none.exists(QStringLiteral("ContractInfo.txt")));
        QVERIFY(none.exists(QStringLiteral("CycleInfo.txt")));
        QCOMPARE(CustomerScreenModel::navTarget(2, 1, e.customerCount), 1);
        QVERIFY2(none.prompter.done(), qPrintable(none.prompter.report()));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }
};

TOLVAR_TEST(TestCustomerScreen)
#include "test_customerscreen.moc"
