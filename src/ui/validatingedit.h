#pragma once

#include <QObject>
#include <QPoint>

class AppContext;
class QDropEvent;
class QKeyEvent;
class QLineEdit;

// Attaches the key filters of the validation routines to a line edit: typed
// characters go through AmountKey or TextKey, text pasted (shortcut, context
// menu) or dropped loses the refused characters, and an amount box takes its money form when it is
// left.
class ValidatingEdit : public QObject {
    Q_OBJECT
public:
    enum class Kind { Amount, Text };

    // The filter lives as long as the line edit.
    static ValidatingEdit* attach(QLineEdit* edit, AppContext& ctx, Kind kind,
                                  bool formatOnLeave = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ValidatingEdit(QLineEdit* edit, AppContext& ctx, Kind kind, bool formatOnLeave);
    bool keyPressed(QKeyEvent* key);
    bool pasted();
    void showContextMenu(const QPoint& at);
    bool dropped(QDropEvent* drop);
    void insertFiltered(const QString& clip);

    QLineEdit* m_edit;
    AppContext& m_ctx;
    Kind m_kind;
    bool m_formatOnLeave;
};
