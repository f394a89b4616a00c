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
        QTest::newRow("ok") << Buttons::Ok << int(QMessageBox::Ok) << int(QMessageBox::Ok)
                            << int(Answer::Ok);
        QTest::newRow("ok cancel")
            << Buttons::OkCancel << int(QMessageBox::Ok | QMessageBox::Cancel)
            << int(QMessageBox::Cancel) << int(Answer::Cancel);
        QTest::newRow("yes no") << Buttons::YesNo << int(QMessageBox::Yes | QMessageBox::No)
                                << int(QMessageBox::No) << int(Answer::No);
        QTest::newRow("yes no cancel")
            << Buttons::YesNoCancel << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
            << int(QMessageBox::Cancel) << int(Answer::Cancel);
        QTest::newRow("retry cancel")
            << Buttons::RetryCancel << int(QMessageBox::Retry | QMessageBox::Cancel)
            << int(QMessageBox::Cancel) << int(Answer::Cancel);
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

    void answers_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("ok") << int(QMessageBox::Ok) << int(Answer::Ok);
        QTest::newRow("yes") << int(QMessageBox::Yes) << int(Answer::Yes);
        QTest::newRow("no") << int(QMessageBox::No) << int(Answer::No);
        QTest::newRow("retry") << int(QMessageBox::Retry) << int(Answer::Retry);
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << int(Answer::Cancel);
    }
    void answers() {
        QFETCH(int, button);
        QFETCH(int, answer);
        QCOMPARE(int(QtPrompter::answerOf(static_cast<QMessageBox::StandardButton>(button),
                                          Buttons::YesNoCancel)),
                 answer);
    }

    void fileFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("logo pictures")
            << "Pictures |(*.bmp;*.BMP;*.ico;*.ICO; *.cur; *.CUR;*jpg;*JPG; *.EMF)|All|*.*"
            << "Pictures (*.bmp *.BMP *.ico *.ICO *.cur *.CUR *jpg *JPG *.EMF);;All (*)";
        QTest::newRow("described pairs") << "Text (*.txt)|*.txt"
                                         << "Text (*.txt)";
        QTest::newRow("odd piece dropped") << "A|*.a|B"
                                           << "A (*.a)";
        QTest::newRow("qt filter kept") << "Images (*.png *.jpg)"
                                        << "Images (*.png *.jpg)";
        QTest::newRow("none") << ""
                              << "";
    }
    void fileFilters() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(QtPrompter::qtFilter(filter), qt);
    }
};

TOLVAR_TEST(TestQtPrompter)
#include "test_qtprompter.moc"
