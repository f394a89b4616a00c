#pragma once

#include "shell/prompter.h"

#include <QMessageBox>

#include <memory>

class QPrinter;
class QWidget;

// The program's Prompter: Qt's standard dialogs over the active window.
class QtPrompter : public Prompter {
public:
    QtPrompter();
    ~QtPrompter() override;

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

    // The box message() shows, built but not shown.
    static std::unique_ptr<QMessageBox> makeMessageBox(const QString& text, const QString& title,
                                                       Buttons buttons, Icon icon,
                                                       QWidget* parent = nullptr);
    static Answer answerOf(QMessageBox::StandardButton button, Buttons buttons);
    // "Pictures (*.bmp;*.jpg)|*.bmp;*.jpg|All (*.*)|*.*" (description and
    // pattern pairs) becomes Qt's "Pictures (*.bmp *.jpg);;All (*)"; a Qt
    // filter is kept as it is.
    static QString qtFilter(const QString& filter);

    // The printer the print dialog sets up when the caller brings none; the
    // program's print target prints on it.
    QPrinter& printer();

private:
    static QWidget* parentWindow();
    std::unique_ptr<QPrinter> m_printer;
};
