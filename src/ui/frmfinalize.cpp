#include "ui/frmfinalize.h"

#include "shell/dates.h"
#include "ui/formwidgets.h"
#include "ui/grid.h"
#include "ui/screenparts.h"
#include "ui/validatingedit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <tuple>

namespace {
const QString kName = QStringLiteral("frmFinalize");
using Button = FinalizeFieldProposal::Button;
using Plan = FinalizeFieldProposal::Plan;
using Focus = FinalizeFieldProposal::Focus;

// Typing goes to the model; writing the same text back would move the cursor.
// Room for the largest amount the proposal files hold, so no digit is cut.
void makeRoomForMoney(QLineEdit* edit) {
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("$9,999,999.99")) +
                          12);
}

void setText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}
}  // namespace

frmFinalize::frmFinalize(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, kName), m_finalize(ctx) {
    setWindowTitle(QStringLiteral("Finalize a Field Proposal"));
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->addWidget(buildList(), 2);
    auto* right = new QVBoxLayout;
    right->addWidget(buildAccount());
    right->addWidget(buildDetails());
    right->addStretch();
    row->addLayout(right, 3);
    setCentralWidget(central);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, [this] { press(Button::Menu); });
    refresh();
}

QWidget* frmFinalize::buildList() {
    auto* frame = new QGroupBox(QStringLiteral("Existing Proposals"), this);
    frame->setObjectName(QStringLiteral("fraProposals"));
    auto* column = new QVBoxLayout(frame);
    m_model = new GridModel(FinalizeFieldProposal::gridLayout(), this);
    m_grid = MakeGrid(QStringLiteral("fgProposals"), m_model, frame);
    // Every column in view, the customer's name too.
    m_grid->setMinimumWidth(WidthOfAllColumns(m_grid));
    connect(m_grid, &QTableView::clicked, this,
            [this](const QModelIndex& index) { picked(index.row()); });
    // An empty list has no cell to click: a click anywhere in it counts.
    m_grid->viewport()->installEventFilter(this);
    column->addWidget(m_grid, 1);
    column->addWidget(new QLabel(QStringLiteral("Left Click Proposal No to Select"), frame));
    QPushButton* menu = Form::button(frame, Form::indexed("cmdField", 0), QStringLiteral("&Menu"),
                                     QStringLiteral("Return to Main menu"));
    connect(menu, &QPushButton::clicked, this, [this] { press(Button::Menu); });
    column->addWidget(menu, 0, Qt::AlignLeft);
    return frame;
}

QWidget* frmFinalize::buildAccount() {
    m_account = new QGroupBox(QStringLiteral("Customer and Site Data"), this);
    m_account->setObjectName(QStringLiteral("fraAccount"));
    auto* grid = new QGridLayout(m_account);
    auto* billing = new QLabel(QStringLiteral("Account Data"), m_account);
    billing->setToolTip(QStringLiteral("Billing Address"));
    auto* site = new QLabel(QStringLiteral("Site Data"), m_account);
    site->setToolTip(QStringLiteral("Site Address"));
    grid->addWidget(billing, 0, 1);
    grid->addWidget(site, 0, 3);
    const QStringList accountCaptions{"Name",  "Addr #1", "Addr #2",  "City",
                                      "State", "Zip",     "Telephone"};
    const QStringList siteCaptions{"Name", "Address 1", "Address2", "City", "St", "Zip", "Tel"};
    for (int i = 1; i <= 7; ++i) {
        grid->addWidget(new QLabel(accountCaptions.at(i - 1), m_account), i, 0);
        m_customer << Form::label(m_account, Form::indexed("lblCustomerInfo", i), {});
        grid->addWidget(m_customer.last(), i, 1);
        auto* caption = new QLabel(siteCaptions.at(i - 1), m_account);
        grid->addWidget(caption, i, 2);
        auto* box = new QLineEdit(m_account);
        box->setObjectName(Form::indexed("txtCustomerInfo", i));
        caption->setBuddy(box);
        ValidatingEdit::attach(box, ctx(), ValidatingEdit::Kind::Text);
        connect(box, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_finalize.editSite(i - 1, text); });
        m_site << box;
        grid->addWidget(box, i, 3);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    const QList<std::tuple<Button, QString, QString>> specs{
        {Button::CopyToSite, QStringLiteral("&Copy to Site"),
         QStringLiteral("Copy Acct Data to Site Data")},
        {Button::ClearSite, QStringLiteral("Clear &Site Data"),
         QStringLiteral("Clear all site data")},
        {Button::Reselect, QStringLiteral("&Re-select"),
         QStringLiteral("Select a different Proposal")},
        {Button::Continue, QStringLiteral("C&ontinue"), QStringLiteral("Show Details Screen")}};
    for (const auto& [button, caption, tip] : specs) {
        QPushButton* b =
            Form::button(m_account, Form::indexed("cmdField", int(button)), caption, tip);
        connect(b, &QPushButton::clicked, this, [this, button = button] { press(button); });
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, 8, 0, 1, 4);
    return m_account;
}

