#include "proposals/fieldproposal.h"

#include "customers/customerrecord.h"
#include "proposals/proposalcounter.h"
#include "proposals/proposalstore.h"
#include "proposals/terms.h"
#include "shell/appcontext.h"

#include <algorithm>

namespace {
QString joinedName(const FieldCustomer& c, bool withMiddle) {
    if (c.accountType.trimmed() != QLatin1String("Individual")) {
        return c.accountName.trimmed();
    }
    QString name = c.title.trimmed() + QLatin1Char(' ') + c.firstName.trimmed() + QLatin1Char(' ');
    if (withMiddle && !c.middleInitial.trimmed().isEmpty()) {
        name += c.middleInitial.trimmed() + QLatin1Char(' ');
    }
    return name + c.lastName.trimmed();
}

void printCustomerBlock(PrintPen& pen, const FieldCustomer& c, int x) {
    pen.printLineAt(x, StoredCustomerName(c));
    pen.printLineAt(x, c.address1.trimmed());
    if (!c.address2.trimmed().isEmpty()) {
        pen.printLineAt(x, c.address2.trimmed());
    }
    if (c.usaStyle) {
        pen.printLineAt(x, c.cityOrAddress3.trimmed() + QStringLiteral(", ") + c.state.trimmed() +
                               QLatin1Char(' ') + c.zipOrAddress4.trimmed());
    } else {
        pen.printLineAt(x, c.cityOrAddress3.trimmed());
        pen.printLineAt(x, c.zipOrAddress4.trimmed());
    }
    pen.setX(x);
    pen.print(c.phone.trimmed());
}

// Opens a job, prints it, ends it; false (reported) when the printer fails.
template <typename Print>
bool runJob(AppContext& ctx, PrintTarget& target, const PrintRequest& request, Print print) {
    std::unique_ptr<PageDevice> device = target.open(request);
    if (!device || !print(*device)) {
        ctx.prompter().message(PrintErrorMessage(), QStringLiteral("Print Error"), Buttons::Ok,
                               Icon::Critical);
        return false;
    }
    return true;
}

bool askYes(AppContext& ctx, const QString& question, const QString& title) {
    return ctx.prompter().message(question, title, Buttons::YesNo, Icon::Question) == Answer::Yes;
}
}  // namespace

QString PrintedCustomerName(const FieldCustomer& customer) {
    return joinedName(customer, true);
}

QString StoredCustomerName(const FieldCustomer& customer) {
    return joinedName(customer, false);
}

QStringList FieldCustomerLines(const FieldCustomer& c) {
    return {StoredCustomerName(c),      c.address1.trimmed(), c.address2.trimmed(),
            c.cityOrAddress3.trimmed(), c.state.trimmed(),    c.zipOrAddress4.trimmed(),
            c.phone.trimmed()};
}

ProposalHeader FieldProposalHeader(int number, const QDate& today, const FieldCustomer& customer) {
    ProposalHeader h;
    h.number = QStringLiteral("FP") + QString::number(number);
    h.proposedPrice = Money();
    h.creationDate = today;
    h.accountKey = customer.accountNumber.trimmed();
    const QStringList lines = FieldCustomerLines(customer);
    h.setCustomerLines(lines);
    h.setSiteLines(lines);
    return h;
}

bool PrintSketchSheet(PageDevice& device, const SketchSheetInput& input, const PenState& carried) {
    PrintPen pen(device, PrintStyle{carried.font.name, false, Ink::Black});
    pen.setFontName(carried.font.name);
    pen.setInk(carried.ink);
    pen.SetFont(carried.font.size, carried.font.bold, carried.font.underline);
    pen.SetFont(10, true, false);
    pen.printLine();
    const QString title = QStringLiteral("Sketch Sheet");
    pen.printLineAt(pen.printableWidth() / 2 - pen.textWidth(title), title);
    PrintBusinessBlock(pen, input.business, 1.0f, 0.8f, 12);
    pen.SetFont(10, true, false);
    pen.moveTo(7200, 1152);
    pen.printLine(QStringLiteral("For Proposal No. ") + PrintPen::numberItem(input.proposalNumber));
    pen.printLine();
    pen.printLine();
    pen.SetFont(10, false, false);
    printCustomerBlock(pen, input.customer, 7200);
    return device.end();
}

