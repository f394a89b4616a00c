#pragma once

#include "print/documentparts.h"
#include "print/printpen.h"
#include "shell/money.h"

#include <QDate>
#include <QList>
#include <QString>

// A scheduled payment as the payments screen shows it.
struct InvoicePayment {
    QString date;  // short date form, printed as it stands
    Money amount;
};

// Everything one invoice page prints; the payments screen fills it from the
// proposal's files, the invoice run and the settings.
struct InvoicePageInput {
    PrintStyle style;       // print font, colour flag, border colour
    BusinessInfo business;  // its address style is also the sold-to style
    LogoInfo logo;
    QString taxHeading1;
    QString taxHeading2;

    // From the proposal header file.
    QString proposalNumber;
    QString accountKey;
    QString customerName;
    QString address1;
    QString address2;
    QString city;        // address #3
    QString state;       // address #4
    QString postalCode;  // address #5

    // From the financials file.
    Money priceBeforeTaxes;
    Money total;
    Money tax1;
    Money tax2;

    // From the payments file, at most eight.
    QList<InvoicePayment> payments;

    QString invoiceNumber;    // eight digits
    int index = 1;            // this invoice within the run, from 1
    bool perPayment = false;  // one invoice per scheduled payment
    QDate today;
};

// Draws invoice `input.index` on the current page, the pen's device measured
// from the paper's edge (PaperEdgeDevice). The caller has run
// PrinterSetup("Portrait", colour) and ends the page or the job.
void PrintInvoicePage(PrintPen& pen, const InvoicePageInput& input);

// One invoice as a print job of its own: set-up, the page once for each of
// `copies`, the end of the job. False when the device failed.
bool PrintInvoice(PageDevice& device, const InvoicePageInput& input, int copies = 1);
