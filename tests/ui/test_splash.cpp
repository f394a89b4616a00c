#include "testmain.h"
#include "ui/frmsplash.h"
#include "uitesthelpers.h"

#include <QImage>
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
            // No setup screen in this program: the logos lead nowhere.
            QVERIFY(!control(s, "frmSplash", "Image1(0)")->isEnabled());
            QVERIFY(!control(s, "frmSplash", "Image1(1)")->isEnabled());
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
