#include "casefile.h"
#include "print/printpen.h"
#include "print/recordingdevice.h"
#include "testmain.h"

#include <QTest>

namespace {
struct Rig {
    std::shared_ptr<Recording> rec = std::make_shared<Recording>();
    RecordingDevice device{rec};
    PrintPen pen;
    explicit Rig(PrintStyle style = PrintStyle()) : pen(device, std::move(style)) {}
    QPoint at() const { return {pen.x(), pen.y()}; }
};
}  // namespace

class TestPrintPen : public QObject {
    Q_OBJECT
private slots:
    void setupSetsOrientationColourFontAndInk_data() {
        cases::load(QStringLiteral("print/pen_setups.txt"));
    }
    void setupSetsOrientationColourFontAndInk() {
        const cases::Row c = cases::row();
        const bool colour = c.yes(1);
        const bool landscape = c.yes(2);
        Rig rig(PrintStyle{QStringLiteral("Courier New"), true, 255});
        rig.pen.setFontName(QStringLiteral("Times"));
        rig.pen.SetFont(14, true, true);
        rig.pen.setInk(Ink::Red);
        rig.pen.PrinterSetup(c.text(0), colour);
        QCOMPARE(rig.rec->landscape, landscape);
        QCOMPARE(rig.rec->colour, colour);
        QCOMPARE(rig.pen.font(), (PrintFont{QStringLiteral("Courier New"), 14, false, false}));
        QCOMPARE(rig.pen.ink(), Ink::Black);
        QCOMPARE(QSize(rig.pen.printableWidth(), rig.pen.printableHeight()),
                 landscape ? LetterPrintable.transposed() : LetterPrintable);
    }

    // SetPos moves only along positive coordinates; SetFont keeps the size for 0 or less.
    void positionAndFont() {
        Rig rig;
        QList<QPoint> points;
        for (const auto& [x, y] : QList<std::pair<float, float>>{
                 {0, 2.5f}, {-1, -1}, {6.1f, 0}, {0.75f, 8.3f}, {0.001f, 0.001f}}) {
            rig.pen.moveTo(100, 200);
            rig.pen.SetPos(x, y);
            points << rig.at();
        }
        QCOMPARE(points,
                 (QList<QPoint>{{100, 3600}, {100, 200}, {8784, 200}, {1080, 11952}, {1, 1}}));
        rig.pen.SetFont(12, false, true);
        rig.pen.SetFont(0, true, false);
        QCOMPARE(rig.pen.font(), (PrintFont{QStringLiteral("Arial"), 12, true, false}));
        rig.pen.SetFont(-3, false, true);
        rig.pen.SetFont(8, false, true);
        QCOMPARE(rig.pen.font(), (PrintFont{QStringLiteral("Arial"), 8, false, true}));
    }

    void printColourFollowsColourOption_data() {
        cases::load(QStringLiteral("print/pen_inks.txt"));
    }
    void printColourFollowsColourOption() {
        const cases::Row c = cases::row();
        Rig rig(PrintStyle{QStringLiteral("Arial"), c.yes(0), 32768});
        rig.pen.setInk(Ink::Red);
        rig.pen.SetPrintColour(c.yes(1));
        rig.pen.print(QStringLiteral("inked"));
        QCOMPARE(rig.rec->first(QStringLiteral("inked")).ink, quint32(c.big(2)));
    }

    void itemsOnTheSameLineAndAsLines() {
        Rig rig;
        rig.pen.moveTo(1440, 720);
        rig.pen.print(QStringLiteral("Page # "));
        const int after = 1440 + rig.pen.textWidth(QStringLiteral("Page # "));
        QCOMPARE(rig.at(), QPoint(after, 720));
        rig.pen.printLine(PrintPen::numberItem(1));
        QCOMPARE(rig.rec->first(QStringLiteral(" 1 ")).at, QPoint(after, 720));
        QCOMPARE(rig.at(), QPoint(0, 720 + rig.pen.lineHeight()));
        rig.pen.printLine();
        QCOMPARE(rig.pen.y(), 720 + 2 * rig.pen.lineHeight());
        QCOMPARE(rig.rec->texts.size(), 2);  // an empty line draws nothing
        QCOMPARE(QStringList({PrintPen::numberItem(1001), PrintPen::numberItem(0),
                              PrintPen::numberItem(-5)}),
                 QStringList({" 1001 ", " 0 ", "-5 "}));
    }

    void linesAndBoxesMoveThePenToTheirEnd() {
        Rig rig;
        rig.pen.setLineWidth(2);
        rig.pen.setInk(Ink::DarkBlue);
        rig.pen.box(1080, 2160, 5400, 3600);
        QCOMPARE(rig.at(), QPoint(5400, 3600));
        rig.pen.line(1600, 4500, 10650, 4500);
        QCOMPARE(rig.at(), QPoint(10650, 4500));
        QCOMPARE(rig.rec->lines.size(), 2);
        QVERIFY(rig.rec->lines[0].box && !rig.rec->lines[1].box);
        QCOMPARE(rig.rec->lines[0].width, 2);
        QCOMPARE(rig.rec->lines[0].ink, Ink::DarkBlue);
    }

    // The page started after the last one is never output; blank pages
    // between two new pages are.
    void pages() {
        Rig rig;
        rig.pen.print(QStringLiteral("a"));
        rig.pen.newPage();
        rig.pen.newPage();
        QCOMPARE(rig.at(), QPoint(0, 0));
        rig.pen.print(QStringLiteral("c"));
        rig.pen.newPage();
        QCOMPARE(rig.pen.pageCounter(), 4);
        QCOMPARE(rig.rec->pages, 3);
        QCOMPARE(rig.rec->first(QStringLiteral("c")).page, 3);
    }

    void inkColoursConvertToQt() {
        QList<QColor> colours;
        for (quint32 ink : {Ink::Black, Ink::Blue, Ink::DarkBlue, Ink::Red, quint32(0x123456)}) {
            colours << QColor(Ink::toRgb(ink));
        }
        QCOMPARE(colours, (QList<QColor>{QColor(0, 0, 0), QColor(0, 0, 255), QColor(0, 0, 128),
                                         QColor(255, 0, 0), QColor(0x56, 0x34, 0x12)}));
    }
};

TOLVAR_TEST(TestPrintPen)
#include "test_printpen.moc"
