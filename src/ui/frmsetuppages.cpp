#include "ui/frmsetup.h"

#include "settings/settings.h"
#include "settings/settingsfiles.h"
#include "settings/setuprules.h"
#include "shell/appcontext.h"
#include "ui/frmdialer.h"
#include "ui/pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

// The pages of the setup screen and their controls, in reading order.

namespace {
template <typename T>
T* named(T* widget, const QString& name, const QString& toolTip = {}) {
    widget->setObjectName(name);
    if (!toolTip.isEmpty()) {
        widget->setToolTip(toolTip);
    }
    return widget;
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLabel* wrapped(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QComboBox* editableCombo(const QString& name, const QStringList& choices, QWidget* parent) {
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(choices);
    return box;
}

const QStringList& helpTexts() {
    static const QStringList texts{
        QStringLiteral("Business Information: the name, address and numbers printed on every "
                       "document. The style button switches between a USA address (City, State "
                       "and a mandatory Postal Code) and an International one (four address "
                       "lines)."),
        QStringLiteral("Options: the print colours, font, colour printing and the number of "
                       "copies of a Proposal; the modem found on this computer; the two taxes; "
                       "alarms and prompts."),
        QStringLiteral("Proposal: the number the next Proposal receives. Save Proposal No "
                       "stores it at once."),
        QStringLiteral("Logo: Find a picture, Store it, and size it for print with the arrows. "
                       "Print Sample shows how it prints on a Proposal."),
        QStringLiteral("Nothing else is stored until you click Save Changes and Return to Menu."),
    };
    return texts;
}
}  // namespace

void frmSetup::buildWindow() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    m_tabSetup = named(new QTabWidget(central), QStringLiteral("tabSetup"));
    m_tabSetup->addTab(buildBusiness(), QStringLiteral("Business Information"));
    m_tabSetup->addTab(buildOptions(), QStringLiteral("Options"));
    m_tabSetup->addTab(buildProposal(), QStringLiteral("Proposal"));
    m_tabSetup->addTab(buildLogo(), QStringLiteral("Logo"));
    m_tabSetup->addTab(buildHelp(), QStringLiteral("Help"));
    top->addWidget(m_tabSetup, 1);
    top->addWidget(pageTurner(0, m_tabSetup), 0, Qt::AlignTop);
    column->addLayout(top);
    auto* menu = named(new QPushButton(QStringLiteral("&Save Changes and Return to Menu"), central),
                       QStringLiteral("cmdMenu"), QStringLiteral("Returns to Main Menu"));
    connect(menu, &QPushButton::clicked, this, &frmSetup::onSave);
    column->addWidget(menu);
    setCentralWidget(central);
}

QToolButton* frmSetup::pageTurner(int index, QTabWidget* tabs) {
    auto* turner = named(new QToolButton(this), indexed("Image1", index),
                         QStringLiteral("Turns to the next page"));
    turner->setAutoRaise(true);
    turner->setIcon(PictureIcon(QStringLiteral("pointer"), QSize(32, 32)));
    turner->setIconSize(QSize(32, 32));
    if (index == 1) {
        turner->setText(QStringLiteral("Toggle SubTab -- >"));
        turner->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    connect(turner, &QToolButton::clicked, this,
            [tabs] { tabs->setCurrentIndex((tabs->currentIndex() + 1) % tabs->count()); });
    return turner;
}

QWidget* frmSetup::buildBusiness() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    for (int i = 0; i < Settings::BusinessFieldCount; ++i) {
        auto* label = named(new QLabel(page), indexed("lblBusiness", i));
        auto* box = named(new QLineEdit(page), indexed("txtBusiness", i));
        label->setBuddy(box);
        connect(box, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { onBusinessEdited(i, text); });
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
        m_businessLabels << label;
        m_business << box;
    }
    m_postalNote = named(new QLabel(QStringLiteral("Postal Code is Mandatory"), page),
                         QStringLiteral("lblPostal"));
    grid->addWidget(m_postalNote, Settings::PostalCode, 2);
    grid->addWidget(named(new QLabel(QStringLiteral("Example : ABN - 123456789"), page),
                          QStringLiteral("lblExample")),
                    Settings::TaxIdentifier, 2);
    grid->setColumnStretch(1, 1);

    auto* row = new QHBoxLayout;
    m_style = named(new QPushButton(page), QStringLiteral("cmdAddress"),
                    QStringLiteral("Switches between USA and International addresses"));
    connect(m_style, &QPushButton::clicked, this, &frmSetup::onStyle);
    row->addWidget(m_style);
    row->addStretch();
    const auto image = [this, page, row](const char* name, const char* picture, const QString& tip,
                                         void (frmSetup::*slot)()) {
        auto* b = named(new QToolButton(page), QString::fromLatin1(name), tip);
        b->setAutoRaise(true);
        b->setIcon(PictureIcon(QString::fromLatin1(picture), QSize(32, 32)));
        b->setIconSize(QSize(32, 32));
        connect(b, &QToolButton::clicked, this, slot);
        row->addWidget(b);
    };
    image("Image4", "reset", QStringLiteral("Reset (clear) all Business Data"), &frmSetup::onReset);
    image("Image5", "reload", QStringLiteral("Reload Business Data"), &frmSetup::onReload);
    grid->addLayout(row, Settings::BusinessFieldCount, 0, 1, 3);
    grid->setRowStretch(Settings::BusinessFieldCount + 1, 1);
    return page;
}

QWidget* frmSetup::buildOptions() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    m_tabSub = named(new QTabWidget(page), QStringLiteral("tabSub"));
    m_tabSub->addTab(buildPrinting(), QStringLiteral("Printing"));
    m_tabSub->addTab(buildPhone(), QStringLiteral("Phone"));
    m_tabSub->addTab(buildTaxes(), QStringLiteral("Taxes"));
    m_tabSub->addTab(buildAssistance(), QStringLiteral("Assitance"));
    column->addWidget(m_tabSub);
    column->addWidget(pageTurner(1, m_tabSub), 0, Qt::AlignRight);
    return page;
}

