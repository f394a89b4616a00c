#include "settings/setuprules.h"

#include "settings/settingsfiles.h"
#include "shell/appcontext.h"
#include "shell/fieldline.h"
#include "shell/textcodec.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QString kProposalCounter = QStringLiteral("\\TProposalCounter.txt");

// The nine boxes as they are written: international style has no postal
// code. Text is written as it stands; the style limits only what is typed.
QStringList businessToSave(const Settings& s) {
    QStringList nine = s.businessBoxes;
    nine.resize(Settings::BusinessFieldCount);
    if (s.addressStyle == AddressStyle::International) {
        nine[Settings::PostalCode].clear();
    }
    return nine;
}

bool report(AppContext& ctx, const IoStatus& status) {
    if (!status) {
        ctx.reportIoError(status);
        return false;
    }
    return true;
}

std::optional<double> numberIn(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok) {
        v = QLocale().toDouble(t, &ok);
    }
    if (!ok || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

}  // namespace

IoStatus saveBusiness(AppContext& ctx) {
    const QStringList nine = businessToSave(ctx.settings());
    const IoStatus s = SettingsFiles::writeBusinessData(ctx.store(), nine);
    if (s) {
        ctx.vars().BusinessData = nine;
    }
    return s;
}

SetupSave saveAndReturn(AppContext& ctx) {
    Settings& s = ctx.settings();
    if (s.addressStyle == AddressStyle::Usa &&
        s.businessBoxes.value(Settings::PostalCode).trimmed().isEmpty()) {
        ctx.alarm();
        ctx.prompter().message(QStringLiteral("The Postal Code field can not be Blank"),
                               AppContext::applicationTitle());
        return SetupSave::PostalCodeBlank;
    }
    const QStringList changed = makeBusinessStorable(s);
    if (!changed.isEmpty()) {
        ctx.prompter().message(
            QStringLiteral("Some characters cannot be stored in the business data and were "
                           "replaced (a double quote by ', any other by ?) in: ") +
                changed.join(QStringLiteral(", ")),
            AppContext::applicationTitle(), Buttons::Ok, Icon::Information);
    }
    if (!report(ctx, saveBusiness(ctx))) {
        return SetupSave::Failed;
    }
    LoadBusinessData(ctx);
    FileStore& store = ctx.store();
    if (!report(ctx, SettingsFiles::writePrintColours(store, s)) ||
        !report(ctx, SettingsFiles::writeLogoSize(store, s)) ||
        !report(ctx, SettingsFiles::writeTaxSettings(store, s))) {
        return SetupSave::Failed;
    }
    ctx.vars().ShowPrompts = s.showPrompts;
    ctx.vars().SoundAlarms = s.soundAlarms;
    if (!report(ctx, SettingsFiles::writePrompts(store, s))) {
        return SetupSave::Failed;
    }
    return SetupSave::Saved;
}

bool editBusinessBox(AppContext& ctx, int index, const QString& text) {
    Settings& s = ctx.settings();
    if (index < 0 || index >= Settings::BusinessFieldCount) {
        return false;
    }
    s.businessBoxes.resize(Settings::BusinessFieldCount);
    const QString& old = s.businessBoxes.at(index);
    if (text.count(QLatin1Char('"')) > old.count(QLatin1Char('"'))) {
        ctx.alarm();
        ctx.prompter().message(QStringLiteral("This character, (\") is invalid for this field"),
                               QStringLiteral("Invalid Key entry"), Buttons::Ok, Icon::Exclamation);
        return false;
    }
    if (index == Settings::StateOrAddress4 && text.size() > old.size() &&
        text.size() > Settings::stateBoxLimit(s.addressStyle)) {
        return false;
    }
    s.businessBoxes[index] = text;
    return true;
}

