#include "settings/settings.h"
#include "testmain.h"
#include "ui/gridwheel.h"
#include "uitesthelpers.h"

class TestCustomerWindow : public QObject {
    Q_OBJECT
private slots:
    // Flows of the customer screen in either address style, for a business
    // whose telephone area code a new customer's number starts with.
    void flows_data() {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<bool>("usa");
        for (const char* flow :
             {"first-customer", "customer-file-emptied", "customer-nav-usa", "customer-search",
              "customer-delete", "customer-aux", "customer-list", "customer-dial"}) {
            QTest::newRow(flow) << QString::fromLatin1(flow) << true;
        }
        QTest::newRow("customer-nav-international") << "customer-nav-international" << false;
        QTest::newRow("customer-key-filter") << "customer-key-filter" << false;
    }
    void flows() {
        UiRig rig;
        rig.ctx.vars().BusinessData =
            QStringList{"Acme", "1 Elm", "", "Troy", "NY", "12180", "555-123-9999", "", ""};
        rig.ctx.settings().addressStyle =
            fetched<bool>("usa") ? AddressStyle::Usa : AddressStyle::International;
        rig.flow(fetched<QString>("flow"));
    }

    void wheelScrollsAWholeGrid() {
        // Down by what fits, at least ten, up not above row 1, down not past the last.
        QCOMPARE((QList<int>{WheelFirstRow(0, 25, 100, false), WheelFirstRow(30, 4, 100, false),
                             WheelFirstRow(6, 25, 100, true), WheelFirstRow(90, 25, 100, false)}),
                 (QList<int>{25, 40, 0, 99}));
    }
};

TOLVAR_TEST(TestCustomerWindow)
#include "test_customerwindow.moc"
