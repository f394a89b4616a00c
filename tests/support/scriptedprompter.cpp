#include "scriptedprompter.h"

#include <QDebug>
#include <QTest>

namespace {
const char* kindName(ScriptedPrompter::Kind k) {
    static const char* names[] = {"message",       "input box",        "beep",
                                  "print dialog",  "open-file dialog", "save-file dialog",
                                  "colour dialog", "font dialog"};
    return names[static_cast<int>(k)];
}

QString describe(const ScriptedPrompter::Step& s) {
    return QStringLiteral("%1 \"%2\" (title \"%3\", buttons %4, icon %5)")
        .arg(QLatin1String(kindName(s.kind)), s.text, s.title)
        .arg(static_cast<int>(s.buttons))
        .arg(static_cast<int>(s.icon));
}
}  // namespace

ScriptedPrompter::~ScriptedPrompter() {
    // A test that already failed has said what went wrong; the leftovers of
    // its script would only repeat it.
    if (!done() && !QTest::currentTestFailed() && QTest::currentTestFunction()) {
        QTest::qFail(qPrintable(report()), __FILE__, __LINE__);
    }
}

ScriptedPrompter& ScriptedPrompter::add(Step s) {
    if (s.kind == Kind::Beep) {
        m_strictBeeps = true;
    }
    m_steps << std::move(s);
    return *this;
}

QString ScriptedPrompter::report() const {
    QStringList lines = m_errors;
    for (const Step& s : m_steps) {
        lines << QStringLiteral("expected but not shown: ") + describe(s);
    }
    return lines.join(QLatin1Char('\n'));
}

// The next step if it is what was shown; only messages and input boxes are
// told apart by their texts, and only messages by buttons and icon.
std::optional<ScriptedPrompter::Step> ScriptedPrompter::take(const Step& shown) {
    const bool hasText = shown.kind == Kind::Message || shown.kind == Kind::Input;
    const bool matches =
        !m_steps.isEmpty() && m_steps.first().kind == shown.kind &&
        (!hasText ||
         (m_steps.first().text == shown.text && m_steps.first().title == shown.title)) &&
        (shown.kind != Kind::SaveFile || m_steps.first().title == shown.title) &&
        (shown.kind != Kind::Message ||
         (m_steps.first().buttons == shown.buttons && m_steps.first().icon == shown.icon));
    if (!matches) {
        const QString error = m_steps.isEmpty()
                                  ? QStringLiteral("unexpected ") + describe(shown)
                                  : QStringLiteral("expected %1 but got %2")
                                        .arg(describe(m_steps.first()), describe(shown));
        m_errors << error;
        qWarning().noquote() << error;
        return std::nullopt;
    }
    return m_steps.takeFirst();
}

Answer ScriptedPrompter::message(const QString& text, const QString& title, Buttons buttons,
                                 Icon icon) {
    const std::optional<Step> s = take({Kind::Message, text, title, Answer::Ok, buttons, icon});
    return s ? s->answer : buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

bool ScriptedPrompter::inputBox(const QString& prompt, const QString& title, QString* value) {
    const std::optional<Step> s = take({Kind::Input, prompt, title});
    if (s) {
        *value = s->value;
    }
    return s && s->accept;
}

void ScriptedPrompter::beep() {
    ++m_beeps;
    if (m_strictBeeps) {
        static_cast<void>(take({Kind::Beep}));
    }
}

bool ScriptedPrompter::printDialog(PrintRequest* request) {
    m_printRequests << *request;
    const std::optional<Step> s = take({Kind::Print});
    if (s) {
        request->copies = s->copies;
    }
    return s && s->accept;
}

QString ScriptedPrompter::openFile(const QString&, const QString&, const QString&) {
    const std::optional<Step> s = take({Kind::OpenFile});
    return s ? s->value : QString();
}

QString ScriptedPrompter::saveFile(const QString& title, const QString&, const QString&) {
    const std::optional<Step> s = take({.kind = Kind::SaveFile, .title = title});
    return s ? s->value : QString();
}

bool ScriptedPrompter::chooseColour(quint32* rgb) {
    const std::optional<Step> s = take({Kind::Colour});
    if (s && s->accept) {
        *rgb = s->value.toUInt();
    }
    return s && s->accept;
}

bool ScriptedPrompter::chooseFont(FontChoice* font) {
    const std::optional<Step> s = take({Kind::Font});
    if (s && s->accept) {
        *font = s->font;
    }
    return s && s->accept;
}
