#include "ui/frmsplash.h"

#include "shell/product.h"
#include "shell/startup.h"
#include "ui/logo.h"
#include "ui/screenmanager.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

QStringList frmSplash::welcomeTexts() {
    return {
        QStringLiteral("It has a series of File Folders where information the program requires "
                       "is stored."),
        QStringLiteral("The Setup Screen will be displayed when you click our LOGO."),
        QStringLiteral("Enter the information for each Folder."),
        QStringLiteral("When you're completed, click on the Menu Button. That's it!"),
        QStringLiteral("The program will start.(Unless you forgot something)"),
        QStringLiteral("You may return to the Setup Screen at any time and make changes by "
                       "Selecting Files | Create/Modify from the Main Menu Screen."),
        QStringLiteral("If you see this screen after initial Setup, one of your files is missing."),
        QStringLiteral("An unsuccessful attempt was made to restore it from the Backup Folder. You "
                       "need to recreate it."),
    };
}

frmSplash::frmSplash(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, QStringLiteral("frmSplash")) {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    // The welcome panel takes the place of the program's title, so the
    // window keeps its size when the panel appears.
    m_pages = new QStackedWidget(central);
    m_pages->addWidget(buildTitle());
    m_pages->addWidget(buildWelcome());
    row->addWidget(m_pages, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(makeLogo(0, 160), 0, Qt::AlignHCenter);
    m_continue = new QPushButton(QStringLiteral("Continue"), central);
    m_continue->setObjectName(QStringLiteral("cmdContinue"));
    m_continue->setToolTip(QStringLiteral("Starts the Program"));
    m_continue->setDefault(true);
    connect(m_continue, &QPushButton::clicked, this, &frmSplash::onContinue);
    right->addWidget(m_continue);
    right->addStretch();
    row->addLayout(right);
    setCentralWidget(central);
    m_continue->setFocus();
}

QToolButton* frmSplash::makeLogo(int index, int side) {
    auto* logo = new QToolButton(this);
    logo->setObjectName(QStringLiteral("Image1(%1)").arg(index));
    logo->setToolTip(QStringLiteral("Shows the Setup Screen"));
    logo->setAutoRaise(true);
    logo->setIcon(LogoIcon(side));
    logo->setIconSize(QSize(side, side));
    // The setup screen is not part of the program yet: the logo leads nowhere.
    logo->setEnabled(screens().isAvailable(QStringLiteral("frmSetup")));
    connect(logo, &QToolButton::clicked, this, [this, index] { onLogo(index); });
    return logo;
}

QWidget* frmSplash::buildTitle() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    column->addStretch();
    auto* title = new QLabel(ProductName(), page);
    title->setObjectName(QStringLiteral("lblProduct"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    title->setFont(big);
    column->addWidget(title, 0, Qt::AlignCenter);
    auto* line =
        new QLabel(QStringLiteral("Customers, proposals and invoices for contractors"), page);
    line->setObjectName(QStringLiteral("lblPurpose"));
    column->addWidget(line, 0, Qt::AlignCenter);
    column->addStretch();
    return page;
}

QWidget* frmSplash::buildWelcome() {
    m_welcome = new QGroupBox(this);
    m_welcome->setObjectName(QStringLiteral("fraWelcome"));
    auto* column = new QVBoxLayout(m_welcome);
    const QStringList texts = welcomeTexts();
    for (int i = 0; i < texts.size(); ++i) {
        auto* label = new QLabel(texts.at(i), m_welcome);
        label->setObjectName(QStringLiteral("lblWelcome(%1)").arg(i));
        label->setWordWrap(true);
        column->addWidget(label);
    }
    auto* pointerRow = new QHBoxLayout;
    pointerRow->addStretch();
    auto* pointer = new QLabel(QStringLiteral("LOGO >"), m_welcome);
    pointer->setObjectName(QStringLiteral("lblLogoPointer"));
    QFont bold = pointer->font();
    bold.setBold(true);
    pointer->setFont(bold);
    pointerRow->addWidget(pointer);
    pointerRow->addWidget(makeLogo(1, 48));
    column->addLayout(pointerRow);
    column->addStretch();
    return m_welcome;
}

void frmSplash::onContinue() {
    if (!SettingsFilesPresent(ctx())) {
        m_pages->setCurrentWidget(m_welcome);
        return;
    }
    screens().show(QStringLiteral("frmStartup"));
    screens().unload(objectName());
}

void frmSplash::onLogo(int index) {
    if (!screens().isAvailable(QStringLiteral("frmSetup"))) {
        return;
    }
    if (index == 1) {
        m_pages->setCurrentIndex(0);
    }
    screens().show(QStringLiteral("frmSetup"));
    screens().unload(objectName());
}
