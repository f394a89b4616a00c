#include "cases.h"
#include "testmain.h"
#include "ui/qtprompter.h"

#include <QAbstractButton>
#include <QMetaEnum>
#include <QTest>

class TestQtPrompter : public QObject {
    Q_OBJECT
private slots:
    // The text is plain, its CR LF line breaks one.
    void messageBoxes_data() { cases::load(QStringLiteral("ui/cases.txt"), "box"); }
    void messageBoxes() {
        const cases::Row c = cases::row();
        const QMetaEnum standard = QMetaEnum::fromType<QMessageBox::StandardButtons>();
        const auto buttons = Buttons(c[0].toInt());
        const auto box = QtPrompter::makeMessageBox(
            QStringLiteral("Use <b>Plain</b> Paper\r\nClick Yes to connect to a Supplier"),
            QStringLiteral("Order Paper"), buttons, Icon(c[1].toInt()));
        QCOMPARE(box->windowTitle() + '|' + box->text(),
                 "Order Paper|Use <b>Plain</b> Paper\nClick Yes to connect to a Supplier");
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(int(box->standardButtons()), standard.keysToValue(c[2]));
        QCOMPARE(int(box->icon()), QMetaEnum::fromType<QMessageBox::Icon>().keyToValue(c[7]));
        QCOMPARE(int(box->standardButton(box->escapeButton())), standard.keysToValue(c[3]));
        QCOMPARE(QtPrompter::answerOf(QMessageBox::NoButton, buttons), Answer(c[4].toInt()));
        const auto pressed = QMessageBox::StandardButton(standard.keysToValue(c[5]));
        QCOMPARE(QtPrompter::answerOf(pressed, buttons), Answer(c[6].toInt()));
    }

    void fileFilters_data() { cases::load(QStringLiteral("ui/cases.txt"), "filter"); }
    void fileFilters() {
        const cases::Row c = cases::row();
        QCOMPARE(QtPrompter::qtFilter(c.text(0)), c.text(1));
    }
};

TOLVAR_TEST(TestQtPrompter)
#include "test_qtprompter.moc"
