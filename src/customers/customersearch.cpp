#include "customers/customerfiles.h"
#include "customers/customerscreen.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/textcodec.h"

#include <algorithm>

// The finding half of the customer screen: the name list, the search window
// and the m_view.results grid.

namespace {

// The record field each search mode looks in; mode 8 is the account number.
QString searchField(SearchMode mode) {
    static const char* const names[] = {"AccountName",    "Address1", "Address2",
                                        "CityOrAddress3", "State",    "ZipOrAddress4",
                                        "Phone",          "LastName", "AccountNumber"};
    return QLatin1String(names[static_cast<int>(mode)]);
}

// "Title First Last" in one string; plain ASCII parts are copied straight in.
QString personName(QByteArrayView title, QByteArrayView first, QByteArrayView last) {
    if (!Text::isAscii(title) || !Text::isAscii(first) || !Text::isAscii(last)) {
        return CustomerRecord::textOf(title) + QLatin1Char(' ') + CustomerRecord::textOf(first) +
               QLatin1Char(' ') + CustomerRecord::textOf(last);
    }
    QString name(title.size() + first.size() + last.size() + 2, Qt::Uninitialized);
    QChar* out = name.data();
    for (QByteArrayView part : {title, first, last}) {
        for (char c : part) {
            *out++ = QLatin1Char(c);
        }
        if (out != name.data() + name.size()) {
            *out++ = QLatin1Char(' ');
        }
    }
    return name;
}

// A row of the results grid, decoding only the fields it shows.
CustomerRow rowAt(const CustomerFiles::CustomerBytes& all, int number) {
    static const RecordLayout& l = CustomerRecord::layout();
    static const RecordField type = l.field(QStringLiteral("AccountType"));
    static const RecordField name = l.field(QStringLiteral("AccountName"));
    static const RecordField title = l.field(QStringLiteral("Title"));
    static const RecordField first = l.field(QStringLiteral("FirstName"));
    static const RecordField last = l.field(QStringLiteral("LastName"));
    static const RecordField phone = l.field(QStringLiteral("Phone"));
    static const RecordField street = l.field(QStringLiteral("Address1"));
    static const RecordField city = l.field(QStringLiteral("CityOrAddress3"));
    const auto stored = [&](const RecordField& f) { return all.stored(number, f); };
    CustomerRow row;
    // The program writes the type in plain ASCII: its bytes are compared.
    const bool business = stored(type) == QByteArrayView("Business");
    row.customer = business ? CustomerRecord::textOf(stored(name))
                            : personName(stored(title), stored(first), stored(last));
    row.phone = CustomerRecord::textOf(stored(phone));
    row.street = CustomerRecord::textOf(stored(street));
    row.city = CustomerRecord::textOf(stored(city));
    row.record = number;
    return row;
}

// What a search looks for, upper-cased, with its plain-ASCII bytes when it
// has nothing else: those are matched against the stored bytes directly.
struct Wanted {
    explicit Wanted(const QString& text)
        : upper(text.trimmed().toUpper()), plain(Text::isAscii(upper)), ascii(upper.toLatin1()) {}
    QString upper;
    bool plain;
    QByteArray ascii;
};

// Whether text field `f` of record `number`, upper-cased, contains what is
// wanted. Plain ASCII on both sides is compared in place, without decoding;
// anything else takes the decoded, upper-cased text, so both ways agree.
bool holds(const CustomerFiles::CustomerBytes& all, int number, const RecordField& f,
           const Wanted& wanted) {
    const QByteArrayView stored = all.stored(number, f);
    if (wanted.plain && Text::isAscii(stored)) {
        const auto same = [](char c, char w) {
            return (c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) == w;
        };
        return std::search(stored.begin(), stored.end(), wanted.ascii.begin(), wanted.ascii.end(),
                           same) != stored.end() ||
               wanted.ascii.isEmpty();
    }
    return CustomerRecord::textOf(stored).toUpper().contains(wanted.upper);
}

constexpr int kShortestTelephone = 12;

}  // namespace

bool CustomerScreenModel::openNameList() {
    if (m_view.accounts.isEmpty()) {
        return false;
    }
    m_view.listVisible = true;
    m_view.focus = CustomerFocus::AccountList;
    return true;
}

void CustomerScreenModel::closeFrames() {
    m_view.listVisible = false;
    m_view.searchVisible = false;
    m_view.resultsVisible = false;
}

QString CustomerScreenModel::completeName(const QString& typed) const {
    if (typed.isEmpty()) {
        return typed;
    }
    for (const CustomerNameEntry& e : m_view.accounts) {
        if (e.name.startsWith(typed, Qt::CaseInsensitive)) {
            return e.name;
        }
    }
    return typed;
}

