// Proposal header, payments and financials files from anywhere: they parse,
// and what they parse to writes out and reads back the same.
#include "fuzzsupport.h"

#include "proposals/proposalfiles.h"

namespace {
void header(const QByteArray& file) {
    const ParsedHeader first = ProposalFiles::parseHeader(file);
    if (!first.complete) {
        return;  // a damaged header is refused by its callers, never written back
    }
    for (HeaderForm form : {HeaderForm::Writer, HeaderForm::Finalize, HeaderForm::Invoiced}) {
        const QByteArray written = ProposalFiles::headerBytes(first.header, form);
        const ParsedHeader again = ProposalFiles::parseHeader(written);
        FUZZ_CHECK(again.complete);
        FUZZ_CHECK(ProposalFiles::headerBytes(again.header, form) == written);
    }
}

void payments(const QByteArray& file) {
    const PaymentsReading first = ProposalFiles::parsePayments(file);
    const qsizetype n = first.payments.payments.size();
    FUZZ_CHECK(n <= MaxScheduledPayments);
    FUZZ_CHECK(first.problem != PaymentsProblem::None || n == first.promisedCount);
    first.payments.sum();
    if (n == 0) {
        return;
    }
    // Amounts are written in cents: from the first write on, a read and a
    // write change nothing.
    for (PaymentCountForm form : {PaymentCountForm::Plain, PaymentCountForm::Padded}) {
        const QByteArray written = ProposalFiles::paymentsBytes(first.payments, form);
        const PaymentsReading again = ProposalFiles::parsePayments(written);
        FUZZ_CHECK(again.problem == PaymentsProblem::None);
        FUZZ_CHECK(again.payments.payments.size() == n);
        FUZZ_CHECK(ProposalFiles::paymentsBytes(again.payments, form) == written);
    }
}

void financials(const QByteArray& file) {
    const FinancialsReading first = ProposalFiles::parseFinancials(file);
    const QByteArray written = ProposalFiles::financialsBytes(first.financials);
    const FinancialsReading again = ProposalFiles::parseFinancials(written);
    FUZZ_CHECK(again.problem == FinancialsProblem::None);
    FUZZ_CHECK(ProposalFiles::financialsBytes(again.financials) == written);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray file = fuzzBytes(data + 1, size - 1);
    switch (data[0] % 3) {
        case 0:
            header(file);
            break;
        case 1:
            payments(file);
            break;
        default:
            financials(file);
            break;
    }
    return 0;
}
