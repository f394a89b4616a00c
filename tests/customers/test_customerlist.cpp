#include "customers/customerlist.h"
#include "print/recordingdevice.h"
#include "scriptedprompter.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {

CustomerListInput customers(int count, bool usa) {
    CustomerListInput in;
    in.business.fields = {QStringLiteral("Harbor Roofing"),
                          QStringLiteral("12 Dock St"),
                          QString(),
                          QStringLiteral("Portland"),
                          QStringLiteral("ME"),
                          QStringLiteral("04101"),
                          QStringLiteral("207-555-0100"),
                          QString(),
                          QString()};
    in.usaStyle = usa;
    in.today = QDate(2026, 12, 5);
    for (int i = 1; i <= count; ++i) {
        in.customers << CustomerListEntry{QStringLiteral("Customer %1").arg(i),
                                          QStringLiteral("%1 Main St").arg(i),
                                          QStringLiteral("Town%1").arg(i),
                                          QStringLiteral("ST"),
                                          QStringLiteral("Z%1").arg(i),
                                          QStringLiteral("555-%1").arg(i, 4, 10, QLatin1Char('0'))};
    }
    return in;
}

std::shared_ptr<Recording> record(const CustomerListInput& in) {
    auto rec = std::make_shared<Recording>();
    RecordingDevice device(rec);
    PrintCustomerList(device, in);
    return rec;
}

int lineHeight() {
    RecordingDevice d(std::make_shared<Recording>());
    return d.textHeight(PrintFont{});
}
}  // namespace

class TestCustomerList : public QObject {
    Q_OBJECT
private slots:
    // Every text of the page with its place, font and ink, against the
    // golden listing: the blocks, the heading and the business block.
    void sevenCustomersPage_data() {
        QTest::addColumn<bool>("usa");
        QTest::addColumn<QString>("file");
        QTest::newRow("usa") << true << QStringLiteral("customerlist-usa.txt");
        QTest::newRow("international") << false << QStringLiteral("customerlist-international.txt");
    }
    void sevenCustomersPage() {
        QFETCH(bool, usa);
        QFETCH(QString, file);
        CustomerListInput in = customers(7, usa);
        in.customers[0].address1.clear();  // an empty line keeps its place
        const auto rec = record(in);
        QVERIFY(rec->landscape && rec->ended);
        QCOMPARE(rec->pages, 1);
        QByteArray listing;
        for (const RecordedText& t : rec->texts) {
            listing += QStringLiteral("%1 %2 %3 %4 %5%6%7 %8 %9\n")
                           .arg(t.page)
                           .arg(t.at.x())
                           .arg(t.at.y())
                           .arg(t.font.name)
                           .arg(t.font.size)
                           .arg(QLatin1String(t.font.bold ? "b" : ""),
                                QLatin1String(t.font.underline ? "u" : ""))
                           .arg(t.ink, 6, 16, QLatin1Char('0'))
                           .arg(t.text)
                           .toUtf8();
        }
        QCOMPARE(listing, testData("customers/" + file));
    }

    void pageBreaksKeepBlocksWhole_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("usa");
        QTest::newRow("60 usa") << 60 << true;
        QTest::newRow("60 international") << 60 << false;
        QTest::newRow("1000 usa") << 1000 << true;
    }
    void pageBreaksKeepBlocksWhole() {
        QFETCH(int, count);
        QFETCH(bool, usa);
        const auto rec = record(customers(count, usa));
        const int h = lineHeight();
        const int foot = LetterPrintable.width();  // landscape height
        const int rowLines = usa ? 5 : 6;
        int rowsPerPage = 0;
        for (int y = 3240; y + 5 * h < foot || y == 3240; y += rowLines * h) {
            ++rowsPerPage;
        }
        const int perPage = 3 * rowsPerPage;
        QCOMPARE(rec->pages, (count + perPage - 1) / perPage);
        QCOMPARE(rec->find(QStringLiteral("Account Information")).size(), rec->pages);
        for (int i = 1; i <= count; ++i) {
            const RecordedText name = rec->first(QStringLiteral("Customer %1").arg(i));
            const RecordedText phone =
                rec->first(QStringLiteral("555-%1").arg(i, 4, 10, QLatin1Char('0')));
            QCOMPARE(name.page, (i - 1) / perPage + 1);
            QCOMPARE(phone.page, name.page);
            QVERIFY(phone.at.y() + h <= foot);
            QCOMPARE(name.at.y(), 3240 + ((i - 1) % perPage) / 3 * rowLines * h);
        }
        QCOMPARE(record(customers(perPage, usa))->pages, 1);  // no empty page after a full one
    }

    void reportFlow_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("jobs");
        QTest::newRow("printed") << Answer::Yes << true << QString()
                                 << int(CustomerReportOutcome::Printed) << 1;
        QTest::newRow("declined") << Answer::No << false << QString()
                                  << int(CustomerReportOutcome::Declined) << 0;
        QTest::newRow("dialog cancelled")
            << Answer::Yes << false << QString() << int(CustomerReportOutcome::Cancelled) << 0;
        QTest::newRow("printer off-line") << Answer::Yes << true << QStringLiteral("off-line")
                                          << int(CustomerReportOutcome::PrintError) << 1;
    }
    void reportFlow() {
        QFETCH(Answer, answer);
        QFETCH(bool, dialog);
        QFETCH(QString, failure);
        QFETCH(int, outcome);
        QFETCH(int, jobs);
        ScriptedPrompter prompter;
        RecordingTarget target;
        if (!failure.isEmpty()) {
            target.failEnding(failure);
        }
        prompter.expectQuestion(QStringLiteral("Click Yes to print a Customer Report"),
                                QStringLiteral("Customer Report"), Buttons::YesNo, Icon::Question,
                                answer);
        if (answer == Answer::Yes) {
            prompter.expectPrintDialog(dialog);
        }
        if (!failure.isEmpty()) {
            prompter.expectMessage(QStringLiteral("A Print Error has occurred"),
                                   QStringLiteral("Print Error"), Icon::Critical);
        }
        QCOMPARE(int(PrintCustomerReport(prompter, target, customers(7, true))), outcome);
        QCOMPARE(target.jobs().size(), jobs);
        if (jobs) {
            QVERIFY(target.requests().first().landscape);
            QVERIFY(target.jobs().first()->contains(QStringLiteral("Customer 7")));
        }
    }
};

TOLVAR_TEST(TestCustomerList)
#include "test_customerlist.moc"
