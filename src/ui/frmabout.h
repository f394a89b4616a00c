#pragma once

#include "ui/screen.h"

// The about box. Its Menu button returns to the start-up screen.
class frmAbout : public Screen {
    Q_OBJECT
public:
    frmAbout(AppContext& ctx, ScreenManager& screens);

private:
    void returnToMenu();
};
