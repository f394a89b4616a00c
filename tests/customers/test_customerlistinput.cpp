#include "customers/customerlistinput.h"
#include "settings/settings.h"
#include "settings/settingsfiles.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
// Each block as its six printed fields joined by "|".
QStringList blocks(const QList<CustomerListEntry>& entries) {
    QStringList out;
    for (const CustomerListEntry& e : entries) {
        out << QStringList{e.accountName, e.address1,      e.cityOrAddress3,
                           e.state,       e.zipOrAddress4, e.phone}
                   .join(QLatin1Char('|'));
    }
    return out;
}

// tests/data/customers/customerlist.dat: five 328-byte records laid out by
// hand: a business whose name and Address 1 fill their fields to the last
// byte; an individual with Windows-1252 letters; a record of blanks; an
// international address with leading blanks; a record of zero bytes.
const QString kBlank = QStringLiteral("|||||");
const QString kHarbor = QStringLiteral(
    "Harbor Roofing Supply Company of South Maines|1234 Long Harbor Boulevard Extended|Portland|ME|"
    "04101-2233|207-555-0100");
const QString kNunez = QStringLiteral("Mr. José Núñez|Mainway Rd|Bangor|ME|04401|207-555-0123");
const QString kMaple =
    QStringLiteral("Maple Leaf Decks|88 Queen St W|Toronto||ON M5V 2T6|416-555-0142");
}  // namespace

class TestCustomerListInput : public QObject {
    Q_OBJECT
private slots:
    void readsEveryRecordInOrder_data() {
        QTest::addColumn<int>("length");  // bytes of the golden file kept; -1: no file
        QTest::addColumn<QStringList>("expected");
        const QStringList four{kHarbor, kNunez, kBlank, kMaple};
        QTest::newRow("five records") << 5 * 328 << (four + QStringList{kBlank});
        // 4.5 records round to even: the half record is not one.
        QTest::newRow("half a record more") << 4 * 328 + 164 << four;
        // Record 4 ends 3 bytes into its telephone field.
        QTest::newRow("last record short")
            << 3 * 328 + 210 << QStringList{kHarbor, kNunez, kBlank, kMaple.chopped(9)};
        QTest::newRow("empty file") << 0 << QStringList{};
        QTest::newRow("no customer file") << -1 << QStringList{};
    }
    void readsEveryRecordInOrder() {
        QFETCH(int, length);
        QFETCH(QStringList, expected);
        TempApp app;
        if (length >= 0) {
            app.write(QStringLiteral("CustomerData.txt"),
                      testData("customers/customerlist.dat").left(length));
        }
        const CustomerListRows rows = ReadCustomerListRows(app.ctx->store());
        QVERIFY(rows.status.ok());
        QCOMPARE(rows.noCustomerFile, length < 0);
        QCOMPARE(blocks(rows.entries), expected);
    }

    void inputTakesSettingsAndToday() {
        TempApp app;
        Settings& s = app.ctx->settings();
        s.fontName = QStringLiteral("Courier New");
        s.printInColour = false;
        s.borderColour = 255;
        s.addressStyle = AddressStyle::International;
        s.webAddress = QStringLiteral("www.harbor.example");
        app.ctx->vars().BusinessData[0] = QStringLiteral("Harbor Roofing");
        const CustomerListInput in = MakeCustomerListInput(*app.ctx, true, {});
        QCOMPARE((QStringList{in.style.fontName, QString::number(in.style.colour),
                              QString::number(in.style.borderColour),
                              QString::number(in.business.usaStyle), in.business.fields.at(0),
                              in.business.webAddress.value_or(QString()),
                              QString::number(in.usaStyle), in.today.toString(Qt::ISODate)}),
                 (QStringList{"Courier New", "0", "255", "0", "Harbor Roofing",
                              "www.harbor.example", "1", "2026-12-05"}));
    }
};

TOLVAR_TEST(TestCustomerListInput)
#include "test_customerlistinput.moc"
