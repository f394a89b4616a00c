#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

// Small helpers the form screens share: controls made under their names,
// and model texts copied in without disturbing what the user is typing.
namespace Form {

inline QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename T>
T* named(T* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

inline QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                           const QString& toolTip = {}) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setToolTip(toolTip);
    // Enter presses the button that has the focus.
    b->setAutoDefault(true);
    return b;
}

// Names and addresses are shown as typed, never read as markup.
inline QLabel* label(QWidget* parent, const QString& name, const QString& text = {}) {
    auto* l = named(new QLabel(text, parent), name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

inline QGroupBox* frame(QWidget* parent, const QString& name, const QString& title) {
    return named(new QGroupBox(title, parent), name);
}

// Writing the same text back would move the cursor.
inline void setText(QLineEdit* e, const QString& text) {
    if (e->text() != text) {
        e->setText(text);
    }
}

inline void setText(QPlainTextEdit* e, const QString& text) {
    if (e->toPlainText() != text) {
        e->setPlainText(text);
    }
}

inline void setText(QLabel* l, const QString& text) {
    if (l->text() != text) {
        l->setText(text);
    }
}

inline void setText(QAbstractButton* b, const QString& text) {
    if (b->text() != text) {
        b->setText(text);
    }
}

inline void setChecked(QAbstractButton* b, bool on) {
    if (b->isChecked() != on) {
        b->setChecked(on);
    }
}

// An exclusive group with none of its buttons checked.
inline void checkInGroup(QButtonGroup* group, int id) {
    if (group->checkedId() == id) {
        return;
    }
    if (id < 0) {
        group->setExclusive(false);
        if (QAbstractButton* b = group->checkedButton()) {
            b->setChecked(false);
        }
        group->setExclusive(true);
    } else if (QAbstractButton* b = group->button(id)) {
        b->setChecked(true);
    }
}

inline void setItems(QComboBox* c, const QStringList& items) {
    QStringList now;
    for (int i = 0; i < c->count(); ++i) {
        now << c->itemText(i);
    }
    if (now != items) {
        const QString text = c->currentText();
        c->clear();
        c->addItems(items);
        c->setCurrentText(text);
    }
}

}  // namespace Form
