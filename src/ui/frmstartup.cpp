#include "ui/frmstartup.h"

#include "shell/appcontext.h"
#include "shell/mainmenu.h"
#include "ui/logo.h"
#include "ui/screenmanager.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kSetup = QStringLiteral("frmSetup");
}

frmStartup::frmStartup(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, QStringLiteral("frmStartup")) {
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_timer->stop();
        startSelectedRoutine();
    });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    auto* row = new QHBoxLayout;
    auto* logo = new QToolButton(central);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setToolTip(QStringLiteral("Displays the Setup Screen"));
    logo->setAutoRaise(true);
    logo->setIcon(LogoIcon(96));
    logo->setIconSize(QSize(96, 96));
    logo->setEnabled(screens.isAvailable(kSetup));
    connect(logo, &QToolButton::clicked, this, &frmStartup::showSetup);
    row->addWidget(logo, 0, Qt::AlignTop);
    row->addWidget(buildRoutines(), 1);
    column->addLayout(row);

    m_start = new QPushButton(QStringLiteral("&Go to Selected Routine"), central);
    m_start->setObjectName(QStringLiteral("cmdStart"));
    m_start->setToolTip(QStringLiteral("Starts the Selected Routine"));
    connect(m_start, &QPushButton::clicked, this, &frmStartup::startSelectedRoutine);
    column->addWidget(m_start);
    setCentralWidget(central);

    buildMenus();
    updateStart();
}

QWidget* frmStartup::buildRoutines() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("fraRoutines"));
    auto* column = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(frame);
    const QList<ProgramRoutine>& routines = ProgramRoutines();
    for (int i = 0; i < routines.size(); ++i) {
        auto* option = new QRadioButton(routines.at(i).caption, frame);
        option->setObjectName(QStringLiteral("optProgramRoutine(%1)").arg(i));
        option->setToolTip(routines.at(i).toolTip);
        // A routine whose screen is not part of the program yet is offered
        // but cannot be chosen.
        option->setEnabled(screens().isAvailable(routines.at(i).screen));
        option->installEventFilter(this);
        group->addButton(option, i);
        column->addWidget(option);
        m_options << option;
    }
    connect(group, &QButtonGroup::idClicked, this, &frmStartup::choose);
    return frame;
}

void frmStartup::buildMenus() {
    QMenu* files = menuBar()->addMenu(QStringLiteral("Files"));
    files->setObjectName(QStringLiteral("mnuFiles"));
    QAction* create =
        files->addAction(QStringLiteral("Create/Modify"), this, &frmStartup::showSetup);
    create->setObjectName(QStringLiteral("mnuCreate"));
    create->setEnabled(screens().isAvailable(kSetup));
    QAction* exit =
        files->addAction(QStringLiteral("&Exit"), this, [this] { CloseProgram(ctx()); });
    exit->setObjectName(QStringLiteral("mnuExit"));

    QMenu* orders = menuBar()->addMenu(QStringLiteral("Order Forms"));
    orders->setObjectName(QStringLiteral("mnuOrderForms"));
    QMenu* deluxe = orders->addMenu(QStringLiteral("Deluxe Forms"));
    deluxe->setObjectName(QStringLiteral("mnuDeluxeForms"));
    deluxe->menuAction()->setObjectName(QStringLiteral("mnuDeluxeForms"));
    addOrderForm(deluxe, QStringLiteral("mnuDeluxe"));
    addOrderForm(deluxe, QStringLiteral("mnuDepositSlips"));
    for (const char* control : {"mnuPPaper", "mnuPPPaper", "mnuAddress", "mnuLabels"}) {
        addOrderForm(orders, QString::fromLatin1(control));
    }

    QAction* about = menuBar()->addAction(QStringLiteral("About"), this, &frmStartup::showAbout);
    about->setObjectName(QStringLiteral("mnuAbout"));
    QAction* help = menuBar()->addAction(QStringLiteral("&Help"), this,
                                         [this] { static_cast<void>(ShowUserManual(ctx())); });
    help->setObjectName(QStringLiteral("mnuHelpContentsFile"));
}

void frmStartup::addOrderForm(QMenu* menu, const QString& control) {
    const OrderFormLink* link = FindOrderFormLink(control);
    if (!link) {
        return;
    }
    QAction* action =
        menu->addAction(link->caption, this, [this, link] { OrderForm(ctx(), *link); });
    action->setObjectName(control);
}

void frmStartup::choose(int index) {
    ctx().vars().SelectedRoutine = index + 1;
    updateStart();
}

void frmStartup::updateStart() {
    m_start->setEnabled(screens().isAvailable(RoutineScreen(ctx().vars().SelectedRoutine)));
}

void frmStartup::startSelectedRoutine() {
    const QString screen = RoutineScreen(ctx().vars().SelectedRoutine);
    if (!screens().isAvailable(screen)) {
        return;
    }
    screens().show(screen);
    screens().unload(objectName());
}

void frmStartup::showSetup() {
    if (!screens().isAvailable(kSetup)) {
        return;
    }
    screens().hide(objectName());
    screens().show(kSetup);
}

void frmStartup::showAbout() {
    screens().hide(objectName());
    screens().show(QStringLiteral("frmAbout"));
}

bool frmStartup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto index = m_options.indexOf(qobject_cast<QRadioButton*>(watched));
        if (index >= 0 && m_options.at(index)->isEnabled()) {
            m_options.at(index)->setChecked(true);
            choose(static_cast<int>(index));
            m_timer->start();
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

// Each time the menu becomes active a pending double click is forgotten.
void frmStartup::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_timer->stop();
    }
    Screen::changeEvent(event);
}

void frmStartup::showEvent(QShowEvent* event) {
    m_timer->stop();
    Screen::showEvent(event);
}
