#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// How addresses are laid out: city, two-letter state and a mandatory postal
// code, or four free address lines and no postal code.
enum class AddressStyle { Usa, International };

// The current settings as the setup screen presents them. It is filled once at
// start-up (loadSettings) and edited by the setup screen; the print, proposal,
// invoice and dialer routines read it. The values that the whole program
// shares (BusinessData, ShowPrompts, SoundAlarms, Copies, PhoneDaisyChained,
// CallerIDOn) are kept in step with CommonVariables by the routines of
// settingsfiles.h, never by writing these members directly from a screen.
class Settings {
public:
    // --- Business data (\MyBusinessData.txt), the boxes txtBusiness(0..8).
    // What the boxes hold, possibly unsaved; CommonVariables::BusinessData
    // holds the saved values and changes only when they are saved.
    enum BusinessField {
        CompanyName = 0,
        Address1,
        Address2,
        CityOrAddress3,
        StateOrAddress4,
        PostalCode,
        Telephone,
        FaxEmailWeb,
        TaxIdentifier,
        BusinessFieldCount
    };
    QStringList businessBoxes = QStringList(BusinessFieldCount, QString());
    // The style in effect (the caption of the style button).
    AddressStyle addressStyle = AddressStyle::Usa;

    // The style the saved business data imply (company name C, postal code P):
    // USA when C and P are both empty, when P is a number, or when both are
    // non-empty; international otherwise.
    static AddressStyle deriveAddressStyle(const QStringList& businessData);
    // "USA Style Address" / "International Style Address".
    static QString addressStyleCaption(AddressStyle style);
    // The label of business box `index` in that style ("City" / "Address 3").
    static QString businessLabel(int index, AddressStyle style);
    // Longest text the state / fourth address box takes in that style.
    static int stateBoxLimit(AddressStyle style) { return style == AddressStyle::Usa ? 2 : 55; }

    // --- Taxes (/TaxSettings.txt). Headings and rates are text as typed;
    // the pricing turns the rates into numbers.
    QString taxHeading1 = QStringLiteral("Sales Tax");
    QString taxHeading2 = QStringLiteral("Tax");
    QString taxRate1 = QStringLiteral("4.0");
    QString taxRate2 = QStringLiteral("4.0");
    bool applyTax1 = false;  // ckApply1stTax: apply the first tax to invoices
    bool applyTax2 = false;  // ckApply2ndTax
    static const QStringList& taxHeadingChoices1();
    static const QStringList& taxHeadingChoices2();
    static const QStringList& taxRateChoices();

    // --- Prompts (/Prompts.txt): the check boxes ckPrompts and ckAlarms.
    // The shared ShowPrompts/SoundAlarms take these values when loaded and
    // when the setup screen saves.
    bool showPrompts = true;
    bool soundAlarms = true;

    // --- Logo (/CompanyLogo.txt, /LogoSettings.txt).
    // The stored picture path (kept even when no file exists there any more).
    QString logoPath;
    // The picture file chosen in the file dialog and not stored yet.
    QString chosenLogoPath;
    // The picture itself; null when no logo is loaded.
    QImage logo;
    // Printed size of the logo (the adjusted logo), in twips.
    int logoWidth = 1440;
    int logoHeight = 1440;
    bool hasLogo() const { return !logo.isNull(); }

    // --- Print colours (/PrintColors.txt). Colours are kept as the file
    // holds them: red + 256 x green + 65536 x blue.
    quint32 borderColour = 0;                    // back colour of txtBorders
    quint32 textColour = 0;                      // back colour of txtData
    QString fontName = QStringLiteral("Arial");  // caption of lblFont
    // ckColor: copies 1 and 2 of a proposal (and the invoices) in colour.
    bool printInColour = true;
    // cboCopies, 1 to 5; CommonVariables::Copies follows every choice.
    int copies = 3;
    QColor borderQColor() const { return toQColor(borderColour); }
    QColor textQColor() const { return toQColor(textColour); }
    static QColor toQColor(quint32 fileColour);
    static quint32 fromQColor(const QColor& colour);
    // The colour dialog speaks 0xRRGGBB; the file red + 256 x green + ...
    static quint32 fromRgb(quint32 rrggbb);
    static quint32 toRgb(quint32 fileColour);

    // --- Phone options (/Phone.txt, /CallID.txt), read only.
    bool phoneDaisyChained = false;  // ckPhone
    int storedComPort = 0;           // read past: the probe decides the port
    bool callerIdOn = false;         // ckCallerID

    // --- Web address (/MyWebSite.txt), read only; printed under the address.
    QString webAddress;
};
