#include "ui/frmwriteproposal.h"

#include "customers/customerfiles.h"
#include "print/printtarget.h"
#include "proposals/terms.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "ui/formwidgets.h"
#include "ui/screenmanager.h"
#include "ui/validatingedit.h"
#include "ui/writerbodyframe.h"
#include "ui/writerpricingframe.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

using W = ProposalWriter;
using Form::button;
using Form::indexed;

namespace {
const QString kName = QStringLiteral("frmWriteProposal");

const QStringList& instructionTexts() {
    static const QStringList texts{
        QStringLiteral("A Proposal is written in four steps: the service location, the body, "
                       "the pricing and payment schedule, and printing."),
        QStringLiteral("Step 1: the work is done at the customer's address unless you click "
                       "Enter Manually and type the job site. Then click NEXT."),
        QStringLiteral("Step 2: choose how to create the body: from a text document, from a "
                       "saved template, or by typing it from scratch."),
        QStringLiteral("Step 3: enter the price before taxes, apply the taxes, choose the "
                       "payments and click each due date on the calendar."),
        QStringLiteral("Step 4: choose the disclaimer and the days the customer has to accept, "
                       "then click Ready to Print."),
        QStringLiteral("Type the body. Add the header, the terms and the tax statement with the "
                       "buttons below, and priced items from the Add Items menu."),
    };
    return texts;
}

CustomerBlock currentCustomer(AppContext& ctx) {
    const CustomerRecord record =
        CustomerFiles::readCustomer(ctx.store(), ctx.vars().CurrentCustomerRecord);
    return CustomerBlock::fromRecord(record, ctx.settings().addressStyle == AddressStyle::Usa);
}
}  // namespace

frmWriteProposal::frmWriteProposal(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, kName), m_writer(std::make_unique<ProposalWriter>(ctx)) {
    setWindowTitle(QStringLiteral("Write a Proposal"));
    // Printing reads the saved disclaimer, so only a saved one can be chosen.
    m_writer->load(Terms::loadCustomText(ctx.store(), Terms::customDisclaimerPath())
                       .value.value_or(QString()));

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    auto* steps = new QVBoxLayout;
    const auto changed = [this] { refresh(); };
    m_body = new WriterBodyFrame(*m_writer, changed, central);
    m_pricing = new WriterPricingFrame(ctx, m_writer->pricing(), changed, central);
    // The pricing step's own BACK and NEXT, below its frames.
    auto* pricingSteps = new QHBoxLayout;
    QPushButton* back = button(m_pricing, indexed("cmdCreation", 3), QStringLiteral("&BACK"),
                               QStringLiteral("Back to the Body of the Proposal"));
    connect(back, &QPushButton::clicked, this,
            [this] { act([this] { m_writer->press(W::StepButton::BackToBody); }); });
    QPushButton* next = button(m_pricing, indexed("cmdCreation", 4), QStringLiteral("&NEXT"),
                               QStringLiteral("On to Printing, once the Schedule adds up"));
    connect(next, &QPushButton::clicked, this,
            [this] { act([this] { m_writer->press(W::StepButton::NextToFinalize); }); });
    pricingSteps->addWidget(back);
    pricingSteps->addStretch();
    pricingSteps->addWidget(next);
    static_cast<QGridLayout*>(m_pricing->layout())->addLayout(pricingSteps, 4, 0, 1, 3);
    steps->addWidget(buildLocation());
    steps->addWidget(m_body, 1);
    steps->addWidget(m_pricing, 1);
    steps->addWidget(buildFinalize());
    steps->addStretch();
    steps->addWidget(buildWriteButtons());
    row->addLayout(steps, 1);
    row->addWidget(buildInstructions());
    setCentralWidget(central);
    buildMenus();
    refresh();
}

frmWriteProposal::~frmWriteProposal() = default;

void frmWriteProposal::act(const std::function<void()>& action) {
    action();
    refresh();
}

