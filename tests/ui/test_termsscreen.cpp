#include "proposals/terms.h"
#include "testmain.h"
#include "uitesthelpers.h"

class TestTermsScreen : public QObject {
    Q_OBJECT
private slots:
    // The custom terms are written in the flow "terms".
    void genericTerms() {
        UiRig s;
        s.screens.show("frmTerms");
        QCOMPARE(s.text("Label1(1)"), Terms::GenericTerms());
        QCOMPARE(s.text("Label1(0)"), Terms::GenericDisclaimer());
    }
};

TOLVAR_TEST(TestTermsScreen)
#include "test_termsscreen.moc"
