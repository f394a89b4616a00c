#include "shell/textcodec.h"
#include "testmain.h"

#include <QTest>

class TestTextCodec : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvivesDecodeAndEncode() {
        QByteArray all;
        for (int i = 0; i < 256; ++i) {
            all.append(static_cast<char>(i));
        }
        QCOMPARE(Text::decode(all).size(), 256);
        QCOMPARE(Text::encode(Text::decode(all)), all);
    }

    // A character with no single-byte form must not become SUB (byte 26),
    // which other programs read as the end of the file.
    void encode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("selection mark and euro") << "\u00ab\u20ac" << QByteArray("\xab\x80");
        QTest::newRow("curly quotes") << "\u201cA\u201d"
                                      << QByteArray(
                                             "\x93"
                                             "A\x94");
        QTest::newRow("cjk") << "a\u4e2db" << QByteArray("a?b");
        QTest::newRow("emoji pair") << QString::fromUtf8(
                                           "a\xf0\x9f\x98\x80"
                                           "b")
                                    << QByteArray("a?b");
        QTest::newRow("real SUB kept") << "a\x1a\u4e2d" << QByteArray("a\x1a?");
        QTest::newRow("lone surrogate")
            << QString(QChar(0xd800)) + QLatin1Char('z') << QByteArray("?z");
    }
    void encode() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Text::encode(text), bytes);
    }

    void splitLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("no final end") << QByteArray("A\r\nB") << QStringList{"A", "B"};
        QTest::newRow("blank line kept")
            << QByteArray("A\r\n\r\nB\r\n") << QStringList{"A", "", "B"};
        QTest::newRow("lone lf and cr") << QByteArray("A\nB\rC") << QStringList{"A", "B", "C"};
        QTest::newRow("lf cr is two ends") << QByteArray("A\n\rB") << QStringList{"A", "", "B"};
        QTest::newRow("only crlf") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("high bytes") << QByteArray(
                                           "\xab"
                                           "1\r\n")
                                    << QStringList{"\u00ab1"};
    }
    void splitLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(Text::splitLines(bytes), lines);
    }

    void joinLinesEndsEveryLineWithCrLf() {
        QCOMPARE(Text::joinLines(
                     {QStringLiteral("[InternetShortcut]"), QString(), QStringLiteral("\u00ab x")}),
                 QByteArray("[InternetShortcut]\r\n\r\n\xab x\r\n"));
        QCOMPARE(Text::joinLines({}), QByteArray());
    }
};

TOLVAR_TEST(TestTextCodec)
#include "test_textcodec.moc"
