#include "ui/frmcustomer.h"

#include "customers/customerfiles.h"
#include "customers/customerlist.h"
#include "customers/customerlistinput.h"
#include "shell/appcontext.h"
#include "ui/customeritemmodels.h"
#include "ui/frmdialer.h"
#include "ui/gridwheel.h"
#include "ui/pictures.h"
#include "ui/screenmanager.h"
#include "ui/validatingedit.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStringListModel>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {
const QString kName = QStringLiteral("frmCustomer");
constexpr int kAuxRows = CustomerFiles::kAuxBoxes;

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

void setText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}

void setPlainText(QPlainTextEdit* edit, const QString& text) {
    if (edit->toPlainText() != text) {
        edit->setPlainText(text);
    }
}

void showAll(const QList<QWidget*>& widgets, bool visible) {
    for (QWidget* w : widgets) {
        w->setVisible(visible);
    }
}

// The search options, optSearch(0..8).
const QStringList& searchCaptions() {
    static const QStringList captions{QStringLiteral("by Business Name"),
                                      QStringLiteral("by Address #1"),
                                      QStringLiteral("by Address #2"),
                                      QStringLiteral("by City or Addr #3)"),
                                      QStringLiteral("by State"),
                                      QStringLiteral("by Zip Code (or Addr #4)"),
                                      QStringLiteral("by Telephone Number"),
                                      QStringLiteral("by Last Name"),
                                      QStringLiteral("by Account Number")};
    return captions;
}

struct NavCaption {
    const char* caption;
    const char* toolTip;
};
// The seven navigation buttons, cmdNav(0..6).
constexpr NavCaption kNav[] = {
    {"|<", "Selects 1st Customer Record"},      {"<", "Selects Previous Customer Record"},
    {">", "Selects Next Customer Record"},      {">|", "Selects Last Customer Record"},
    {"1/4", "Goes  1/4 into Customer Records"}, {"3/4", "Goes 3/4 into Customer Record"},
    {"1/2", "Goes 1/2 into Customer Records"}};
}  // namespace

frmCustomer::frmCustomer(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, kName), m_model(std::make_unique<CustomerScreenModel>(ctx)) {
    setWindowTitle(QStringLiteral("Customer Selection"));
    m_model->load();
    // Filling the lists while building is not the user typing.
    m_refreshing = true;
    buildMenus();
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    left->addWidget(buildRecord());
    left->addStretch();
    row->addLayout(left);
    row->addWidget(buildButtons());
    auto* right = new QVBoxLayout;
    // The frames start hidden, so no layout ever sizes the window for all
    // of them at once.
    for (QWidget* frame : {buildSearch(), buildResults(), buildAux()}) {
        frame->hide();
        right->addWidget(frame, frame == m_results ? 1 : 0);
    }
    row->addLayout(right, 1);
    setCentralWidget(central);
    m_refreshing = false;
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, [this] {
        const CustomerView& v = m_model->view();
        act([this, &v] {
            if (v.bigVisible) {
                m_model->hideBigWindow();
            } else if (v.searchVisible) {
                m_model->hideSearch();
            } else if (v.resultsVisible) {
                m_model->hideResults();
            }
        });
    });
    refresh();
    adjustSize();
}

frmCustomer::~frmCustomer() = default;

// --- Building ------------------------------------------------------------------

void frmCustomer::buildMenus() {
    QMenu* customers = menuBar()->addMenu(QStringLiteral("&Customers"));
    auto item = [this](QMenu* menu, const QString& name, const QString& caption,
                       std::function<void()> action) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, action] { act(action); });
        return a;
    };
    m_add = item(customers, QStringLiteral("mnuAdd"), QStringLiteral("&Add a New Customer"),
                 [this] { saved(m_model->addNew()); });
    m_delete = item(customers, QStringLiteral("mnuDelete"), QStringLiteral("&DELETE This customer"),
                    [this] { static_cast<void>(m_model->deleteShown()); });
    customers->addSeparator();
    item(customers, QStringLiteral("mnuPrint"), QStringLiteral("&Print Customer List"),
         [this] { m_model->listAllCustomers(); });
    QMenu* data = menuBar()->addMenu(QStringLiteral("&Data"));
    m_aux = item(data, QStringLiteral("mnuAux"), QStringLiteral("Data &Screen"),
                 [this] { m_model->toggleAuxScreen(); });
}

QPushButton* frmCustomer::button(const QString& name, const QString& caption, QWidget* parent,
                                 const QString& toolTip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(toolTip);
    b->setAutoDefault(true);
    return b;
}

