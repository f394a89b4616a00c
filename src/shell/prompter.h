#pragma once

#include <QString>
#include <QtGlobal>

// What a message box offers and what the user chose.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };
enum class Icon { None, Information, Question, Exclamation, Critical };

// A font as the font dialog hands it over.
struct FontChoice {
    QString name = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// What the print dialog shows and what it hands back.
struct PrintRequest {
    QString title;
    int copies = 1;
    bool landscape = false;
    // What the dialog lets the user choose besides copies.
    bool allowPrintToFile = true;
    bool allowPageRange = true;
    // Colour off prints in black and white on the printer too.
    bool colour = true;
    // The platform printer the dialog sets up, when there is one (ui only).
    void* platformPrinter = nullptr;
};

// Every message, question and dialog goes through here: Qt dialogs in the
// program, a scripted prompter that expects exact texts in tests.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual Answer message(const QString& text, const QString& title, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None) = 0;
    // Returns false when the user cancels; `value` holds what was typed.
    virtual bool inputBox(const QString& prompt, const QString& title, QString* value) = 0;
    virtual void beep() = 0;
    virtual bool printDialog(PrintRequest* request) = 0;
    // The chosen file's path, or empty when cancelled.
    virtual QString openFile(const QString& title, const QString& filter,
                             const QString& startFolder) = 0;
    // The path to write to, or empty when cancelled.
    virtual QString saveFile(const QString& title, const QString& filter,
                             const QString& suggestedPath) = 0;
    // An #RRGGBB colour; false when cancelled.
    virtual bool chooseColour(quint32* rgb) = 0;
    virtual bool chooseFont(FontChoice* font) = 0;
};
