#include "customers/customerscreen.h"

#include "customers/customerfiles.h"
#include "print/validation.h"
#include "settings/settings.h"
#include "shell/appcontext.h"

#include <QSet>

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
    states = CustomerFiles::loadStates(m_ctx.store());
    const AddressStyle style = m_ctx.settings
                                   ? m_ctx.settings->addressStyle
                                   : Settings::deriveAddressStyle(m_ctx.vars().BusinessData);
    usaAddress = style == AddressStyle::Usa;
}

void CustomerScreenModel::activate() {
    applyCompanionDefaults();
    if (const std::optional<QStringList> h = CustomerFiles::loadHeadings(m_ctx.store())) {
        headings = *h;
    }
    clearBoxes();
    boxes.accountType = CustomerRecord::individual();
    FileStore& store = m_ctx.store();
    if (store.FileExists(CustomerFiles::kCustomerData)) {
        navEnabled = true;
        deleteEnabled = true;
        customerCount = CustomerFiles::customerCount(store);
        fillLists();
        showRecord(qBound(1, current(), qMax(1, customerCount)));
    } else {
        navEnabled = false;
        customerCount = 0;
        prefillFromBusiness();
        boxes.phone = businessField(m_ctx, Settings::Telephone).left(7) + QLatin1Char('-');
        m_ctx.prompter().message(
            QStringLiteral("Your Customer File is Empty\r\nCreate your First Customer Now"),
            QStringLiteral("Create Customers"));
        deleteEnabled = false;
    }
    if (!store.FileExists(CustomerFiles::kContractInfo)) {
        CustomerFiles::BuildContractInfo(m_ctx, customerCount, m_contract);
    }
    if (!store.FileExists(CustomerFiles::kCycleInfo)) {
        CustomerFiles::BuildCycleInfo(m_ctx, customerCount, m_cycle);
    }
    focus = CustomerFocus::AccountNumber;
}

void CustomerScreenModel::applyCompanionDefaults() {
    m_contract = CompanionRecords::defaultContract(m_ctx.clock().today(), m_contract);
    m_cycle = CompanionRecords::defaultCycle();
}

void CustomerScreenModel::clearBoxes() {
    const QString type = boxes.accountType;
    boxes = CustomerBoxes();
    boxes.accountType = type;
}

void CustomerScreenModel::prefillFromBusiness() {
    boxes.city = businessField(m_ctx, Settings::CityOrAddress3);
    boxes.state = businessField(m_ctx, Settings::StateOrAddress4);
    boxes.postalCode = businessField(m_ctx, Settings::PostalCode);
}

void CustomerScreenModel::fillLists() {
    accounts.clear();
    cities.clear();
    const std::optional<CustomerFiles::CustomerBytes> all =
        CustomerFiles::readAllCustomerBytes(m_ctx.store());
    if (!all) {
        return;
    }
    static const quint32 listed = CustomerRecord::fieldMask(
        {QStringLiteral("AccountType"), QStringLiteral("AccountName"), QStringLiteral("LastName"),
         QStringLiteral("FirstName"), QStringLiteral("CityOrAddress3")});
    accounts.reserve(all->count);
    QSet<QString> seen;
    for (int n = 1; n <= all->count; ++n) {
        const CustomerRecord r = all->recordAt(n, listed);
        accounts.append({r.displayName(), n});
        if (!r.CityOrAddress3.isEmpty() && !seen.contains(r.CityOrAddress3)) {
            seen.insert(r.CityOrAddress3);
            cities << r.CityOrAddress3;
        }
    }
}

void CustomerScreenModel::addCity(const QString& city) {
    const QString c = city.trimmed();
    if (!c.isEmpty() && !cities.contains(c)) {
        cities << c;
    }
}

// --- Showing ------------------------------------------------------------------

void CustomerScreenModel::showRecord(int number) {
    if (number < 1) {
        return;
    }
    setCurrent(number);
    FileStore& store = m_ctx.store();
    m_record = CustomerFiles::readCustomer(store, number);
    const CustomerRecord& r = m_record;
    boxes = CustomerBoxes();
    boxes.accountNumber = r.AccountNumber;
    boxes.accountName = r.AccountName.isEmpty() ? r.composedName() : r.AccountName;
    boxes.address1 = r.Address1;
    boxes.address2 = r.Address2;
    boxes.city = r.CityOrAddress3;
    boxes.address3 = r.CityOrAddress3;
    boxes.state = r.State;
    boxes.postalCode = r.shownPostalCode();
    boxes.address4 = r.ZipOrAddress4;
    boxes.phone = r.Phone;
    boxes.other = r.Other;
    boxes.firstName = r.FirstName;
    boxes.lastName = r.LastName;
    boxes.cell = r.CellPhone;
    boxes.title = r.Title;
    boxes.accountType = r.isBusiness() ? CustomerRecord::business() : CustomerRecord::individual();
    if (boxes.accountName.isEmpty()) {
        focus = CustomerFocus::AccountNumber;
    }
    loadAux();
    m_contract = CustomerFiles::readContract(store, number);
    m_cycle = CustomerFiles::readCycle(store, number);
}

