#include "settings/settingsfiles.h"

#include "shell/appcontext.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Field-by-field reading where every field is checked on its own: a field of
// the wrong type takes its default without spoiling the fields after it.
class Fields {
public:
    explicit Fields(QByteArray bytes) : m_reader(std::move(bytes)) {}

    std::optional<QString> text() {
        if (m_reader.atEnd()) {
            return std::nullopt;
        }
        const bool wasOk = m_reader.ok();
        QString t = m_reader.str();
        // A string whose closing quote is missing ran to the end of the file.
        if (wasOk && !m_reader.ok()) {
            return std::nullopt;
        }
        return t;
    }

    std::optional<double> number() {
        const std::optional<QString> t = text();
        if (!t) {
            return std::nullopt;
        }
        bool ok = false;
        const double v = t->trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            return std::nullopt;
        }
        return v;
    }

    std::optional<qint64> whole(double low, double high) {
        const std::optional<double> v = number();
        if (!v) {
            return std::nullopt;
        }
        const double n = std::nearbyint(*v);
        if (n < low || n > high) {
            return std::nullopt;
        }
        return static_cast<qint64>(n);
    }

    std::optional<bool> boolean() {
        const std::optional<QString> t = text();
        if (!t) {
            return std::nullopt;
        }
        const QString u = t->trimmed().toUpper();
        if (u == QLatin1String("#TRUE#") || u == QLatin1String("TRUE")) {
            return true;
        }
        if (u == QLatin1String("#FALSE#") || u == QLatin1String("FALSE")) {
            return false;
        }
        bool ok = false;
        const double v = u.toDouble(&ok);
        if (ok) {
            return v != 0;
        }
        return std::nullopt;
    }

private:
    FieldReader m_reader;
};

// The file's bytes, or nothing when it is missing or cannot be read.
std::optional<Fields> open(FileStore& store, const QString& path) {
    if (!store.FileExists(path)) {
        return std::nullopt;
    }
    std::optional<QByteArray> bytes = store.OpenForInput(path);
    if (!bytes) {
        return std::nullopt;
    }
    return Fields(std::move(*bytes));
}

template <typename T>
void take(const std::optional<T>& value, T* target) {
    if (value) {
        *target = *value;
    }
}

int logoSide(const std::optional<qint64>& value) {
    // A side of no size cannot be printed; one above the limit is too big.
    if (!value || *value <= 0 || *value > SettingsFiles::kLogoSideLimit) {
        return SettingsFiles::kDefaultLogoSide;
    }
    return static_cast<int>(*value);
}

// Replaces the backup copy first so that FileExists cannot bring back the old
// values, then writes the live file in one step.
IoStatus replaceWithBackup(FileStore& store, const QString& path, const QByteArray& bytes) {
    const IoStatus dropped = store.DeleteDataFile(AppFolder::backupPathOf(path));
    if (!dropped) {
        return dropped;
    }
    return store.OpenForOutput(path, bytes);
}

}  // namespace

