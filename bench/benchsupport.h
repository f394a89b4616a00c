#pragma once

#include "shell/prompter.h"

// Answers every prompt at once with its default, for timing flows.
class SilentPrompter : public Prompter {
public:
    Answer message(const QString&, const QString&, Buttons buttons, Icon) override {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    bool inputBox(const QString&, const QString&, QString*) override { return false; }
    void beep() override {}
    bool printDialog(PrintRequest*) override { return false; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    bool chooseColour(quint32*) override { return false; }
    bool chooseFont(FontChoice*) override { return false; }
};