void CustomerScreenModel::toggleType() {
    boxes.accountType = isBusiness() ? CustomerRecord::individual() : CustomerRecord::business();
}

CustomerRecord CustomerScreenModel::recordFromBoxes() const {
    CustomerRecord r;
    r.AccountNumber = boxes.accountNumber.trimmed();
    r.AccountName = boxes.accountName.trimmed();
    r.Address1 = boxes.address1.trimmed();
    r.Address2 = boxes.address2.trimmed();
    r.CityText = boxes.city.trimmed();
    if (usaAddress) {
        r.CityOrAddress3 = boxes.city.trimmed();
        r.State = boxes.state.trimmed();
        r.ZipOrAddress4 = boxes.postalCode.trimmed();
    } else {
        r.CityOrAddress3 = boxes.address3.trimmed();
        r.ZipOrAddress4 = boxes.address4.trimmed();
    }
    r.ZipCode = boxes.postalCode;
    r.Phone = boxes.phone.trimmed();
    r.CellPhone = boxes.cell.trimmed();
    r.Other = boxes.other.trimmed();
    r.Title = boxes.title.trimmed();
    r.FirstName = boxes.firstName.trimmed();
    r.LastName = boxes.lastName.trimmed();
    r.AccountType = boxes.accountType;
    r.NewFlag = m_record.NewFlag;
    return r;
}

// --- Saving -------------------------------------------------------------------

bool CustomerScreenModel::validate(SaveOutcome* outcome) {
    Prompter& p = m_ctx.prompter();
    *outcome = SaveOutcome::Invalid;
    if (isBusiness() && boxes.accountName.trimmed().isEmpty()) {
        p.message(QStringLiteral("The Account Name Cannot be Blank"), kTitle);
        focus = CustomerFocus::AccountName;
        return false;
    }
    if (!isBusiness() &&
        (boxes.firstName.trimmed().isEmpty() || boxes.lastName.trimmed().isEmpty())) {
        focus = CustomerFocus::FirstName;
        p.message(QStringLiteral("Enter Account Data or\r\n Click Cancel AddNew if Visible"),
                  kTitle);
        return false;
    }
    if (boxes.accountNumber.trimmed().isEmpty()) {
        if (boxes.phone.trimmed().isEmpty()) {
            p.message(QStringLiteral("The Telephone Number cannot be blank"),
                      QStringLiteral("No number"));
            const Answer a =
                p.message(QStringLiteral("Would you like to exit\r\nwithout creating a Customer?"),
                          QStringLiteral("No Customer"), Buttons::YesNo, Icon::Question);
            if (a == Answer::Yes) {
                *outcome = SaveOutcome::ExitToMenu;
            } else {
                focus = CustomerFocus::Telephone;
            }
            return false;
        }
        boxes.accountNumber = boxes.phone.trimmed();
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
                           "Enter a different Number"),
            QStringLiteral("Invalid Account Number"));
        focus = CustomerFocus::AccountNumber;
        return false;
    }
    if (CustomerFiles::accountNumberTaken(m_ctx.store(), stored, current())) {
        m_ctx.prompter().message(
            QStringLiteral("The Account Number has been duplicated\r\nEnter a different Number"),
            QStringLiteral("Duplicate Account Number"));
        boxes.accountNumber.clear();
        focus = CustomerFocus::AccountNumber;
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
    FileStore& store = m_ctx.store();
    const CustomerRecord record = recordFromBoxes();
    const int number = qMax(1, current());
    IoStatus s = CustomerFiles::writeCustomer(store, number, record);
    if (s) {
        s = CustomerFiles::writeContract(store, number, m_contract);
    }
    if (s) {
        s = CustomerFiles::writeCycle(store, number, m_cycle);
    }
    if (!s) {
        m_ctx.reportIoError(s);
        return false;
    }
    setCurrent(number);
    m_record = record.stored();
    boxes.accountNumber = m_record.AccountNumber;
    customerCount = qMax(customerCount, number);
    addCity(record.CityOrAddress3);
    updateAccountEntry(m_record);
    setEnabledAfterSave();
    return true;
}

void CustomerScreenModel::updateAccountEntry(const CustomerRecord& stored) {
    const AccountEntry entry{stored.displayName(), current()};
    for (AccountEntry& e : accounts) {
        if (e.record == entry.record) {
            e = entry;
            return;
        }
    }
    accounts.append(entry);
}

void CustomerScreenModel::setEnabledAfterSave() {
    navEnabled = true;
    auxEnabled = true;
    deleteEnabled = true;
    addEnabled = true;
    // Once the new customer is stored there is nothing left to cancel.
    cancelAddVisible = false;
}

bool CustomerScreenModel::checkDuplicateAccount() {
    if (boxes.accountNumber.trimmed().isEmpty() || current() == 0) {
        return true;
    }
    if (!CustomerFiles::accountNumberTaken(m_ctx.store(), boxes.accountNumber, current())) {
        return true;
    }
    m_ctx.prompter().message(
        QStringLiteral("The Account Number has been duplicated\r\nEnter a different Number"),
        QStringLiteral("Duplicate Account Number"));
    boxes.accountNumber.clear();
    focus = CustomerFocus::AccountNumber;
    return false;
}

