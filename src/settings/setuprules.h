#pragma once

#include "shell/iostatus.h"

#include <QString>
#include <QStringList>

#include <functional>

class AppContext;
class Settings;

// What the setup screen does beyond showing its controls. The screen binds its
// boxes to the Settings model (ctx.settings()) and calls these; each routine
// asks its questions through the Prompter and tells the screen where the
// focus goes.

enum class [[nodiscard]] SetupSave{
    Saved,            // files written: hide the screen, show the main menu
    PostalCodeBlank,  // focus the postal code box, stay
    Failed            // a file could not be written (the user was told); stay
};

// "&Save Changes and Return to Menu": the postal code is mandatory in USA
// style; then the business data, print colours, logo size, tax settings and
// prompts are written in that order and the shared values follow.
SetupSave saveAndReturn(AppContext& ctx);

// SaveBusiness: BusinessData := the nine boxes, written to the file.
IoStatus saveBusiness(AppContext& ctx);

// An edit of business box `index` as typed or pasted. Refused (false, and
// the box keeps the model's text) when it brings in a double quote, which
// the file cannot hold (the user is told), or when it makes the state box
// longer than the style allows (text already there is never cut).
bool editBusinessBox(AppContext& ctx, int index, const QString& text);

// The style button: flips the style; USA style brings the saved postal code
// back into its box, international style empties it. No text is cut: the
// state box's limit (Settings::stateBoxLimit) applies to typing only.
void toggleAddressStyle(AppContext& ctx);

// The screen becomes active: boxes 1 to 8 go back to the saved business data
// (the ninth keeps what it holds) and the style is derived again.
void activateSetup(AppContext& ctx);

// Image4: asks first; true when the nine boxes were emptied.
bool resetBusinessData(AppContext& ctx);

enum class [[nodiscard]] ProposalNumberSave{
    Saved,       // written and made the current number
    NotWhole,    // not a number: empty the box and focus it
    OutOfRange,  // a number outside 1 to 32767: empty the box and focus it
    Taken,       // a stored proposal holds that number: empty the box and focus it
    Failed       // the counter file could not be written (the user was told)
};

constexpr int kFirstProposalNumber = 1;
constexpr int kLastProposalNumber = 32767;

// Whether a stored proposal holds that number (the proposal files know).
using ProposalNumberTaken = std::function<bool(int number)>;

// "Save Proposal No": the box's text, rounded half to even, becomes the next
// proposal number, unless it lies outside 1 to 32767 or `taken` says a stored
// proposal holds it; each refusal is told to the user.
ProposalNumberSave saveProposalNumber(AppContext& ctx, const QString& text,
                                      const ProposalNumberTaken& taken);

// The filter of the logo's file dialog.
QString pictureFilter();

// "Find": the chosen picture becomes the logo shown (not stored yet). False
// when the dialog was cancelled or the file is not a picture.
bool findLogo(AppContext& ctx);
// "&Store": writes the logo path and size when a picture was chosen; true
// when something was stored.
bool storeLogo(AppContext& ctx);
// "&Clear": asks, then forgets the logo and deletes its file and backup.
bool clearLogo(AppContext& ctx);

// The adjusted logo's size: an arrow click, the two "Make Square" buttons
// (the named side is kept and the other takes its length) and "Restore".
enum class LogoSide { Width, Height };
void stepLogo(AppContext& ctx, LogoSide side, int delta);
void makeLogoSquare(AppContext& ctx, LogoSide kept);
void restoreLogoSize(AppContext& ctx);

// "Change" beside a colour box or the font: the platform dialog, starting
// from the current choice. A cancelled dialog changes nothing; true when the
// setting changed.
enum class PrintColourBox { Borders, Data };
bool changePrintColour(AppContext& ctx, PrintColourBox box);
bool changePrintFont(AppContext& ctx);

// The business boxes as the data file can hold them: a double quote becomes
// ', a character without a Windows-1252 form becomes ?. Returns the labels
// of the boxes that changed.
QStringList makeBusinessStorable(Settings& s);

// One click of a logo size arrow (+50 or -50 twips), within 360 to 1800; the
// arrows wrap from one end to the other.
int stepLogoSide(int side, int delta);
constexpr int kLogoStep = 50;
constexpr int kLogoSideMin = 360;
constexpr int kLogoSideMax = 1800;
