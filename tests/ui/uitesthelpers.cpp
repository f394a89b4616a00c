#include "uitesthelpers.h"

#include "customers/customerscreen.h"
#include "shell/mainmenu.h"
#include "shell/startup.h"
#include "ui/frmdialer.h"
#include "ui/programscreens.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>

#include <map>

#include <unistd.h>

namespace {
const char* const kIcons = "none information question exclamation critical";
const char* const kStates = "shown hidden enabled disabled checked unchecked";

// Where a user clicks a control: an option or check box on its mark, which
// takes clicks where the empty width beside its caption does not.
QPoint spot(const QWidget* c) {
    const bool marked = qobject_cast<const QRadioButton*>(c) || qobject_cast<const QCheckBox*>(c);
    return marked ? QPoint(6, c->height() / 2) : QPoint();
}

QString yes(bool ok) {
    return ok ? QString() : QStringLiteral("no");
}

QString differs(const QString& actual, const QString& expected) {
    return actual == expected ? QString()
                              : QStringLiteral("\"%1\", not \"%2\"").arg(actual, expected);
}

// The enumerator of that lower-case name.
template <typename E>
E named(const QString& word, const char* names) {
    return E(QString::fromLatin1(names).split(QLatin1Char(' ')).indexOf(word));
}

// A day of the month shown, clicked where it is drawn.
QString pickDay(QCalendarWidget* calendar, const QDate& day) {
    calendar->setCurrentPage(day.year(), day.month());
    auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    QAbstractItemModel* m = view->model();
    for (int r = 1; r < m->rowCount(); ++r) {
        for (int c = 0; c < m->columnCount(); ++c) {
            const QModelIndex i = m->index(r, c);
            // Days 15 to 22 are drawn once on any page, all in the month.
            if (m->data(i).toInt() == day.day()) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                  view->visualRect(i).center());
                return {};
            }
        }
    }
    return QStringLiteral("day not on the calendar");
}
}  // namespace

UiRig::UiRig() {
    RegisterScreens(screens);
    ctx.quit = [this] {
        screens.unloadAll();
        ++quits;
    };
    ctx.openUrl = [this](const QUrl& url) {
        opened << url;
        return true;
    };
    ctx.printerFactory = [this] { return printer; };
}

UiRig::~UiRig() {
    screens.unloadAll();
    settle();
}

void UiRig::provide(const QString& name) {
    screens.add(name,
                [name](AppContext& c, ScreenManager& s) { return new StandInScreen(c, s, name); });
}

void UiRig::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool UiRig::visible(const QString& name) const {
    const Screen* s = screens.find(name);
    return s && s->isVisible();
}

void UiRig::startProgram() {
    InstanceLock lock(ctx.folder());
    QVERIFY(Main(ctx, lock, ProgramStartupSteps(ctx, screens)));
}

QObject* UiRig::find(const QString& name) const {
    if (name.contains(QLatin1Char('/'))) {
        QObject* outer = find(name.section(QLatin1Char('/'), 0, 0));
        return outer ? outer->findChild<QObject*>(name.section(QLatin1Char('/'), 1)) : nullptr;
    }
    for (const bool shown : {true, false}) {
        for (const QString& screen : screens.loaded()) {
            const Screen* s = screens.find(screen);
            QObject* found = s->findChild<QObject*>(name);
            if (found && s->isVisible() == shown) {
                return found;
            }
        }
    }
    QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
    return nullptr;
}

void UiRig::click(const QString& name) {
    QWidget* c = w(name);
    QTest::mouseClick(c, Qt::LeftButton, {}, spot(c));
    QCoreApplication::processEvents();
}

QString UiRig::text(const QString& name) const {
    const QObject* c = find(name);
    // The first of these the control has; every widget has a window title.
    for (const char* shown :
         {"plainText", "currentText", "currentIndex", "title", "text", "windowTitle"}) {
        if (c && c->property(shown).isValid()) {
            return c->property(shown).toString();
        }
    }
    return {};
}

void UiRig::flow(const QString& name) {
    const QByteArray steps = UiData(QStringLiteral("flows/") + name + QStringLiteral(".txt"));
    QVERIFY2(!steps.isEmpty(), qPrintable(name));
    const QStringList lines = QString::fromUtf8(steps).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString& line = lines.at(n);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        QStringList args = line.section(QLatin1Char(' '), 1).split(QStringLiteral(" | "));
        for (QString& a : args) {
            a.replace(QStringLiteral("\\r"), QStringLiteral("\r"))
                .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
                .replace(QStringLiteral("{folder}"), QDir::toNativeSeparators(app.dir.path()));
        }
        const QString error = step(line.section(QLatin1Char(' '), 0, 0), args);
        if (!error.isEmpty() || QTest::currentTestFailed()) {
            const QString where = QStringLiteral("%1.txt:%2: %3: %4").arg(name).arg(n + 1);
            QTest::qFail(qPrintable(where.arg(line, error)), __FILE__, __LINE__);
            return;
        }
    }
}

