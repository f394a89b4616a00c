#include "proposals/proposallayout.h"

#include "proposals/terms.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/dates.h"
#include "shell/money.h"

namespace {
constexpr int BodyLeft = 2664;
constexpr int BodyWidth = 7920;
constexpr int BodyTop = 4176;
// A page whose body reaches this far goes on to a continuation page.
constexpr int ContinueAt = 10080;
// PrintWrapped keeps this far clear of a column's right edge.
constexpr int WrapMargin = 20;
constexpr int RulesStopAt = 7920;
constexpr int RuleLeft = 1600;
constexpr int RuleRight = 10650;
constexpr int LowerLeft = 5904;
constexpr int PriceLeft = 1224;

const QString& arial() {
    static const QString name = QStringLiteral("Arial");
    return name;
}

QString underscores(int n) {
    return QString(n, QLatin1Char('_'));
}

QString displayAmount(const QString& text) {
    const QLocale locale = MoneyLocale();
    const std::optional<Money> amount = Money::parseDisplay(text, locale);
    return amount ? amount->display(locale) : text;
}

// One print job of a proposal or field proposal: the pen, the inputs and
// the page number within the copy being printed.
class ProposalJob {
public:
    ProposalJob(PrintPen& pen, const ProposalPrintInput& in) : m_pen(pen), m_in(in) {}

    void printCopy(int copy) {
        m_pageNumber = 1;
        frame(copy, m_pageNumber);
        body(copy);
        acceptance(copy);
        m_pen.newPage();
    }

private:
    bool colourOn() const { return m_in.style.colour; }
    quint32 pageTextInk() const {
        return colourOn() && m_pen.pageCounter() < 3 ? Ink::Blue : Ink::Black;
    }

    void frame(int copy, int page) {
        PrintLogo(m_pen, m_in.logo, 0.1f);
        DrawProposalBoxes(m_pen, copy);
        pageHeader(page);
        head();
    }

    void pageHeader(int page);
    void headerCityLines();
    void head();
    void headRows();
    void fieldHead();
    void body(int copy);
    void bodyFont();
    void bodyText(int copy);
    void continueIfFull(int copy);
    QStringList wrappedLines(const QString& text, int width) const;
    void noteRules();
    void lowerSection();
    void disclaimer();
    void price();
    void payments();
    void fieldPrice();
    void acceptance(int copy);
    void continuation(int copy);
    void twoCells(const QString& customer, const QString& site) {
        m_pen.setX(1440);
        m_pen.print(customer);
        m_pen.printLineAt(6048, site);
    }
    void rightEnded(int right, const QString& text) {
        m_pen.setX(right - m_pen.textWidth(text));
        m_pen.print(text);
    }

