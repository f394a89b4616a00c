// Record files as another program or a cut copy may leave them: any length,
// any bytes. Every field of every record reads, stores back as it read, and
// the whole-file and record-by-record reads of the customer file agree.
#include "fuzzsupport.h"

#include "accounts/invoicerunrecord.h"
#include "accounts/receivable.h"
#include "customers/customerfiles.h"
#include "proposals/itemfiles.h"
#include "shell/textcodec.h"

#include <cmath>

namespace {
ScratchFolder& scratch() {
    static ScratchFolder folder;
    return folder;
}

// Reads every field of one record and sets it again into a fresh record:
// what is read must be what a store of it reads back.
void everyField(const RecordLayout& layout, const QByteArray& bytes) {
    const Record r(layout, bytes);
    Record copy(layout);
    for (const RecordField& f : layout.fields()) {
        switch (f.kind) {
            case FieldKind::Text: {
                const QString t = r.text(f.name);
                FUZZ_CHECK(t.size() == f.width);
                FUZZ_CHECK(copy.setText(f.name, t));
                FUZZ_CHECK(copy.text(f.name) == Text::decode(Text::encode(t)));
                break;
            }
            case FieldKind::Money:
                FUZZ_CHECK(copy.setMoney(f.name, r.money(f.name)));
                FUZZ_CHECK(copy.money(f.name) == r.money(f.name));
                break;
            case FieldKind::Date: {
                // Day 0 (1899-12-30) is how the files say "no date".
                const QDate d = r.date(f.name);
                if (d.isValid() && d != QDate(1899, 12, 30) && copy.setDate(f.name, d)) {
                    FUZZ_CHECK(copy.date(f.name) == d);
                }
                break;
            }
            case FieldKind::Single:
            case FieldKind::Double: {
                const double v = r.real(f.name);
                r.integer(f.name);
                if (std::isfinite(v) && copy.setReal(f.name, v)) {
                    FUZZ_CHECK(copy.real(f.name) == v);
                }
                break;
            }
            default: {
                const qint64 v = r.integer(f.name);
                r.flag(f.name);
                FUZZ_CHECK(copy.setInteger(f.name, v));
                FUZZ_CHECK(copy.integer(f.name) == v);
                break;
            }
        }
    }
}

void everyRecord(const QString& path, const RecordLayout& layout, const QByteArray& file) {
    scratch().put(path, file);
    FileStore& store = scratch().store();
    const IoResult<QByteArray> all = store.ReadRecords(path, layout.size());
    FUZZ_CHECK(all.ok());
    FUZZ_CHECK(all->size() % layout.size() == 0);
    FUZZ_CHECK(all->size() / layout.size() == store.RecordCount(path, layout.size()));
    for (qsizetype at = 0; at < all->size(); at += layout.size()) {
        everyField(layout, all->mid(at, layout.size()));
    }
}

void customers(const QByteArray& file) {
    FileStore& store = scratch().store();
    scratch().put(QStringLiteral("CustomerData.txt"), file);
    const QList<CustomerRecord> all = CustomerFiles::readAllCustomers(store);
    FUZZ_CHECK(all.size() == CustomerFiles::customerCount(store));
    for (int n = 1; n <= all.size() && n <= 8; ++n) {
        const CustomerRecord one = CustomerFiles::readCustomer(store, n);
        FUZZ_CHECK(one == all.at(n - 1));
        FUZZ_CHECK(one.stored().stored() == one.stored());
        one.displayName();
        one.composedName();
    }
    // Past the counted records: what is left of a cut record, then blanks.
    const int past = static_cast<int>(all.size()) + 1;
    FUZZ_CHECK(CustomerFiles::readCustomer(store, past) ==
               CustomerRecord::fromBytes(
                   file.mid(qsizetype(past - 1) * CustomerRecord::kSize, CustomerRecord::kSize)));
    FUZZ_CHECK(CustomerFiles::readCustomer(store, past + 1) ==
               CustomerRecord::fromBytes(QByteArray()));
    store.CloseAll();
}

void companion(const QString& path, const RecordLayout& layout, const QByteArray& file) {
    FileStore& store = scratch().store();
    scratch().put(path.mid(1), file);
    const int count = store.RecordCount(path, layout.size());
    for (int n = 1; n <= count + 1 && n <= 8; ++n) {
        const QByteArray one = path == CustomerFiles::kContractInfo
                                   ? CustomerFiles::readContract(store, n)
                                   : CustomerFiles::readCycle(store, n);
        FUZZ_CHECK(one.size() == layout.size());
        everyField(layout, one);
    }
    store.CloseAll();
}

template <typename Reading>
void items(const Reading& r, int recordLength, const QByteArray& file) {
    FUZZ_CHECK(r.status.ok());
    FUZZ_CHECK(r.found);
    FUZZ_CHECK(r.items.size() == file.size() / recordLength);
    FUZZ_CHECK(r.partialRecord == (file.size() % recordLength != 0));
}

void runRecord(const QByteArray& bytes) {
    const std::optional<InvoiceRunRecord> r = InvoiceRunRecord::parse(bytes);
    if (r) {
        const std::optional<InvoiceRunRecord> again = InvoiceRunRecord::parse(r->toBytes());
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(*again == *r);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray file = fuzzBytes(data + 1, size - 1);
    switch (data[0] % 9) {
        case 0:
            customers(file);
            break;
        case 1:
            companion(CustomerFiles::kContractInfo, CompanionRecords::contractLayout(), file);
            break;
        case 2:
            companion(CustomerFiles::kCycleInfo, CompanionRecords::cycleLayout(), file);
            break;
        case 3:
            everyRecord(QStringLiteral("TAHistory.txt"), ReceivableEntry::layout(), file);
            break;
        case 4:
            everyRecord(QStringLiteral("InvoiceSalesJournal.txt"), SalesJournalEntry::layout(),
                        file);
            break;
        case 5:
            everyRecord(QStringLiteral("TaxRecords.txt"), TaxEntry::layout(), file);
            break;
        case 6:
            scratch().put(QStringLiteral("TIInventoriedItems.txt"), file);
            items(ItemFiles::readInventory(scratch().store()), ItemFiles::InventoryRecordLength,
                  file);
            break;
        case 7:
            scratch().put(QStringLiteral("CustomItems.txt"), file);
            items(ItemFiles::readCustom(scratch().store()), ItemFiles::CustomRecordLength, file);
            break;
        default:
            runRecord(file);
            break;
    }
    return 0;
}
