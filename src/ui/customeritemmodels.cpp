#include "ui/customeritemmodels.h"

namespace {
enum Column { Customer, Phone, Street, City, Rec, Columns };

bool centred(int column) {
    return column == Phone || column == Rec;
}
}  // namespace

void AccountListModel::setEntries(const QList<CustomerNameEntry>& entries) {
    if (entries == m_entries) {
        return;
    }
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

int AccountListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant AccountListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_entries.size()) {
        return {};
    }
    const CustomerNameEntry& e = m_entries.at(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return e.name;
    }
    if (role == Qt::UserRole) {
        return e.record;
    }
    return {};
}

void CustomerRowsModel::setRows(const QList<CustomerRow>& rows) {
    if (rows == m_rows) {
        return;
    }
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int CustomerRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CustomerRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant CustomerRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(centred(index.column()) ? Qt::AlignCenter
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const CustomerRow& r = m_rows.at(index.row());
    switch (index.column()) {
        case Customer:
            return r.customer;
        case Phone:
            return r.phone;
        case Street:
            return r.street;
        case City:
            return r.city;
        case Rec:
            return r.record;
    }
    return {};
}

QVariant CustomerRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return CustomerScreenModel::resultHeadings().at(section);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(centred(section) ? Qt::AlignCenter
                                                    : Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}
