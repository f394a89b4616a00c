#include "shell/appcontext.h"

AppContext::AppContext(AppFolder folder, Clock& clock, Prompter& prompter)
    : m_store(std::move(folder)), m_clock(clock), m_prompter(prompter) {}

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