namespace SettingsFiles {

bool readBusinessData(FileStore& store, QStringList* nine) {
    std::optional<Fields> f = open(store, kBusinessData);
    if (!f) {
        return false;
    }
    QStringList values;
    for (int i = 0; i < Settings::BusinessFieldCount; ++i) {
        values << f->text().value_or(QString());
    }
    *nine = values;
    return true;
}

void readTaxSettings(FileStore& store, Settings& s) {
    s.taxHeading1 = QStringLiteral("Sales Tax");
    s.taxHeading2 = QStringLiteral("Tax");
    s.taxRate1 = Settings::taxRateChoices().first();
    s.taxRate2 = Settings::taxRateChoices().first();
    s.applyTax1 = false;
    s.applyTax2 = false;
    std::optional<Fields> f = open(store, kTaxSettings);
    if (!f) {
        return;
    }
    take(f->text(), &s.taxHeading1);
    take(f->text(), &s.taxHeading2);
    take(f->text(), &s.taxRate1);
    take(f->text(), &s.taxRate2);
    if (const auto a = f->whole(-32768, 32767)) {
        s.applyTax1 = *a != 0;
    }
    if (const auto a = f->whole(-32768, 32767)) {
        s.applyTax2 = *a != 0;
    }
}

void readPrompts(FileStore& store, Settings& s) {
    s.showPrompts = true;
    s.soundAlarms = true;
    std::optional<Fields> f = open(store, kPrompts);
    if (!f) {
        return;
    }
    take(f->boolean(), &s.showPrompts);
    take(f->boolean(), &s.soundAlarms);
}

void readLogoSize(FileStore& store, Settings& s) {
    s.logoWidth = kDefaultLogoSide;
    s.logoHeight = kDefaultLogoSide;
    std::optional<Fields> f = open(store, kLogoSettings);
    if (!f) {
        return;
    }
    s.logoWidth = logoSide(f->whole(-1e9, 1e9));
    s.logoHeight = logoSide(f->whole(-1e9, 1e9));
}

void readLogo(FileStore& store, Settings& s) {
    s.logoPath.clear();
    s.logo = QImage();
    std::optional<Fields> f = open(store, kCompanyLogo);
    if (!f) {
        return;
    }
    s.logoPath = f->text().value_or(QString()).trimmed();
    // A path that names no file any more is kept, but loads no picture.
    if (!s.logoPath.isEmpty() && QFileInfo(s.logoPath).isFile()) {
        s.logo = QImage(s.logoPath);
    }
}

void readPrintColours(FileStore& store, Settings& s) {
    s.borderColour = 0;
    s.textColour = 0;
    s.fontName = QStringLiteral("Arial");
    s.printInColour = true;
    s.copies = 3;
    std::optional<Fields> f = open(store, kPrintColours);
    if (!f) {
        return;
    }
    if (const auto c = f->whole(0, 16777215)) {
        s.borderColour = static_cast<quint32>(*c);
    }
    if (const auto c = f->whole(0, 16777215)) {
        s.textColour = static_cast<quint32>(*c);
    }
    const QString font = f->text().value_or(QString()).trimmed();
    if (!font.isEmpty()) {
        s.fontName = font;
    }
    take(f->boolean(), &s.printInColour);
    if (const auto n = f->whole(1, 5)) {
        s.copies = static_cast<int>(*n);
    }
}

void readPhoneOptions(FileStore& store, Settings& s) {
    s.phoneDaisyChained = false;
    s.storedComPort = 0;
    std::optional<Fields> f = open(store, kPhone);
    if (!f) {
        return;
    }
    take(f->boolean(), &s.phoneDaisyChained);
    if (const auto port = f->whole(-32768, 32767)) {
        s.storedComPort = static_cast<int>(*port);
    }
}

void readCallerId(FileStore& store, Settings& s) {
    s.callerIdOn = false;
    std::optional<Fields> f = open(store, kCallerId);
    if (f) {
        take(f->boolean(), &s.callerIdOn);
    }
}

void readWebAddress(FileStore& store, Settings& s) {
    s.webAddress.clear();
    std::optional<Fields> f = open(store, kWebSite);
    if (f) {
        s.webAddress = f->text().value_or(QString()).trimmed();
    }
}

IoStatus writeBusinessData(FileStore& store, const QStringList& nine) {
    FieldWriter w;
    for (int i = 0; i < Settings::BusinessFieldCount; ++i) {
        w.str(nine.value(i));
    }
    w.endLine();
    return store.OpenForOutput(kBusinessData, w.bytes());
}

IoStatus writePrintColours(FileStore& store, const Settings& s) {
    FieldWriter w;
    w.num(qint64(s.borderColour)).endLine();
    w.num(qint64(s.textColour)).endLine();
    w.str(s.fontName).endLine();
    w.boolean(s.printInColour).endLine();
    w.num(qint64(s.copies)).endLine();
    return replaceWithBackup(store, kPrintColours, w.bytes());
}

IoStatus writeLogoSize(FileStore& store, const Settings& s) {
    if (!s.hasLogo()) {
        return {};
    }
    FieldWriter w;
    w.num(double(s.logoWidth)).num(double(s.logoHeight)).endLine();
    return store.OpenForOutput(kLogoSettings, w.bytes());
}

IoStatus writeTaxSettings(FileStore& store, const Settings& s) {
    FieldWriter w;
    w.str(s.taxHeading1).str(s.taxHeading2).str(s.taxRate1).str(s.taxRate2);
    w.num(qint64(s.applyTax1 ? 1 : 0)).num(qint64(s.applyTax2 ? 1 : 0)).endLine();
    return replaceWithBackup(store, kTaxSettings, w.bytes());
}

IoStatus writePrompts(FileStore& store, const Settings& s) {
    FieldWriter w;
    w.boolean(s.showPrompts).boolean(s.soundAlarms).endLine();
    return store.OpenForOutput(kPrompts, w.bytes());
}

IoStatus writeLogoPath(FileStore& store, const QString& picturePath) {
    FieldWriter w;
    w.line(picturePath);
    return replaceWithBackup(store, kCompanyLogo, w.bytes());
}

}  // namespace SettingsFiles

Settings& settingsOf(AppContext& ctx) {
    if (!ctx.settings) {
        ctx.settings = std::make_shared<Settings>();
    }
    return *ctx.settings;
}

void LoadBusinessData(AppContext& ctx) {
    QStringList nine;
    if (!SettingsFiles::readBusinessData(ctx.store(), &nine)) {
        return;
    }
    ctx.vars().BusinessData = nine;
    settingsOf(ctx).businessBoxes = nine;
}

void chooseCopies(AppContext& ctx, int copies) {
    if (copies < 1 || copies > 5) {
        return;
    }
    settingsOf(ctx).copies = copies;
    ctx.vars().Copies = copies;
}

void loadSettings(AppContext& ctx) {
    using namespace SettingsFiles;
    Settings& s = settingsOf(ctx);
    FileStore& store = ctx.store();
    ctx.vars().ShowPrompts = true;
    ctx.vars().SoundAlarms = true;
    readPhoneOptions(store, s);
    readCallerId(store, s);
    ctx.vars().PhoneDaisyChained = s.phoneDaisyChained;
    ctx.vars().CallerIDOn = s.callerIdOn;
    readTaxSettings(store, s);
    readLogoSize(store, s);
    readLogo(store, s);
    readPrintColours(store, s);
    ctx.vars().Copies = s.copies;
    readPrompts(store, s);
    ctx.vars().ShowPrompts = s.showPrompts;
    ctx.vars().SoundAlarms = s.soundAlarms;
    s.addressStyle = Settings::deriveAddressStyle(ctx.vars().BusinessData);
    readWebAddress(store, s);
}
