#pragma once

#include "ui/screen.h"

class QGroupBox;
class QPushButton;
class QStackedWidget;
class QToolButton;

// The start-up screen: the logo, Continue, and the welcome panel shown when
// the business data or the print colours are missing.
class frmSplash : public Screen {
    Q_OBJECT
public:
    frmSplash(AppContext& ctx, ScreenManager& screens);

    static QStringList welcomeTexts();

private:
    QWidget* buildTitle();
    QWidget* buildWelcome();
    QToolButton* makeLogo(int index, int side);
    void onContinue();
    void onLogo(int index);

    QPushButton* m_continue = nullptr;
    QStackedWidget* m_pages = nullptr;
    QGroupBox* m_welcome = nullptr;
};
