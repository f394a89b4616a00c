#include "proposals/terms.h"
#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

class TestTerms : public QObject {
    Q_OBJECT
private slots:
    void genericTexts() {
        QCOMPARE(Terms::GenericTerms(),
                 QStringLiteral("All material is guaranteed to be as specified, and the work to be "
                                "performed in accordance with the drawings and specifications "
                                "submitted for above work and completed in substantial workmanlike "
                                "manner"));
        QCOMPARE(
            Terms::GenericDisclaimer(),
            QStringLiteral("Any alteration or deviation from above specifications involving "
                           "extra costs, will be executed only upon written orders, and will "
                           "become an extra charge over and above the Proposed Price. All "
                           "agreements contingent upon strikes, accidents or delays beyond our "
                           "control. Owner to carry fire, tornado and other necessary insurance "
                           "upon above work. Workmen's Compensation and Public Liability "
                           "Insurance on above work to be provided by: "));
    }

    // Files hold one quoted field with CR LF line breaks inside, then CR LF.
    void fileBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("two lines and a comma")
            << QStringLiteral("Paid in 30 days, net.\nNo refunds.")
            << QByteArray("\"Paid in 30 days, net.\r\nNo refunds.\"\r\n")
            << QStringLiteral("Paid in 30 days, net.\nNo refunds.");
        QTest::newRow("CR LF from the box")
            << QStringLiteral("A\r\nB") << QByteArray("\"A\r\nB\"\r\n") << QStringLiteral("A\nB");
        QTest::newRow("empty") << QString() << QByteArray("\"\"\r\n") << QString();
        QTest::newRow("double quote stored as apostrophe")
            << QStringLiteral("a \"good\" job") << QByteArray("\"a 'good' job\"\r\n")
            << QStringLiteral("a 'good' job");
        QTest::newRow("windows-1252")
            << QStringLiteral("caf\u00e9 \u00ab") << QByteArray("\"caf\xe9 \xab\"\r\n")
            << QStringLiteral("caf\u00e9 \u00ab");
        QTest::newRow("trailing line break kept")
            << QStringLiteral("Line\n") << QByteArray("\"Line\r\n\"\r\n")
            << QStringLiteral("Line\n");
    }
    void fileBytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        QCOMPARE(Terms::customTextBytes(text), bytes);
        QCOMPARE(Terms::parseCustomText(bytes), readBack);
        QCOMPARE(Terms::customTextBytes(readBack), bytes);
    }

    void hostileFilesGiveText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("unterminated quote")
            << QByteArray("\"half a line\r\nand more") << QStringLiteral("half a line\nand more");
        QTest::newRow("not quoted")
            << QByteArray("plain words\r\n") << QStringLiteral("plain words");
        QTest::newRow("second field ignored")
            << QByteArray("\"one\",\"two\"\r\n") << QStringLiteral("one");
    }
    void hostileFilesGiveText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Terms::parseCustomText(bytes), text);
    }

    void saveLoadAndDeleteThroughTheStore_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("file");
        QTest::newRow("terms") << Terms::customTermsPath() << QStringLiteral("CustomTerms.txt");
        QTest::newRow("disclaimer")
            << Terms::customDisclaimerPath() << QStringLiteral("CustomDisclaimer.txt");
    }
    void saveLoadAndDeleteThroughTheStore() {
        QFETCH(QString, path);
        QFETCH(QString, file);
        TempApp app;
        FileStore& store = app.ctx->store();
        QVERIFY(!Terms::loadCustomText(store, path));
        app.write(QStringLiteral("Backup/") + file, QByteArray("\"old\"\r\n"));
        const QString text = QStringLiteral("First line\nSecond, line");
        QVERIFY(Terms::saveCustomText(store, path, text).ok());
        QCOMPARE(app.read(file), QByteArray("\"First line\r\nSecond, line\"\r\n"));
        // The stale backup is gone, so deleting the file really removes the text.
        QVERIFY(!app.exists(QStringLiteral("Backup/") + file));
        QCOMPARE(Terms::loadCustomText(store, path).value_or(QString()), text);
        QVERIFY(Terms::deleteCustomText(store, path).ok());
        QVERIFY(!app.exists(file));
        QVERIFY(!Terms::loadCustomText(store, path));
        QVERIFY(Terms::deleteCustomText(store, path).ok());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void loadRestoresFromBackup() {
        TempApp app;
        app.write(QStringLiteral("Backup/CustomDisclaimer.txt"),
                  QByteArray("\"Saved\r\nearlier\"\r\n"));
        const auto text = Terms::loadCustomText(app.ctx->store(), Terms::customDisclaimerPath());
        QCOMPARE(text.value_or(QString()), QStringLiteral("Saved\nearlier"));
        QVERIFY(app.exists(QStringLiteral("CustomDisclaimer.txt")));
    }

    void failedSaveIsReported() {
        TempApp app;
        // A folder where the file should be cannot be replaced by a file.
        app.mkdir(QStringLiteral("CustomTerms.txt/inside"));
        const IoStatus s =
            Terms::saveCustomText(app.ctx->store(), Terms::customTermsPath(), QStringLiteral("x"));
        QVERIFY(!s.ok());
        QVERIFY2(s.file().contains(QLatin1String("CustomTerms.txt")), qPrintable(s.message()));
    }

    void clearMessage_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("terms") << QStringLiteral("Custom Terms");
        QTest::newRow("disclaimer") << QStringLiteral("Custom Disclaimer");
    }
    void clearMessage() {
        QFETCH(QString, name);
        TempApp app;
        app.prompter.expectMessage(QStringLiteral("The ") + name +
                                       QStringLiteral(" input box has been Cleared\r\nThe file ") +
                                       name + QStringLiteral(" has not been Deleted"),
                                   QStringLiteral("Input Box Cleared"));
        Terms::reportBoxCleared(app.prompter, name);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }
};

TOLVAR_TEST(TestTerms)
#include "test_terms.moc"
