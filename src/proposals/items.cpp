#include "proposals/items.h"

#include "proposals/itemfiles.h"
#include "shell/appcontext.h"

#include <algorithm>

namespace {
constexpr int kDescriptionWidth = 50;

bool sortsBefore(const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}
}  // namespace

void ItemCatalog::add(const QString& description, Money price) {
    m_unsorted.append(description);
    // Prices are kept as they are shown: to the cent.
    m_prices.append(price.roundedToCents());
}

void ItemCatalog::LoadItems(AppContext& ctx) {
    *this = ItemCatalog();
    const ItemFiles::Reading inventory = ItemFiles::readInventory(ctx.store());
    ctx.reportIoError(inventory.status);
    for (const ItemFiles::InventoryItem& item : inventory.items) {
        add(item.description, item.unitPrice);
        // A blank category is no choice to offer.
        if (!item.category.isEmpty() && !m_categories.contains(item.category)) {
            m_categories.append(item.category);
        }
    }
    const ItemFiles::Reading custom = ItemFiles::readCustom(ctx.store());
    ctx.reportIoError(custom.status);
    for (const ItemFiles::CustomItem& item : custom.items) {
        add(item.description, item.unitPrice);
    }
    m_itemsExist = inventory.found || custom.found;
    m_sorted = m_unsorted;
    std::stable_sort(m_sorted.begin(), m_sorted.end(), sortsBefore);
}

std::optional<Money> ItemCatalog::priceOf(const QString& description) const {
    const qsizetype p = m_unsorted.indexOf(description);
    if (p < 0 || p >= m_prices.size()) {
        return std::nullopt;
    }
    return m_prices.at(p);
}

namespace ItemMessages {
QString added(const QString& storedDescription) {
    return storedDescription + QStringLiteral(
                                   " has been added\r\nUse the Inventory Program to "
                                   "\r\nenter all fields for this item");
}
QString saved() {
    return QStringLiteral("Item Has been Saved to Inventory File");
}
QString noDescription() {
    return QStringLiteral("The Item was not saved: enter a Description for the new Item");
}
QString noPrice() {
    return QStringLiteral("The Item was not saved: enter a Selling Price for the new Item");
}
}  // namespace ItemMessages

bool SaveNewItem(AppContext& ctx, const QString& category, const QString& description,
                 const QString& priceText, const QLocale& locale) {
    const QString title = AppContext::applicationTitle();
    const QString name = description.trimmed();
    if (name.isEmpty()) {
        ctx.prompter().message(ItemMessages::noDescription(), title, Buttons::Ok,
                               Icon::Exclamation);
        return false;
    }
    const std::optional<Money> typed = Money::parseDisplay(priceText, locale);
    const Money price = typed.value_or(Money());
    if (!typed || price < Money()) {
        ctx.prompter().message(ItemMessages::noPrice(), title, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const IoStatus s =
        ItemFiles::appendInventory(ctx.store(), name, category.trimmed(), price.roundedToCents());
    if (!s) {
        ctx.reportIoError(s);
        return false;
    }
    const QString stored = name.left(kDescriptionWidth).leftJustified(kDescriptionWidth);
    ctx.prompter().message(ItemMessages::added(stored), title);
    ctx.prompter().message(ItemMessages::saved(), title);
    return true;
}
