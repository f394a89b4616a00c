#include "ui/writerbodyframe.h"

#include "ui/formwidgets.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

using W = ProposalWriter;
using Form::button;
using Form::indexed;

namespace {
// The body is laid out in columns (the item table), so it needs a font
// whose letters are all one width.
QFont bodyFont() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    if (!QFontInfo(f).fixedPitch()) {
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    return f;
}

void setListItems(QListWidget* list, const QStringList& items) {
    QStringList now;
    for (int i = 0; i < list->count(); ++i) {
        now << list->item(i)->text();
    }
    if (now != items) {
        list->clear();
        list->addItems(items);
    }
}
}  // namespace

WriterBodyFrame::WriterBodyFrame(ProposalWriter& writer, std::function<void()> changed,
                                 QWidget* parent)
    : QGroupBox(QStringLiteral("Create the Body of the Proposal"), parent),
      m_writer(writer),
      m_changed(std::move(changed)) {
    setObjectName(QStringLiteral("fraBody"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(buildCreation());
    column->addWidget(buildTemplates());
    m_body = Form::named(new QPlainTextEdit(this), QStringLiteral("txtBody"));
    m_body->setFont(bodyFont());
    m_body->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_body->setTabChangesFocus(true);
    // Room for the 45 columns of an item line and a little more.
    m_body->setMinimumWidth(
        QFontMetrics(m_body->font()).horizontalAdvance(QString(52, QLatin1Char('M'))));
    m_body->installEventFilter(this);
    connect(m_body, &QPlainTextEdit::textChanged, this, [this] {
        if (m_body->toPlainText() != m_writer.view().body) {
            act([this] { m_writer.typeBody(m_body->toPlainText()); });
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(m_body, 1);
    row->addWidget(buildItems());
    column->addLayout(row, 1);
    column->addWidget(buildTools());

    auto* steps = new QHBoxLayout;
    QPushButton* back = button(this, indexed("cmdCreation", 1), QStringLiteral("&BACK"),
                               QStringLiteral("Back to the Service Location"));
    connect(back, &QPushButton::clicked, this,
            [this] { act([this] { m_writer.press(W::StepButton::BackToLocation); }); });
    QPushButton* next = button(this, indexed("cmdCreation", 2), QStringLiteral("&NEXT"),
                               QStringLiteral("On to Pricing and the Payment Schedule"));
    connect(next, &QPushButton::clicked, this,
            [this] { act([this] { m_writer.press(W::StepButton::NextToPricing); }); });
    steps->addWidget(back);
    steps->addStretch();
    steps->addWidget(next);
    column->addLayout(steps);
}

void WriterBodyFrame::act(const std::function<void()>& action) {
    action();
    m_changed();
}

QWidget* WriterBodyFrame::buildCreation() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    m_creation = new QButtonGroup(this);
    const QStringList captions{QStringLiteral("Create from a &Document"),
                               QStringLiteral("Create from a Temp&late"),
                               QStringLiteral("Create from &Scratch (Manually)")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* o = Form::named(new QRadioButton(captions.at(i), panel), indexed("optCreate", i));
        m_creation->addButton(o, i);
        m_create << o;
        row->addWidget(o);
        connect(o, &QRadioButton::clicked, this,
                [this, i] { act([this, i] { m_writer.chooseCreation(W::Creation(i)); }); });
    }
    row->addStretch();
    return panel;
}

QWidget* WriterBodyFrame::buildTemplates() {
    m_templates = Form::frame(this, QStringLiteral("fraTemplates"),
                              QStringLiteral("Click a Template to load it"));
    auto* row = new QHBoxLayout(m_templates);
    m_templateList = Form::named(new QListWidget(m_templates), QStringLiteral("File1"));
    m_templateList->setMaximumHeight(m_templateList->fontMetrics().height() * 6);
    const auto load = [this](QListWidgetItem* item) {
        act([this, item] { m_writer.loadTemplate(item->text()); });
    };
    connect(m_templateList, &QListWidget::itemClicked, this, load);
    connect(m_templateList, &QListWidget::itemActivated, this, load);
    row->addWidget(m_templateList, 1);
    QPushButton* cancel =
        button(m_templates, QStringLiteral("cmdCancel"), QStringLiteral("Cancel Load Template"));
    connect(cancel, &QPushButton::clicked, this,
            [this] { act([this] { m_writer.cancelTemplates(); }); });
    row->addWidget(cancel, 0, Qt::AlignTop);
    return m_templates;
}

QWidget* WriterBodyFrame::buildTools() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    m_header = button(panel, QStringLiteral("cmdAddBasic"), QStringLiteral("Add &Header"),
                      QStringLiteral("Starts the body with the standard opening sentence"));
    connect(m_header, &QPushButton::clicked, this,
            [this] { act([this] { m_writer.addHeader(); }); });
    grid->addWidget(m_header, 0, 0);

    m_saveAs = Form::frame(panel, QStringLiteral("fraSaveAs"), QStringLiteral("Template"));
    auto* saveRow = new QHBoxLayout(m_saveAs);
    QPushButton* save = button(m_saveAs, QStringLiteral("cmdSave"), QStringLiteral("Save &As"),
                               QStringLiteral("Saves the body as a Template"));
    connect(save, &QPushButton::clicked, this,
            [this] { act([this] { static_cast<void>(m_writer.saveTemplate()); }); });
    saveRow->addWidget(save);
    m_delete = Form::frame(m_saveAs, QStringLiteral("fraDelete"), QString());
    m_delete->setFlat(true);
    auto* deleteRow = new QHBoxLayout(m_delete);
    deleteRow->setContentsMargins(0, 0, 0, 0);
    QPushButton* remove = button(m_delete, QStringLiteral("cmdDelete"), QStringLiteral("D&elete"),
                                 QStringLiteral("Deletes the Template last loaded"));
    connect(remove, &QPushButton::clicked, this, [this] {
        act([this] {
            if (QListWidgetItem* item = m_templateList->currentItem()) {
                m_writer.deleteTemplate(item->text());
            }
        });
    });
    deleteRow->addWidget(remove);
    saveRow->addWidget(m_delete);
    grid->addWidget(m_saveAs, 0, 1);

    m_footer = new QButtonGroup(this);
    const QStringList terms{QStringLiteral("Use &Generic Terms"),
                            QStringLiteral("Use C&ustom Terms")};
    for (int i = 0; i < terms.size(); ++i) {
        auto* o = Form::named(new QRadioButton(terms.at(i), panel), indexed("optFooter", i));
        m_footer->addButton(o, i);
        m_footers << o;
        grid->addWidget(o, 1, i);
        connect(o, &QRadioButton::clicked, this,
                [this, i] { act([this, i] { m_writer.selectTerms(TermsOptions::Choice(i)); }); });
    }
    m_addTerms =
        button(panel, QStringLiteral("cmdAddTerms"), QStringLiteral("Add Te&rms to Proposal"));
    connect(m_addTerms, &QPushButton::clicked, this,
            [this] { act([this] { m_writer.addTerms(); }); });
    grid->addWidget(m_addTerms, 1, 2);

    m_taxation = Form::named(new QLineEdit(panel), QStringLiteral("txtTaxation"));
    connect(m_taxation, &QLineEdit::textEdited, this,
            [this](const QString& t) { act([this, t] { m_writer.setTaxStatement(t); }); });
    grid->addWidget(m_taxation, 2, 0, 1, 3);
    const QStringList taxes{QStringLiteral("Clear &Tax Box"), QStringLiteral("Reload De&fault"),
                            QStringLiteral("Add Tax Statement to B&ody")};
    auto* taxRow = new QHBoxLayout;
    for (int i = 0; i < taxes.size(); ++i) {
        QPushButton* b = button(panel, indexed("cmdTax", i), taxes.at(i));
        connect(b, &QPushButton::clicked, this,
                [this, i] { act([this, i] { m_writer.press(W::TaxButton(i)); }); });
        taxRow->addWidget(b);
    }
    grid->addLayout(taxRow, 3, 0, 1, 3);
    return panel;
}

QWidget* WriterBodyFrame::buildItems() {
    m_items = Form::frame(this, QStringLiteral("FraItems"),
                          QStringLiteral("Add Sales Items to Proposal"));
    auto* column = new QVBoxLayout(m_items);
    m_itemList = Form::named(new QListWidget(m_items), QStringLiteral("lstItems"));
    const auto choose = [this](QListWidgetItem* item) {
        act([this, item] { m_writer.chooseItem(item->text()); });
    };
    connect(m_itemList, &QListWidget::itemClicked, this, choose);
    connect(m_itemList, &QListWidget::itemActivated, this, choose);
    column->addWidget(m_itemList, 1);
    auto* form = new QFormLayout;
    const QStringList labels{QStringLiteral("Description"), QStringLiteral("Selling Price"),
                             QStringLiteral("Quantity")};
    for (int i = 0; i < labels.size(); ++i) {
        auto* e = Form::named(new QLineEdit(m_items), indexed("txtItem", i));
        connect(e, &QLineEdit::textEdited, this, [this, i](const QString& t) {
            act([this, i, t] { m_writer.setItemBox(W::ItemField(i), t); });
        });
        form->addRow(labels.at(i), e);
        m_itemBoxes << e;
    }
    m_itemBoxes.at(1)->installEventFilter(this);
    column->addLayout(form);
    const QStringList captions{
        QStringLiteral("&Add Item to the Proposal"), QStringLiteral("&Clear this Item / Redo"),
        QStringLiteral("Close &Window"), QStringLiteral("Add Item &Manually")};
    for (int i = 0; i < captions.size(); ++i) {
        QPushButton* b = button(m_items, indexed("cmdItem", i), captions.at(i));
        connect(b, &QPushButton::clicked, this,
                [this, i] { act([this, i] { m_writer.press(W::ItemButton(i)); }); });
        column->addWidget(b);
    }
    m_addNew = Form::frame(m_items, QStringLiteral("fraAddNew"), QStringLiteral("Add New Item"));
    auto* addRow = new QFormLayout(m_addNew);
    m_categories = Form::named(new QComboBox(m_addNew), QStringLiteral("cboCategories"));
    m_categories->setEditable(true);
    connect(m_categories, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (t != m_writer.view().itemBoxes.category) {
            act([this, t] { m_writer.setItemBox(W::ItemField::Category, t); });
        }
    });
    addRow->addRow(QStringLiteral("Category"), m_categories);
    QPushButton* save = button(m_addNew, indexed("cmdItem", 4), QStringLiteral("Sa&ve New Item"));
    connect(save, &QPushButton::clicked, this,
            [this] { act([this] { m_writer.press(W::ItemButton::SaveNew); }); });
    addRow->addRow(save);
    column->addWidget(m_addNew);
    return m_items;
}

bool WriterBodyFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_body && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Moving around and leaving the box need no way of creating it.
        if (!key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab &&
            m_writer.view().creation == W::Creation::None) {
            act([this] { static_cast<void>(m_writer.creationCheck()); });
            return true;
        }
    } else if (watched == m_body && event->type() == QEvent::FocusIn) {
        m_writer.bodyFocused();
        m_body->moveCursor(QTextCursor::End);
        m_changed();
    } else if (watched == m_itemBoxes.value(1) && event->type() == QEvent::FocusOut &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        act([this] { m_writer.leaveItemPrice(); });
    }
    return false;
}

