#include "casefile.h"
#include "print/printpen.h"
#include "print/recordingdevice.h"
#include "testmain.h"

#include <QTest>

namespace {
struct Rig {
    std::shared_ptr<Recording> rec = std::make_shared<Recording>();
    RecordingDevice device{rec};
    PrintPen pen{device, PrintStyle()};
    Rig() {
        pen.PrinterSetup(QStringLiteral("Portrait"), true);
        pen.SetFont(8, false, false);
    }
    QStringList printed() const {
        QStringList out;
        for (const RecordedText& t : rec->texts) {
            out << t.text;
        }
        return out;
    }
};
}  // namespace

class TestPrintWrapped : public QObject {
    Q_OBJECT
private slots:
    // The cases: tests/data/print/wrapped_lines.txt.
    void wrapsAtBlanks_data() { cases::load(QStringLiteral("print/wrapped_lines.txt")); }
    void wrapsAtBlanks() {
        const cases::Row c = cases::row();
        const QStringList lines = c.list(3);
        Rig rig;
        rig.pen.PrintWrapped(2664, 4176, rig.pen.textWidth(c.text(1)) + c.number(2), c.text(0));
        QCOMPARE(rig.printed(), lines);
        const int h = rig.pen.lineHeight();
        for (int i = 0; i < rig.rec->texts.size(); ++i) {
            QCOMPARE(rig.rec->texts[i].at, QPoint(2664, 4176 + i * h));
        }
        QCOMPARE(rig.pen.y(), 4176 + int(lines.size()) * h);
        QCOMPARE(rig.pen.x(), 0);
    }

    void emptyTextPrintsOneEmptyLine() {
        Rig rig;
        rig.pen.PrintWrapped(2664, 5000, 7920, QString());
        QCOMPARE(rig.pen.y(), 5000 + rig.pen.lineHeight());
        QVERIFY(rig.rec->texts.isEmpty());
    }

    void bodyColumnCutsAtLastBlankWithin7900() {
        Rig rig;
        rig.pen.setFontName(QStringLiteral("Courier New"));
        QString words;
        for (int i = 0; words.size() < 400; ++i) {
            words += QStringLiteral("word%1 ").arg(i);
        }
        rig.pen.PrintWrapped(2664, 4176, 7920, words.trimmed());
        const QStringList lines = rig.printed();
        QVERIFY(lines.size() > 1);
        QCOMPARE(lines.join(QString()), words.trimmed());
        for (int i = 0; i + 1 < lines.size(); ++i) {
            const QString& line = lines.at(i);
            QVERIFY2(line.endsWith(QLatin1Char(' ')), qPrintable(line));
            QVERIFY(rig.pen.textWidth(line) <= 7900);
            // Adding the next word would have passed 7900.
            const QString next = lines.at(i + 1).section(QLatin1Char(' '), 0, 0);
            QVERIFY(rig.pen.textWidth(line + next + QLatin1Char(' ')) > 7900);
        }
    }

    void pensFontDecidesTheBreak() {
        Rig small;
        Rig large;
        large.pen.SetFont(12, true, false);
        const QString text = QStringLiteral("alpha beta gamma delta epsilon");
        const int column = small.pen.textWidth(text) + 20;
        small.pen.PrintWrapped(0, 0, column, text);
        large.pen.PrintWrapped(0, 0, column, text);
        QCOMPARE(small.printed().size(), 1);
        QVERIFY(large.printed().size() > 1);
        QCOMPARE(large.rec->texts.first().font.size, 12);
        QVERIFY(large.rec->texts.first().font.bold);
    }
};

TOLVAR_TEST(TestPrintWrapped)
#include "test_printwrapped.moc"
