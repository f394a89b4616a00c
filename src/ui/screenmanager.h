#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class AppContext;
class Screen;

// Loads each screen on first use and keeps it until it is unloaded; showing,
// hiding and unloading go through here. Screens that are not built into the
// program are simply not available, and whatever would open them stays
// disabled.
class ScreenManager : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<Screen*(AppContext&, ScreenManager&)>;

    explicit ScreenManager(AppContext& ctx);
    ~ScreenManager() override;

    void add(const QString& name, Factory factory);
    bool isAvailable(const QString& name) const;
    bool isLoaded(const QString& name) const;

    // The loaded screen, or null.
    Screen* find(const QString& name) const;
    // The screen, loaded hidden on first use; null when not available.
    Screen* load(const QString& name);
    template <typename T>
    T* get(const QString& name) {
        return qobject_cast<T*>(load(name));
    }

    Screen* show(const QString& name);
    void hide(const QString& name);
    // Unloads without ending anything; the screen is deleted once control
    // returns to the event loop, so a screen may unload itself.
    void unload(const QString& name);
    // Every loaded screen, the most recently loaded first.
    void unloadAll();
    // Names of the loaded screens in the order they were loaded.
    QStringList loaded() const;

signals:
    void screenLoaded(const QString& name);

private:
    struct Entry {
        QString name;
        QPointer<Screen> screen;
    };
    AppContext& m_ctx;
    QMap<QString, Factory> m_factories;
    QList<Entry> m_loaded;
    // Unloaded screens not deleted yet; whatever the event loop has not
    // deleted when the program ends goes with the manager.
    QList<QPointer<Screen>> m_unloaded;
};
