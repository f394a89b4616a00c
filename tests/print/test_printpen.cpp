#include "cases.h"
#include "print/documentparts.h"
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
    QStringList printed() const {
        QStringList out;
        for (const RecordedText& t : rec->texts) {
            out << t.text;
        }
        return out;
    }
};

// The pen of a proposal's body column: portrait, in colour, at 8 points.
struct BodyRig : Rig {
    BodyRig() {
        pen.PrinterSetup(QStringLiteral("Portrait"), true);
        pen.SetFont(8, false, false);
    }
};

PrintFont arial(int size, bool bold = false) {
    return PrintFont{QStringLiteral("Arial"), size, bold, false};
}
}  // namespace

class TestPrintPen : public QObject {
    Q_OBJECT
private slots:
    void setupSetsOrientationColourFontAndInk_data() { cases::load("print/pen_setups.txt"); }
    void setupSetsOrientationColourFontAndInk() {
        const cases::Row c = cases::row();
        const bool colour = c.yes(1);
        const bool landscape = c.yes(2);
        Rig rig(PrintStyle{QStringLiteral("Courier New"), true, 255});
        rig.pen.setFontName(QStringLiteral("Times"));
        rig.pen.SetFont(14, true, true);
        rig.pen.setInk(Ink::Red);
        rig.pen.PrinterSetup(c.text(0), colour);
        QCOMPARE(
            std::tuple(rig.rec->landscape, rig.rec->colour, rig.pen.font(), rig.pen.ink(),
                       QSize(rig.pen.printableWidth(), rig.pen.printableHeight())),
            std::tuple(landscape, colour, PrintFont{QStringLiteral("Courier New"), 14}, Ink::Black,
                       landscape ? LetterPrintable.transposed() : LetterPrintable));
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
        QCOMPARE(rig.pen.font(), arial(12, true));
        rig.pen.SetFont(-3, false, true);
        QCOMPARE(rig.pen.font(), (PrintFont{QStringLiteral("Arial"), 12, false, true}));
    }

    void printColourFollowsColourOption_data() { cases::load("print/pen_inks.txt"); }
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
        QCOMPARE(std::tuple(rig.rec->lines[0].box, rig.rec->lines[1].box, rig.rec->lines[0].width,
                            rig.rec->lines[0].ink),
                 std::tuple(true, false, 2, Ink::DarkBlue));
        QCOMPARE(QColor(Ink::toRgb(Ink::DarkBlue)), QColor(0, 0, 128));  // stored as BGR
        QCOMPARE(QColor(Ink::toRgb(0x123456u)), QColor(0x56, 0x34, 0x12));
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

    void wrapsAtBlanks_data() { cases::load("print/wrapped_lines.txt"); }
    void wrapsAtBlanks() {
        const cases::Row c = cases::row();
        const QStringList lines = c.list(3);
        BodyRig rig;
        const int width = rig.pen.textWidth(c.text(1)) + c.number(2);
        rig.pen.SetFont(c.number(4), c.yes(5), false);
        rig.pen.PrintWrapped(2664, 4176, width, c.text(0));
        QCOMPARE(rig.printed(), lines);
        QVERIFY(lines.isEmpty() || rig.rec->texts.first().font == arial(c.number(4), c.yes(5)));
        const int h = rig.pen.lineHeight();
        for (int i = 0; i < rig.rec->texts.size(); ++i) {
            QCOMPARE(rig.rec->texts[i].at, QPoint(2664, 4176 + i * h));
        }
        QCOMPARE(rig.at(),
                 QPoint(0, 4176 + int(qMax<qsizetype>(1, lines.size())) * h));  // "" takes a line
    }

    // A bold name at 12 points (10 when longer than 25 letters), then the
    // lines at 10 points; lines that are left out take no room.
    void businessBlockLines_data() { cases::load("print/business_blocks.txt"); }
    void businessBlockLines() {
        const cases::Row c = cases::row();
        Rig rig;
        const BusinessInfo b{
            .fields = c.list(0),
            .usaStyle = c.yes(1),
            .webAddress = c.text(2).isEmpty() ? std::nullopt : std::optional(c.text(2))};
        PrintBusinessBlock(rig.pen, b, 1.0f, 0.8f, 12);
        QCOMPARE(rig.printed(), c.list(3));
        int y = 1152;
        for (const RecordedText& t : rig.rec->texts) {
            const PrintFont font =
                &t == &rig.rec->texts.first() ? arial(c.number(4), true) : arial(10);
            QCOMPARE(t.font, font);
            QCOMPARE(t.at, QPoint(1440, y));
            y += rig.device.textHeight(font);
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
        // Taller than 1800 twips prints 1800 high.
        QList<QRect> targets;
        for (const int height : {1800, 1801, 1799}) {
            logo.height = height;
            PrintLogo(rig.pen, logo, 0.1f);
            targets << rig.rec->pictures.value(targets.size()).target;
        }
        const QRect full(4320, 144, 2880, 1800);
        QCOMPARE(targets, (QList<QRect>{full, full, full.adjusted(0, 0, 0, -1)}));
        QCOMPARE(rig.rec->pictures[0].pictureSize, QSize(8, 8));
    }
};

TOLVAR_TEST(TestPrintPen)
#include "test_printpen.moc"