QLineEdit* frmCustomer::lineEdit(const QString& name, CustomerBox field, int width,
                                 QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    // The record field's width: what is typed is what is stored.
    e->setMaxLength(width);
    connect(e, &QLineEdit::textChanged, this, [this, field](const QString& text) {
        if (!m_refreshing) {
            m_model->edit(field, text);
        }
    });
    m_edits.insert(field, e);
    return e;
}

QLineEdit* frmCustomer::box(int index, CustomerBox field, int width, QWidget* parent) {
    return lineEdit(indexed("txtCustomer", index), field, width, parent);
}

QComboBox* frmCustomer::comboBox(const QString& name, CustomerBox field, int width,
                                 QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->setMaxLength(width);
    // Sized by a few characters, never by measuring every entry.
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(qMin(width, 18));
    connect(c, &QComboBox::editTextChanged, this, [this, field](const QString& text) {
        if (!m_refreshing) {
            m_model->edit(field, text);
        }
    });
    m_combos.insert(field, c);
    return c;
}

QWidget* frmCustomer::buildRecord() {
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    QLineEdit* account = box(0, CustomerBox::AccountNumber, 20, panel);
    account->installEventFilter(this);
    ValidatingEdit::attach(account, ctx(), ValidatingEdit::Kind::Text);
    auto* typeRow = new QHBoxLayout;
    m_type = new QLabel(panel);
    m_type->setObjectName(QStringLiteral("lbLType"));
    QPushButton* toggle =
        button(QStringLiteral("cmdAcctType"), QStringLiteral("&Toggle Type"), panel);
    connect(toggle, &QPushButton::clicked, this,
            [this] { act([this] { m_model->toggleType(); }); });
    typeRow->addWidget(account, 1);
    typeRow->addWidget(m_type);
    typeRow->addWidget(toggle);
    form->addRow(QStringLiteral("Account No"), typeRow);
    form->addRow(buildNames(panel));
    form->addRow(QStringLiteral("Address 1"), box(2, CustomerBox::Address1, 35, panel));
    QLineEdit* address2 = box(3, CustomerBox::Address2, 25, panel);
    address2->setToolTip(QStringLiteral("Enter any additional info here"));
    form->addRow(QStringLiteral("Address 2"), address2);
    form->addRow(buildAddressFrames(panel));

    auto* phoneRow = new QHBoxLayout;
    QLineEdit* phone = box(6, CustomerBox::Phone, 13, panel);
    ValidatingEdit::attach(phone, ctx(), ValidatingEdit::Kind::Text);
    phoneRow->addWidget(phone, 1);
    m_phone = new QToolButton(panel);
    m_phone->setObjectName(QStringLiteral("imgPhone"));
    m_phone->setIcon(PictureIcon(QStringLiteral("telephone"), QSize(32, 32)));
    m_phone->setIconSize(QSize(32, 32));
    m_phone->setAutoRaise(true);
    m_phone->setToolTip(QStringLiteral("Dial this Customer"));
    connect(m_phone, &QToolButton::clicked, this, [this] {
        DialRequest request;
        act([this, &request] { request = m_model->dial(); });
        ShowDialer(screens(), request);
    });
    phoneRow->addWidget(m_phone);
    form->addRow(QStringLiteral("Telephone"), phoneRow);
    form->addRow(QStringLiteral("Cell"), box(11, CustomerBox::Cell, 13, panel));
    form->addRow(QStringLiteral("Fax, Email, ETC"), box(7, CustomerBox::Other, 30, panel));

    auto* nav = new QHBoxLayout;
    for (int i = 0; i < 7; ++i) {
        QPushButton* b = button(indexed("cmdNav", i), QLatin1String(kNav[i].caption), panel,
                                QLatin1String(kNav[i].toolTip));
        connect(b, &QPushButton::clicked, this, [this, i] {
            act([this, i] { saved(m_model->navigate(static_cast<NavButton>(i))); });
        });
        nav->addWidget(b);
        m_nav << b;
    }
    form->addRow(nav);
    return panel;
}

