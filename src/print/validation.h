#pragma once

#include <QString>

class AppContext;

// A text box as the key filters see it: its text, and the focus. Screens
// pass their line edits through a small adapter; routines and tests use
// PlainBox.
class InputBox {
public:
    virtual ~InputBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    virtual void focus() = 0;
};

class PlainBox : public InputBox {
public:
    explicit PlainBox(QString text = {}) : m_text(std::move(text)) {}
    QString text() const override { return m_text; }
    void setText(const QString& text) override { m_text = text; }
    void focus() override { ++m_focused; }
    int timesFocused() const { return m_focused; }

private:
    QString m_text;
    int m_focused = 0;
};

// Key codes as the filters take them: the code of the typed character.
constexpr int kBackspaceKey = 8;
constexpr int kEnterKey = 13;

// Amount boxes take digits and one decimal point with at most two decimals,
// and no leading zero. Returns the key to use, or 0 to swallow it; silent.
int AmountKey(int key, const InputBox& box);

// Leaving an amount box: a number becomes its money display form (true);
// anything else empties the box, sounds the alarm (when alarms are on) and
// takes the focus back (false).
bool FormatAmountBox(AppContext& ctx, InputBox& box);

// Name and address boxes refuse the characters that would break the data
// files or file names: , & . \ * / ? and the double quote, each with a
// message; while the box holds a number any key is taken.
int TextKey(AppContext& ctx, int key, InputBox& box);

// Pasted text goes through the same test as typed keys, without messages:
// the refused characters are dropped.
QString TextPaste(const QString& current, const QString& pasted);

// "Mr John Smith": title, first and last name, each followed by one blank
// when present (the middle initial is not shown).
QString JoinName(const QString& title, const QString& first, const QString& middle,
                 const QString& last);
