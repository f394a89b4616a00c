#pragma once

#include "print/printtarget.h"

#include <QPainter>
#include <QPdfWriter>

#include <memory>

// Every job opened here goes into one PDF file, each starting on a new page:
// Letter with a quarter-inch inset, like a laser printer, at 1440 dpi.
class PdfPrintTarget : public PrintTarget {
public:
    explicit PdfPrintTarget(QString filePath, QString title = QString());
    ~PdfPrintTarget() override;

    // The device lives no longer than this target.
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override;
    QString error() const override { return m_error; }

    // Closes the file; false when it could not be written.
    bool finish();
    const QString& filePath() const { return m_path; }

private:
    QString m_path;
    QString m_title;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    QString m_error;
};
