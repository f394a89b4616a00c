#include "proposals/items.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>
#include <QtEndian>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");

QByteArray padded(const char* text, int width) {
    QByteArray b(text);
    b.resize(width, ' ');
    return b;
}

QByteArray money(qint64 raw) {
    QByteArray b(8, '\0');
    qToLittleEndian<qint64>(raw, b.data());
    return b;
}

// A 104-byte inventory record, laid out by hand: description 50, category 20,
// first money, second money, 2-byte, money, 4-byte, 2-byte, 2-byte.
QByteArray inventoryRecord(const char* description, const char* category, qint64 first,
                           qint64 second = 0) {
    QByteArray r = padded(description, 50) + padded(category, 20) + money(first) + money(second);
    r += QByteArray(2, '\0') + money(0) + QByteArray(4, '\0') + QByteArray(4, '\0');
    return r;
}

// A 70-byte custom record: description 50, price, 8 unused, 4 unused.
QByteArray customRecord(const char* description, qint64 price) {
    return padded(description, 50) + money(price) + QByteArray(8, '\x7f') + QByteArray(4, '\x01');
}

const QString kInventory = QStringLiteral("TIInventoriedItems.txt");
const QString kCustom = QStringLiteral("CustomItems.txt");
}  // namespace

class TestItems : public QObject {
    Q_OBJECT
private slots:
    // Three inventory items, then a custom one with its own price.
    void loadsBothFiles() {
        TempApp app;
        app.write(kInventory, inventoryRecord("Gutter guard", "Gutters", 125000) +
                                  inventoryRecord("downspout", "Gutters  ", 80000, 99990000) +
                                  inventoryRecord("  Asphalt shingles", "Roofing", 305000));
        app.write(kCustom, customRecord("Chimney flashing", 456700));
        ItemCatalog items;
        items.LoadItems(*app.ctx);
        items.LoadItems(*app.ctx);  // a second load starts over
        QVERIFY(items.itemsExist());
        const QStringList fileOrder{QStringLiteral("Gutter guard"), QStringLiteral("downspout"),
                                    QStringLiteral("Asphalt shingles"),
                                    QStringLiteral("Chimney flashing")};
        QCOMPARE(items.unsorted(), fileOrder);
        QCOMPARE(
            items.sorted(),
            (QStringList{QStringLiteral("Asphalt shingles"), QStringLiteral("Chimney flashing"),
                         QStringLiteral("downspout"), QStringLiteral("Gutter guard")}));
        QCOMPARE(items.prices(), (QList<Money>{Money::fromCents(1250), Money::fromCents(800),
                                               Money::fromCents(3050), Money::fromCents(4567)}));
        QCOMPARE(items.priceOf(QStringLiteral("Chimney flashing")), Money::fromCents(4567));
        QCOMPARE(items.categories(),
                 (QStringList{QStringLiteral("Gutters"), QStringLiteral("Roofing")}));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void pricesToTheCent_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("below half") << qint64(125049) << qint64(1250);
        QTest::newRow("half away") << qint64(125050) << qint64(1251);
    }
    void pricesToTheCent() {
        QFETCH(qint64, raw);
        QFETCH(qint64, cents);
        TempApp app;
        app.write(kCustom, customRecord("Thing", raw));
        ItemCatalog items;
        items.LoadItems(*app.ctx);
        QCOMPARE(items.priceOf(QStringLiteral("Thing")), Money::fromCents(cents));
    }

    void hostileFiles_data() {
        QTest::addColumn<QByteArray>("inventory");
        QTest::addColumn<QByteArray>("custom");
        QTest::addColumn<bool>("exist");
        QTest::addColumn<int>("count");
        QTest::newRow("none") << QByteArray() << QByteArray() << false << 0;
        QTest::newRow("torn last record")
            << inventoryRecord("A", "X", 100) + inventoryRecord("B", "X", 200) + QByteArray(30, 'z')
            << QByteArray() << true << 2;
        QTest::newRow("shorter than one")
            << QByteArray(50, 'q') << customRecord("C", 1).left(20) << true << 0;
        QTest::newRow("custom only")
            << QByteArray() << customRecord("C", 1) + customRecord("D", 2) << true << 2;
    }
    void hostileFiles() {
        QFETCH(QByteArray, inventory);
        QFETCH(QByteArray, custom);
        QFETCH(bool, exist);
        QFETCH(int, count);
        TempApp app;
        if (!inventory.isNull()) {
            app.write(kInventory, inventory);
        }
        if (!custom.isNull()) {
            app.write(kCustom, custom);
        }
        ItemCatalog items;
        items.LoadItems(*app.ctx);
        QCOMPARE(items.itemsExist(), exist);
        QCOMPARE(items.unsorted().size(), count);
        QCOMPARE(items.prices().size(), count);
        QCOMPARE(items.sorted().size(), count);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    // The first of two items of the same name gives the price.
    void duplicateDescriptions() {
        TempApp app;
        app.write(kInventory,
                  inventoryRecord("Nails", "", 500) + inventoryRecord("Nails", "", 900));
        ItemCatalog items;
        items.LoadItems(*app.ctx);
        QCOMPARE(items.priceOf(QStringLiteral("Nails")), Money::fromCents(5));
        QVERIFY(items.categories().isEmpty());
        QVERIFY(!items.priceOf(QStringLiteral("Screws")));
    }

    void saveNewItemCreatesTheFile() {
        TempApp app;
        app.prompter.expectMessage(
            QStringLiteral("A very long description that runs past fifty chara has been "
                           "added\r\nUse the Inventory Program to \r\nenter all fields for "
                           "this item"),
            kTitle);
        app.prompter.expectMessage(QStringLiteral("Item Has been Saved to Inventory File"), kTitle);
        QVERIFY(SaveNewItem(*app.ctx, QStringLiteral("A category name longer than twenty"),
                            QStringLiteral("A very long description that runs past fifty "
                                           "characters"),
                            QStringLiteral("3")));
        QCOMPARE(app.read(kInventory),
                 inventoryRecord("A very long description that runs past fifty chara",
                                 "A category name long", 0, 30000));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void saveNewItemRefused_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        QTest::newRow("no description")
            << QStringLiteral("  ") << QStringLiteral("$1.00") << ItemMessages::noDescription();
        QTest::newRow("letters") << QStringLiteral("Nails") << QStringLiteral("cheap")
                                 << ItemMessages::noPrice();
    }
    void saveNewItemRefused() {
        QFETCH(QString, description);
        QFETCH(QString, price);
        QFETCH(QString, message);
        TempApp app;
        app.prompter.expectMessage(message, kTitle);
        QVERIFY(!SaveNewItem(*app.ctx, QStringLiteral("Misc"), description, price));
        QVERIFY(!app.exists(kInventory));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }
};

TOLVAR_TEST(TestItems)
#include "test_items.moc"
