#include "ui/frmabout.h"

#include "shell/mainmenu.h"
#include "ui/logo.h"
#include "ui/screenmanager.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}
}  // namespace

frmAbout::frmAbout(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, QStringLiteral("frmAbout")) {
    setWindowTitle(ProductName() + QStringLiteral(" by BRENLOW"));
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);

    auto* icon = new QLabel(central);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(LogoPixmap(96, devicePixelRatioF()));
    row->addWidget(icon, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    QLabel* title = label(central, QStringLiteral("lblTitle"), ProductName());
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    column->addWidget(title);
    column->addWidget(label(central, QStringLiteral("lblVersion"),
                            QStringLiteral("Version %1").arg(QStringLiteral("1.0"))));
    column->addWidget(label(
        central, QStringLiteral("lblDescription"),
        QStringLiteral("Customers, priced proposals, field proposals, invoices with a remittance "
                       "slip, receivable accounts and a telephone dialer for the small "
                       "contractor.")));
    column->addWidget(label(central, QStringLiteral("lblMaker"),
                            QStringLiteral("Made by BRENLOW for contractors and tradespeople.")));
    column->addStretch();

    auto* ok = new QPushButton(QStringLiteral("&Menu"), central);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setToolTip(QStringLiteral("Return to Main Menu"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmAbout::returnToMenu);
    column->addWidget(ok, 0, Qt::AlignRight);
    row->addLayout(column, 1);
    setCentralWidget(central);
    ok->setFocus();
}

void frmAbout::returnToMenu() {
    screens().unload(objectName());
    screens().show(QStringLiteral("frmSplash"));
}
