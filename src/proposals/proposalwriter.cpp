#include "proposals/proposalwriter.h"

#include "customers/customerrecord.h"
#include "print/printtarget.h"
#include "print/validation.h"
#include "proposals/proposalcounter.h"
#include "proposals/proposalfiles.h"
#include "proposals/terms.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/textcodec.h"

#include <QFile>

#include <utility>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kEnterManually = QStringLiteral("Enter Manually");

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
    : m_ctx(ctx),
      m_site(CustomerBlock::LineCount, QString()),
      m_body(Terms::GenericTerms()),
      m_templates(ctx),
      m_pricing(ctx),
      m_taxStatement(BodyText::defaultTaxStatement()) {
    m_view.jobSiteCaption = kEnterManually;
    m_view.days = QStringLiteral("30");
}

QString ProposalWriter::blankBodyMessage() {
    return QStringLiteral("The Proposal Body cannot be blank");
}

QString ProposalWriter::noCreationMessage() {
    return QStringLiteral("Select a Body Creation Button before Entering Data");
}

ProposalWriter::View ProposalWriter::view() const {
    View v = m_view;
    v.customer = m_customer;
    v.site = m_site;
    v.body = m_body.text();
    v.headerEnabled = m_body.headerEnabled();
    v.terms = m_body.termsOptions();
    v.taxStatement = m_taxStatement;
    v.items = m_items.sorted();
    v.itemBoxes = m_itemBoxes;
    v.categories = m_items.categories();
    v.copiesCaption = QStringLiteral("Number of Copies ") + QString::number(m_ctx.vars().Copies);
    return v;
}

WriterFocus ProposalWriter::takeFocus() {
    const WriterFocus fromPricing = m_pricing.takeFocus();
    const WriterFocus own = std::exchange(m_focus, WriterFocus());
    return own.control != WriterFocus::None ? own : fromPricing;
}

bool ProposalWriter::customTermsExist() {
    return m_ctx.store().FileExists(Terms::customTermsPath());
}

// The one place the settings' rate texts become numbers.
TaxRates ProposalWriter::taxRates() const {
    const Settings& s = m_ctx.settings();
    return TaxRates{TaxRates::parseRate(s.taxRate1), TaxRates::parseRate(s.taxRate2), s.applyTax1,
                    s.applyTax2};
}

void ProposalWriter::load(const QString& customDisclaimerBox) {
    m_view.customDisclaimer = !customDisclaimerBox.isEmpty();
    resetTerms();
    m_items.LoadItems(m_ctx);
}

void ProposalWriter::activate(const CustomerBlock& customer) {
    m_customer = customer;
    m_site = customer.lines;
    m_view.changeCustomer = true;
    m_view.jobSiteCaption = kEnterManually;
    m_view.templates = m_templates.list();
    m_view.templateOption = !m_view.templates.isEmpty();
    m_taxStatement = BodyText::defaultTaxStatement();
    m_view.creation = Creation::None;
    // Taxes already applied in the pricing step are kept: only entering the
    // step from the body starts them over.
    if (m_view.step < Step::Pricing) {
        m_pricing.setupTaxBoxes(taxRates());
    }
}

void ProposalWriter::setSiteLine(int n, const QString& text) {
    if (n >= 1 && n <= CustomerBlock::LineCount) {
        m_site[n - 1] = text;
    }
}

void ProposalWriter::toggleJobSite() {
    if (m_view.jobSiteCaption == kEnterManually) {
        m_site = QStringList(CustomerBlock::LineCount, QString());
        focus(WriterFocus::SiteName);
        m_view.jobSiteCaption = QStringLiteral("Same as Account");
    } else {
        m_site = m_customer.lines;
        m_view.jobSiteCaption = kEnterManually;
    }
}

void ProposalWriter::press(StepButton button) {
    switch (button) {
        case StepButton::NextToBody:
            m_view.step = Step::Body;
            m_view.instructions = 2;
            m_view.changeCustomer = false;
            if (m_body.isEmpty()) {
                resetTerms();
            }
            return;
        case StepButton::BackToLocation:
            m_view.step = Step::ServiceLocation;
            m_view.instructions = 1;
            m_view.changeCustomer = true;
            return;
        case StepButton::NextToPricing:
            toPricing();
            return;
        case StepButton::BackToBody:
            m_view.step = Step::Body;
            m_view.instructions = 2;
            m_view.creation = Creation::None;
            m_view.itemsMenu = m_items.itemsExist();
            return;
        case StepButton::NextToFinalize:
            toFinalize();
            return;
        case StepButton::BackToPricing:
            m_view.step = Step::Pricing;
            m_view.instructions = 3;
            m_view.printFrame = false;
            return;
    }
}