QWidget* frmWriteProposal::buildLocation() {
    m_location =
        Form::frame(this, QStringLiteral("fraCustomer"), QStringLiteral("Service Location"));
    auto* grid = new QGridLayout(m_location);
    const QStringList captions{QStringLiteral("Name"),
                               QStringLiteral("Address #1"),
                               QStringLiteral("Address #2"),
                               QStringLiteral("City/Address #3"),
                               QStringLiteral("State/Address #4"),
                               QStringLiteral("Postal code/Address #5"),
                               QStringLiteral("Telephone"),
                               QStringLiteral("Cell")};
    grid->addWidget(new QLabel(QStringLiteral("Account"), m_location), 0, 0);
    m_account = Form::label(m_location, QStringLiteral("lblAccount"));
    grid->addWidget(m_account, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Site Address"), m_location), 0, 2);
    for (int n = 1; n <= CustomerBlock::LineCount; ++n) {
        grid->addWidget(new QLabel(captions.at(n - 1), m_location), n, 0);
        QLabel* line = Form::label(m_location, indexed("lblCustomerInfo", n));
        grid->addWidget(line, n, 1);
        m_customerLines << line;
        auto* site = Form::named(new QLineEdit(m_location), indexed("txtCustomerInfo", n));
        // The site goes into the proposal's field-line file.
        ValidatingEdit::attach(site, ctx(), ValidatingEdit::Kind::Text);
        connect(site, &QLineEdit::textEdited, this, [this, n](const QString& t) {
            act([this, n, t] { m_writer->setSiteLine(n, t); });
        });
        grid->addWidget(site, n, 2);
        m_siteLines << site;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    m_jobSite = button(m_location, QStringLiteral("cmdSetJobSite"), QString(),
                       QStringLiteral("The job site: the customer's address or one typed in"));
    connect(m_jobSite, &QPushButton::clicked, this,
            [this] { act([this] { m_writer->toggleJobSite(); }); });
    QPushButton* next = button(m_location, indexed("cmdCreation", 0), QStringLiteral("&NEXT"),
                               QStringLiteral("On to the Body of the Proposal"));
    connect(next, &QPushButton::clicked, this,
            [this] { act([this] { m_writer->press(W::StepButton::NextToBody); }); });
    buttons->addWidget(m_jobSite);
    buttons->addStretch();
    buttons->addWidget(next);
    grid->addLayout(buttons, CustomerBlock::LineCount + 1, 0, 1, 3);
    return m_location;
}

QWidget* frmWriteProposal::buildFinalize() {
    m_finalize =
        Form::frame(this, QStringLiteral("fraFinalize"), QStringLiteral("Print and Finalize"));
    auto* column = new QVBoxLayout(m_finalize);
    m_disclaimer = new QButtonGroup(this);
    const QStringList captions{QStringLiteral("Use &Generic Disclaimer"),
                               QStringLiteral("Use C&ustom Disclaimer")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* o =
            Form::named(new QRadioButton(captions.at(i), m_finalize), indexed("optDisclaimer", i));
        m_disclaimer->addButton(o, i);
        column->addWidget(o);
        connect(o, &QRadioButton::clicked, this,
                [this, i] { act([this, i] { m_writer->chooseDisclaimer(i == 0); }); });
    }
    auto* days = new QHBoxLayout;
    days->addWidget(
        Form::label(m_finalize, QStringLiteral("Label2(1)"),
                    QStringLiteral("The Proposal is Null and Void if not Accepted in")));
    m_days = Form::named(new QComboBox(m_finalize), QStringLiteral("cboDays"));
    m_days->addItems(AcceptanceDays());
    m_days->setToolTip(QStringLiteral("The number of days the Customer has to accept"));
    connect(m_days, &QComboBox::activated, this,
            [this] { act([this] { m_writer->chooseDays(m_days->currentText()); }); });
    days->addWidget(m_days);
    days->addWidget(Form::label(m_finalize, QStringLiteral("Label2(2)"), QStringLiteral("Days")));
    days->addStretch();
    column->addLayout(days);
    m_copies = Form::label(m_finalize, QStringLiteral("lblPrint(2)"));
    column->addWidget(m_copies);

    auto* row = new QHBoxLayout;
    QPushButton* back = button(m_finalize, indexed("cmdCreation", 5), QStringLiteral("&BACK"),
                               QStringLiteral("Back to Pricing and the Payment Schedule"));
    connect(back, &QPushButton::clicked, this,
            [this] { act([this] { m_writer->press(W::StepButton::BackToPricing); }); });
    m_ready = button(m_finalize, QStringLiteral("cmdContinue"), QStringLiteral("&Ready to Print"));
    connect(m_ready, &QPushButton::clicked, this,
            [this] { act([this] { m_writer->readyToPrint(); }); });
    row->addWidget(back);
    row->addStretch();
    row->addWidget(m_ready);
    column->addLayout(row);

    m_print = Form::frame(m_finalize, QStringLiteral("fraPrint"),
                          QStringLiteral("Proposal Print and Store Record"));
    auto* printRow = new QHBoxLayout(m_print);
    QPushButton* print = button(m_print, QStringLiteral("cmdProposalContinue"),
                                QStringLiteral("&Print and Record Proposal"));
    connect(print, &QPushButton::clicked, this, [this] {
        const std::shared_ptr<PrintTarget> target =
            ctx().printerFactory ? ctx().printerFactory() : nullptr;
        if (target) {
            finish(m_writer->printAndRecord(*target));
        }
    });
    QPushButton* pdf =
        button(m_print, QStringLiteral("cmdSavePdf"), QStringLiteral("Save as P&DF and Record"),
               QStringLiteral("Stores the Proposal and saves it as a PDF file"));
    connect(pdf, &QPushButton::clicked, this, [this] { finish(m_writer->saveAsPdfAndRecord()); });
    QPushButton* preview = button(m_print, QStringLiteral("cmdPreview"), QStringLiteral("Pre&view"),
                                  QStringLiteral("Shows the pages that will print"));
    connect(preview, &QPushButton::clicked, this, [this] { m_writer->preview(); });
    QPushButton* cancel =
        button(m_print, QStringLiteral("cmdCancelPrint"), QStringLiteral("Cancel Pr&int"));
    connect(cancel, &QPushButton::clicked, this,
            [this] { act([this] { m_writer->cancelPrint(); }); });
    for (QPushButton* b : {print, pdf, preview, cancel}) {
        printRow->addWidget(b);
    }
    column->addWidget(m_print);
    return m_finalize;
}

QWidget* frmWriteProposal::buildInstructions() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    const int width = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16;
    for (int n = 0; n < instructionTexts().size(); ++n) {
        QGroupBox* f =
            Form::frame(panel, indexed("fraInstructions", n), QStringLiteral("Instructions"));
        auto* l = new QVBoxLayout(f);
        QLabel* text = Form::label(f, indexed("lblInstructions", n), instructionTexts().at(n));
        text->setWordWrap(true);
        text->setFixedWidth(width);
        l->addWidget(text);
        column->addWidget(f);
        m_instructions << f;
    }
    column->addStretch();
    return panel;
}

QWidget* frmWriteProposal::buildWriteButtons() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    const QStringList captions{QStringLiteral("Return to the &Menu without Creating a Proposal"),
                               QStringLiteral("&Clear the Body and Redo"),
                               QStringLiteral("Select a Different &Customer")};
    for (int i = 0; i < captions.size(); ++i) {
        QPushButton* b = button(panel, indexed("cmdWrite", i), captions.at(i));
        connect(b, &QPushButton::clicked, this,
                [this, i] { leave(m_writer->press(W::WriteButton(i))); });
        row->addWidget(b);
        if (i == 2) {
            m_otherCustomer = b;
        }
    }
    return panel;
}

