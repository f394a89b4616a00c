#pragma once

#include "proposals/bodybuilder.h"
#include "proposals/items.h"
#include "proposals/pricing.h"
#include "proposals/proposallayout.h"
#include "proposals/proposalstore.h"
#include "proposals/templates.h"

#include <QString>
#include <QStringList>

#include <functional>

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
    bool operator==(const CustomerBlock&) const = default;
};

// The item boxes txtItem(0..2) and the text of cboCategories.
struct ItemBoxes {
    QString description;
    QString price;
    QString quantity;
    QString category;
    bool operator==(const ItemBoxes&) const = default;
};

// The proposal writer (frmWriteProposal) without its widgets: the service
// location, the body and its tools, the items, the pricing step and the
// store-and-print flow. The screen copies view() (and pricing().view()) into
// its controls, hands every user action to one call, and focuses the control
// takeFocus() names.
class ProposalWriter {
public:
    enum class Step { ServiceLocation = 1, Body, Pricing, Finalize };
    // cmdCreation(0..5), in index order.
    enum class StepButton {
        NextToBody,
        BackToLocation,
        NextToPricing,
        BackToBody,
        NextToFinalize,
        BackToPricing
    };
    // optCreate(0..2); None while no way is selected.
    enum class Creation { None = -1, FromDocument = 0, FromTemplate = 1, Manual = 2 };
    // cmdWrite(0..2).
    enum class WriteButton { Menu, ClearBody, OtherCustomer };
    // cmdTax(0..2).
    enum class TaxButton { Clear, ReloadDefault, AddToBody };
    // cmdItem(0..4).
    enum class ItemButton { Add, Clear, Close, Manually, SaveNew };
    enum class ItemField { Description, Price, Quantity, Category };
    // The checked item of mnuSize: mnuSmaller, mnuStandard, mnuLarger, mnuLargest.
    enum class PrintSize { Smaller = 6, Standard = 8, Larger = 10, Largest = 12 };
    // What the screen does after a cmdWrite button.
    enum class Next { Stay, ShowMenu, ShowCustomer };
    enum class [[nodiscard]] Stored{
        Confirmed,    // printed, confirmed, counter advanced
        Withdrawn,    // not confirmed: the four files went again
        NotStored,    // no number left, or the files could not be written
        NotAdvanced,  // confirmed, but the counter could not be written
    };

    struct View {
        Step step = Step::ServiceLocation;
        int instructions = 0;     // the one fraInstructions(n) shown
        bool printFrame = false;  // fraPrint
        // Step 1.
        CustomerBlock customer;      // lblAccount, lblCustomerInfo(1..8)
        QStringList site;            // txtCustomerInfo(1..8)
        QString jobSiteCaption;      // cmdSetJobSite
        bool changeCustomer = true;  // cmdWrite(2) enabled
        // Step 2.
        QString body;                        // txtBody
        Creation creation = Creation::None;  // optCreate(0..2)
        bool templateOption = false;         // optCreate(1) enabled
        bool templatesFrame = false;         // fraTemplates
        QStringList templates;               // File1
        bool deleteTemplate = false;         // fraDelete
        bool saveTemplate = true;            // fraSaveAs
        bool headerEnabled = true;           // cmdAddBasic
        TermsOptions terms;                  // optFooter(0..1), cmdAddTerms
        QString taxStatement;                // txtTaxation
        bool itemsMenu = false;              // mnuItems enabled
        bool itemsFrame = false;             // FraItems
        QStringList items;                   // lstItems
        ItemBoxes itemBoxes;                 // txtItem(0..2), cboCategories
        QStringList categories;              // cboCategories' list
        bool addNewFrame = false;            // fraAddNew
        // Step 4 and printing.
        bool genericDisclaimer = true;  // optDisclaimer(0) selected, else (1)
        bool customDisclaimer = true;   // optDisclaimer(1) enabled
        QString days;                   // cboDays
        PrintSize printSize = PrintSize::Standard;
        QString copiesCaption;  // lblPrint(2)
        bool operator==(const View&) const = default;
    };

