#include "customers/customerlistinput.h"

#include "customers/customerfiles.h"
#include "settings/settings.h"
#include "settings/settingsfiles.h"
#include "shell/appcontext.h"

namespace {
// The fields of a block, in the order of CustomerListEntry.
const QList<RecordField>& blockFields() {
    static const QList<RecordField> fields = [] {
        QList<RecordField> f;
        for (const char* name :
             {"AccountName", "Address1", "CityOrAddress3", "State", "ZipOrAddress4", "Phone"}) {
            f << CustomerRecord::layout().field(QLatin1String(name));
        }
        return f;
    }();
    return fields;
}

CustomerListEntry entryAt(const QByteArray& bytes, qsizetype start) {
    auto text = [&](int i) { return CustomerRecord::textAt(bytes, start, blockFields().at(i)); };
    return CustomerListEntry{text(0), text(1), text(2), text(3), text(4), text(5)};
}
}  // namespace

CustomerListRows ReadCustomerListRows(FileStore& store) {
    CustomerListRows rows;
    const QString file = CustomerFiles::kCustomerData;
    if (!store.FileExists(file)) {
        rows.noCustomerFile = true;
        return rows;
    }
    const IoResult<QByteArray> bytes = store.OpenForInput(file);
    if (!bytes) {
        rows.status = bytes.status();
        return rows;
    }
    const int count = RecordCountOf(bytes->size(), CustomerRecord::kSize);
    rows.entries.reserve(count);
    for (int n = 0; n < count; ++n) {
        rows.entries << entryAt(*bytes, qsizetype(n) * CustomerRecord::kSize);
    }
    return rows;
}

CustomerListInput MakeCustomerListInput(AppContext& ctx, bool usaStyle,
                                        QList<CustomerListEntry> entries) {
    const Settings& s = ctx.settings();
    CustomerListInput in;
    in.style = PrintStyle{s.fontName, s.printInColour, s.borderColour};
    in.business.fields = ctx.vars().BusinessData;
    in.business.usaStyle = s.addressStyle == AddressStyle::Usa;
    if (!s.webAddress.isEmpty()) {
        in.business.webAddress = s.webAddress;
    }
    in.usaStyle = usaStyle;
    in.today = ctx.clock().today();
    in.customers = std::move(entries);
    return in;
}

std::optional<CustomerListInput> CustomerListFromFile(AppContext& ctx, bool usaStyle) {
    CustomerListRows rows = ReadCustomerListRows(ctx.store());
    if (rows.noCustomerFile) {
        ctx.alarm();
        return std::nullopt;
    }
    if (!rows.status) {
        ctx.reportIoError(rows.status);
        return std::nullopt;
    }
    return MakeCustomerListInput(ctx, usaStyle, std::move(rows.entries));
}

DrawDocument CustomerListDocument(CustomerListInput input) {
    return [input = std::move(input)](PrintTarget& target) {
        PrintRequest request;
        request.title = customerListTitle();
        request.landscape = true;
        request.colour = input.style.colour;
        const std::unique_ptr<PageDevice> device = target.open(request);
        return device && PrintCustomerList(*device, input);
    };
}
