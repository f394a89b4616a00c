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

#include <array>

namespace {

// A model over `count` customers (contract and cycle record n filled with
// the letter 'a' + n), loaded and activated.
std::unique_ptr<CustomerScreenModel> opened(TempApp& app, int count) {
    app.ctx->vars().BusinessData =
        QStringList{"Acme", "1 Elm", "", "Troy", "NY", "12180", "518-555-0101", "", ""};
    for (int n = 1; n <= count; ++n) {
        const char c = char('a' + n % 26);
        if (!CustomerFiles::saveCustomer(app.ctx->store(), n, recordNamed(QString::number(n)),
                                         QByteArray(386, c), QByteArray(69, c))) {
            QTest::qFail("the customers could not be set up", __FILE__, __LINE__);
        }
    }
    auto m = std::make_unique<CustomerScreenModel>(*app.ctx);
    m->load();
    m->activate();
    return m;
}

// The names of the enums in the case files, in their order.
const QStringList kBoxes{"AccountNumber", "AccountName", "Address1",   "Address2",
                         "City",          "State",       "PostalCode", "Address3",
                         "Address4",      "Phone",       "Other",      "FirstName",
                         "MiddleInitial", "LastName",    "Cell",       "Title"};
const QStringList kOutcomes{"Saved", "Invalid", "ExitToMenu"};
const QStringList kFocus{"None",      "AccountNumber", "AccountName", "FirstName",
                         "Telephone", "StartProposal", "SearchBox",   "AccountList"};
const QStringList kModes{"BusinessName",  "Address1",  "Address2", "CityOrAddress3", "State",
                         "ZipOrAddress4", "Telephone", "LastName", "AccountNumber"};
const QStringList kButtons{"First", "Previous", "Next", "Last", "Quarter", "ThreeQuarters", "Half"};

// The boxes in the order of CustomerBox, then the account type.
QStringList boxTexts(const CustomerBoxes& b) {
    return {b.accountNumber, b.accountName, b.address1, b.address2, b.city,       b.state,
            b.postalCode,    b.address3,    b.address4, b.phone,    b.other,      b.firstName,
            b.middleInitial, b.lastName,    b.cell,     b.title,    b.accountType};
}

QString rowText(const CustomerRow& r) {
    return QStringList{r.customer, r.phone, r.street, r.city, QString::number(r.record)}.join(u';');
}

QString entryText(const CustomerNameEntry& e) {
    return e.name + u':' + QString::number(e.record);
}

using CaseFile::field;
using CaseFile::named;

}  // namespace

class TestCustomerScreen : public QObject {
    Q_OBJECT

private slots:
    void navigationTargets_data() { CaseFile::rows("customers/navigation.txt"); }
    void navigationTargets() {
        const NavButton button = named<NavButton>(field("button"), kButtons);
        QCOMPARE(CustomerScreenModel::navTarget(button, CaseFile::number("current"),
                                                CaseFile::number("count")),
                 CaseFile::number("target"));
    }

