#pragma once

#include "shell/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A Prompter for tests: every prompt the code shows must have been expected,
// in order, with its exact text, title, buttons and icon; the scripted answer
// is returned. Anything unexpected, and any expected prompt still unshown when
// the prompter goes away, fails the running test: no test has to remember to
// check.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Message, Input, Beep, Print, OpenFile, SaveFile, Colour, Font };

    struct Step {
        Kind kind = Kind::Message;
        QString text{};
        QString title{};
        Answer answer = Answer::Ok;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        QString value{};  // typed text, chosen file, colour as #rrggbb
        bool accept = true;
        int copies = 1;
        FontChoice font{};
    };

    ScriptedPrompter() = default;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;
    ~ScriptedPrompter() override;

    // A message box with only an OK button.
    ScriptedPrompter& expectMessage(const QString& text, const QString& title, Icon icon) {
        return expectQuestion(text, title, Buttons::Ok, icon, Answer::Ok);
    }
    ScriptedPrompter& expectQuestion(const QString& text, const QString& title, Buttons buttons,
                                     Icon icon, Answer answer) {
        return add({Kind::Message, text, title, answer, buttons, icon});
    }
    ScriptedPrompter& expectInput(const QString& prompt, const QString& title, const QString& value,
                                  bool accept = true) {
        return add({.kind = Kind::Input,
                    .text = prompt,
                    .title = title,
                    .value = value,
                    .accept = accept});
    }
    ScriptedPrompter& expectBeep() { return add({Kind::Beep}); }
    ScriptedPrompter& expectPrintDialog(bool accept = true, int copies = 1) {
        return add({.kind = Kind::Print, .accept = accept, .copies = copies});
    }
    ScriptedPrompter& expectOpenFile(const QString& path) {
        return add({.kind = Kind::OpenFile, .value = path});
    }
    // The save dialog's answer (empty: cancelled); `title` is checked.
    ScriptedPrompter& expectSaveFile(const QString& title, const QString& path) {
        return add({.kind = Kind::SaveFile, .title = title, .value = path});
    }
    ScriptedPrompter& expectColour(quint32 rgb, bool accept = true) {
        return add({.kind = Kind::Colour, .value = QString::number(rgb), .accept = accept});
    }
    ScriptedPrompter& expectFont(const FontChoice& font, bool accept = true) {
        return add({.kind = Kind::Font, .accept = accept, .font = font});
    }

    // Beeps are not scripted unless this is set; they are counted either way.
    void setStrictBeeps(bool strict) { m_strictBeeps = strict; }
    int beeps() const { return m_beeps; }

    // All steps used and nothing unexpected shown (the destructor checks it
    // too; a test calls this only to check part way through).
    bool done() const { return m_steps.isEmpty() && m_errors.isEmpty(); }
    QString report() const;
    // What every print dialog was asked to show.
    const QList<PrintRequest>& printRequests() const { return m_printRequests; }

    Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    bool inputBox(const QString& prompt, const QString& title, QString* value) override;
    void beep() override;
    bool printDialog(PrintRequest* request) override;
    QString openFile(const QString& title, const QString& filter,
                     const QString& startFolder) override;
    QString saveFile(const QString& title, const QString& filter,
                     const QString& suggestedPath) override;
    bool chooseColour(quint32* rgb) override;
    bool chooseFont(FontChoice* font) override;

private:
    ScriptedPrompter& add(Step s);
    std::optional<Step> take(const Step& shown);

    QList<Step> m_steps;
    QStringList m_errors;
    QList<PrintRequest> m_printRequests;
    bool m_strictBeeps = false;
    int m_beeps = 0;
};
