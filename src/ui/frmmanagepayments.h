#pragma once

#include "accounts/invoicerun.h"
#include "ui/screen.h"

#include <QList>

class GridModel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTableView;
class QTimer;
class QToolButton;

// The payments screen: the stored proposals, the schedule of the one picked,
// and its invoices printed, confirmed page by page and posted.
class frmManagePayments : public Screen {
    Q_OBJECT
public:
    frmManagePayments(AppContext& ctx, ScreenManager& screens);

    // Every write of a run goes through here (tests fail them on purpose).
    void setWriteApplier(WriteApplier apply) { m_payments.setWriteApplier(std::move(apply)); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildDetails();
    QWidget* buildInvoice();
    void activate();
    void refresh();
    void picked(const QModelIndex& index);
    void printInvoices();
    void preview();
    void saveAsPdf();
    void goToFinalize();

    ManagePayments m_payments;
    GridModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QGroupBox* m_details = nullptr;
    QList<QLabel*> m_info;  // lblCustomerInfo(0..10)
    QList<QLabel*> m_dates;
    QList<QLabel*> m_amounts;
    QList<QRadioButton*> m_options;
    QCheckBox* m_remittance = nullptr;
    QGroupBox* m_invoice = nullptr;
    QLabel* m_instruction = nullptr;
    QLabel* m_paper = nullptr;
    QToolButton* m_printer = nullptr;
    QTimer* m_timer = nullptr;
    qsizetype m_shownRows = -1;
};
