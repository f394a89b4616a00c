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
};
}  // namespace

class TestPrintPen : public QObject {
    Q_OBJECT
private slots:
    void setupSetsOrientationColourFontAndInk_data() {
        QTest::addColumn<QString>("orientation");
        QTest::addColumn<bool>("colour");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait colour") << QStringLiteral("Portrait") << true << false;
        QTest::newRow("landscape mono") << QStringLiteral("Landscape") << false << true;
        QTest::newRow("any other word") << QStringLiteral("portrait") << false << true;
        QTest::newRow("empty") << QString() << true << true;
    }
    void setupSetsOrientationColourFontAndInk() {
        QFETCH(QString, orientation);
        QFETCH(bool, colour);
        QFETCH(bool, landscape);
        Rig rig(PrintStyle{QStringLiteral("Courier New"), true, 255});
        rig.pen.setFontName(QStringLiteral("Times"));
        rig.pen.SetFont(14, true, true);
        rig.pen.setInk(Ink::Red);
        rig.pen.PrinterSetup(orientation, colour);
        QCOMPARE(rig.rec->landscape, landscape);
        QCOMPARE(rig.rec->colour, colour);
        QCOMPARE(rig.pen.font(), (PrintFont{QStringLiteral("Courier New"), 14, false, false}));
        QCOMPARE(rig.pen.ink(), Ink::Black);
        const QSize area = landscape ? LetterPrintable.transposed() : LetterPrintable;
        QCOMPARE(rig.pen.printableWidth(), area.width());
        QCOMPARE(rig.pen.printableHeight(), area.height());
    }

