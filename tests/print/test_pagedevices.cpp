#include "cases.h"
#include "print/documentoutput.h"
#include "print/painterdevice.h"
#include "print/pdftarget.h"
#include "print/printpen.h"
#include "print/recordingdevice.h"
#include "print/validation.h"
#include "recordingpreview.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Word {
    double xMin, yMin, xMax;
    QString text;
    int page;
};

QString pdfToText(const QStringList& arguments) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), arguments + QStringList{QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Words with their boxes in points, as poppler reads them back.
QList<Word> readWords(const QString& pdf) {
    const QString html = pdfToText({QStringLiteral("-bbox"), pdf});
    QList<Word> words;
    int page = 0;
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"[0-9.]+\">([^<]*)</word>"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words << Word{m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4), page};
    }
    return words;
}

bool near(double got, double wanted, double slack) {
    return qAbs(got - wanted) < slack;
}

int measuredWidth(const QString& text, const PrintFont& font) {
    return RecordingDevice(std::make_shared<Recording>()).textWidth(text, font);
}

void drawSampleJob(PrintPen& pen) {
    pen.PrinterSetup(QStringLiteral("Portrait"), true);
    pen.SetFont(18, true, true);
    pen.moveTo(1440, 288);
    pen.printLine(QStringLiteral("Proposal"));
    pen.SetFont(8, false, false);
    pen.printLineAt(8784, QStringLiteral("Page #  1 "));
    pen.setFontName(QStringLiteral("Courier New"));
    pen.SetFont(12, true, false);
    pen.PrintWrapped(2664, 4176, 2400, QStringLiteral("Paint the north wall twice"));
    pen.newPage();
    pen.SetFont(10, false, false);
    pen.moveTo(5040, 13000);
    pen.printLine(QStringLiteral("Second"));
    pen.newPage();
}

// Two jobs of one page each, as a flow that prints two copies would.
bool twoJobs(PrintTarget& target) {
    for (const char* caption : {"Customer Copy", "File Copy"}) {
        PrintRequest request;
        request.title = QStringLiteral("Proposal");
        std::unique_ptr<PageDevice> device = target.open(request);
        if (!device) {
            return false;
        }
        device->drawText(QPoint(1440, 1440), QLatin1String(caption), PrintFont{}, 0);
        if (!device->end()) {
            return false;
        }
    }
    return true;
}
}  // namespace

