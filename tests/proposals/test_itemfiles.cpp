#include "proposals/itemfiles.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {

const QString kInventory = QStringLiteral("TIInventoriedItems.txt");
const QString kCustom = QStringLiteral("CustomItems.txt");

QByteArray padded(const QByteArray& text, int width) {
    return text + QByteArray(width - text.size(), ' ');
}

// An inventory record as the separate inventory program lays it out: text,
// text, four money and number fields in little-endian order.
QByteArray inventoryRecord(const QByteArray& description, const QByteArray& category,
                           const char* firstMoneyHex, const char* secondMoneyHex) {
    return padded(description, 50) + padded(category, 20) + QByteArray::fromHex(firstMoneyHex) +
           QByteArray::fromHex(secondMoneyHex) + QByteArray::fromHex("0000") +
           QByteArray::fromHex("0000000000000000") + QByteArray::fromHex("00000000") +
           QByteArray::fromHex("0000") + QByteArray::fromHex("0000");
}

// The record the writer appends for "Copper Pipe" / "Plumbing" at $12.50:
// 125000 ten-thousandths = 0x0001E848 in the second money field.
const QByteArray kCopperPipe =
    inventoryRecord("Copper Pipe", "Plumbing", "0000000000000000", "48e8010000000000");

// Ten stock items priced $45.25 (452500 = 0x0006E794) in the first money field.
QByteArray tenStockItems() {
    QByteArray all;
    for (int i = 0; i < 10; ++i) {
        all += inventoryRecord("Item " + QByteArray::number(i), i < 5 ? "Roofing" : "Siding",
                               "94e7060000000000", "ffffffffffffffff");
    }
    return all;
}

// "Service Call" at $75.00 (750000 = 0x000B71B0); the unused fields hold
// whatever the other program left there.
const QByteArray kServiceCall =
    padded("Service Call", 50) + QByteArray::fromHex("b0710b0000000000") +
    QByteArray::fromHex("0102030405060708") + QByteArray::fromHex("deadbeef");

}  // namespace