    PrintPen& m_pen;
    const ProposalPrintInput& m_in;
    int m_pageNumber = 1;
};

void ProposalJob::pageHeader(int page) {
    m_pen.setInk(pageTextInk());
    m_pen.SetFont(18, true, true);
    m_pen.moveTo(1440, 288);
    m_pen.printLine(QStringLiteral("Proposal"));
    m_pen.SetFont(8, false, false);
    m_pen.moveTo(1440, 720);
    m_pen.printLine(QStringLiteral("Submitted by: "));
    const BusinessInfo& b = m_in.business;
    m_pen.printLineAt(1440, b.field(1));
    m_pen.printLineAt(1440, b.field(2));
    headerCityLines();
    m_pen.printLineAt(1440, b.field(7));
    m_pen.moveTo(8784, 1080);
    m_pen.printLine(QStringLiteral("Page # ") + PrintPen::numberItem(page));
    m_pen.printLineAt(
        8784, QStringLiteral("Proposal No. - ") + PrintPen::numberItem(m_in.proposalNumber));
    m_pen.printLineAt(8784, QStringLiteral("Date: ") + Dates::toShort(m_in.today));
}

// The business's city lines follow the customer's address style.
void ProposalJob::headerCityLines() {
    const BusinessInfo& b = m_in.business;
    if (m_in.customerUsaStyle) {
        m_pen.printLineAt(
            1440, b.field(4) + QStringLiteral(", ") + b.field(5) + QLatin1Char(' ') + b.field(6));
    } else {
        m_pen.printLineAt(1440, b.field(4));
        m_pen.printLineAt(1440, b.field(5));
    }
}

void ProposalJob::head() {
    m_pen.setInk(Ink::Black);
    m_pen.SetFont(8, true, false);
    m_pen.moveTo(2304, 1944);
    m_pen.print(QStringLiteral("Proposal submitted to:"));
    m_pen.printLineAt(7200, QStringLiteral("Work to be performed at:"));
    m_pen.moveTo(1440, 2304);
    if (m_in.fieldProposal) {
        fieldHead();
    } else {
        headRows();
    }
}

void ProposalJob::headRows() {
    const auto c = [this](int n) { return m_in.customerLine(n); };
    const auto s = [this](int n) { return m_in.siteLine(n); };
    twoCells(c(1), s(1));
    twoCells(c(2), s(2));
    if (!s(3).isEmpty()) {
        twoCells(c(3), s(3));
    }
    if (m_in.customerUsaStyle) {
        twoCells(c(4) + QStringLiteral(", ") + c(5) + QLatin1Char(' ') + c(6),
                 s(4) + QStringLiteral(", ") + s(5) + QLatin1Char(' ') + s(6));
    } else {
        twoCells(c(4), s(4));
        twoCells(c(5), s(5));
        twoCells(c(6), s(6));
    }
    twoCells(c(7), s(7));
}

void ProposalJob::fieldHead() {
    const auto c = [this](int n) { return m_in.customerLine(n); };
    m_pen.printLineAt(1440, c(1));
    m_pen.printLineAt(1440, c(2));
    if (!c(3).isEmpty()) {
        m_pen.printLineAt(1440, c(3));
    }
    if (m_in.customerUsaStyle) {
        m_pen.printLineAt(1440, c(4) + QStringLiteral(", ") + c(5) + QLatin1Char(' ') + c(6));
    } else {
        m_pen.printLineAt(1440, c(4));
        m_pen.printLineAt(1440, c(6));
    }
    m_pen.setX(1440);
    m_pen.print(c(7));
    m_pen.SetFont(8, false, false);
    m_pen.setFontName(arial());
    for (int y : {2304, 2592, 2880, 3168}) {
        m_pen.moveTo(6192, y);
        m_pen.printLine(underscores(45));
    }
    m_pen.selectPrintFont();
}

void ProposalJob::body(int copy) {
    m_pen.setY(BodyTop);
    if (m_in.fieldProposal) {
        for (int y = 4500; y <= 8500; y += 500) {
            m_pen.line(RuleLeft, y, RuleRight, y);
        }
    } else {
        bodyText(copy);
    }
    noteRules();
    if (m_pen.y() >= ContinueAt) {
        continuation(copy);
    }
    lowerSection();
}

void ProposalJob::bodyFont() {
    m_pen.setFontName(QStringLiteral("Courier New"));
    m_pen.SetFont(m_in.bodyTextSize, m_pen.font().bold, m_pen.font().underline);
}

// The page is checked before every printed line, not only after each line of
// the file: a long paragraph would otherwise run on below the body box.
void ProposalJob::bodyText(int copy) {
    bodyFont();
    for (const QString& line : m_in.body) {
        for (const QString& piece : wrappedLines(line, BodyWidth)) {
            continueIfFull(copy);
            m_pen.printLineAt(BodyLeft, piece);
        }
        continueIfFull(copy);
    }
}

void ProposalJob::continueIfFull(int copy) {
    if (m_pen.y() < ContinueAt) {
        return;
    }
    m_pen.PrintWrapped(BodyLeft, m_pen.y(), BodyWidth, QStringLiteral("Continued on Next Page"));
    continuation(copy);
    bodyFont();
}

// The lines PrintWrapped would print for `text`, so that the page can be
// checked between them: cut after the last blank that still fits inside the
// column's 20-twip margin, the blank kept at the end of the line and the
// blanks after it dropped; a word wider than the column alone on its line;
// one line at least.
QStringList ProposalJob::wrappedLines(const QString& text, int width) const {
    const int limit = width - WrapMargin;
    QStringList lines;
    QString rest = text;
    do {
        qsizetype length = rest.size();
        if (m_pen.textWidth(rest) > limit) {
            length = 0;
            for (qsizetype i = rest.indexOf(QLatin1Char(' '));
                 i >= 0 && m_pen.textWidth(rest.left(i + 1)) <= limit;
                 i = rest.indexOf(QLatin1Char(' '), i + 1)) {
                length = i + 1;
            }
        }
        if (length == 0) {
            const qsizetype blank = rest.indexOf(QLatin1Char(' '));
            length = blank < 0 ? rest.size() : blank + 1;
        }
        lines << rest.left(length);
        rest = rest.mid(length);
        if (lines.last().endsWith(QLatin1Char(' '))) {
            while (rest.startsWith(QLatin1Char(' '))) {
                rest.remove(0, 1);
            }
        }
    } while (!rest.isEmpty());
    return lines;
}

// Ruled lines for notes below the body, 500 twips apart, while the pen is
// above 7920 twips.
void ProposalJob::noteRules() {
    m_pen.selectPrintFont();
    m_pen.SetFont(8, m_pen.font().bold, m_pen.font().underline);
    m_pen.setFontName(arial());
    m_pen.setY(m_pen.y() + 360);
    int nextRule = m_pen.y();
    for (int i = 0; i < 9 && m_pen.y() < RulesStopAt; ++i) {
        m_pen.line(RuleLeft, nextRule, RuleRight, nextRule);
        nextRule += 500;
    }
}

void ProposalJob::lowerSection() {
    m_pen.setFontName(arial());
    m_pen.SetFont(8, m_pen.font().bold, m_pen.font().underline);
    m_pen.moveTo(LowerLeft, 9216);
    m_pen.printLine(QStringLiteral("Representative ") + underscores(30));
    m_pen.selectPrintFont();
    m_pen.printLineAt(LowerLeft, QStringLiteral("Proposal may be withdrawn if not accepted in ") +
                                     m_in.days + QStringLiteral(" Days"));
    disclaimer();
    m_pen.setInk(pageTextInk());
    m_pen.SetFont(12, m_pen.font().bold, m_pen.font().underline);
    if (m_in.fieldProposal) {
        fieldPrice();
    } else {
        price();
    }
}

void ProposalJob::disclaimer() {
    QString printed;
    if (m_in.genericDisclaimer) {
        printed = Terms::GenericDisclaimer();
        m_pen.PrintWrapped(LowerLeft, m_pen.y(), 4680, printed);
    } else if (m_in.customDisclaimer) {
        const QStringList lines = m_in.customDisclaimer->split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            m_pen.PrintWrapped(LowerLeft, m_pen.y(), 4680, line);
        }
        printed = lines.join(QString());
    }
    if (printed.contains(QLatin1String("on above work to be provided by:"))) {
        m_pen.printLine();
        m_pen.setFontName(arial());
        m_pen.printLineAt(LowerLeft, underscores(46));
        m_pen.selectPrintFont();
    }
}

