#pragma once

#include "customers/customerlist.h"
#include "print/documentoutput.h"
#include "shell/iostatus.h"

#include <QList>

#include <optional>

class AppContext;
class FileStore;

// The customer list's blocks as read from the customer file.
struct [[nodiscard]] CustomerListRows {
    IoStatus status;              // a failed read, naming the file and reason
    bool noCustomerFile = false;  // nothing to list
    QList<CustomerListEntry> entries;
};

// Every record of CustomerData.txt in record order (a short last record
// counts when more than half of it is there), reading only the six fields a
// block prints.
CustomerListRows ReadCustomerListRows(FileStore& store);

// The report's whole input: the print font and colour option and the
// business block of the settings, today, the customer screen's address
// style, and the blocks.
CustomerListInput MakeCustomerListInput(AppContext& ctx, bool usaStyle,
                                        QList<CustomerListEntry> entries);

// The whole customer file as the report's input; nothing when there is no
// customer file (the alarm sounds) or it cannot be read (the user is told).
std::optional<CustomerListInput> CustomerListFromFile(AppContext& ctx, bool usaStyle);

// The report for the shared print path (preview and PDF): one landscape job.
DrawDocument CustomerListDocument(CustomerListInput input);

inline QString customerListTitle() {
    return QStringLiteral("Customer List");
}