void toggleAddressStyle(AppContext& ctx) {
    Settings& s = ctx.settings();
    if (s.businessBoxes.size() < Settings::BusinessFieldCount) {
        s.businessBoxes.resize(Settings::BusinessFieldCount);
    }
    if (s.addressStyle == AddressStyle::International) {
        s.addressStyle = AddressStyle::Usa;
        s.businessBoxes[Settings::PostalCode] = ctx.vars().BusinessData.value(Settings::PostalCode);
    } else {
        s.addressStyle = AddressStyle::International;
        s.businessBoxes[Settings::PostalCode].clear();
    }
}

void activateSetup(AppContext& ctx) {
    Settings& s = ctx.settings();
    const QStringList& saved = ctx.vars().BusinessData;
    s.businessBoxes.resize(Settings::BusinessFieldCount);
    for (int i = 0; i < Settings::TaxIdentifier; ++i) {
        s.businessBoxes[i] = saved.value(i);
    }
    // Derived as the opposite style, then the style button's toggle brings
    // the boxes and the postal code into the style in effect.
    s.addressStyle = Settings::deriveAddressStyle(saved) == AddressStyle::Usa
                         ? AddressStyle::International
                         : AddressStyle::Usa;
    toggleAddressStyle(ctx);
}

bool resetBusinessData(AppContext& ctx) {
    const Answer a = ctx.prompter().message(
        QStringLiteral("Do you want to reset (clear)all Business Data?"),
        QStringLiteral("Reset Business Data"), Buttons::YesNo, Icon::Question);
    if (a != Answer::Yes) {
        return false;
    }
    ctx.settings().businessBoxes = QStringList(Settings::BusinessFieldCount, QString());
    return true;
}

ProposalNumberSave saveProposalNumber(AppContext& ctx, const QString& text,
                                      const ProposalNumberTaken& taken) {
    const QString title = AppContext::applicationTitle();
    const std::optional<double> v = numberIn(text);
    if (!v) {
        ctx.prompter().message(QStringLiteral("The Proposal Number must be a Whole Number"), title);
        return ProposalNumberSave::NotWhole;
    }
    const double n = std::nearbyint(*v);
    if (n < kFirstProposalNumber || n > kLastProposalNumber) {
        ctx.prompter().message(
            QStringLiteral("The Proposal Number must be a Whole Number from 1 to 32767"), title);
        return ProposalNumberSave::OutOfRange;
    }
    const int number = static_cast<int>(n);
    if (taken && taken(number)) {
        ctx.prompter().message(
            QStringLiteral("Proposal Number %1 is held by a stored Proposal").arg(number), title);
        return ProposalNumberSave::Taken;
    }
    FieldWriter w;
    w.num(static_cast<qint64>(number)).endLine();
    if (!report(ctx, ctx.store().OpenForOutput(kProposalCounter, w.bytes()))) {
        return ProposalNumberSave::Failed;
    }
    ctx.vars().ProposalNumber = number;
    return ProposalNumberSave::Saved;
}

QString pictureFilter() {
    return QStringLiteral(
        "Pictures |(*.bmp;*.BMP;*.ico;*.ICO; *.cur; *.CUR;*jpg;*JPG; *.EMF)|All|*.*");
}