void ProposalJob::price() {
    m_pen.moveTo(PriceLeft, 9216);
    m_pen.printLine(QStringLiteral("Proposed Price: ") + m_in.price);
    m_pen.SetFont(8, m_pen.font().bold, m_pen.font().underline);
    m_pen.printLineAt(PriceLeft, QStringLiteral("With Payments to be made as follows:"));
    m_pen.SetFont(0, true, true);
    payments();
}

void ProposalJob::payments() {
    const auto amount = [this](int k) {
        return k <= m_in.payments.size() ? displayAmount(m_in.payments.at(k - 1).amount)
                                         : QString();
    };
    const auto date = [this](int k) {
        return k <= m_in.payments.size() ? m_in.payments.at(k - 1).date : QString();
    };
    const QString onOrBefore = QStringLiteral(" on or before ");
    switch (m_in.paymentOption) {
        case 0:
            m_pen.printLineAt(
                PriceLeft, QStringLiteral("Down Payment of ") + amount(1) + onOrBefore + date(1));
            m_pen.printLineAt(
                PriceLeft, QStringLiteral("Final Payment of ") + amount(2) + onOrBefore + date(2));
            return;
        case 1:
            m_pen.printLineAt(
                PriceLeft, QStringLiteral("Final Payment of ") + amount(1) + onOrBefore + date(1));
            return;
        default:
            break;
    }
    m_pen.setX(PriceLeft);
    m_pen.print(QStringLiteral("Payment Due Date"));
    rightEnded(5040, QStringLiteral("Amount"));
    m_pen.printLine();
    m_pen.SetFont(0, true, false);
    m_pen.printLine();
    for (int k = 1; k <= m_in.payments.size(); ++k) {
        rightEnded(2160, date(k));
        rightEnded(5040, amount(k));
        m_pen.printLine();
    }
}

