#include "casefile.h"
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
        const QString loneSurrogate(QChar(0xd800));
        QCOMPARE(Text::encode(loneSurrogate + QLatin1Char('z')), QByteArray("?z"));
    }

    void encode_data() { addCases(QStringLiteral("shell/text.txt"), "encode"); }
    void encode() {
        QFETCH(Case, c);
        QCOMPARE(Text::encode(str(c[0])), c[1]);
    }

    void splitLines_data() { addCases(QStringLiteral("shell/text.txt"), "split"); }
    void splitLines() {
        QFETCH(Case, c);
        QStringList lines;
        for (const QByteArray& line : c.mid(1)) {
            lines << str(line);
        }
        QCOMPARE(Text::splitLines(c[0]), lines);
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
