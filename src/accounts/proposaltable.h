#pragma once

#include "proposals/proposalfiles.h"
#include "shell/dates.h"
#include "shell/money.h"

#include <QList>
#include <QString>
#include <QStringList>

class FileStore;

// One line of a proposal grid as shown: Proposal No, Date, Customer
// Information, Amount.
struct ProposalRow {
    QString number;
    QString date;      // short date form
    QString customer;  // the customer's name
    QString amount;    // money display form

    static ProposalRow of(const ProposalHeader& header, const Dates::ShortDates& dates,
                          const MoneyDisplay& money);
    bool operator==(const ProposalRow&) const = default;
};

// The stored proposals that the payments and finalize screens can work on:
// every header file that reads as all 18 fields, in listing order. A torn or
// short header is left out of the table (its name goes to `skipped`) rather
// than invoiced or finalized with blank fields.
struct ProposalTable {
    bool anyFiles = false;  // false: "No Proposals Exist"
    QList<StoredProposal> proposals;
    QStringList skipped;

    static ProposalTable read(FileStore& store);
    QList<ProposalRow> rows() const;
};
