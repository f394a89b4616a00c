#include "customers/customerlist.h"

#include "print/documentoutput.h"
#include "shell/dates.h"
#include "shell/prompter.h"

namespace {
constexpr int ColumnX[] = {1440, 5760, 10080};
constexpr int BlockLines = 5;

class CustomerReport {
public:
    CustomerReport(PrintPen& pen, const CustomerListInput& in) : m_pen(pen), m_in(in) {}

    void print() {
        heading();
        int rowY = m_pen.y();
        int column = 0;
        const qsizetype count = m_in.customers.size();
        for (qsizetype r = 0; r < count; ++r) {
            block(m_in.customers.at(r), ColumnX[column], rowY);
            if (++column < 3) {
                continue;
            }
            if (r == count - 1) {
                break;
            }
            column = 0;
            rowY += (BlockLines + (m_in.usaStyle ? 0 : 1)) * m_pen.lineHeight();
            if (rowY + BlockLines * m_pen.lineHeight() >= m_pen.printableHeight()) {
                m_pen.newPage();
                heading();
                rowY = m_pen.y();
            }
        }
    }

private:
    void heading() {
        m_pen.SetPos(0, 0.5f);
        m_pen.SetFont(14, true, true);
        const QString title = QStringLiteral("Account Information");
        m_pen.setX((m_pen.printableWidth() - m_pen.textWidth(title)) / 2);
        m_pen.printLine(title);
        m_pen.SetFont(10, false, false);
        PrintBusinessBlock(m_pen, m_in.business, 1.0f, 0.8f, 12);
        m_pen.SetPos(9.0f, 0.5f);
        m_pen.printLine(Dates::toShort(m_in.today));
        m_pen.SetPos(1.0f, 2.25f);
    }

    void block(const CustomerListEntry& c, int x, int y) {
        m_pen.moveTo(x, y);
        m_pen.printLineAt(x, c.accountName);
        m_pen.printLineAt(x, c.address1);
        if (m_in.usaStyle) {
            m_pen.printLineAt(x, c.cityOrAddress3 + QStringLiteral(", ") + c.state +
                                     QLatin1Char(' ') + c.zipOrAddress4);
        } else {
            m_pen.printLineAt(x, c.cityOrAddress3);
            m_pen.printLineAt(x, c.zipOrAddress4);
        }
        m_pen.printLineAt(x, c.phone);
    }

    PrintPen& m_pen;
    const CustomerListInput& m_in;
};
}  // namespace

bool PrintCustomerList(PageDevice& device, const CustomerListInput& input) {
    PrintPen pen(device, input.style);
    pen.PrinterSetup(QStringLiteral("Landscape"), input.style.colour);
    CustomerReport(pen, input).print();
    return device.end();
}

CustomerReportOutcome PrintCustomerReport(Prompter& prompter, PrintTarget& target,
                                          const CustomerListInput& input) {
    const QString title = QStringLiteral("Customer Report");
    if (prompter.message(QStringLiteral("Click Yes to print a Customer Report"), title,
                         Buttons::YesNo, Icon::Question) != Answer::Yes) {
        return CustomerReportOutcome::Declined;
    }
    PrintRequest request;
    request.title = title;
    request.landscape = true;
    request.colour = input.style.colour;
    // The list goes to paper: no file, and every page of it.
    request.allowPrintToFile = false;
    request.allowPageRange = false;
    if (!prompter.printDialog(&request)) {
        return CustomerReportOutcome::Cancelled;
    }
    // The printer makes one copy of a job: each copy the dialog asked for is
    // a job of its own.
    for (int copy = 0; copy < qMax(1, request.copies); ++copy) {
        std::unique_ptr<PageDevice> device = target.open(request);
        if (!device || !PrintCustomerList(*device, input)) {
            ShowPrintError(prompter, target.error());
            return CustomerReportOutcome::PrintError;
        }
    }
    return CustomerReportOutcome::Printed;
}