void WriterBodyFrame::refresh(const ProposalWriter::View& v) {
    Form::checkInGroup(m_creation, int(v.creation));
    m_create.at(1)->setEnabled(v.templateOption);
    m_templates->setVisible(v.templatesFrame);
    setListItems(m_templateList, v.templates);
    m_saveAs->setEnabled(v.saveTemplate);
    m_delete->setEnabled(v.deleteTemplate);
    Form::setText(m_body, v.body);
    m_header->setEnabled(v.headerEnabled);
    Form::checkInGroup(m_footer, int(v.terms.selected));
    m_footers.at(0)->setEnabled(v.terms.genericEnabled);
    m_footers.at(1)->setEnabled(v.terms.customEnabled);
    m_addTerms->setEnabled(v.terms.addEnabled);
    Form::setText(m_taxation, v.taxStatement);
    m_items->setVisible(v.itemsFrame);
    setListItems(m_itemList, v.items);
    Form::setText(m_itemBoxes.at(0), v.itemBoxes.description);
    Form::setText(m_itemBoxes.at(1), v.itemBoxes.price);
    Form::setText(m_itemBoxes.at(2), v.itemBoxes.quantity);
    m_addNew->setVisible(v.addNewFrame);
    // Refilling the list must not reach the model as typing.
    const QSignalBlocker quiet(m_categories);
    Form::setItems(m_categories, v.categories);
    if (m_categories->currentText() != v.itemBoxes.category) {
        m_categories->setCurrentText(v.itemBoxes.category);
    }
}

QWidget* WriterBodyFrame::focusTarget(const WriterFocus& focus) const {
    switch (focus.control) {
        case WriterFocus::Body:
            return m_body;
        case WriterFocus::TaxStatement:
            return m_taxation;
        case WriterFocus::ItemDescription:
            return m_itemBoxes.at(0);
        case WriterFocus::ItemPrice:
            return m_itemBoxes.at(1);
        case WriterFocus::ItemQuantity:
            return m_itemBoxes.at(2);
        default:
            return nullptr;
    }
}
