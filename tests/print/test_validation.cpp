#include "print/validation.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kDe(QLocale::German, QLocale::Germany);
}  // namespace

// The key filters of amount and text boxes, the money form on leaving an
// amount box, and the joined name.
class TestValidation : public QObject {
    Q_OBJECT
private slots:
    void amountKey_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");  // typed one after another after `text`
        QTest::addColumn<QString>("accepted");
        const auto row = [](const char* name, const QLocale& l, const char* text, const char* keys,
                            const char* accepted) {
            QTest::newRow(name) << l << QString(text) << QString(keys) << QString(accepted);
        };
        row("empty", kUs, "", "05.-, a\b", "5.");
        row("12.5", kUs, "12.5", "0", "0");
        row("12.50", kUs, "12.50", "1.", "");
        row("1.", kUs, "1.", ".a7,", "7");
        row("whole number", kUs, "123456", "70.", "70.");
        row("two decimals, short text", kUs, ".25", "1", "");
        row("de comma", kDe, "12", ",.5", ",5");
        row("de two decimals", kDe, "1,25", "1", "");
        row("de point", kDe, "12.5", "0,", "0");
    }
    void amountKey() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(QString, accepted);
        QLocale::setDefault(locale);
        QString taken;
        for (QChar key : keys) {
            const int code = AmountKey(key.unicode(), PlainBox(text + taken));
            QVERIFY(code == 0 || code == key.unicode());
            taken += code ? QString(key) : QString();
        }
        QLocale::setDefault(kUs);
        QCOMPARE(taken, accepted);
    }

    void formatAmountBox_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");  // empty: refused
        QTest::newRow("1234.5") << kUs << "1234.5"
                                << "$1,234.50";
        QTest::newRow("half cent up") << kUs << "2.675"
                                      << "$2.68";
        QTest::newRow("already money") << kUs << "$1,000.25"
                                       << "$1,000.25";
        QTest::newRow("letters") << kUs << "abc"
                                 << "";
        QTest::newRow("empty") << kUs << ""
                               << "";
        QTest::newRow("two points") << kUs << "1.2.3"
                                    << "";
        QTest::newRow("de comma") << kDe << "12,50"
                                  << "12,50\u00a0\u20ac";
        QTest::newRow("de plain point") << kDe << "12.50"
                                        << "12,50\u00a0\u20ac";
        QTest::newRow("de grouping") << kDe << "1.250"
                                     << "1.250,00\u00a0\u20ac";
    }
    void formatAmountBox() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        for (bool alarms : {true, false}) {
            TempApp app;
            app.ctx->vars().SoundAlarms = alarms;
            PlainBox box(text);
            QLocale::setDefault(locale);
            const bool number = FormatAmountBox(*app.ctx, box);
            QLocale::setDefault(kUs);
            QCOMPARE(number, !shown.isEmpty());
            QCOMPARE(box.text(), shown);
            QCOMPARE(box.timesFocused(), number ? 0 : 1);
            QCOMPARE(app.prompter.beeps(), !number && alarms ? 1 : 0);
        }
    }

    void textKeyRefusesDataBreakingCharacters() {
        for (bool alarms : {true, false}) {
            for (QChar key : QStringLiteral(",&.\\*/?\"")) {
                TempApp app;
                app.ctx->vars().SoundAlarms = alarms;
                PlainBox box("Smith");
                app.prompter.expectMessage(
                    QStringLiteral("This character, (%1) is invalid for this field").arg(key),
                    "Invalid Key entry", Icon::Exclamation);
                QCOMPARE(TextKey(*app.ctx, key.unicode(), box), 0);
                QCOMPARE(box.text(), QStringLiteral("Smith"));
                QCOMPARE(box.timesFocused(), 1);
                QCOMPARE(app.prompter.beeps(), alarms ? 1 : 0);
            }
        }
    }

    void textKeyAccepts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::newRow("empty") << ""
                               << "a4 -\u00e9\b";
        QTest::newRow("after a number") << "555"
                                        << "/,.&*?\"";
        QTest::newRow("after a decimal") << "1.5"
                                         << ".";
        QTest::newRow("backspace") << "Ab"
                                   << "\b";
    }
    void textKeyAccepts() {
        QFETCH(QString, text);
        QFETCH(QString, keys);
        TempApp app;
        PlainBox box(text);
        for (QChar key : keys) {
            QCOMPARE(TextKey(*app.ctx, key.unicode(), box), int(key.unicode()));
        }
        QCOMPARE(box.timesFocused(), 0);
        QCOMPARE(app.prompter.beeps(), 0);
    }

    void pastedTextLosesRefusedCharacters() {
        QCOMPARE(TextPaste(QString(), QStringLiteral("Smith, \"Jr.\" & Co")),
                 QStringLiteral("Smith Jr  Co"));
        QCOMPARE(TextPaste(QStringLiteral("Acct"), QStringLiteral("../etc/x")),
                 QStringLiteral("etcx"));
        QCOMPARE(TextPaste(QStringLiteral("555"), QStringLiteral("/1")), QStringLiteral("/1"));
    }

    void joinName() {
        QCOMPARE(JoinName("Mr", "John", "Q", "Smith"), QStringLiteral("Mr John Smith"));
        QCOMPARE(JoinName({}, {}, {}, "Smith"), QStringLiteral("Smith"));
        QCOMPARE(JoinName("Ms", "Ann", {}, {}), QStringLiteral("Ms Ann "));
        QCOMPARE(JoinName(" Mrs ", "  Jo ", "X", " Ray  "), QStringLiteral("Mrs Jo Ray"));
        QCOMPARE(JoinName("   ", "Jo", {}, "Ray"), QStringLiteral("Jo Ray"));
        QCOMPARE(JoinName({}, {}, "Q", {}), QString());
    }
};

TOLVAR_TEST(TestValidation)
#include "test_validation.moc"