class TestPageDevices : public QObject {
    Q_OBJECT
private slots:
    // Every recorded item's first word sits at the recorded place: twips over
    // 20 plus the quarter-inch (18 pt) inset, on the PDF target and on a
    // device of its own resolution (dpi 0: the PDF target, turned to landscape
    // first).
    void pdfPutsTextWhereTheRecordingSays() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("poppler's pdftotext is not installed");
        }
        auto rec = std::make_shared<Recording>();
        RecordingDevice recorder(rec);
        PrintPen recorded(recorder, PrintStyle());
        drawSampleJob(recorded);
        QVERIFY(recorder.end());
        QCOMPARE(rec->pages, 2);
        for (const int dpi : {0, 600}) {
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("job.pdf"));
            PdfPrintTarget target(file);
            std::unique_ptr<QPdfWriter> writer;
            QPainter painter;
            std::unique_ptr<PageDevice> device;
            if (dpi == 0) {
                device = target.open(PrintRequest());
            } else {
                writer = std::make_unique<QPdfWriter>(file);
                writer->setResolution(dpi);
                PrepareLetterDevice(*writer);
                device = std::make_unique<PainterPageDevice>(*writer, painter,
                                                             PainterPageDevice::Options());
            }
            QCOMPARE(std::pair(device->printableSize(), device->printableOrigin()),
                     std::pair(LetterPrintable, LetterInset));
            if (dpi == 0) {
                device->setLandscape(true);
                QCOMPARE(std::pair(device->printableSize(), device->printableOrigin()),
                         std::pair(LetterPrintable.transposed(), LetterInset));
            }
            PrintPen pen(*device, PrintStyle());
            QVERIFY(dpi || pen.textWidth(QStringLiteral("ABC")) ==
                               measuredWidth(QStringLiteral("ABC"), pen.font()));
            drawSampleJob(pen);  // portrait again
            QVERIFY2(device->end(), qPrintable(device->error()));
            device.reset();
            QVERIFY2(target.finish(), qPrintable(target.error()));
            const QList<Word> words = readWords(file);
            QCOMPARE(words.isEmpty() ? 0 : words.last().page, 2);
            for (const RecordedText& t : rec->texts) {
                const QString first =
                    t.text.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
                auto w = std::find_if(words.begin(), words.end(), [&](const Word& w) {
                    return w.text == first && w.page == t.page;
                });
                QVERIFY2(w != words.end(), qPrintable(t.text));
                QVERIFY2(near(w->xMin, t.at.x() / 20.0 + 18, 0.6) &&
                             near(w->yMin, t.at.y() / 20.0 + 18, 1.0) &&
                             near(w->xMax - w->xMin, measuredWidth(first, t.font) / 20.0, 0.6),
                         qPrintable(t.text));
            }
        }
    }

    // A layout measured from the sheet lands on the sheet's own positions,
    // not a quarter inch further in.
    void paperEdgeDeviceMeasuresFromTheSheet() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("poppler's pdftotext is not installed");
        }
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
        PdfPrintTarget target(file);
        auto device = target.open(PrintRequest());
        PaperEdgeDevice sheet(*device);
        QCOMPARE(sheet.printableSize(), QSize(12240, 15840));
        PrintPen pen(sheet, PrintStyle());
        pen.moveTo(1440, 2880);
        pen.print(QStringLiteral("Left"));
        pen.moveTo(11880 - pen.textWidth(QStringLiteral("Right")), 2880);
        pen.print(QStringLiteral("Right"));
        QVERIFY(device->end());
        device.reset();
        QVERIFY(target.finish());
        const QList<Word> words = readWords(file);
        QCOMPARE(words.size(), 2);
        QVERIFY(near(words.at(0).xMin, 72, 0.6) && near(words.at(0).yMin, 144, 1.0));
        QVERIFY(near(words.at(1).xMax, 594, 0.6));
    }

    void unwritablePdfIsReportedNotSwallowed() {
        QTemporaryDir dir;
        PdfPrintTarget target(dir.filePath(QStringLiteral("missing/folder/x.pdf")));
        // Nothing is drawn on a printer that did not start.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("not active")));
        auto device = target.open(PrintRequest());
        QVERIFY(device);
        PrintPen pen(*device, PrintStyle());
        pen.print(QStringLiteral("text"));
        QVERIFY(!device->end());
        QVERIFY2(device->error().contains(QLatin1String("x.pdf")), qPrintable(device->error()));
    }

    void recordingTargetKeepsJobsAndFailures() {
        RecordingTarget target;
        PrintRequest request;
        request.title = QStringLiteral("Customer Report");
        QVERIFY(target.open(request)->end());
        target.failEnding(QStringLiteral("off-line"));
        auto second = target.open(request);
        QVERIFY(!second->end());
        QCOMPARE(second->error(), QStringLiteral("off-line"));
        target.failOpening(QStringLiteral("no printer"));
        QVERIFY(!target.open(request));
        QCOMPARE(target.error(), QStringLiteral("no printer"));
        QCOMPARE(std::pair(target.jobs().size(), target.requests().size()),
                 std::pair(qsizetype(2), qsizetype(3)));
        QCOMPARE(target.requests().first().title, request.title);
    }

    void savesAsPdfOrSaysWhyNot_data() { cases::load("print/pdf_saves.txt"); }
    void savesAsPdfOrSaysWhyNot() {
        const cases::Row c = cases::row();
        const QString chosen = c.text(0);
        const QString reason = c.text(2);
        const QString written = c.text(3);
        TempApp app;
        app.write(QStringLiteral("out/old.pdf"), "old");
        const QString path = chosen.isEmpty() ? QString() : app.path(chosen);
        app.prompter.expectSaveFile(QStringLiteral("Save as PDF"), path);
        if (!reason.isEmpty()) {
            const QString target = QDir::toNativeSeparators(
                path.endsWith(QLatin1String(".pdf")) ? path : path + QLatin1String(".pdf"));
            app.prompter.expectMessage(IoStatus::failure(target, reason).message(),
                                       AppContext::applicationTitle(), Icon::Critical);
        }
        const bool saved =
            SaveDocumentAsPdf(*app.ctx, QStringLiteral("Proposal"), QStringLiteral("1001.pdf"),
                              [&](PrintTarget& t) { return twoJobs(t) && c.yes(1); });
        QCOMPARE(saved, !written.isEmpty());
        if (saved) {
            const QString text = pdfToText({app.path(written)});
            QVERIFY2(text.contains(QLatin1String("Customer Copy")) &&
                         text.contains(QLatin1String("File Copy")),
                     qPrintable(text));
        } else if (chosen.startsWith(QLatin1String("out/old"))) {
            QCOMPARE(app.read(QStringLiteral("out/old.pdf")), QByteArray("old"));
        }
        QCOMPARE(QDir(app.path(QStringLiteral("out")))
                     .entryList(QDir::Files)
                     .filter(QStringLiteral(".part")),
                 QStringList());
    }

    void previewDrawsEveryJobAndNothingElse() {
        TempApp app;
        PreviewDocument(*app.ctx, QStringLiteral("Nothing to show"), false, twoJobs);
        RecordingPreview preview(*app.ctx);
        PreviewDocument(*app.ctx, QStringLiteral("Customer List"), true, twoJobs);
        QCOMPARE(preview.titles(), QStringList{QStringLiteral("Customer List")});
        QVERIFY(preview.landscape());
        QCOMPARE(preview.target().jobs().size(), 2);
        QVERIFY(preview.target().jobs().at(1)->contains(QStringLiteral("File Copy")));
    }
};

