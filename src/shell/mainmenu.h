#pragma once

#include "shell/product.h"

#include <QList>
#include <QString>
#include <QStringList>

class AppContext;

// The six routines of the main menu, option index 0 to 5; SelectedRoutine is
// the index + 1.
struct ProgramRoutine {
    QString caption;
    QString toolTip;
    QString screen;  // the screen the Go action shows
};
const QList<ProgramRoutine>& ProgramRoutines();
// The screen of SelectedRoutine 1..6; empty for 0 or anything else.
QString RoutineScreen(int selectedRoutine);

// The order-form items of the menu that lead to a supplier's page. Items
// with a title ask first (Yes and No, no icon); the others open at once.
struct OrderFormLink {
    QString control;  // mnuPPaper, ...
    QString caption;
    QString title;
    QStringList lines;
    QString url;
};
const QList<OrderFormLink>& OrderFormLinks();
const OrderFormLink* FindOrderFormLink(const QString& control);
// The prompt text: the lines separated by CR LF.
QString OrderFormPrompt(const OrderFormLink& link);
// Asks where the item asks, then opens the page on Yes. True when opened.
bool OrderForm(AppContext& ctx, const OrderFormLink& link);

// Opens the page in the user's browser and returns at once. When no browser
// can be started the user is told (false).
bool OpenURL(AppContext& ctx, const QString& url);

// The user manual, installed beside the program.
QString UserManualPath();  // "\Help\UserManual.html"
// "&Help": the manual in the browser; a missing manual or browser is told.
bool ShowUserManual(AppContext& ctx);

// Ends the run: the backup set is copied into \Backup (going on past any
// failure, which is then shown), every screen is unloaded and the program
// ends. Every window the user closes, and Exit, come here.
void CloseProgram(AppContext& ctx);
// "The backup copy of Phone.txt could not be made. ..."
QString BackupFailedMessage(const QStringList& names);
