#include "proposals/proposalwriter.h"

#include "customers/customerrecord.h"
#include "print/printtarget.h"
#include "proposals/proposalcounter.h"
#include "proposals/proposalfiles.h"
#include "proposals/terms.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/textcodec.h"

#include <QFile>

#include <functional>
#include <utility>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

const Settings& settingsOf(const AppContext& ctx) {
    static const Settings defaults;
    return ctx.settings ? *ctx.settings : defaults;
}

QString joinedName(const CustomerRecord& r) {
    QStringList parts;
    for (const QString& p : {r.Title, r.FirstName, r.MiddleInitial, r.LastName}) {
        if (!p.trimmed().isEmpty()) {
            parts << p.trimmed();
        }
    }
    return parts.join(QLatin1Char(' '));
}

// The custom terms file keeps its line breaks as line feeds; the body has CR LF.
QString withCrLf(QString text) {
    text.replace(kCrLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), kCrLf);
}

QString title() {
    return AppContext::applicationTitle();
}
}  // namespace

CustomerBlock CustomerBlock::fromRecord(const CustomerRecord& r, bool usaStyle) {
    CustomerBlock b;
    b.usaStyle = usaStyle;
    b.account = r.AccountNumber.trimmed();
    const QString name =
        r.AccountType.trimmed() != CustomerRecord::individual() ? r.AccountName : joinedName(r);
    const QString fourth = usaStyle ? r.State : r.ZipOrAddress4;
    const QString postal = usaStyle ? r.shownPostalCode() : r.ZipCode;
    b.lines = QStringList{name,   r.Address1, r.Address2, r.CityOrAddress3,
                          fourth, postal,     r.Phone,    r.CellPhone};
    for (QString& line : b.lines) {
        line = line.trimmed();
    }
    return b;
}

ProposalWriter::ProposalWriter(AppContext& ctx)
    : site(CustomerBlock::LineCount, QString()),
      m_ctx(ctx),
      m_body(Terms::GenericTerms()),
      m_templates(ctx),
      m_pricing(MoneyLocale()) {}

QString ProposalWriter::blankBodyMessage() {
    return QStringLiteral("The Proposal Body cannot be blank");
}

QString ProposalWriter::noCreationMessage() {
    return QStringLiteral("Select a Body Creation Button before Entering Data");
}

const QStringList& ProposalWriter::dayChoices() {
    static const QStringList days{QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20"),
                                  QStringLiteral("30"), QStringLiteral("45"), QStringLiteral("60")};
    return days;
}

QString ProposalWriter::takeFocus() {
    const QString fromPricing = m_pricing.takeFocus();
    const QString f = m_focus.isEmpty() ? fromPricing : m_focus;
    m_focus.clear();
    return f;
}

bool ProposalWriter::customTermsExist() {
    return m_ctx.store().FileExists(Terms::customTermsPath());
}

TaxRates ProposalWriter::taxRates() const {
    const Settings& s = settingsOf(m_ctx);
    TaxRates r;
    r.rate1 = TaxRates::parseRate(s.taxRate1);
    r.rate2 = TaxRates::parseRate(s.taxRate2);
    r.apply1 = s.applyTax1;
    r.apply2 = s.applyTax2;
    return r;
}

void ProposalWriter::load(const QString& customDisclaimerBox) {
    m_view.customDisclaimer = !customDisclaimerBox.isEmpty();
    resetTerms();
    m_items.LoadItems(m_ctx);
    m_view.itemsFrame = false;
    m_pricing.schedule().setCount(1);
    days = QStringLiteral("30");
    printSize = 8;
    m_creation = NoCreation;
}

void ProposalWriter::activate(const CustomerBlock& customer) {
    m_customer = customer;
    m_view.changeCustomer = true;
    site = customer.lines;
    m_view.jobSiteCaption = QStringLiteral("Enter Manually");
    m_view.templateOption = m_templates.available();
    taxStatement = BodyText::defaultTaxStatement();
    m_creation = NoCreation;
    // Taxes already applied in the pricing step are kept: only entering the
    // step from the body starts them over.
    if (m_view.step < 3) {
        m_pricing.setRates(taxRates());
        m_pricing.setupTaxBoxes();
    }
}