// The key filters of amount and text boxes, the money form on leaving an
// amount box, and the joined name; the cases are in tests/data/print.
class TestValidation : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { init(); }

    void amountKey_data() { cases::load("print/amount_keys.txt"); }
    void amountKey() {
        const cases::Row c = cases::row();
        QLocale::setDefault(QLocale(c.text(0)));
        QString taken;
        for (QChar key : c.text(2)) {
            const int code = AmountKey(key.unicode(), PlainBox(c.text(1) + taken));
            QVERIFY(code == 0 || code == key.unicode());
            taken += code ? QString(key) : QString();
        }
        QCOMPARE(taken, c.text(3));
    }

    void formatAmountBox_data() { cases::load("print/amount_boxes.txt"); }
    void formatAmountBox() {
        const cases::Row c = cases::row();
        const QString shown = c.text(2);
        for (bool alarms : {true, false}) {
            TempApp app;
            app.ctx->vars().SoundAlarms = alarms;
            PlainBox box(c.text(1));
            QLocale::setDefault(QLocale(c.text(0)));
            const bool number = FormatAmountBox(*app.ctx, box);
            init();
            QCOMPARE(
                std::tuple(number, box.text(), box.timesFocused(), app.prompter.beeps()),
                std::tuple(!shown.isEmpty(), shown, number ? 0 : 1, !number && alarms ? 1 : 0));
        }
    }

    // A refused key is told, beeped when alarms sound, and leaves the box.
    void textKey_data() { cases::load("print/text_keys.txt"); }
    void textKey() {
        const cases::Row c = cases::row();
        const bool takes = c.yes(2);
        for (bool alarms : {true, false}) {
            for (QChar key : c.text(1)) {
                TempApp app;
                app.ctx->vars().SoundAlarms = alarms;
                PlainBox box(c.text(0));
                if (!takes) {
                    app.prompter.expectMessage(
                        QStringLiteral("This character, (%1) is invalid for this field").arg(key),
                        "Invalid Key entry", Icon::Exclamation);
                }
                const int code = TextKey(*app.ctx, key.unicode(), box);
                QCOMPARE(std::tuple(code, box.text(), box.timesFocused(), app.prompter.beeps()),
                         std::tuple(takes ? int(key.unicode()) : 0, c.text(0), takes ? 0 : 1,
                                    alarms && !takes ? 1 : 0));
            }
        }
    }

    void textPaste_data() { cases::load("print/text_pastes.txt"); }
    void textPaste() {
        const cases::Row c = cases::row();
        QCOMPARE(TextPaste(c.text(0), c.text(1)), c.text(2));
    }

    void joinName_data() { cases::load("print/joined_names.txt"); }
    void joinName() {
        const cases::Row c = cases::row();
        QCOMPARE(JoinName(c.text(0), c.text(1), c.text(2), c.text(3)), c.text(4));
    }
};

TOLVAR_TEST(TestPageDevices)
TOLVAR_TEST(TestValidation)
#include "test_pagedevices.moc"
