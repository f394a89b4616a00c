#pragma once

#include "casefile.h"
#include "folders.h"
#include "scriptedprompter.h"
#include "tempapp.h"

#include <QLocale>

#include <memory>
#include <optional>

// The files that are new or changed in `after`.
inline Files changed(const Files& before, Files after) {
    after.removeIf([&before](const auto& it) {
        return before.contains(it.key()) && before.value(it.key()) == it.value();
    });
    return after;
}

// Golden files of this area live in tests/data/accounts.
namespace Golden {
inline QString path(const QString& name) {
    return QStringLiteral(TOLVAR_TEST_DATA "/accounts/") + name;
}

inline QByteArray read(const QString& name) {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no golden file)");
}
}  // namespace Golden

// Expects the message box `name` of tests/data/accounts/prompts.txt.
inline void expect(ScriptedPrompter& p, const QString& name, Answer a = Answer::Ok,
                   const QStringList& args = {}) {
    CaseFile::expectPrompt(p, "accounts/prompts.txt", name, a, args);
}

// Every file of the folder tests/data/accounts/`name` written into the application folder.
inline void seed(const TempApp& app, const QString& name) {
    const Files files = snapshot(Golden::path(name));
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        app.write(it.key(), it.value());
    }
}

// A row of a proposal table as "number;date;customer;amount".
inline QString rowText(const ProposalRow& r) {
    return QStringList{r.number, r.date, r.customer, r.amount}.join(u';');
}

// A test body under another default locale; en_US again after it.
struct LocaleScope {
    explicit LocaleScope(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~LocaleScope() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;
};

using CaseFile::yes;

// The steps both scenario files share, on the fixture that "open" makes (its
// TempApp `app`): the default locale, files written, made, removed and kept,
// message boxes of tests/data/accounts/prompts.txt, and the files against
// those kept or against a golden folder.
template <typename Fixture>
struct Scenario {
    std::optional<LocaleScope> locale;
    std::unique_ptr<Fixture> f;
    Files kept;

    Files files() const { return snapshot(f->app.dir.path()); }
    Files changedFiles() const { return changed(kept, files()); }
    void addTo(CaseFile::Actions& actions, CaseFile::Results& results) {
        using CaseFile::Args;
        actions.insert(CaseFile::Actions{
            {"locale", [this](Args a) { locale.emplace(a[0]); }},
            {"write", [this](Args a) { f->app.write(a[0], a[1].toUtf8()); }},
            {"mkdir", [this](Args a) { f->app.mkdir(a[0]); }},
            {"remove", [this](Args a) { QFile::remove(f->app.path(a[0])); }},
            {"keep", [this](Args) { kept = files(); }},
            {"prompt", [this](Args a) {
                 CaseFile::expectStep(f->app.prompter, "accounts/prompts.txt", f->app, a);
             }}});
        results.insert(CaseFile::Results{
            {"unchanged", [this](Args) { return yes(files() == kept); }},
            {"golden",
             [this](Args a) { return yes(changedFiles() == snapshot(Golden::path(a[0]))); }}});
    }
};
