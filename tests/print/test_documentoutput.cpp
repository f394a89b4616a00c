#include "casefile.h"
#include "print/documentoutput.h"
#include "print/pagedevice.h"
#include "recordingpreview.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QProcess>
#include <QTest>

namespace {
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

QString pdfText(const QString& pdf) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished(10000);
    return QString::fromLocal8Bit(text.readAllStandardOutput());
}
}  // namespace

class TestDocumentOutput : public QObject {
    Q_OBJECT
private slots:
    void savesAsPdfOrSaysWhyNot_data() { cases::load(QStringLiteral("print/pdf_saves.txt")); }
    void savesAsPdfOrSaysWhyNot() {
        const cases::Row c = cases::row();
        const QString chosen = c.text(0);
        const bool drawn = c.yes(1);
        const QString reason = c.text(2);
        const QString written = c.text(3);
        TempApp app;
        app.mkdir(QStringLiteral("out"));
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
                              [&](PrintTarget& t) { return twoJobs(t) && drawn; });
        QCOMPARE(saved, !written.isEmpty());
        if (saved) {
            const QString text = pdfText(app.path(written));
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

TOLVAR_TEST(TestDocumentOutput)
#include "test_documentoutput.moc"
