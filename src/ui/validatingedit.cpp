#include "ui/validatingedit.h"

#include "print/validation.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace {

// The line edit as the validation routines see it.
class LineEditBox : public InputBox {
public:
    explicit LineEditBox(QLineEdit* edit) : m_edit(edit) {}
    QString text() const override { return m_edit->text(); }
    void setText(const QString& text) override { m_edit->setText(text); }
    void focus() override { m_edit->setFocus(Qt::OtherFocusReason); }

private:
    QLineEdit* m_edit;
};

}  // namespace

ValidatingEdit::ValidatingEdit(QLineEdit* edit, AppContext& ctx, Kind kind, bool formatOnLeave)
    : QObject(edit), m_edit(edit), m_ctx(ctx), m_kind(kind), m_formatOnLeave(formatOnLeave) {}

ValidatingEdit* ValidatingEdit::attach(QLineEdit* edit, AppContext& ctx, Kind kind,
                                       bool formatOnLeave) {
    auto* filter = new ValidatingEdit(edit, ctx, kind, formatOnLeave);
    edit->installEventFilter(filter);
    return filter;
}

bool ValidatingEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        return keyPressed(static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::ContextMenu) {
        showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (event->type() == QEvent::Drop) {
        return dropped(static_cast<QDropEvent*>(event));
    }
    if (event->type() == QEvent::FocusOut && m_kind == Kind::Amount && m_formatOnLeave) {
        LineEditBox box(m_edit);
        FormatAmountBox(m_ctx, box);
    }
    return false;
}

// True when the key is swallowed.
bool ValidatingEdit::keyPressed(QKeyEvent* key) {
    if (key->matches(QKeySequence::Paste)) {
        return pasted();
    }
    const QString text = key->text();
    // Editing and moving keys (Backspace, arrows, Enter, shortcuts) pass.
    if (text.size() != 1 || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    LineEditBox box(m_edit);
    const int code = text.at(0).unicode();
    const int use = m_kind == Kind::Amount ? AmountKey(code, box) : TextKey(m_ctx, code, box);
    return use == 0;
}

bool ValidatingEdit::pasted() {
    insertFiltered(QApplication::clipboard()->text());
    return true;
}

// The line edit's own menu, its Paste put through the filter.
void ValidatingEdit::showContextMenu(const QPoint& at) {
    QMenu* menu = m_edit->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        paste->disconnect();
        connect(paste, &QAction::triggered, this, [this] { pasted(); });
    }
    menu->popup(at);
}

// Dropped text is pasted text at the drop point.
bool ValidatingEdit::dropped(QDropEvent* drop) {
    if (!drop->mimeData()->hasText() || m_edit->isReadOnly()) {
        return false;
    }
    m_edit->setCursorPosition(m_edit->cursorPositionAt(drop->position().toPoint()));
    insertFiltered(drop->mimeData()->text());
    drop->acceptProposedAction();
    m_edit->setFocus(Qt::MouseFocusReason);
    return true;
}

// Pasted text bypasses the key events, so it is put through the same tests.
void ValidatingEdit::insertFiltered(const QString& clip) {
    if (m_kind == Kind::Text) {
        m_edit->insert(TextPaste(m_edit->text(), clip));
        return;
    }
    // An amount is pasted whole when every character would have been taken.
    QString t = m_edit->text();
    for (QChar c : clip) {
        if (AmountKey(c.unicode(), PlainBox(t)) == 0) {
            return;
        }
        t += c;
    }
    m_edit->insert(clip);
}