FieldCustomer FieldCustomer::fromRecord(const CustomerRecord& r, bool usaStyle) {
    return FieldCustomer{r.AccountNumber, r.AccountType,    r.AccountName, r.Title,
                         r.FirstName,     r.MiddleInitial,  r.LastName,    r.Address1,
                         r.Address2,      r.CityOrAddress3, r.State,       r.ZipOrAddress4,
                         r.Phone,         usaStyle};
}

FieldProposal::FieldProposal(AppContext& ctx) : m_ctx(ctx) {}

void FieldProposal::load(const QString& customDisclaimerBox) {
    m_view.customDisclaimer = !customDisclaimerBox.isEmpty();
    // A custom disclaimer deleted since it was chosen cannot stay chosen.
    if (!m_view.customDisclaimer) {
        m_view.genericDisclaimer = true;
    }
}

void FieldProposal::activate(const FieldCustomer& customer) {
    m_customer = customer;
    const int number = m_ctx.vars().ProposalNumber;
    // Once the last number is used up there is no next one to show.
    m_view.nextNumber = number <= ProposalCounter::Last ? QString::number(number) : QString();
}

FieldProposal::View FieldProposal::view() const {
    return m_view;
}

const QStringList& FieldProposal::sketchChoices() {
    static const QStringList counts{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                    QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")};
    return counts;
}

void FieldProposal::chooseDisclaimer(bool generic) {
    m_view.genericDisclaimer = generic || !m_view.customDisclaimer;
}

void FieldProposal::chooseDays(const QString& days) {
    if (AcceptanceDays().contains(days)) {
        m_view.days = days;
    }
}

void FieldProposal::setSketch(bool on) {
    m_view.sketch = on;
}

void FieldProposal::chooseSketchCount(int count) {
    m_view.sketchCount = std::clamp(count, 1, static_cast<int>(sketchChoices().size()));
}

ProposalPrintInput FieldProposal::printInput() const {
    ProposalPrintInput input = PrintInputFor(m_ctx);
    input.fieldProposal = true;
    input.customerUsaStyle = m_customer.usaStyle;
    input.customer = FieldCustomerLines(m_customer);
    input.customer[0] = PrintedCustomerName(m_customer);
    input.days = m_view.days;
    input.genericDisclaimer = m_view.genericDisclaimer;
    if (!input.genericDisclaimer) {
        input.customDisclaimer =
            Terms::loadCustomText(m_ctx.store(), Terms::customDisclaimerPath()).value;
    }
    return input;
}

namespace {
const QString kJobTitle = QStringLiteral("Field Proposal");
}

FieldProposal::Output FieldProposal::printOnce(PrintTarget& target,
                                               const ProposalPrintInput& input) {
    PrintRequest dialog = ProposalPrintRequest(kJobTitle, input);
    if (!m_ctx.prompter().printDialog(&dialog)) {
        m_ctx.prompter().message(NotPrintedMessage(), AppContext::applicationTitle());
        return Output::Cancelled;
    }
    ProposalPrintInput job = input;
    job.copies = CaptionedCopies(dialog);
    const bool printed = runJob(m_ctx, target, dialog, [&](PageDevice& device) {
        return PrintProposal(device, job, &m_left);
    });
    return printed ? Output::Printed : Output::Failed;
}

FieldProposal::Output FieldProposal::saveOnce(const ProposalPrintInput& input) {
    const QString suggested =
        m_ctx.store().fullPath(QStringLiteral("/Documents/Proposals/FP") +
                               QString::number(input.proposalNumber) + QStringLiteral(".pdf"));
    // A cancelled save dialog and a file that could not be written look
    // alike from here; the latter has been told already.
    if (SaveDocumentAsPdf(m_ctx, kJobTitle, suggested,
                          ProposalDocument(input, ProposalPrintRequest(kJobTitle, input),
                                           sketchSheets(input.proposalNumber)))) {
        return Output::Printed;
    }
    m_ctx.prompter().message(NotPrintedMessage(), AppContext::applicationTitle());
    return Output::Cancelled;
}

FieldPrintOutcome FieldProposal::print(PrintTarget& target) {
    return record([&](const ProposalPrintInput& in) { return printOnce(target, in); }, &target);
}

FieldPrintOutcome FieldProposal::saveAsPdf() {
    return record([this](const ProposalPrintInput& in) { return saveOnce(in); }, nullptr);
}

void FieldProposal::preview() {
    const ProposalPrintInput input = printInput();
    PreviewDocument(m_ctx, kJobTitle, false,
                    ProposalDocument(input, ProposalPrintRequest(kJobTitle, input),
                                     sketchSheets(input.proposalNumber)));
}

// `sketchTarget` is where the sketch sheets print after the questions; a
// PDF holds them already.
FieldPrintOutcome FieldProposal::record(
    const std::function<Output(const ProposalPrintInput&)>& output, PrintTarget* sketchTarget) {
    if (!ProposalCounter::numberLeft(m_ctx)) {
        return FieldPrintOutcome::NotStored;
    }
    const int number = m_ctx.vars().ProposalNumber;
    const QString file = ProposalFiles::fileName(number);
    ProposalContents contents;
    contents.header = FieldProposalHeader(number, m_ctx.clock().today(), m_customer);
    const IoStatus stored = ProposalStore::store(m_ctx.store(), file, contents);
    if (!stored) {
        m_ctx.reportIoError(stored);
        return FieldPrintOutcome::NotStored;
    }
    const ProposalPrintInput input = printInput();
    m_left = PenState();
    FieldPrintOutcome outcome = FieldPrintOutcome::Confirmed;
    for (;;) {
        const Output out = output(input);
        if (out != Output::Printed) {
            return out == Output::Cancelled ? FieldPrintOutcome::NotPrinted
                                            : FieldPrintOutcome::PrintError;
        }
        if (askYes(m_ctx, PrintedCorrectlyQuestion(), QStringLiteral("Print Confirmation"))) {
            outcome = ProposalCounter::advanceCurrent(m_ctx) ? FieldPrintOutcome::Confirmed
                                                             : FieldPrintOutcome::NotAdvanced;
            break;
        }
        if (!askYes(m_ctx, ReprintQuestion(), QStringLiteral("Print Retry"))) {
            m_ctx.reportIoError(ProposalStore::remove(m_ctx.store(), file));
            outcome = FieldPrintOutcome::Withdrawn;
            break;
        }
    }
    if (!sketchTarget) {
        return outcome;
    }
    return printSketchSheets(*sketchTarget, number, m_left) ? outcome
                                                            : FieldPrintOutcome::PrintError;
}

std::function<bool(PrintTarget&, const PenState&)> FieldProposal::sketchSheets(int number) const {
    if (!m_view.sketch) {
        return {};
    }
    const SketchSheetInput sheet{PrintInputFor(m_ctx).business, number, m_customer};
    const int count = m_view.sketchCount;
    return [sheet, count](PrintTarget& target, const PenState& left) {
        PrintRequest job;
        job.title = QStringLiteral("Sketch Sheet");
        for (int i = 0; i < count; ++i) {
            std::unique_ptr<PageDevice> device = target.open(job);
            if (!device || !PrintSketchSheet(*device, sheet, left)) {
                return false;
            }
        }
        return true;
    };
}

bool FieldProposal::printSketchSheets(PrintTarget& target, int number, const PenState& left) {
    const auto sheets = sketchSheets(number);
    if (sheets && !sheets(target, left)) {
        m_ctx.prompter().message(PrintErrorMessage(), QStringLiteral("Print Error"), Buttons::Ok,
                                 Icon::Critical);
        return false;
    }
    return true;
}

QString NotPrintedMessage() {
    return QStringLiteral("The Proposal will not be Printed");
}

QString PrintErrorMessage() {
    return QStringLiteral("A Print Error has occurred");
}

QString PrintedCorrectlyQuestion() {
    return QStringLiteral("Did the Proposal Print Correctly");
}

QString ReprintQuestion() {
    return QStringLiteral("Would you like to try to Reprint?");
}