void ProposalJob::fieldPrice() {
    m_pen.setFontName(arial());
    m_pen.moveTo(PriceLeft, 9072);
    m_pen.SetFont(12, m_pen.font().bold, m_pen.font().underline);
    m_pen.printLine(QStringLiteral("Proposed Price: ") + underscores(13));
    m_pen.SetFont(8, m_pen.font().bold, m_pen.font().underline);
    m_pen.printLineAt(PriceLeft, QStringLiteral("With Payments to be made as follows:"));
    m_pen.moveTo(PriceLeft, 9792);
    const QString blank = underscores(14) + QLatin1Char('.') + underscores(7) +
                          QStringLiteral("     by") + underscores(4) + QLatin1Char('/') +
                          underscores(4) + QLatin1Char('/') + underscores(4);
    for (int i = 0; i < 5; ++i) {
        m_pen.printLineAt(PriceLeft, blank);
        m_pen.printLine();
    }
    m_pen.selectPrintFont();
}

void ProposalJob::acceptance(int copy) {
    m_pen.selectPrintFont();
    m_pen.SetFont(10, true, false);
    m_pen.setInk(pageTextInk());
    const QString title = QStringLiteral("Acceptance of Proposal");
    m_pen.moveTo((m_pen.printableWidth() - m_pen.textWidth(title)) / 2, 11952);
    m_pen.printLine(title);
    m_pen.PrintWrapped(1224, 12240, 9720,
                       QStringLiteral("The above prices, specifications and conditions are "
                                      "satisfactory and are hereby accepted. ") +
                           QStringLiteral("You are authorized to do the work as specified. ") +
                           QStringLiteral("Payment will be made as outlined above"));
    m_pen.printLine();
    m_pen.setFontName(arial());
    const QString signature = QStringLiteral("Signature") + underscores(30);
    m_pen.printLineAt(5040, signature);
    m_pen.printLineAt(1440, QStringLiteral("Date") + underscores(15));
    m_pen.printLineAt(5040, signature);
    m_pen.selectPrintFont();
    const QString caption = CopyCaption(copy);
    m_pen.moveTo(m_pen.printableWidth() / 2 - m_pen.textWidth(caption) / 2,
                 m_pen.printableHeight() - m_pen.lineHeight());
    m_pen.printLine(caption);
}

void ProposalJob::continuation(int copy) {
    m_pen.newPage();
    m_pen.selectPrintFont();
    ++m_pageNumber;
    frame(copy, m_pageNumber);
    m_pen.setY(BodyTop);
}
}  // namespace

QString ProposalPrintInput::customerLine(int n) const {
    return n >= 1 && n <= customer.size() ? customer.at(n - 1) : QString();
}

