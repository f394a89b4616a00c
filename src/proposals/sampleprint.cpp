#include "proposals/sampleprint.h"

#include "print/documentoutput.h"
#include "print/documentparts.h"
#include "proposals/proposallayout.h"
#include "settings/settings.h"
#include "shell/appcontext.h"

bool PrintSettingsSample(AppContext& ctx, DocumentOutput output) {
    const Settings& s = ctx.settings();
    const PrintStyle style{s.fontName, s.printInColour, s.borderColour};
    const LogoInfo logo{s.logo, s.logoWidth, s.logoHeight};
    const QString title = QStringLiteral("Print Sample");
    const DrawDocument draw = [style, logo, title](PrintTarget& target) {
        PrintRequest job;
        job.title = title;
        job.colour = style.colour;
        std::unique_ptr<PageDevice> device = target.open(job);
        return device && PrintSample(*device, style, logo);
    };
    switch (output) {
        case DocumentOutput::Printer: {
            PrintRequest request;
            request.title = title;
            request.colour = style.colour;
            request.allowPageRange = false;
            return PrintDocument(ctx, request, draw);
        }
        case DocumentOutput::Preview:
            PreviewDocument(ctx, title, false, draw);
            return true;
        case DocumentOutput::Pdf:
            return SaveDocumentAsPdf(ctx, title, title + QStringLiteral(".pdf"), draw);
    }
    return false;
}
