#include "proposals/templates.h"

#include "proposals/bodybuilder.h"
#include "proposals/proposalfiles.h"
#include "shell/appcontext.h"

namespace {
const QString kSaveTitle = QStringLiteral("Save New Template");
}

QString Templates::emptyNameMessage() {
    return QStringLiteral("The Template was not saved: enter a Name for this Template");
}

QString Templates::unsafeNameMessage() {
    return QStringLiteral(
        "The Template was not saved: a Template name cannot contain \\ / : * ? \" < > | or ..");
}

QStringList Templates::list() const {
    return ProposalFiles::listTemplates(m_ctx.store());
}

std::optional<QString> Templates::load(const QString& fileName) {
    FileRead<QString> r = ProposalFiles::loadTemplate(m_ctx.store(), fileName);
    if (!r.value) {
        const QString path = m_ctx.store().fullPath(ProposalFiles::templatePath(fileName));
        m_ctx.reportIoError(r.status.ok()
                                ? IoStatus::failure(path, QStringLiteral("it no longer exists"))
                                : r.status);
    }
    return r.value;
}

Templates::Saved Templates::save(BodyBuilder& body) {
    body.ensureGenericTerms();
    QString name;
    if (!m_ctx.prompter().inputBox(QStringLiteral("Enter a Name for this Template"), kSaveTitle,
                                   &name)) {
        return Saved::Cancelled;
    }
    name = name.trimmed();
    if (!IsSafeFileName(name)) {
        m_ctx.prompter().message(name.isEmpty() ? emptyNameMessage() : unsafeNameMessage(),
                                 kSaveTitle, Buttons::Ok, Icon::Exclamation);
        return Saved::Refused;
    }
    const bool exists = ProposalFiles::templateExists(m_ctx.store(), name);
    if (exists) {
        const QString question = QStringLiteral("A Template named ") + name +
                                 QStringLiteral(" already exists\r\nClick Yes to Replace it");
        if (m_ctx.prompter().message(question, QStringLiteral("Template Exists"), Buttons::YesNo,
                                     Icon::Question) != Answer::Yes) {
            return Saved::Declined;
        }
    }
    // The folder is made at start-up; make it again if it has gone since.
    // A failure to make them shows as the write's own failure below.
    static_cast<void>(m_ctx.store().MakeFolder(QStringLiteral("\\Templates")));
    static_cast<void>(m_ctx.store().MakeFolder(ProposalFiles::templatesFolder()));
    const IoStatus s = ProposalFiles::saveTemplate(m_ctx.store(), name, body.text());
    if (!s) {
        m_ctx.reportIoError(s);
        return Saved::Failed;
    }
    return exists ? Saved::Replaced : Saved::Written;
}

bool Templates::remove(const QString& fileName) {
    if (m_ctx.prompter().message(QStringLiteral("This will DELETE Template ") + fileName,
                                 QStringLiteral("Delete Template"), Buttons::YesNo,
                                 Icon::Question) == Answer::No) {
        return false;
    }
    const IoStatus s = ProposalFiles::deleteTemplate(m_ctx.store(), fileName);
    if (!s) {
        m_ctx.reportIoError(s);
        return false;
    }
    return true;
}
