#pragma once

#include "shell/appfolder.h"
#include "shell/clock.h"
#include "shell/commonvariables.h"
#include "shell/filestore.h"
#include "shell/product.h"
#include "shell/prompter.h"

#include <QUrl>

#include <functional>
#include <memory>

class Settings;
class PrintTarget;
class SerialPort;

// Made once in main() (and by each test); owns what the whole program shares.
// Screens and routines take it by reference. The parts that belong to higher
// areas are held as shared pointers to types this area only names.
class AppContext {
public:
    // `settings` must not be null: the model is there from the start, holding
    // the defaults until the settings files are read.
    AppContext(AppFolder folder, Clock& clock, Prompter& prompter,
               std::shared_ptr<Settings> settings);

    const AppFolder& folder() const { return m_store.folder(); }
    FileStore& store() { return m_store; }
    const Clock& clock() const { return m_clock; }
    Prompter& prompter() { return m_prompter; }
    CommonVariables& vars() { return m_vars; }
    const CommonVariables& vars() const { return m_vars; }

    // Beeps only when the alarm setting is on.
    void alarm();
    // Shows a failed file operation to the user, naming the file.
    void reportIoError(const IoStatus& status);

    Settings& settings() { return *m_settings; }
    const Settings& settings() const { return *m_settings; }

    // Makes the page device for one print job (a printer, a PDF, a recorder).
    std::function<std::shared_ptr<PrintTarget>()> printerFactory;
    // Shows a print preview of what `draw` puts on a target (Qt's preview
    // window in the program, a recorder in tests).
    std::function<void(const QString& title, bool landscape,
                       const std::function<bool(PrintTarget&)>& draw)>
        previewer;
    // Makes a serial port; its user chooses the port number (1 to 16).
    std::function<std::unique_ptr<SerialPort>()> serialPortFactory;
    std::function<bool(const QUrl&)> openUrl;
    // Called by CloseProgram after the backup: unload every screen and quit.
    std::function<void()> quit;

    static QString applicationTitle() { return ProductName(); }

private:
    FileStore m_store;
    Clock& m_clock;
    Prompter& m_prompter;
    CommonVariables m_vars;
    std::shared_ptr<Settings> m_settings;
};
