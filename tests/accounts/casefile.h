#pragma once

#include "cases.h"
#include "scriptedprompter.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QTest>

#include <functional>

// Case files under tests/data: one case a line, its fields parted by "|";
// the first line names the columns, lines starting with "#" are comments.
// Fields are split, trimmed and unescaped as in cases.h; the text is UTF-8.
namespace CaseFile {
// A step's truth as the scenario files write it: 1 or 0.
template <typename T>
QString yes(const T& b) {
    return QString::number(bool(b));
}

inline QStringList split(const QByteArray& line) {
    QStringList fields;
    for (const QByteArray& field : cases::split(line, '|')) {
        fields << QString::fromUtf8(cases::decode(field));
    }
    return fields;
}

// The lines of the case file, its column line first; a missing file fails
// the test.
inline QList<QStringList> read(const QString& relative) {
    const QByteArray bytes = testData(relative);
    if (bytes.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("no case file ") + relative), __FILE__, __LINE__);
    }
    QList<QStringList> lines;
    for (const QByteArray& line : bytes.split('\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith('#')) {
            lines << split(line);
        }
    }
    return lines;
}

// A Qt Test row for every case, named by its first field, with a QString
// column for each of the others.
inline void rows(const QString& relative) {
    static QList<QByteArray> names;  // the table keeps the pointers
    const QList<QStringList> lines = read(relative);
    for (const QString& column : lines.value(0).mid(1)) {
        names << column.toUtf8();
        QTest::addColumn<QString>(names.last().constData());
    }
    for (const QStringList& fields : lines.mid(1)) {
        if (fields.size() != lines.first().size()) {
            QTest::qFail(qPrintable(relative + QStringLiteral(": fields missing or too many in ") +
                                    fields.first()),
                         __FILE__, __LINE__);
        }
        QTestData& row = QTest::newRow(qPrintable(fields.first()));
        for (const QString& field : fields.mid(1)) {
            row << field;
        }
    }
}

// The current row's value of a column made by rows(), as text or number.
inline QString field(const char* column) {
    return fetched<QString>(column);
}

inline int number(const char* column) {
    return fetched<QString>(column).toInt();
}

// The index of `name` in `names`, for enums listed in their order.
template <typename E>
E named(const QString& name, const QStringList& names) {
    if (!names.contains(name)) {
        QTest::qFail(qPrintable(QStringLiteral("no such value: ") + name), __FILE__, __LINE__);
    }
    return static_cast<E>(names.indexOf(name));
}

inline Answer answer(const QString& name) {
    return named<Answer>(name, {"Ok", "Cancel", "Yes", "No", "Retry"});
}

// Expects the message box `name` of the case file `relative` (columns
// name, title, buttons, icon, text), answered `a`; "%1".. take `args`.
inline void expectPrompt(ScriptedPrompter& p, const QString& relative, const QString& name,
                         Answer a = Answer::Ok, const QStringList& args = {}) {
    for (const QStringList& f : read(relative)) {
        if (f.size() == 5 && f.at(0) == name) {
            QString text = f.at(4);
            for (const QString& arg : args) {
                text = text.arg(arg);
            }
            p.expectQuestion(
                text, f.at(1),
                named<Buttons>(f.at(2), {"Ok", "OkCancel", "YesNo", "YesNoCancel", "RetryCancel"}),
                named<Icon>(f.at(3),
                            {"None", "Information", "Question", "Exclamation", "Critical"}),
                a);
            return;
        }
    }
    QTest::qFail(qPrintable(QStringLiteral("no prompt ") + name), __FILE__, __LINE__);
}

// Step files: scenarios, each begun by a line "scenario | NAME", of steps
// "verb | arguments"; a step that gives a result may end in "= | expected"
// (a list of results as one field an item).
using Args = const QStringList&;
using Actions = QMap<QString, std::function<void(Args)>>;
using Results = QMap<QString, std::function<QString(Args)>>;

// Expects the message box of a step "prompt | NAME [| ANSWER | ARGUMENT...]"
// (see expectPrompt), answered Ok when ANSWER is left out; an argument
// "@FILE" is the full name of FILE in `app`, "!FILE" the failure that
// writing FILE (a folder in the way) is told with.
inline void expectStep(ScriptedPrompter& p, const QString& relative, const TempApp& app,
                       Args step) {
    QStringList args = step.mid(2);
    for (QString& arg : args) {
        if (arg.startsWith(u'@')) {
            arg = QDir::toNativeSeparators(app.path(arg.mid(1)));
        } else if (arg.startsWith(u'!')) {
            arg = app.ctx->store().OpenForOutput(u'/' + arg.mid(1), "x").message();
        }
    }
    expectPrompt(p, relative, step[0], answer(step.value(1, "Ok")), args);
}

// Each of `items` as `text` gives it, parted by `separator`: a list result.
template <typename List, typename Text>
QString joined(const List& items, Text text, QChar separator = u'|') {
    QStringList out;
    for (const auto& item : items) {
        out << text(item);
    }
    return out.join(separator);
}

// A Qt Test row for every scenario of the step file, its steps in "steps".
inline void scenarios(const QString& relative) {
    QList<std::pair<QString, QList<QStringList>>> all;
    for (const QStringList& line : read(relative).mid(1)) {
        if (line.first() == QLatin1String("scenario")) {
            all.append({line.value(1), {}});
        } else if (!all.isEmpty()) {
            all.last().second << line;
        }
    }
    QTest::addColumn<QList<QStringList>>("steps");
    for (const auto& [name, steps] : all) {
        QTest::newRow(qPrintable(name)) << steps;
    }
}

// Runs the current row's steps; the test fails at the first step that is
// unknown or gives another result than the one expected.
inline void run(const Actions& actions, const Results& results) {
    for (const QStringList& step : fetched<QList<QStringList>>("steps")) {
        const qsizetype eq = step.indexOf(QLatin1String("="));
        const QStringList args = step.mid(1, eq < 0 ? -1 : eq - 1);
        const QString& verb = step.first();
        QString got;
        if (actions.contains(verb)) {
            actions[verb](args);
        } else if (results.contains(verb)) {
            got = results[verb](args);
        } else {
            QTest::qFail(qPrintable("no such step: " + step.join(" | ")), __FILE__, __LINE__);
            return;
        }
        if (eq >= 0 && got != step.mid(eq + 1).join(u'|')) {
            QTest::qFail(qPrintable(step.join(" | ") + " gave " + got), __FILE__, __LINE__);
            return;
        }
    }
}
}  // namespace CaseFile
