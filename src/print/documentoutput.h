#pragma once

#include "print/printtarget.h"

#include <QString>

#include <functional>

class AppContext;

// Draws a whole document on a target: opens its jobs, draws them and ends
// them; false when the target failed (its error() says why).
using DrawDocument = std::function<bool(PrintTarget&)>;

// Shows the pages `draw` makes without printing them; nothing else changes.
void PreviewDocument(AppContext& ctx, const QString& title, bool landscape,
                     const DrawDocument& draw);

// Asks where to save the document as PDF and writes it there. False when the
// user cancelled or the file could not be written (the user was told which
// file and why).
bool SaveDocumentAsPdf(AppContext& ctx, const QString& title, const QString& suggestedFile,
                       const DrawDocument& draw);