QString UiRig::step(const QString& verb, const QStringList& args) {
    const QString x = args.value(0);
    const QString y = args.value(1);
    // The steps that only act.
    using Act = void (*)(UiRig&, const QString&, const QString&);
    static const std::map<QString, Act> kActs{
        {"show", [](UiRig& r, auto& x, auto&) { r.screens.show(x); }},
        {"trigger", [](UiRig& r, auto& x, auto&) { r.w<QAction>(x)->trigger(); }},
        {"hide", [](UiRig& r, auto& x, auto&) { r.screens.hide(x); }},
        {"load", [](UiRig& r, auto& x, auto&) { r.screens.load(x); }},
        {"unload", [](UiRig& r, auto& x, auto&) { r.screens.unload(x); }},
        {"provide", [](UiRig& r, auto& x, auto&) { r.provide(x); }},
        {"flow", [](UiRig& r, auto& x, auto&) { r.flow(x); }},
        {"wait", [](UiRig&, auto& x, auto&) { QTest::qWait(x.toInt()); }},
        {"settle", [](UiRig&, auto&, auto&) { settle(); }},
        {"beep", [](UiRig& r, auto&, auto&) { r.app.prompter.expectBeep(); }},
        {"openfile", [](UiRig& r, auto& x, auto&) { r.app.prompter.expectOpenFile(x); }},
        {"savefile", [](UiRig& r, auto& x, auto& y) { r.app.prompter.expectSaveFile(x, y); }},
        {"font", [](UiRig& r, auto& x, auto&) { r.app.prompter.expectFont(FontChoice{x}); }},
        {"write", [](UiRig& r, auto& x, auto& y) { r.app.write(x, y.toUtf8()); }},
        {"copy", [](UiRig& r, auto& x, auto& y) { r.app.write(x, UiData(y)); }},
        {"layout", [](UiRig& r, auto& x, auto& y) { CheckLayout(r.screens.find(x), y); }},
        {"clipboard", [](UiRig&, auto& x, auto&) { QApplication::clipboard()->setText(x); }},
        {"tab",
         [](UiRig& r, auto& x, auto& y) { r.find(x)->setProperty("currentIndex", y.toInt()); }},
        {"date", [](UiRig& r, auto& x,
                    auto& y) { r.w<QDateEdit>(x)->setDate(QDate::fromString(y, Qt::ISODate)); }},
    };
    if (const auto act = kActs.find(verb); act != kActs.end()) {
        act->second(*this, x, y);
        return {};
    }
    if (verb == QLatin1String("routine")) {
        screens.show(QStringLiteral("frmStartup"));
        click(QStringLiteral("optProgramRoutine(%1)").arg(x.toInt() - 1));
        click(QStringLiteral("cmdStart"));
    } else if (verb == QLatin1String("click")) {
        for (int n = 0; n < args.value(1, QStringLiteral("1")).toInt(); ++n) {
            click(x);
        }
    } else if (verb == QLatin1String("type")) {
        // At the end of a box that has the focus.
        QWidget* box = w(x);
        box->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(box)) {
            e->end(false);
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(box)) {
            p->moveCursor(QTextCursor::End);
        }
        QTest::keyClicks(box, y);
    } else if (verb == QLatin1String("retype")) {
        // Over all the text of a line or a text box (a combo box's own).
        auto* combo = qobject_cast<QComboBox*>(w(x));
        QWidget* box = combo ? combo->lineEdit() : w(x);
        QMetaObject::invokeMethod(box, "selectAll");
        QTest::keyClicks(box, y);
    } else if (verb == QLatin1String("colour")) {
        app.prompter.expectColour(x.toUInt(nullptr, 16), y != QLatin1String("cancel"));
    } else if (verb == QLatin1String("printdialog")) {
        app.prompter.expectPrintDialog(y != QLatin1String("cancel"), x.toInt());
    } else if (verb == QLatin1String("key")) {
        QTest::keyClick(w(x), QKeySequence(y)[0].key(), QKeySequence(y)[0].keyboardModifiers());
    } else if (verb == QLatin1String("menu")) {
        // A grid's menu opens on the row under the mouse, a box's anywhere in it.
        auto* grid = qobject_cast<QTableView*>(w(x));
        QWidget* target = grid ? grid->viewport() : w(x);
        const QPoint at =
            grid ? grid->visualRect(grid->model()->index(args.value(2).toInt(), 0)).center()
                 : QPoint(4, 4);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QList<QAction*> actions = menu ? menu->actions() : QList<QAction*>{};
        const auto it = std::find_if(actions.begin(), actions.end(),
                                     [&](const QAction* a) { return a->text().endsWith(y); });
        if (it == actions.end()) {
            return QStringLiteral("not in the menu");
        }
        (*it)->trigger();
        menu->close();
    } else if (verb == QLatin1String("text")) {
        return differs(text(x), y);
    } else if (const int k = QString::fromLatin1(kStates).split(' ').indexOf(verb); k >= 0) {
        // A screen or a control (actions too) in that state or not.
        const char* const properties[] = {"visible", "enabled", "checked"};
        return step(QStringLiteral("property"),
                    {x, QLatin1String(properties[k / 2]), QVariant(k % 2 == 0).toString()});
    } else if (verb == QLatin1String("unloaded")) {
        return screens.isLoaded(x) ? QStringLiteral("loaded") : QString();
    } else if (verb == QLatin1String("focus")) {
        return QApplication::focusWidget() == w(x) ? QString() : QStringLiteral("not focused");
    } else if (verb == QLatin1String("focused")) {
        return yes(screens.find(x)->focusWidget() == w(y));
    } else if (verb == QLatin1String("message")) {
        app.prompter.expectMessage(y, x,
                                   named<Icon>(args.value(2, QStringLiteral("none")), kIcons));
    } else if (verb == QLatin1String("ask")) {
        app.prompter.expectQuestion(y, x,
                                    named<Buttons>(args.value(3, QStringLiteral("yesno")),
                                                   "ok okcancel yesno yesnocancel retrycancel"),
                                    named<Icon>(args.value(4, QStringLiteral("question")), kIcons),
                                    named<Answer>(args.value(2), "ok cancel yes no retry"));
    } else if (verb == QLatin1String("file")) {
        return app.read(x) == UiData(y) ? QString() : QStringLiteral("not as ") + y;
    } else if (verb == QLatin1String("bytes")) {
        return differs(QString::fromUtf8(app.read(x)), y);
    } else if (verb == QLatin1String("exists") || verb == QLatin1String("absent")) {
        return yes(app.exists(x) == (verb == QLatin1String("exists")));
    } else if (verb == QLatin1String("readonly")) {
        // Root ignores file modes: the click is the user nobody's.
        const QString folder = app.dir.path();
        const QFile::Permissions modes = QFile::permissions(folder);
        QFile::setPermissions(folder, modes & ~(QFile::WriteOwner | QFile::WriteUser |
                                                QFile::WriteGroup | QFile::WriteOther));
        const bool root = geteuid() == 0;
        if (!root || seteuid(65534) == 0) {
            click(x);
        } else {
            QTest::qFail("could not act as the user nobody", __FILE__, __LINE__);
        }
        if (root && seteuid(0) != 0) {
            qFatal("could not act as root again");
        }
        QFile::setPermissions(folder, modes);
    } else if (verb == QLatin1String("exposed")) {
        return yes(QTest::qWaitForWindowExposed(screens.find(x)));
    } else if (verb == QLatin1String("close")) {
        return screens.find(x)->close() ? QString() : QStringLiteral("refused");
    } else if (verb == QLatin1String("loaded")) {
        return differs(screens.loaded().join(QLatin1Char(',')), x);
    } else if (verb == QLatin1String("property")) {
        const QObject* c = screens.find(x) ? screens.find(x) : find(x);
        return differs(c ? c->property(qPrintable(y)).toString() : QString(), args.value(2));
    } else if (verb == QLatin1String("picture")) {
        return differs(QString::fromLatin1(w<QLabel>(x)->pixmap().isNull() ? "none" : "shown"), y);
    } else if (verb == QLatin1String("dclick")) {
        auto* edit = qobject_cast<QPlainTextEdit*>(find(x));
        QTest::mouseDClick(edit ? edit->viewport() : w(x), Qt::LeftButton, {}, spot(w(x)));
        sinceDoubleClick.start();
    } else if (verb.startsWith(QLatin1String("cell")) || verb == QLatin1String("rows")) {
        auto* grid = w<QTableView>(x);
        if (verb == QLatin1String("rows")) {
            return differs(QString::number(grid->model()->rowCount()), y);
        }
        const QModelIndex cell = grid->model()->index(y.toInt(), args.value(2).toInt());
        if (verb == QLatin1String("celltext")) {
            return differs(cell.data().toString(), args.value(3));
        }
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QCoreApplication::processEvents();
    } else if (verb == QLatin1String("focusin")) {
        w(x)->setFocus();
        QCoreApplication::processEvents();
    } else if (verb == QLatin1String("day")) {
        return pickDay(w<QCalendarWidget>(x), QDate::fromString(y, Qt::ISODate));
    } else if (verb == QLatin1String("item")) {
        auto* list = w<QListWidget>(x);
        const QList<QListWidgetItem*> found = list->findItems(y, Qt::MatchExactly);
        if (found.isEmpty()) {
            return QStringLiteral("not in the list");
        }
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
    } else if (verb == QLatin1String("choose")) {
        auto* combo = w<QComboBox>(x);
        combo->setCurrentIndex(y.toInt());
        emit combo->activated(y.toInt());
    } else if (verb == QLatin1String("active")) {
        // A picture taken of a window may leave it inactive, and an inactive
        // window gives no control the focus.
        screens.find(x)->activateWindow();
        return yes(QTest::qWaitForWindowActive(screens.find(x)));
    } else if (verb == QLatin1String("startsafter")) {
        // The screen comes up, but no sooner than MS after the double click.
        const bool up = QTest::qWaitFor([&] { return visible(x); }, 5000);
        const qint64 after = sinceDoubleClick.elapsed();
        return !up                 ? QStringLiteral("never shown")
               : after < y.toInt() ? QStringLiteral("shown after %1 ms").arg(after)
                                   : QString();
    } else if (verb == QLatin1String("await")) {
        return QTest::qWaitFor([&] { return find(x)->property("enabled").toBool(); })
                   ? QString()
                   : QStringLiteral("never enabled");
    } else if (verb == QLatin1String("printed")) {
        // The pages job X came to, or those on which TEXT is drawn.
        if (x.toInt() >= printer->jobs().size()) {
            return QStringLiteral("no such job");
        }
        const Recording& job = *printer->jobs().at(x.toInt());
        QStringList pages;
        for (const RecordedText& t : job.find(args.value(2))) {
            pages << QString::number(t.page);
        }
        return differs(args.size() < 3 ? QString::number(job.pages) : pages.join(','), y);
    } else if (verb == QLatin1String("modem")) {
        // A modem on port X, the one the probe found, answering a dial with
        // the pieces given.
        QList<QByteArray> pieces;
        for (const QString& piece : args.mid(1)) {
            pieces << piece.toLatin1();
        }
        pty.add(x.toInt()).answerDial(pieces);
        ctx.vars().ModemPort = x.toInt();
    } else if (verb == QLatin1String("dial")) {
        ShowDialer(screens, DialRequest{x, y});
    } else if (verb == QLatin1String("commands")) {
        // What the modem on port X was sent, once it has sent the last.
        PtyModem& modem = *pty.modems.at(x.toInt());
        modem.waitForCommand(y.section(QLatin1Char(','), -1).toLatin1());
        return differs(QString::fromLatin1(modem.commands().join(',')), y);
    } else if (verb == QLatin1String("preview")) {
        preview = std::make_unique<RecordingPreview>(ctx);
    } else if (verb == QLatin1String("previewed")) {
        // The titles of the previews shown, the jobs and the page of the last.
        const QString shown =
            QStringLiteral("%1 | %2 | %3")
                .arg(preview->titles().join(','), QString::number(preview->target().jobs().size()),
                     QLatin1String(preview->landscape() ? "landscape" : "portrait"));
        return differs(shown, args.join(QStringLiteral(" | ")));
    } else if (verb == QLatin1String("request")) {
        // The print dialog asked for N: which of these it allowed or set.
        const PrintRequest r = app.prompter.printRequests().value(x.toInt());
        const std::pair<bool, const char*> flags[] = {{r.landscape, "landscape"},
                                                      {r.allowPrintToFile, "printtofile"},
                                                      {r.allowPageRange, "pagerange"},
                                                      {r.colour, "colour"}};
        QStringList set;
        for (const auto& [on, name] : flags) {
            if (on) {
                set << QLatin1String(name);
            }
        }
        return differs(set.join(QLatin1Char(' ')), y);
    } else if (verb == QLatin1String("pdf")) {
        return yes(app.read(x).startsWith("%PDF"));
    } else if (const int k = QStringList{"jobs", "opened", "quits", "record"}.indexOf(verb);
               k >= 0) {
        const qsizetype counts[] = {printer->jobs().size(), opened.size(), quits,
                                    ctx.vars().CurrentCustomerRecord};
        return differs(QString::number(counts[k]), x);
    } else {
        return QStringLiteral("no such step");
    }
    return {};
}

void CheckLayout(QWidget* w, const QString& name) {
    QApplication::processEvents();
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (c->isVisible() && (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLabel*>(c))) {
            const QRect r(c->mapTo(w, QPoint(0, 0)), c->size());
            QVERIFY2(w->rect().contains(r) && r.width() >= c->minimumSizeHint().width(),
                     qPrintable(name + QLatin1Char(' ') + c->objectName()));
        }
    }
    const QString dir = qEnvironmentVariable("TOLVAR_SCREENSHOTS");
    if (!dir.isEmpty()) {
        QVERIFY2(w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png")),
                 qPrintable(name));
    }
}

QByteArray UiData(const QString& name) {
    return testData(QStringLiteral("ui/") + name);
}
