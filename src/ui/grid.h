#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class QTableView;
class QWidget;

// The rows of a proposal grid behind a view. The layout names the columns as
// "^Centred|<Left|>Right"; the blanks of a heading set its column's width.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(const QString& layout, QObject* parent);

    void setRows(QList<QStringList> rows);
    void setCell(int row, int column, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Characters of the column's heading, blanks included.
    int headingLength(int column) const { return m_lengths.value(column); }

private:
    QStringList m_headings;
    QList<Qt::Alignment> m_alignments;
    QList<int> m_lengths;
    QList<QStringList> m_rows;
};

// A read-only grid over `model` with the columns its layout sets, scrolled
// by the mouse wheel as every grid of the program is (GridWheel).
QTableView* MakeGrid(const QString& name, GridModel* model, QWidget* parent);
// The width that shows every column of the grid without scrolling sideways.
int WidthOfAllColumns(const QTableView* view);
