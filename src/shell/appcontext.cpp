#include "shell/appcontext.h"

AppContext::AppContext(AppFolder folder, Clock& clock, Prompter& prompter,
                       std::shared_ptr<Settings> settings)
    : m_store(std::move(folder)),
      m_clock(clock),
      m_prompter(prompter),
      m_settings(std::move(settings)) {
    Q_ASSERT(m_settings);
}

void AppContext::alarm() {
    if (m_vars.SoundAlarms) {
        m_prompter.beep();
    }
}

void AppContext::reportIoError(const IoStatus& status) {
    if (status.ok()) {
        return;
    }
    m_prompter.message(status.message(), applicationTitle(), Buttons::Ok, Icon::Critical);
}
