#pragma once

#include "print/documentparts.h"
#include "print/printtarget.h"
#include "proposals/proposalfiles.h"
#include "proposals/proposallayout.h"

#include <QDate>
#include <QString>
#include <QStringList>

class AppContext;

// The customer a field proposal is printed for: the record's fields as the
// customer screen shows them.
struct FieldCustomer {
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

// What the field proposal screen hands over when "&Print" is pressed.
struct FieldProposalRequest {
    // Settings, business, logo, days and disclaimer choice; the number, the
    // date, the customer lines and the field variant are set by the flow.
    ProposalPrintInput print;
    FieldCustomer customer;
    bool sketchSheets = false;  // ckSketch
    int sketchCount = 1;        // cboCopies
};

enum class FieldPrintOutcome {
    Confirmed,   // printed, counter advanced: close the screen
    Withdrawn,   // not confirmed, not reprinted, file removed: close the screen
    NotPrinted,  // print dialog cancelled: the screen stays
    PrintError,  // the printer failed: the screen stays
    NotStored,   // the header could not be written: nothing printed
};

// Stores the field proposal, prints it through the print dialog, asks whether
// it printed correctly (reprint, withdraw or advance) and prints the sketch
// sheets. Every message goes through the context's prompter.
FieldPrintOutcome PrintFieldProposal(AppContext& ctx, PrintTarget& target,
                                     const FieldProposalRequest& request);

QString NotPrintedMessage();  // "The Proposal will not be Printed"
QString PrintErrorMessage();  // "A Print Error has occurred"
QString PrintedCorrectlyQuestion();
QString ReprintQuestion();
