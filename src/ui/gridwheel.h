#pragma once

#include <QObject>

class QTableView;

// The first row a grid shows after one turn of the mouse wheel: as many rows
// as fit in its height, at least 10, up or down, never before the first row
// nor past the last. Rows count from 0.
int WheelFirstRow(int firstRow, int rowsFitting, int rowCount, bool up);

// Scrolls a grid that way while its window is active, however many lines
// the platform reports for one notch.
class GridWheel : public QObject {
    Q_OBJECT
public:
    static void attach(QTableView* grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit GridWheel(QTableView* grid);
    QTableView* m_grid;
};