QWidget* frmCustomer::buildNames(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    m_nameBoxes = new QWidget(holder);
    auto* form = new QFormLayout(m_nameBoxes);
    form->setContentsMargins(0, 0, 0, 0);
    auto row = [form, this](const QString& label, QWidget* field, QList<QWidget*>* group) {
        auto* l = new QLabel(label, m_nameBoxes);
        l->setBuddy(field);
        form->addRow(l, field);
        *group << l << field;
    };
    row(QStringLiteral("Account Name"), box(1, CustomerBox::AccountName, 45, m_nameBoxes),
        &m_businessOnly);
    QComboBox* title = comboBox(QStringLiteral("cboTitle"), CustomerBox::Title, 10, m_nameBoxes);
    title->addItems(CustomerScreenModel::titles());
    row(QStringLiteral("Title"), title, &m_individualOnly);
    row(QStringLiteral("First Name"), box(8, CustomerBox::FirstName, 15, m_nameBoxes),
        &m_individualOnly);
    row(QStringLiteral("Middle Initial"), box(9, CustomerBox::MiddleInitial, 1, m_nameBoxes),
        &m_individualOnly);
    row(QStringLiteral("Last Name"), box(10, CustomerBox::LastName, 25, m_nameBoxes),
        &m_individualOnly);
    column->addWidget(m_nameBoxes);

    m_list = new QGroupBox(QStringLiteral("Find Account"), holder);
    m_list->setObjectName(QStringLiteral("fraListSelect"));
    auto* listColumn = new QVBoxLayout(m_list);
    m_accounts = new QComboBox(m_list);
    m_accounts->setObjectName(QStringLiteral("cboAccounts"));
    m_accounts->setEditable(true);
    m_accounts->setInsertPolicy(QComboBox::NoInsert);
    m_accounts->setCompleter(nullptr);
    m_accounts->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_accounts->setMinimumContentsLength(30);
    m_accountModel = new AccountListModel(m_accounts);
    m_accounts->setModel(m_accountModel);
    m_accounts->lineEdit()->installEventFilter(this);
    connect(m_accounts->lineEdit(), &QLineEdit::textEdited, this, &frmCustomer::accountListEdited);
    connect(m_accounts, &QComboBox::activated, this, [this](int index) {
        const int record = m_accounts->itemData(index, Qt::UserRole).toInt();
        act([this, record] { m_model->selectFromList(record); });
    });
    listColumn->addWidget(m_accounts);
    column->addWidget(m_list);
    return holder;
}

QWidget* frmCustomer::buildAddressFrames(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    m_usa = new QGroupBox(QStringLiteral("City, State and Postal Code"), holder);
    m_usa->setObjectName(QStringLiteral("fraUSAddress"));
    auto* usa = new QFormLayout(m_usa);
    QComboBox* city = comboBox(QStringLiteral("cboCity"), CustomerBox::City, 25, m_usa);
    m_cityModel = new QStringListModel(city);
    city->setModel(m_cityModel);
    usa->addRow(QStringLiteral("City"), city);
    QComboBox* states = comboBox(QStringLiteral("cboStates"), CustomerBox::State, 2, m_usa);
    states->addItems(m_model->view().states);
    usa->addRow(QStringLiteral("State"), states);
    usa->addRow(QStringLiteral("Postal Code"), box(5, CustomerBox::PostalCode, 10, m_usa));
    column->addWidget(m_usa);

    m_intl = new QGroupBox(QStringLiteral("Address 3 and 4"), holder);
    m_intl->setObjectName(QStringLiteral("fraIntAddress"));
    auto* intl = new QFormLayout(m_intl);
    for (const auto& [name, field] : {std::pair{"txtAdd3", CustomerBox::Address3},
                                      std::pair{"txtAdd4", CustomerBox::Address4}}) {
        QLineEdit* e = lineEdit(QLatin1String(name), field, 25, m_intl);
        ValidatingEdit::attach(e, ctx(), ValidatingEdit::Kind::Text);
        intl->addRow(field == CustomerBox::Address3 ? QStringLiteral("Address 3")
                                                    : QStringLiteral("Address 4"),
                     e);
    }
    column->addWidget(m_intl);
    return holder;
}