    void scenarios_data() { CaseFile::scenarios("customers/screen.txt"); }
    void scenarios() {
        using CaseFile::Args;
        TempApp app;
        std::unique_ptr<CustomerScreenModel> m;
        NextWork work = NextWork::None;  // kept from one Start Proposal to the next
        QByteArray kept;                 // a file's bytes, to see that it is unchanged
        const auto number = [](Args a) { return a.value(0).toInt(); };
        const CaseFile::Actions actions{
            {"open", [&](Args a) { m = opened(app, number(a)); }},
            {"bare", [&](Args) { m = std::make_unique<CustomerScreenModel>(*app.ctx); }},
            {"write", [&](Args a) { app.write(a[0], a[1].toUtf8()); }},
            {"writeRecords", [&](Args a) { app.write(a[0], built(a.mid(1))); }},
            {"cut", [&](Args a) { app.write(a[0], app.read(a[0]).left(a[1].toInt())); }},
            {"keep", [&](Args a) { kept = app.read(a[0]); }},
            {"fill",
             [&](Args) {
                 QByteArray full = app.read("CustomerData.txt");
                 full.resize(qsizetype(CustomerFiles::kMaxCustomers) * CustomerRecord::kSize, ' ');
                 app.write("CustomerData.txt", full);
             }},
            {"activate", [&](Args) { m->activate(); }},
            {"international",
             [&](Args) { app.ctx->settings().addressStyle = AddressStyle::International; }},
            {"mkdir", [&](Args a) { app.mkdir(a[0]); }},
            {"remove", [&](Args a) { QFile::remove(app.path(a[0])); }},
            {"prompt",
             [&](Args a) { CaseFile::expectStep(app.prompter, "customers/prompts.txt", app, a); }},
            {"strictBeeps", [&](Args) { app.prompter.setStrictBeeps(true); }},
            {"beep", [&](Args) { app.prompter.expectBeep(); }},
            {"routine", [&](Args a) { app.ctx->vars().SelectedRoutine = number(a); }},
            {"edit", [&](Args a) { m->edit(named<CustomerBox>(a[0], kBoxes), a[1]); }},
            {"toggleType", [&](Args) { m->toggleType(); }},
            {"cancelAdd", [&](Args) { m->cancelAdd(); }},
            {"show", [&](Args a) { m->showRecord(number(a)); }},
            {"selectFromList", [&](Args a) { m->selectFromList(number(a)); }},
            {"selectResult", [&](Args a) { m->selectResult(number(a)); }},
            {"listAll", [&](Args) { m->listAllCustomers(); }},
            {"option", [&](Args a) { m->chooseSearchOption(named<SearchMode>(a[0], kModes)); }},
            {"searchText", [&](Args a) { m->setSearchText(a[0]); }},
            {"retainAux", [&](Args a) { m->setRetainAux(number(a)); }},
            {"editAux", [&](Args a) { m->editAux(number(a), a[1]); }},
            {"clearAux", [&](Args a) { m->clearAux(number(a)); }},
            {"reloadAux", [&](Args) { m->reloadAux(); }},
            {"nextAccount", [&](Args) { m->showNextAccount(); }},
            {"previousAccount", [&](Args) { m->showPreviousAccount(); }},
            {"toggleAux", [&](Args) { m->toggleAuxScreen(); }},
            {"closeAux", [&](Args) { m->closeAuxScreen(); }},
            {"openBig", [&](Args a) { m->openBigWindow(number(a)); }},
            {"editBig", [&](Args a) { m->editBig(a[0]); }},
            {"clearBig", [&](Args) { m->clearBigWindow(); }},
            {"hideBig", [&](Args) { m->hideBigWindow(); }}};
        using V = CustomerView;
        const QStringList flagNames{"nav",    "delete",  "aux",   "add", "cancelAdd", "list",
                                    "search", "results", "print", "big", "usa"};
        const std::array<bool V::*, 11> flags{
            &V::navEnabled,       &V::deleteEnabled, &V::auxEnabled,    &V::addEnabled,
            &V::cancelAddVisible, &V::listVisible,   &V::searchVisible, &V::resultsVisible,
            &V::printVisible,     &V::bigVisible,    &V::usaAddress};  // as flagNames
        const auto saved = [](SaveOutcome o) { return kOutcomes.at(int(o)); };
        using CaseFile::yes;
        const CaseFile::Results results{
            {"headings", [&](Args) { return CustomerScreenModel::resultHeadings().join(u'|'); }},
            {"save", [&](Args) { return saved(m->save()); }},
            {"addNew", [&](Args) { return saved(m->addNew()); }},
            {"addNewButton", [&](Args) { return saved(m->addNewButton()); }},
            {"openSearch", [&](Args) { return saved(m->openSearch()); }},
            {"navigate",
             [&](Args a) { return saved(m->navigate(named<NavButton>(a[0], kButtons))); }},
            {"runSearch",
             [&](Args) {
                 return QStringList{"NotRun", "NoneFound", "OneShown", "ManyListed"}.at(
                     int(m->runSearch()));
             }},
            {"startProposal",
             [&](Args) {
                 const QString outcome = saved(m->startProposal(&work));
                 return outcome + u' ' +
                        QStringList{"None", "ProposalWriter", "FieldProposal"}.at(int(work));
             }},
            {"saveOk", [&](Args) { return yes(m->saveOk()); }},
            {"openNameList", [&](Args) { return yes(m->openNameList()); }},
            {"duplicateOk", [&](Args) { return yes(m->checkDuplicateAccount()); }},
            {"delete", [&](Args) { return yes(m->deleteShown()); }},
            {"complete", [&](Args a) { return m->completeName(a[0]); }},
            {"recordFor", [&](Args a) { return QString::number(m->recordForName(a[0])); }},
            {"current", [&](Args) { return QString::number(m->current()); }},
            {"count", [&](Args) { return QString::number(m->view().customerCount); }},
            {"focus", [&](Args) { return kFocus.at(int(m->view().focus)); }},
            {"flag", [&](Args a) { return yes(m->view().*flags.at(flagNames.indexOf(a[0]))); }},
            {"business", [&](Args) { return yes(m->view().isBusiness()); }},
            {"box", [&](Args a) { return boxTexts(m->view().boxes).at(kBoxes.indexOf(a[0])); }},
            {"boxes", [&](Args) { return boxTexts(m->view().boxes).join(u'|'); }},
            {"searchBox", [&](Args) { return m->view().searchText; }},
            {"auxBox", [&](Args a) { return m->view().auxBoxes.value(number(a)); }},
            {"caption", [&](Args) { return m->auxCaption(); }},
            {"cities", [&](Args) { return m->view().cities.join(u'|'); }},
            {"accounts", [&](Args) { return CaseFile::joined(m->view().accounts, entryText); }},
            {"account",
             [&](Args a) {
                 const QList<CustomerNameEntry>& all = m->view().accounts;
                 return entryText(all.value(number(a) < 0 ? all.size() - 1 : number(a)));
             }},
            {"results", [&](Args) { return CaseFile::joined(m->view().results, rowText); }},
            {"search",
             [&](Args a) {
                 return CaseFile::joined(
                     m->search(named<SearchMode>(a[0], kModes), a[1]),
                     [](const CustomerRow& r) { return QString::number(r.record); }, u' ');
             }},
            {"result", [&](Args a) { return rowText(m->view().results.value(number(a))); }},
            {"defaultContract",
             [&](Args a) {
                 const QByteArray held(386, a[0].at(0).toLatin1());
                 return yes(m->contract() ==
                            CompanionRecords::defaultContract(QDate(2026, 12, 5), held));
             }},
            {"stored",
             [&](Args a) {
                 const CustomerRecord r = CustomerFiles::readCustomer(app.ctx->store(), number(a));
                 return a[1] == QLatin1String("name")  ? r.AccountName
                        : a[1] == QLatin1String("new") ? QString::number(r.NewFlag)
                                                       : r.AccountNumber;
             }},
            {"storedCount",
             [&](Args) { return QString::number(CustomerFiles::customerCount(app.ctx->store())); }},
            {"dial",
             [&](Args) {
                 const DialRequest d = m->dial();
                 return d.number + u'|' + d.name;
             }},
            {"file", [&](Args a) { return QString::fromUtf8(app.read(a[0])); }},
            {"kept", [&](Args a) { return yes(app.read(a[0]) == kept); }},
            {"golden", [&](Args a) { return yes(app.read(a[0]) == golden(qPrintable(a[1]))); }},
            {"exists", [&](Args a) { return yes(app.exists(a[0])); }}};
        CaseFile::run(actions, results);
    }
};

TOLVAR_TEST(TestCustomerScreen)
#include "test_customerscreen.moc"