QLineEdit* frmFinalize::amountBox(const QString& name, const QString& toolTip, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setToolTip(toolTip);
    box->setAlignment(Qt::AlignRight);
    makeRoomForMoney(box);
    ValidatingEdit::attach(box, ctx(), ValidatingEdit::Kind::Amount);
    // Installed after the key filter, so it sees a key first and empties a
    // box that shows zero before the key is tested.
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this,
            [this, box](const QString& text) { m_finalize.editAmount(boxOf(box), text); });
    // Enter moves on to the next box, as Tab does.
    connect(box, &QLineEdit::returnPressed, box, [box] {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &tab);
    });
    return box;
}

QWidget* frmFinalize::buildDetails() {
    m_details = new QGroupBox(QStringLiteral("Proposal Details"), this);
    m_details->setObjectName(QStringLiteral("fraProposalDetails"));
    auto* column = new QVBoxLayout(m_details);
    const QStringList prompts{QStringLiteral("Enter the Proposal Body Data"),
                              QStringLiteral("Enter Proposed Amount (pre-tax) then Press <TAB>"),
                              QStringLiteral("Enter Due Date "),
                              QStringLiteral("Enter Due Date "),
                              QStringLiteral("Enter Due Date "),
                              QStringLiteral("Total Amount Due"),
                              QStringLiteral("Create Two Payments"),
                              QStringLiteral("(Click to Accept)"),
                              QStringLiteral("equaling The Total Amount")};
    for (int i = 0; i < prompts.size(); ++i) {
        m_prompts << Form::label(m_details, Form::indexed("lblFinalize", i), prompts.at(i));
    }
    column->addWidget(m_prompts.at(0));
    m_body = new QPlainTextEdit(m_details);
    m_body->setObjectName(QStringLiteral("txtBody"));
    m_body->setToolTip(QStringLiteral("Enter the Body of the Proposal here"));
    m_body->setFont(QFont(QStringLiteral("Courier New")));
    m_body->setTabChangesFocus(true);
    connect(m_body, &QPlainTextEdit::textChanged, this,
            [this] { m_finalize.editBody(m_body->toPlainText()); });
    column->addWidget(m_body, 1);
    column->addWidget(buildAmounts(m_details));
    column->addWidget(buildPlan(m_details));
    m_finalizeButton =
        Form::button(m_details, QStringLiteral("cmdFinalize"), QStringLiteral("&Finalize"),
                     QStringLiteral("Complete the Field Proposal"));
    connect(m_finalizeButton, &QPushButton::clicked, this, &frmFinalize::finalize);
    column->addWidget(m_finalizeButton, 0, Qt::AlignRight);
    return m_details;
}

QWidget* frmFinalize::buildAmounts(QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* form = new QGridLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    m_preAmount =
        amountBox(QStringLiteral("txtpreAmount"),
                  QStringLiteral("Enter Proposed Amount (pre-tax) then Press <TAB>"), panel);
    form->addWidget(m_prompts.at(1), 0, 0);
    form->addWidget(m_preAmount, 0, 1);
    m_apply1 = new QCheckBox(panel);
    m_apply1->setObjectName(QStringLiteral("ckApply1stTax"));
    m_apply2 = new QCheckBox(panel);
    m_apply2->setObjectName(QStringLiteral("ckApply2ndTax"));
    m_tax1 = new QLineEdit(panel);
    m_tax1->setObjectName(QStringLiteral("txtTax1"));
    m_tax1->setToolTip(QStringLiteral("Total of 1st tax"));
    m_tax2 = new QLineEdit(panel);
    m_tax2->setObjectName(QStringLiteral("txtTax2"));
    m_tax2->setToolTip(QStringLiteral("Total of 2nd tax"));
    m_total = new QLineEdit(panel);
    m_total->setObjectName(QStringLiteral("txtAmount"));
    m_total->setToolTip(QStringLiteral("Grand Total"));
    // Worked out from the price and the rates, never typed.
    for (QLineEdit* shown : {m_tax1, m_tax2, m_total}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::NoFocus);
        shown->setAlignment(Qt::AlignRight);
        makeRoomForMoney(shown);
    }
    connect(m_apply1, &QCheckBox::clicked, this, [this](bool on) {
        m_finalize.setApplyTax(1, on);
        refresh();
    });
    connect(m_apply2, &QCheckBox::clicked, this, [this](bool on) {
        m_finalize.setApplyTax(2, on);
        refresh();
    });
    form->addWidget(m_apply1, 1, 0);
    form->addWidget(m_tax1, 1, 1);
    form->addWidget(m_apply2, 2, 0);
    form->addWidget(m_tax2, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("Grand Total"), panel), 3, 0);
    form->addWidget(m_total, 3, 1);
    return panel;
}

