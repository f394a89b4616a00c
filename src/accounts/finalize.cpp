#include "accounts/finalize.h"

#include "proposals/pricing.h"
#include "proposals/proposalstore.h"
#include "settings/settings.h"
#include "shell/appcontext.h"

#include <functional>

namespace {
const QString kMismatch = QStringLiteral("The payments do not equal the Total Amount");

// The rate choices include forms with a decimal comma ("7,0").
double rateOf(const QString& text) {
    return TaxRates::parseRate(text);
}

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
        "^Proposal No       |^Date              |<Customer Information                 "
        "|^      Amount");
}

QString FinalizeFieldProposal::zero() const {
    return Money().display(MoneyLocale());
}

// Amounts are typed in the user's own form.
Money FinalizeFieldProposal::value(const QString& text) const {
    return Money::parseDisplay(text, MoneyLocale()).value_or(Money());
}

bool FinalizeFieldProposal::showsZero(const QString& text) const {
    return value(text).roundedToCents().isZero();
}

QString FinalizeFieldProposal::shown(const QString& text) const {
    return value(text).display(MoneyLocale());
}

FinalizeFieldProposal::Focus FinalizeFieldProposal::takeFocus() {
    return std::exchange(m_focus, Focus::None);
}

void FinalizeFieldProposal::load() {
    m_view.detailsFrame = false;
    m_view.date = {m_ctx.clock().today(), m_ctx.clock().today()};
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
    for (const StoredProposal& p : all.proposals) {
        if (p.header.isFieldProposal()) {
            m_table.proposals << p;
        }
    }
    m_view.rows = m_table.rows();
    m_selected = -1;
    m_view.detailsFrame = false;
    m_view.accountFrame = false;
    // Amounts first, so the taxes are not worked out on a price about to go.
    clearAmounts();
    setUpTaxes();
    return true;
}

bool FinalizeFieldProposal::pick(int row) {
    if (m_table.proposals.isEmpty()) {
        return false;
    }
    if (row < 0 || row >= m_table.proposals.size()) {
        return true;
    }
    m_selected = row;
    m_view.accountFrame = true;
    const ProposalHeader& h = m_table.proposals.at(row).header;
    m_view.customer = h.customerLines();
    m_view.site = h.siteLines();
    return true;
}

bool FinalizeFieldProposal::press(Button button) {
    switch (button) {
        case Button::Menu:
            return true;
        case Button::Reselect:
            reselect();
            break;
        case Button::Continue:
            continueToDetails();
            break;
        case Button::CopyToSite:
            m_view.site = m_view.customer;
            break;
        case Button::ClearSite:
            m_view.site = QStringList(7, QString());
            break;
    }
    return false;
}

void FinalizeFieldProposal::editSite(int line, const QString& text) {
    if (line >= 0 && line < m_view.site.size()) {
        m_view.site[line] = text;
    }
}

void FinalizeFieldProposal::editBody(const QString& text) {
    m_view.body = text;
}

QString* FinalizeFieldProposal::box(AmountBox b) {
    switch (b) {
        case AmountBox::PreAmount:
            return &m_view.preAmount;
        case AmountBox::Payment1:
            return &m_view.payment[0];
        case AmountBox::Payment2:
            return &m_view.payment[1];
    }
    return &m_view.preAmount;
}

void FinalizeFieldProposal::startTyping(AmountBox b) {
    QString* text = box(b);
    if (*text == zero()) {
        text->clear();
    }
}

void FinalizeFieldProposal::editAmount(AmountBox b, const QString& text) {
    *box(b) = text;
}

void FinalizeFieldProposal::continueToDetails() {
    m_view.accountFrame = false;
    m_view.detailsFrame = true;
    m_view.body.clear();
    m_view.preAmount = zero();
    m_focus = Focus::Body;
}

