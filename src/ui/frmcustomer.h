#pragma once

#include "customers/customerscreen.h"
#include "ui/screen.h"

#include <QList>
#include <QMap>

#include <functional>
#include <memory>

class AccountListModel;
class CustomerRowsModel;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;
class QTableView;
class QToolButton;

// Customer Selection: finds, creates, edits and deletes customers, keeps
// their aux data, prints the customer list, dials a customer and hands the
// shown one on to the work chosen on the main menu. Every action is one call
// of CustomerScreenModel; the screen then shows the model's view.
class frmCustomer : public Screen {
    Q_OBJECT
public:
    frmCustomer(AppContext& ctx, ScreenManager& screens);
    ~frmCustomer() override;

    const CustomerScreenModel& model() const { return *m_model; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    QWidget* buildRecord();
    QWidget* buildNames(QWidget* parent);
    QWidget* buildAddressFrames(QWidget* parent);
    QWidget* buildButtons();
    QWidget* buildSearch();
    QWidget* buildResults();
    QWidget* buildAux();
    QWidget* buildBig(QWidget* parent);
    QLineEdit* box(int index, CustomerBox field, int width, QWidget* parent);
    QLineEdit* lineEdit(const QString& name, CustomerBox field, int width, QWidget* parent);
    QComboBox* comboBox(const QString& name, CustomerBox field, int width, QWidget* parent);
    QPushButton* button(const QString& name, const QString& caption, QWidget* parent,
                        const QString& toolTip = {});

    // Runs one action, shows the outcome and puts the focus where the model
    // says; a save that ended in "leave without a customer" returns to the
    // menu.
    void act(const std::function<void()>& action);
    void saved(SaveOutcome outcome);
    void refresh();
    void refreshBoxes();
    void refreshFrames();
    void refreshAux();
    void updateStartProposal();
    void applyFocus(CustomerFocus focus);
    void goToMenu();
    void startProposal();
    void accountListEdited(const QString& typed);
    void selectAccountText();
    void showResultsMenu(const QPoint& at);
    void printList();
    void previewList();
    void saveListAsPdf();
    QString workScreen() const;

    std::unique_ptr<CustomerScreenModel> m_model;
    bool m_refreshing = false;
    bool m_inAction = false;
    bool m_leaveForMenu = false;
    bool m_suppressCompletion = false;

    QMap<CustomerBox, QLineEdit*> m_edits;
    QMap<CustomerBox, QComboBox*> m_combos;
    QList<QWidget*> m_individualOnly;
    QList<QWidget*> m_businessOnly;
    QLabel* m_type = nullptr;
    QWidget* m_nameBoxes = nullptr;
    QGroupBox* m_list = nullptr;
    QComboBox* m_accounts = nullptr;
    AccountListModel* m_accountModel = nullptr;
    QStringListModel* m_cityModel = nullptr;
    QGroupBox* m_usa = nullptr;
    QGroupBox* m_intl = nullptr;
    QList<QPushButton*> m_nav;
    QList<QPushButton*> m_find;  // Command1(0..3)
    QPushButton* m_cancelAdd = nullptr;
    QPushButton* m_start = nullptr;
    QToolButton* m_phone = nullptr;
    QAction* m_add = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_aux = nullptr;

    QGroupBox* m_search = nullptr;
    QList<QRadioButton*> m_options;
    QLineEdit* m_searchBox = nullptr;

    QGroupBox* m_results = nullptr;
    QTableView* m_grid = nullptr;
    CustomerRowsModel* m_rowsModel = nullptr;
    QList<QPushButton*> m_printButtons;
    QAction* m_select = nullptr;

    QGroupBox* m_auxFrame = nullptr;
    QLabel* m_auxAccount = nullptr;
    QCheckBox* m_retain = nullptr;
    QList<QLineEdit*> m_headings;
    QList<QPlainTextEdit*> m_auxBoxes;
    QList<QLabel*> m_clear;
    QGroupBox* m_big = nullptr;
    QLabel* m_bigLabel = nullptr;
    QPlainTextEdit* m_bigText = nullptr;
};