void ProposalWriter::toggleJobSite() {
    if (m_view.jobSiteCaption == QLatin1String("Enter Manually")) {
        site = QStringList(CustomerBlock::LineCount, QString());
        m_focus = QStringLiteral("txtCustomerInfo(1)");
        m_view.jobSiteCaption = QStringLiteral("Same as Account");
    } else {
        site = m_customer.lines;
        m_view.jobSiteCaption = QStringLiteral("Enter Manually");
    }
}

void ProposalWriter::toBody() {
    m_view.step = 2;
    m_view.changeCustomer = false;
    if (m_body.isEmpty()) {
        resetTerms();
    }
}

void ProposalWriter::backToLocation() {
    m_view.changeCustomer = true;
    m_view.step = 1;
}

bool ProposalWriter::toPricing() {
    if (m_body.isEmpty()) {
        m_ctx.alarm();
        m_ctx.prompter().message(blankBodyMessage(), title());
        return false;
    }
    m_view.step = 3;
    m_view.itemsMenu = false;
    m_view.itemsFrame = false;
    m_pricing.setRates(taxRates());
    m_pricing.setLastItemExtension(m_body.lastItemExtension());
    m_pricing.prepare();
    return true;
}

void ProposalWriter::backToBody() {
    m_creation = NoCreation;
    m_view.itemsMenu = m_items.itemsExist();
    m_view.step = 2;
}

bool ProposalWriter::toFinalize() {
    if (!m_pricing.checkSchedule(m_ctx)) {
        return false;
    }
    m_view.step = 4;
    return true;
}

void ProposalWriter::backToPricing() {
    m_view.printFrame = false;
    m_view.step = 3;
}

void ProposalWriter::chooseCreation(Creation creation) {
    m_creation = creation;
    m_view.templatesFrame = false;
    resetTerms();
    m_view.deleteTemplate = false;
    m_view.saveTemplate = true;
    if (creation == FromDocument) {
        loadDocument();
    } else if (creation == FromTemplate) {
        m_view.templatesFrame = m_view.templateOption;
    } else if (creation == Manual) {
        creationCheck();
    }
}

void ProposalWriter::loadDocument() {
    const QString path = m_ctx.prompter().openFile(QStringLiteral("Create from a Document"),
                                                   QStringLiteral("Text Files (*.txt)|*.txt"), {});
    if (path.isEmpty()) {
        return;
    }
    // The document is the user's own file, wherever it is, and is only read.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_ctx.reportIoError(IoStatus::failure(path, file.errorString()));
        return;
    }
    m_body.setText(BodyText::fromDocument(file.readAll()));
    creationCheck();
}

bool ProposalWriter::creationCheck() {
    if (m_creation == NoCreation) {
        m_ctx.prompter().message(noCreationMessage(), title());
        return false;
    }
    if (!m_body.isEmpty()) {
        focusBody();
    }
    return true;
}

void ProposalWriter::focusBody() {
    m_focus = QStringLiteral("txtBody");
}

void ProposalWriter::bodyFocused() {
    m_view.itemsMenu = m_items.itemsExist();
}

void ProposalWriter::loadTemplate(const QString& fileName) {
    m_view.templatesFrame = false;
    const std::optional<QString> text = m_templates.load(fileName);
    if (!text) {
        return;
    }
    m_body.setText(*text);
    creationCheck();
    m_view.deleteTemplate = true;
    m_view.saveTemplate = true;
}

void ProposalWriter::cancelTemplates() {
    m_view.templatesFrame = false;
    if (m_creation == FromTemplate) {
        m_creation = NoCreation;
    }
}

Templates::Saved ProposalWriter::saveTemplate() {
    const Templates::Saved saved = m_templates.save(m_body);
    m_view.templateOption = m_templates.available();
    return saved;
}

void ProposalWriter::deleteTemplate(const QString& fileName) {
    m_templates.remove(fileName);
    m_view.templateOption = m_templates.available();
}

void ProposalWriter::clearBody() {
    m_creation = NoCreation;
    m_body.clear(customTermsExist());
}

