#include "proposals/termseditor.h"

#include "proposals/terms.h"
#include "shell/appcontext.h"

TermsEditor::TermsEditor(AppContext& ctx) : m_ctx(ctx) {}

QString TermsEditor::name(Box box) {
    return box == Box::Terms ? QStringLiteral("Custom Terms") : QStringLiteral("Custom Disclaimer");
}

QString TermsEditor::filePath(Box box) {
    return box == Box::Terms ? Terms::customTermsPath() : Terms::customDisclaimerPath();
}

void TermsEditor::edit(Box box, const QString& text) {
    m_texts[index(box)] = text;
}

void TermsEditor::loadAll() {
    static_cast<void>(load(Box::Terms));
    static_cast<void>(load(Box::Disclaimer));
}

bool TermsEditor::load(Box box) {
    const FileRead<QString> read = Terms::loadCustomText(m_ctx.store(), filePath(box));
    if (!read.status) {
        m_ctx.reportIoError(read.status);
        return false;
    }
    if (read.value) {
        m_texts[index(box)] = *read.value;
    }
    return true;
}

bool TermsEditor::save(Box box) {
    const IoStatus saved = Terms::saveCustomText(m_ctx.store(), filePath(box), text(box));
    m_ctx.reportIoError(saved);
    return saved.ok();
}

void TermsEditor::clear(Box box) {
    m_texts[index(box)].clear();
    Terms::reportBoxCleared(m_ctx.prompter(), name(box));
}

bool TermsEditor::remove(Box box) {
    const IoStatus removed = Terms::deleteCustomText(m_ctx.store(), filePath(box));
    m_ctx.reportIoError(removed);
    return removed.ok();
}