QString ProposalPrintInput::siteLine(int n) const {
    return n >= 1 && n <= site.size() ? site.at(n - 1) : QString();
}

const QStringList& AcceptanceDays() {
    static const QStringList days{QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20"),
                                  QStringLiteral("30"), QStringLiteral("45"), QStringLiteral("60")};
    return days;
}

ProposalPrintInput PrintInputFor(const AppContext& ctx) {
    const Settings& s = ctx.settings();
    ProposalPrintInput in;
    in.style = PrintStyle{s.fontName, s.printInColour, s.borderColour};
    in.copies = ctx.vars().Copies;
    in.business.fields = ctx.vars().BusinessData;
    in.business.usaStyle = s.addressStyle == AddressStyle::Usa;
    if (!s.webAddress.isEmpty()) {
        in.business.webAddress = s.webAddress;
    }
    in.logo = LogoInfo{s.logo, s.logoWidth, s.logoHeight};
    in.proposalNumber = ctx.vars().ProposalNumber;
    in.today = ctx.clock().today();
    return in;
}

QString CopyCaption(int copy) {
    switch (copy) {
        case 1:
            return QStringLiteral("Original");
        case 2:
            return QStringLiteral("Duplicate");
        case 3:
            return QStringLiteral("Triplicate");
        default:
            return QStringLiteral("File Copy");
    }
}

void DrawProposalBoxes(PrintPen& pen, int copy) {
    const bool colour = pen.style().colour;
    const quint32 copyInk = colour && copy < 3 ? Ink::Blue : Ink::Black;
    const quint32 pageInk = colour && pen.pageCounter() < 3 ? Ink::DarkBlue : Ink::Black;
    const quint32 textInk = pen.ink();
    pen.setLineWidth(2);
    pen.setInk(copyInk);
    pen.box(1080, 2160, 5400, 3600);
    pen.box(5760, 2160, 10800, 3600);
    pen.box(1080, 3960, 10800, 11520);
    pen.setInk(pageInk);
    pen.box(8640, 720, 10800, 1800);
    pen.box(1080, 11880, 10800, 13680);
    pen.setInk(textInk);
    pen.setLineWidth(1);
}

bool PrintProposal(PageDevice& device, const ProposalPrintInput& input, PenState* left) {
    PrintPen pen(device, input.style);
    pen.PrinterSetup(QStringLiteral("Portrait"), input.style.colour);
    ProposalJob job(pen, input);
    const int copies = qBound(1, input.copies, 5);
    for (int copy = 1; copy <= copies; ++copy) {
        job.printCopy(copy);
    }
    if (left) {
        *left = PenState{pen.font(), pen.ink()};
    }
    return device.end();
}

PrintRequest ProposalPrintRequest(const QString& title, const ProposalPrintInput& input) {
    PrintRequest r;
    r.title = title;
    r.copies = qBound(1, input.copies, 5);
    r.allowPrintToFile = false;
    r.allowPageRange = false;
    r.colour = input.style.colour;
    return r;
}

int CaptionedCopies(const PrintRequest& answered) {
    return qBound(1, answered.copies, 5);
}

DrawDocument ProposalDocument(const ProposalPrintInput& input, const PrintRequest& request,
                              const std::function<bool(PrintTarget&, const PenState&)>& more) {
    return [input, request, more](PrintTarget& target) {
        std::unique_ptr<PageDevice> device = target.open(request);
        PenState left;
        if (!device || !PrintProposal(*device, input, &left)) {
            return false;
        }
        device.reset();
        return !more || more(target, left);
    };
}

bool PrintSample(PageDevice& device, const PrintStyle& style, const LogoInfo& logo) {
    PrintPen pen(device, style);
    pen.PrinterSetup(QStringLiteral("Portrait"), style.colour);
    PrintLogo(pen, logo, 0.25f);
    DrawProposalBoxes(pen, 1);
    return device.end();
}