class TestItemFiles : public QObject {
    Q_OBJECT
private slots:
    void appendToNewFile() {
        TempApp app;
        int number = 0;
        QVERIFY(ItemFiles::appendInventory(app.ctx->store(), QStringLiteral("Copper Pipe"),
                                           QStringLiteral("Plumbing"), Money::fromCents(1250),
                                           &number));
        QCOMPARE(number, 1);
        QCOMPARE(app.read(kInventory), kCopperPipe);
        const QList<ItemFiles::InventoryItem> items = ItemFiles::readInventory(app.ctx->store());
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.at(0).description, QStringLiteral("Copper Pipe"));
        QCOMPARE(items.at(0).category, QStringLiteral("Plumbing"));
        QCOMPARE(items.at(0).unitPrice, Money());
        QCOMPARE(items.at(0).typedPrice, Money::fromCents(1250));
        // The bytes rebuilt from what was read are the bytes on disk.
        QCOMPARE(ItemFiles::newInventoryRecord(items.at(0).description, items.at(0).category,
                                               items.at(0).typedPrice)
                     .bytes(),
                 kCopperPipe);
    }

    void appendAfterTenRecords() {
        TempApp app;
        const QByteArray ten = tenStockItems();
        QCOMPARE(ten.size(), 1040);
        app.write(kInventory, ten);
        int number = 0;
        QVERIFY(ItemFiles::appendInventory(app.ctx->store(), QStringLiteral("Copper Pipe"),
                                           QStringLiteral("Plumbing"), Money::fromCents(1250),
                                           &number));
        QCOMPARE(number, 11);
        const QByteArray after = app.read(kInventory);
        QCOMPARE(after.size(), 1144);
        QCOMPARE(after.left(1040), ten);
        QCOMPARE(after.mid(1040), kCopperPipe);
    }

    void readsStockItems() {
        TempApp app;
        app.write(kInventory, tenStockItems());
        ItemFiles::Reading reading;
        const QList<ItemFiles::InventoryItem> items =
            ItemFiles::readInventory(app.ctx->store(), &reading);
        QVERIFY(reading.found);
        QVERIFY(!reading.partialRecord);
        QCOMPARE(items.size(), 10);
        QCOMPARE(items.at(7).description, QStringLiteral("Item 7"));
        QCOMPARE(items.at(7).category, QStringLiteral("Siding"));
        QCOMPARE(items.at(7).unitPrice, Money::fromCents(4525));
        QCOMPARE(items.at(7).typedPrice, Money::fromRaw(-1));
    }

    void longAndWesternTexts() {
        TempApp app;
        const QString longName =
            QStringLiteral("Caf\u00e9 counter, ") + QString(60, QLatin1Char('x'));
        QVERIFY(ItemFiles::appendInventory(app.ctx->store(), longName,
                                           QStringLiteral("Int\u00e9rieur"), Money(), nullptr));
        const QByteArray bytes = app.read(kInventory);
        QCOMPARE(bytes.size(), 104);
        QCOMPARE(bytes.left(50), QByteArray("Caf\xe9 counter, ") + QByteArray(36, 'x'));
        QCOMPARE(bytes.mid(50, 20), padded("Int\xe9rieur", 20));
        const QList<ItemFiles::InventoryItem> items = ItemFiles::readInventory(app.ctx->store());
        QCOMPARE(items.at(0).description, longName.left(50));
    }

    void hostileInventory_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("partial");
        QTest::newRow("empty") << QByteArray() << 0 << false;
        QTest::newRow("less than one record") << kCopperPipe.left(50) << 0 << true;
        QTest::newRow("half a record over") << tenStockItems() + kCopperPipe.left(52) << 10 << true;
    }
    void hostileInventory() {
        QFETCH(QByteArray, bytes);
        TempApp app;
        app.write(kInventory, bytes);
        ItemFiles::Reading reading;
        const QList<ItemFiles::InventoryItem> items =
            ItemFiles::readInventory(app.ctx->store(), &reading);
        QVERIFY(reading.found);
        QTEST(int(items.size()), "records");
        QTEST(reading.partialRecord, "partial");
        for (const ItemFiles::InventoryItem& item : items) {
            QVERIFY(item.description == item.description.trimmed());
        }
    }

    // A torn record in the other program's file is left for that program.
    void appendRefusedToTornFile() {
        TempApp app;
        const QByteArray torn = tenStockItems() + kCopperPipe.left(30);
        app.write(kInventory, torn);
        int number = -1;
        const IoStatus s = ItemFiles::appendInventory(app.ctx->store(), QStringLiteral("X"),
                                                      QStringLiteral("Y"), Money(), &number);
        QVERIFY(!s.ok());
        QVERIFY(s.file().endsWith(kInventory));
        QCOMPARE(number, -1);
        QCOMPARE(app.read(kInventory), torn);
    }

    void missingFilesAreEmpty() {
        TempApp app;
        ItemFiles::Reading reading;
        reading.found = true;
        QVERIFY(ItemFiles::readInventory(app.ctx->store(), &reading).isEmpty());
        QVERIFY(!reading.found);
        QVERIFY(reading.status.ok());
        reading.found = true;
        QVERIFY(ItemFiles::readCustom(app.ctx->store(), &reading).isEmpty());
        QVERIFY(!reading.found);
        QVERIFY(!app.exists(kInventory));
        QVERIFY(!app.exists(kCustom));
    }

    void customItems_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("partial");
        QTest::newRow("one") << kServiceCall << 1 << false;
        QTest::newRow("torn second") << kServiceCall + kServiceCall.left(69) << 1 << true;
        QTest::newRow("empty") << QByteArray() << 0 << false;
    }
    void customItems() {
        QFETCH(QByteArray, bytes);
        TempApp app;
        app.write(kCustom, bytes);
        ItemFiles::Reading reading;
        const QList<ItemFiles::CustomItem> items =
            ItemFiles::readCustom(app.ctx->store(), &reading);
        QTEST(int(items.size()), "records");
        QTEST(reading.partialRecord, "partial");
        for (const ItemFiles::CustomItem& item : items) {
            QCOMPARE(item.description, QStringLiteral("Service Call"));
            QCOMPARE(item.unitPrice, Money::fromCents(7500));
        }
        QCOMPARE(app.read(kCustom), bytes);
    }
};

TOLVAR_TEST(TestItemFiles)
#include "test_itemfiles.moc"
