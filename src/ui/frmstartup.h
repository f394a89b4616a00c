#pragma once

#include "ui/screen.h"

#include <QList>

class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

// The main menu: the six routines, the setup screen, supplier links and the
// about box.
class frmStartup : public Screen {
    Q_OBJECT
public:
    frmStartup(AppContext& ctx, ScreenManager& screens);

    // The Go action: shows the screen of SelectedRoutine and unloads the
    // menu; with no routine (or one not built) the menu stays.
    void startSelectedRoutine();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildRoutines();
    void buildMenus();
    void addOrderForm(QMenu* menu, const QString& control);
    void choose(int index);
    void showSetup();
    void showAbout();
    void updateStart();

    QList<QRadioButton*> m_options;
    QPushButton* m_start = nullptr;
    QTimer* m_timer = nullptr;
};
