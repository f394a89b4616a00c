#include "settings/settings.h"

namespace {
bool isNumber(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}
}  // namespace

AddressStyle Settings::deriveAddressStyle(const QStringList& businessData) {
    const QString company = businessData.value(CompanyName);
    const QString postal = businessData.value(PostalCode);
    if (company.isEmpty() && postal.isEmpty()) {
        return AddressStyle::Usa;
    }
    if (isNumber(postal)) {
        return AddressStyle::Usa;
    }
    if (!company.isEmpty() && !postal.isEmpty()) {
        return AddressStyle::Usa;
    }
    return AddressStyle::International;
}

QString Settings::addressStyleCaption(AddressStyle style) {
    return style == AddressStyle::Usa ? QStringLiteral("USA Style Address")
                                      : QStringLiteral("International Style Address");
}

QString Settings::businessLabel(int index, AddressStyle style) {
    static const QStringList labels = {
        QStringLiteral("Company Name"),   QStringLiteral("Address 1"),
        QStringLiteral("Address 2"),      QStringLiteral("City"),
        QStringLiteral("State"),          QStringLiteral("Postal Zip Code"),
        QStringLiteral("Telephone"),      QStringLiteral("Fax No,email or Web"),
        QStringLiteral("FEIN, VAT, ABN"),
    };
    if (style == AddressStyle::International) {
        if (index == CityOrAddress3) {
            return QStringLiteral("Address 3");
        }
        if (index == StateOrAddress4) {
            return QStringLiteral("Address 4");
        }
    }
    return labels.value(index);
}

const QStringList& Settings::taxHeadingChoices1() {
    static const QStringList choices = {
        QStringLiteral("Sales Tax"), QStringLiteral("County Tax"), QStringLiteral("Tax"),
        QStringLiteral("Taxes"),     QStringLiteral("VAT Tax"),    QStringLiteral("Provincial Tax"),
        QStringLiteral("GST"),
    };
    return choices;
}

const QStringList& Settings::taxHeadingChoices2() {
    static const QStringList choices =
        taxHeadingChoices1() + QStringList{QStringLiteral("Tax Surcharge")};
    return choices;
}

const QStringList& Settings::taxRateChoices() {
    static const QStringList choices = {
        QStringLiteral("4.0"), QStringLiteral("5.0"), QStringLiteral("6.0"), QStringLiteral("7.0"),
        QStringLiteral("5,0"), QStringLiteral("6,0"), QStringLiteral("7,0"),
    };
    return choices;
}

QColor Settings::toQColor(quint32 fileColour) {
    return QColor(int(fileColour & 0xFF), int((fileColour >> 8) & 0xFF),
                  int((fileColour >> 16) & 0xFF));
}

quint32 Settings::fromQColor(const QColor& colour) {
    return quint32(colour.red()) + 256u * quint32(colour.green()) + 65536u * quint32(colour.blue());
}

quint32 Settings::fromRgb(quint32 rrggbb) {
    return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}

quint32 Settings::toRgb(quint32 fileColour) {
    return fromRgb(fileColour);
}
