#include "testmain.h"
#include "ui/frmsplash.h"
#include "uitesthelpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {
QWidget* control(ScreenApp& s, const QString& screen, const QString& name) {
    Screen* w = s.screens->find(screen);
    return w ? w->findChild<QWidget*>(name) : nullptr;
}
}  // namespace

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void controlsCarryTheirTexts() {
        ScreenApp s;
        s.screens->show(QStringLiteral("frmSplash"));
        auto* cont = qobject_cast<QPushButton*>(control(s, "frmSplash", "cmdContinue"));
        QVERIFY(cont);
        QCOMPARE(cont->text(), QStringLiteral("Continue"));
        QCOMPARE(cont->toolTip(), QStringLiteral("Starts the Program"));
        for (const char* logo : {"Image1(0)", "Image1(1)"}) {
            QWidget* image = control(s, "frmSplash", QString::fromLatin1(logo));
            QVERIFY2(image, logo);
            QCOMPARE(image->toolTip(), QStringLiteral("Shows the Setup Screen"));
            // No setup screen in the program yet: the logo leads nowhere.
            QVERIFY(!image->isEnabled());
        }
        auto* welcome = qobject_cast<QGroupBox*>(control(s, "frmSplash", "fraWelcome"));
        QVERIFY(welcome);
        QVERIFY(!welcome->isVisible());
        QStringList texts;
        for (const QLabel* l : welcome->findChildren<QLabel*>()) {
            texts << l->text();
        }
        const QStringList expected{
            "It has a series of File Folders where information the program requires is stored.",
            "The Setup Screen will be displayed when you click our LOGO.",
            "Enter the information for each Folder.",
            "When you're completed, click on the Menu Button. That's it!",
            "The program will start.(Unless you forgot something)",
            "You may return to the Setup Screen at any time and make changes by Selecting Files | "
            "Create/Modify from the Main Menu Screen.",
            "If you see this screen after initial Setup, one of your files is missing.",
            "An unsuccessful attempt was made to restore it from the Backup Folder. You need to "
            "recreate it.",
            "LOGO >"};
        QCOMPARE(texts, expected);
        QCOMPARE(s.screens->find(QStringLiteral("frmSplash"))->windowTitle(),
                 QStringLiteral("Tolvar Proposals"));
    }

    void continueShowsWelcomeOrMenu_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("menu");
        QTest::newRow("first run") << QStringList() << false;
        QTest::newRow("no print colours") << QStringList{"MyBusinessData.txt"} << false;
        QTest::newRow("no business data") << QStringList{"PrintColors.txt"} << false;
        QTest::newRow("both") << QStringList{"MyBusinessData.txt", "PrintColors.txt"} << true;
        QTest::newRow("colours in the backup")
            << QStringList{"MyBusinessData.txt", "Backup/PrintColors.txt"} << true;
    }
    void continueShowsWelcomeOrMenu() {
        QFETCH(QStringList, files);
        QFETCH(bool, menu);
        ScreenApp s;
        for (const QString& f : files) {
            s.app.write(f, "x\r\n");
        }
        s.screens->show(QStringLiteral("frmSplash"));
        QTest::mouseClick(control(s, "frmSplash", "cmdContinue"), Qt::LeftButton);
        QCOMPARE(s.visible(QStringLiteral("frmStartup")), menu);
        QCOMPARE(s.screens->isLoaded(QStringLiteral("frmSplash")), !menu);
        if (!menu) {
            QVERIFY(s.visible(QStringLiteral("frmSplash")));
            QVERIFY(control(s, "frmSplash", "fraWelcome")->isVisible());
        } else {
            QVERIFY(s.app.exists("PrintColors.txt"));
        }
        QCOMPARE(s.quits, 0);
    }

    void logoLeadsToTheSetupScreen_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("splash logo") << 0;
        QTest::newRow("welcome logo") << 1;
    }
    void logoLeadsToTheSetupScreen() {
        QFETCH(int, index);
        ScreenApp s;
        s.provide(QStringLiteral("frmSetup"));
        s.screens->show(QStringLiteral("frmSplash"));
        QTest::mouseClick(control(s, "frmSplash", "cmdContinue"), Qt::LeftButton);
        QWidget* welcome = control(s, "frmSplash", "fraWelcome");
        QVERIFY(welcome->isVisible());
        auto* logo = qobject_cast<QToolButton*>(
            control(s, "frmSplash", QStringLiteral("Image1(%1)").arg(index)));
        QVERIFY(logo->isEnabled());
        QTest::mouseClick(logo, Qt::LeftButton);
        QVERIFY(s.visible(QStringLiteral("frmSetup")));
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmSplash")));
        QCOMPARE(s.quits, 0);
    }

    void theLogoIsDrawn() {
        ScreenApp s;
        s.screens->show(QStringLiteral("frmSplash"));
        auto* logo = qobject_cast<QToolButton*>(control(s, "frmSplash", "Image1(0)"));
        const QImage picture = logo->icon().pixmap(logo->iconSize()).toImage();
        QVERIFY(!picture.isNull());
        // The left edge of the logo is its dark blue ground, not a blank.
        const QColor centre = picture.pixelColor(picture.width() / 10, picture.height() / 2);
        QCOMPARE(centre.alpha(), 255);
        QVERIFY(centre.blue() > centre.red());
    }
};

TOLVAR_TEST(TestSplash)
#include "test_splash.moc"
