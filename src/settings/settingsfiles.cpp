#include "settings/settingsfiles.h"

#include "shell/appcontext.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"
#include "shell/money.h"

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

// The file's fields; a missing file has none, so every field takes its
// default. A restore from \Backup or a read that fails is the failure.
IoResult<Fields> open(FileStore& store, const QString& path) {
    const Existence e = store.probe(path);
    if (e.isFailed()) {
        return e.status();
    }
    if (!e.isPresent()) {
        return Fields(QByteArray());
    }
    IoResult<QByteArray> bytes = store.OpenForInput(path);
    if (!bytes) {
        return bytes.status();
    }
    return Fields(std::move(*bytes));
}

// A rate as stored, kept only when it reads as a rate of 0 to 100 percent:
// anything else would tax at a nonsense rate.
void takeRate(const std::optional<QString>& text, QString* target) {
    if (text && Percent::parse(*text)) {
        *target = *text;
    }
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

IoResult<std::optional<QStringList>> readBusinessData(FileStore& store) {
    const Existence e = store.probe(kBusinessData);
    if (!e.isPresent()) {
        return e.isFailed() ? IoResult<std::optional<QStringList>>(e.status())
                            : std::optional<QStringList>();
    }
    IoResult<Fields> f = open(store, kBusinessData);
    if (!f) {
        return f.status();
    }
    QStringList values;
    for (int i = 0; i < Settings::BusinessFieldCount; ++i) {
        values << f->text().value_or(QString());
    }
    return std::optional<QStringList>(values);
}

IoStatus readTaxSettings(FileStore& store, Settings& s) {
    s.taxHeading1 = QStringLiteral("Sales Tax");
    s.taxHeading2 = QStringLiteral("Tax");
    s.taxRate1 = Settings::taxRateChoices().first();
    s.taxRate2 = Settings::taxRateChoices().first();
    s.applyTax1 = false;
    s.applyTax2 = false;
    IoResult<Fields> f = open(store, kTaxSettings);
    if (!f) {
        return f.status();
    }
    take(f->text(), &s.taxHeading1);
    take(f->text(), &s.taxHeading2);
    takeRate(f->text(), &s.taxRate1);
    takeRate(f->text(), &s.taxRate2);
    if (const auto a = f->whole(-32768, 32767)) {
        s.applyTax1 = *a != 0;
    }
    if (const auto a = f->whole(-32768, 32767)) {
        s.applyTax2 = *a != 0;
    }
    return {};
}

IoStatus readPrompts(FileStore& store, Settings& s) {
    s.showPrompts = true;
    s.soundAlarms = true;
    IoResult<Fields> f = open(store, kPrompts);
    if (!f) {
        return f.status();
    }
    take(f->boolean(), &s.showPrompts);
    take(f->boolean(), &s.soundAlarms);
    return {};
}

IoStatus readLogoSize(FileStore& store, Settings& s) {
    s.logoWidth = kDefaultLogoSide;
    s.logoHeight = kDefaultLogoSide;
    IoResult<Fields> f = open(store, kLogoSettings);
    if (!f) {
        return f.status();
    }
    s.logoWidth = logoSide(f->whole(-1e9, 1e9));
    s.logoHeight = logoSide(f->whole(-1e9, 1e9));
    return {};
}

IoStatus readLogo(FileStore& store, Settings& s) {
    s.logoPath.clear();
    s.logo = QImage();
    IoResult<Fields> f = open(store, kCompanyLogo);
    if (!f) {
        return f.status();
    }
    s.logoPath = f->text().value_or(QString()).trimmed();
    // A path that names no file any more is kept, but loads no picture.
    if (!s.logoPath.isEmpty() && QFileInfo(s.logoPath).isFile()) {
        s.logo = QImage(s.logoPath);
    }
    return {};
}

IoStatus readPrintColours(FileStore& store, Settings& s) {
    s.borderColour = 0;
    s.textColour = 0;
    s.fontName = QStringLiteral("Arial");
    s.printInColour = true;
    s.copies = 3;
    IoResult<Fields> f = open(store, kPrintColours);
    if (!f) {
        return f.status();
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
    return {};
}

IoStatus readPhoneOptions(FileStore& store, Settings& s) {
    s.phoneDaisyChained = false;
    s.storedComPort = 0;
    IoResult<Fields> f = open(store, kPhone);
    if (!f) {
        return f.status();
    }
    take(f->boolean(), &s.phoneDaisyChained);
    if (const auto port = f->whole(-32768, 32767)) {
        s.storedComPort = static_cast<int>(*port);
    }
    return {};
}

IoStatus readCallerId(FileStore& store, Settings& s) {
    s.callerIdOn = false;
    IoResult<Fields> f = open(store, kCallerId);
    if (f) {
        take(f->boolean(), &s.callerIdOn);
    }
    return f.status();
}

IoStatus readWebAddress(FileStore& store, Settings& s) {
    s.webAddress.clear();
    IoResult<Fields> f = open(store, kWebSite);
    if (f) {
        s.webAddress = f->text().value_or(QString()).trimmed();
    }
    return f.status();
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

void LoadBusinessData(AppContext& ctx) {
    const IoResult<std::optional<QStringList>> nine = SettingsFiles::readBusinessData(ctx.store());
    ctx.reportIoError(nine.status());
    if (!nine || !*nine) {
        return;
    }
    ctx.vars().BusinessData = **nine;
    ctx.settings().businessBoxes = **nine;
}

void chooseCopies(AppContext& ctx, int copies) {
    if (copies < 1 || copies > 5) {
        return;
    }
    ctx.settings().copies = copies;
    ctx.vars().Copies = copies;
}

void loadSettings(AppContext& ctx) {
    using namespace SettingsFiles;
    Settings& s = ctx.settings();
    FileStore& store = ctx.store();
    // A file that cannot be restored or read keeps its defaults; the user is
    // told which one and why.
    auto read = [&](IoStatus (*reader)(FileStore&, Settings&)) {
        ctx.reportIoError(reader(store, s));
    };
    ctx.vars().ShowPrompts = true;
    ctx.vars().SoundAlarms = true;
    read(readPhoneOptions);
    read(readCallerId);
    ctx.vars().PhoneDaisyChained = s.phoneDaisyChained;
    ctx.vars().CallerIDOn = s.callerIdOn;
    read(readTaxSettings);
    read(readLogoSize);
    read(readLogo);
    read(readPrintColours);
    ctx.vars().Copies = s.copies;
    read(readPrompts);
    ctx.vars().ShowPrompts = s.showPrompts;
    ctx.vars().SoundAlarms = s.soundAlarms;
    s.addressStyle = Settings::deriveAddressStyle(ctx.vars().BusinessData);
    read(readWebAddress);
}
