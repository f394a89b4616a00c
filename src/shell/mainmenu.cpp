#include "shell/mainmenu.h"

#include "shell/appcontext.h"

#include <QDir>
#include <QUrl>

const QList<ProgramRoutine>& ProgramRoutines() {
    static const QList<ProgramRoutine> routines{
        {QStringLiteral("Create a Proposal"), QStringLiteral("Create a New Proposal"),
         QStringLiteral("frmCustomer")},
        {QStringLiteral("Create Custom Terms and Disclosure Statements"),
         QStringLiteral("Customize to meet your requirements"), QStringLiteral("frmTerms")},
        {QStringLiteral("Print Proposal Invoices"), QStringLiteral("Shows all active Proposals"),
         QStringLiteral("frmManagePayments")},
        {QStringLiteral("Create a Field Proposal"),
         QStringLiteral("Create A Proposal on which you add items"), QStringLiteral("frmCustomer")},
        {QStringLiteral("Display Proposals Report"), QStringLiteral("Shows all active Proposals"),
         QStringLiteral("frmProposalReport")},
        {QStringLiteral("Finalize a Field Proposal"),
         QStringLiteral("Add Body and Schedule to a Field Proposal"),
         QStringLiteral("frmFinalize")},
    };
    return routines;
}

QString RoutineScreen(int selectedRoutine) {
    if (selectedRoutine < 1 || selectedRoutine > ProgramRoutines().size()) {
        return {};
    }
    return ProgramRoutines().at(selectedRoutine - 1).screen;
}

// Suppliers' own pages. The carbonless proposal sets are not offered: there
// is no supplier page to send the user to.
const QList<OrderFormLink>& OrderFormLinks() {
    static const QString ask = QStringLiteral("Click Yes to connect to a Supplier");
    static const QList<OrderFormLink> links{
        {QStringLiteral("mnuDeluxe"),
         QStringLiteral("Checks/ Envelopes"),
         {},
         {},
         QStringLiteral("https://www.deluxe.com/")},
        {QStringLiteral("mnuDepositSlips"),
         QStringLiteral("Deposit Slips"),
         {},
         {},
         QStringLiteral("https://www.deluxe.com/")},
        {QStringLiteral("mnuPPaper"),
         QStringLiteral("Plain Paper"),
         QStringLiteral("Order Paper"),
         {QStringLiteral("Use Plain Paper for Reports (etc)"), ask},
         QStringLiteral("https://www.staples.com/copy+paper/directory_copy%2520paper")},
        {QStringLiteral("mnuPPPaper"),
         QStringLiteral("Perforated Paper"),
         QStringLiteral("Order Paper"),
         {QStringLiteral("Perforated Response Paper is used to create"),
          QStringLiteral("Invoices with a remittance Slip"), ask},
         QStringLiteral("https://www.staples.com/perforated+paper/directory_perforated%2520paper")},
        {QStringLiteral("mnuAddress"),
         QStringLiteral("Address Labels"),
         QStringLiteral("Order Paper"),
         {QStringLiteral("30 to a Page Mailing Labels"), ask},
         QStringLiteral("https://www.staples.com/avery+5160/directory_avery%25205160")},
        {QStringLiteral("mnuLabels"),
         QStringLiteral("Shipping Labels"),
         QStringLiteral("Order Labels"),
         {QStringLiteral("Click YES to Connect to a Supplier")},
         QStringLiteral("https://www.staples.com/avery+8163/directory_avery%25208163")},
    };
    return links;
}

const OrderFormLink* FindOrderFormLink(const QString& control) {
    for (const OrderFormLink& l : OrderFormLinks()) {
        if (l.control == control) {
            return &l;
        }
    }
    return nullptr;
}

QString OrderFormPrompt(const OrderFormLink& link) {
    return link.lines.join(QStringLiteral("\r\n"));
}

bool OrderForm(AppContext& ctx, const OrderFormLink& link) {
    if (!link.title.isEmpty() &&
        ctx.prompter().message(OrderFormPrompt(link), link.title, Buttons::YesNo, Icon::None) !=
            Answer::Yes) {
        return false;
    }
    OpenURL(ctx, link.url);
    return true;
}

namespace {
bool open(AppContext& ctx, const QUrl& url, const QString& what) {
    if (ctx.openUrl && ctx.openUrl(url)) {
        return true;
    }
    ctx.prompter().message(QStringLiteral("No web browser could be started to show ") + what +
                               QStringLiteral(".\r\nOpen it in a browser of your choice."),
                           AppContext::applicationTitle(), Buttons::Ok, Icon::Exclamation);
    return false;
}
}  // namespace

bool OpenURL(AppContext& ctx, const QString& url) {
    return open(ctx, QUrl(url, QUrl::StrictMode), url);
}

QString UserManualPath() {
    return QStringLiteral("\\Help\\UserManual.html");
}

bool ShowUserManual(AppContext& ctx) {
    const QString path = QDir::toNativeSeparators(ctx.folder().resolve(UserManualPath()));
    if (!ctx.folder().isFile(UserManualPath())) {
        ctx.prompter().message(QStringLiteral("The user manual ") + path +
                                   QStringLiteral(" is missing. Install the program again to "
                                                  "bring it back."),
                               AppContext::applicationTitle(), Buttons::Ok, Icon::Exclamation);
        return false;
    }
    return open(ctx, QUrl::fromLocalFile(path), QStringLiteral("the user manual ") + path);
}

QString BackupFailedMessage(const QStringList& names) {
    QStringList files;
    for (const QString& n : names) {
        files << n + QStringLiteral(".txt");
    }
    return QStringLiteral(
               "The backup copy of %1 could not be made. The last copy in the Backup "
               "folder is kept.")
        .arg(files.join(QStringLiteral(", ")));
}

void CloseProgram(AppContext& ctx) {
    const QStringList failed = ctx.store().BackupDataFiles();
    if (!failed.isEmpty()) {
        ctx.prompter().message(BackupFailedMessage(failed), AppContext::applicationTitle(),
                               Buttons::Ok, Icon::Exclamation);
    }
    if (ctx.quit) {
        ctx.quit();
    }
}
