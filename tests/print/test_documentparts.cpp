#include "casefile.h"
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
    // The cases: tests/data/print/business_blocks.txt.
    void businessBlockLines_data() { cases::load(QStringLiteral("print/business_blocks.txt")); }
    void businessBlockLines() {
        const cases::Row c = cases::row();
        Rig rig;
        BusinessInfo b = business(c.list(0), c.yes(1));
        b.webAddress = c.text(2).isEmpty() ? std::nullopt : std::optional(c.text(2));
        PrintBusinessBlock(rig.pen, b, 1.0f, 0.8f, 12);
        QCOMPARE(rig.printed(), c.list(3));
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

    void longCompanyNamePrintsAtTen() {
        for (const auto& [length, size] : QList<std::pair<int, int>>{{25, 12}, {26, 10}}) {
            Rig rig;
            const QString name(length, QLatin1Char('N'));
            PrintBusinessBlock(rig.pen, business({name, "1 Road"}, true), 0.75f, 0.5f, 12);
            const RecordedText t = rig.rec->first(name);
            QCOMPARE(t.font, (PrintFont{QStringLiteral("Arial"), size, true, false}));
            QCOMPARE(t.at, QPoint(1080, 720));
        }
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
        // Taller than 1800 twips prints 1800 high.
        logo.height = 1801;
        PrintLogo(rig.pen, logo, 0.1f);
        logo.height = 1799;
        PrintLogo(rig.pen, logo, 0.1f);
        QCOMPARE(rig.rec->pictures[1].target.height(), 1800);
        QCOMPARE(rig.rec->pictures[2].target.height(), 1799);
    }
};

TOLVAR_TEST(TestDocumentParts)
#include "test_documentparts.moc"
