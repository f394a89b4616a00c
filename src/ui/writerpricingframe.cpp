#include "ui/writerpricingframe.h"

#include "shell/appcontext.h"
#include "ui/formwidgets.h"
#include "ui/pictures.h"
#include "ui/validatingedit.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using Form::button;
using Form::indexed;

namespace {
QLineEdit* shownAmount(QWidget* parent, const QString& name) {
    auto* e = Form::named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}
}  // namespace

WriterPricingFrame::WriterPricingFrame(AppContext& ctx, Pricing& pricing,
                                       std::function<void()> changed, QWidget* parent)
    : QGroupBox(QStringLiteral("Enter Pricing and Payment Schedule"), parent),
      m_pricing(pricing),
      m_changed(std::move(changed)) {
    setObjectName(QStringLiteral("fraPricing"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(buildAmounts(), 0, 0);
    grid->addWidget(buildTaxes(), 1, 0);
    grid->addWidget(buildOptions(), 2, 0);
    grid->addWidget(buildPayments(), 0, 1, 3, 1);
    m_calendarFrame = Form::frame(this, QStringLiteral("fraCalendar"),
                                  QStringLiteral("Click the Due Date of each Payment in turn"));
    auto* calendarRow = new QVBoxLayout(m_calendarFrame);
    m_calendar = Form::named(new QCalendarWidget(m_calendarFrame), QStringLiteral("MonthView1"));
    m_calendar->setSelectedDate(ctx.clock().today());
    connect(m_calendar, &QCalendarWidget::clicked, this,
            [this](const QDate& d) { act([this, d] { m_pricing.pickDate(d); }); });
    calendarRow->addWidget(m_calendar);
    grid->addWidget(m_calendarFrame, 0, 2, 3, 1);
    grid->setRowStretch(3, 1);

    // Installed after the key filter, so it sees each key first: a zero
    // shown goes before the filter judges the key.
    for (QLineEdit* e : QList<QLineEdit*>{m_pre} + m_payments) {
        ValidatingEdit::attach(e, ctx, ValidatingEdit::Kind::Amount);
        e->installEventFilter(this);
    }
}

void WriterPricingFrame::act(const std::function<void()>& action) {
    action();
    m_changed();
}

QWidget* WriterPricingFrame::buildAmounts() {
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    m_pre = Form::named(new QLineEdit(panel), QStringLiteral("txtpreAmount"));
    form->addRow(Form::label(panel, QStringLiteral("Label2(0)"),
                             QStringLiteral("Enter the Proposed Amount  (before Tax)")),
                 m_pre);
    m_tax1 = shownAmount(panel, QStringLiteral("txtTax1"));
    form->addRow(QStringLiteral("Primary Tax"), m_tax1);
    m_tax2 = shownAmount(panel, QStringLiteral("txtTax2"));
    form->addRow(QStringLiteral("Secondary Tax"), m_tax2);
    m_total = shownAmount(panel, QStringLiteral("txtAmount"));
    form->addRow(QStringLiteral("Proposed Price"), m_total);
    m_priceLabel = Form::label(panel, QStringLiteral("Label2(4)"));
    QPushButton* clear =
        button(panel, QStringLiteral("cmdClearAmount"), QStringLiteral("Clear &Amount"));
    connect(clear, &QPushButton::clicked, this,
            [this] { act([this] { m_pricing.press(Pricing::Button::ClearAmount); }); });
    form->addRow(m_priceLabel, clear);
    return panel;
}

QWidget* WriterPricingFrame::buildTaxes() {
    m_taxFrame = Form::frame(this, QStringLiteral("fraTax"), QStringLiteral("Apply Taxes"));
    auto* column = new QVBoxLayout(m_taxFrame);
    m_applyTax =
        Form::named(new QCheckBox(QStringLiteral("Apply Taxe(s) to the Proposal"), m_taxFrame),
                    QStringLiteral("ckApplyTax"));
    // It tells whether the settings apply a tax; the two boxes below choose.
    m_applyTax->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_applyTax->setFocusPolicy(Qt::NoFocus);
    column->addWidget(m_applyTax);
    const auto check = [this](QCheckBox* box, Pricing::Tax tax) {
        connect(box, &QCheckBox::clicked, this, [this, tax](bool on) {
            act([this, tax, on] { m_pricing.setTaxApplied(tax, on); });
        });
    };
    m_applyTax1 = Form::named(new QCheckBox(QStringLiteral("Apply &Primary Tax"), m_taxFrame),
                              QStringLiteral("ckApplytax1"));
    check(m_applyTax1, Pricing::Tax::First);
    m_applyTax2 = Form::named(new QCheckBox(QStringLiteral("Apply &Secondary Tax"), m_taxFrame),
                              QStringLiteral("ckApplytax2"));
    check(m_applyTax2, Pricing::Tax::Second);
    m_taxItems =
        Form::named(new QCheckBox(QStringLiteral("Apply Taxes To &Items Added"), m_taxFrame),
                    QStringLiteral("ckTaxItems"));
    connect(m_taxItems, &QCheckBox::clicked, this,
            [this](bool on) { act([this, on] { m_pricing.setTaxItems(on); }); });
    QPushButton* post =
        button(m_taxFrame, QStringLiteral("cmdPostTaxes"), QStringLiteral("C&ontinue"));
    connect(post, &QPushButton::clicked, this,
            [this] { act([this] { m_pricing.press(Pricing::Button::PostTaxes); }); });
    for (QWidget* w : {static_cast<QWidget*>(m_applyTax1), static_cast<QWidget*>(m_applyTax2),
                       static_cast<QWidget*>(m_taxItems), static_cast<QWidget*>(post)}) {
        column->addWidget(w, 0, Qt::AlignLeft);
    }
    return m_taxFrame;
}

QWidget* WriterPricingFrame::buildOptions() {
    m_optionsFrame =
        Form::frame(this, QStringLiteral("fraPaymentOptions"), QStringLiteral("Payment Options"));
    auto* column = new QVBoxLayout(m_optionsFrame);
    m_options = new QButtonGroup(this);
    const QStringList captions{QStringLiteral("A &Down Payment and Final Payment"),
                               QStringLiteral("In &Full upon Completion"),
                               QStringLiteral("&Multiple Payments Schedule (1-8)")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* o =
            Form::named(new QRadioButton(captions.at(i), m_optionsFrame), indexed("optPayment", i));
        m_options->addButton(o, i);
        column->addWidget(o);
        connect(o, &QRadioButton::clicked, this,
                [this, i] { act([this, i] { m_pricing.chooseOption(Pricing::Option(i)); }); });
    }
    auto* countRow = new QHBoxLayout;
    m_count = Form::named(new QComboBox(m_optionsFrame), QStringLiteral("cboPayments"));
    for (int n = 1; n <= PaymentSchedule::MaxPayments; ++n) {
        m_count->addItem(QString::number(n));
    }
    connect(m_count, &QComboBox::activated, this,
            [this](int index) { act([this, index] { m_pricing.chooseCount(index + 1); }); });
    countRow->addWidget(m_count);
    m_countPicture = Form::named(new QLabel(m_optionsFrame), QStringLiteral("Image2(10)"));
    m_countPicture->setPixmap(
        PicturePixmap(QStringLiteral("pointer"), QSize(24, 24), devicePixelRatioF()));
    countRow->addWidget(m_countPicture);
    m_countHint = Form::label(m_optionsFrame, QStringLiteral("Label2(3)"),
                              QStringLiteral("Select the Number of Payments"));
    countRow->addWidget(m_countHint, 1);
    column->addLayout(countRow);
    m_createSchedule = button(m_optionsFrame, QStringLiteral("cmdMultiContinue"),
                              QStringLiteral("Create Sc&hedule"));
    connect(m_createSchedule, &QPushButton::clicked, this,
            [this] { act([this] { m_pricing.press(Pricing::Button::CreateSchedule); }); });
    column->addWidget(m_createSchedule, 0, Qt::AlignLeft);
    return m_optionsFrame;
}

QWidget* WriterPricingFrame::buildPayments() {
    m_paymentsFrame =
        Form::frame(this, QStringLiteral("fraPayments"), QStringLiteral("Payment Schedule"));
    auto* grid = new QGridLayout(m_paymentsFrame);
    m_allEqual = Form::named(new QCheckBox(m_paymentsFrame), QStringLiteral("ckAllEqual"));
    m_allEqual->setToolTip(
        QStringLiteral("Automatically divides the Proposed amount by the number of payments"));
    connect(m_allEqual, &QCheckBox::clicked, this,
            [this](bool on) { act([this, on] { m_pricing.setAllEqual(on); }); });
    grid->addWidget(m_allEqual, 0, 0, 1, 2);
    for (int k = 0; k < PaymentSchedule::MaxPayments; ++k) {
        auto* e = Form::named(new QLineEdit(m_paymentsFrame), indexed("txtPayment", k));
        auto* d = Form::label(m_paymentsFrame, indexed("lblPaymentDate", k));
        grid->addWidget(e, k + 1, 0);
        grid->addWidget(d, k + 1, 1);
        m_payments << e;
        m_dates << d;
    }
    auto* row = new QHBoxLayout;
    QPushButton* clear = button(m_paymentsFrame, QStringLiteral("cmdClearSchedule"),
                                QStringLiteral("Clear &Payments"));
    connect(clear, &QPushButton::clicked, this,
            [this] { act([this] { m_pricing.press(Pricing::Button::ClearSchedule); }); });
    QPushButton* redo =
        button(m_paymentsFrame, QStringLiteral("cmdRedo"), QStringLiteral("R&edo Payments"));
    connect(redo, &QPushButton::clicked, this,
            [this] { act([this] { m_pricing.press(Pricing::Button::Redo); }); });
    row->addWidget(clear);
    row->addWidget(redo);
    grid->addLayout(row, PaymentSchedule::MaxPayments + 1, 0, 1, 2);
    m_reviewNote = Form::label(m_paymentsFrame, QStringLiteral("lblWrite(9)"),
                               QStringLiteral("Review the Schedule, then click NEXT"));
    grid->addWidget(m_reviewNote, PaymentSchedule::MaxPayments + 2, 0, 1, 2);
    return m_paymentsFrame;
}

namespace {
// A message box or menu taking the focus for a moment is no leaving.
bool byUser(QEvent* event) {
    const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}
}  // namespace

// While a box has the focus it holds what the user types; the model's text
// goes in only where it empties the box for the first key.
bool WriterPricingFrame::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const int k = int(m_payments.indexOf(edit));
    const auto modelText = [this, k] {
        const Pricing::View v = m_pricing.view();
        return k >= 0 ? v.schedule.amounts.at(k) : v.preAmount;
    };
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (edit == m_pre && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            // Enter moves on, as Tab does.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(m_pre, &tab);
            return true;
        }
        if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
            const QString before = modelText();
            if (edit == m_pre) {
                m_pricing.keyPreAmount();
            } else if (k >= 0) {
                m_pricing.keyPayment(k);
            }
            if (!before.isEmpty() && modelText().isEmpty()) {
                edit->clear();
            }
        }
    } else if (event->type() == QEvent::FocusIn && k >= 0 && byUser(event)) {
        m_pricing.enterPayment(k);
        Form::setText(edit, modelText());
        m_changed();
    } else if (event->type() == QEvent::FocusOut && edit == m_pre && byUser(event)) {
        act([this] { m_pricing.leavePreAmount(m_pre->text()); });
    } else if (event->type() == QEvent::FocusOut && k >= 0 && byUser(event) &&
               !edit->text().isEmpty()) {
        act([this, k, edit] { m_pricing.leavePayment(k, edit->text()); });
    }
    return false;
}

