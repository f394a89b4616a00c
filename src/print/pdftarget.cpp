#include "print/pdftarget.h"

#include "print/painterdevice.h"
#include "shell/product.h"

#include <QDir>
#include <QFileInfo>

PdfPrintTarget::PdfPrintTarget(QString filePath, QString title)
    : m_path(std::move(filePath)), m_title(std::move(title)) {}

PdfPrintTarget::~PdfPrintTarget() {
    finish();
}

std::unique_ptr<PageDevice> PdfPrintTarget::open(const PrintRequest& request) {
    if (!m_writer) {
        m_writer = std::make_unique<QPdfWriter>(m_path);
        m_writer->setResolution(1440);
        m_writer->setCreator(ProductName());
        m_writer->setTitle(m_title.isEmpty() ? request.title : m_title);
        PrepareLetterDevice(*m_writer);
    }
    if (request.landscape && !m_painter.isActive()) {
        m_writer->setPageOrientation(QPageLayout::Landscape);
    }
    PainterPageDevice::Options options;
    options.endPainter = false;
    options.failure = QStringLiteral("Could not write %1").arg(QDir::toNativeSeparators(m_path));
    return std::make_unique<PainterPageDevice>(*m_writer, m_painter, options);
}

bool PdfPrintTarget::finish() {
    if (m_painter.isActive() && !m_painter.end() && m_error.isEmpty()) {
        m_error = QStringLiteral("Could not write %1").arg(QDir::toNativeSeparators(m_path));
    }
    if (m_error.isEmpty() && m_writer && !QFileInfo::exists(m_path)) {
        m_error = QStringLiteral("Could not write %1").arg(QDir::toNativeSeparators(m_path));
    }
    return m_error.isEmpty();
}
