#include "testmain.h"
#include "ui/qtprompter.h"

#include <QAbstractButton>
#include <QTest>

Q_DECLARE_METATYPE(Buttons)
Q_DECLARE_METATYPE(Icon)

class TestQtPrompter : public QObject {
    Q_OBJECT
private slots:
    void messageBoxes_data() {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<int>("standard");
        QTest::addColumn<int>("escape");
        QTest::addColumn<int>("closed");  // the answer when the box is closed
        const auto row = [](const char* name, Buttons b, int standard, int escape, Answer a) {
            QTest::newRow(name) << b << standard << escape << int(a);
        };
        using B = QMessageBox;
        row("ok", Buttons::Ok, B::Ok, B::Ok, Answer::Ok);
        row("ok cancel", Buttons::OkCancel, B::Ok | B::Cancel, B::Cancel, Answer::Cancel);
        row("yes no", Buttons::YesNo, B::Yes | B::No, B::No, Answer::No);
        row("yes no cancel", Buttons::YesNoCancel, B::Yes | B::No | B::Cancel, B::Cancel,
            Answer::Cancel);
        row("retry cancel", Buttons::RetryCancel, B::Retry | B::Cancel, B::Cancel, Answer::Cancel);
    }
    void messageBoxes() {
        QFETCH(Buttons, buttons);
        QFETCH(int, standard);
        QFETCH(int, escape);
        QFETCH(int, closed);
        const auto box = QtPrompter::makeMessageBox(
            QStringLiteral(
                "Use Plain Paper for Reports (etc)\r\nClick Yes to connect to a Supplier"),
            QStringLiteral("Order Paper"), buttons, Icon::None);
        QCOMPARE(box->windowTitle(), QStringLiteral("Order Paper"));
        QCOMPARE(box->text(), QStringLiteral("Use Plain Paper for Reports (etc)\nClick Yes to "
                                             "connect to a Supplier"));
        QCOMPARE(int(box->standardButtons()), standard);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QVERIFY(box->escapeButton());
        QCOMPARE(int(box->standardButton(box->escapeButton())), escape);
        QCOMPARE(int(QtPrompter::answerOf(QMessageBox::NoButton, buttons)), closed);
    }

    void icons_data() {
        QTest::addColumn<Icon>("icon");
        QTest::addColumn<int>("shown");
        QTest::newRow("none") << Icon::None << int(QMessageBox::NoIcon);
        QTest::newRow("information") << Icon::Information << int(QMessageBox::Information);
        QTest::newRow("question") << Icon::Question << int(QMessageBox::Question);
        QTest::newRow("exclamation") << Icon::Exclamation << int(QMessageBox::Warning);
        QTest::newRow("critical") << Icon::Critical << int(QMessageBox::Critical);
    }
    void icons() {
        QFETCH(Icon, icon);
        QFETCH(int, shown);
        const auto box =
            QtPrompter::makeMessageBox(QStringLiteral("x"), QStringLiteral("t"), Buttons::Ok, icon);
        QCOMPARE(int(box->icon()), shown);
    }

    void textIsPlain() {
        const auto box = QtPrompter::makeMessageBox(QStringLiteral("<b>1 < 2</b>"), QString(),
                                                    Buttons::Ok, Icon::None);
        QCOMPARE(box->textFormat(), Qt::PlainText);
    }

    void answers() {
        const QList<std::pair<QMessageBox::StandardButton, Answer>> pairs{
            {QMessageBox::Ok, Answer::Ok},
            {QMessageBox::Yes, Answer::Yes},
            {QMessageBox::No, Answer::No},
            {QMessageBox::Retry, Answer::Retry},
            {QMessageBox::Cancel, Answer::Cancel}};
        for (const auto& [button, answer] : pairs) {
            QCOMPARE(QtPrompter::answerOf(button, Buttons::YesNoCancel), answer);
        }
    }

    void fileFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("logo pictures")
            << "Pictures |(*.bmp;*.BMP;*.ico;*.ICO; *.cur; *.CUR;*jpg;*JPG; *.EMF)|All|*.*"
            << "Pictures (*.bmp *.BMP *.ico *.ICO *.cur *.CUR *jpg *JPG *.EMF);;All (*)";
        QTest::newRow("described pairs") << "Text (*.txt)|*.txt" << QString("Text (*.txt)");
        QTest::newRow("odd piece dropped") << "A|*.a|B" << QString("A (*.a)");
        QTest::newRow("qt filter kept")
            << "Images (*.png *.jpg)" << QString("Images (*.png *.jpg)");
        QTest::newRow("none") << QString() << QString();
    }
    void fileFilters() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(QtPrompter::qtFilter(filter), qt);
    }
};

TOLVAR_TEST(TestQtPrompter)
#include "test_qtprompter.moc"
