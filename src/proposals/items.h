#pragma once

#include "shell/iostatus.h"
#include "shell/money.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class AppContext;

// The items a proposal can list: every inventory record, then every custom
// item, each with its unit price. The descriptions come sorted for the list
// the user picks from and in file order, where a description's position is
// the index of its price.
class ItemCatalog {
public:
    // Fills the lists from \TIInventoriedItems.txt and \CustomItems.txt. A
    // missing file adds nothing and says nothing; a file that cannot be read
    // is reported.
    void LoadItems(AppContext& ctx);

    bool itemsExist() const { return m_itemsExist; }
    const QStringList& sorted() const { return m_sorted; }      // lstItems
    const QStringList& unsorted() const { return m_unsorted; }  // lstItemsUnsorted
    const QList<Money>& prices() const { return m_prices; }
    const QStringList& categories() const { return m_categories; }  // cboCategories

    // The unit price of the first item of that description.
    std::optional<Money> priceOf(const QString& description) const;

private:
    void add(const QString& description, Money price);

    bool m_itemsExist = false;
    QStringList m_sorted;
    QStringList m_unsorted;
    QList<Money> m_prices;
    QStringList m_categories;
};

// "Save New Item": appends the typed item to the inventory file as its next
// record and tells the user. False, with the reason shown, when the
// description or price is unusable or the file cannot be written.
bool SaveNewItem(AppContext& ctx, const QString& category, const QString& description,
                 const QString& priceText, const QLocale& locale = MoneyLocale());

namespace ItemMessages {
// The description as stored (50 characters) + " has been added" ...
QString added(const QString& storedDescription);
QString saved();  // "Item Has been Saved to Inventory File"
QString noDescription();
QString noPrice();
}  // namespace ItemMessages
