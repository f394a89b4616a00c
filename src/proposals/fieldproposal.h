#pragma once

#include "print/documentparts.h"
#include "print/printtarget.h"
#include "proposals/proposalfiles.h"
#include "proposals/proposallayout.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

class AppContext;
struct CustomerRecord;

// The customer a field proposal is printed for: the record's fields as the
// customer screen shows them.
struct FieldCustomer {
    static FieldCustomer fromRecord(const CustomerRecord& record, bool usaStyle);

    QString accountNumber;  // txtCustomer(0)
    QString accountType;    // "Individual" or another kind
    QString accountName;
    QString title;
    QString firstName;
    QString middleInitial;
    QString lastName;
    QString address1;
    QString address2;
    QString cityOrAddress3;
    QString state;
    QString zipOrAddress4;
    QString phone;
    bool usaStyle = true;  // the customer screen's address style
    bool operator==(const FieldCustomer&) const = default;
};

// The name as the proposal head prints it (the middle initial included) and
// as the stored header and the sketch sheet give it (without).
QString PrintedCustomerName(const FieldCustomer& customer);
QString StoredCustomerName(const FieldCustomer& customer);
// L1 to L7, trimmed: name, address 1, address 2, city or address 3, state,
// postal code or address 4, telephone.
QStringList FieldCustomerLines(const FieldCustomer& customer);

// The stored field proposal: "FP" and the number, price 0, today, the account
// number, and the customer lines as customer and as job site.
ProposalHeader FieldProposalHeader(int number, const QDate& today, const FieldCustomer& customer);

struct SketchSheetInput {
    BusinessInfo business;
    int proposalNumber = 1001;
    FieldCustomer customer;
};

// One sketch sheet as a job of its own, starting from the pen the field
// proposal's job left. False when the device failed.
bool PrintSketchSheet(PageDevice& device, const SketchSheetInput& input, const PenState& carried);

enum class [[nodiscard]] FieldPrintOutcome{
    Confirmed,    // printed, counter advanced: close the screen
    Withdrawn,    // not confirmed, not reprinted, file removed: close the screen
    NotPrinted,   // print dialog cancelled: the screen stays
    PrintError,   // the printer failed: the screen stays
    NotStored,    // no number left, or the header could not be written: nothing printed
    NotAdvanced,  // confirmed, but the counter could not be written: close the screen
};

// The field proposal screen (frmFieldProposal) without its widgets. The
// screen copies view() into its controls and hands every user action to one
// call.
class FieldProposal {
public:
    struct View {
        QString nextNumber;                   // txtNextFieldProposal
        bool genericDisclaimer = true;        // optDisclaimer(0) selected, else (1)
        bool customDisclaimer = true;         // optDisclaimer(1) enabled
        QString days = QStringLiteral("30");  // cboDays
        bool sketch = false;                  // ckSketch
        int sketchCount = 1;                  // cboCopies, 1 to 6
        bool operator==(const View&) const = default;
    };

    explicit FieldProposal(AppContext& ctx);

    // Opening the screen, and again each time it is shown (the terms may
    // have changed meanwhile); `customDisclaimerBox` is the saved custom
    // disclaimer text.
    void load(const QString& customDisclaimerBox);
    // Each time the screen becomes active, for the chosen customer.
    void activate(const FieldCustomer& customer);
    View view() const;

    static const QStringList& sketchChoices();  // "1" to "6"
    void chooseDisclaimer(bool generic);
    void chooseDays(const QString& days);
    void setSketch(bool on);
    void chooseSketchCount(int count);

    // "&Print" (cmdField(1)): stores the field proposal, prints it through the print
    // dialog, asks whether it printed correctly (reprint, withdraw or
    // advance) and prints the sketch sheets.
    FieldPrintOutcome print(PrintTarget& target);
    // The same into a PDF file: the copies and the sketch sheets in one
    // document; a PDF written counts as printed.
    FieldPrintOutcome saveAsPdf();
    // The pages "&Print" would make, sketch sheets included; nothing stored.
    void preview();

private:
    enum class Output { Printed, Cancelled, Failed };
    ProposalPrintInput printInput() const;
    FieldPrintOutcome record(const std::function<Output(const ProposalPrintInput&)>& output,
                             PrintTarget* sketchTarget);
    Output printOnce(PrintTarget& target, const ProposalPrintInput& input);
    Output saveOnce(const ProposalPrintInput& input);
    std::function<bool(PrintTarget&, const PenState&)> sketchSheets(int number) const;
    bool printSketchSheets(PrintTarget& target, int number, const PenState& left);

    AppContext& m_ctx;
    FieldCustomer m_customer;
    View m_view;
    PenState m_left;  // how the last print job left the pen
};

QString NotPrintedMessage();  // "The Proposal will not be Printed"
QString PrintErrorMessage();  // "A Print Error has occurred"
QString PrintedCorrectlyQuestion();
QString ReprintQuestion();
