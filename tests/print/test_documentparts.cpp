#include "print/documentparts.h"
#include "print/recordingdevice.h"
#include "testmain.h"

#include <QTest>

namespace {
struct Rig {
    std::shared_ptr<Recording> rec = std::make_shared<Recording>();
    RecordingDevice device{rec};
    PrintPen pen{device, PrintStyle()};
    QStringList printed() const {
        QStringList out;
        for (const RecordedText& t : rec->texts) {
            out << t.text;
        }
        return out;
    }
};

BusinessInfo business(const QStringList& fields, bool usa) {
    BusinessInfo b;
    b.fields = fields;
    b.usaStyle = usa;
    return b;
}
}  // namespace

class TestDocumentParts : public QObject {
    Q_OBJECT
private slots:
    void businessBlockLines_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("usa");
        QTest::addColumn<QString>("web");
        QTest::addColumn<QStringList>("lines");
        const QStringList full{QStringLiteral("Harbor Roofing"),
                               QStringLiteral("12 Dock St"),
                               QStringLiteral("Suite 4"),
                               QStringLiteral("Portland"),
                               QStringLiteral("ME"),
                               QStringLiteral("04101"),
                               QStringLiteral("207-555-0100"),
                               QStringLiteral("ABN 123"),
                               QStringLiteral("Licensed")};
        QTest::newRow("usa, everything") << full << true << QStringLiteral("www.harbor.example")
                                         << QStringList{QStringLiteral("Harbor Roofing"),
                                                        QStringLiteral("12 Dock St"),
                                                        QStringLiteral("Suite 4"),
                                                        QStringLiteral("Portland, ME. 04101"),
                                                        QStringLiteral("Telephone: 207-555-0100"),
                                                        QStringLiteral("ABN 123"),
                                                        QStringLiteral("Licensed"),
                                                        QStringLiteral("www.harbor.example")};
        QStringList noState = full;
        noState[4].clear();
        noState[2].clear();
        noState[6].clear();
        noState[7].clear();
        QTest::newRow("usa, no state drops the postal code")
            << noState << true << QString()
            << QStringList{QStringLiteral("Harbor Roofing"), QStringLiteral("12 Dock St"),
                           QStringLiteral("Portland, "), QStringLiteral("Licensed")};
        QStringList onlyState = full;
        onlyState[3].clear();
        QTest::newRow("usa, no city") << onlyState << true << QString()
                                      << QStringList{QStringLiteral("Harbor Roofing"),
                                                     QStringLiteral("12 Dock St"),
                                                     QStringLiteral("Suite 4"),
                                                     QStringLiteral("ME. 04101"),
                                                     QStringLiteral("Telephone: 207-555-0100"),
                                                     QStringLiteral("ABN 123"),
                                                     QStringLiteral("Licensed")};
        QTest::newRow("international") << full << false << QString()
                                       << QStringList{QStringLiteral("Harbor Roofing"),
                                                      QStringLiteral("12 Dock St"),
                                                      QStringLiteral("Suite 4"),
                                                      QStringLiteral("Portland"),
                                                      QStringLiteral("ME"),
                                                      QStringLiteral("Telephone: 207-555-0100"),
                                                      QStringLiteral("ABN 123"),
                                                      QStringLiteral("Licensed")};
        QTest::newRow("too few fields") << QStringList{QStringLiteral("Solo")} << true << QString()
                                        << QStringList{QStringLiteral("Solo")};
    }
    void businessBlockLines() {
        QFETCH(QStringList, fields);
        QFETCH(bool, usa);
        QFETCH(QString, web);
        QFETCH(QStringList, lines);
        Rig rig;
        BusinessInfo b = business(fields, usa);
        if (!web.isEmpty()) {
            b.webAddress = web;
        }
        PrintBusinessBlock(rig.pen, b, 1.0f, 0.8f, 12);
        QCOMPARE(rig.printed(), lines);
        const int nameHeight = rig.device.textHeight(rig.rec->texts.first().font);
        const int h = rig.device.textHeight(PrintFont{QStringLiteral("Arial"), 10, false, false});
        QCOMPARE(rig.rec->texts.first().at, QPoint(1440, 1152));
        QCOMPARE(rig.rec->texts.first().font,
                 (PrintFont{QStringLiteral("Arial"), 12, true, false}));
        // Lines that are left out take no room.
        int expectedY = 1152 + nameHeight;
        for (int i = 1; i < rig.rec->texts.size(); ++i) {
            QCOMPARE(rig.rec->texts[i].at, QPoint(1440, expectedY));
            QCOMPARE(rig.rec->texts[i].font,
                     (PrintFont{QStringLiteral("Arial"), 10, false, false}));
            expectedY += h;
        }
    }

    void longCompanyNamePrintsAtTen_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("size");
        QTest::newRow("25 keeps 12") << 25 << 12;
        QTest::newRow("26 prints 10") << 26 << 10;
        QTest::newRow("40 prints 10") << 40 << 10;
    }
    void longCompanyNamePrintsAtTen() {
        QFETCH(int, length);
        QFETCH(int, size);
        Rig rig;
        const QString name = QString(length, QLatin1Char('N'));
        PrintBusinessBlock(rig.pen, business({name, QStringLiteral("1 Road")}, true), 0.75f, 0.5f,
                           12);
        const RecordedText t = rig.rec->first(name);
        QCOMPARE(t.font, (PrintFont{QStringLiteral("Arial"), size, true, false}));
        QCOMPARE(t.at, QPoint(1080, 720));
    }

    void logoCentredOrLeftOut() {
        Rig rig;
        LogoInfo none;
        PrintLogo(rig.pen, none, 0.5f);
        QVERIFY(rig.rec->pictures.isEmpty());
        QCOMPARE(rig.pen.y(), 720);
        LogoInfo logo;
        logo.picture = QImage(8, 8, QImage::Format_ARGB32);
        logo.width = 2880;
        logo.height = 1800;
        PrintLogo(rig.pen, logo, 0.1f);
        QCOMPARE(rig.rec->pictures.size(), 1);
        QCOMPARE(rig.rec->pictures[0].target, QRect(4320, 144, 2880, 1800));
        QCOMPARE(rig.rec->pictures[0].pictureSize, QSize(8, 8));
    }
};

TOLVAR_TEST(TestDocumentParts)
#include "test_documentparts.moc"
