#include "customers/customerscreen.h"

#include "customers/customerfiles.h"
#include "print/validation.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/commonvariables.h"

#include <QSet>

#include <utility>

namespace {

const QString kTitle = AppContext::applicationTitle();

QString businessField(const AppContext& ctx, int index) {
    return ctx.vars().BusinessData.value(index);
}

}  // namespace

CustomerScreenModel::CustomerScreenModel(AppContext& ctx) : m_ctx(ctx) {}

QStringList CustomerScreenModel::titles() {
    return {QStringLiteral("Mr/Mrs"), QStringLiteral("Mr."), QStringLiteral("Mrs"),
            QStringLiteral("Ms"), QStringLiteral("Miss")};
}

int CustomerScreenModel::current() const {
    return m_ctx.vars().CurrentCustomerRecord;
}

void CustomerScreenModel::setCurrent(int number) {
    m_ctx.vars().CurrentCustomerRecord = number;
}

// --- Opening ---------------------------------------------------------------

void CustomerScreenModel::load() {
    setCurrent(1);
    m_view.states = CustomerFiles::loadStates(m_ctx.store());
    m_view.usaAddress = m_ctx.settings().addressStyle == AddressStyle::Usa;
}

void CustomerScreenModel::activate() {
    applyCompanionDefaults();
    if (const std::optional<QStringList> h = CustomerFiles::loadHeadings(m_ctx.store())) {
        m_view.headings = *h;
    }
    clearBoxes();
    m_view.boxes.accountType = CustomerRecord::individual();
    FileStore& store = m_ctx.store();
    // A file of no records (emptied by hand, or cut short) is as good as none.
    if (CustomerFiles::exists(store, CustomerFiles::kCustomerData) &&
        CustomerFiles::customerCount(store) > 0) {
        m_view.navEnabled = true;
        m_view.deleteEnabled = true;
        m_view.customerCount = CustomerFiles::customerCount(store);
        fillLists();
        showRecord(qBound(1, current(), qMax(1, m_view.customerCount)));
    } else {
        m_view.navEnabled = false;
        m_view.customerCount = 0;
        prefillFromBusiness();
        m_view.boxes.phone = businessField(m_ctx, Settings::Telephone).left(7) + QLatin1Char('-');
        m_ctx.prompter().message(
            QStringLiteral("Your Customer File is Empty\r\nCreate your First Customer Now"),
            QStringLiteral("Create Customers"));
        m_view.deleteEnabled = false;
    }
    if (!CustomerFiles::exists(store, CustomerFiles::kContractInfo)) {
        CustomerFiles::BuildContractInfo(m_ctx, m_view.customerCount, m_contract);
    }
    if (!CustomerFiles::exists(store, CustomerFiles::kCycleInfo)) {
        CustomerFiles::BuildCycleInfo(m_ctx, m_view.customerCount, m_cycle);
    }
    m_view.focus = CustomerFocus::AccountNumber;
}

void CustomerScreenModel::applyCompanionDefaults() {
    m_contract = CompanionRecords::defaultContract(m_ctx.clock().today(), m_contract);
    m_cycle = CompanionRecords::defaultCycle();
}

void CustomerScreenModel::clearBoxes() {
    const QString type = m_view.boxes.accountType;
    m_view.boxes = CustomerBoxes();
    m_view.boxes.accountType = type;
}

void CustomerScreenModel::prefillFromBusiness() {
    m_view.boxes.city = businessField(m_ctx, Settings::CityOrAddress3);
    m_view.boxes.state = businessField(m_ctx, Settings::StateOrAddress4);
    m_view.boxes.postalCode = businessField(m_ctx, Settings::PostalCode);
}

void CustomerScreenModel::fillLists() {
    m_view.accounts.clear();
    m_view.cities.clear();
    const std::optional<CustomerFiles::CustomerBytes> all =
        CustomerFiles::readAllCustomerBytes(m_ctx.store());
    if (!all) {
        return;
    }
    static const quint32 listed = CustomerRecord::fieldMask(
        {QStringLiteral("AccountType"), QStringLiteral("AccountName"), QStringLiteral("LastName"),
         QStringLiteral("FirstName"), QStringLiteral("CityOrAddress3")});
    m_view.accounts.reserve(all->count);
    QSet<QString> seen;
    for (int n = 1; n <= all->count; ++n) {
        const CustomerRecord r = all->recordAt(n, listed);
        m_view.accounts.append({r.displayName(), n});
        if (!r.CityOrAddress3.isEmpty() && !seen.contains(r.CityOrAddress3)) {
            seen.insert(r.CityOrAddress3);
            m_view.cities << r.CityOrAddress3;
        }
    }
}

