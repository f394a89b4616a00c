#pragma once

#include "print/recordingdevice.h"
#include "shell/appcontext.h"

#include <QString>

#include <memory>

// Stands in for the preview window: every preview asked for is drawn on a
// recording target, and the window's title kept.
class RecordingPreview {
public:
    explicit RecordingPreview(AppContext& ctx) {
        ctx.previewer = [this](const QString& title, bool landscape,
                               const std::function<bool(PrintTarget&)>& draw) {
            m_titles << title;
            m_landscape = landscape;
            m_target = std::make_shared<RecordingTarget>();
            static_cast<void>(draw(*m_target));
        };
    }
    RecordingPreview(const RecordingPreview&) = delete;
    RecordingPreview& operator=(const RecordingPreview&) = delete;

    // How many previews were shown, and the jobs of the last one.
    int count() const { return int(m_titles.size()); }
    const QStringList& titles() const { return m_titles; }
    bool landscape() const { return m_landscape; }
    const RecordingTarget& target() const { return *m_target; }

private:
    QStringList m_titles;
    bool m_landscape = false;
    std::shared_ptr<RecordingTarget> m_target = std::make_shared<RecordingTarget>();
};
