#pragma once

#include "settings/settings.h"
#include "shell/iostatus.h"

#include <QString>
#include <QStringList>

#include <optional>

class AppContext;
class FileStore;

// The small settings files at the top of the application folder. Every reader
// tests its file (so a missing file is restored from \Backup first) and falls
// back to the file's defaults, field by field, for anything missing or of the
// wrong type; none shows a message. A restore or read that fails leaves the
// defaults and is returned, naming the file and the reason. Every writer
// replaces its file atomically and returns the failure, naming the file.
namespace SettingsFiles {

inline const QString kBusinessData = QStringLiteral("\\MyBusinessData.txt");
inline const QString kTaxSettings = QStringLiteral("/TaxSettings.txt");
inline const QString kPrompts = QStringLiteral("/Prompts.txt");
inline const QString kCompanyLogo = QStringLiteral("\\CompanyLogo.txt");
inline const QString kLogoSettings = QStringLiteral("/LogoSettings.txt");
inline const QString kPrintColours = QStringLiteral("/PrintColors.txt");
inline const QString kPhone = QStringLiteral("/Phone.txt");
inline const QString kCallerId = QStringLiteral("/CallID.txt");
inline const QString kWebSite = QStringLiteral("/MyWebSite.txt");

// Largest logo side accepted from the file; anything above becomes 1440.
constexpr int kLogoSideLimit = 2880;
constexpr int kDefaultLogoSide = 1440;

// Nine strings, or nothing when there is no file.
IoResult<std::optional<QStringList>> readBusinessData(FileStore& store);
// Rates that do not read as 0 to 100 percent (Percent::parse) keep "4.0".
IoStatus readTaxSettings(FileStore& store, Settings& s);
IoStatus readPrompts(FileStore& store, Settings& s);
IoStatus readLogoSize(FileStore& store, Settings& s);
// Reads the stored path; loads the picture only when a file exists there.
IoStatus readLogo(FileStore& store, Settings& s);
IoStatus readPrintColours(FileStore& store, Settings& s);
IoStatus readPhoneOptions(FileStore& store, Settings& s);
IoStatus readCallerId(FileStore& store, Settings& s);
IoStatus readWebAddress(FileStore& store, Settings& s);

IoStatus writeBusinessData(FileStore& store, const QStringList& nine);
IoStatus writePrintColours(FileStore& store, const Settings& s);
// Nothing is written (and success returned) when no logo picture is loaded.
IoStatus writeLogoSize(FileStore& store, const Settings& s);
IoStatus writeTaxSettings(FileStore& store, const Settings& s);
IoStatus writePrompts(FileStore& store, const Settings& s);
IoStatus writeLogoPath(FileStore& store, const QString& picturePath);

}  // namespace SettingsFiles

// Reads \MyBusinessData.txt into BusinessData and the nine business boxes;
// changes nothing when the file does not exist, or when it cannot be restored
// or read (which the user is told).
void LoadBusinessData(AppContext& ctx);

// Everything the setup screen reads when it loads, in its order (prompt and
// alarm flags on first; phone options and caller ID; taxes; logo size; logo;
// print colours; prompts; address style; web address), keeping the shared
// values of CommonVariables in step. A file that cannot be restored or read
// is shown to the user and keeps its defaults. The business data are read by
// LoadBusinessData, which start-up calls first.
void loadSettings(AppContext& ctx);

// A choice in cboCopies: the model and the shared number of copies follow.
void chooseCopies(AppContext& ctx, int copies);
