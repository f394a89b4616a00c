#pragma once

#include "shell/startup.h"

class AppContext;
class ScreenManager;

// Makes every screen that is part of the program known to the manager.
void RegisterScreens(ScreenManager& screens);

// Start-up's steps on the real screens and files: the splash shown at once,
// the business data and the other settings read, the customer screen and the
// field proposal screen loaded when they are part of the program, and the
// proposal counter read (or made with 1001).
StartupSteps ProgramStartupSteps(AppContext& ctx, ScreenManager& screens);