void FinalizeFieldProposal::setUpTaxes() {
    const Settings& s = m_ctx.settings();
    m_view.tax1 = zero();
    m_view.tax2 = zero();
    m_view.apply1Enabled = s.applyTax1;
    m_view.apply2Enabled = s.applyTax2;
    m_view.apply1Caption = s.applyTax1 ? s.taxHeading1 : QStringLiteral("Apply 1st Tax");
    m_view.apply2Caption = s.applyTax2 ? s.taxHeading2 : QStringLiteral("Apply 2nd Tax");
    m_view.apply1 = s.applyTax1;
    m_view.apply2 = s.applyTax2;
    if (!m_view.preAmount.trimmed().isEmpty()) {
        recompute();
    }
}

void FinalizeFieldProposal::clearAmounts() {
    m_view.preAmount = zero();
    m_view.grandTotal = zero();
    m_view.payment = {zero(), zero()};
}

void FinalizeFieldProposal::recompute() {
    const Settings& s = m_ctx.settings();
    const Money pre = value(m_view.preAmount);
    const auto tax = [&](bool applied, const QString& rate) {
        return applied ? PricingMath::percentOf(pre, rateOf(rate)) : Money();
    };
    m_view.tax1 = tax(m_view.apply1 && m_view.apply1Enabled, s.taxRate1).display(MoneyLocale());
    m_view.tax2 = tax(m_view.apply2 && m_view.apply2Enabled, s.taxRate2).display(MoneyLocale());
    // The total adds what the boxes show, so it always equals their sum.
    const Money total = pre.roundedToCents() + value(m_view.tax1) + value(m_view.tax2);
    m_view.grandTotal = total.display(MoneyLocale());
    if (m_view.plan == Plan::InFull) {
        m_view.payment[0] = m_view.grandTotal;
    }
}

void FinalizeFieldProposal::setApplyTax(int tax, bool on) {
    (tax == 1 ? m_view.apply1 : m_view.apply2) = on;
    if (!m_view.preAmount.trimmed().isEmpty()) {
        recompute();
    }
}

FinalizeFieldProposal::PriceLeft FinalizeFieldProposal::leavePreAmount() {
    if (m_view.preAmount == QLatin1String("@")) {
        return PriceLeft::LeftEmpty;
    }
    if (showsZero(m_view.preAmount)) {
        const Answer a = m_ctx.prompter().message(
            QStringLiteral("Do you want to exit without\rUpdating this Field Proposal?"),
            QStringLiteral("Exit Posting"), Buttons::YesNo);
        if (a == Answer::Yes) {
            m_view.preAmount = QStringLiteral("@");
            m_view.detailsFrame = false;
            return PriceLeft::LeftEmpty;
        }
        m_focus = Focus::PreAmount;
        return PriceLeft::StayInBox;
    }
    m_view.preAmount = shown(m_view.preAmount);
    recompute();
    if (!FitsStoredAmount(value(m_view.grandTotal))) {
        m_ctx.prompter().message(TooLargeAmountMessage(), AppContext::applicationTitle(),
                                 Buttons::Ok, Icon::Exclamation);
        clearAmounts();
        recompute();
        m_focus = Focus::PreAmount;
        return PriceLeft::StayInBox;
    }
    m_view.datePanel = true;
    m_view.acceptPrompt = true;
    return PriceLeft::Accepted;
}

void FinalizeFieldProposal::resetPayments() {
    m_view.payment = {zero(), zero()};
    m_focus = Focus::Payment1;
}

void FinalizeFieldProposal::choosePlan(Plan plan) {
    if (showsZero(m_view.preAmount)) {
        m_focus = Focus::PreAmount;
        return;
    }
    m_view.plan = plan;
    const bool two = plan == Plan::TwoPayments;
    m_view.secondPayment = two;
    m_view.twoPaymentsPanel = two;
    if (two) {
        resetPayments();
    } else {
        m_view.payment[0] = m_view.grandTotal;
    }
}

bool FinalizeFieldProposal::paymentsAddUp() const {
    return value(m_view.payment[0]) + value(m_view.payment[1]) == value(m_view.grandTotal);
}

