#pragma once

#include "customers/customerrecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class AppContext;

// What the boxes of the customer screen hold.
struct CustomerBoxes {
    QString accountNumber;                               // txtCustomer(0)
    QString accountName;                                 // txtCustomer(1)
    QString address1;                                    // txtCustomer(2)
    QString address2;                                    // txtCustomer(3)
    QString city;                                        // cboCity (USA style)
    QString state;                                       // cboStates (USA style)
    QString postalCode;                                  // txtCustomer(5) (USA style)
    QString address3;                                    // txtAdd3 (international style)
    QString address4;                                    // txtAdd4 (international style)
    QString phone;                                       // txtCustomer(6)
    QString other;                                       // txtCustomer(7) "Fax, Email, ETC"
    QString firstName;                                   // txtCustomer(8)
    QString middleInitial;                               // txtCustomer(9), never stored
    QString lastName;                                    // txtCustomer(10)
    QString cell;                                        // txtCustomer(11)
    QString title;                                       // cboTitle
    QString accountType = CustomerRecord::individual();  // lbLType

    bool operator==(const CustomerBoxes&) const = default;
};

// The boxes a user types into, for CustomerScreenModel::edit.
enum class CustomerBox {
    AccountNumber,
    AccountName,
    Address1,
    Address2,
    City,
    State,
    PostalCode,
    Address3,
    Address4,
    Phone,
    Other,
    FirstName,
    MiddleInitial,
    LastName,
    Cell,
    Title
};

// cmdNav(0) .. cmdNav(6).
enum class NavButton { First, Previous, Next, Last, Quarter, ThreeQuarters, Half };

// optSearch(0) .. optSearch(8): the field a search looks in.
enum class SearchMode {
    BusinessName,
    Address1,
    Address2,
    CityOrAddress3,
    State,
    ZipOrAddress4,
    Telephone,
    LastName,
    AccountNumber
};

// Where the screen puts the focus after an action.
enum class CustomerFocus {
    None,
    AccountNumber,
    AccountName,
    FirstName,
    Telephone,
    StartProposal,  // cmdSchedule
    SearchBox,
    AccountList  // cboAccounts
};

enum class SaveOutcome {
    Saved,
    Invalid,     // told the user; stay (SaveOk false)
    ExitToMenu,  // the user chose to leave without creating a customer
};

// A row of the results grid fgCustomersFound.
struct CustomerRow {
    QString customer;
    QString phone;
    QString street;
    QString city;
    int record = 0;

    bool operator==(const CustomerRow&) const = default;
};

enum class SearchOutcome {
    NotRun,     // a telephone search with too few characters
    NoneFound,  // the question was asked (and answered)
    OneShown,   // the single match is shown
    ManyListed  // the results grid lists the matches
};

// What follows "&Start Proposal".
enum class NextWork { None, ProposalWriter, FieldProposal };

struct DialRequest {
    QString name;
    QString number;  // empty when the customer has no number
};

// An entry of the account list cboAccounts.
struct CustomerNameEntry {
    QString name;  // display name
    int record = 0;

    bool operator==(const CustomerNameEntry&) const = default;
};

// Everything the customer screen shows; the screen copies it into its
// controls after each action.
struct CustomerView {
    CustomerBoxes boxes;
    QStringList auxBoxes = QStringList(6, QString());  // txtAux(0..5)
    QStringList headings = QStringList(6, QString());  // txtHeading(0..5)
    bool retainAux = false;                            // ckSaveAux
    int customerCount = 0;                             // saved customers
    bool usaAddress = true;                            // which address frame shows
    QList<CustomerNameEntry> accounts;                 // cboAccounts, in record order
    QStringList cities;                                // cboCity
    QStringList states;                                // cboStates

    bool navEnabled = false;                 // cmdNav(0..6) and Command1(0..2)
    bool deleteEnabled = false;              // mnuDelete
    bool auxEnabled = true;                  // mnuAux
    bool addEnabled = true;                  // mnuAdd
    bool cancelAddVisible = false;           // cmdCustomer
    bool listVisible = false;                // fraListSelect and cboAccounts
    bool searchVisible = false;              // fraSearch
    bool resultsVisible = false;             // fraCustomersFound
    bool printVisible = false;               // cmdPrintCustomers
    bool auxVisible = false;                 // fraAux
    bool bigVisible = false;                 // fraBig
    int editingBox = -1;                     // the aux box open in fraBig
    QString bigText;                         // txtBig
    QString resultsCaption;                  // fraCustomersFound
    QList<CustomerRow> results;              // fgCustomersFound rows
    std::optional<SearchMode> searchOption;  // the optSearch that is set
    QString searchText;                      // the search box
    CustomerFocus focus = CustomerFocus::None;

