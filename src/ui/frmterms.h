#pragma once

#include "proposals/termseditor.h"
#include "ui/screen.h"

#include <QList>

class QPlainTextEdit;

// The custom terms and disclaimer: two boxes the user writes once, saved,
// loaded, cleared and deleted by the buttons, beside the generic texts.
// "Menu" only hides it, so other screens can still read its boxes.
class frmTerms : public Screen {
    Q_OBJECT
public:
    frmTerms(AppContext& ctx, ScreenManager& screens);

    const TermsEditor& editor() const { return m_editor; }

private:
    QWidget* buildGeneric();
    QWidget* buildCustom();
    QWidget* buildButtons();
    void refresh();
    void onButton(int index);

    TermsEditor m_editor;
    QList<QPlainTextEdit*> m_boxes;
};
