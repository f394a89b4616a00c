#include "scriptedprompter.h"

#include <QDebug>
#include <QTest>

namespace {
QString kindName(ScriptedPrompter::Kind k) {
    switch (k) {
        case ScriptedPrompter::Kind::Message: return QStringLiteral("message");
        case ScriptedPrompter::Kind::Input: return QStringLiteral("input box");
        case ScriptedPrompter::Kind::Beep: return QStringLiteral("beep");
        case ScriptedPrompter::Kind::Print: return QStringLiteral("print dialog");
        case ScriptedPrompter::Kind::OpenFile: return QStringLiteral("open-file dialog");
        case ScriptedPrompter::Kind::Colour: return QStringLiteral("colour dialog");
        case ScriptedPrompter::Kind::Font: return QStringLiteral("font dialog");
    }
    return {};
}

ScriptedPrompter::Step makeStep(ScriptedPrompter::Kind kind, const QString& text,
                                const QString& title) {
    ScriptedPrompter::Step s;
    s.kind = kind;
    s.text = text;
    s.title = title;
    return s;
}
}  // namespace

ScriptedPrompter::~ScriptedPrompter() {
    // A test that already failed has said what went wrong; the leftovers of
    // its script would only repeat it.
    if (!done() && !QTest::currentTestFailed() && QTest::currentTestFunction()) {
        QTest::qFail(qPrintable(report()), __FILE__, __LINE__);
    }
}

ScriptedPrompter& ScriptedPrompter::expectMessage(const QString& text, const QString& title,
                                                  Icon icon) {
    return expectQuestion(text, title, Buttons::Ok, icon, Answer::Ok);
}

ScriptedPrompter& ScriptedPrompter::expectQuestion(const QString& text, const QString& title,
                                                   Buttons buttons, Icon icon, Answer answer) {
    Step s = makeStep(Kind::Message, text, title);
    s.answer = answer;
    s.buttons = buttons;
    s.icon = icon;
    m_steps << s;
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectInput(const QString& prompt, const QString& title,
                                                const QString& value, bool accept) {
    Step s = makeStep(Kind::Input, prompt, title);
    s.value = value;
    s.accept = accept;
    m_steps << s;
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectBeep() {
    m_strictBeeps = true;
    m_steps << makeStep(Kind::Beep, {}, {});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectPrintDialog(bool accept, int copies) {
    Step s = makeStep(Kind::Print, {}, {});
    s.accept = accept;
    s.copies = copies;
    m_steps << s;
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectOpenFile(const QString& path) {
    Step s = makeStep(Kind::OpenFile, {}, {});
    s.value = path;
    m_steps << s;
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectColour(quint32 rgb, bool accept) {
    Step s = makeStep(Kind::Colour, {}, {});
    s.value = QString::number(rgb);
    s.accept = accept;
    m_steps << s;
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectFont(const FontChoice& font, bool accept) {
    Step s = makeStep(Kind::Font, {}, {});
    s.font = font;
    s.accept = accept;
    m_steps << s;
    return *this;
}

QString ScriptedPrompter::report() const {
    QStringList lines = m_errors;
    for (const Step& s : m_steps) {
        lines << QStringLiteral("expected but not shown: %1 \"%2\"").arg(kindName(s.kind), s.text);
    }
    return lines.join(QLatin1Char('\n'));
}

bool ScriptedPrompter::take(Kind kind, const QString& text, const QString& title, Step* step) {
    if (m_steps.isEmpty()) {
        fail(QStringLiteral("unexpected %1 \"%2\" (title \"%3\")").arg(kindName(kind), text, title));
        return false;
    }
    const Step next = m_steps.first();
    const bool textMatches = (kind != Kind::Message && kind != Kind::Input) || next.text == text;
    const bool titleMatches = (kind != Kind::Message && kind != Kind::Input) || next.title == title;
    if (next.kind != kind || !textMatches || !titleMatches) {
        fail(QStringLiteral("expected %1 \"%2\" (title \"%3\") but got %4 \"%5\" (title \"%6\")")
                 .arg(kindName(next.kind), next.text, next.title, kindName(kind), text, title));
        return false;
    }
    *step = m_steps.takeFirst();
    return true;
}

void ScriptedPrompter::fail(const QString& error) {
    m_errors << error;
    qWarning().noquote() << error;
}

Answer ScriptedPrompter::message(const QString& text, const QString& title, Buttons buttons,
                                 Icon icon) {
    m_shown << text;
    Step s;
    if (!take(Kind::Message, text, title, &s)) {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    if (s.buttons != buttons) {
        fail(QStringLiteral("message \"%1\" shown with buttons %2, expected %3")
                 .arg(text).arg(static_cast<int>(buttons)).arg(static_cast<int>(s.buttons)));
    }
    if (s.icon != icon) {
        fail(QStringLiteral("message \"%1\" shown with icon %2, expected %3")
                 .arg(text).arg(static_cast<int>(icon)).arg(static_cast<int>(s.icon)));
    }
    return s.answer;
}

bool ScriptedPrompter::inputBox(const QString& prompt, const QString& title, QString* value) {
    m_shown << prompt;
    Step s;
    if (!take(Kind::Input, prompt, title, &s)) {
        return false;
    }
    *value = s.value;
    return s.accept;
}

void ScriptedPrompter::beep() {
    ++m_beeps;
    if (!m_strictBeeps) {
        return;
    }
    Step s;
    take(Kind::Beep, {}, {}, &s);
}

bool ScriptedPrompter::printDialog(PrintRequest* request) {
    Step s;
    if (!take(Kind::Print, request->title, {}, &s)) {
        return false;
    }
    request->copies = s.copies;
    return s.accept;
}

QString ScriptedPrompter::openFile(const QString& title, const QString&, const QString&) {
    Step s;
    if (!take(Kind::OpenFile, title, {}, &s)) {
        return {};
    }
    return s.value;
}

bool ScriptedPrompter::chooseColour(quint32* rgb) {
    Step s;
    if (!take(Kind::Colour, {}, {}, &s)) {
        return false;
    }
    if (s.accept) {
        *rgb = s.value.toUInt();
    }
    return s.accept;
}

bool ScriptedPrompter::chooseFont(FontChoice* font) {
    Step s;
    if (!take(Kind::Font, {}, {}, &s)) {
        return false;
    }
    if (s.accept) {
        *font = s.font;
    }
    return s.accept;
}
