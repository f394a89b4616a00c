#pragma once

#include "proposals/pricing.h"

#include <QGroupBox>
#include <QList>

#include <functional>

class AppContext;
class QButtonGroup;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The pricing step of the writer (fraPricing): the price before taxes, the
// taxes, the payment options, the schedule and the calendar its due dates are
// picked on. Every user action goes to the pricing model; `changed` then
// brings the whole screen up to date.
class WriterPricingFrame : public QGroupBox {
    Q_OBJECT
public:
    WriterPricingFrame(AppContext& ctx, Pricing& pricing, std::function<void()> changed,
                       QWidget* parent);

    void refresh(const Pricing::View& v);
    QWidget* focusTarget(const WriterFocus& focus) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildAmounts();
    QWidget* buildTaxes();
    QWidget* buildOptions();
    QWidget* buildPayments();
    void act(const std::function<void()>& action);

    Pricing& m_pricing;
    std::function<void()> m_changed;

    QLineEdit* m_pre = nullptr;
    QLineEdit* m_tax1 = nullptr;
    QLineEdit* m_tax2 = nullptr;
    QLineEdit* m_total = nullptr;
    QLabel* m_priceLabel = nullptr;
    QGroupBox* m_taxFrame = nullptr;
    QCheckBox* m_applyTax = nullptr;
    QCheckBox* m_applyTax1 = nullptr;
    QCheckBox* m_applyTax2 = nullptr;
    QCheckBox* m_taxItems = nullptr;
    QGroupBox* m_optionsFrame = nullptr;
    QButtonGroup* m_options = nullptr;
    QComboBox* m_count = nullptr;
    QLabel* m_countHint = nullptr;
    QLabel* m_countPicture = nullptr;
    QPushButton* m_createSchedule = nullptr;
    QGroupBox* m_paymentsFrame = nullptr;
    QCheckBox* m_allEqual = nullptr;
    QList<QLineEdit*> m_payments;
    QList<QLabel*> m_dates;
    QLabel* m_reviewNote = nullptr;
    QGroupBox* m_calendarFrame = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};
