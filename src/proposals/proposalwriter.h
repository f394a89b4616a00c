#pragma once

#include "proposals/bodybuilder.h"
#include "proposals/items.h"
#include "proposals/pricing.h"
#include "proposals/proposalfiles.h"
#include "proposals/proposallayout.h"
#include "proposals/templates.h"

#include <QString>
#include <QStringList>

class AppContext;
class PrintTarget;
struct CustomerRecord;

// The customer block of the writer: the lines lblCustomerInfo(1..8) show
// (name, address 1, address 2, city or address 3, state or address 4, postal
// code, telephone, cell) and lblAccount.
struct CustomerBlock {
    static constexpr int LineCount = 8;
    QString account;
    QStringList lines = QStringList(LineCount, QString());
    // The customer screen's address style: city, state and postal code.
    bool usaStyle = true;

    static CustomerBlock fromRecord(const CustomerRecord& record, bool usaStyle);
    QString line(int n) const { return n >= 1 && n <= lines.size() ? lines.at(n - 1) : QString(); }
};

// The item boxes txtItem(0..2).
struct ItemBoxes {
    QString description;
    QString price;
    QString quantity;
};

// The proposal writer (frmWriteProposal) without its widgets: the service
// location, the body and its tools, the items, the pricing step and the
// store-and-print flow. A screen shows what it holds and hands it the user's
// actions; `focus()` names the control to focus next.
class ProposalWriter {
public:
    enum Creation { NoCreation = -1, FromDocument = 0, FromTemplate = 1, Manual = 2 };
    enum class Stored { Confirmed, Withdrawn, StoreFailed };

    // What the logic shows, hides and enables.
    struct View {
        int step = 1;                  // 1 location, 2 body, 3 pricing, 4 finalize
        bool printFrame = false;       // fraPrint
        bool templateOption = false;   // optCreate(1)
        bool templatesFrame = false;   // fraTemplates
        bool deleteTemplate = false;   // fraDelete
        bool saveTemplate = true;      // fraSaveAs
        bool itemsMenu = false;        // mnuItems
        bool itemsFrame = false;       // FraItems
        bool addNewFrame = false;      // fraAddNew
        bool customDisclaimer = true;  // optDisclaimer(1) enabled
        bool changeCustomer = true;    // cmdWrite(2)
        QString jobSiteCaption = QStringLiteral("Enter Manually");
    };

    explicit ProposalWriter(AppContext& ctx);

    // Opening the screen; `customDisclaimerBox` is the terms screen's custom
    // disclaimer text.
    void load(const QString& customDisclaimerBox);
    // When the screen is shown for the current customer. Not for every
    // window activation: closing a message box activates the window again,
    // and this refills the job site from the customer.
    void activate(const CustomerBlock& customer);

    // --- Step 1: service location (txtCustomerInfo(1..8)).
    const CustomerBlock& customer() const { return m_customer; }
    QStringList site;
    void toggleJobSite();

    // --- Step changes (cmdCreation(0..5)).
    void toBody();
    void backToLocation();
    bool toPricing();
    void backToBody();
    bool toFinalize();
    void backToPricing();

    // --- Step 2: the body.
    BodyBuilder& body() { return m_body; }
    const BodyBuilder& body() const { return m_body; }
    Creation creation() const { return m_creation; }
    void chooseCreation(Creation creation);
    // The creation check: false, with its message, while no way is chosen.
    bool creationCheck();
    void bodyFocused();
    void loadTemplate(const QString& fileName);
    void cancelTemplates();
    Templates::Saved saveTemplate();
    void deleteTemplate(const QString& fileName);
    QStringList templates() const { return m_templates.list(); }
    void clearBody();
    void addTerms();
    QString taxStatement = BodyText::defaultTaxStatement();  // txtTaxation
    void addTaxStatement() { m_body.addTaxStatement(taxStatement); }

    // --- Items.
    const ItemCatalog& items() const { return m_items; }
    ItemBoxes itemBoxes;
    void toggleItemsFrame();
    void chooseItem(const QString& description);
    bool addItem();
    void clearItem() { itemBoxes = ItemBoxes(); }
    void addItemManually();
    bool saveNewItem(const QString& category);
    bool addingNewItem() const { return m_addingNewItem; }

    // --- Step 3.
    Pricing& pricing() { return m_pricing; }
    const Pricing& pricing() const { return m_pricing; }

    // --- Step 4 and printing.
    int printSize = 8;  // mnuSize: 6, 8, 10 or 12
    static const QStringList& dayChoices();
    QString days = QStringLiteral("30");  // cboDays
    bool genericDisclaimer = true;        // optDisclaimer(0)
    QString copiesCaption() const;        // lblPrint(2)
    void readyToPrint() { m_view.printFrame = true; }
    void cancelPrint() { m_view.printFrame = false; }
    // "&Print and Record Proposal": the four files, the print, the questions.
    Stored printAndRecord(PrintTarget& target);
    // The print job's input as the boxes stand (the body from the body text).
    ProposalPrintInput printInput() const;

    const View& view() const { return m_view; }
    QString takeFocus();

    static QString blankBodyMessage();
    static QString noCreationMessage();

private:
    bool customTermsExist();
    void resetTerms() { m_body.resetTermsOptions(customTermsExist()); }
    void loadDocument();
    void focusBody();
    TaxRates taxRates() const;
    bool storeFiles(const QString& fileName);
    bool printOnce(PrintTarget& target, const ProposalPrintInput& input);
    void withdraw(const QString& fileName);
    ProposalHeader header() const;

    AppContext& m_ctx;
    CustomerBlock m_customer;
    BodyBuilder m_body;
    Templates m_templates;
    ItemCatalog m_items;
    Pricing m_pricing;
    Creation m_creation = NoCreation;
    bool m_addingNewItem = false;
    View m_view;
    QString m_focus;
};
