#include "ui/printpreview.h"

#include "print/painterdevice.h"
#include "ui/printertarget.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

PreviewTarget::PreviewTarget(QPrinter& printer) : m_printer(printer) {}

PreviewTarget::~PreviewTarget() {
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

std::unique_ptr<PageDevice> PreviewTarget::open(const PrintRequest& request) {
    if (!m_painter.isActive()) {
        m_printer.setPageOrientation(request.landscape ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
    }
    PainterPageDevice::Options options;
    options.endPainter = false;
    options.failure = QStringLiteral("The preview could not be drawn");
    return std::make_unique<PainterPageDevice>(m_printer, m_painter, options);
}

void ShowPrintPreview(const QString& title, bool landscape,
                      const std::function<bool(PrintTarget&)>& draw) {
    QPrinter printer(QPrinter::HighResolution);
    PrepareLetterPrinter(printer);
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(title.isEmpty() ? QStringLiteral("Print Preview") : title);
    const QList<QToolBar*> bars = dialog.findChildren<QToolBar*>();
    for (QToolBar* bar : bars) {
        for (QAction* action : bar->actions()) {
            const QString text = action->text().remove(QLatin1Char('&'));
            if (text == QLatin1String("Print") || text == QLatin1String("Page setup")) {
                action->setVisible(false);
            }
        }
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&draw](QPrinter* shown) {
                         PreviewTarget target(*shown);
                         static_cast<void>(draw(target));
                     });
    dialog.exec();
}
