#include "ui/frmmanagepayments.h"

#include "print/documentoutput.h"
#include "shell/appcontext.h"
#include "ui/formwidgets.h"
#include "ui/grid.h"
#include "ui/pictures.h"
#include "ui/screenmanager.h"
#include "ui/screenparts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kName = QStringLiteral("frmManagePayments");
constexpr int kPayments = 8;
constexpr int kBlinkMs = 500;
constexpr int kPictureSide = 72;

// The headings padded as the model gives them, centred but for the name.
QString gridLayout() {
    const QStringList h = ManagePayments::gridHeadings();
    return QStringLiteral("^%1|^%2|<%3|^%4").arg(h.at(0), h.at(1), h.at(2), h.at(3));
}

void setInk(QLabel* label, quint32 ink) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor::fromRgba(Ink::toRgb(ink)));
    label->setPalette(p);
}
}  // namespace

frmManagePayments::frmManagePayments(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, kName), m_payments(ctx) {
    setWindowTitle(QStringLiteral("Existing Proposals and Payment Schedules"));
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    m_model = new GridModel(gridLayout(), this);
    m_grid = MakeGrid(QStringLiteral("fgProposals"), m_model, central);
    // Every column in view, the Amount too, without scrolling sideways.
    m_grid->setMinimumWidth(WidthOfAllColumns(m_grid));
    connect(m_grid, &QTableView::clicked, this, &frmManagePayments::picked);
    left->addWidget(m_grid, 1);
    QPushButton* menu =
        Form::button(central, QStringLiteral("cmdMenu"), QStringLiteral("&Menu"), {});
    connect(menu, &QPushButton::clicked, this, [this] { ReturnToMenu(this); });
    left->addWidget(menu, 0, Qt::AlignLeft);
    row->addLayout(left, 3);
    auto* right = new QVBoxLayout;
    right->addWidget(buildDetails());
    right->addWidget(buildInvoice());
    right->addStretch();
    row->addLayout(right, 2);
    setCentralWidget(central);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kBlinkMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_payments.tick();
        refresh();
    });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, [this] { ReturnToMenu(this); });
}

QWidget* frmManagePayments::buildDetails() {
    m_details = new QGroupBox(QStringLiteral("Proposal Details"), this);
    m_details->setObjectName(QStringLiteral("fraDetails"));
    auto* grid = new QGridLayout(m_details);
    for (int i = 0; i <= 10; ++i) {
        m_info << Form::label(m_details, Form::indexed("lblCustomerInfo", i), {});
    }
    // Name, address #1, #2, city line, postal line, telephone; then the
    // proposal's date, amount and count of payments.
    int line = 0;
    for (int i : {0, 1, 8, 2, 9, 3}) {
        grid->addWidget(m_info.at(i), line++, 0, 1, 2);
    }
    const QStringList captions{QStringLiteral("Created:"), QStringLiteral("Amount:"),
                               QStringLiteral("Payments:")};
    for (int k = 0; k < 3; ++k) {
        grid->addWidget(new QLabel(captions.at(k), m_details), line, 0);
        grid->addWidget(m_info.at(4 + k), line++, 1, Qt::AlignRight);
    }
    for (int k = 0; k < kPayments; ++k) {
        QLabel* date = Form::label(m_details, Form::indexed("lblPayDate", k), {});
        // A dark strip, so the schedule's yellow and red dates stand out.
        date->setAutoFillBackground(true);
        QPalette p = date->palette();
        p.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
        date->setPalette(p);
        m_dates << date;
        m_amounts << Form::label(m_details, Form::indexed("lblPayAmount", k), {});
        grid->addWidget(date, line, 0);
        grid->addWidget(m_amounts.last(), line++, 1, Qt::AlignRight);
    }
    m_info.at(7)->installEventFilter(this);
    m_info.at(7)->setCursor(Qt::PointingHandCursor);
    grid->addWidget(m_info.at(7), line++, 0, 1, 2);
    grid->addWidget(m_info.at(10), line++, 0, 1, 2);
    m_details->hide();
    return m_details;
}

QWidget* frmManagePayments::buildInvoice() {
    m_invoice = new QGroupBox(this);
    m_invoice->setObjectName(QStringLiteral("fraInvoice"));
    auto* column = new QVBoxLayout(m_invoice);
    m_options << new QRadioButton(QStringLiteral("Print &All Invoices"), m_invoice)
              << new QRadioButton(
                     QStringLiteral("Print a &Single Invoice (finalized) regardless of Payment "
                                    "Schedule"),
                     m_invoice);
    for (int i = 0; i < m_options.size(); ++i) {
        QRadioButton* o = m_options.at(i);
        o->setObjectName(Form::indexed("optPrint", i));
        connect(o, &QRadioButton::clicked, this, [this, i] {
            m_payments.choose(ManagePayments::PrintOption(i));
            refresh();
        });
        column->addWidget(o);
    }
    m_remittance = new QCheckBox(QStringLiteral("Print Using a &Remitance Form"), m_invoice);
    m_remittance->setObjectName(QStringLiteral("ckUseRimmitance"));
    connect(m_remittance, &QCheckBox::clicked, this, [this](bool on) {
        m_payments.setUseRemittance(on);
        refresh();
    });
    column->addWidget(m_remittance);
    m_instruction = Form::label(m_invoice, Form::indexed("Label1", 1), {});
    m_instruction->setWordWrap(true);
    column->addWidget(m_instruction);

    auto* pictures = new QHBoxLayout;
    m_paper = new QLabel(m_invoice);
    m_paper->setObjectName(QStringLiteral("imgPaper"));
    pictures->addWidget(m_paper);
    m_printer = new QToolButton(m_invoice);
    m_printer->setObjectName(QStringLiteral("imgPrinter"));
    m_printer->setToolTip(QStringLiteral("Click to Print the Invoices"));
    m_printer->setAutoRaise(true);
    m_printer->setIcon(PictureIcon(QStringLiteral("printer"), QSize(kPictureSide, kPictureSide)));
    m_printer->setIconSize(QSize(kPictureSide, kPictureSide));
    connect(m_printer, &QToolButton::clicked, this, &frmManagePayments::printInvoices);
    pictures->addWidget(m_printer);
    pictures->addStretch();
    column->addLayout(pictures);

    auto* buttons = new QHBoxLayout;
    QPushButton* preview = Form::button(m_invoice, QStringLiteral("cmdPreview"),
                                        QStringLiteral("Pre&view Invoices"), {});
    connect(preview, &QPushButton::clicked, this, &frmManagePayments::preview);
    QPushButton* pdf =
        Form::button(m_invoice, QStringLiteral("cmdSavePdf"), QStringLiteral("Save as P&DF"), {});
    connect(pdf, &QPushButton::clicked, this, &frmManagePayments::saveAsPdf);
    buttons->addWidget(preview);
    buttons->addWidget(pdf);
    buttons->addStretch();
    column->addLayout(buttons);
    return m_invoice;
}