void ProposalWriter::addTerms() {
    std::optional<QString> custom;
    if (m_body.termsOptions().selected == TermsOptions::Custom) {
        IoStatus status;
        custom = Terms::loadCustomText(m_ctx.store(), Terms::customTermsPath(), &status);
        m_ctx.reportIoError(status);
        if (custom) {
            custom = withCrLf(*custom);
        }
    }
    if (m_body.addTerms(custom)) {
        focusBody();
    }
}

void ProposalWriter::toggleItemsFrame() {
    m_view.itemsFrame = !m_view.itemsFrame;
}

void ProposalWriter::chooseItem(const QString& description) {
    const std::optional<Money> price = m_items.priceOf(description);
    if (!price) {
        return;
    }
    itemBoxes.description = description;
    itemBoxes.price = price->display(MoneyLocale());
    itemBoxes.quantity.clear();
    m_focus = QStringLiteral("txtItem(2)");
}

bool ProposalWriter::addItem() {
    const ItemLine line =
        ItemLine::build(itemBoxes.quantity, itemBoxes.description, itemBoxes.price);
    if (line.problem != ItemLine::Problem::None) {
        m_focus = line.problem == ItemLine::Problem::NoQuantity ? QStringLiteral("txtItem(2)")
                                                                : QStringLiteral("txtItem(1)");
        return false;
    }
    m_body.addItemLine(line);
    if (!m_addingNewItem) {
        clearItem();
        return true;
    }
    const Answer a = m_ctx.prompter().message(
        QStringLiteral("Would you like to add this\r\nitem to your Inventory?"),
        QStringLiteral("Add NewItem"), Buttons::YesNo, Icon::Question);
    if (a == Answer::Yes) {
        m_view.addNewFrame = true;
    } else {
        clearItem();
    }
    return true;
}

void ProposalWriter::addItemManually() {
    m_addingNewItem = true;
    clearItem();
    m_focus = QStringLiteral("txtItem(0)");
}

bool ProposalWriter::saveNewItem(const QString& category) {
    m_view.addNewFrame = false;
    if (!SaveNewItem(m_ctx, category, itemBoxes.description, itemBoxes.price)) {
        return false;
    }
    clearItem();
    return true;
}

QString ProposalWriter::copiesCaption() const {
    return QStringLiteral("Number of Copies ") + QString::number(m_ctx.vars().Copies);
}

ProposalHeader ProposalWriter::header() const {
    ProposalHeader h;
    h.number = QString::number(m_ctx.vars().ProposalNumber);
    h.proposedPrice = m_pricing.total();
    h.creationDate = m_ctx.clock().today();
    h.accountKey = m_customer.line(7);
    h.setCustomerLines(m_customer.lines.mid(0, 7));
    h.setSiteLines(site.mid(0, 7));
    return h;
}

bool ProposalWriter::storeFiles(const QString& fileName) {
    const PaymentSchedule& sched = m_pricing.schedule();
    ProposalPayments payments;
    payments.total = m_pricing.total();
    for (int k = 0; k < sched.count(); ++k) {
        payments.payments.append(
            {sched.amount(k).value_or(Money()), sched.date(k).value_or(QDate())});
    }
    const ProposalFinancials financials{m_pricing.preAmount(), m_pricing.total(), m_pricing.tax1(),
                                        m_pricing.tax2()};
    FileStore& store = m_ctx.store();
    const ProposalHeader head = header();
    const QString& body = m_body.text();
    const QList<std::pair<QString, std::function<IoStatus()>>> parts{
        {ProposalFiles::headerPath(fileName),
         [&] { return ProposalFiles::writeHeader(store, fileName, head); }},
        {ProposalFiles::bodyPath(fileName),
         [&] { return ProposalFiles::writeBody(store, fileName, body); }},
        {ProposalFiles::paymentsPath(fileName),
         [&] { return ProposalFiles::writePayments(store, fileName, payments); }},
        {ProposalFiles::financialsPath(fileName),
         [&] { return ProposalFiles::writeFinancials(store, fileName, financials); }},
    };
    QStringList written;
    for (const auto& [path, write] : parts) {
        const IoStatus status = write();
        if (!status) {
            m_ctx.reportIoError(status);
            // No half-stored proposal: what this attempt wrote goes again.
            for (const QString& done : written) {
                store.DeleteDataFile(done);
            }
            return false;
        }
        written << path;
    }
    return true;
}

