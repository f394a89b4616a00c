#pragma once

#include <QString>

// Outcome of a file operation. A failure names the file so that a screen can
// tell the user which one could not be read or written.
class IoStatus {
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
    // "Could not write C:/.../CustomerData.txt: No space left on device"
    QString message() const;

private:
    bool m_ok = true;
    QString m_file;
    QString m_reason;
};
