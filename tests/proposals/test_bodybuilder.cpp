#include "cases.h"
#include "proposals/bodybuilder.h"
#include "proposals/terms.h"
#include "testmain.h"

#include <QBuffer>
#include <QTest>

class TestBodyBuilder : public QObject {
    Q_OBJECT
private slots:
    // Only the body's 49 lines of a document are read, and taken with CR LF line ends; bytes that
    // are no text are refused.
    void documentHead_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qint64>("readUpTo");
        QTest::addColumn<bool>("text");
        QTest::addColumn<QString>("document");  // null: not compared
        QByteArray lines;
        QString first49;
        for (int i = 1; i <= 5000; ++i) {
            lines += "Line " + QByteArray::number(i) + (i % 2 ? "\r\n" : "\n");
            first49 += i <= 49 ? QStringLiteral("Line %1\r\n").arg(i) : QString();
        }
        QTest::newRow("many lines")
            << lines << qint64(lines.indexOf("Line 50\n")) << true << first49;
        QTest::newRow("one endless line")
            << QByteArray(1 << 20, 'x') << BodyText::MaxDocumentBytes << true << QString();
        QTest::newRow("short") << QByteArray("Roof\r\nGutters") << qint64(13) << true << QString();
        QTest::newRow("not text") << QByteArray("PK\x03\x04\0\0data\n", 11) << qint64(11) << false
                                  << QString();
        QTest::newRow("empty") << QByteArray() << qint64(0) << true << QString("");
    }
    void documentHead() {
        QFETCH(QByteArray, file);
        QFETCH(qint64, readUpTo);
        QFETCH(QString, document);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const std::optional<QByteArray> head = BodyText::readDocumentHead(buffer);
        QCOMPARE(buffer.pos(), readUpTo);
        QTEST(head.has_value(), "text");
        QCOMPARE(head.value_or(file.left(readUpTo)), file.left(readUpTo));
        QCOMPARE(document.isNull() ? document : BodyText::fromDocument(file), document);
    }

    // A custom text is one quoted field with CR LF line breaks inside, then CR LF; files
    // written elsewhere ("-" for the text) read as best they can.
    void customTextBytes_data() { cases::load(QStringLiteral("proposals/custom_texts.txt")); }
    void customTextBytes() {
        const cases::Row c = cases::row();
        if (c.text(0) != QLatin1String("-")) {
            QCOMPARE(Terms::customTextBytes(c.text(0)), c.bytes(1));
        }
        QCOMPARE(Terms::parseCustomText(c.bytes(1)), c.text(2));
    }
};

TOLVAR_TEST(TestBodyBuilder)
#include "test_bodybuilder.moc"