QWidget* frmCustomer::buildButtons() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    QPushButton* add = button(QStringLiteral("cmdNew"), QStringLiteral("Add New Customer"), panel);
    connect(add, &QPushButton::clicked, this,
            [this] { act([this] { saved(m_model->addNewButton()); }); });
    m_cancelAdd = button(QStringLiteral("cmdCustomer"), QStringLiteral("Cancel Add &New"), panel);
    connect(m_cancelAdd, &QPushButton::clicked, this,
            [this] { act([this] { m_model->cancelAdd(); }); });
    const QStringList find{QStringLiteral("&Search by Criteria,such as Street Address"),
                           QStringLiteral("&Find Account in Name List Alphbetically"),
                           QStringLiteral("Select from &Account List"),
                           QStringLiteral("&Locate Account in Name List")};
    const std::function<void()> actions[] = {[this] { saved(m_model->openSearch()); },
                                             [this] {
                                                 if (m_model->openNameList()) {
                                                     m_accounts->setEditText(QString());
                                                 }
                                             },
                                             [this] { m_model->closeFrames(); },
                                             [this] { m_model->listAllCustomers(); }};
    for (int i = 0; i < find.size(); ++i) {
        QPushButton* b = button(indexed("Command1", i), find.at(i), panel);
        connect(b, &QPushButton::clicked, this, [this, action = actions[i]] { act(action); });
        m_find << b;
    }
    m_start = button(QStringLiteral("cmdSchedule"), QStringLiteral("&Start Proposal"), panel);
    connect(m_start, &QPushButton::clicked, this, &frmCustomer::startProposal);
    QPushButton* menu = button(QStringLiteral("cmdExit"), QStringLiteral("&Menu"), panel);
    connect(menu, &QPushButton::clicked, this, [this] {
        act([this] {
            const SaveOutcome o = m_model->exitToMenu();
            saved(o);
            m_leaveForMenu = m_leaveForMenu || o == SaveOutcome::Saved;
        });
    });
    for (QPushButton* b : {add, m_cancelAdd}) {
        column->addWidget(b);
    }
    for (QPushButton* b : m_find) {
        column->addWidget(b);
    }
    column->addStretch();
    column->addWidget(m_start);
    column->addWidget(menu);
    return panel;
}

QWidget* frmCustomer::buildSearch() {
    m_search = new QGroupBox(QStringLiteral("Search"), this);
    m_search->setObjectName(QStringLiteral("fraSearch"));
    auto* column = new QVBoxLayout(m_search);
    auto* grid = new QGridLayout;
    for (int i = 0; i < searchCaptions().size(); ++i) {
        auto* option = new QRadioButton(searchCaptions().at(i), m_search);
        option->setObjectName(indexed("optSearch", i));
        connect(option, &QRadioButton::clicked, this, [this, i] {
            act([this, i] { m_model->chooseSearchOption(static_cast<SearchMode>(i)); });
        });
        grid->addWidget(option, i % 5, i / 5);
        m_options << option;
    }
    column->addLayout(grid);
    m_searchBox = new QLineEdit(m_search);
    m_searchBox->setObjectName(QStringLiteral("txtSearch"));
    connect(m_searchBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_refreshing) {
            m_model->setSearchText(text);
        }
    });
    column->addWidget(m_searchBox);
    auto* buttons = new QHBoxLayout;
    QPushButton* run = button(QStringLiteral("cmdStartSearch"), QStringLiteral("Search"), m_search);
    connect(run, &QPushButton::clicked, this,
            [this] { act([this] { static_cast<void>(m_model->runSearch()); }); });
    connect(m_searchBox, &QLineEdit::returnPressed, run, &QPushButton::click);
    QPushButton* hide = button(QStringLiteral("cmdHideSearch"), QStringLiteral("Hide"), m_search);
    connect(hide, &QPushButton::clicked, this, [this] { act([this] { m_model->hideSearch(); }); });
    QPushButton* clear =
        button(QStringLiteral("cmdClearSearch"), QStringLiteral("Clear"), m_search);
    connect(clear, &QPushButton::clicked, this,
            [this] { act([this] { m_model->clearSearch(); }); });
    for (QPushButton* b : {run, hide, clear}) {
        buttons->addWidget(b);
    }
    column->addLayout(buttons);
    return m_search;
}

