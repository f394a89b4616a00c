#include "print/documentoutput.h"

#include "print/pdftarget.h"
#include "shell/appcontext.h"

#include <QDir>
#include <QFile>

void ShowPrintError(Prompter& prompter, const QString& why) {
    prompter.message(QStringLiteral("A Print Error has occurred") +
                         (why.isEmpty() ? QString() : QStringLiteral("\r\n") + why),
                     QStringLiteral("Print Error"), Buttons::Ok, Icon::Critical);
}

bool PrintDocument(AppContext& ctx, PrintRequest request, const DrawDocument& draw) {
    if (!ctx.prompter().printDialog(&request)) {
        return false;
    }
    const std::shared_ptr<PrintTarget> target = ctx.printerFactory ? ctx.printerFactory() : nullptr;
    for (int copy = 0; target && copy < qMax(1, request.copies); ++copy) {
        if (!draw(*target)) {
            ShowPrintError(ctx.prompter(), target->error());
            return false;
        }
    }
    return target != nullptr;
}

void PreviewDocument(AppContext& ctx, const QString& title, bool landscape,
                     const DrawDocument& draw) {
    if (ctx.previewer) {
        ctx.previewer(title, landscape, draw);
    }
}

namespace {
// Draws into `partial`; the failure names `path`, the file the user chose.
IoStatus writePdf(const QString& partial, const QString& path, const QString& title,
                  const DrawDocument& draw) {
    {
        // The PDF writer says nothing of why it failed; opening the file
        // first does.
        QFile probe(partial);
        if (!probe.open(QIODevice::WriteOnly)) {
            return IoStatus::failure(path, probe.errorString());
        }
    }
    PdfPrintTarget pdf(partial, title);
    const bool drawn = draw(pdf);
    if (!pdf.finish() || !drawn) {
        return IoStatus::failure(path, pdf.error().isEmpty()
                                           ? QStringLiteral("the document could not be drawn")
                                           : pdf.error().replace(partial, path));
    }
    return {};
}
}  // namespace

bool SaveDocumentAsPdf(AppContext& ctx, const QString& title, const QString& suggestedFile,
                       const DrawDocument& draw) {
    QString path = ctx.prompter().saveFile(QStringLiteral("Save as PDF"),
                                           QStringLiteral("PDF files (*.pdf)"), suggestedFile);
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        path += QLatin1String(".pdf");
    }
    // Written beside the chosen name first, so a failure never leaves a
    // half-written file in place of one the user already had.
    const QString partial = path + QLatin1String(".part");
    IoStatus status = writePdf(partial, QDir::toNativeSeparators(path), title, draw);
    if (status) {
        QFile::remove(path);
        QFile done(partial);
        if (!done.rename(path)) {
            status = IoStatus::failure(QDir::toNativeSeparators(path), done.errorString());
        }
    }
    if (!status) {
        QFile::remove(partial);
        ctx.reportIoError(status);
    }
    return status.ok();
}
