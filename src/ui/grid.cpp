#include "ui/grid.h"

#include "ui/gridwheel.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace {
Qt::Alignment alignmentOf(QChar mark) {
    if (mark == QLatin1Char('<')) {
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    if (mark == QLatin1Char('>')) {
        return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignCenter;
}

}  // namespace

GridModel::GridModel(const QString& layout, QObject* parent) : QAbstractTableModel(parent) {
    for (const QString& column : layout.split(QLatin1Char('|'))) {
        const bool marked = !column.isEmpty() && QStringLiteral("^<>").contains(column.at(0));
        const QString heading = marked ? column.mid(1) : column;
        m_alignments << alignmentOf(marked ? column.at(0) : QLatin1Char('<'));
        m_headings << heading.trimmed();
        m_lengths << int(heading.size());
    }
}

void GridModel::setRows(QList<QStringList> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void GridModel::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headings.size()) {
        return;
    }
    QStringList& cells = m_rows[row];
    while (cells.size() <= column) {
        cells << QString();
    }
    cells[column] = text;
    emit dataChanged(index(row, column), index(row, column));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return m_rows.at(index.row()).value(index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(m_alignments.value(index.column()));
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headings.size()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return m_headings.at(section);
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(m_alignments.at(section));
    }
    return {};
}

QTableView* MakeGrid(const QString& name, GridModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->verticalHeader()->hide();
    // Rows of one height, so 10,000 of them are laid out without measuring each.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setWordWrap(false);
    // As many characters as the padded heading holds, and never less than
    // the heading needs in the header's own font.
    const int charWidth = view->fontMetrics().averageCharWidth();
    for (int c = 0; c < model->columnCount(); ++c) {
        view->setColumnWidth(c, std::max((model->headingLength(c) + 2) * charWidth,
                                         view->horizontalHeader()->sectionSizeHint(c)));
    }
    GridWheel::attach(view);
    return view;
}

int WidthOfAllColumns(const QTableView* view) {
    return view->horizontalHeader()->length() + 2 * view->frameWidth() +
           view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}
