#include "customers/customerlist.h"
#include "print/recordingdevice.h"
#include "scriptedprompter.h"
#include "testmain.h"

#include <QTest>

namespace {
const PrintFont Regular10{QStringLiteral("Arial"), 10, false, false};

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
    return d.textHeight(Regular10);
}
}  // namespace

class TestCustomerList : public QObject {
    Q_OBJECT
private slots:
    void sevenCustomersInThreeRows_data() {
        QTest::addColumn<bool>("usa");
        QTest::addColumn<int>("rowLines");
        QTest::newRow("usa") << true << 5;
        QTest::newRow("international") << false << 6;
    }
    void sevenCustomersInThreeRows() {
        QFETCH(bool, usa);
        QFETCH(int, rowLines);
        const auto rec = record(customers(7, usa));
        QVERIFY(rec->landscape);
        QCOMPARE(rec->pages, 1);
        const int h = lineHeight();
        const int columns[] = {1440, 5760, 10080};
        for (int i = 0; i < 7; ++i) {
            const RecordedText name = rec->first(QStringLiteral("Customer %1").arg(i + 1));
            QCOMPARE(name.at, QPoint(columns[i % 3], 3240 + (i / 3) * rowLines * h));
            QCOMPARE(name.font, Regular10);
            const RecordedText phone =
                rec->first(QStringLiteral("555-%1").arg(i + 1, 4, 10, QLatin1Char('0')));
            QCOMPARE(phone.at, QPoint(name.at.x(), name.at.y() + (usa ? 3 : 4) * h));
        }
        if (usa) {
            QCOMPARE(rec->first(QStringLiteral("Town2, ST Z2")).at, QPoint(5760, 3240 + 2 * h));
        } else {
            QCOMPARE(rec->first(QStringLiteral("Town2")).at, QPoint(5760, 3240 + 2 * h));
            QCOMPARE(rec->first(QStringLiteral("Z2")).at, QPoint(5760, 3240 + 3 * h));
        }
    }

    void headingOfEveryPage() {
        const auto rec = record(customers(60, true));
        QVERIFY(rec->pages > 1);
        for (int page = 1; page <= rec->pages; ++page) {
            const QList<RecordedText> texts = rec->textsOn(page);
            auto has = [&](const QString& s) {
                return std::find_if(texts.begin(), texts.end(), [&](const RecordedText& t) {
                           return t.text == s;
                       }) != texts.end();
            };
            QVERIFY(has(QStringLiteral("Account Information")));
            QVERIFY(has(QStringLiteral("Harbor Roofing")));
            QVERIFY(has(QStringLiteral("12/5/2026")));
        }
        const RecordedText title = rec->first(QStringLiteral("Account Information"));
        QCOMPARE(title.at, QPoint((LetterPrintable.height() - title.width) / 2, 720));
        QCOMPARE(title.font, (PrintFont{QStringLiteral("Arial"), 14, true, true}));
        QCOMPARE(rec->first(QStringLiteral("12/5/2026")).at, QPoint(12960, 720));
        QCOMPARE(rec->first(QStringLiteral("Harbor Roofing")).at, QPoint(1440, 1152));
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
        for (int i = 1; i <= count; ++i) {
            const RecordedText name = rec->first(QStringLiteral("Customer %1").arg(i));
            const RecordedText phone =
                rec->first(QStringLiteral("555-%1").arg(i, 4, 10, QLatin1Char('0')));
            QCOMPARE(name.page, (i - 1) / perPage + 1);
            QCOMPARE(phone.page, name.page);
            QVERIFY(phone.at.y() + h <= foot);
            QCOMPARE(name.at.y(), 3240 + ((i - 1) % perPage) / 3 * rowLines * h);
        }
    }

    void emptyAddressKeepsItsLine() {
        CustomerListInput in = customers(2, true);
        in.customers[0].address1.clear();
        const auto rec = record(in);
        const int h = lineHeight();
        QCOMPARE(rec->first(QStringLiteral("555-0001")).at.y(), 3240 + 3 * h);
        QCOMPARE(rec->first(QStringLiteral("Town1, ST Z1")).at.y(), 3240 + 2 * h);
    }

    void noCustomersStillPrintsTheHeading() {
        const auto rec = record(customers(0, true));
        QCOMPARE(rec->pages, 1);
        QVERIFY(rec->contains(QStringLiteral("Account Information")));
        QVERIFY(rec->ended);
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
                                QStringLiteral("Customer Report"), Buttons::YesNo, answer);
        if (answer == Answer::Yes) {
            prompter.expectPrintDialog(dialog);
        }
        if (!failure.isEmpty()) {
            prompter.expectMessage(QStringLiteral("A Print Error has occurred"),
                                   QStringLiteral("Print Error"));
        }
        QCOMPARE(int(PrintCustomerReport(prompter, target, customers(7, true))), outcome);
        QVERIFY2(prompter.done(), qPrintable(prompter.report()));
        QCOMPARE(target.jobs().size(), jobs);
        if (jobs) {
            QVERIFY(target.requests().first().landscape);
            QVERIFY(target.jobs().first()->contains(QStringLiteral("Customer 7")));
        }
    }
};

TOLVAR_TEST(TestCustomerList)
#include "test_customerlist.moc"