QWidget* frmSetup::buildPrinting() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    const auto colourRow = [this, page, grid](int row, const char* name, const QString& caption,
                                              PrintColourBox which) {
        auto* box = named(new QLineEdit(page), QString::fromLatin1(name));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        auto* change = named(new QPushButton(QStringLiteral("Change"), page),
                             indexed("cmdChange", row), QStringLiteral("Choose the colour"));
        connect(change, &QPushButton::clicked, this, [this, which] { onChangeColour(which); });
        grid->addWidget(new QLabel(caption, page), row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(change, row, 2);
        return box;
    };
    m_borders =
        colourRow(0, "txtBorders", QStringLiteral("Borders and Frames"), PrintColourBox::Borders);
    m_data = colourRow(1, "txtData", QStringLiteral("Text and Data"), PrintColourBox::Data);
    m_font = named(new QLabel(page), QStringLiteral("lblFont"));
    auto* font = named(new QPushButton(QStringLiteral("Change"), page), indexed("cmdChange", 2),
                       QStringLiteral("Choose the print font"));
    connect(font, &QPushButton::clicked, this, &frmSetup::onChangeFont);
    grid->addWidget(new QLabel(QStringLiteral("Font"), page), 2, 0);
    grid->addWidget(m_font, 2, 1);
    grid->addWidget(font, 2, 2);
    m_colour = named(new QCheckBox(QStringLiteral("Print"), page), QStringLiteral("ckColor"),
                     QStringLiteral("Headings, totals etc are printed in highlighting colors"));
    connect(m_colour, &QCheckBox::toggled, this,
            [this](bool on) { ctx().settings().printInColour = on; });
    grid->addWidget(m_colour, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("(Copies 1 and 2 only)"), page), 3, 1);
    m_copies = named(new QComboBox(page), QStringLiteral("cboCopies"),
                     QStringLiteral("Select from 1 to 5 pages to print"));
    m_copies->addItems({"1", "2", "3", "4", "5"});
    connect(m_copies, &QComboBox::activated, this,
            [this](int index) { chooseCopies(ctx(), index + 1); });
    auto* copies = new QLabel(QStringLiteral("Copies of a &Proposal"), page);
    copies->setBuddy(m_copies);
    grid->addWidget(copies, 4, 0);
    grid->addWidget(m_copies, 4, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget* frmSetup::buildPhone() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_modemPort = named(new QLineEdit(page), QStringLiteral("txtModemPort"),
                        QStringLiteral("The port on which the modem answered"));
    m_modemPort->setReadOnly(true);
    form->addRow(QStringLiteral("Modem is connected to Com Port #"), m_modemPort);
    m_phone =
        named(new QCheckBox(
                  QStringLiteral("A Phone is Daisy-Chained  downstream from the Computer"), page),
              QStringLiteral("ckPhone"));
    m_phone->setEnabled(false);  // read from /Phone.txt, which no screen writes
    form->addRow(m_phone);
    m_callerId =
        named(new QCheckBox(QStringLiteral("Using Caller ID"), page), QStringLiteral("ckCallerID"),
              QStringLiteral("Modem MUST support this feature"));
    form->addRow(m_callerId);
    m_callerIdNote = named(wrapped(PhoneTexts::callerIdNote(), page), QStringLiteral("lblCallid"));
    form->addRow(m_callerIdNote);
    connect(m_callerId, &QCheckBox::toggled, m_callerIdNote, &QLabel::setVisible);
    return page;
}

