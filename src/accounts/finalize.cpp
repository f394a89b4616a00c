#include "accounts/finalize.h"

#include "proposals/pricing.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/dates.h"

namespace {
const QString kMismatch = QStringLiteral("The payments do not equal the Total Amount");

QStringList trimmedLines(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines) {
        out << l.trimmed();
    }
    return out;
}
}  // namespace

FinalizeFieldProposal::FinalizeFieldProposal(AppContext& ctx) : m_ctx(ctx) {
    load();
}

QString FinalizeFieldProposal::gridLayout() {
    return QStringLiteral(
        "^Proposal No       |^Date              |<Customer Information                 |^      "
        "Amount");
}

QString FinalizeFieldProposal::zero() const {
    return Money().display(MoneyLocale());
}

Money FinalizeFieldProposal::value(const QString& text) const {
    bool ok = false;
    const Money m = Money::parseDisplay(text, &ok, MoneyLocale());
    return ok ? m : Money();
}

bool FinalizeFieldProposal::showsZero(const QString& text) const {
    return text.trimmed().isEmpty() || value(text).roundedToCents().isZero();
}

QString FinalizeFieldProposal::shown(const QString& text) const {
    return value(text).display(MoneyLocale());
}

QString FinalizeFieldProposal::takeFocus() {
    QString f = m_focus;
    m_focus.clear();
    return f;
}

void FinalizeFieldProposal::load() {
    m_view.detailsFrame = false;
    m_boxes.date = {m_ctx.clock().today(), m_ctx.clock().today()};
}

bool FinalizeFieldProposal::activate() {
    const ProposalTable all = ProposalTable::read(m_ctx.store());
    if (!all.anyFiles) {
        m_ctx.prompter().message(ProposalFiles::noProposalsMessage(),
                                 AppContext::applicationTitle());
        return false;
    }
    m_table = ProposalTable();
    m_table.anyFiles = true;
    m_table.skipped = all.skipped;
    for (const StoredProposal& p : all.rows) {
        if (p.header.isFieldProposal()) {
            m_table.rows << p;
        }
    }
    m_selected = -1;
    m_view.detailsFrame = false;
    m_view.accountFrame = false;
    // Amounts first, so the taxes are not worked out on a price about to go.
    clearAmounts();
    setUpTaxes();
    return true;
}

QStringList FinalizeFieldProposal::rowCells(int row) const {
    if (row < 0 || row >= m_table.rows.size()) {
        return {};
    }
    const ProposalHeader& h = m_table.rows.at(row).header;
    return {h.number, Dates::toShort(h.creationDate), h.customerName,
            h.proposedPrice.display(MoneyLocale())};
}

const StoredProposal* FinalizeFieldProposal::selected() const {
    return m_selected >= 0 && m_selected < m_table.rows.size() ? &m_table.rows.at(m_selected)
                                                               : nullptr;
}

bool FinalizeFieldProposal::pick(int row) {
    if (m_table.rows.isEmpty()) {
        return false;
    }
    if (row < 0 || row >= m_table.rows.size()) {
        return true;
    }
    m_selected = row;
    m_view.accountFrame = true;
    const ProposalHeader& h = m_table.rows.at(row).header;
    m_customer = h.customerLines();
    m_boxes.site = h.siteLines();
    return true;
}

void FinalizeFieldProposal::copyToSite() {
    m_boxes.site = m_customer;
}

void FinalizeFieldProposal::clearSite() {
    m_boxes.site = QStringList(7, QString());
}

void FinalizeFieldProposal::continueToDetails() {
    m_view.accountFrame = false;
    m_view.detailsFrame = true;
    m_boxes.body.clear();
    m_boxes.preAmount = zero();
    m_focus = QStringLiteral("txtBody");
}

void FinalizeFieldProposal::setUpTaxes() {
    const Settings defaults;
    const Settings& s = m_ctx.settings ? *m_ctx.settings : defaults;
    m_boxes.tax1 = zero();
    m_boxes.tax2 = zero();
    m_view.apply1Enabled = s.applyTax1;
    m_view.apply2Enabled = s.applyTax2;
    m_view.apply1Caption = s.applyTax1 ? s.taxHeading1 : QStringLiteral("Apply 1st Tax");
    m_view.apply2Caption = s.applyTax2 ? s.taxHeading2 : QStringLiteral("Apply 2nd Tax");
    m_boxes.apply1 = s.applyTax1;
    m_boxes.apply2 = s.applyTax2;
    if (!m_boxes.preAmount.trimmed().isEmpty()) {
        recompute();
    }
}

void FinalizeFieldProposal::clearAmounts() {
    m_boxes.preAmount = zero();
    m_boxes.grandTotal = zero();
    m_boxes.payment = {zero(), zero()};
}

void FinalizeFieldProposal::recompute() {
    const Settings defaults;
    const Settings& s = m_ctx.settings ? *m_ctx.settings : defaults;
    const Money pre = value(m_boxes.preAmount);
    const auto tax = [&](bool applied, const QString& rate) {
        return applied ? PricingMath::percentOf(pre, TaxRates::parseRate(rate)) : Money();
    };
    m_boxes.tax1 = tax(m_boxes.apply1 && m_view.apply1Enabled, s.taxRate1).display(MoneyLocale());
    m_boxes.tax2 = tax(m_boxes.apply2 && m_view.apply2Enabled, s.taxRate2).display(MoneyLocale());
    // The total adds what the boxes show, so it always equals their sum.
    const Money total =
        value(m_boxes.preAmount).roundedToCents() + value(m_boxes.tax1) + value(m_boxes.tax2);
    m_boxes.grandTotal = total.display(MoneyLocale());
    if (m_plan == Plan::InFull) {
        m_boxes.payment[0] = m_boxes.grandTotal;
    }
}

