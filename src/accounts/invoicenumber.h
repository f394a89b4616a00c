#pragma once

#include <QString>

class Clock;
class FileStore;
class PostingPlan;

// The invoice number counter "\TIInvoiceNo.txt": one quoted item holding the
// next number to use, the four-digit year followed by a four-digit serial.
class InvoiceNumbers {
public:
    InvoiceNumbers(FileStore& store, const Clock& clock);

    static QString path() { return QStringLiteral("\\TIInvoiceNo.txt"); }

    // The first number of a print run, which the run saves with its first
    // writes. A missing counter starts the year at 0001, one that is not a
    // whole number (or is 0) gives the year followed by 0000, and one from an
    // earlier year restarts the year at 0001.
    QString ReadInvoiceNumber();
    // One on from `current`. After serial 9999 the year part moves on.
    static QString NextInvoiceNumber(const QString& current);
    // The counter file rewritten, and its backup copy removed: a stale copy
    // would come back through FileExists if the counter were ever lost, and
    // restart the numbering at an old value.
    static void SaveInvoiceNumber(PostingPlan& plan, const QString& value);

private:
    FileStore& m_store;
    const Clock& m_clock;
};

// The number printed on invoice `index` (from 1) of a run: the run's first
// number alone for a single invoice, else the first number, " - " and the index.
QString PrintedInvoiceNumber(const QString& first, int index, bool allInvoices);