QWidget* frmCustomer::buildResults() {
    m_results = new QGroupBox(this);
    m_results->setObjectName(QStringLiteral("fraCustomersFound"));
    auto* column = new QVBoxLayout(m_results);
    m_grid = new QTableView(m_results);
    m_grid->setObjectName(QStringLiteral("fgCustomersFound"));
    m_rowsModel = new CustomerRowsModel(m_grid);
    m_grid->setModel(m_rowsModel);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    // The padded headings set the widths: as many characters of the grid's
    // font as they hold, counted at the font's average width, since a blank
    // is narrower than what fills the column (a whole telephone number).
    const QStringList headings = CustomerScreenModel::resultHeadings();
    const QFontMetrics metrics(m_grid->font());
    for (int c = 0; c < headings.size(); ++c) {
        const int text =
            std::max(metrics.horizontalAdvance(headings.at(c)),
                     metrics.averageCharWidth() * static_cast<int>(headings.at(c).size()));
        m_grid->setColumnWidth(c, text + metrics.horizontalAdvance(QLatin1Char('M')));
    }
    m_grid->horizontalHeader()->setStretchLastSection(true);
    int width = 2 * m_grid->frameWidth() + m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < headings.size(); ++c) {
        width += m_grid->columnWidth(c);
    }
    m_grid->setMinimumWidth(width);
    m_grid->setMinimumHeight(m_grid->verticalHeader()->defaultSectionSize() * 12);
    GridWheel::attach(m_grid);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QTableView::customContextMenuRequested, this, &frmCustomer::showResultsMenu);
    m_select = new QAction(QStringLiteral("&Select Customer"), this);
    m_select->setObjectName(QStringLiteral("mnuSelect"));
    connect(m_select, &QAction::triggered, this, [this] {
        const int row = m_grid->currentIndex().row();
        act([this, row] { m_model->selectResult(row); });
    });
    connect(m_grid, &QTableView::activated, m_select, &QAction::trigger);
    column->addWidget(m_grid, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* retry =
        button(QStringLiteral("cmdRetry"), QStringLiteral("&Close/Retry"), m_results);
    connect(retry, &QPushButton::clicked, this,
            [this] { act([this] { m_model->hideResults(); }); });
    buttons->addWidget(retry);
    buttons->addStretch();
    const std::pair<const char*, const char*> printing[] = {{"cmdPrintCustomers", "&Print"},
                                                            {"cmdPreviewCustomers", "Pre&view"},
                                                            {"cmdPdfCustomers", "Save as P&DF"}};
    const std::function<void()> actions[] = {[this] { printList(); }, [this] { previewList(); },
                                             [this] { saveListAsPdf(); }};
    for (int i = 0; i < 3; ++i) {
        QPushButton* b =
            button(QLatin1String(printing[i].first), QLatin1String(printing[i].second), m_results);
        connect(b, &QPushButton::clicked, this, actions[i]);
        buttons->addWidget(b);
        m_printButtons << b;
    }
    column->addLayout(buttons);
    return m_results;
}

QWidget* frmCustomer::buildAux() {
    m_auxFrame = new QGroupBox(this);
    m_auxFrame->setObjectName(QStringLiteral("fraAux"));
    auto* column = new QVBoxLayout(m_auxFrame);
    auto* top = new QHBoxLayout;
    m_auxAccount = new QLabel(m_auxFrame);
    m_auxAccount->setObjectName(QStringLiteral("lblAccount"));
    m_auxAccount->setTextFormat(Qt::PlainText);
    m_retain = new QCheckBox(QStringLiteral("RETAIN Aux Data between Accounts"), m_auxFrame);
    m_retain->setObjectName(QStringLiteral("ckSaveAux"));
    connect(m_retain, &QCheckBox::clicked, this,
            [this](bool on) { act([this, on] { m_model->setRetainAux(on); }); });
    top->addWidget(m_auxAccount, 1);
    top->addWidget(m_retain);
    column->addLayout(top);

    // The big window takes the place of the six boxes while it is open.
    m_auxRows = new QWidget(m_auxFrame);
    auto* grid = new QGridLayout(m_auxRows);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kAuxRows; ++i) {
        auto* heading = new QLineEdit(m_auxFrame);
        heading->setObjectName(indexed("txtHeading", i));
        heading->setToolTip(QStringLiteral("Applies to All Accounts"));
        heading->installEventFilter(this);
        connect(heading, &QLineEdit::textChanged, this, [this, i](const QString& t) {
            if (!m_refreshing) {
                m_model->editHeading(i, t);
            }
        });
        auto* data = new QPlainTextEdit(m_auxFrame);
        data->setObjectName(indexed("txtAux", i));
        data->setTabChangesFocus(true);
        data->setFixedHeight(data->fontMetrics().lineSpacing() * 3 + 2 * data->frameWidth() + 8);
        data->viewport()->installEventFilter(this);
        connect(data, &QPlainTextEdit::textChanged, this, [this, i, data] {
            if (!m_refreshing) {
                m_model->editAux(i, data->toPlainText());
            }
        });
        auto* clear = new QLabel(QStringLiteral("<Clear"), m_auxFrame);
        clear->setObjectName(indexed("lblClear", i));
        clear->setTextFormat(Qt::PlainText);
        clear->setCursor(Qt::PointingHandCursor);
        clear->installEventFilter(this);
        grid->addWidget(heading, i * 2, 0, 1, 2);
        grid->addWidget(data, i * 2 + 1, 0);
        grid->addWidget(clear, i * 2 + 1, 1, Qt::AlignTop);
        m_headings << heading;
        m_auxBoxes << data;
        m_clear << clear;
    }
    column->addWidget(m_auxRows);
    column->addWidget(buildBig(m_auxFrame), 1);

    auto* buttons = new QGridLayout;
    const std::tuple<int, const char*, std::function<void()>> auxButtons[] = {
        {0, "Save &Headings", [this] { m_model->saveHeadings(); }},
        {3, "Reload Aux Data", [this] { m_model->reloadAux(); }},
        {8, "Show &Previous Account", [this] { m_model->showPreviousAccount(); }},
        {7, "&Show Next Account", [this] { m_model->showNextAccount(); }},
        {2, "Close Screen", [this] { m_model->closeAuxScreen(); }}};
    int n = 0;
    for (const auto& [index, caption, action] : auxButtons) {
        QPushButton* b = button(indexed("cmdSaveAux", index), QLatin1String(caption), m_auxFrame);
        connect(b, &QPushButton::clicked, this, [this, action = action] { act(action); });
        buttons->addWidget(b, n / 3, n % 3);
        ++n;
    }
    column->addLayout(buttons);
    return m_auxFrame;
}