void CustomerScreenModel::addCity(const QString& city) {
    const QString c = city.trimmed();
    if (!c.isEmpty() && !m_view.cities.contains(c)) {
        m_view.cities << c;
    }
}

// --- Showing ------------------------------------------------------------------

void CustomerScreenModel::showRecord(int number) {
    if (number < 1) {
        return;
    }
    setCurrent(number);
    // Showing another record abandons a new customer not yet saved.
    m_view.cancelAddVisible = false;
    m_view.addEnabled = m_view.auxEnabled = m_view.deleteEnabled = true;
    FileStore& store = m_ctx.store();
    m_record = CustomerFiles::readCustomer(store, number);
    const CustomerRecord& r = m_record;
    CustomerBoxes& b = m_view.boxes;
    b = CustomerBoxes();
    b.accountNumber = r.AccountNumber;
    b.accountName = r.AccountName.isEmpty() ? r.composedName() : r.AccountName;
    b.address1 = r.Address1;
    b.address2 = r.Address2;
    b.city = r.CityOrAddress3;
    b.address3 = r.CityOrAddress3;
    b.state = r.State;
    b.postalCode = r.shownPostalCode();
    b.address4 = r.ZipOrAddress4;
    b.phone = r.Phone;
    b.other = r.Other;
    b.firstName = r.FirstName;
    b.lastName = r.LastName;
    b.cell = r.CellPhone;
    b.title = r.Title;
    b.accountType = r.isBusiness() ? CustomerRecord::business() : CustomerRecord::individual();
    if (b.accountName.isEmpty()) {
        m_view.focus = CustomerFocus::AccountNumber;
    }
    loadAux();
    m_contract = CustomerFiles::readContract(store, number);
    m_cycle = CustomerFiles::readCycle(store, number);
}

CustomerFocus CustomerScreenModel::takeFocus() {
    return std::exchange(m_view.focus, CustomerFocus::None);
}

void CustomerScreenModel::edit(CustomerBox box, const QString& text) {
    CustomerBoxes& b = m_view.boxes;
    QString* const fields[] = {&b.accountNumber, &b.accountName, &b.address1,   &b.address2,
                               &b.city,          &b.state,       &b.postalCode, &b.address3,
                               &b.address4,      &b.phone,       &b.other,      &b.firstName,
                               &b.middleInitial, &b.lastName,    &b.cell,       &b.title};
    *fields[static_cast<int>(box)] = text;
}

void CustomerScreenModel::toggleType() {
    m_view.boxes.accountType =
        m_view.isBusiness() ? CustomerRecord::individual() : CustomerRecord::business();
}

CustomerRecord CustomerScreenModel::recordFromBoxes() const {
    const CustomerBoxes& b = m_view.boxes;
    CustomerRecord r;
    r.AccountNumber = b.accountNumber.trimmed();
    r.AccountName = b.accountName.trimmed();
    r.Address1 = b.address1.trimmed();
    r.Address2 = b.address2.trimmed();
    r.CityText = b.city.trimmed();
    if (m_view.usaAddress) {
        r.CityOrAddress3 = b.city.trimmed();
        r.State = b.state.trimmed();
        r.ZipOrAddress4 = b.postalCode.trimmed();
    } else {
        r.CityOrAddress3 = b.address3.trimmed();
        r.ZipOrAddress4 = b.address4.trimmed();
    }
    r.ZipCode = b.postalCode;
    r.Phone = b.phone.trimmed();
    r.CellPhone = b.cell.trimmed();
    r.Other = b.other.trimmed();
    r.Title = b.title.trimmed();
    r.FirstName = b.firstName.trimmed();
    r.LastName = b.lastName.trimmed();
    r.AccountType = b.accountType;
    r.NewFlag = m_record.NewFlag;
    return r;
}

// --- Saving -------------------------------------------------------------------