void frmManagePayments::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    QTimer::singleShot(0, this, &frmManagePayments::activate);
}

void frmManagePayments::activate() {
    if (!m_payments.activate()) {
        ReturnToMenu(this);
        return;
    }
    refresh();
}

void frmManagePayments::refresh() {
    const ManagePayments::View& v = m_payments.view();
    if (v.rows.size() != m_shownRows) {
        QList<QStringList> rows;
        rows.reserve(v.rows.size());
        for (const ProposalRow& r : v.rows) {
            rows << QStringList{r.number, r.date, r.customer, r.amount};
        }
        m_model->setRows(std::move(rows));
        m_shownRows = v.rows.size();
    }
    m_details->setVisible(v.details);
    for (int i = 0; i < m_info.size(); ++i) {
        m_info.at(i)->setText(v.labels.value(i));
    }
    setInk(m_info.at(7), v.warningInk);
    // The blinking label keeps its place while it is off.
    m_info.at(7)->setText(v.warningShown ? v.labels.value(7) : QString());
    for (int k = 0; k < kPayments; ++k) {
        const bool shown = k < v.payments.size();
        m_dates.at(k)->setVisible(shown);
        m_amounts.at(k)->setVisible(shown);
        if (shown) {
            m_dates.at(k)->setText(v.payments.at(k).date);
            m_amounts.at(k)->setText(v.payments.at(k).amount);
            setInk(m_dates.at(k), v.payments.at(k).dateInk);
        }
    }
    m_options.at(0)->setEnabled(v.allInvoicesEnabled);
    m_options.at(1)->setEnabled(v.singleInvoiceEnabled);
    m_options.at(int(v.option))->setChecked(true);
    m_remittance->setChecked(v.useRemittance);
    m_instruction->setText(v.instruction);
    m_invoice->setTitle(v.paperFrame);
    m_paper->setPixmap(PicturePixmap(
        v.perforatedPaper ? QStringLiteral("paper-perforated") : QStringLiteral("paper-blank"),
        QSize(kPictureSide, kPictureSide), devicePixelRatioF()));
    m_invoice->setEnabled(v.details);
    if (v.blinking != m_timer->isActive()) {
        v.blinking ? m_timer->start() : m_timer->stop();
    }
}

bool frmManagePayments::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_info.value(7) && event->type() == QEvent::MouseButtonRelease) {
        m_payments.clickWarning();
        refresh();
    }
    return Screen::eventFilter(watched, event);
}

void frmManagePayments::picked(const QModelIndex& index) {
    const ManagePayments::Pick pick = m_payments.pick(index.row());
    refresh();
    if (pick == ManagePayments::Pick::GoToFinalize) {
        goToFinalize();
    }
}

// The menu comes back with "Finalize a Field Proposal" chosen, one key
// press from starting it.
void frmManagePayments::goToFinalize() {
    ScreenManager& manager = screens();
    ReturnToMenu(this);
    Screen* menu = manager.find(QStringLiteral("frmStartup"));
    if (!menu) {
        return;
    }
    if (auto* option = menu->findChild<QRadioButton*>(QStringLiteral("optProgramRoutine(5)"))) {
        option->setChecked(true);
    }
    if (auto* start = menu->findChild<QPushButton*>(QStringLiteral("cmdStart"))) {
        start->setFocus(Qt::OtherFocusReason);
    }
}

void frmManagePayments::printInvoices() {
    std::shared_ptr<PrintTarget> target = ctx().printerFactory ? ctx().printerFactory() : nullptr;
    if (!target) {
        return;
    }
    static_cast<void>(m_payments.print(*target));
    refresh();
}

void frmManagePayments::preview() {
    PreviewDocument(ctx(), m_payments.documentTitle(), false,
                    [this](PrintTarget& target) { return m_payments.drawInvoices(target); });
}

void frmManagePayments::saveAsPdf() {
    const QString file = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                         QStringLiteral("/Invoice.pdf");
    static_cast<void>(
        SaveDocumentAsPdf(ctx(), m_payments.documentTitle(), file,
                          [this](PrintTarget& target) { return m_payments.drawInvoices(target); }));
}
