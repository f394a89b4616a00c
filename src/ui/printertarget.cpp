#include "ui/printertarget.h"

#include "print/painterdevice.h"
#include "shell/product.h"

#include <QPrinter>

PrinterTarget::PrinterTarget(QPrinter& printer) : m_printer(printer) {}

std::unique_ptr<PageDevice> PrinterTarget::open(const PrintRequest& request) {
    m_error.clear();
    if (m_painter.isActive()) {
        m_painter.end();
    }
    m_printer.setCopyCount(1);
    m_printer.setDocName(request.title.isEmpty() ? ProductName() : request.title);
    // Colour off is black and white on the printer too, not only in the inks.
    m_printer.setColorMode(request.colour ? QPrinter::Color : QPrinter::GrayScale);
    m_printer.setPageOrientation(request.landscape ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
    PainterPageDevice::Options options;
    options.endPainter = true;
    options.failure = QStringLiteral("The printer %1 could not be started")
                          .arg(m_printer.printerName().isEmpty() ? QStringLiteral("(none)")
                                                                 : m_printer.printerName());
    return std::make_unique<PainterPageDevice>(m_printer, m_painter, options);
}

void PrepareLetterPrinter(QPrinter& printer) {
    printer.setResolution(1440);
    PrepareLetterDevice(printer);
}
