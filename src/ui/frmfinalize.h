#pragma once

#include "accounts/finalize.h"
#include "ui/screen.h"

#include <QList>

class GridModel;
class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QWidget;

// Finalizing a field proposal: the field proposals in a grid, the customer
// and site addresses of the one picked, then its body, price and plan.
class frmFinalize : public Screen {
    Q_OBJECT
public:
    frmFinalize(AppContext& ctx, ScreenManager& screens);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Box = FinalizeFieldProposal::AmountBox;

    QWidget* buildList();
    QWidget* buildAccount();
    QWidget* buildDetails();
    QWidget* buildAmounts(QWidget* parent);
    QWidget* buildPlan(QWidget* parent);
    QLineEdit* amountBox(const QString& name, const QString& toolTip, QWidget* parent);
    void activate();
    void refresh();
    void applyFocus();
    void picked(int row);
    void press(FinalizeFieldProposal::Button button);
    void left(QLineEdit* box);
    void finalize();
    Box boxOf(const QLineEdit* edit) const;

    FinalizeFieldProposal m_finalize;
    GridModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QGroupBox* m_account = nullptr;
    QGroupBox* m_details = nullptr;
    QList<QLabel*> m_customer;  // lblCustomerInfo(1..7)
    QList<QLineEdit*> m_site;   // txtCustomerInfo(1..7)
    QList<QLabel*> m_prompts;   // lblFinalize(0..8)
    QPlainTextEdit* m_body = nullptr;
    QLineEdit* m_preAmount = nullptr;
    QCheckBox* m_apply1 = nullptr;
    QCheckBox* m_apply2 = nullptr;
    QLineEdit* m_tax1 = nullptr;
    QLineEdit* m_tax2 = nullptr;
    QLineEdit* m_total = nullptr;
    QList<QRadioButton*> m_plans;
    QButtonGroup* m_planGroup = nullptr;
    QList<QLineEdit*> m_payments;
    QList<QDateEdit*> m_pickers;
    QWidget* m_datePanel = nullptr;   // picDate
    QWidget* m_totalPanel = nullptr;  // picTotal
    QPushButton* m_finalizeButton = nullptr;
};