int CustomerScreenModel::recordForName(const QString& text) const {
    const QString t = text.trimmed();
    for (const CustomerNameEntry& e : m_view.accounts) {
        if (e.name.trimmed().compare(t, Qt::CaseInsensitive) == 0) {
            return e.record;
        }
    }
    return 0;
}

void CustomerScreenModel::selectFromList(int record) {
    m_view.listVisible = false;
    showRecord(record);
}

SaveOutcome CustomerScreenModel::openSearch() {
    const SaveOutcome saved = save();
    if (saved == SaveOutcome::Saved) {
        m_view.searchVisible = true;
        m_view.searchText.clear();
        m_view.focus = CustomerFocus::SearchBox;
    }
    return saved;
}

void CustomerScreenModel::setSearchText(const QString& text) {
    m_view.searchText = text;
}

void CustomerScreenModel::clearSearch() {
    m_view.searchText.clear();
    m_view.focus = CustomerFocus::SearchBox;
}

void CustomerScreenModel::hideSearch() {
    m_view.searchVisible = false;
}

void CustomerScreenModel::hideResults() {
    m_view.resultsVisible = false;
}

void CustomerScreenModel::chooseSearchOption(SearchMode option) {
    m_view.searchOption = option;
    m_view.searchText = option == SearchMode::Telephone
                            ? m_ctx.vars().BusinessData.value(Settings::Telephone).left(8)
                            : QString();
    m_view.focus = CustomerFocus::SearchBox;
}

SearchMode CustomerScreenModel::searchMode() const {
    return m_view.searchOption.value_or(SearchMode::AccountNumber);
}

QList<CustomerRow> CustomerScreenModel::search(SearchMode mode, const QString& text) const {
    QList<CustomerRow> rows;
    const std::optional<CustomerFiles::CustomerBytes> all =
        CustomerFiles::readAllCustomerBytes(m_ctx.store());
    if (!all) {
        return rows;
    }
    const Wanted wanted(text);
    const RecordField& field = CustomerRecord::layout().field(searchField(mode));
    for (int n = 1; n <= all->count; ++n) {
        if (holds(*all, n, field, wanted)) {
            rows << rowAt(*all, n);
        }
    }
    return rows;
}

SearchOutcome CustomerScreenModel::runSearch() {
    const SearchMode mode = searchMode();
    if (mode == SearchMode::Telephone && m_view.searchText.size() < kShortestTelephone) {
        m_ctx.alarm();
        m_view.focus = CustomerFocus::SearchBox;
        return SearchOutcome::NotRun;
    }
    m_view.results = search(mode, m_view.searchText);
    m_view.searchVisible = false;
    if (m_view.results.isEmpty()) {
        m_view.searchText.clear();
        const Answer a = m_ctx.prompter().message(
            QStringLiteral("No Accounts Matching the Search Data were Found\r\n"
                           "Would you like to Create a New Account?"),
            QStringLiteral("Customer not Found"), Buttons::YesNo, Icon::Question);
        hideResults();
        if (a == Answer::Yes) {
            addNew();
        }
        return SearchOutcome::NoneFound;
    }
    if (m_view.results.size() == 1) {
        showRecord(m_view.results.first().record);
        return SearchOutcome::OneShown;
    }
    m_view.resultsVisible = true;
    m_view.resultsCaption = QStringLiteral("Customers Search Results");
    m_view.printVisible = false;
    return SearchOutcome::ManyListed;
}

void CustomerScreenModel::listAllCustomers() {
    if (!CustomerFiles::exists(m_ctx.store(), CustomerFiles::kCustomerData)) {
        m_ctx.alarm();
        return;
    }
    m_view.listVisible = false;
    m_view.searchVisible = false;
    const std::optional<CustomerFiles::CustomerBytes> all =
        CustomerFiles::readAllCustomerBytes(m_ctx.store());
    m_view.results.clear();
    const int count = all ? all->count : 0;
    m_view.results.reserve(count);
    for (int n = 1; n <= count; ++n) {
        m_view.results << rowAt(*all, n);
    }
    m_view.resultsVisible = true;
    m_view.resultsCaption = QStringLiteral("Customer List");
    m_view.printVisible = true;
}

void CustomerScreenModel::selectResult(int row) {
    if (row < 0 || row >= m_view.results.size()) {
        return;
    }
    showRecord(m_view.results.at(row).record);
    m_view.resultsVisible = false;
}

QStringList CustomerScreenModel::resultHeadings() {
    const auto pad = [](const char* heading, int width) {
        return QString::fromLatin1(heading).leftJustified(width, QLatin1Char(' '));
    };
    return {pad("Customer", 34), pad("Phone", 16), pad("Street", 20), pad("City", 20),
            pad("Rec", 3)};
}