QWidget* frmCustomer::buildBig(QWidget* parent) {
    m_big = new QGroupBox(parent);
    m_big->setObjectName(QStringLiteral("fraBig"));
    auto* column = new QVBoxLayout(m_big);
    m_bigLabel = new QLabel(m_big);
    m_bigLabel->setObjectName(QStringLiteral("lblBig"));
    m_bigLabel->setTextFormat(Qt::PlainText);
    m_bigLabel->setWordWrap(true);
    column->addWidget(m_bigLabel);
    m_bigText = new QPlainTextEdit(m_big);
    m_bigText->setObjectName(QStringLiteral("txtBig"));
    m_bigText->setMinimumHeight(m_bigText->fontMetrics().lineSpacing() * 10);
    connect(m_bigText, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_refreshing) {
            m_model->editBig(m_bigText->toPlainText());
        }
    });
    column->addWidget(m_bigText, 1);
    auto* buttons = new QHBoxLayout;
    const std::tuple<int, const char*, std::function<void()>> bigButtons[] = {
        {4, "Hi&de", [this] { m_model->hideBigWindow(); }},
        {5, "Clear", [this] { m_model->clearBigWindow(); }},
        {6, "Oops, Reload", [this] { m_model->reloadBigWindow(); }}};
    for (const auto& [index, caption, action] : bigButtons) {
        QPushButton* b = button(indexed("cmdSaveAux", index), QLatin1String(caption), m_big);
        connect(b, &QPushButton::clicked, this, [this, action = action] { act(action); });
        buttons->addWidget(b);
    }
    column->addLayout(buttons);
    return m_big;
}

// --- Acting and showing ------------------------------------------------------------

void frmCustomer::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    if (!event->spontaneous()) {
        act([this] { m_model->activate(); });
    }
}

void frmCustomer::act(const std::function<void()>& action) {
    m_inAction = true;
    m_leaveForMenu = false;
    action();
    m_inAction = false;
    refresh();
    applyFocus(m_model->takeFocus());
    if (m_leaveForMenu) {
        m_leaveForMenu = false;
        goToMenu();
    }
}

void frmCustomer::saved(SaveOutcome outcome) {
    m_leaveForMenu = outcome == SaveOutcome::ExitToMenu;
}

void frmCustomer::refresh() {
    m_refreshing = true;
    refreshBoxes();
    refreshFrames();
    refreshAux();
    updateStartProposal();
    m_refreshing = false;
}