bool findLogo(AppContext& ctx) {
    const QString path =
        ctx.prompter().openFile(QStringLiteral("Find"), pictureFilter(), QString());
    if (path.isEmpty()) {
        return false;
    }
    const QString title = AppContext::applicationTitle();
    // The logo file holds the path in double quotes without an escape: a path
    // with a quote would read back as another path and the logo be lost.
    if (path.contains(QLatin1Char('"'))) {
        ctx.prompter().message(QStringLiteral("The name of the file %1 holds a double quote (\"), "
                                              "which cannot be stored. Rename the file or choose "
                                              "another one.")
                                   .arg(path),
                               title, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    QImage picture(path);
    if (picture.isNull()) {
        ctx.prompter().message(
            QStringLiteral("The file %1 is not a picture that can be used as a Logo.").arg(path),
            title, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    Settings& s = ctx.settings();
    s.logo = picture;
    s.chosenLogoPath = path;
    return true;
}

bool storeLogo(AppContext& ctx) {
    Settings& s = ctx.settings();
    if (s.chosenLogoPath.isEmpty()) {
        return false;
    }
    if (!report(ctx, SettingsFiles::writeLogoPath(ctx.store(), s.chosenLogoPath)) ||
        !report(ctx, SettingsFiles::writeLogoSize(ctx.store(), s))) {
        return false;
    }
    s.logoPath = s.chosenLogoPath;
    s.chosenLogoPath.clear();
    ctx.prompter().message(QStringLiteral("Your Logo has been Stored"),
                           AppContext::applicationTitle());
    return true;
}

bool clearLogo(AppContext& ctx) {
    const Answer a =
        ctx.prompter().message(QStringLiteral("This will Delete your Company Logo"),
                               QStringLiteral("Delete Logo"), Buttons::YesNo, Icon::Question);
    if (a != Answer::Yes) {
        return false;
    }
    Settings& s = ctx.settings();
    s.logo = QImage();
    s.logoPath.clear();
    s.chosenLogoPath.clear();
    return report(ctx, ctx.store().DeleteWithBackup(SettingsFiles::kCompanyLogo));
}

int stepLogoSide(int side, int delta) {
    if (delta < 0 && side <= kLogoSideMin) {
        return kLogoSideMax;
    }
    if (delta > 0 && side >= kLogoSideMax) {
        return kLogoSideMin;
    }
    return std::clamp(side + delta, kLogoSideMin, kLogoSideMax);
}

void stepLogo(AppContext& ctx, LogoSide side, int delta) {
    Settings& s = ctx.settings();
    int& length = side == LogoSide::Width ? s.logoWidth : s.logoHeight;
    length = stepLogoSide(length, delta);
}

void makeLogoSquare(AppContext& ctx, LogoSide kept) {
    Settings& s = ctx.settings();
    if (kept == LogoSide::Height) {
        s.logoWidth = s.logoHeight;
    } else {
        s.logoHeight = s.logoWidth;
    }
}

void restoreLogoSize(AppContext& ctx) {
    ctx.settings().logoWidth = SettingsFiles::kDefaultLogoSide;
    ctx.settings().logoHeight = SettingsFiles::kDefaultLogoSide;
}

bool changePrintColour(AppContext& ctx, PrintColourBox box) {
    Settings& s = ctx.settings();
    quint32& colour = box == PrintColourBox::Borders ? s.borderColour : s.textColour;
    quint32 rgb = Settings::toRgb(colour);
    if (!ctx.prompter().chooseColour(&rgb)) {
        return false;
    }
    const quint32 chosen = Settings::fromRgb(rgb & 0xFFFFFF);
    const bool changed = chosen != colour;
    colour = chosen;
    return changed;
}

bool changePrintFont(AppContext& ctx) {
    Settings& s = ctx.settings();
    FontChoice font;
    font.name = s.fontName;
    if (!ctx.prompter().chooseFont(&font) || font.name.trimmed().isEmpty()) {
        return false;
    }
    // The font name is one quoted field of the colours file.
    const QString name = font.name.trimmed().replace(QLatin1Char('"'), QLatin1Char('\''));
    const bool changed = name != s.fontName;
    s.fontName = name;
    return changed;
}

QStringList makeBusinessStorable(Settings& s) {
    QStringList changed;
    s.businessBoxes.resize(Settings::BusinessFieldCount);
    for (int i = 0; i < Settings::BusinessFieldCount; ++i) {
        QString& box = s.businessBoxes[i];
        QString stored = Text::decode(Text::encode(box));
        stored.replace(QLatin1Char('"'), QLatin1Char('\''));
        if (stored != box) {
            box = stored;
            changed << Settings::businessLabel(i, s.addressStyle);
        }
    }
    return changed;
}
