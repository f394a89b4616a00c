#include "customers/customerlist.h"
#include "customers/customerlistinput.h"
#include "customertesting.h"
#include "print/recordingdevice.h"
#include "scriptedprompter.h"
#include "settings/settings.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {

QString phone(int i) {
    return QStringLiteral("555-%1").arg(i, 4, 10, QLatin1Char('0'));
}

// Customers 1..count: "Customer N", "N Main St", "TownN", "ST", "ZN" and
// telephone 555-000N.
CustomerListInput customers(int count, bool usa) {
    CustomerListInput in;
    in.business.fields = {"Harbor Roofing", "12 Dock St",   "", "Portland", "ME",
                          "04101",          "207-555-0100", "", ""};
    in.usaStyle = usa;
    in.today = QDate(2026, 12, 5);
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        in.customers << CustomerListEntry{"Customer " + n, n + " Main St", "Town" + n, "ST",
                                          "Z" + n,         phone(i)};
    }
    return in;
}

std::shared_ptr<Recording> record(const CustomerListInput& in) {
    auto rec = std::make_shared<Recording>();
    RecordingDevice device(rec);
    PrintCustomerList(device, in);
    return rec;
}

}  // namespace

class TestCustomerList : public QObject {
    Q_OBJECT
private slots:
    // Every text of the page with its place, font and ink, against the
    // golden listing: the blocks, the heading and the business block.
    void sevenCustomersPage() {
        for (bool usa : {true, false}) {
            CustomerListInput in = customers(7, usa);
            in.customers[0].address1.clear();  // an empty line keeps its place
            const auto rec = record(in);
            QVERIFY(rec->landscape && rec->ended);
            QCOMPARE(rec->pages, 1);
            QByteArray listing;
            for (const RecordedText& t : rec->texts) {
                listing += QString::asprintf("%d %d %d %s %d%s%s %06x %s\n", t.page, t.at.x(),
                                             t.at.y(), qUtf8Printable(t.font.name), t.font.size,
                                             t.font.bold ? "b" : "", t.font.underline ? "u" : "",
                                             t.ink, qUtf8Printable(t.text))
                               .toUtf8();
            }
            QCOMPARE(listing,
                     golden(usa ? "customerlist-usa.txt" : "customerlist-international.txt"));
        }
    }

    // Seven rows of three blocks to a page in the USA style, six of the taller international ones.
    void pageBreaksKeepBlocksWhole() {
        for (const auto& [count, usa, perPage] :
             {std::tuple{60, true, 21}, std::tuple{60, false, 18}, std::tuple{1000, true, 21}}) {
            const auto rec = record(customers(count, usa));
            const int h = RecordingDevice(std::make_shared<Recording>()).textHeight(PrintFont{});
            const int foot = LetterPrintable.width();  // landscape height
            const int rowLines = usa ? 5 : 6;
            QCOMPARE(rec->pages, (count + perPage - 1) / perPage);
            QCOMPARE(rec->find("Account Information").size(), rec->pages);
            for (int i = 1; i <= count; ++i) {
                const RecordedText name = rec->first(QStringLiteral("Customer %1").arg(i));
                const RecordedText phone = rec->first(::phone(i));
                QCOMPARE(name.page, (i - 1) / perPage + 1);
                QCOMPARE(phone.page, name.page);
                QVERIFY(phone.at.y() + h <= foot);
                QCOMPARE(name.at.y(), 3240 + ((i - 1) % perPage) / 3 * rowLines * h);
            }
            QCOMPARE(record(customers(perPage, usa))->pages, 1);  // no empty page after a full one
        }
    }

    void reportFlow_data() { CaseFile::rows("customers/report.txt"); }
    void reportFlow() {
        const Answer answer = CaseFile::answer(CaseFile::field("answer"));
        const QString failure = CaseFile::field("failure");
        const int jobs = CaseFile::number("jobs");
        ScriptedPrompter prompter;
        RecordingTarget target;
        expect(prompter, "report", answer);
        if (answer == Answer::Yes) {
            prompter.expectPrintDialog(CaseFile::number("dialog"), CaseFile::number("copies"));
        }
        if (!failure.isEmpty()) {
            target.failEnding(failure);
            expect(prompter, "print error");
        }
        QCOMPARE(
            PrintCustomerReport(prompter, target, customers(7, true)),
            CaseFile::named<CustomerReportOutcome>(
                CaseFile::field("outcome"), {"Printed", "Declined", "Cancelled", "PrintError"}));
        QCOMPARE(target.jobs().size(), jobs);
        if (jobs) {
            QVERIFY(target.requests().first().landscape);
            QVERIFY(target.jobs().first()->contains("Customer 7"));
        }
    }

    void inputTakesSettingsAndToday() {
        TempApp app;
        Settings& s = app.ctx->settings();
        s.fontName = "Courier New";
        s.printInColour = false;
        s.borderColour = 255;
        s.addressStyle = AddressStyle::International;
        s.webAddress = "www.harbor.example";
        app.ctx->vars().BusinessData[0] = "Harbor Roofing";
        const CustomerListInput in = MakeCustomerListInput(*app.ctx, true, {});
        QCOMPARE(
            (QList<QVariant>{in.style.fontName, in.style.colour, in.style.borderColour,
                             in.business.usaStyle, in.business.fields.at(0),
                             in.business.webAddress.value_or(QString()), in.usaStyle, in.today}),
            (QList<QVariant>{"Courier New", false, 255, false, "Harbor Roofing",
                             "www.harbor.example", true, QDate(2026, 12, 5)}));
    }
};

TOLVAR_TEST(TestCustomerList)
#include "test_customerlist.moc"