void FinalizeFieldProposal::setApplyTax(int tax, bool on) {
    (tax == 1 ? m_boxes.apply1 : m_boxes.apply2) = on;
    if (!m_boxes.preAmount.trimmed().isEmpty()) {
        recompute();
    }
}

FinalizeFieldProposal::PriceLeft FinalizeFieldProposal::leavePreAmount() {
    if (m_boxes.preAmount == QLatin1String("@")) {
        return PriceLeft::LeftEmpty;
    }
    if (showsZero(m_boxes.preAmount)) {
        const Answer a = m_ctx.prompter().message(
            QStringLiteral("Do you want to exit without\rUpdating this Field Proposal?"),
            QStringLiteral("Exit Posting"), Buttons::YesNo);
        if (a == Answer::Yes) {
            m_boxes.preAmount = QStringLiteral("@");
            m_view.detailsFrame = false;
            return PriceLeft::LeftEmpty;
        }
        m_focus = QStringLiteral("txtpreAmount");
        return PriceLeft::StayInBox;
    }
    m_boxes.preAmount = shown(m_boxes.preAmount);
    recompute();
    m_view.datePanel = true;
    m_view.acceptPrompt = true;
    return PriceLeft::Accepted;
}

void FinalizeFieldProposal::resetPayments() {
    m_boxes.payment = {zero(), zero()};
    m_focus = QStringLiteral("txtPayment(0)");
}

void FinalizeFieldProposal::choosePlan(Plan plan) {
    if (showsZero(m_boxes.preAmount)) {
        m_focus = QStringLiteral("txtpreAmount");
        return;
    }
    m_plan = plan;
    const bool two = plan == Plan::TwoPayments;
    m_view.secondPayment = two;
    m_view.twoPaymentsPanel = two;
    if (two) {
        resetPayments();
    } else {
        m_boxes.payment[0] = m_boxes.grandTotal;
    }
}

bool FinalizeFieldProposal::paymentsAddUp() const {
    return value(m_boxes.payment[0]) + value(m_boxes.payment[1]) == value(m_boxes.grandTotal);
}

bool FinalizeFieldProposal::leavePayment(int index) {
    const size_t i = index == 1 ? 1 : 0;
    m_boxes.payment[i] = shown(m_boxes.payment[i]);
    if (i == 0) {
        return true;
    }
    if (!paymentsAddUp()) {
        m_ctx.prompter().message(kMismatch, AppContext::applicationTitle());
        resetPayments();
        return false;
    }
    m_focus = QStringLiteral("dtDatePicker(0)");
    return true;
}

void FinalizeFieldProposal::pickDate(int picker, const QDate& date, bool changed) {
    const size_t i = picker == 1 ? 1 : 0;
    m_boxes.date[i] = date;
    if (!changed && ((i == 0 && m_plan == Plan::InFull) || i == 1)) {
        m_view.finalizeEnabled = true;
    }
    if (!m_boxes.body.isEmpty() && !showsZero(m_boxes.grandTotal)) {
        m_view.finalizeEnabled = true;
    }
}

void FinalizeFieldProposal::reselect() {
    clearAmounts();
    setUpTaxes();
    m_boxes.body.clear();
    m_view.detailsFrame = false;
}

bool FinalizeFieldProposal::finalize() {
    const StoredProposal* p = selected();
    if (!p) {
        return false;
    }
    if (showsZero(m_boxes.grandTotal)) {
        m_ctx.prompter().message(QStringLiteral("Enter Proposed Amount (pre-tax) then Press <TAB>"),
                                 AppContext::applicationTitle());
        m_focus = QStringLiteral("txtpreAmount");
        return false;
    }
    const bool two = m_plan == Plan::TwoPayments;
    if (two && !paymentsAddUp()) {
        // Payment 1 may have been changed after the sum was checked.
        m_ctx.prompter().message(kMismatch, AppContext::applicationTitle());
        resetPayments();
        return false;
    }
    if (!two) {
        // No plan chosen is one payment of the whole amount.
        m_boxes.payment[0] = m_boxes.grandTotal;
    }
    ProposalPayments payments{m_boxes.grandTotal, {}};
    for (size_t k = 0; k < (two ? 2u : 1u); ++k) {
        payments.payments.append({m_boxes.payment[k], Dates::toShort(m_boxes.date[k])});
    }
    ProposalHeader header = p->header;
    header.number = header.plainNumber();
    header.proposedPrice = value(m_boxes.grandTotal);
    header.setCustomerLines(trimmedLines(m_customer));
    header.setSiteLines(trimmedLines(m_boxes.site));

    FileStore& store = m_ctx.store();
    const QString& name = p->fileName;
    // The header goes last: until it is rewritten the proposal stays a field
    // proposal, so a failure part way leaves nothing half finalized.
    IoStatus s = ProposalFiles::writeBody(store, name, m_boxes.body);
    if (s) {
        s = ProposalFiles::writePayments(store, name, payments, PaymentCountForm::Padded);
    }
    if (s) {
        s = ProposalFiles::writeFinancials(
            store, name, {m_boxes.preAmount, m_boxes.grandTotal, m_boxes.tax1, m_boxes.tax2});
    }
    if (s) {
        s = ProposalFiles::writeHeader(store, name, header, HeaderForm::Finalize);
    }
    if (!s) {
        m_ctx.reportIoError(s);
        return false;
    }
    m_ctx.prompter().message(
        QStringLiteral("The Field Proposal has been saved as a basic proposal"),
        AppContext::applicationTitle());
    m_view.datePanel = false;
    m_view.acceptPrompt = false;
    return true;
}
