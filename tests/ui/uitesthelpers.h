#pragma once

#include "tempapp.h"
#include "ui/screen.h"
#include "ui/screenmanager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QString>

#include <memory>

// A screen standing in for one that other parts of the program provide.
class StandInScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;
};

// A temporary application folder with the program's screens registered, a
// quit that unloads every screen and counts, and an opener that records.
struct ScreenApp {
    ScreenApp();
    ~ScreenApp();

    // Makes a screen of that name available (a stand-in).
    void provide(const QString& name);
    // Deletes what was unloaded.
    static void settle();
    bool visible(const QString& name) const;

    TempApp app;
    std::unique_ptr<ScreenManager> screens;
    int quits = 0;
    QList<QUrl> opened;
};

class QWidget;

// Every visible button and label of `w` lies inside it with room for its text
// (a test failure names the first that does not). When TOLVAR_SCREENSHOTS
// names a folder, a picture of `w` is kept there as `<name>.png`; that is how
// `make screenshots` collects the screens in their main states.
void CheckLayout(QWidget* w, const QString& name);

// While it lives, a process run by root acts as the user nobody, for whom
// file modes count (root ignores them); anyone else is unprivileged already.
struct Unprivileged {
    Unprivileged();
    ~Unprivileged();
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;
    bool wasRoot;
    bool ok;
};

// Makes the folder read-only (or writable again) for its owner and others.
void SetReadOnly(const QString& folder, bool readOnly);