    bool isBusiness() const { return boxes.accountType == CustomerRecord::business(); }
};

// The logic of the customer screen. The screen forwards each user action to
// one call, then copies view() into its controls and puts the focus where
// view().focus says. The current record number lives in
// CommonVariables, so the proposal writer finds the customer shown here.
class CustomerScreenModel {
public:
    explicit CustomerScreenModel(AppContext& ctx);

    // --- Opening
    void load();      // once, when the screen loads
    void activate();  // every time the screen becomes active

    // --- The shown customer
    int current() const;
    void showRecord(int number);
    const CustomerView& view() const { return m_view; }
    // Where the last action wants the focus; asked once, then None.
    CustomerFocus takeFocus();
    void edit(CustomerBox box, const QString& text);
    void toggleType();  // cmdAcctType
    // The record that a save would write.
    CustomerRecord recordFromBoxes() const;

    // --- Saving (every action that moves on saves first)
    SaveOutcome save();
    bool saveOk() const { return m_saveOk; }
    // Leaving the account number box; false when another customer has it.
    bool checkDuplicateAccount();

    // --- New, cancel, delete
    SaveOutcome addNew();        // mnuAdd
    SaveOutcome addNewButton();  // cmdNew: hides the search and results first
    void cancelAdd();            // cmdCustomer
    bool deleteShown();          // mnuDelete; true when deleted

    // --- Moving
    SaveOutcome navigate(NavButton button);
    // The record a button moves to, or 0 when it does not move.
    static int navTarget(NavButton button, int current, int count);

    // --- Name list (cboAccounts)
    bool openNameList();  // Command1(1); false when the list is empty
    void closeFrames();   // Command1(2)
    QString completeName(const QString& typed) const;
    int recordForName(const QString& text) const;
    void selectFromList(int record);

    // --- Search and results
    SaveOutcome openSearch();  // Command1(0)
    void chooseSearchOption(SearchMode option);
    void setSearchText(const QString& text);
    void clearSearch();          // cmdClearSearch
    void hideSearch();           // cmdHideSearch
    void hideResults();          // cmdRetry
    SearchOutcome runSearch();   // cmdStartSearch
    void listAllCustomers();     // mnuPrint, Command1(3)
    void selectResult(int row);  // mnuSelect
    QList<CustomerRow> search(SearchMode mode, const QString& text) const;
    static QStringList resultHeadings();

    // --- Leaving
    SaveOutcome startProposal(NextWork* next);  // cmdSchedule
    // The work "&Start Proposal" leads to for a main-menu routine.
    static NextWork workFor(int selectedRoutine);
    // Why "&Start Proposal" cannot go on when that work's screen is missing.
    static QString workMissingTip(NextWork work);
    SaveOutcome exitToMenu();  // cmdExit

    // --- Dialing (imgPhone); the dialer opens with what this returns.
    DialRequest dial();

    // --- Auxiliary data (fraAux)
    void toggleAuxScreen();  // mnuAux
    void editAux(int box, const QString& text);
    void clearAux(int box);  // lblClear(box)
    void editHeading(int box, const QString& text);
    void setRetainAux(bool retain);
    void openBigWindow(int box);  // double click on txtAux(box)
    void editBig(const QString& text);
    void hideBigWindow();    // cmdSaveAux(4)
    void clearBigWindow();   // cmdSaveAux(5)
    void reloadBigWindow();  // cmdSaveAux(6)
    void saveHeadings();
    void closeAuxScreen();
    void reloadAux();
    void showNextAccount();
    void showPreviousAccount();
    QString auxCaption() const;
    QString accountLabel() const;
    QString bigWindowLabel(int box) const;

    static QStringList titles();

    // The companion records held for the shown customer.
    const QByteArray& contract() const { return m_contract; }
    const QByteArray& cycle() const { return m_cycle; }

private:
    // True when the customer file is full: the user is told, nothing starts.
    bool refuseWhenFull();
    void setCurrent(int number);
    void clearBoxes();
    void applyCompanionDefaults();
    void fillLists();
    void addCity(const QString& city);
    void prefillFromBusiness();
    void setEnabledAfterSave();
    void loadAux();
    void saveAux();
    bool validate(SaveOutcome* outcome);
    bool accountNumberUsable();
    bool writeShown();
    void updateAccountEntry(const CustomerRecord& stored);
    SearchMode searchMode() const;

    AppContext& m_ctx;
    CustomerView m_view;
    CustomerRecord m_record;
    QByteArray m_contract;
    QByteArray m_cycle;
    bool m_saveOk = false;
};
