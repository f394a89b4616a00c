#pragma once

#include "print/printtarget.h"

#include <QPainter>

class QPrinter;

// Print jobs on the platform printer the print dialog set up. Each job is one
// printer document; the flows print their own captioned copies, so the
// printer itself always makes one.
class PrinterTarget : public PrintTarget {
public:
    explicit PrinterTarget(QPrinter& printer);

    std::unique_ptr<PageDevice> open(const PrintRequest& request) override;
    QString error() const override { return m_error; }

private:
    QPrinter& m_printer;
    QPainter m_painter;
    QString m_error;
};

// Letter with the quarter-inch inset the layouts are measured in; Qt's own
// default would be A4 with narrow margins.
void PrepareLetterPrinter(QPrinter& printer);
