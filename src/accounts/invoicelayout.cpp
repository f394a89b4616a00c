#include "accounts/invoicelayout.h"

#include "shell/dates.h"

namespace {
constexpr int SlipLineWidth = 6;
constexpr int TableLineWidth = 2;
constexpr int TableLeft = 360;
constexpr int TableRight = 11880;
constexpr int TableTop = 5760;
constexpr int TableBottom = 14400;
constexpr int AmountsRight = 11520;  // 8.0 in

class InvoicePage {
public:
    InvoicePage(PrintPen& pen, const InvoicePageInput& in) : m_pen(pen), m_in(in) {}

    void draw() {
        frames();
        slipHeading();
        detachLine();
        columnHeadings();
        PrintBusinessBlock(m_pen, m_in.business, 0.75f, 0.5f, 12);
        soldTo();
        m_in.perPayment ? paymentLines() : singleLine();
        totalsLabels();
        m_in.perPayment ? paymentTotal() : singleTotals();
        footer();
    }

private:
    QString money(const Money& m) const { return m.display(MoneyLocale()); }
    QString today() const { return Dates::toShort(m_in.today); }
    bool hasPayment(int k) const { return k >= 1 && k <= m_in.payments.size(); }

    void at(float x, float y, const QString& text) {
        m_pen.SetPos(x, y);
        m_pen.print(text);
    }
    void lineAt(int x, const QString& text) { m_pen.printLineAt(x, text); }
    void rightAligned(float y, const QString& text) {
        m_pen.SetPos(0, y);
        m_pen.setX(AmountsRight - m_pen.textWidth(text));
        m_pen.print(text);
    }

    void frames();
    void slipHeading();
    void detachLine();
    void columnHeadings();
    void soldTo();
    void singleLine();
    void paymentLines();
    void totalsLabels();
    void singleTotals();
    void paymentTotal();
    void footer();