QWidget* frmFinalize::buildPlan(QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(
        Form::label(panel, QStringLiteral("Label2"), QStringLiteral("Select a Payment Plan:")));
    m_planGroup = new QButtonGroup(panel);
    const QList<std::pair<QString, QString>> plans{
        {QStringLiteral("&In Full upon Completion"), QStringLiteral("One payment is created")},
        {QStringLiteral("A &Down Payment and Final Payment"),
         QStringLiteral("Two payments are created")}};
    for (int i = 0; i < plans.size(); ++i) {
        auto* o = new QRadioButton(plans.at(i).first, panel);
        o->setObjectName(Form::indexed("optPayment", i));
        o->setToolTip(plans.at(i).second);
        connect(o, &QRadioButton::clicked, this, [this, i] {
            m_finalize.choosePlan(Plan(i));
            refresh();
        });
        m_planGroup->addButton(o, i);
        m_plans << o;
        column->addWidget(o);
    }
    auto* amounts = new QGridLayout;
    m_payments << amountBox(Form::indexed("txtPayment", 0), QStringLiteral("Total of one payment"),
                            panel);
    amounts->addWidget(m_prompts.at(5), 0, 0);
    amounts->addWidget(m_payments.at(0), 0, 1);
    m_totalPanel = new QWidget(panel);
    m_totalPanel->setObjectName(QStringLiteral("picTotal"));
    auto* second = new QGridLayout(m_totalPanel);
    second->setContentsMargins(0, 0, 0, 0);
    m_payments << amountBox(Form::indexed("txtPayment", 1), QStringLiteral("Total of 2nd payment"),
                            m_totalPanel);
    second->addWidget(m_prompts.at(6), 0, 0);
    second->addWidget(m_payments.at(1), 0, 1);
    second->addWidget(m_prompts.at(8), 1, 0, 1, 2);
    amounts->addWidget(m_totalPanel, 1, 0, 1, 2);
    column->addLayout(amounts);

    m_datePanel = new QWidget(panel);
    m_datePanel->setObjectName(QStringLiteral("picDate"));
    auto* dates = new QGridLayout(m_datePanel);
    dates->setContentsMargins(0, 0, 0, 0);
    const QStringList tips{QStringLiteral("1st due date"), QStringLiteral("2nd due date")};
    for (int i = 0; i < 2; ++i) {
        auto* picker = new QDateEdit(m_datePanel);
        picker->setObjectName(Form::indexed("dtDatePicker", i));
        picker->setToolTip(tips.at(i));
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(Dates::shortFormat());
        // A date picked from the calendar or typed and left is chosen; each
        // step of the arrows is a mere change.
        connect(picker, &QDateEdit::dateChanged, this, [this, i](const QDate& d) {
            m_finalize.pickDate(i, d, true);
            refresh();
        });
        connect(picker, &QDateEdit::editingFinished, this, [this, i, picker] {
            m_finalize.pickDate(i, picker->date());
            refresh();
        });
        m_pickers << picker;
        dates->addWidget(m_prompts.at(2 + i), i, 0);
        dates->addWidget(picker, i, 1);
    }
    dates->addWidget(m_prompts.at(4), 2, 0);
    dates->addWidget(m_prompts.at(7), 2, 1);
    column->addWidget(m_datePanel);
    return panel;
}

FinalizeFieldProposal::AmountBox frmFinalize::boxOf(const QLineEdit* edit) const {
    if (edit == m_payments.value(0)) {
        return Box::Payment1;
    }
    if (edit == m_payments.value(1)) {
        return Box::Payment2;
    }
    return Box::PreAmount;
}

