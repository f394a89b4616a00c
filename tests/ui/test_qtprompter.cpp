#include "testmain.h"
#include "ui/qtprompter.h"

#include <QAbstractButton>
#include <QTest>

Q_DECLARE_METATYPE(Buttons)
Q_DECLARE_METATYPE(Icon)

class TestQtPrompter : public QObject {
    Q_OBJECT
private slots:
    // Each set of buttons with its Escape button and the answer a closed box
    // gives, each icon as shown; the text is plain, its CR LF line breaks one.
    void messageBoxes_data() {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<int>("standard");
        QTest::addColumn<int>("escape");
        QTest::addColumn<int>("closed");
        QTest::addColumn<Icon>("icon");
        QTest::addColumn<int>("shown");
        const auto row = [](const char* name, Buttons b, int standard, int escape, Answer a,
                            Icon icon, QMessageBox::Icon shown) {
            QTest::newRow(name) << b << standard << escape << int(a) << icon << int(shown);
        };
        using B = QMessageBox;
        row("ok", Buttons::Ok, B::Ok, B::Ok, Answer::Ok, Icon::None, B::NoIcon);
        row("ok cancel", Buttons::OkCancel, B::Ok | B::Cancel, B::Cancel, Answer::Cancel,
            Icon::Information, B::Information);
        row("yes no", Buttons::YesNo, B::Yes | B::No, B::No, Answer::No, Icon::Question,
            B::Question);
        row("yes no cancel", Buttons::YesNoCancel, B::Yes | B::No | B::Cancel, B::Cancel,
            Answer::Cancel, Icon::Exclamation, B::Warning);
        row("retry cancel", Buttons::RetryCancel, B::Retry | B::Cancel, B::Cancel, Answer::Cancel,
            Icon::Critical, B::Critical);
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
        QCOMPARE(QtPrompter::qtFilter(fetched<QString>("filter")), fetched<QString>("qt"));
    }
};

TOLVAR_TEST(TestQtPrompter)
#include "test_qtprompter.moc"