    PrintPen& m_pen;
    const InvoicePageInput& m_in;
};

void InvoicePage::frames() {
    m_pen.SetPrintColour(false);
    m_pen.setLineWidth(SlipLineWidth);
    m_pen.box(360, 504, 11880, 5040);
    m_pen.setLineWidth(TableLineWidth);
    for (int y : {5760, 6120, 6480, 6840, 12240, 13680, 14400}) {
        m_pen.line(TableLeft, y, TableRight, y);
    }
    for (int y = 12600; y <= 14040; y += 360) {
        m_pen.line(7920, y, TableRight, y);
    }
    for (int x : {360, 1800, 7920, 10080, 11880}) {
        m_pen.line(x, TableTop, x, TableBottom);
    }
    m_pen.line(3240, TableTop, 3240, 12240);
    m_pen.setLineWidth(1);
    m_pen.SetPrintColour(true);
    PrintLogo(m_pen, m_in.logo, 0.5f);
}

void InvoicePage::slipHeading() {
    m_pen.SetFont(18, true, false);
    m_pen.SetPos(5.0f, 0.5f);
    m_pen.printLine(QStringLiteral("INVOICE"));
    m_pen.SetFont(10, true, false);
    m_pen.SetPos(5.0f, 0.9f);
    const int x = m_pen.x();
    lineAt(x, QStringLiteral("Date ") + today());
    lineAt(x, QStringLiteral("INVOICE NO: ") + m_in.invoiceNumber);
    lineAt(x, QStringLiteral("Proposal No ") + m_in.proposalNumber);
    lineAt(x, QStringLiteral("Amount Enclosed") + QString(14, QLatin1Char(' ')) +
                  QString(15, QLatin1Char('_')));
    lineAt(x, QStringLiteral("Acct: ") + m_in.accountKey);
}

void InvoicePage::detachLine() {
    m_pen.SetFont(6, true, false);
    m_pen.SetPos(3.0f, 3.6f);
    m_pen.printLine(QStringLiteral("Detach Here and Return Top Section"));
    m_pen.SetFont(10, false, false);
}

void InvoicePage::columnHeadings() {
    m_pen.SetPrintColour(true);
    m_pen.SetFont(10, false, false);
    at(0.6f, 4.55f, QStringLiteral("QTY"));
    at(1.5f, 4.55f, QStringLiteral("DATE"));
    at(3.1f, 4.55f, QStringLiteral("DESCRIPTION"));
    at(6.1f, 4.55f, QStringLiteral("PRICE"));
    at(7.5f, 4.55f, QStringLiteral("TOTAL"));
}

void InvoicePage::soldTo() {
    m_pen.SetPrintColour(true);
    m_pen.SetPos(0.75f, 1.95f);
    const int x = m_pen.x();
    m_pen.printLine(QStringLiteral("SOLD TO:"));
    m_pen.PrintWrapped(x, m_pen.y(), 2520, m_in.customerName);
    lineAt(x, m_in.address1);
    if (!m_in.address2.trimmed().isEmpty()) {
        lineAt(x, m_in.address2);
    }
    if (m_in.business.usaStyle) {
        lineAt(x,
               m_in.city + QStringLiteral(", ") + m_in.state + QLatin1Char(' ') + m_in.postalCode);
    } else {
        lineAt(x, m_in.city);
        lineAt(x, m_in.postalCode);
    }
    m_pen.setInk(Ink::Black);
}

void InvoicePage::singleLine() {
    m_pen.SetFont(0, true, false);
    at(1.5f, 5.0f, today());
    at(2.5f, 5.0f, QStringLiteral("Single Payment for Proposal # ") + m_in.proposalNumber);
    m_pen.setInk(Ink::Red);
    at(7.5f, 5.0f, money(m_in.total));
    m_pen.SetFont(10, false, false);
    m_pen.setInk(Ink::Black);
}

void InvoicePage::paymentLines() {
    for (int k = 1; k <= m_in.payments.size(); ++k) {
        const float y = 5.0f + 0.25f * float(k - 1);
        const InvoicePayment& p = m_in.payments.at(k - 1);
        const bool own = k == m_in.index;
        m_pen.SetFont(10, own, false);
        m_pen.setInk(own ? Ink::Red : Ink::Black);
        at(1.5f, y, p.date);
        at(2.5f, y, QStringLiteral("Scheduled Payment"));
        at(6.0f, y, money(p.amount));
        if (own) {
            at(7.5f, y, money(p.amount));
        }
    }
    m_pen.setInk(Ink::Black);
}

void InvoicePage::totalsLabels() {
    m_pen.SetFont(10, true, false);
    const QStringList labels{
        QStringLiteral("Sub-Total"), m_in.taxHeading1, m_in.taxHeading2, QString(), QString(),
        QStringLiteral("Total")};
    const float ys[] = {8.55f, 8.80f, 9.05f, 9.30f, 9.55f, 9.80f};
    for (int i = 0; i < labels.size(); ++i) {
        if (!labels.at(i).isEmpty()) {
            at(5.6f, ys[i], labels.at(i));
        }
    }
    m_pen.SetFont(10, false, false);
}

void InvoicePage::singleTotals() {
    m_pen.SetPrintColour(true);
    m_pen.SetFont(10, true, false);
    rightAligned(8.55f, money(m_in.priceBeforeTaxes));
    rightAligned(8.80f, money(m_in.tax1));
    rightAligned(9.05f, money(m_in.tax2));
    if (m_in.style.colour) {
        m_pen.setInk(Ink::Red);
    }
    m_pen.SetFont(12, true, false);
    rightAligned(9.80f, money(m_in.total));
}

void InvoicePage::paymentTotal() {
    m_pen.SetPrintColour(true);
    m_pen.SetFont(10, true, false);
    if (m_in.style.colour) {
        m_pen.setInk(Ink::Red);
    }
    m_pen.SetFont(12, true, false);
    if (hasPayment(m_in.index)) {
        rightAligned(9.78f, money(m_in.payments.at(m_in.index - 1).amount));
    }
}

void InvoicePage::footer() {
    m_pen.setInk(Ink::Black);
    m_pen.SetFont(10, true, false);
    m_pen.SetPos(1.3f, 8.7f);
    const int x = m_pen.x();
    lineAt(x, QStringLiteral("Proposal Number  ") + m_in.proposalNumber);
    lineAt(x, QStringLiteral("Invoice Number  ") + m_in.invoiceNumber);
    lineAt(x, QStringLiteral("Invoice Date:  ") + today());
    lineAt(x, QStringLiteral("Your Account Number ") + m_in.accountKey);
    m_pen.SetPos(1.3f, 9.5f);
    lineAt(x, QStringLiteral("From: ") + m_in.business.field(1));
    lineAt(x, QStringLiteral("Thank you for your Business"));
}
}  // namespace

void PrintInvoicePage(PrintPen& pen, const InvoicePageInput& input) {
    InvoicePage(pen, input).draw();
}

bool PrintInvoice(PageDevice& device, const InvoicePageInput& input, int copies) {
    // The slip and the table run to 8.25 in on an 8.5 in sheet: measured from
    // the printable corner they would run off a printer's right margin.
    PaperEdgeDevice sheet(device);
    PrintPen pen(sheet, input.style);
    pen.PrinterSetup(QStringLiteral("Portrait"), input.style.colour);
    // The printer makes one copy of each job, so the copies are pages of it.
    for (int copy = 1; copy <= qMax(1, copies); ++copy) {
        if (copy > 1) {
            pen.newPage();
        }
        PrintInvoicePage(pen, input);
    }
    return device.end();
}