void frmCustomer::refreshBoxes() {
    const CustomerView& v = m_model->view();
    const CustomerBoxes& b = v.boxes;
    const std::pair<CustomerBox, const QString*> texts[] = {
        {CustomerBox::AccountNumber, &b.accountNumber},
        {CustomerBox::AccountName, &b.accountName},
        {CustomerBox::Address1, &b.address1},
        {CustomerBox::Address2, &b.address2},
        {CustomerBox::PostalCode, &b.postalCode},
        {CustomerBox::Address3, &b.address3},
        {CustomerBox::Address4, &b.address4},
        {CustomerBox::Phone, &b.phone},
        {CustomerBox::Other, &b.other},
        {CustomerBox::FirstName, &b.firstName},
        {CustomerBox::MiddleInitial, &b.middleInitial},
        {CustomerBox::LastName, &b.lastName},
        {CustomerBox::Cell, &b.cell},
        {CustomerBox::City, &b.city},
        {CustomerBox::State, &b.state},
        {CustomerBox::Title, &b.title}};
    m_cityModel->setStringList(v.cities);
    for (const auto& [field, text] : texts) {
        if (QLineEdit* e = m_edits.value(field)) {
            setText(e, *text);
        } else if (QComboBox* c = m_combos.value(field); c && c->currentText() != *text) {
            c->setEditText(*text);
        }
    }
    m_type->setText(b.accountType);
    showAll(m_businessOnly, v.isBusiness());
    showAll(m_individualOnly, !v.isBusiness());
    m_usa->setVisible(v.usaAddress);
    m_intl->setVisible(!v.usaAddress);
    m_phone->setVisible(ctx().vars().ModemPort > 0);
}

void frmCustomer::refreshFrames() {
    const CustomerView& v = m_model->view();
    const QSize before = sizeHint();
    for (QWidget* w : std::as_const(m_nav)) {
        w->setEnabled(v.navEnabled);
    }
    for (int i = 0; i < 3; ++i) {
        m_find.at(i)->setEnabled(v.navEnabled);
    }
    m_delete->setEnabled(v.deleteEnabled);
    m_add->setEnabled(v.addEnabled);
    m_aux->setEnabled(v.auxEnabled);
    m_cancelAdd->setVisible(v.cancelAddVisible);
    m_nameBoxes->setVisible(!v.listVisible);
    m_list->setVisible(v.listVisible);
    m_accountModel->setEntries(v.accounts);

    m_search->setVisible(v.searchVisible);
    setText(m_searchBox, v.searchText);
    for (int i = 0; i < m_options.size(); ++i) {
        QRadioButton* o = m_options.at(i);
        const bool on = v.searchOption && static_cast<int>(*v.searchOption) == i;
        o->setAutoExclusive(false);
        o->setChecked(on);
        o->setAutoExclusive(true);
    }
    m_results->setVisible(v.resultsVisible);
    m_results->setTitle(v.resultsCaption);
    m_rowsModel->setRows(v.results);
    for (QPushButton* b : std::as_const(m_printButtons)) {
        b->setVisible(v.printVisible);
    }
    // Frames that come and go resize a shown window; before the first show
    // Qt sizes it from the layout anyway.
    if (isVisible() && sizeHint() != before) {
        adjustSize();
    }
}

void frmCustomer::refreshAux() {
    const CustomerView& v = m_model->view();
    m_auxFrame->setVisible(v.auxVisible);
    m_auxFrame->setTitle(m_model->auxCaption());
    m_auxAccount->setText(m_model->accountLabel());
    m_retain->setChecked(v.retainAux);
    for (int i = 0; i < kAuxRows; ++i) {
        setText(m_headings.at(i), v.headings.value(i));
        setPlainText(m_auxBoxes.at(i), v.auxBoxes.value(i));
    }
    m_big->setVisible(v.bigVisible);
    m_auxRows->setVisible(!v.bigVisible);
    if (v.bigVisible) {
        m_bigLabel->setText(m_model->bigWindowLabel(v.editingBox));
        setPlainText(m_bigText, v.bigText);
    }
}

QString frmCustomer::workScreen() const {
    switch (CustomerScreenModel::workFor(ctx().vars().SelectedRoutine)) {
        case NextWork::ProposalWriter:
            return QStringLiteral("frmWriteProposal");
        case NextWork::FieldProposal:
            return QStringLiteral("frmFieldProposal");
        case NextWork::None:
            break;
    }
    return {};
}

// The work's screen may not be part of this program (yet): then the button
// stays off and says why.
void frmCustomer::updateStartProposal() {
    const QString screen = workScreen();
    const bool available = !screen.isEmpty() && screens().isAvailable(screen);
    m_start->setEnabled(available);
    m_start->setToolTip(available
                            ? QString()
                            : CustomerScreenModel::workMissingTip(
                                  CustomerScreenModel::workFor(ctx().vars().SelectedRoutine)));
}

