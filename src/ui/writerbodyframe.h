#pragma once

#include "proposals/proposalwriter.h"

#include <QGroupBox>
#include <QList>

#include <functional>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The body step of the writer (fraBody): the ways of creating the body, the
// template list, the body box and its tools, and the items frame. Every user
// action goes to the writer; `changed` then brings the whole screen up to date.
class WriterBodyFrame : public QGroupBox {
    Q_OBJECT
public:
    WriterBodyFrame(ProposalWriter& writer, std::function<void()> changed, QWidget* parent);

    void refresh(const ProposalWriter::View& v);
    // The control of the body step the writer wants focused; null for others.
    QWidget* focusTarget(const WriterFocus& focus) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCreation();
    QWidget* buildTemplates();
    QWidget* buildTools();
    QWidget* buildItems();
    void act(const std::function<void()>& action);

    ProposalWriter& m_writer;
    std::function<void()> m_changed;

    QButtonGroup* m_creation = nullptr;
    QList<QRadioButton*> m_create;
    QGroupBox* m_templates = nullptr;
    QListWidget* m_templateList = nullptr;
    QGroupBox* m_saveAs = nullptr;
    QGroupBox* m_delete = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QPushButton* m_header = nullptr;
    QButtonGroup* m_footer = nullptr;
    QList<QRadioButton*> m_footers;
    QPushButton* m_addTerms = nullptr;
    QLineEdit* m_taxation = nullptr;
    QGroupBox* m_items = nullptr;
    QListWidget* m_itemList = nullptr;
    QList<QLineEdit*> m_itemBoxes;
    QGroupBox* m_addNew = nullptr;
    QComboBox* m_categories = nullptr;
};
