#pragma once

#include "print/printtarget.h"

#include <QPainter>

#include <functional>

class QPrinter;

// Every job opened here continues one document on the printer, each on a new
// page, so a preview shows all copies and sheets of a flow together.
class PreviewTarget : public PrintTarget {
public:
    explicit PreviewTarget(QPrinter& printer);
    ~PreviewTarget() override;

    std::unique_ptr<PageDevice> open(const PrintRequest& request) override;
    QString error() const override { return {}; }

private:
    QPrinter& m_printer;
    QPainter m_painter;
};

// Qt's print preview window over what `draw` prints, on Letter at 1440 dpi.
// Printing from the preview itself is not offered: a document is printed
// through its flow, which records what was printed.
void ShowPrintPreview(const QString& title, bool landscape,
                      const std::function<bool(PrintTarget&)>& draw);