void frmFinalize::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    QTimer::singleShot(0, this, &frmFinalize::activate);
}

void frmFinalize::activate() {
    if (!m_finalize.activate()) {
        ReturnToMenu(this);
        return;
    }
    QList<QStringList> rows;
    for (const ProposalRow& r : m_finalize.view().rows) {
        rows << QStringList{r.number, r.date, r.customer, r.amount};
    }
    m_model->setRows(std::move(rows));
    refresh();
}

void frmFinalize::refresh() {
    const FinalizeFieldProposal::View& v = m_finalize.view();
    m_account->setVisible(v.accountFrame);
    m_details->setVisible(v.detailsFrame);
    for (int i = 0; i < 7; ++i) {
        m_customer.at(i)->setText(v.customer.value(i));
        setText(m_site.at(i), v.site.value(i));
    }
    if (m_body->toPlainText() != v.body) {
        const QSignalBlocker block(m_body);
        m_body->setPlainText(v.body);
    }
    setText(m_preAmount, v.preAmount);
    setText(m_tax1, v.tax1);
    setText(m_tax2, v.tax2);
    setText(m_total, v.grandTotal);
    m_apply1->setText(v.apply1Caption);
    m_apply2->setText(v.apply2Caption);
    m_apply1->setChecked(v.apply1);
    m_apply2->setChecked(v.apply2);
    m_apply1->setEnabled(v.apply1Enabled);
    m_tax1->setEnabled(v.apply1Enabled);
    m_apply2->setEnabled(v.apply2Enabled);
    m_tax2->setEnabled(v.apply2Enabled);
    Form::checkInGroup(m_planGroup, int(v.plan));
    for (int i = 0; i < 2; ++i) {
        setText(m_payments.at(i), v.payment.at(size_t(i)));
        const QSignalBlocker blockPicker(m_pickers.at(i));
        m_pickers.at(i)->setDate(v.date.at(size_t(i)));
    }
    m_payments.at(1)->setEnabled(v.secondPayment);
    m_pickers.at(1)->setEnabled(v.secondPayment);
    m_prompts.at(3)->setEnabled(v.secondPayment);
    m_prompts.at(6)->setVisible(v.twoPaymentsPanel);
    m_totalPanel->setVisible(v.twoPaymentsPanel);
    m_datePanel->setVisible(v.datePanel);
    m_prompts.at(7)->setVisible(v.acceptPrompt);
    m_finalizeButton->setEnabled(v.finalizeEnabled);
}

void frmFinalize::applyFocus() {
    switch (m_finalize.takeFocus()) {
        case Focus::Body:
            m_body->setFocus(Qt::OtherFocusReason);
            break;
        case Focus::PreAmount:
            m_preAmount->setFocus(Qt::OtherFocusReason);
            break;
        case Focus::Payment1:
            m_payments.at(0)->setFocus(Qt::OtherFocusReason);
            break;
        case Focus::FirstDate:
            m_pickers.at(0)->setFocus(Qt::OtherFocusReason);
            break;
        case Focus::None:
            break;
    }
}

bool frmFinalize::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease && m_model->rowCount() == 0) {
            picked(-1);
        }
        return false;
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) {
        return Screen::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text.at(0).isPrint()) {
            m_finalize.startTyping(boxOf(box));
            refresh();
        }
    } else if (event->type() == QEvent::FocusOut &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        // A message box or another window taking the focus is not leaving the box.
        // After the event, so a question asked on leaving does not interrupt
        // the change of focus half way.
        QTimer::singleShot(0, this, [this, box] { left(box); });
    }
    return false;
}

void frmFinalize::left(QLineEdit* box) {
    if (!m_details->isVisible() || !box->isEnabled()) {
        return;
    }
    if (box == m_preAmount) {
        m_finalize.leavePreAmount();
    } else {
        m_finalize.leavePayment(box == m_payments.at(1) ? 1 : 0);
    }
    refresh();
    applyFocus();
}

void frmFinalize::picked(int row) {
    if (!m_finalize.pick(row)) {
        ReturnToMenu(this);
        return;
    }
    refresh();
}

void frmFinalize::press(FinalizeFieldProposal::Button button) {
    if (m_finalize.press(button)) {
        ReturnToMenu(this);
        return;
    }
    refresh();
    applyFocus();
}

void frmFinalize::finalize() {
    if (m_finalize.finalize()) {
        ReturnToMenu(this);
        return;
    }
    refresh();
    applyFocus();
}
