#pragma once

#include "proposals/proposalreport.h"
#include "ui/screen.h"

#include <QList>

class GridModel;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTableView;

// The proposals report: every stored proposal in a grid, the body and
// schedule of the one clicked, and the deletion of the marked ones.
class frmProposalReport : public Screen {
    Q_OBJECT
public:
    frmProposalReport(AppContext& ctx, ScreenManager& screens);

    QTableView* grid() const { return m_grid; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildList();
    QWidget* buildDetails();
    void activate();
    void fillGrid();
    void showDetails();
    void clicked(const QModelIndex& index);
    void deleteSelected();
    void backToMenu();

    ProposalReport m_report;
    GridModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QGroupBox* m_details = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QLabel* m_proposed = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_noData = nullptr;
    QList<QLabel*> m_dates;
    QList<QLabel*> m_amounts;  // lblAmount(1..8)
};