// --- New, cancel, delete --------------------------------------------------------

SaveOutcome CustomerScreenModel::addNew() {
    const SaveOutcome saved = save();
    if (saved != SaveOutcome::Saved) {
        return saved;
    }
    cancelAddVisible = true;
    customerCount += 1;
    setCurrent(customerCount);
    m_record = CustomerRecord();
    m_record.NewFlag = 1;
    clearBoxes();
    boxes.accountType = CustomerRecord::individual();
    fillLists();
    prefillFromBusiness();
    boxes.phone.clear();
    focus = CustomerFocus::AccountNumber;
    applyCompanionDefaults();
    auxEnabled = false;
    deleteEnabled = false;
    addEnabled = false;
    return saved;
}

SaveOutcome CustomerScreenModel::addNewButton() {
    searchVisible = false;
    resultsVisible = false;
    return addNew();
}

void CustomerScreenModel::cancelAdd() {
    customerCount = qMax(0, customerCount - 1);
    cancelAddVisible = false;
    showRecord(1);
    addEnabled = true;
    auxEnabled = true;
    deleteEnabled = true;
}

bool CustomerScreenModel::deleteShown() {
    if (customerCount < 1 || !deleteEnabled) {
        return false;
    }
    const Answer a = m_ctx.prompter().message(QStringLiteral("Delete this Customer"), kTitle,
                                              Buttons::YesNo, Icon::Question);
    if (a != Answer::Yes) {
        focus = CustomerFocus::AccountNumber;
        return false;
    }
    const IoStatus s = CustomerFiles::deleteCustomer(m_ctx.store(), current(), boxes.accountNumber);
    m_ctx.reportIoError(s);
    customerCount = qMax(1, customerCount - 1);
    showRecord(1);
    focus = CustomerFocus::AccountNumber;
    fillLists();
    return s.ok();
}

// --- Moving -----------------------------------------------------------------------

int CustomerScreenModel::navTarget(int index, int current, int count) {
    const int quarter = count / 4;
    switch (index) {
        case 0:
            return 1;
        case 1:
            return current >= 2 ? current - 1 : current;
        case 2:
            return current >= count ? 1 : current + 1;
        case 3:
            return count;
        case 4:
            return count < 4 ? 0 : quarter;
        case 5:
            return count < 4 ? 0 : quarter * 3;
        case 6:
            return count < 4 ? 0 : quarter * 2;
        default:
            return 0;
    }
}

SaveOutcome CustomerScreenModel::navigate(int index) {
    listVisible = false;
    const SaveOutcome saved = save();
    if (saved != SaveOutcome::Saved) {
        return saved;
    }
    const int target = navTarget(index, current(), customerCount);
    if (target >= 1) {
        showRecord(target);
        focus = CustomerFocus::StartProposal;
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
    const int routine = m_ctx.vars().SelectedRoutine;
    *next = routine == 1 ? NextWork::ProposalWriter
                         : (routine == 4 ? NextWork::FieldProposal : NextWork::None);
    return saved;
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
    const QString phone = boxes.phone.trimmed();
    const QString cell = boxes.cell.trimmed();
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
    if (retainAux) {
        return;
    }
    auxBoxes = CustomerFiles::loadAuxData(m_ctx.store(), boxes.accountNumber);
}

void CustomerScreenModel::saveHeadings() {
    m_ctx.reportIoError(CustomerFiles::saveHeadings(m_ctx.store(), headings));
}

void CustomerScreenModel::closeAuxScreen() {
    m_ctx.reportIoError(CustomerFiles::saveAuxData(m_ctx.store(), boxes.accountNumber, auxBoxes));
}

void CustomerScreenModel::reloadAux() {
    auxBoxes = CustomerFiles::loadAuxData(m_ctx.store(), boxes.accountNumber);
}

void CustomerScreenModel::showNextAccount() {
    closeAuxScreen();
    if (current() < customerCount) {
        showRecord(current() + 1);
    }
}

void CustomerScreenModel::showPreviousAccount() {
    closeAuxScreen();
    if (current() >= 2) {
        showRecord(current() - 1);
    }
}

QString CustomerScreenModel::accountLabel() const {
    if (!isBusiness() && boxes.accountName.trimmed().isEmpty()) {
        return JoinName(boxes.title, boxes.firstName, boxes.middleInitial, boxes.lastName);
    }
    return boxes.accountName.trimmed();
}

QString CustomerScreenModel::auxCaption() const {
    const QString name =
        isBusiness() ? boxes.accountName.trimmed()
                     : JoinName(boxes.title, boxes.firstName, boxes.middleInitial, boxes.lastName);
    return QStringLiteral("Data for ") + name;
}

QString CustomerScreenModel::bigWindowLabel(int box) const {
    return QStringLiteral("Editing Data Box # %1 - %2 - for %3")
        .arg(box + 1)
        .arg(headings.value(box), accountLabel());
}
