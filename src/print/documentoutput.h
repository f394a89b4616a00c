#pragma once

#include "print/printtarget.h"

#include <QString>

#include <functional>

class AppContext;
class Prompter;

// Draws a whole document on a target: opens its jobs, draws them and ends
// them; false when the target failed (its error() says why).
using DrawDocument = std::function<bool(PrintTarget&)>;

// "A Print Error has occurred", with the printer's reason when it gave one.
void ShowPrintError(Prompter& prompter, const QString& why);

// The print dialog as `request` sets it up, then the document on the printer
// it chose, as many times as the dialog's copies. False when the user
// cancelled or the printer failed (the user was told).
bool PrintDocument(AppContext& ctx, PrintRequest request, const DrawDocument& draw);

// Shows the pages `draw` makes without printing them; nothing else changes.
void PreviewDocument(AppContext& ctx, const QString& title, bool landscape,
                     const DrawDocument& draw);

// Asks where to save the document as PDF and writes it there. False when the
// user cancelled or the file could not be written (the user was told which
// file and why).
bool SaveDocumentAsPdf(AppContext& ctx, const QString& title, const QString& suggestedFile,
                       const DrawDocument& draw);