bool FinalizeFieldProposal::leavePayment(int index) {
    const size_t i = index == 1 ? 1 : 0;
    m_view.payment[i] = shown(m_view.payment[i]);
    if (i == 0) {
        return true;
    }
    if (!paymentsAddUp()) {
        m_ctx.prompter().message(kMismatch, AppContext::applicationTitle());
        resetPayments();
        return false;
    }
    m_focus = Focus::FirstDate;
    return true;
}

void FinalizeFieldProposal::pickDate(int picker, const QDate& date, bool changed) {
    const size_t i = picker == 1 ? 1 : 0;
    m_view.date[i] = date;
    if (!changed && ((i == 0 && m_view.plan == Plan::InFull) || i == 1)) {
        m_view.finalizeEnabled = true;
    }
    if (!m_view.body.isEmpty() && !showsZero(m_view.grandTotal)) {
        m_view.finalizeEnabled = true;
    }
}

void FinalizeFieldProposal::reselect() {
    clearAmounts();
    setUpTaxes();
    m_view.body.clear();
    m_view.detailsFrame = false;
}

bool FinalizeFieldProposal::finalize() {
    if (m_selected < 0 || m_selected >= m_table.proposals.size()) {
        return false;
    }
    if (showsZero(m_view.grandTotal)) {
        m_ctx.prompter().message(QStringLiteral("Enter Proposed Amount (pre-tax) then Press <TAB>"),
                                 AppContext::applicationTitle());
        m_focus = Focus::PreAmount;
        return false;
    }
    const bool two = m_view.plan == Plan::TwoPayments;
    if (two && !paymentsAddUp()) {
        // Payment 1 may have been changed after the sum was checked.
        m_ctx.prompter().message(kMismatch, AppContext::applicationTitle());
        resetPayments();
        return false;
    }
    if (!two) {
        // No plan chosen is one payment of the whole amount.
        m_view.payment[0] = m_view.grandTotal;
    }
    if (!writeFiles(m_table.proposals.at(m_selected))) {
        return false;
    }
    m_ctx.prompter().message(
        QStringLiteral("The Field Proposal has been saved as a basic proposal"),
        AppContext::applicationTitle());
    m_view.datePanel = false;
    m_view.acceptPrompt = false;
    return true;
}

// The header goes last: until it is rewritten the proposal stays a field
// proposal. Should a write fail, the files this attempt wrote are deleted
// again, so no half-finalized proposal is left behind.
bool FinalizeFieldProposal::writeFiles(const StoredProposal& p) {
    const bool two = m_view.plan == Plan::TwoPayments;
    ProposalPayments payments{value(m_view.grandTotal), {}};
    for (size_t k = 0; k < (two ? 2u : 1u); ++k) {
        payments.payments.append({value(m_view.payment[k]), m_view.date[k]});
    }
    const ProposalFinancials financials{value(m_view.preAmount), value(m_view.grandTotal),
                                        value(m_view.tax1), value(m_view.tax2)};
    ProposalHeader header = p.header;
    header.number = header.plainNumber();
    header.proposedPrice = value(m_view.grandTotal);
    header.setCustomerLines(trimmedLines(m_view.customer));
    header.setSiteLines(trimmedLines(m_view.site));

    FileStore& store = m_ctx.store();
    const QString& name = p.fileName;
    const ProposalStore::Parts parts{
        ProposalFiles::bodyBytes(m_view.body),
        ProposalFiles::paymentsBytes(payments, PaymentCountForm::Padded),
        ProposalFiles::financialsBytes(financials),
        ProposalFiles::headerBytes(header, HeaderForm::Finalize)};
    if (const IoStatus s = ProposalStore::writeJournaled(store, name, parts); !s) {
        m_ctx.reportIoError(s);
        // The header is written last, so it is still the field proposal's:
        // the files written before the one that failed are taken away again.
        for (const QString& done :
             {ProposalFiles::bodyPath(name), ProposalFiles::paymentsPath(name),
              ProposalFiles::financialsPath(name)}) {
            if (store.fullPath(done) == s.file()) {
                break;
            }
            m_ctx.reportIoError(store.DeleteDataFile(done));
        }
        return false;
    }
    return true;
}
