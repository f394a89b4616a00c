#include "casefile.h"
#include "print/validation.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

// The key filters of amount and text boxes, the money form on leaving an
// amount box, and the joined name; the cases are in tests/data/print.
class TestValidation : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { init(); }

    void amountKey_data() { cases::load(QStringLiteral("print/amount_keys.txt")); }
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

    void formatAmountBox_data() { cases::load(QStringLiteral("print/amount_boxes.txt")); }
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
            QCOMPARE(number, !shown.isEmpty());
            QCOMPARE(box.text(), shown);
            QCOMPARE(box.timesFocused(), number ? 0 : 1);
            QCOMPARE(app.prompter.beeps(), !number && alarms ? 1 : 0);
        }
    }

    // A refused key is told, beeped when alarms sound, and leaves the box.
    void textKey_data() { cases::load(QStringLiteral("print/text_keys.txt")); }
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
                QCOMPARE(TextKey(*app.ctx, key.unicode(), box), takes ? int(key.unicode()) : 0);
                QCOMPARE(box.text(), c.text(0));
                QCOMPARE(box.timesFocused(), takes ? 0 : 1);
                QCOMPARE(app.prompter.beeps(), alarms && !takes ? 1 : 0);
            }
        }
    }

    void textPaste_data() { cases::load(QStringLiteral("print/text_pastes.txt")); }
    void textPaste() {
        const cases::Row c = cases::row();
        QCOMPARE(TextPaste(c.text(0), c.text(1)), c.text(2));
    }

    void joinName_data() { cases::load(QStringLiteral("print/joined_names.txt")); }
    void joinName() {
        const cases::Row c = cases::row();
        QCOMPARE(JoinName(c.text(0), c.text(1), c.text(2), c.text(3)), c.text(4));
    }
};

TOLVAR_TEST(TestValidation)
#include "test_validation.moc"
