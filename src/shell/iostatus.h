#pragma once

#include <QString>

#include <optional>
#include <utility>

// Outcome of a file operation. A failure names the file and the reason so that
// a screen can tell the user which one could not be read or written.
class [[nodiscard]] IoStatus {
public:
    IoStatus() = default;
    static IoStatus failure(const QString& file, const QString& reason) {
        IoStatus s;
        s.m_ok = false;
        s.m_file = file;
        s.m_reason = reason;
        return s;
    }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& file() const { return m_file; }
    const QString& reason() const { return m_reason; }
    // "The file /.../CustomerData.txt could not be used: No space left on device"
    QString message() const;

private:
    bool m_ok = true;
    QString m_file;
    QString m_reason;
};

// A value, or the failure that kept it from being made. Reads like an
// optional: test it, then take the value (which a failure does not have).
template <typename T>
class [[nodiscard]] IoResult {
public:
    IoResult(T value) : m_value(std::move(value)) {}
    // Only for a failure; a successful result always carries its value.
    IoResult(IoStatus failure) : m_status(std::move(failure)) {}

    bool ok() const { return m_status.ok(); }
    explicit operator bool() const { return ok(); }
    const IoStatus& status() const { return m_status; }

    const T& value() const { return *m_value; }
    T& value() { return *m_value; }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }
    T value_or(T fallback) const { return m_value ? *m_value : std::move(fallback); }

private:
    IoStatus m_status;
    std::optional<T> m_value;
};

// Whether a data file is there, once the restore from \Backup has been tried.
enum class Presence { Present, Absent, Failed };

class [[nodiscard]] Existence {
public:
    static Existence present() { return Existence(Presence::Present, {}); }
    static Existence absent() { return Existence(Presence::Absent, {}); }
    static Existence failed(IoStatus why) { return Existence(Presence::Failed, std::move(why)); }

    Presence presence() const { return m_presence; }
    bool isPresent() const { return m_presence == Presence::Present; }
    bool isFailed() const { return m_presence == Presence::Failed; }
    // Names the file and the reason when the restore failed; ok otherwise.
    const IoStatus& status() const { return m_status; }

private:
    Existence(Presence p, IoStatus s) : m_presence(p), m_status(std::move(s)) {}
    Presence m_presence;
    IoStatus m_status;
};
