#include "testmain.h"
#include "ui/qtprompter.h"

#include <QAbstractButton>
#include <QTest>

Q_DECLARE_METATYPE(Buttons)
Q_DECLARE_METATYPE(Icon)

class TestQtPrompter : public QObject {
    Q_OBJECT
private slots:
    // Each set of buttons with its Escape button, the answer a closed box
    // gives and that of one of its buttons, each icon as shown; the text is
    // plain, its CR LF line breaks one.
    void messageBoxes_data() {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<int>("standard");
        QTest::addColumn<int>("escape");
        QTest::addColumn<int>("closed");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<Icon>("icon");
        QTest::addColumn<int>("shown");
        const auto row = [](const char* name, Buttons b, int standard, int escape, Answer closed,
                            QMessageBox::StandardButton pressed, Answer answer, Icon icon,
                            QMessageBox::Icon shown) {
            QTest::newRow(name) << b << standard << escape << int(closed) << int(pressed)
                                << int(answer) << icon << int(shown);
        };
        using B = QMessageBox;
        using A = Answer;
        row("ok", Buttons::Ok, B::Ok, B::Ok, A::Ok, B::Ok, A::Ok, Icon::None, B::NoIcon);
        row("ok cancel", Buttons::OkCancel, B::Ok | B::Cancel, B::Cancel, A::Cancel, B::Cancel,
            A::Cancel, Icon::Information, B::Information);
        row("yes no", Buttons::YesNo, B::Yes | B::No, B::No, A::No, B::Yes, A::Yes, Icon::Question,
            B::Question);
        row("yes no cancel", Buttons::YesNoCancel, B::Yes | B::No | B::Cancel, B::Cancel, A::Cancel,
            B::No, A::No, Icon::Exclamation, B::Warning);
        row("retry cancel", Buttons::RetryCancel, B::Retry | B::Cancel, B::Cancel, A::Cancel,
            B::Retry, A::Retry, Icon::Critical, B::Critical);
    }
    void messageBoxes() {
        const Buttons buttons = fetched<Buttons>("buttons");
        const auto box = QtPrompter::makeMessageBox(
            QStringLiteral("Use <b>Plain</b> Paper\r\nClick Yes to connect to a Supplier"),
            QStringLiteral("Order Paper"), buttons, fetched<Icon>("icon"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Order Paper"));
        QCOMPARE(box->text(),
                 QStringLiteral("Use <b>Plain</b> Paper\nClick Yes to connect to a Supplier"));
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(int(box->standardButtons()), fetched<int>("standard"));
        QCOMPARE(int(box->icon()), fetched<int>("shown"));
        QVERIFY(box->escapeButton());
        QCOMPARE(int(box->standardButton(box->escapeButton())), fetched<int>("escape"));
        QCOMPARE(int(QtPrompter::answerOf(QMessageBox::NoButton, buttons)), fetched<int>("closed"));
        const auto pressed = QMessageBox::StandardButton(fetched<int>("pressed"));
        QCOMPARE(int(QtPrompter::answerOf(pressed, buttons)), fetched<int>("answer"));
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
        QCOMPARE(QtPrompter::qtFilter(fetched<QString>("filter")), fetched<QString>("qt"));
    }
};

TOLVAR_TEST(TestQtPrompter)
#include "test_qtprompter.moc"
