#include "ui/frmterms.h"

#include "proposals/terms.h"
#include "ui/screenmanager.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
const QString kName = QStringLiteral("frmTerms");
using Box = TermsEditor::Box;

QLabel* wrapped(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}
}  // namespace

frmTerms::frmTerms(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, kName), m_editor(ctx) {
    setWindowTitle(QStringLiteral("Custom Terms and Disclaimer Creation Screen"));
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->addWidget(heading(QStringLiteral("Custom or Generic Terms and Disclaimers"), central));
    column->addWidget(
        wrapped(QStringLiteral("NOTE: When creating a Proposal, you can choose to use either"),
                QStringLiteral("lblNote(0)"), central));
    column->addWidget(
        wrapped(QStringLiteral(
                    "You can create Custom Terms and a Custom Disclaimer to print on the Proposal"),
                QStringLiteral("lblNote(1)"), central));
    auto* row = new QHBoxLayout;
    row->addWidget(buildGeneric(), 1);
    row->addWidget(buildCustom(), 1);
    column->addLayout(row, 1);
    column->addWidget(buildButtons());
    setCentralWidget(central);
    m_editor.loadAll();
    refresh();
}

QWidget* frmTerms::buildGeneric() {
    auto* frame = new QGroupBox(this);
    auto* column = new QVBoxLayout(frame);
    column->addWidget(heading(QStringLiteral("Generic Terms"), frame));
    column->addWidget(wrapped(Terms::GenericTerms(), QStringLiteral("Label1(1)"), frame));
    column->addWidget(heading(QStringLiteral("Generic Disclaimer"), frame));
    column->addWidget(wrapped(Terms::GenericDisclaimer(), QStringLiteral("Label1(0)"), frame));
    column->addStretch();
    return frame;
}

QWidget* frmTerms::buildCustom() {
    auto* frame = new QGroupBox(this);
    auto* column = new QVBoxLayout(frame);
    for (Box box : {Box::Terms, Box::Disclaimer}) {
        auto* edit = new QPlainTextEdit(frame);
        edit->setObjectName(QStringLiteral("Text1(%1)").arg(static_cast<int>(box)));
        edit->setTabChangesFocus(true);
        auto* label = heading(TermsEditor::name(box), frame);
        column->addWidget(label);
        column->addWidget(edit, 1);
        connect(edit, &QPlainTextEdit::textChanged, this,
                [this, edit, box] { m_editor.edit(box, edit->toPlainText()); });
        m_boxes << edit;
    }
    return frame;
}

QWidget* frmTerms::buildButtons() {
    static const char* captions[] = {
        "Menu",
        "Save Terms",
        "Save Disclaimer",
        "Clear Custom Terms",
        "Clear Custom Disclaimer",
        "Load Custom Terms",
        "Load Custom Disclaimer",
        "Delete Custom Terms",
        "Delete Custom Disclaimer",
    };
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 9; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(captions[i]), panel);
        b->setObjectName(QStringLiteral("Command1(%1)").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { onButton(i); });
        // Menu alone on the left; then one column per kind of action, terms
        // above disclaimer.
        grid->addWidget(b, i == 0 ? 0 : (i - 1) % 2, i == 0 ? 0 : 1 + (i - 1) / 2);
    }
    return panel;
}

void frmTerms::refresh() {
    for (Box box : {Box::Terms, Box::Disclaimer}) {
        QPlainTextEdit* edit = m_boxes.at(static_cast<int>(box));
        if (edit->toPlainText() != m_editor.text(box)) {
            const QSignalBlocker block(edit);
            edit->setPlainText(m_editor.text(box));
        }
    }
}

void frmTerms::onButton(int index) {
    if (index == 0) {
        screens().hide(kName);
        screens().show(QStringLiteral("frmStartup"));
        return;
    }
    const Box box = (index - 1) % 2 == 0 ? Box::Terms : Box::Disclaimer;
    switch ((index - 1) / 2) {
        case 0:
            static_cast<void>(m_editor.save(box));
            break;
        case 1:
            m_editor.clear(box);
            break;
        case 2:
            static_cast<void>(m_editor.load(box));
            break;
        case 3:
            static_cast<void>(m_editor.remove(box));
            break;
    }
    refresh();
}
