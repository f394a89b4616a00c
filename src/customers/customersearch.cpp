#include "customers/customerfiles.h"
#include "customers/customerscreen.h"
#include "settings/settings.h"
#include "shell/appcontext.h"

// The finding half of the customer screen: the name list, the search window
// and the results grid.

namespace {

// The record field each search mode looks in; mode 8 is the account number.
QString searchField(int mode) {
    static const char* const names[] = {"AccountName",    "Address1", "Address2",
                                        "CityOrAddress3", "State",    "ZipOrAddress4",
                                        "Phone",          "LastName", "AccountNumber"};
    return QLatin1String(names[qBound(0, mode, 8)]);
}

// The fields a row of the results grid shows.
quint32 rowFields() {
    static const quint32 mask = CustomerRecord::fieldMask(
        {QStringLiteral("AccountType"), QStringLiteral("AccountName"), QStringLiteral("Title"),
         QStringLiteral("FirstName"), QStringLiteral("LastName"), QStringLiteral("Phone"),
         QStringLiteral("Address1"), QStringLiteral("CityOrAddress3")});
    return mask;
}

constexpr int kTelephoneMode = 6;
constexpr int kShortestTelephone = 12;

}  // namespace

bool CustomerScreenModel::openNameList() {
    if (accounts.isEmpty()) {
        return false;
    }
    listVisible = true;
    focus = CustomerFocus::AccountList;
    return true;
}

void CustomerScreenModel::closeFrames() {
    listVisible = false;
    searchVisible = false;
    resultsVisible = false;
}

QString CustomerScreenModel::completeName(const QString& typed) const {
    if (typed.isEmpty()) {
        return typed;
    }
    for (const AccountEntry& e : accounts) {
        if (e.name.startsWith(typed, Qt::CaseInsensitive)) {
            return e.name;
        }
    }
    return typed;
}

int CustomerScreenModel::recordForName(const QString& text) const {
    const QString t = text.trimmed();
    for (const AccountEntry& e : accounts) {
        if (e.name.trimmed().compare(t, Qt::CaseInsensitive) == 0) {
            return e.record;
        }
    }
    return 0;
}

void CustomerScreenModel::selectFromList(int record) {
    listVisible = false;
    showRecord(record);
}

SaveOutcome CustomerScreenModel::openSearch() {
    const SaveOutcome saved = save();
    if (saved == SaveOutcome::Saved) {
        searchVisible = true;
        searchText.clear();
        focus = CustomerFocus::SearchBox;
    }
    return saved;
}

void CustomerScreenModel::chooseSearchOption(int option) {
    searchOption = option;
    searchText = option == kTelephoneMode
                     ? m_ctx.vars().BusinessData.value(Settings::Telephone).left(8)
                     : QString();
    focus = CustomerFocus::SearchBox;
}

int CustomerScreenModel::searchMode() const {
    return searchOption >= 0 && searchOption <= 7 ? searchOption : 8;
}

CustomerRow CustomerScreenModel::rowOf(const CustomerRecord& r, int number) const {
    CustomerRow row;
    row.customer = r.isBusiness()
                       ? r.AccountName
                       : r.Title + QLatin1Char(' ') + r.FirstName + QLatin1Char(' ') + r.LastName;
    row.phone = r.Phone;
    row.street = r.Address1;
    row.city = r.CityOrAddress3;
    row.record = number;
    return row;
}

QList<CustomerRow> CustomerScreenModel::search(int mode, const QString& text) const {
    QList<CustomerRow> rows;
    const std::optional<CustomerFiles::CustomerBytes> all =
        CustomerFiles::readAllCustomerBytes(m_ctx.store());
    if (!all) {
        return rows;
    }
    const QString wanted = text.trimmed().toUpper();
    const RecordField& field = CustomerRecord::layout().field(searchField(mode));
    for (int n = 1; n <= all->count; ++n) {
        if (all->field(n, field).toUpper().contains(wanted)) {
            rows << rowOf(all->recordAt(n, rowFields()), n);
        }
    }
    return rows;
}

SearchOutcome CustomerScreenModel::runSearch() {
    const int mode = searchMode();
    if (mode == kTelephoneMode && searchText.size() < kShortestTelephone) {
        m_ctx.alarm();
        focus = CustomerFocus::SearchBox;
        return SearchOutcome::NotRun;
    }
    results = search(mode, searchText);
    searchVisible = false;
    if (results.isEmpty()) {
        searchText.clear();
        const Answer a = m_ctx.prompter().message(
            QStringLiteral("No Accounts Matching the Search Data were Found\r\n"
                           "Would you like to Create a New Account?"),
            QStringLiteral("Customer not Found"), Buttons::YesNo, Icon::Question);
        resultsVisible = false;
        if (a == Answer::Yes) {
            addNew();
        }
        return SearchOutcome::NoneFound;
    }
    if (results.size() == 1) {
        showRecord(results.first().record);
        return SearchOutcome::OneShown;
    }
    resultsVisible = true;
    resultsCaption = QStringLiteral("Customers Search Results");
    printVisible = false;
    return SearchOutcome::ManyListed;
}

void CustomerScreenModel::listAllCustomers() {
    if (!m_ctx.store().FileExists(CustomerFiles::kCustomerData)) {
        m_ctx.alarm();
        return;
    }
    listVisible = false;
    searchVisible = false;
    const std::optional<CustomerFiles::CustomerBytes> all =
        CustomerFiles::readAllCustomerBytes(m_ctx.store());
    results.clear();
    const int count = all ? all->count : 0;
    results.reserve(count);
    for (int n = 1; n <= count; ++n) {
        results << rowOf(all->recordAt(n, rowFields()), n);
    }
    resultsVisible = true;
    resultsCaption = QStringLiteral("Customer List");
    printVisible = true;
}

void CustomerScreenModel::selectResult(int row) {
    if (row < 0 || row >= results.size()) {
        return;
    }
    showRecord(results.at(row).record);
    resultsVisible = false;
}

QStringList CustomerScreenModel::resultHeadings() {
    const auto pad = [](const char* heading, int width) {
        return QString::fromLatin1(heading).leftJustified(width, QLatin1Char(' '));
    };
    return {pad("Customer", 34), pad("Phone", 16), pad("Street", 20), pad("City", 20),
            pad("Rec", 3)};
}
