#include "proposals/itemfiles.h"
#include "proposals/items.h"
#include "proposalsfixture.h"
#include "testmain.h"

#include <QTest>

namespace {
QList<Money> cents(const QString& list) {
    QList<Money> out;
    for (const QString& c : list.split(u';', Qt::SkipEmptyParts)) {
        out << Money::fromCents(c.toLongLong());
    }
    return out;
}

// The inventory and custom items of an application folder.
struct ItemsApp : ScriptApp {
    ItemCatalog catalog;

    ItemsApp() : ScriptApp(false) {}

    // The steps of item_scripts.txt.
    bool screenStep(const QStringList& a) override {
        const QString arg = a.value(1);
        const QString t1 = QString::fromUtf8(CaseUnescaped(arg.toUtf8()));
        const QString t2 = QString::fromUtf8(CaseUnescaped(a.value(2).toUtf8()));
        const Steps steps{
            {"loadItems", [&] { catalog.LoadItems(*ctx); }},
            {"itemsExist", [&] { QCOMPARE(catalog.itemsExist(), arg == "yes"); }},
            {"unsorted", [&] { QCOMPARE(catalog.unsorted().join(u';'), arg); }},
            {"sorted", [&] { QCOMPARE(catalog.sorted().join(u';'), arg); }},
            {"categories", [&] { QCOMPARE(catalog.categories().join(u';'), arg); }},
            {"prices", [&] { QCOMPARE(catalog.prices(), cents(arg)); }},
            {"priceOf",
             [&] { QCOMPARE(catalog.priceOf(t1), std::optional<Money>(cents(t2).value(0))); }},
            {"noPriceOf", [&] { QCOMPARE(catalog.priceOf(t1), std::nullopt); }},
            {"partial",
             [&] {
                 const ItemFiles::Reading r = ItemFiles::readInventory(ctx->store());
                 QCOMPARE(r.partialRecord, arg == "yes");
             }},
            {"saveNew",
             [&] {
                 const QString price = QString::fromUtf8(CaseUnescaped(a.value(3).toUtf8()));
                 QCOMPARE(SaveNewItem(*ctx, t1, t2, price), a.value(4) == "yes");
             }},
            {"append", [&] {
                 const IoStatus s = ItemFiles::appendInventory(ctx->store(), t1, "", Money());
                 QCOMPARE(s.reason(), t2);
             }}};
        return take(steps, a);
    }
};
}  // namespace

class TestItems : public QObject {
    Q_OBJECT
private slots:
    // The catalog, hostile files, a new item saved, a torn file: each a script.
    void scripts_data() { loadScripts(QStringLiteral("item_scripts.txt")); }
    void scripts() {
        ItemsApp app;
        app.runScript();
    }
};

TOLVAR_TEST(TestItems)
#include "test_items.moc"