ProposalPrintInput ProposalWriter::printInput() const {
    const Settings& s = settingsOf(m_ctx);
    ProposalPrintInput in;
    in.style.fontName = s.fontName;
    in.style.colour = s.printInColour;
    in.style.borderColour = s.borderColour;
    in.copies = m_ctx.vars().Copies;
    in.business.fields = m_ctx.vars().BusinessData;
    in.business.usaStyle = s.addressStyle == AddressStyle::Usa;
    if (!s.webAddress.isEmpty()) {
        in.business.webAddress = s.webAddress;
    }
    in.logo = LogoInfo{s.logo, s.logoWidth, s.logoHeight};
    in.proposalNumber = m_ctx.vars().ProposalNumber;
    in.today = m_ctx.clock().today();
    in.customerUsaStyle = m_customer.usaStyle;
    in.customer = m_customer.lines.mid(0, 7);
    in.site = site.mid(0, 7);
    in.body = Text::splitLines(ProposalFiles::bodyBytes(m_body.text()));
    in.bodyTextSize = printSize;
    in.price = m_pricing.shown(m_pricing.total());
    const PaymentSchedule& sched = m_pricing.schedule();
    const Pricing::Option option = m_pricing.option();
    in.paymentOption = option != Pricing::NoOption ? int(option)
                       : sched.count() == 1        ? int(Pricing::InFull)
                                                   : int(Pricing::Multiple);
    for (int k = 0; k < sched.count(); ++k) {
        in.payments.append({sched.amountText(k), sched.dateLabel(k)});
    }
    in.days = days;
    in.genericDisclaimer = genericDisclaimer;
    if (!genericDisclaimer) {
        in.customDisclaimer = Terms::loadCustomText(m_ctx.store(), Terms::customDisclaimerPath());
    }
    return in;
}

bool ProposalWriter::printOnce(PrintTarget& target, const ProposalPrintInput& input) {
    PrintRequest request;
    request.title = QStringLiteral("Proposal ") + QString::number(input.proposalNumber);
    if (!m_ctx.prompter().printDialog(&request)) {
        return false;
    }
    std::unique_ptr<PageDevice> device = target.open(request);
    const bool printed = device && PrintProposal(*device, input);
    if (!printed) {
        const QString error = device ? device->error() : target.error();
        m_ctx.prompter().message(QStringLiteral("The Proposal could not be printed: ") + error,
                                 title(), Buttons::Ok, Icon::Exclamation);
        return false;
    }
    return true;
}

void ProposalWriter::withdraw(const QString& fileName) {
    m_ctx.reportIoError(ProposalFiles::deleteFiles(m_ctx.store(), fileName));
}

ProposalWriter::Stored ProposalWriter::printAndRecord(PrintTarget& target) {
    m_view.printFrame = false;
    const QString fileName = ProposalFiles::fileName(m_ctx.vars().ProposalNumber);
    if (!storeFiles(fileName)) {
        return Stored::StoreFailed;
    }
    ProposalPrintInput input = printInput();
    IoStatus status;
    if (const auto lines = ProposalFiles::readBodyLines(m_ctx.store(), fileName, &status)) {
        input.body = *lines;
    }
    Prompter& p = m_ctx.prompter();
    for (;;) {
        if (printOnce(target, input) &&
            p.message(QStringLiteral("Did the Proposal Print Correctly"),
                      QStringLiteral("Print Confirmation"), Buttons::YesNo,
                      Icon::Question) == Answer::Yes) {
            ProposalCounter::advanceCurrent(m_ctx);
            return Stored::Confirmed;
        }
        if (p.message(QStringLiteral("Would you like to try to Reprint?"),
                      QStringLiteral("Print Retry"), Buttons::YesNo,
                      Icon::Question) != Answer::Yes) {
            break;
        }
    }
    withdraw(fileName);
    return Stored::Withdrawn;
}
