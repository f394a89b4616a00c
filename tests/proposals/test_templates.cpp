#include "proposals/bodybuilder.h"
#include "proposals/templates.h"
#include "proposals/terms.h"
#include "proposalsfixture.h"
#include "shell/filestore.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

namespace {
const QString kFolder = QStringLiteral("Templates/Proposals");

// Every entry below the application folder, folders included.
QStringList entries(const TempApp& app) {
    QStringList out;
    for (const QString& d : {QString(), QStringLiteral("Templates"), kFolder}) {
        for (const QString& e :
             QDir(app.path(d)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            out << d + QLatin1Char('/') + e;
        }
    }
    return out;
}

// The templates and custom texts of an application folder without the
// proposal folders.
struct TemplatesApp : ScriptApp {
    BodyBuilder body{Terms::GenericTerms()};

    TemplatesApp() : ScriptApp(false) {}

    // The steps of template_scripts.txt for templates and custom terms.
    bool screenStep(const QStringList& a) override {
        const QString arg = a.value(1);
        const QString t1 = QString::fromUtf8(CaseUnescaped(arg.toUtf8()));
        const QString t2 = QString::fromUtf8(CaseUnescaped(a.value(2).toUtf8()));
        FileStore& store = ctx->store();
        const QString terms = Terms::customTermsPath();
        Templates t(*ctx);
        const Steps steps{
            {"body", [&] { body.setText(t1); }},
            {"save", [&] { QCOMPARE(int(t.save(body)), arg.toInt()); }},
            {"deleteTemplate", [&] { QCOMPARE(t.remove(arg), t2 == "yes"); }},
            {"templates", [&] { QCOMPARE(t.list().join(u';'), arg); }},
            {"available", [&] { QCOMPARE(t.available(), arg == "yes"); }},
            {"loadTemplate", [&] { QCOMPARE(t.load(arg).value_or("-"), t2); }},
            {"entries", [&] { QCOMPARE(entries(*this).join(u';'), arg); }},
            {"loadCustom",
             [&] { QCOMPARE(Terms::loadCustomText(store, terms).value.value_or("-"), arg); }},
            {"saveCustom", [&] { QVERIFY(Terms::saveCustomText(store, terms, t1)); }},
            {"deleteCustom", [&] { QVERIFY(Terms::deleteCustomText(store, terms)); }}};
        return take(steps, a);
    }
};
}  // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private slots:
    // Saving, refused names, deleting, loading and listing, custom terms
    // through the store: each a script.
    void scripts_data() { loadScripts(QStringLiteral("template_scripts.txt")); }
    void scripts() {
        TemplatesApp app;
        app.runScript();
    }

    // One quoted field with CR LF line breaks inside, then CR LF.
    void customTextBytes_data() { cases::load(QStringLiteral("proposals/custom_texts.txt")); }
    void customTextBytes() {
        const cases::Row c = cases::row();
        QCOMPARE(Terms::customTextBytes(c.text(0)), c.bytes(1));
        QCOMPARE(Terms::parseCustomText(c.bytes(1)), c.text(2));
    }

    void hostileCustomText_data() {
        cases::load(QStringLiteral("proposals/custom_texts_hostile.txt"));
    }
    void hostileCustomText() {
        QCOMPARE(Terms::parseCustomText(cases::row().bytes(0)), cases::row().text(1));
    }
};

TOLVAR_TEST(TestTemplates)
#include "test_templates.moc"
