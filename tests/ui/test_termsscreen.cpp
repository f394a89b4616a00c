#include "proposals/terms.h"
#include "testmain.h"
#include "uitesthelpers.h"

class TestTermsScreen : public QObject {
    Q_OBJECT
private slots:
    void customTermsFromTheMenu() {
        UiRig s;
        s.flow("terms");
    }

    void genericTermsAndTitle() {
        UiRig s;
        Screen* terms = s.screens.show("frmTerms");
        QCOMPARE(terms->windowTitle(),
                 QStringLiteral("Custom Terms and Disclaimer Creation Screen"));
        QCOMPARE(s.text("Label1(1)"), Terms::GenericTerms());
        QCOMPARE(s.text("Label1(0)"), Terms::GenericDisclaimer());
    }
};

TOLVAR_TEST(TestTermsScreen)
#include "test_termsscreen.moc"
