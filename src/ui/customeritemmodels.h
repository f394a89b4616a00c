#pragma once

#include "customers/customerscreen.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QList>

// cboAccounts: one display name per customer, the record number as item
// data. A view over the customer screen's list, so 32,767 customers cost one
// list, not 32,767 combo-box items.
class AccountListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Resets the view only when the list changed (a shared, unchanged list
    // compares at once).
    void setEntries(const QList<CustomerNameEntry>& entries);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<CustomerNameEntry> m_entries;
};

// fgCustomersFound: Customer, Phone, Street, City, Rec under padded headings.
class CustomerRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(const QList<CustomerRow>& rows);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<CustomerRow> m_rows;
};