void frmWriteProposal::buildMenus() {
    m_itemsMenu = menuBar()->addAction(QStringLiteral("Add &Items"));
    m_itemsMenu->setObjectName(QStringLiteral("mnuItems"));
    connect(m_itemsMenu, &QAction::triggered, this,
            [this] { act([this] { m_writer->toggleItemsFrame(); }); });
    QMenu* size = menuBar()->addMenu(QStringLiteral("&Print Size"));
    size->menuAction()->setObjectName(QStringLiteral("mnuSize"));
    auto* group = new QActionGroup(this);
    const QList<std::pair<const char*, QString>> sizes{{"mnuSmaller", QStringLiteral("&Smaller")},
                                                       {"mnuStandard", QStringLiteral("S&tandard")},
                                                       {"mnuLarger", QStringLiteral("&Larger")},
                                                       {"mnuLargest", QStringLiteral("Lar&gest")}};
    const QList<W::PrintSize> values{W::PrintSize::Smaller, W::PrintSize::Standard,
                                     W::PrintSize::Larger, W::PrintSize::Largest};
    for (int i = 0; i < sizes.size(); ++i) {
        QAction* a = size->addAction(sizes.at(i).second);
        a->setObjectName(QLatin1String(sizes.at(i).first));
        a->setCheckable(true);
        group->addAction(a);
        const W::PrintSize value = values.at(i);
        connect(a, &QAction::triggered, this,
                [this, value] { act([this, value] { m_writer->setPrintSize(value); }); });
        m_sizes << a;
    }
}