    void setPosMovesOnlyPositiveCoordinates_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("wantX");
        QTest::addColumn<int>("wantY");
        // The pen starts at (100, 200).
        QTest::newRow("y only") << 0.0f << 2.5f << 100 << 3600;
        QTest::newRow("neither") << -1.0f << -1.0f << 100 << 200;
        QTest::newRow("x only") << 6.1f << 0.0f << 8784 << 200;
        QTest::newRow("both") << 0.75f << 8.3f << 1080 << 11952;
        QTest::newRow("tiny positive") << 0.001f << 0.001f << 1 << 1;
    }
    void setPosMovesOnlyPositiveCoordinates() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(int, wantX);
        QFETCH(int, wantY);
        Rig rig;
        rig.pen.moveTo(100, 200);
        rig.pen.SetPos(x, y);
        QCOMPARE(rig.pen.x(), wantX);
        QCOMPARE(rig.pen.y(), wantY);
    }

    void setFontKeepsSizeForZero_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<int>("wantSize");
        QTest::newRow("keep size, bold on") << 0 << true << false << 12;
        QTest::newRow("negative keeps") << -3 << false << true << 12;
        QTest::newRow("new size") << 8 << false << false << 8;
    }
    void setFontKeepsSizeForZero() {
        QFETCH(int, size);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        QFETCH(int, wantSize);
        Rig rig;
        rig.pen.SetFont(12, !bold, !underline);
        rig.pen.SetFont(size, bold, underline);
        QCOMPARE(rig.pen.font().size, wantSize);
        QCOMPARE(rig.pen.font().bold, bold);
        QCOMPARE(rig.pen.font().underline, underline);
        QCOMPARE(rig.pen.font().name, QStringLiteral("Arial"));
    }

    void printColourFollowsColourOption_data() {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<bool>("mode");
        QTest::addColumn<quint32>("ink");
        const quint32 border = 32768;  // green
        QTest::newRow("highlight, colour on") << true << true << Ink::Blue;
        QTest::newRow("borders, colour on") << true << false << border;
        QTest::newRow("highlight, colour off") << false << true << Ink::Black;
        QTest::newRow("borders, colour off") << false << false << Ink::Black;
    }
    void printColourFollowsColourOption() {
        QFETCH(bool, colour);
        QFETCH(bool, mode);
        QFETCH(quint32, ink);
        Rig rig(PrintStyle{QStringLiteral("Arial"), colour, 32768});
        rig.pen.setInk(Ink::Red);
        rig.pen.SetPrintColour(mode);
        QCOMPARE(rig.pen.ink(), ink);
        rig.pen.print(QStringLiteral("inked"));
        QCOMPARE(rig.rec->first(QStringLiteral("inked")).ink, ink);
    }

    void itemsOnTheSameLineAndAsLines() {
        Rig rig;
        rig.pen.PrinterSetup(QStringLiteral("Portrait"), true);
        rig.pen.moveTo(1440, 720);
        rig.pen.print(QStringLiteral("Page # "));
        const int after = 1440 + rig.pen.textWidth(QStringLiteral("Page # "));
        QCOMPARE(rig.pen.x(), after);
        QCOMPARE(rig.pen.y(), 720);
        rig.pen.printLine(PrintPen::numberItem(1));
        QCOMPARE(rig.rec->first(QStringLiteral(" 1 ")).at, QPoint(after, 720));
        QCOMPARE(rig.pen.x(), 0);
        QCOMPARE(rig.pen.y(), 720 + rig.pen.lineHeight());
        rig.pen.printLine();
        QCOMPARE(rig.pen.y(), 720 + 2 * rig.pen.lineHeight());
        QCOMPARE(rig.rec->texts.size(), 2);  // an empty line draws nothing
    }

    void numberItems_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("page") << qint64(1) << QStringLiteral(" 1 ");
        QTest::newRow("proposal") << qint64(1001) << QStringLiteral(" 1001 ");
        QTest::newRow("zero") << qint64(0) << QStringLiteral(" 0 ");
        QTest::newRow("negative") << qint64(-5) << QStringLiteral("-5 ");
    }
    void numberItems() {
        QFETCH(qint64, value);
        QFETCH(QString, text);
        QCOMPARE(PrintPen::numberItem(value), text);
    }

    void linesAndBoxesMoveThePenToTheirEnd() {
        Rig rig;
        rig.pen.setLineWidth(2);
        rig.pen.setInk(Ink::DarkBlue);
        rig.pen.box(1080, 2160, 5400, 3600);
        QCOMPARE(QPoint(rig.pen.x(), rig.pen.y()), QPoint(5400, 3600));
        rig.pen.line(1600, 4500, 10650, 4500);
        QCOMPARE(QPoint(rig.pen.x(), rig.pen.y()), QPoint(10650, 4500));
        QCOMPARE(rig.rec->lines.size(), 2);
        QVERIFY(rig.rec->lines[0].box);
        QVERIFY(!rig.rec->lines[1].box);
        QCOMPARE(rig.rec->lines[0].width, 2);
        QCOMPARE(rig.rec->lines[0].ink, Ink::DarkBlue);
    }

    void pageCounterAndTrailingPage() {
        Rig rig;
        rig.pen.print(QStringLiteral("a"));
        rig.pen.newPage();
        QCOMPARE(rig.pen.pageCounter(), 2);
        QCOMPARE(QPoint(rig.pen.x(), rig.pen.y()), QPoint(0, 0));
        rig.pen.print(QStringLiteral("b"));
        rig.pen.newPage();
        QCOMPARE(rig.pen.pageCounter(), 3);
        // The page started after the last one is never output.
        QCOMPARE(rig.rec->pages, 2);
        QCOMPARE(rig.rec->first(QStringLiteral("b")).page, 2);
    }

    void blankPagesBetweenNewPagesAreKept() {
        Rig rig;
        rig.pen.print(QStringLiteral("a"));
        rig.pen.newPage();
        rig.pen.newPage();
        rig.pen.print(QStringLiteral("c"));
        QCOMPARE(rig.rec->pages, 3);
        QCOMPARE(rig.rec->first(QStringLiteral("c")).page, 3);
    }

    void inkColoursConvertToQt_data() {
        QTest::addColumn<quint32>("ink");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("black") << Ink::Black << QColor(0, 0, 0);
        QTest::newRow("blue") << Ink::Blue << QColor(0, 0, 255);
        QTest::newRow("dark blue") << Ink::DarkBlue << QColor(0, 0, 128);
        QTest::newRow("red") << Ink::Red << QColor(255, 0, 0);
        QTest::newRow("mixed") << quint32(0x123456) << QColor(0x56, 0x34, 0x12);
    }
    void inkColoursConvertToQt() {
        QFETCH(quint32, ink);
        QFETCH(QColor, colour);
        QCOMPARE(QColor(Ink::toRgb(ink)), colour);
    }
};

TOLVAR_TEST(TestPrintPen)
#include "test_printpen.moc"
