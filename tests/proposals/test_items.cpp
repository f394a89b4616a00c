#include "proposals/itemfiles.h"
#include "proposals/items.h"
#include "proposalsfixture.h"
#include "testmain.h"

#include <QTest>

namespace {
const QString kInventory = QStringLiteral("TIInventoriedItems.txt");
const QString kCustom = QStringLiteral("CustomItems.txt");
}  // namespace

class TestItems : public QObject {
    Q_OBJECT
private slots:
    // Three inventory items, then a custom one with its own price.
    void catalog() {
        TempApp app;
        app.write(kInventory, golden("inventory_three.bin"));
        app.write(kCustom, golden("custom_one.bin"));
        ItemCatalog items;
        items.LoadItems(*app.ctx);
        items.LoadItems(*app.ctx);  // a second load starts over
        QVERIFY(items.itemsExist());
        QCOMPARE(items.unsorted(), (QStringList{"Gutter guard", "downspout", "Asphalt shingles",
                                                "Chimney flashing"}));
        QCOMPARE(items.sorted(), (QStringList{"Asphalt shingles", "Chimney flashing", "downspout",
                                              "Gutter guard"}));
        QCOMPARE(items.prices(), (QList<Money>{Money::fromCents(1250), Money::fromCents(800),
                                               Money::fromCents(3050), Money::fromCents(4567)}));
        QCOMPARE(items.priceOf("Chimney flashing"), Money::fromCents(4567));
        QCOMPARE(items.priceOf("Screws"), std::nullopt);
        QCOMPARE(items.categories(), (QStringList{"Gutters", "Roofing"}));
    }

    void hostileFiles_data() {
        QTest::addColumn<QByteArray>("inventory");  // "-": no file
        QTest::addColumn<QByteArray>("custom");
        QTest::addColumn<QStringList>("items");
        const QByteArray three = golden("inventory_three.bin");
        const QByteArray one = golden("custom_one.bin");
        QTest::newRow("none") << QByteArray("-") << QByteArray("-") << QStringList();
        QTest::newRow("torn last record")
            << three.left(230) << QByteArray("-") << QStringList{"Gutter guard", "downspout"};
        QTest::newRow("shorter than one") << three.left(50) << one.left(20) << QStringList();
        QTest::newRow("custom only, twice")
            << QByteArray("-") << one + one << QStringList{"Chimney flashing", "Chimney flashing"};
    }
    void hostileFiles() {
        QFETCH(QByteArray, inventory);
        QFETCH(QByteArray, custom);
        QFETCH(QStringList, items);
        TempApp app;
        for (const auto& [file, bytes] : {std::pair{kInventory, inventory}, {kCustom, custom}}) {
            if (bytes != "-") {
                app.write(file, bytes);
            }
        }
        ItemCatalog catalog;
        catalog.LoadItems(*app.ctx);
        QCOMPARE(catalog.itemsExist(), inventory != "-" || custom != "-");
        QCOMPARE(catalog.unsorted(), items);
        QCOMPARE(catalog.prices().size(), items.size());
        const ItemFiles::Reading r = ItemFiles::readInventory(app.ctx->store());
        QCOMPARE(r.partialRecord, inventory.size() % 104 != 0 && inventory != "-");
    }

    // The typed item becomes the next record: 0 in the first money field,
    // the price in the second, the description cut at 50.
    void saveNewItem_data() { cases::load(QStringLiteral("proposals/new_items.txt")); }
    void saveNewItem() {
        const cases::Row c = cases::row();
        const QString message = c.text(2);
        TempApp app;
        app.write(kInventory, golden("inventory_three.bin"));
        if (message.isEmpty()) {
            app.prompter.expectMessage(ItemMessages::added("Heat cable" + QString(40, ' ')), kTitle,
                                       Icon::None);
            app.prompter.expectMessage(ItemMessages::saved(), kTitle, Icon::None);
        } else {
            app.prompter.expectMessage(
                message == "no price" ? ItemMessages::noPrice() : ItemMessages::noDescription(),
                kTitle, Icon::Exclamation);
        }
        const bool saved = SaveNewItem(*app.ctx, " Gutters ", c.text(0), c.text(1));
        QCOMPARE(saved, message.isEmpty());
        QCOMPARE(app.read(kInventory),
                 golden("inventory_three.bin") + (saved ? golden("inventory_added.bin") : ""));
    }

    // Another program owns the file: a torn one is not appended to.
    void tornFileRefused() {
        TempApp app;
        const QByteArray torn = golden("inventory_three.bin").left(300);
        app.write(kInventory, torn);
        const IoStatus s = ItemFiles::appendInventory(app.ctx->store(), "Nails", "", Money());
        QCOMPARE(s.reason(), QStringLiteral("its length is not a whole number of item records"));
        QCOMPARE(app.read(kInventory), torn);
    }
};

TOLVAR_TEST(TestItems)
#include "test_items.moc"