QWidget* frmSetup::buildTaxes() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    Settings& s = ctx().settings();
    m_heading1 =
        editableCombo(QStringLiteral("cboTaxHeading1"), Settings::taxHeadingChoices1(), page);
    m_rate1 = editableCombo(QStringLiteral("cboRate1"), Settings::taxRateChoices(), page);
    m_apply1 = named(new QCheckBox(QStringLiteral("Apply 1st Tax to Invoices"), page),
                     QStringLiteral("ckApply1stTax"));
    m_heading2 =
        editableCombo(QStringLiteral("cboTaxHeading2"), Settings::taxHeadingChoices2(), page);
    m_rate2 = editableCombo(QStringLiteral("cboRate2"), Settings::taxRateChoices(), page);
    m_apply2 = named(new QCheckBox(QStringLiteral("Apply 2nd Tax to Invoices"), page),
                     QStringLiteral("ckApply2ndTax"));
    grid->addWidget(new QLabel(QStringLiteral("Tax Heading"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Rate %"), page), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("1st Tax"), page), 1, 0);
    grid->addWidget(m_heading1, 1, 1);
    grid->addWidget(m_rate1, 1, 2);
    grid->addWidget(m_apply1, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("2nd Tax"), page), 3, 0);
    grid->addWidget(m_heading2, 3, 1);
    grid->addWidget(m_rate2, 3, 2);
    grid->addWidget(m_apply2, 4, 1, 1, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);
    connect(m_heading1, &QComboBox::editTextChanged, this,
            [&s](const QString& t) { s.taxHeading1 = t; });
    connect(m_heading2, &QComboBox::editTextChanged, this,
            [&s](const QString& t) { s.taxHeading2 = t; });
    connect(m_rate1, &QComboBox::editTextChanged, this, [&s](const QString& t) { s.taxRate1 = t; });
    connect(m_rate2, &QComboBox::editTextChanged, this, [&s](const QString& t) { s.taxRate2 = t; });
    connect(m_apply1, &QCheckBox::toggled, this, [&s](bool on) { s.applyTax1 = on; });
    connect(m_apply2, &QCheckBox::toggled, this, [&s](bool on) { s.applyTax2 = on; });
    return page;
}

QWidget* frmSetup::buildAssistance() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    Settings& s = ctx().settings();
    m_alarms = named(new QCheckBox(QStringLiteral("Sound Alarm on Errors"), page),
                     QStringLiteral("ckAlarms"));
    m_prompts = named(new QCheckBox(QStringLiteral("Show Prompts and Confirmations"), page),
                      QStringLiteral("ckPrompts"));
    connect(m_alarms, &QCheckBox::toggled, this, [&s](bool on) { s.soundAlarms = on; });
    connect(m_prompts, &QCheckBox::toggled, this, [&s](bool on) { s.showPrompts = on; });
    column->addWidget(m_alarms);
    column->addWidget(m_prompts);
    column->addStretch();
    return page;
}

QWidget* frmSetup::buildProposal() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_proposalNo = named(new QLineEdit(page), QStringLiteral("txtProposalNo"),
                         QStringLiteral("The number the next Proposal receives"));
    auto* save = named(new QPushButton(QStringLiteral("Save Proposal No"), page),
                       QStringLiteral("cmdSaveProposal"));
    connect(save, &QPushButton::clicked, this, &frmSetup::onSaveProposal);
    connect(m_proposalNo, &QLineEdit::returnPressed, this, &frmSetup::onSaveProposal);
    form->addRow(QStringLiteral("Next &Proposal Number"), m_proposalNo);
    form->addRow(save);
    return page;
}

