#pragma once

#include <QMainWindow>

class AppContext;
class ScreenManager;

// A top-level screen of the program. Closing its window (the close button or
// the system menu) ends the program through CloseProgram; a screen the
// program unloads itself goes without closing anything.
class Screen : public QMainWindow {
    Q_OBJECT
public:
    Screen(AppContext& ctx, ScreenManager& screens, const QString& name);

    AppContext& ctx() const { return m_ctx; }
    ScreenManager& screens() const { return m_screens; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    AppContext& m_ctx;
    ScreenManager& m_screens;
};
