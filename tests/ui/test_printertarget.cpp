#include "print/pagedevice.h"
#include "testmain.h"
#include "ui/printertarget.h"
#include "ui/printpreview.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A printer set up as the program sets one up, printing into a PDF file.
void printIntoPdf(QPrinter& printer, const QString& pdf) {
    PrepareLetterPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
}

// What a poppler tool prints, run with those arguments.
QString poppler(QStringList args) {
    QProcess run;
    run.start(args.takeFirst(), args);
    run.waitForFinished(10000);
    return QString::fromLocal8Bit(run.readAllStandardOutput());
}
}  // namespace

// The program's printer target: a QPrinter set to print into a PDF file
// stands in for a real printer.
class TestPrinterTarget : public QObject {
    Q_OBJECT
private slots:
    void printsOnLetterWithTheLayoutInset_data() {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QSize>("printable");
        QTest::addColumn<QString>("pageSize");
        QTest::addColumn<bool>("colour");
        QTest::newRow("portrait") << false << QSize(11520, 15120) << "612 x 792" << true;
        QTest::newRow("landscape, black and white")
            << true << QSize(15120, 11520) << "792 x 612" << false;
    }
    void printsOnLetterWithTheLayoutInset() {
        const bool colour = fetched<bool>("colour");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printIntoPdf(printer, pdf);
        printer.setCopyCount(3);

        PrinterTarget target(printer);
        PrintRequest request;
        request.title = QStringLiteral("Proposal");
        request.landscape = fetched<bool>("landscape");
        request.colour = colour;
        printer.setColorMode(colour ? QPrinter::GrayScale : QPrinter::Color);
        std::unique_ptr<PageDevice> device = target.open(request);
        QVERIFY(device);
        QCOMPARE(device->printableSize(), fetched<QSize>("printable"));
        QCOMPARE(printer.colorMode(), colour ? QPrinter::Color : QPrinter::GrayScale);
        device->drawText(QPoint(1440, 1440), QStringLiteral("Printed Text"), PrintFont{}, 0);
        QVERIFY2(device->end(), qPrintable(device->error()));
        // The flows print their own captioned copies.
        QCOMPARE(printer.copyCount(), 1);

        const QString out = poppler({QStringLiteral("pdfinfo"), pdf});
        QVERIFY2(out.contains(fetched<QString>("pageSize")), qPrintable(out));
        QVERIFY(poppler({QStringLiteral("pdftotext"), pdf, QStringLiteral("-")})
                    .contains("Printed Text"));
    }

    // The preview shows every job of a flow as one document, page after page.
    void previewContinuesOneDocument() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("preview.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printIntoPdf(printer, pdf);
        {
            PreviewTarget target(printer);
            for (const char* caption : {"First Job", "Second Job"}) {
                std::unique_ptr<PageDevice> device = target.open(PrintRequest{});
                QVERIFY(device);
                device->drawText(QPoint(1440, 1440), QLatin1String(caption), PrintFont{}, 0);
                QVERIFY(device->end());
            }
        }
        const QString out = poppler({QStringLiteral("pdfinfo"), pdf});
        QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b"))),
                 qPrintable(out));
    }
};

TOLVAR_TEST(TestPrinterTarget)
#include "test_printertarget.moc"