QPushButton* frmSetup::logoButton(int index, const QString& caption) {
    auto* b = named(new QPushButton(caption, this), indexed("cmdLogo", index));
    connect(b, &QPushButton::clicked, this, [this, index] { onLogo(index); });
    m_logoButtons << b;
    return b;
}

QWidget* frmSetup::buildLogo() {
    auto* page = new QWidget(this);
    auto* row = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    m_logoView = named(new QLabel(page), QStringLiteral("Image2"),
                       QStringLiteral("Displays your Selected Logo"));
    m_logoView->setAlignment(Qt::AlignCenter);
    m_logoView->setFrameShape(QFrame::Box);
    left->addWidget(m_logoView, 0, Qt::AlignHCenter);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(logoButton(0, QStringLiteral("Find")));
    buttons->addWidget(logoButton(1, QStringLiteral("&Store")));
    buttons->addWidget(logoButton(2, QStringLiteral("&Clear")));
    left->addLayout(buttons);
    left->addStretch();
    row->addLayout(left);
    row->addWidget(buildLogoSizing(), 1);
    return page;
}

QWidget* frmSetup::arrows(const QString& name, LogoSide side) {
    auto* box = named(
        new QWidget(this), name,
        side == LogoSide::Width ? QStringLiteral("Logo width") : QStringLiteral("Logo height"));
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto& [arrow, delta] :
         {std::pair{Qt::UpArrow, kLogoStep}, std::pair{Qt::DownArrow, -kLogoStep}}) {
        auto* b =
            named(new QToolButton(box), delta > 0 ? QStringLiteral("Up") : QStringLiteral("Down"));
        b->setArrowType(arrow);
        b->setAutoRepeat(true);
        connect(b, &QToolButton::clicked, this, [this, side, delta = delta] {
            stepLogo(ctx(), side, delta);
            refreshLogo();
        });
        layout->addWidget(b);
    }
    return box;
}

QWidget* frmSetup::buildLogoSizing() {
    auto* frame =
        named(new QGroupBox(QStringLiteral("LOGO Sizing"), this), QStringLiteral("fraLogoSizing"));
    auto* grid = new QGridLayout(frame);
    m_adjusted = named(new QLabel(frame), QStringLiteral("Image3"),
                       QStringLiteral("Your Logo as it prints"));
    auto* holder = new QWidget(frame);
    const int largest = twips(kLogoSideMax);
    holder->setMinimumSize(largest, largest);
    auto* centre = new QVBoxLayout(holder);
    centre->setContentsMargins(0, 0, 0, 0);
    centre->addWidget(m_adjusted, 0, Qt::AlignCenter);
    grid->addWidget(holder, 0, 0, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Width"), frame), 0, 1);
    grid->addWidget(arrows(QStringLiteral("UpDown3"), LogoSide::Width), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Height"), frame), 1, 1);
    grid->addWidget(arrows(QStringLiteral("UpDown2"), LogoSide::Height), 1, 2);
    m_logoSize = named(new QLabel(frame), QStringLiteral("lblLogoSize"));
    grid->addWidget(m_logoSize, 2, 1, 1, 2);
    auto* buttons = new QGridLayout;
    buttons->addWidget(logoButton(3, QStringLiteral("Make Square (Height)")), 0, 0);
    buttons->addWidget(logoButton(4, QStringLiteral("Make Square (Width)")), 0, 1);
    buttons->addWidget(logoButton(6, QStringLiteral("Restore")), 0, 2);
    buttons->addWidget(logoButton(5, QStringLiteral("Print Sample")), 1, 0);
    buttons->addWidget(logoButton(7, QStringLiteral("Pre&view Sample")), 1, 1);
    buttons->addWidget(logoButton(8, QStringLiteral("Sample as P&DF")), 1, 2);
    grid->addLayout(buttons, 3, 0, 1, 3);
    return frame;
}

QWidget* frmSetup::buildHelp() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    for (int i = 0; i < helpTexts().size(); ++i) {
        column->addWidget(named(wrapped(helpTexts().at(i), page), indexed("lblHelp", i)));
    }
    column->addStretch();
    return page;
}