bool CustomerScreenModel::validate(SaveOutcome* outcome) {
    Prompter& p = m_ctx.prompter();
    *outcome = SaveOutcome::Invalid;
    if (m_view.isBusiness() && m_view.boxes.accountName.trimmed().isEmpty()) {
        p.message(QStringLiteral("The Account Name Cannot be Blank"), kTitle);
        m_view.focus = CustomerFocus::AccountName;
        return false;
    }
    if (!m_view.isBusiness() &&
        (m_view.boxes.firstName.trimmed().isEmpty() || m_view.boxes.lastName.trimmed().isEmpty())) {
        m_view.focus = CustomerFocus::FirstName;
        p.message(QStringLiteral("Enter Account Data or\r\n Click Cancel AddNew if Visible"),
                  kTitle);
        return false;
    }
    if (m_view.boxes.accountNumber.trimmed().isEmpty()) {
        if (m_view.boxes.phone.trimmed().isEmpty()) {
            p.message(QStringLiteral("The Telephone Number cannot be blank"),
                      QStringLiteral("No number"));
            const Answer a =
                p.message(QStringLiteral("Would you like to exit\r\nwithout creating a Customer?"),
                          QStringLiteral("No Customer"), Buttons::YesNo, Icon::Question);
            if (a == Answer::Yes) {
                *outcome = SaveOutcome::ExitToMenu;
            } else {
                m_view.focus = CustomerFocus::Telephone;
            }
            return false;
        }
        m_view.boxes.accountNumber = m_view.boxes.phone.trimmed();
        p.message(QStringLiteral("Telephone Number will be used as Acct No."),
                  QStringLiteral("Account not Entered"));
    }
    return accountNumberUsable();
}

// The account number names the customer's receivable file and aux folder, and
// it is the customer's key: typed or pasted, it must make a file name and be
// nobody else's.
bool CustomerScreenModel::accountNumberUsable() {
    const QString stored = recordFromBoxes().stored().AccountNumber;
    if (!IsSafeFileName(stored)) {
        m_ctx.alarm();
        m_ctx.prompter().message(
            QStringLiteral("The Account Number can not contain \\ / : * ? \" < > | or ..\r\n"
                           "nor be a device name such as CON or LPT1\r\n"
                           "Enter a different Number"),
            QStringLiteral("Invalid Account Number"));
        m_view.focus = CustomerFocus::AccountNumber;
        return false;
    }
    if (CustomerFiles::accountNumberTaken(m_ctx.store(), stored, current())) {
        m_ctx.prompter().message(
            QStringLiteral("The Account Number has been duplicated\r\nEnter a different Number"),
            QStringLiteral("Duplicate Account Number"));
        m_view.boxes.accountNumber.clear();
        m_view.focus = CustomerFocus::AccountNumber;
        return false;
    }
    return true;
}

SaveOutcome CustomerScreenModel::save() {
    SaveOutcome outcome = SaveOutcome::Invalid;
    m_saveOk = validate(&outcome) && writeShown();
    return m_saveOk ? SaveOutcome::Saved : outcome;
}

bool CustomerScreenModel::writeShown() {
    const CustomerRecord record = recordFromBoxes();
    // A new customer always takes the slot right past the saved ones, so no
    // empty record is ever left between them.
    const int number = qBound(1, current(), m_view.customerCount + 1);
    const IoStatus s =
        CustomerFiles::saveCustomer(m_ctx.store(), number, record, m_contract, m_cycle);
    if (!s) {
        m_ctx.reportIoError(s);
        return false;
    }
    setCurrent(number);
    m_record = record.stored();
    m_view.boxes.accountNumber = m_record.AccountNumber;
    m_view.customerCount = qMax(m_view.customerCount, number);
    addCity(record.CityOrAddress3);
    updateAccountEntry(m_record);
    setEnabledAfterSave();
    return true;
}

void CustomerScreenModel::updateAccountEntry(const CustomerRecord& stored) {
    const CustomerNameEntry entry{stored.displayName(), current()};
    for (CustomerNameEntry& e : m_view.accounts) {
        if (e.record == entry.record) {
            e = entry;
            return;
        }
    }
    m_view.accounts.append(entry);
}

void CustomerScreenModel::setEnabledAfterSave() {
    m_view.navEnabled = true;
    m_view.auxEnabled = true;
    m_view.deleteEnabled = true;
    m_view.addEnabled = true;
    // Once the new customer is stored there is nothing left to cancel.
    m_view.cancelAddVisible = false;
}

bool CustomerScreenModel::checkDuplicateAccount() {
    if (m_view.boxes.accountNumber.trimmed().isEmpty() || current() == 0) {
        return true;
    }
    if (!CustomerFiles::accountNumberTaken(m_ctx.store(), m_view.boxes.accountNumber, current())) {
        return true;
    }
    m_ctx.prompter().message(
        QStringLiteral("The Account Number has been duplicated\r\nEnter a different Number"),
        QStringLiteral("Duplicate Account Number"));
    m_view.boxes.accountNumber.clear();
    m_view.focus = CustomerFocus::AccountNumber;
    return false;
}

// --- New, cancel, delete --------------------------------------------------------

