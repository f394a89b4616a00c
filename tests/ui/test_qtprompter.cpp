#include "cases.h"
#include "testmain.h"
#include "ui/qtprompter.h"

#include <QAbstractButton>
#include <QTest>

class TestQtPrompter : public QObject {
    Q_OBJECT
private slots:
    // Each set of buttons with its Escape button, the answer a closed box
    // gives and that of one of its buttons, each icon as shown; the text is
    // plain, its CR LF line breaks one.
    void messageBoxes() {
        using B = QMessageBox;
        const struct {
            Buttons buttons;
            int standard;
            B::StandardButton escape;
            Answer closed;
            B::StandardButton pressed;
            Answer answer;
            Icon icon;
            B::Icon shown;
        } rows[] = {
            {Buttons::Ok, B::Ok, B::Ok, Answer::Ok, B::Ok, Answer::Ok, Icon::None, B::NoIcon},
            {Buttons::OkCancel, B::Ok | B::Cancel, B::Cancel, Answer::Cancel, B::Cancel,
             Answer::Cancel, Icon::Information, B::Information},
            {Buttons::YesNo, B::Yes | B::No, B::No, Answer::No, B::Yes, Answer::Yes, Icon::Question,
             B::Question},
            {Buttons::YesNoCancel, B::Yes | B::No | B::Cancel, B::Cancel, Answer::Cancel, B::No,
             Answer::No, Icon::Exclamation, B::Warning},
            {Buttons::RetryCancel, B::Retry | B::Cancel, B::Cancel, Answer::Cancel, B::Retry,
             Answer::Retry, Icon::Critical, B::Critical},
        };
        for (const auto& row : rows) {
            const auto box = QtPrompter::makeMessageBox(
                QStringLiteral("Use <b>Plain</b> Paper\r\nClick Yes to connect to a Supplier"),
                QStringLiteral("Order Paper"), row.buttons, row.icon);
            QCOMPARE(box->windowTitle() + '|' + box->text(),
                     "Order Paper|Use <b>Plain</b> Paper\nClick Yes to connect to a Supplier");
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(int(box->standardButtons()), row.standard);
            QCOMPARE(box->icon(), row.shown);
            QVERIFY(box->escapeButton());
            QCOMPARE(box->standardButton(box->escapeButton()), row.escape);
            QCOMPARE(QtPrompter::answerOf(QMessageBox::NoButton, row.buttons), row.closed);
            QCOMPARE(QtPrompter::answerOf(row.pressed, row.buttons), row.answer);
        }
    }

    void fileFilters_data() { cases::load(QStringLiteral("ui/cases.txt"), "filter"); }
    void fileFilters() {
        const cases::Row c = cases::row();
        QCOMPARE(QtPrompter::qtFilter(c.text(0)), c.text(1));
    }
};

TOLVAR_TEST(TestQtPrompter)
#include "test_qtprompter.moc"
