#pragma once

#include "print/documentparts.h"
#include "print/printtarget.h"

#include <QDate>
#include <QList>
#include <QString>

class Prompter;

// One customer's address block, from the trimmed fields of its record.
struct CustomerListEntry {
    QString accountName;
    QString address1;
    QString cityOrAddress3;
    QString state;
    QString zipOrAddress4;
    QString phone;
};

struct CustomerListInput {
    PrintStyle style;  // print font and colour option
    BusinessInfo business;
    bool usaStyle = true;  // the customer screen's address style
    QDate today;
    QList<CustomerListEntry> customers;  // in record order
};

// The whole report: landscape, three blocks across under "Account
// Information", the heading again on every page, no block cut at the foot.
bool PrintCustomerList(PageDevice& device, const CustomerListInput& input);

enum class [[nodiscard]] CustomerReportOutcome{Printed, Declined, Cancelled, PrintError};

// The list window's "&Print": asks, shows the print dialog, prints; a failing
// printer is reported and nothing else happens.
CustomerReportOutcome PrintCustomerReport(Prompter& prompter, PrintTarget& target,
                                          const CustomerListInput& input);