void ProposalWriter::toPricing() {
    if (m_body.isEmpty()) {
        m_ctx.alarm();
        m_ctx.prompter().message(blankBodyMessage(), title());
        return;
    }
    m_view.step = Step::Pricing;
    m_view.instructions = 3;
    m_view.itemsMenu = false;
    m_view.itemsFrame = false;
    m_pricing.prepare(taxRates(), m_body.lastItemExtension());
}

void ProposalWriter::toFinalize() {
    if (m_pricing.checkSchedule()) {
        m_view.step = Step::Finalize;
        m_view.instructions = 4;
    }
}

ProposalWriter::Next ProposalWriter::press(WriteButton button) {
    switch (button) {
        case WriteButton::Menu:
            return Next::ShowMenu;
        case WriteButton::ClearBody:
            clearBody();
            return Next::Stay;
        case WriteButton::OtherCustomer:
            return Next::ShowCustomer;
    }
    return Next::Stay;
}

void ProposalWriter::chooseCreation(Creation creation) {
    m_view.creation = creation;
    m_view.templatesFrame = false;
    resetTerms();
    m_view.deleteTemplate = false;
    m_view.saveTemplate = true;
    if (creation == Creation::FromDocument) {
        loadDocument();
    } else if (creation == Creation::FromTemplate) {
        m_view.templatesFrame = m_view.templateOption;
    } else if (creation == Creation::Manual) {
        m_view.instructions = 5;
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
    const std::optional<QByteArray> head = BodyText::readDocumentHead(file);
    if (!head) {
        m_ctx.prompter().message(QStringLiteral("%1 is not a text document.").arg(path), title());
        return;
    }
    m_body.setText(BodyText::fromDocument(*head));
    creationCheck();
}

bool ProposalWriter::creationCheck() {
    if (m_view.creation == Creation::None) {
        m_ctx.prompter().message(noCreationMessage(), title());
        return false;
    }
    if (!m_body.isEmpty()) {
        focusBody();
    }
    return true;
}

void ProposalWriter::typeBody(const QString& text) {
    m_body.setText(text);
}

void ProposalWriter::bodyFocused() {
    m_view.instructions = 5;
    m_view.itemsMenu = m_items.itemsExist();
}

void ProposalWriter::addHeader() {
    m_body.addHeader();
    focusBody();
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
    if (m_view.creation == Creation::FromTemplate) {
        m_view.creation = Creation::None;
    }
}

Templates::Saved ProposalWriter::saveTemplate() {
    const Templates::Saved saved = m_templates.save(m_body);
    m_view.templates = m_templates.list();
    m_view.templateOption = !m_view.templates.isEmpty();
    return saved;
}

void ProposalWriter::deleteTemplate(const QString& fileName) {
    m_templates.remove(fileName);
    m_view.templates = m_templates.list();
    m_view.templateOption = !m_view.templates.isEmpty();
}

void ProposalWriter::clearBody() {
    m_view.creation = Creation::None;
    m_body.clear(customTermsExist());
}

void ProposalWriter::selectTerms(TermsOptions::Choice choice) {
    m_body.selectTerms(choice);
}

void ProposalWriter::addTerms() {
    std::optional<QString> custom;
    if (m_body.termsOptions().selected == TermsOptions::Custom) {
        FileRead<QString> r = Terms::loadCustomText(m_ctx.store(), Terms::customTermsPath());
        m_ctx.reportIoError(r.status);
        if (r.value) {
            custom = withCrLf(*r.value);
        }
    }
    if (m_body.addTerms(custom)) {
        focusBody();
    }
}

void ProposalWriter::setTaxStatement(const QString& text) {
    m_taxStatement = text;
}

void ProposalWriter::press(TaxButton button) {
    switch (button) {
        case TaxButton::Clear:
            m_taxStatement.clear();
            focus(WriterFocus::TaxStatement);
            return;
        case TaxButton::ReloadDefault:
            m_taxStatement = BodyText::defaultTaxStatement();
            return;
        case TaxButton::AddToBody:
            m_body.addTaxStatement(m_taxStatement);
            focusBody();
            return;
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
    m_itemBoxes.description = description;
    m_itemBoxes.price = price->display(MoneyLocale());
    m_itemBoxes.quantity.clear();
    focus(WriterFocus::ItemQuantity);
}

void ProposalWriter::setItemBox(ItemField field, const QString& text) {
    switch (field) {
        case ItemField::Description:
            m_itemBoxes.description = text;
            return;
        case ItemField::Price:
            m_itemBoxes.price = text;
            return;
        case ItemField::Quantity:
            m_itemBoxes.quantity = text;
            return;
        case ItemField::Category:
            m_itemBoxes.category = text;
            return;
    }
}

void ProposalWriter::leaveItemPrice() {
    PlainBox box(m_itemBoxes.price);
    if (!FormatAmountBox(m_ctx, box)) {
        focus(WriterFocus::ItemPrice);
    }
    m_itemBoxes.price = box.text();
}

void ProposalWriter::press(ItemButton button) {
    switch (button) {
        case ItemButton::Add:
            addItem();
            return;
        case ItemButton::Clear:
            clearItem();
            return;
        case ItemButton::Close:
            m_view.itemsFrame = false;
            return;
        case ItemButton::Manually:
            m_addingNewItem = true;
            clearItem();
            focus(WriterFocus::ItemDescription);
            return;
        case ItemButton::SaveNew:
            saveNewItem();
            return;
    }
}

void ProposalWriter::clearItem() {
    m_itemBoxes.description.clear();
    m_itemBoxes.price.clear();
    m_itemBoxes.quantity.clear();
}

void ProposalWriter::addItem() {
    const ItemLine line =
        ItemLine::build(m_itemBoxes.quantity, m_itemBoxes.description, m_itemBoxes.price);
    if (line.problem != ItemLine::Problem::None) {
        focus(line.problem == ItemLine::Problem::NoQuantity ? WriterFocus::ItemQuantity
                                                            : WriterFocus::ItemPrice);
        return;
    }
    m_body.addItemLine(line);
    const bool offer =
        m_addingNewItem &&
        m_ctx.prompter().message(QStringLiteral("Would you like to add this\r\nitem to your "
                                                "Inventory?"),
                                 QStringLiteral("Add NewItem"), Buttons::YesNo,
                                 Icon::Question) == Answer::Yes;
    if (offer) {
        m_view.addNewFrame = true;
    } else {
        clearItem();
    }
}

void ProposalWriter::saveNewItem() {
    m_view.addNewFrame = false;
    if (SaveNewItem(m_ctx, m_itemBoxes.category, m_itemBoxes.description, m_itemBoxes.price)) {
        clearItem();
    }
}

void ProposalWriter::chooseDays(const QString& days) {
    if (AcceptanceDays().contains(days)) {
        m_view.days = days;
    }
}

void ProposalWriter::chooseDisclaimer(bool generic) {
    m_view.genericDisclaimer = generic || !m_view.customDisclaimer;
}

void ProposalWriter::setPrintSize(PrintSize size) {
    m_view.printSize = size;
}

ProposalContents ProposalWriter::contents() const {
    const PaymentSchedule& sched = m_pricing.schedule();
    ProposalContents c;
    c.header.number = QString::number(m_ctx.vars().ProposalNumber);
    c.header.proposedPrice = m_pricing.total();
    c.header.creationDate = m_ctx.clock().today();
    c.header.accountKey = m_customer.line(7);
    c.header.setCustomerLines(m_customer.lines.mid(0, 7));
    c.header.setSiteLines(m_site.mid(0, 7));
    c.body = m_body.text();
    ProposalPayments payments;
    payments.total = m_pricing.total();
    for (int k = 0; k < sched.count(); ++k) {
        payments.payments.append(
            {sched.amount(k).value_or(Money()), sched.date(k).value_or(QDate())});
    }
    c.payments = payments;
    c.financials = ProposalFinancials{m_pricing.preAmount(), m_pricing.total(), m_pricing.tax1(),
                                      m_pricing.tax2()};
    return c;
}

ProposalPrintInput ProposalWriter::printInput() const {
    ProposalPrintInput in = PrintInputFor(m_ctx);
    in.customerUsaStyle = m_customer.usaStyle;
    in.customer = m_customer.lines.mid(0, 7);
    in.site = m_site.mid(0, 7);
    // As the stored body file reads back.
    in.body = Text::splitLines(ProposalFiles::bodyBytes(m_body.text()));
    in.bodyTextSize = static_cast<int>(m_view.printSize);
    in.price = m_pricing.shown(m_pricing.total());
    const PaymentSchedule& sched = m_pricing.schedule();
    const Pricing::Option option = m_pricing.option();
    in.paymentOption = option != Pricing::Option::None ? static_cast<int>(option)
                       : sched.count() == 1            ? static_cast<int>(Pricing::Option::InFull)
                                            : static_cast<int>(Pricing::Option::Multiple);
    for (int k = 0; k < sched.count(); ++k) {
        in.payments.append({sched.amountText(k), sched.dateLabel(k)});
    }
    in.days = m_view.days;
    in.genericDisclaimer = m_view.genericDisclaimer;
    if (!in.genericDisclaimer) {
        // A custom disclaimer that cannot be read prints none; printing goes on.
        in.customDisclaimer =
            Terms::loadCustomText(m_ctx.store(), Terms::customDisclaimerPath()).value;
    }
    return in;
}

QString ProposalWriter::jobTitle() const {
    return QStringLiteral("Proposal ") + QString::number(m_ctx.vars().ProposalNumber);
}

bool ProposalWriter::printOnce(PrintTarget& target, ProposalPrintInput input) {
    PrintRequest request = ProposalPrintRequest(jobTitle(), input);
    if (!m_ctx.prompter().printDialog(&request)) {
        return false;
    }
    input.copies = CaptionedCopies(request);
    std::unique_ptr<PageDevice> device = target.open(request);
    if (device && PrintProposal(*device, input)) {
        return true;
    }
    const QString error = device ? device->error() : target.error();
    m_ctx.prompter().message(QStringLiteral("The Proposal could not be printed: ") + error, title(),
                             Buttons::Ok, Icon::Exclamation);
    return false;
}

bool ProposalWriter::saveOnce(const ProposalPrintInput& input) {
    const QString suggested =
        m_ctx.store().fullPath(QStringLiteral("/Documents/Proposals/") +
                               QString::number(input.proposalNumber) + QStringLiteral(".pdf"));
    return SaveDocumentAsPdf(m_ctx, jobTitle(), suggested,
                             ProposalDocument(input, ProposalPrintRequest(jobTitle(), input)));
}

void ProposalWriter::preview() {
    const ProposalPrintInput input = printInput();
    PreviewDocument(m_ctx, jobTitle(), false,
                    ProposalDocument(input, ProposalPrintRequest(jobTitle(), input)));
}

// The output and its two questions, repeated while the user asks to reprint.
bool ProposalWriter::confirmed(const std::function<bool(const ProposalPrintInput&)>& output,
                               const ProposalPrintInput& input) {
    Prompter& p = m_ctx.prompter();
    for (;;) {
        if (output(input) && p.message(QStringLiteral("Did the Proposal Print Correctly"),
                                       QStringLiteral("Print Confirmation"), Buttons::YesNo,
                                       Icon::Question) == Answer::Yes) {
            return true;
        }
        if (p.message(QStringLiteral("Would you like to try to Reprint?"),
                      QStringLiteral("Print Retry"), Buttons::YesNo,
                      Icon::Question) != Answer::Yes) {
            return false;
        }
    }
}

ProposalWriter::Stored ProposalWriter::printAndRecord(PrintTarget& target) {
    return record([&](const ProposalPrintInput& in) { return printOnce(target, in); });
}

ProposalWriter::Stored ProposalWriter::saveAsPdfAndRecord() {
    return record([this](const ProposalPrintInput& in) { return saveOnce(in); });
}

ProposalWriter::Stored ProposalWriter::record(
    const std::function<bool(const ProposalPrintInput&)>& output) {
    m_view.printFrame = false;
    if (!ProposalCounter::numberLeft(m_ctx)) {
        return Stored::NotStored;
    }
    const QString fileName = ProposalFiles::fileName(m_ctx.vars().ProposalNumber);
    const IoStatus stored = ProposalStore::store(m_ctx.store(), fileName, contents());
    if (!stored) {
        m_ctx.reportIoError(stored);
        return Stored::NotStored;
    }
    if (confirmed(output, printInput())) {
        return ProposalCounter::advanceCurrent(m_ctx) ? Stored::Confirmed : Stored::NotAdvanced;
    }
    m_ctx.reportIoError(ProposalStore::remove(m_ctx.store(), fileName));
    return Stored::Withdrawn;
}