bool CustomerScreenModel::refuseWhenFull() {
    if (m_view.customerCount < CustomerFiles::kMaxCustomers) {
        return false;
    }
    m_ctx.prompter().message(QStringLiteral("The Customer File is full: it holds %1 customers\r\n"
                                            "Delete a customer before adding a new one")
                                 .arg(CustomerFiles::kMaxCustomers),
                             kTitle, Buttons::Ok, Icon::Exclamation);
    return true;
}

// The count stays that of the saved customers; the new one is the record
// past them until it is saved.
SaveOutcome CustomerScreenModel::addNew() {
    if (refuseWhenFull()) {
        return SaveOutcome::Invalid;
    }
    const SaveOutcome saved = save();
    if (saved != SaveOutcome::Saved) {
        return saved;
    }
    m_view.cancelAddVisible = true;
    setCurrent(m_view.customerCount + 1);
    m_record = CustomerRecord();
    m_record.NewFlag = 1;
    clearBoxes();
    m_view.boxes.accountType = CustomerRecord::individual();
    fillLists();
    prefillFromBusiness();
    m_view.boxes.phone.clear();
    m_view.focus = CustomerFocus::AccountNumber;
    applyCompanionDefaults();
    m_view.auxEnabled = false;
    m_view.deleteEnabled = false;
    m_view.addEnabled = false;
    return saved;
}

SaveOutcome CustomerScreenModel::addNewButton() {
    m_view.searchVisible = false;
    m_view.resultsVisible = false;
    return addNew();
}

void CustomerScreenModel::cancelAdd() {
    m_view.cancelAddVisible = false;
    showRecord(1);
    m_view.addEnabled = true;
    m_view.auxEnabled = true;
    m_view.deleteEnabled = true;
}

bool CustomerScreenModel::deleteShown() {
    if (m_view.customerCount < 1 || !m_view.deleteEnabled) {
        return false;
    }
    const Answer a = m_ctx.prompter().message(QStringLiteral("Delete this Customer"), kTitle,
                                              Buttons::YesNo, Icon::Question);
    if (a != Answer::Yes) {
        m_view.focus = CustomerFocus::AccountNumber;
        return false;
    }
    const CustomerFiles::DeleteResult r = CustomerFiles::deleteCustomer(m_ctx.store(), current());
    m_ctx.reportIoError(r.status);
    if (r.removed) {
        m_view.customerCount = qMax(1, m_view.customerCount - 1);
        showRecord(1);
        fillLists();
    }
    m_view.focus = CustomerFocus::AccountNumber;
    return r.removed;
}

// --- Moving -----------------------------------------------------------------------

int CustomerScreenModel::navTarget(NavButton button, int current, int count) {
    const int quarter = count < 4 ? 0 : count / 4;
    switch (button) {
        case NavButton::First:
            return 1;
        case NavButton::Previous:
            return current >= 2 ? current - 1 : current;
        case NavButton::Next:
            return current >= count ? 1 : current + 1;
        case NavButton::Last:
            return count;
        case NavButton::Quarter:
            return quarter;
        case NavButton::ThreeQuarters:
            return quarter * 3;
        case NavButton::Half:
            return quarter * 2;
    }
    return 0;
}

SaveOutcome CustomerScreenModel::navigate(NavButton button) {
    m_view.listVisible = false;
    const SaveOutcome saved = save();
    if (saved != SaveOutcome::Saved) {
        return saved;
    }
    const int target = navTarget(button, current(), m_view.customerCount);
    if (target >= 1) {
        showRecord(target);
        m_view.focus = CustomerFocus::StartProposal;
    }
    return saved;
}

// --- Leaving and dialing ---------------------------------------------------------

SaveOutcome CustomerScreenModel::startProposal(NextWork* next) {
    *next = NextWork::None;
    const SaveOutcome saved = save();
    if (saved != SaveOutcome::Saved) {
        return saved;
    }
    m_ctx.store().CloseAll();
    *next = workFor(m_ctx.vars().SelectedRoutine);
    return saved;
}

NextWork CustomerScreenModel::workFor(int selectedRoutine) {
    switch (static_cast<Routine>(selectedRoutine)) {
        case Routine::CreateProposal:
            return NextWork::ProposalWriter;
        case Routine::CreateFieldProposal:
            return NextWork::FieldProposal;
        default:
            return NextWork::None;
    }
}

QString CustomerScreenModel::workMissingTip(NextWork work) {
    switch (work) {
        case NextWork::ProposalWriter:
            return QStringLiteral("The Proposal Writer is not part of this program yet");
        case NextWork::FieldProposal:
            return QStringLiteral("The Field Proposal screen is not part of this program yet");
        case NextWork::None:
            break;
    }
    return QStringLiteral(
        "Choose Create a Proposal or Create a Field Proposal on the Menu to start one");
}

