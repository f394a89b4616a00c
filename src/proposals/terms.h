#pragma once

#include "proposals/proposalfiles.h"
#include "shell/iostatus.h"

#include <QString>

#include <optional>

class FileStore;
class Prompter;

// The terms paragraph and the disclaimer of a proposal: the generic texts
// built into the program and the user's own, kept in two files of one quoted
// field each.
namespace Terms {

QString GenericTerms();
QString GenericDisclaimer();

QString customTermsPath();       // "/CustomTerms.txt"
QString customDisclaimerPath();  // "/CustomDisclaimer.txt"

// One quoted field (line breaks and commas kept), then CR LF. A double quote,
// which the file cannot hold, is stored as an apostrophe.
QByteArray customTextBytes(const QString& text);
// The one text field, line breaks as "\n".
QString parseCustomText(const QByteArray& bytes);

// Replaces the file atomically; its backup copy is removed first so that a
// later restore cannot bring back the old text.
[[nodiscard]] IoStatus saveCustomText(FileStore& store, const QString& path, const QString& text);
// Nothing when there is no such file (nor a backup to restore) or it cannot
// be read; the status tells a read failure from a missing file.
FileRead<QString> loadCustomText(FileStore& store, const QString& path);
// Deleting a file that does not exist does nothing.
[[nodiscard]] IoStatus deleteCustomText(FileStore& store, const QString& path);

// "The Custom Terms input box has been Cleared" CR LF "The file Custom Terms
// has not been Deleted", title "Input Box Cleared".
void reportBoxCleared(Prompter& prompter, const QString& name);
QString boxClearedMessage(const QString& name);
QString boxClearedTitle();

}  // namespace Terms