    explicit ProposalWriter(AppContext& ctx);

    // Opening the screen; `customDisclaimerBox` is the terms screen's custom
    // disclaimer text.
    void load(const QString& customDisclaimerBox);
    // When the screen is shown for the current customer. Not for every
    // window activation: closing a message box activates the window again,
    // and this refills the job site from the customer.
    void activate(const CustomerBlock& customer);

    View view() const;
    const Pricing& pricing() const { return m_pricing; }
    // The pricing step's own actions.
    Pricing& pricing() { return m_pricing; }
    // The control to focus, emptied by reading it.
    WriterFocus takeFocus();

    // --- Step 1: service location.
    void setSiteLine(int n, const QString& text);  // txtCustomerInfo(n), 1..8
    void toggleJobSite();                          // cmdSetJobSite

    // --- Step changes and the cmdWrite buttons.
    void press(StepButton button);
    Next press(WriteButton button);

    // --- Step 2: the body.
    void chooseCreation(Creation creation);
    // Before the body takes a key: false, with its message, while no way of
    // creating the body is chosen.
    bool creationCheck();
    void typeBody(const QString& text);
    void bodyFocused();
    void addHeader();                              // cmdAddBasic
    void loadTemplate(const QString& fileName);    // a click in File1
    void cancelTemplates();                        // cmdCancel
    Templates::Saved saveTemplate();               // cmdSave
    void deleteTemplate(const QString& fileName);  // cmdDelete
    void selectTerms(TermsOptions::Choice choice);
    void addTerms();  // cmdAddTerms
    void setTaxStatement(const QString& text);
    void press(TaxButton button);

    // --- Items.
    void toggleItemsFrame();                      // mnuItems
    void chooseItem(const QString& description);  // a click in lstItems
    void setItemBox(ItemField field, const QString& text);
    void leaveItemPrice();
    void press(ItemButton button);

    // --- Step 4 and printing.
    void chooseDays(const QString& days);
    void chooseDisclaimer(bool generic);
    void setPrintSize(PrintSize size);
    void readyToPrint() { m_view.printFrame = true; }  // cmdContinue
    void cancelPrint() { m_view.printFrame = false; }  // cmdCancelPrint
    // cmdProposalContinue: the four files, the print, the questions. The
    // print dialog starts from the copies of the settings; the copies left
    // there are the captioned copies of the job.
    Stored printAndRecord(PrintTarget& target);
    // The same with a PDF file in place of the printer: a PDF written is a
    // proposal printed, and the questions follow as after a print.
    Stored saveAsPdfAndRecord();
    // The pages the print would make, in the preview window; nothing stored.
    void preview();
    // The print job's input as the boxes stand.
    ProposalPrintInput printInput() const;

    static QString blankBodyMessage();
    static QString noCreationMessage();

private:
    bool customTermsExist();
    void resetTerms() { m_body.resetTermsOptions(customTermsExist()); }
    TaxRates taxRates() const;
    void toPricing();
    void toFinalize();
    void loadDocument();
    void focusBody() { focus(WriterFocus::Body); }
    void clearBody();
    void addItem();
    void saveNewItem();
    void clearItem();
    void focus(WriterFocus::Control control) { m_focus = {control, 0}; }
    ProposalContents contents() const;
    QString jobTitle() const;
    bool printOnce(PrintTarget& target, ProposalPrintInput input);
    bool saveOnce(const ProposalPrintInput& input);
    Stored record(const std::function<bool(const ProposalPrintInput&)>& output);
    bool confirmed(const std::function<bool(const ProposalPrintInput&)>& output,
                   const ProposalPrintInput& input);

    AppContext& m_ctx;
    CustomerBlock m_customer;
    QStringList m_site;
    BodyBuilder m_body;
    Templates m_templates;
    ItemCatalog m_items;
    ItemBoxes m_itemBoxes;
    Pricing m_pricing;
    bool m_addingNewItem = false;
    QString m_taxStatement;
    View m_view;  // the flags and choices; texts are filled in by view()
    WriterFocus m_focus;
};