void frmCustomer::applyFocus(CustomerFocus focus) {
    QWidget* target = nullptr;
    switch (focus) {
        case CustomerFocus::None:
            return;
        case CustomerFocus::AccountNumber:
            target = m_edits.value(CustomerBox::AccountNumber);
            break;
        case CustomerFocus::AccountName:
            target = m_edits.value(CustomerBox::AccountName);
            break;
        case CustomerFocus::FirstName:
            target = m_edits.value(CustomerBox::FirstName);
            break;
        case CustomerFocus::Telephone:
            target = m_edits.value(CustomerBox::Phone);
            break;
        case CustomerFocus::StartProposal:
            target = m_start;
            break;
        case CustomerFocus::SearchBox:
            target = m_searchBox;
            break;
        case CustomerFocus::AccountList:
            target = m_accounts;
            break;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void frmCustomer::goToMenu() {
    screens().hide(kName);
    screens().show(QStringLiteral("frmStartup"));
}

void frmCustomer::startProposal() {
    const QString screen = workScreen();
    NextWork next = NextWork::None;
    act([this, &next] { saved(m_model->startProposal(&next)); });
    if (next == NextWork::None || screen.isEmpty() || !screens().isAvailable(screen)) {
        return;
    }
    screens().hide(kName);
    screens().show(screen);
}

// --- The name list --------------------------------------------------------------------

// The first name that begins with what was typed completes it, the added
// part selected so the next key replaces it; Backspace and Delete take
// characters away without completing again.
void frmCustomer::accountListEdited(const QString& typed) {
    if (std::exchange(m_suppressCompletion, false)) {
        return;
    }
    const QString completed = m_model->completeName(typed);
    if (completed.size() <= typed.size()) {
        return;
    }
    QLineEdit* line = m_accounts->lineEdit();
    line->setText(completed);
    line->setSelection(int(typed.size()), int(completed.size() - typed.size()));
}

void frmCustomer::selectAccountText() {
    const int record = m_model->recordForName(m_accounts->currentText());
    if (record > 0) {
        act([this, record] { m_model->selectFromList(record); });
    }
}

bool frmCustomer::eventFilter(QObject* watched, QEvent* event) {
    // The filtered controls send events while the screen is still being built.
    if (!m_bigText) {
        return Screen::eventFilter(watched, event);
    }
    const QEvent::Type type = event->type();
    if (m_accounts && watched == m_accounts->lineEdit()) {
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            m_suppressCompletion = key == Qt::Key_Backspace || key == Qt::Key_Delete;
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                selectAccountText();
                return true;
            }
        } else if (type == QEvent::FocusOut && m_list && m_list->isVisible() && !m_inAction) {
            selectAccountText();
        }
        return false;
    }
    if (watched == m_edits.value(CustomerBox::AccountNumber) && type == QEvent::FocusOut &&
        !m_inAction) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            act([this] { static_cast<void>(m_model->checkDuplicateAccount()); });
        }
        return false;
    }
    if (type == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < kAuxRows; ++i) {
            if (watched == m_auxBoxes.at(i)->viewport()) {
                act([this, i] { m_model->openBigWindow(i); });
                return true;
            }
            if (watched == m_headings.at(i)) {
                act([this, i] { m_model->editHeading(i, QString()); });
                return true;
            }
        }
    }
    if (type == QEvent::MouseButtonRelease) {
        const int i = int(m_clear.indexOf(qobject_cast<QLabel*>(watched)));
        if (i >= 0) {
            act([this, i] { m_model->clearAux(i); });
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

// --- Results and the customer list ------------------------------------------------------

void frmCustomer::showResultsMenu(const QPoint& at) {
    const QModelIndex index = m_grid->indexAt(at);
    if (index.isValid()) {
        m_grid->setCurrentIndex(index);
    }
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(m_select);
    menu->popup(m_grid->viewport()->mapToGlobal(at));
}

void frmCustomer::printList() {
    const std::optional<CustomerListInput> input =
        CustomerListFromFile(ctx(), m_model->view().usaAddress);
    if (!input || !ctx().printerFactory) {
        return;
    }
    const std::shared_ptr<PrintTarget> target = ctx().printerFactory();
    static_cast<void>(PrintCustomerReport(ctx().prompter(), *target, *input));
}

void frmCustomer::previewList() {
    if (std::optional<CustomerListInput> input =
            CustomerListFromFile(ctx(), m_model->view().usaAddress)) {
        PreviewDocument(ctx(), customerListTitle(), true, CustomerListDocument(std::move(*input)));
    }
}

void frmCustomer::saveListAsPdf() {
    if (std::optional<CustomerListInput> input =
            CustomerListFromFile(ctx(), m_model->view().usaAddress)) {
        static_cast<void>(SaveDocumentAsPdf(ctx(), customerListTitle(),
                                            QStringLiteral("CustomerList.pdf"),
                                            CustomerListDocument(std::move(*input))));
    }
}
