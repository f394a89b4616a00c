#include "ui/frmfieldproposal.h"

#include "customers/customerfiles.h"
#include "print/printtarget.h"
#include "proposals/terms.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "ui/formwidgets.h"
#include "ui/screenmanager.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

using Form::button;
using Form::indexed;

namespace {
const QString kName = QStringLiteral("frmFieldProposal");

QString savedDisclaimer(AppContext& ctx) {
    return Terms::loadCustomText(ctx.store(), Terms::customDisclaimerPath())
        .value.value_or(QString());
}
}  // namespace

frmFieldProposal::frmFieldProposal(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, kName), m_model(std::make_unique<FieldProposal>(ctx)) {
    setWindowTitle(QStringLiteral("Creating Field Proposals"));
    m_model->load(savedDisclaimer(ctx));
    m_model->activate(FieldCustomer());

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    QLabel* title = Form::label(central, QStringLiteral("Label1(3)"),
                                QStringLiteral("Field Proposal Creation"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    column->addWidget(title);
    const QList<std::pair<int, QString>> note{
        {4, QStringLiteral("With a Field Proposal, the body")},
        {0, QStringLiteral("of the Form is lined,")},
        {5, QStringLiteral("allowing you to fill in the data")},
        {2, QStringLiteral("while visiting the job site")}};
    for (const auto& [index, text] : note) {
        column->addWidget(Form::label(central, indexed("Label3", index), text));
    }

    auto* grid = new QGridLayout;
    grid->addWidget(Form::label(central, indexed("Label3", 3), QStringLiteral("Next Proposal")), 0,
                    0);
    m_next = Form::named(new QLineEdit(central), QStringLiteral("txtNextFieldProposal"));
    m_next->setReadOnly(true);
    grid->addWidget(m_next, 0, 1);
    grid->addWidget(Form::label(central, indexed("Label3", 1),
                                QStringLiteral("Select a Disclaimer only.  Enter Effective Days")),
                    1, 0, 1, 3);
    m_disclaimer = new QButtonGroup(this);
    const QStringList captions{QStringLiteral("Use &Generic Disclaimer"),
                               QStringLiteral("Use C&ustom Disclaimer")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* o =
            Form::named(new QRadioButton(captions.at(i), central), indexed("optDisclaimer", i));
        m_disclaimer->addButton(o, i);
        grid->addWidget(o, 2 + i, 0, 1, 3);
        connect(o, &QRadioButton::clicked, this,
                [this, i] { act([this, i] { m_model->chooseDisclaimer(i == 0); }); });
    }
    auto* days = new QHBoxLayout;
    days->addWidget(
        Form::label(central, indexed("Label2", 1),
                    QStringLiteral("The Proposal is Null and Void if not Accepted in")));
    m_days = Form::named(new QComboBox(central), QStringLiteral("cboDays"));
    m_days->addItems(AcceptanceDays());
    m_days->setToolTip(QStringLiteral("The number of days the Customer has to accept"));
    connect(m_days, &QComboBox::activated, this,
            [this] { act([this] { m_model->chooseDays(m_days->currentText()); }); });
    days->addWidget(m_days);
    days->addWidget(Form::label(central, indexed("Label2", 2), QStringLiteral("Days")));
    days->addStretch();
    grid->addLayout(days, 4, 0, 1, 3);
    m_sketch = Form::named(new QCheckBox(QStringLiteral("Print &Sketch Sheet(s)"), central),
                           QStringLiteral("ckSketch"));
    m_sketch->setToolTip(QStringLiteral("Sheet on which to draw"));
    connect(m_sketch, &QCheckBox::clicked, this,
            [this](bool on) { act([this, on] { m_model->setSketch(on); }); });
    grid->addWidget(m_sketch, 5, 0);
    grid->addWidget(Form::label(central, indexed("Label2", 0), QStringLiteral("Copies")), 5, 1);
    m_sketchCount = Form::named(new QComboBox(central), QStringLiteral("cboCopies"));
    m_sketchCount->addItems(FieldProposal::sketchChoices());
    m_sketchCount->setToolTip(QStringLiteral("No of Sketch Sheets to Print"));
    connect(m_sketchCount, &QComboBox::activated, this,
            [this](int index) { act([this, index] { m_model->chooseSketchCount(index + 1); }); });
    grid->addWidget(m_sketchCount, 5, 2);
    column->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    QPushButton* print = button(central, indexed("cmdField", 1), QStringLiteral("&Print"),
                                QStringLiteral("Print Field Proposal"));
    connect(print, &QPushButton::clicked, this, [this] {
        const std::shared_ptr<PrintTarget> target =
            this->ctx().printerFactory ? this->ctx().printerFactory() : nullptr;
        if (target) {
            finish(m_model->print(*target));
        }
    });
    QPushButton* pdf =
        button(central, QStringLiteral("cmdSavePdf"), QStringLiteral("Save as P&DF"),
               QStringLiteral("Stores the Field Proposal and saves it as a PDF file"));
    connect(pdf, &QPushButton::clicked, this, [this] { finish(m_model->saveAsPdf()); });
    QPushButton* preview = button(central, QStringLiteral("cmdPreview"), QStringLiteral("Pre&view"),
                                  QStringLiteral("Shows the pages that will print"));
    connect(preview, &QPushButton::clicked, this, [this] { m_model->preview(); });
    QPushButton* menu = button(central, indexed("cmdField", 0), QStringLiteral("&Menu"),
                               QStringLiteral("Return to menu"));
    connect(menu, &QPushButton::clicked, this, &frmFieldProposal::toMenu);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &frmFieldProposal::toMenu);
    for (QPushButton* b : {print, pdf, preview}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(menu);
    column->addLayout(buttons);
    column->addStretch();
    setCentralWidget(central);
    print->setDefault(true);
    refresh();
}

frmFieldProposal::~frmFieldProposal() = default;

void frmFieldProposal::act(const std::function<void()>& action) {
    action();
    refresh();
}

void frmFieldProposal::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    AppContext& c = ctx();
    const CustomerRecord record =
        CustomerFiles::readCustomer(c.store(), c.vars().CurrentCustomerRecord);
    act([&] {
        // The terms screen may have saved or deleted the disclaimer meanwhile.
        m_model->load(savedDisclaimer(c));
        m_model->activate(
            FieldCustomer::fromRecord(record, c.settings().addressStyle == AddressStyle::Usa));
    });
}

void frmFieldProposal::refresh() {
    const FieldProposal::View v = m_model->view();
    Form::setText(m_next, v.nextNumber);
    Form::checkInGroup(m_disclaimer, v.genericDisclaimer ? 0 : 1);
    m_disclaimer->button(1)->setEnabled(v.customDisclaimer);
    if (m_days->currentText() != v.days) {
        m_days->setCurrentText(v.days);
    }
    Form::setChecked(m_sketch, v.sketch);
    if (m_sketchCount->currentIndex() != v.sketchCount - 1) {
        m_sketchCount->setCurrentIndex(v.sketchCount - 1);
    }
}

void frmFieldProposal::finish(FieldPrintOutcome outcome) {
    refresh();
    if (outcome == FieldPrintOutcome::Confirmed || outcome == FieldPrintOutcome::Withdrawn ||
        outcome == FieldPrintOutcome::NotAdvanced) {
        toMenu();
    }
}

void frmFieldProposal::toMenu() {
    screens().hide(kName);
    screens().show(QStringLiteral("frmStartup"));
}