SaveOutcome CustomerScreenModel::exitToMenu() {
    const SaveOutcome saved = save();
    if (saved == SaveOutcome::Saved) {
        m_ctx.store().CloseAll();
    }
    return saved;
}

DialRequest CustomerScreenModel::dial() {
    DialRequest d;
    d.name = accountLabel();
    const QString phone = m_view.boxes.phone.trimmed();
    const QString cell = m_view.boxes.cell.trimmed();
    if (!phone.isEmpty() && !cell.isEmpty()) {
        const Answer a = m_ctx.prompter().message(
            QStringLiteral("Click YES to dial Phone,\r\nClick NO to dial Cell"),
            QStringLiteral("Select Phone or Cell"), Buttons::YesNo, Icon::Question);
        d.number = a == Answer::Yes ? phone : cell;
    } else {
        d.number = phone.isEmpty() ? cell : phone;
    }
    return d;
}

// --- Auxiliary data -----------------------------------------------------------------

void CustomerScreenModel::loadAux() {
    if (m_view.retainAux) {
        return;
    }
    m_view.auxBoxes = CustomerFiles::loadAuxData(m_ctx.store(), m_view.boxes.accountNumber);
}

void CustomerScreenModel::toggleAuxScreen() {
    m_view.auxVisible = !m_view.auxVisible;
}

void CustomerScreenModel::editAux(int box, const QString& text) {
    if (box >= 0 && box < m_view.auxBoxes.size()) {
        m_view.auxBoxes[box] = text;
    }
}

void CustomerScreenModel::clearAux(int box) {
    editAux(box, QString());
}

void CustomerScreenModel::editHeading(int box, const QString& text) {
    if (box >= 0 && box < m_view.headings.size()) {
        m_view.headings[box] = text;
    }
}

void CustomerScreenModel::setRetainAux(bool retain) {
    m_view.retainAux = retain;
}

void CustomerScreenModel::openBigWindow(int box) {
    if (box < 0 || box >= m_view.auxBoxes.size()) {
        return;
    }
    m_view.editingBox = box;
    m_view.bigText = m_view.auxBoxes.at(box);
    m_view.bigVisible = true;
}

void CustomerScreenModel::editBig(const QString& text) {
    m_view.bigText = text;
}

void CustomerScreenModel::hideBigWindow() {
    editAux(m_view.editingBox, m_view.bigText);
    m_view.bigVisible = false;
}

void CustomerScreenModel::clearBigWindow() {
    m_view.bigText.clear();
}

void CustomerScreenModel::reloadBigWindow() {
    m_view.bigText = m_view.auxBoxes.value(m_view.editingBox);
}

void CustomerScreenModel::saveHeadings() {
    m_ctx.reportIoError(CustomerFiles::saveHeadings(m_ctx.store(), m_view.headings));
}

void CustomerScreenModel::closeAuxScreen() {
    saveAux();
    m_view.auxVisible = false;
}

void CustomerScreenModel::saveAux() {
    m_ctx.reportIoError(
        CustomerFiles::saveAuxData(m_ctx.store(), m_view.boxes.accountNumber, m_view.auxBoxes));
}

void CustomerScreenModel::reloadAux() {
    m_view.auxBoxes = CustomerFiles::loadAuxData(m_ctx.store(), m_view.boxes.accountNumber);
}

void CustomerScreenModel::showNextAccount() {
    saveAux();
    if (current() < m_view.customerCount) {
        showRecord(current() + 1);
    }
}

void CustomerScreenModel::showPreviousAccount() {
    saveAux();
    if (current() >= 2) {
        showRecord(current() - 1);
    }
}

QString CustomerScreenModel::accountLabel() const {
    if (!m_view.isBusiness() && m_view.boxes.accountName.trimmed().isEmpty()) {
        return JoinName(m_view.boxes.title, m_view.boxes.firstName, m_view.boxes.middleInitial,
                        m_view.boxes.lastName);
    }
    return m_view.boxes.accountName.trimmed();
}

QString CustomerScreenModel::auxCaption() const {
    const QString name = m_view.isBusiness()
                             ? m_view.boxes.accountName.trimmed()
                             : JoinName(m_view.boxes.title, m_view.boxes.firstName,
                                        m_view.boxes.middleInitial, m_view.boxes.lastName);
    return QStringLiteral("Data for ") + name;
}

QString CustomerScreenModel::bigWindowLabel(int box) const {
    return QStringLiteral("Editing Data Box # %1 - %2 - for %3")
        .arg(box + 1)
        .arg(m_view.headings.value(box), accountLabel());
}
