#pragma once

#include "print/recordingdevice.h"
#include "ptymodem.h"
#include "recordingpreview.h"
#include "tempapp.h"
#include "ui/screen.h"
#include "ui/screenmanager.h"

#include <QElapsedTimer>
#include <QString>
#include <QTest>
#include <QUrl>

#include <memory>

// A screen standing in for one that other parts of the program provide.
class StandInScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;
};

// The program's screens over a temporary folder whose serial ports are the
// fake modems added to `pty`, a quit that unloads every screen and counts, an
// opener and a printer that record. Controls are found by objectName on the
// visible screens first, then on the hidden ones ("outer/inner": a control
// within another); a missing one fails the test.
struct UiRig {
    UiRig();
    ~UiRig();

    // Makes a screen of that name available (a stand-in).
    void provide(const QString& name);
    // Deletes what was unloaded.
    static void settle();
    bool visible(const QString& name) const;
    // Runs the program's start-up in the folder.
    void startProgram();

    template <typename T = QWidget>
    T* w(const QString& name) const {
        return qobject_cast<T*>(find(name));
    }
    QObject* find(const QString& name) const;
    // Buttons are clicked in their middle, option and check boxes on their mark.
    void click(const QString& name);
    // The text a control shows (caption, contents, title).
    QString text(const QString& name) const;

    // Runs the steps of tests/data/ui/flows/<name>.txt, one a line: a verb
    // and its arguments separated by " | " (see there); stops at the first
    // that fails, which the failure names.
    void flow(const QString& name);
    // One step of a flow; what went wrong, or nothing.
    QString step(const QString& verb, const QStringList& args);

    PtyRig pty;
    TempApp& app = pty.app;
    AppContext& ctx = *app.ctx;
    ScreenManager screens{ctx};
    std::shared_ptr<RecordingTarget> printer = std::make_shared<RecordingTarget>();
    int quits = 0;
    QElapsedTimer sinceDoubleClick;
    QList<QUrl> opened;
    // What the steps preview, once a step asks for it.
    std::unique_ptr<RecordingPreview> preview;
};

// Every visible button and label of `w` lies inside it with room for its text
// (a test failure names the first that does not). When TOLVAR_SCREENSHOTS
// names a folder, a picture of `w` is kept there as `<name>.png`; that is how
// `make screenshots` collects the screens in their main states.
void CheckLayout(QWidget* w, const QString& name);

// A golden file of tests/data/ui.
QByteArray UiData(const QString& name);
