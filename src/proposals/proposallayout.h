#pragma once

#include "print/documentoutput.h"
#include "print/documentparts.h"
#include "print/pagedevice.h"
#include "print/printpen.h"
#include "print/printtarget.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class AppContext;
// One line of the payment schedule as the writer shows it: the amount box's
// text (printed in money display form) and the due-date label's text.
struct ProposalPayment {
    QString amount;
    QString date;
};

// Everything one proposal print job reads; the writer and the field proposal
// screen fill it from their controls and the settings.
struct ProposalPrintInput {
    // Print settings.
    PrintStyle style;  // print font and colour flag
    int copies = 3;    // 1 to 5
    BusinessInfo business;
    LogoInfo logo;

    int proposalNumber = 1001;
    QDate today;
    // The field variant: blank ruled body, price and payments.
    bool fieldProposal = false;
    // The customer screen's address style (true: city, state, postal code).
    bool customerUsaStyle = true;

    // Lines 1 to 7: name, address 1, address 2, city (address 3), state,
    // postal code (address 4), telephone. In the field variant the customer
    // lines are the customer screen's boxes; the site lines are not printed.
    QStringList customer = QStringList(7, QString());
    QStringList site = QStringList(7, QString());

    // The body file's lines, in order (not used by the field variant).
    QStringList body;
    int bodyTextSize = 8;  // points: 6, 8, 10 or 12

    // The writer's price box text, payment option (0 down and final payment,
    // 1 in full upon completion, 2 schedule) and payments.
    QString price;
    int paymentOption = 1;
    QList<ProposalPayment> payments;

    QString days = QStringLiteral("30");  // cboDays
    bool genericDisclaimer = true;        // optDisclaimer(0)
    // The text of /CustomDisclaimer.txt when that file exists.
    std::optional<QString> customDisclaimer;

    QString customerLine(int n) const;
    QString siteLine(int n) const;
};

// A job's input as the settings and the shared state give it: print font
// and colours, copies, business data and web address, logo, the current
// proposal number and today. The calling screen adds its own parts.
ProposalPrintInput PrintInputFor(const AppContext& ctx);

// The choices of cboDays, the days to accept printed in the withdrawal notice.
const QStringList& AcceptanceDays();

// How a print job left the pen; a sketch sheet printed right after a field
// proposal starts from it.
struct PenState {
    PrintFont font;
    quint32 ink = Ink::Black;
};

// The whole job: every copy with its frame, body, lower section, acceptance
// block and caption, then the end of the job. False when the device failed.
bool PrintProposal(PageDevice& device, const ProposalPrintInput& input, PenState* left = nullptr);

// The print dialog's request for a proposal job: the copies of the settings,
// no page range or print to file (the copies are captioned as one whole).
PrintRequest ProposalPrintRequest(const QString& title, const ProposalPrintInput& input);
// The copies the user left in the dialog, as the job prints them (1 to 5).
int CaptionedCopies(const PrintRequest& answered);
// The whole job as one document on any target (printer, preview, PDF), with
// `more` drawn after it on the same target (the sketch sheets). `left`
// receives how the proposal's job left the pen.
DrawDocument ProposalDocument(const ProposalPrintInput& input, const PrintRequest& request,
                              const std::function<bool(PrintTarget&, const PenState&)>& more = {});

// Parts of a proposal page, for the sample print and for tests.
void DrawProposalBoxes(PrintPen& pen, int copy);

// The setup screen's "Print Sample": the logo at 0.25 in and the five boxes
// as the first copy prints them, then the end of the job.
bool PrintSample(PageDevice& device, const PrintStyle& style, const LogoInfo& logo);

// The copy caption at the foot of a copy's last page.
QString CopyCaption(int copy);
