#include "ui/gridwheel.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>

namespace {
constexpr int kLeastRows = 10;
}

int WheelFirstRow(int firstRow, int rowsFitting, int rowCount, bool up) {
    const int step = qMax(rowsFitting, kLeastRows);
    const int target = up ? firstRow - step : firstRow + step;
    return qBound(0, target, qMax(0, rowCount - 1));
}

GridWheel::GridWheel(QTableView* grid) : QObject(grid), m_grid(grid) {}

void GridWheel::attach(QTableView* grid) {
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid->viewport()->installEventFilter(new GridWheel(grid));
}

bool GridWheel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || watched != m_grid->viewport() ||
        !m_grid->isActiveWindow()) {
        return false;
    }
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const int delta = wheel->angleDelta().y();
    const int rows = m_grid->model() ? m_grid->model()->rowCount() : 0;
    if (delta == 0 || rows == 0) {
        return true;
    }
    const int rowHeight = qMax(1, m_grid->rowHeight(0));
    const int fitting = m_grid->viewport()->height() / rowHeight;
    const int first = m_grid->rowAt(0) < 0 ? 0 : m_grid->rowAt(0);
    const int target = WheelFirstRow(first, fitting, rows, delta > 0);
    // Per item, the scroll bar's value is the first row shown.
    m_grid->verticalScrollBar()->setValue(target);
    return true;
}
