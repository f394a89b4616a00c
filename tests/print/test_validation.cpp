#include "print/validation.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

// The key filters of amount and text boxes, the money form on leaving an
// amount box, and the joined name.
class TestValidation : public QObject {
    Q_OBJECT

private slots:
    void amountKey_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty, zero") << QString() << QStringLiteral("0") << false;
        QTest::newRow("empty, five") << QString() << QStringLiteral("5") << true;
        QTest::newRow("empty, point") << QString() << QStringLiteral(".") << true;
        QTest::newRow("12.5, zero") << QStringLiteral("12.5") << QStringLiteral("0") << true;
        QTest::newRow("12.50, digit") << QStringLiteral("12.50") << QStringLiteral("1") << false;
        QTest::newRow("12.50, point") << QStringLiteral("12.50") << QStringLiteral(".") << false;
        QTest::newRow("1., second point") << QStringLiteral("1.") << QStringLiteral(".") << false;
        QTest::newRow("1., letter") << QStringLiteral("1.") << QStringLiteral("a") << false;
        QTest::newRow("1., digit") << QStringLiteral("1.") << QStringLiteral("7") << true;
        QTest::newRow("zero after digit") << QStringLiteral("10") << QStringLiteral("0") << true;
        QTest::newRow("long whole number")
            << QStringLiteral("123456") << QStringLiteral("7") << true;
        QTest::newRow("point after digits") << QStringLiteral("125") << QStringLiteral(".") << true;
        QTest::newRow("minus") << QString() << QStringLiteral("-") << false;
        QTest::newRow("blank") << QStringLiteral("5") << QStringLiteral(" ") << false;
        QTest::newRow("comma") << QStringLiteral("5") << QStringLiteral(",") << false;
        QTest::newRow("backspace") << QStringLiteral("5") << QStringLiteral("\b") << false;
        QTest::newRow("two decimals, short text")
            << QStringLiteral(".25") << QStringLiteral("1") << false;
    }
    void amountKey() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        const int code = key.at(0).unicode();
        QCOMPARE(AmountKey(code, PlainBox(text)), accepted ? code : 0);
    }

    void formatAmountBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("alarms");
        QTest::addColumn<bool>("number");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1234.5") << QStringLiteral("1234.5") << true << true
                                << QStringLiteral("$1,234.50");
        QTest::newRow("whole") << QStringLiteral("75") << true << true << QStringLiteral("$75.00");
        QTest::newRow("half cent up")
            << QStringLiteral("2.675") << true << true << QStringLiteral("$2.68");
        QTest::newRow("grouped") << QStringLiteral("1,000.25") << true << true
                                 << QStringLiteral("$1,000.25");
        QTest::newRow("already money")
            << QStringLiteral("$1,234.50") << true << true << QStringLiteral("$1,234.50");
        QTest::newRow("letters, alarms on") << QStringLiteral("abc") << true << false << QString();
        QTest::newRow("letters, alarms off")
            << QStringLiteral("abc") << false << false << QString();
        QTest::newRow("empty") << QString() << true << false << QString();
        QTest::newRow("two points") << QStringLiteral("1.2.3") << true << false << QString();
    }
    void formatAmountBox() {
        QFETCH(QString, text);
        QFETCH(bool, alarms);
        QFETCH(bool, number);
        QFETCH(QString, shown);
        TempApp app;
        app.ctx->vars().SoundAlarms = alarms;
        PlainBox box(text);
        QCOMPARE(FormatAmountBox(*app.ctx, box), number);
        QCOMPARE(box.text(), shown);
        QCOMPARE(box.timesFocused(), number ? 0 : 1);
        QCOMPARE(app.prompter.beeps(), !number && alarms ? 1 : 0);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void textKeyRefusesDataBreakingCharacters_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("comma") << QStringLiteral(",");
        QTest::newRow("ampersand") << QStringLiteral("&");
        QTest::newRow("point") << QStringLiteral(".");
        QTest::newRow("backslash") << QStringLiteral("\\");
        QTest::newRow("star") << QStringLiteral("*");
        QTest::newRow("slash") << QStringLiteral("/");
        QTest::newRow("question mark") << QStringLiteral("?");
        QTest::newRow("double quote") << QStringLiteral("\"");
    }
    void textKeyRefusesDataBreakingCharacters() {
        QFETCH(QString, key);
        TempApp app;
        PlainBox box(QStringLiteral("Smith"));
        app.prompter.expectMessage(QStringLiteral("This character, (") + key +
                                       QStringLiteral(") is invalid for this field"),
                                   QStringLiteral("Invalid Key entry"));
        QCOMPARE(TextKey(*app.ctx, key.at(0).unicode(), box), 0);
        QCOMPARE(box.text(), QStringLiteral("Smith"));
        QCOMPARE(box.timesFocused(), 1);
        QCOMPARE(app.prompter.beeps(), 1);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void textKeyAccepts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("letter on empty") << QString() << QStringLiteral("a");
        QTest::newRow("digit") << QStringLiteral("Unit") << QStringLiteral("4");
        QTest::newRow("dash and blank") << QStringLiteral("555") << QStringLiteral("-");
        QTest::newRow("slash after digits") << QStringLiteral("555") << QStringLiteral("/");
        QTest::newRow("point after a decimal") << QStringLiteral("1.5") << QStringLiteral(".");
        QTest::newRow("backspace on empty") << QString() << QStringLiteral("\b");
        QTest::newRow("backspace after text") << QStringLiteral("Ab") << QStringLiteral("\b");
        QTest::newRow("accented letter") << QStringLiteral("Jos") << QStringLiteral("\u00e9");
    }
    void textKeyAccepts() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        TempApp app;
        PlainBox box(text);
        const int code = key.at(0).unicode();
        QCOMPARE(TextKey(*app.ctx, code, box), code);
        QCOMPARE(box.timesFocused(), 0);
        QCOMPARE(app.prompter.beeps(), 0);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void textKeyIsSilentWithAlarmsOff() {
        TempApp app;
        app.ctx->vars().SoundAlarms = false;
        PlainBox box;
        app.prompter.expectMessage(QStringLiteral("This character, (,) is invalid for this field"),
                                   QStringLiteral("Invalid Key entry"));
        QCOMPARE(TextKey(*app.ctx, ',', box), 0);
        QCOMPARE(app.prompter.beeps(), 0);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void pastedTextLosesRefusedCharacters_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("name with punctuation")
            << QString() << QStringLiteral("Smith, \"Jr.\" & Co") << QStringLiteral("Smith Jr  Co");
        QTest::newRow("path") << QStringLiteral("Acct") << QStringLiteral("../etc/x")
                              << QStringLiteral("etcx");
        QTest::newRow("plain") << QStringLiteral("12 ") << QStringLiteral("Main St")
                               << QStringLiteral("Main St");
        QTest::newRow("after a number")
            << QStringLiteral("555") << QStringLiteral("/1") << QStringLiteral("/1");
        QTest::newRow("empty") << QString() << QString() << QString();
    }
    void pastedTextLosesRefusedCharacters() {
        QFETCH(QString, current);
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        QCOMPARE(TextPaste(current, pasted), kept);
    }

    void joinName_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("joined");
        QTest::newRow("all parts")
            << QStringLiteral("Mr") << QStringLiteral("John") << QStringLiteral("Q")
            << QStringLiteral("Smith") << QStringLiteral("Mr John Smith");
        QTest::newRow("last name only") << QString() << QString() << QString()
                                        << QStringLiteral("Smith") << QStringLiteral("Smith");
        QTest::newRow("no last name") << QStringLiteral("Ms") << QStringLiteral("Ann") << QString()
                                      << QString() << QStringLiteral("Ms Ann ");
        QTest::newRow("blanks trimmed")
            << QStringLiteral(" Mrs ") << QStringLiteral("  Jo ") << QStringLiteral("X")
            << QStringLiteral(" Ray  ") << QStringLiteral("Mrs Jo Ray");
        QTest::newRow("blank title") << QStringLiteral("   ") << QStringLiteral("Jo") << QString()
                                     << QStringLiteral("Ray") << QStringLiteral("Jo Ray");
        QTest::newRow("nothing") << QString() << QString() << QStringLiteral("Q") << QString()
                                 << QString();
    }
    void joinName() {
        QFETCH(QString, title);
        QFETCH(QString, first);
        QFETCH(QString, middle);
        QFETCH(QString, last);
        QFETCH(QString, joined);
        QCOMPARE(JoinName(title, first, middle, last), joined);
    }
};

TOLVAR_TEST(TestValidation)
#include "test_validation.moc"
