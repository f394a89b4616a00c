#include "ui/screenmanager.h"

#include "ui/screen.h"

#include <QLayout>

#include <algorithm>

ScreenManager::ScreenManager(AppContext& ctx) : m_ctx(ctx) {}

ScreenManager::~ScreenManager() {
    for (qsizetype i = m_loaded.size() - 1; i >= 0; --i) {
        delete m_loaded.at(i).screen.data();
    }
    for (const QPointer<Screen>& s : std::as_const(m_unloaded)) {
        delete s.data();
    }
}

void ScreenManager::add(const QString& name, Factory factory) {
    m_factories.insert(name, std::move(factory));
}

bool ScreenManager::isAvailable(const QString& name) const {
    return !name.isEmpty() && m_factories.contains(name);
}

bool ScreenManager::isLoaded(const QString& name) const {
    return find(name) != nullptr;
}

Screen* ScreenManager::find(const QString& name) const {
    for (const Entry& e : m_loaded) {
        if (e.name == name && e.screen) {
            return e.screen;
        }
    }
    return nullptr;
}

Screen* ScreenManager::load(const QString& name) {
    if (Screen* s = find(name)) {
        return s;
    }
    if (!isAvailable(name)) {
        return nullptr;
    }
    // Forget a screen that went away on its own.
    m_loaded.removeIf([&](const Entry& e) { return e.name == name; });
    Screen* s = m_factories.value(name)(m_ctx, *this);
    m_loaded.append({name, s});
    emit screenLoaded(name);
    return s;
}

Screen* ScreenManager::show(const QString& name) {
    Screen* s = load(name);
    if (!s) {
        return nullptr;
    }
    const bool wasVisible = s->isVisible();
    if (!s->windowHandle() && s->layout()) {
        // The window's size limits are settled before it has a platform
        // window, so showing it does not change them on the platform again.
        // Later changes of the content (a frame shown, a step turned) then
        // resize the window where needed but leave its limits alone: a
        // platform window's limits are not changed once it exists.
        s->ensurePolished();
        s->layout()->activate();
        s->layout()->setSizeConstraint(QLayout::SetNoConstraint);
    }
    s->show();
    // A window just shown is on top already; one shown again is brought
    // above the program's other windows, when there are any.
    const bool others = std::any_of(m_loaded.cbegin(), m_loaded.cend(), [s](const Entry& e) {
        return e.screen && e.screen != s && e.screen->isVisible();
    });
    if (wasVisible && others && !s->isActiveWindow()) {
        s->raise();
    }
    s->activateWindow();
    return s;
}

void ScreenManager::hide(const QString& name) {
    if (Screen* s = find(name)) {
        s->hide();
    }
}

void ScreenManager::unload(const QString& name) {
    for (qsizetype i = 0; i < m_loaded.size(); ++i) {
        if (m_loaded.at(i).name == name) {
            Screen* s = m_loaded.takeAt(i).screen;
            if (s) {
                s->hide();
                s->deleteLater();
                m_unloaded.removeIf([](const QPointer<Screen>& p) { return p.isNull(); });
                m_unloaded.append(s);
            }
            return;
        }
    }
}

void ScreenManager::unloadAll() {
    while (!m_loaded.isEmpty()) {
        unload(m_loaded.last().name);
    }
}

QStringList ScreenManager::loaded() const {
    QStringList names;
    for (const Entry& e : m_loaded) {
        if (e.screen) {
            names << e.name;
        }
    }
    return names;
}
