#include "ui/frmproposalreport.h"

#include "ui/formwidgets.h"
#include "ui/grid.h"
#include "ui/screenparts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kName = QStringLiteral("frmProposalReport");
constexpr int kPayments = 8;
}  // namespace

frmProposalReport::frmProposalReport(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, kName), m_report(ctx) {
    setWindowTitle(QStringLiteral("Proposals"));
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->addWidget(buildList(), 3);
    row->addWidget(buildDetails(), 2);
    setCentralWidget(central);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, [this] {
        if (m_details->isVisible()) {
            m_details->hide();
            m_report.closeDetails();
        } else {
            backToMenu();
        }
    });
}

QWidget* frmProposalReport::buildList() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->addWidget(Form::label(panel, Form::indexed("Label1", 3),
                                  QStringLiteral("The Grid Contains all Proposals")));
    m_model = new GridModel(ProposalReport::gridLayout(), this);
    m_grid = MakeGrid(QStringLiteral("fgProposals"), m_model, panel);
    m_grid->setMinimumWidth(m_grid->horizontalHeader()->length() / 2);
    connect(m_grid, &QTableView::clicked, this, &frmProposalReport::clicked);
    column->addWidget(m_grid, 1);
    column->addWidget(
        Form::label(panel, Form::indexed("Label1", 5),
                    QStringLiteral("Click a Proposal No in the grid to view details")));
    column->addWidget(Form::label(panel, Form::indexed("Label1", 2),
                                  QStringLiteral("Click the Select Column to DELETE Proposal(s)")));
    auto* buttons = new QHBoxLayout;
    QPushButton* remove = Form::button(panel, Form::indexed("cmdReport", 2),
                                       QStringLiteral("&Delete Selected Proposals"), {});
    connect(remove, &QPushButton::clicked, this, &frmProposalReport::deleteSelected);
    QPushButton* menu =
        Form::button(panel, Form::indexed("cmdReport", 0), QStringLiteral("&Menu"), {});
    connect(menu, &QPushButton::clicked, this, &frmProposalReport::backToMenu);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(menu);
    column->addLayout(buttons);
    return panel;
}

QWidget* frmProposalReport::buildDetails() {
    m_details = new QGroupBox(QStringLiteral("Proposal Body"), this);
    m_details->setObjectName(QStringLiteral("fraProposal"));
    auto* column = new QVBoxLayout(m_details);
    m_body = new QPlainTextEdit(m_details);
    m_body->setObjectName(QStringLiteral("txtProposalBody"));
    m_body->setToolTip(
        QStringLiteral("Displays the Body Data entered when the Proposal was created"));
    m_body->setReadOnly(true);
    m_body->setFont(QFont(QStringLiteral("Courier New")));
    column->addWidget(m_body, 1);
    column->addWidget(
        Form::label(m_details, Form::indexed("Label1", 4), QStringLiteral("Payment Schedule")));

    auto* schedule = new QGridLayout;
    schedule->addWidget(
        Form::label(m_details, Form::indexed("lblPayment", 1), QStringLiteral("Proposed Amount")),
        0, 0);
    m_proposed = Form::label(m_details, Form::indexed("lblAmount", 0), {});
    schedule->addWidget(m_proposed, 0, 1, Qt::AlignRight);
    schedule->addWidget(
        Form::label(m_details, Form::indexed("lblPayment", 0), QStringLiteral("Total Payments")), 1,
        0);
    m_count = Form::label(m_details, QStringLiteral("lblPayments"), {});
    schedule->addWidget(m_count, 1, 1, Qt::AlignRight);
    schedule->addWidget(new QLabel(QStringLiteral("Date"), m_details), 2, 0);
    schedule->addWidget(new QLabel(QStringLiteral("Amount"), m_details), 2, 1, Qt::AlignRight);
    for (int k = 1; k <= kPayments; ++k) {
        m_dates << Form::label(m_details, Form::indexed("lblDate", k - 1), {});
        m_amounts << Form::label(m_details, Form::indexed("lblAmount", k), {});
        schedule->addWidget(m_dates.last(), k + 2, 0);
        schedule->addWidget(m_amounts.last(), k + 2, 1, Qt::AlignRight);
    }
    column->addLayout(schedule);
    m_noData = Form::label(m_details, Form::indexed("Label1", 6),
                           ProposalReport::noPaymentNote().trimmed());
    column->addWidget(m_noData);
    QPushButton* close =
        Form::button(m_details, Form::indexed("cmdReport", 1), QStringLiteral("&Close"), {});
    connect(close, &QPushButton::clicked, this, [this] {
        m_report.closeDetails();
        m_details->hide();
    });
    column->addWidget(close, 0, Qt::AlignRight);
    m_details->hide();
    return m_details;
}

void frmProposalReport::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    // After the window is up, so "No Proposals Exist" has a window to sit on
    // and the return to the menu does not happen inside the show.
    QTimer::singleShot(0, this, &frmProposalReport::activate);
}

void frmProposalReport::activate() {
    if (!m_report.fill()) {
        backToMenu();
        return;
    }
    fillGrid();
}

void frmProposalReport::fillGrid() {
    QList<QStringList> rows;
    rows.reserve(m_report.rows().size());
    for (const ProposalReportRow& r : m_report.rows()) {
        rows << r.cells();
    }
    m_model->setRows(std::move(rows));
    m_details->setVisible(m_report.detailsShown());
}

void frmProposalReport::clicked(const QModelIndex& index) {
    const int gridRow = index.row() + 1;
    switch (m_report.click(gridRow, index.column())) {
        case ProposalReport::Click::Toggled:
            m_model->setCell(index.row(), ProposalReport::Select,
                             m_report.rows().at(index.row()).cells().at(ProposalReport::Select));
            break;
        case ProposalReport::Click::Details:
            showDetails();
            break;
        case ProposalReport::Click::FieldProposal:
        case ProposalReport::Click::Nothing:
            break;
    }
}

void frmProposalReport::showDetails() {
    const ProposalReportDetails& d = m_report.details();
    QString body = d.body;
    m_body->setPlainText(body.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_proposed->setText(d.proposedAmount);
    m_count->setText(d.paymentCount);
    m_noData->setVisible(d.noPaymentData);
    for (int k = 0; k < kPayments; ++k) {
        const bool shown = k < d.payments.size();
        m_dates.at(k)->setText(shown ? d.payments.at(k).dueDate : QString());
        m_amounts.at(k)->setText(shown ? d.payments.at(k).amount : QString());
        m_dates.at(k)->setVisible(shown);
        m_amounts.at(k)->setVisible(shown);
    }
    m_details->show();
}

void frmProposalReport::deleteSelected() {
    if (!m_report.deleteSelected()) {
        backToMenu();
        return;
    }
    fillGrid();
}

void frmProposalReport::backToMenu() {
    ReturnToMenu(this);
}