void frmWriteProposal::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    // Shown for a customer; a window coming back from the task bar is not.
    if (!event->spontaneous()) {
        act([this] { m_writer->activate(currentCustomer(ctx())); });
    }
}

void frmWriteProposal::refresh() {
    if (m_refreshing) {
        return;
    }
    m_refreshing = true;
    const W::View v = m_writer->view();
    m_location->setVisible(v.step == W::Step::ServiceLocation);
    m_body->setVisible(v.step == W::Step::Body);
    m_pricing->setVisible(v.step == W::Step::Pricing);
    m_finalize->setVisible(v.step == W::Step::Finalize);
    for (int n = 0; n < m_instructions.size(); ++n) {
        m_instructions.at(n)->setVisible(n == v.instructions);
    }
    Form::setText(m_account, v.customer.account);
    for (int n = 1; n <= CustomerBlock::LineCount; ++n) {
        Form::setText(m_customerLines.at(n - 1), v.customer.line(n));
        Form::setText(m_siteLines.at(n - 1), v.site.value(n - 1));
    }
    Form::setText(m_jobSite, v.jobSiteCaption);
    m_otherCustomer->setEnabled(v.changeCustomer);
    m_body->refresh(v);
    m_pricing->refresh(m_writer->pricing().view());
    Form::checkInGroup(m_disclaimer, v.genericDisclaimer ? 0 : 1);
    m_disclaimer->button(1)->setEnabled(v.customDisclaimer);
    if (m_days->currentText() != v.days) {
        m_days->setCurrentText(v.days);
    }
    Form::setText(m_copies, v.copiesCaption);
    m_ready->setEnabled(m_writer->pricing().view().continueEnabled);
    m_print->setVisible(v.printFrame);
    m_itemsMenu->setEnabled(v.itemsMenu);
    for (int i = 0; i < m_sizes.size(); ++i) {
        m_sizes.at(i)->setChecked(int(v.printSize) == 6 + 2 * i);
    }
    const WriterFocus focus = m_writer->takeFocus();
    QWidget* target = focus.control == WriterFocus::SiteName ? m_siteLines.at(0) : nullptr;
    if (!target) {
        target = m_body->focusTarget(focus);
    }
    if (!target) {
        target = m_pricing->focusTarget(focus);
    }
    m_refreshing = false;
    if (target) {
        target->setFocus(Qt::OtherFocusReason);
    }
}

void frmWriteProposal::leave(ProposalWriter::Next next) {
    refresh();
    if (next == W::Next::Stay) {
        return;
    }
    screens().unload(kName);
    screens().show(next == W::Next::ShowMenu ? QStringLiteral("frmStartup")
                                             : QStringLiteral("frmCustomer"));
}

void frmWriteProposal::finish(ProposalWriter::Stored stored) {
    // Nothing was stored: the proposal stays on screen to try again.
    if (stored == W::Stored::NotStored) {
        refresh();
        return;
    }
    leave(W::Next::ShowMenu);
}
