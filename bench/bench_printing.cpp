// Rendering documents to PDF: a two-page proposal in five copies, a run of
// eight invoices and a list of 1,000 customers.
#include "accounts/invoicelayout.h"
#include "customers/customerlist.h"
#include "print/pdftarget.h"
#include "proposals/proposallayout.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
BusinessInfo benchBusiness() {
    BusinessInfo b;
    b.fields = {QStringLiteral("Harbor Roofing"),
                QStringLiteral("12 Dock St"),
                QString(),
                QStringLiteral("Portland"),
                QStringLiteral("ME"),
                QStringLiteral("04101"),
                QStringLiteral("207-555-0100"),
                QString(),
                QString()};
    return b;
}

// Renders one document into a fresh PDF file.
template <typename Draw>
void renderPdf(benchmark::State& state, Draw draw) {
    QTemporaryDir dir;
    int n = 0;
    for (auto _ : state) {
        PdfPrintTarget target(dir.filePath(QStringLiteral("bench%1.pdf").arg(n++)));
        if (!draw(target) || !target.finish()) {
            state.SkipWithError("the PDF could not be written");
            return;
        }
    }
}

void BM_ProposalTwoPagesFiveCopies(benchmark::State& state) {
    ProposalPrintInput in;
    in.copies = 5;
    in.business = benchBusiness();
    in.today = QDate(2026, 12, 5);
    for (int i = 0; i < 20; ++i) {
        in.body << QStringLiteral(
                       "Line %1 of the work to be done, with enough words to wrap in "
                       "the body column of the proposal page.")
                       .arg(i);
    }
    in.price = QStringLiteral("$1,200.00");
    renderPdf(state, [&](PdfPrintTarget& target) {
        auto device = target.open(PrintRequest());
        return device && PrintProposal(*device, in);
    });
}

void BM_InvoiceRunEightPages(benchmark::State& state) {
    InvoicePageInput in;
    in.business = benchBusiness();
    in.proposalNumber = QStringLiteral("1001");
    in.customerName = QStringLiteral("Mr. John Smith");
    in.perPayment = true;
    in.today = QDate(2026, 12, 5);
    for (int k = 0; k < 8; ++k) {
        in.payments << InvoicePayment{QStringLiteral("1/%1/2027").arg(k + 1),
                                      Money::fromCents(10000)};
    }
    renderPdf(state, [&](PdfPrintTarget& target) {
        for (int i = 1; i <= 8; ++i) {
            in.index = i;
            auto device = target.open(PrintRequest());
            if (!device || !PrintInvoice(*device, in)) {
                return false;
            }
        }
        return true;
    });
}

void BM_CustomerListThousand(benchmark::State& state) {
    CustomerListInput in;
    in.business = benchBusiness();
    in.today = QDate(2026, 12, 5);
    for (int i = 0; i < 1000; ++i) {
        in.customers << CustomerListEntry{QStringLiteral("Customer %1").arg(i),
                                          QStringLiteral("1 Main St"),
                                          QStringLiteral("Bangor"),
                                          QStringLiteral("ME"),
                                          QStringLiteral("04401"),
                                          QStringLiteral("555-0100")};
    }
    renderPdf(state, [&](PdfPrintTarget& target) {
        PrintRequest request;
        request.landscape = true;
        auto device = target.open(request);
        return device && PrintCustomerList(*device, in);
    });
}
}  // namespace

BENCHMARK(BM_ProposalTwoPagesFiveCopies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvoiceRunEightPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomerListThousand)->Unit(benchmark::kMillisecond);
