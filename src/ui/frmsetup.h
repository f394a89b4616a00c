#pragma once

#include "ui/screen.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
enum class LogoSide;
enum class PrintColourBox;

// The setup screen: business data, options (printing, phone, taxes,
// assistance), the proposal number, the logo and help. Loaded hidden at
// start-up, where it reads the settings and probes the modem, and kept until
// the program ends; it binds the Settings model and calls the setup rules.
class frmSetup : public Screen {
    Q_OBJECT
public:
    frmSetup(AppContext& ctx, ScreenManager& screens);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    QWidget* buildBusiness();
    QWidget* buildOptions();
    QWidget* buildPrinting();
    QWidget* buildPhone();
    QWidget* buildTaxes();
    QWidget* buildAssistance();
    QWidget* buildProposal();
    QWidget* buildLogo();
    QWidget* buildLogoSizing();
    QWidget* buildHelp();
    QToolButton* pageTurner(int index, QTabWidget* tabs);
    QWidget* arrows(const QString& name, LogoSide side);
    QPushButton* logoButton(int index, const QString& caption);

    // A length in twips as pixels of this screen.
    int twips(int length) const;

    // Copies the model into the controls.
    void refresh();
    void refreshBusiness();
    void refreshLogo();
    void activate();

    void onBusinessEdited(int index, const QString& text);
    void onStyle();
    void onReset();
    void onReload();
    void onSaveProposal();
    void onLogo(int index);
    void onChangeColour(PrintColourBox box);
    void onChangeFont();
    void onSave();

    QTabWidget* m_tabSetup = nullptr;
    QTabWidget* m_tabSub = nullptr;
    QList<QLineEdit*> m_business;
    QList<QLabel*> m_businessLabels;
    QPushButton* m_style = nullptr;
    QLabel* m_postalNote = nullptr;
    QLineEdit* m_proposalNo = nullptr;
    QLabel* m_logoView = nullptr;
    QLabel* m_adjusted = nullptr;
    QLabel* m_logoSize = nullptr;
    QList<QPushButton*> m_logoButtons;
    QLineEdit* m_borders = nullptr;
    QLineEdit* m_data = nullptr;
    QLabel* m_font = nullptr;
    QCheckBox* m_colour = nullptr;
    QComboBox* m_copies = nullptr;
    QLineEdit* m_modemPort = nullptr;
    QCheckBox* m_phone = nullptr;
    QCheckBox* m_callerId = nullptr;
    QLabel* m_callerIdNote = nullptr;
    QComboBox* m_heading1 = nullptr;
    QComboBox* m_rate1 = nullptr;
    QCheckBox* m_apply1 = nullptr;
    QComboBox* m_heading2 = nullptr;
    QComboBox* m_rate2 = nullptr;
    QCheckBox* m_apply2 = nullptr;
    QCheckBox* m_alarms = nullptr;
    QCheckBox* m_prompts = nullptr;
};