void WriterPricingFrame::refresh(const Pricing::View& v) {
    if (!m_pre->hasFocus()) {
        Form::setText(m_pre, v.preAmount);
    }
    Form::setText(m_tax1, v.tax1);
    Form::setText(m_tax2, v.tax2);
    Form::setText(m_total, v.total);
    Form::setText(m_priceLabel, v.priceLabel);
    m_taxFrame->setVisible(v.taxFrame);
    m_applyTax->setEnabled(v.applyTaxEnabled);
    Form::setChecked(m_applyTax, v.applyTaxChecked);
    Form::setChecked(m_applyTax1, v.tax1Checked);
    Form::setChecked(m_applyTax2, v.tax2Checked);
    m_taxItems->setEnabled(v.taxItemsEnabled);
    Form::setChecked(m_taxItems, v.taxItemsChecked);
    m_optionsFrame->setVisible(v.optionsFrame);
    for (QAbstractButton* o : m_options->buttons()) {
        o->setEnabled(v.optionsEnabled);
    }
    Form::checkInGroup(m_options, int(v.option));
    m_createSchedule->setVisible(v.createSchedule);
    m_countHint->setVisible(v.countHint);
    m_countPicture->setVisible(v.countHint);
    m_count->setEnabled(v.countEnabled);
    if (m_count->currentIndex() != v.schedule.count - 1) {
        m_count->setCurrentIndex(v.schedule.count - 1);
    }
    m_paymentsFrame->setVisible(v.paymentsFrame);
    Form::setText(m_allEqual, v.schedule.allEqualCaption);
    Form::setChecked(m_allEqual, v.schedule.allEqual);
    for (int k = 0; k < PaymentSchedule::MaxPayments; ++k) {
        const bool shown = v.boxesShown && k < v.schedule.count;
        m_payments.at(k)->setVisible(shown);
        m_dates.at(k)->setVisible(shown);
        if (!m_payments.at(k)->hasFocus()) {
            Form::setText(m_payments.at(k), v.schedule.amounts.at(k));
        }
        Form::setText(m_dates.at(k), v.schedule.dateLabels.at(k));
    }
    m_reviewNote->setVisible(v.reviewNote);
    m_calendarFrame->setVisible(v.calendarFrame);
    m_calendar->setEnabled(v.calendarEnabled);
}

QWidget* WriterPricingFrame::focusTarget(const WriterFocus& focus) const {
    switch (focus.control) {
        case WriterFocus::PreAmount:
            return m_pre;
        case WriterFocus::PaymentCount:
            return m_count;
        case WriterFocus::Payment:
            return m_payments.value(focus.index);
        case WriterFocus::ClearSchedule:
            return findChild<QPushButton*>(QStringLiteral("cmdClearSchedule"));
        default:
            return nullptr;
    }
}
