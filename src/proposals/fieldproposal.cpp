#include "proposals/fieldproposal.h"

#include "proposals/proposalcounter.h"
#include "shell/appcontext.h"

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

ProposalPrintInput printInputFor(const AppContext& ctx, const FieldProposalRequest& request) {
    ProposalPrintInput in = request.print;
    in.fieldProposal = true;
    in.proposalNumber = ctx.vars().ProposalNumber;
    in.today = ctx.clock().today();
    in.customerUsaStyle = request.customer.usaStyle;
    in.customer = FieldCustomerLines(request.customer);
    in.customer[0] = PrintedCustomerName(request.customer);
    return in;
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

FieldPrintOutcome PrintFieldProposal(AppContext& ctx, PrintTarget& target,
                                     const FieldProposalRequest& request) {
    const int number = ctx.vars().ProposalNumber;
    const QString file = ProposalFiles::fileName(number);
    const IoStatus stored = ProposalFiles::writeHeader(
        ctx.store(), file, FieldProposalHeader(number, ctx.clock().today(), request.customer));
    if (!stored) {
        ctx.reportIoError(stored);
        return FieldPrintOutcome::NotStored;
    }
    const ProposalPrintInput input = printInputFor(ctx, request);
    PenState left;
    FieldPrintOutcome outcome = FieldPrintOutcome::Confirmed;
    for (;;) {
        PrintRequest dialog;
        dialog.title = QStringLiteral("Field Proposal");
        if (!ctx.prompter().printDialog(&dialog)) {
            ctx.prompter().message(NotPrintedMessage(), AppContext::applicationTitle());
            return FieldPrintOutcome::NotPrinted;
        }
        if (!runJob(ctx, target, dialog,
                    [&](PageDevice& device) { return PrintProposal(device, input, &left); })) {
            return FieldPrintOutcome::PrintError;
        }
        if (askYes(ctx, PrintedCorrectlyQuestion(), QStringLiteral("Print Confirmation"))) {
            ProposalCounter::advanceCurrent(ctx);
            break;
        }
        if (!askYes(ctx, ReprintQuestion(), QStringLiteral("Print Retry"))) {
            ctx.reportIoError(ctx.store().DeleteDataFile(ProposalFiles::headerPath(file)));
            outcome = FieldPrintOutcome::Withdrawn;
            break;
        }
    }
    if (request.sketchSheets) {
        const SketchSheetInput sheet{request.print.business, number, request.customer};
        PrintRequest job;
        job.title = QStringLiteral("Sketch Sheet");
        for (int i = 0; i < request.sketchCount; ++i) {
            if (!runJob(ctx, target, job, [&](PageDevice& device) {
                    return PrintSketchSheet(device, sheet, left);
                })) {
                return FieldPrintOutcome::PrintError;
            }
        }
    }
    return outcome;
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
