#include "ui/frmsetup.h"

#include "proposals/proposalcounter.h"
#include "proposals/sampleprint.h"
#include "settings/settings.h"
#include "settings/settingsfiles.h"
#include "settings/setuprules.h"
#include "shell/appcontext.h"
#include "ui/frmdialer.h"
#include "ui/pictures.h"
#include "ui/screenmanager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kName = QStringLiteral("frmSetup");

void setComboText(QComboBox* box, const QString& text) {
    const QSignalBlocker block(box);
    box->setEditText(text);
}

void setChecked(QCheckBox* box, bool on) {
    const QSignalBlocker block(box);
    box->setChecked(on);
}

void setText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        const QSignalBlocker block(edit);
        edit->setText(text);
    }
}

void paintBox(QLineEdit* box, quint32 fileColour) {
    QPalette p = box->palette();
    p.setColor(QPalette::Base, Settings::toQColor(fileColour));
    box->setPalette(p);
}
}  // namespace

frmSetup::frmSetup(AppContext& ctx, ScreenManager& screens) : Screen(ctx, screens, kName) {
    buildWindow();

    // Loading: the modem probe with the telephone options, then every other
    // settings file in its order.
    const PhoneFeatures phone = ProbeModem(ctx, screens);
    m_tabSub->setTabEnabled(1, phone.phonePageEnabled);
    loadSettings(ctx);
    refresh();
}

// Twips on this screen: 1440 to the logical inch.
int frmSetup::twips(int length) const {
    return qMax(1, length * logicalDpiX() / 1440);
}

void frmSetup::refresh() {
    refreshBusiness();
    const Settings& s = ctx().settings();
    setText(m_proposalNo, QString::number(ctx().vars().ProposalNumber));
    paintBox(m_borders, s.borderColour);
    paintBox(m_data, s.textColour);
    m_font->setText(s.fontName);
    setChecked(m_colour, s.printInColour);
    {
        const QSignalBlocker block(m_copies);
        m_copies->setCurrentIndex(s.copies - 1);
    }
    const int port = ctx().vars().ModemPort;
    setText(m_modemPort, port > 0 ? QString::number(port) : QString());
    setChecked(m_phone, s.phoneDaisyChained);
    setChecked(m_callerId, s.callerIdOn);
    m_callerIdNote->setVisible(s.callerIdOn);
    setComboText(m_heading1, s.taxHeading1);
    setComboText(m_heading2, s.taxHeading2);
    setComboText(m_rate1, s.taxRate1);
    setComboText(m_rate2, s.taxRate2);
    setChecked(m_apply1, s.applyTax1);
    setChecked(m_apply2, s.applyTax2);
    setChecked(m_alarms, s.soundAlarms);
    setChecked(m_prompts, s.showPrompts);
    refreshLogo();
}

void frmSetup::refreshBusiness() {
    const Settings& s = ctx().settings();
    const bool usa = s.addressStyle == AddressStyle::Usa;
    for (int i = 0; i < m_business.size(); ++i) {
        setText(m_business.at(i), s.businessBoxes.value(i));
        m_businessLabels.at(i)->setText(Settings::businessLabel(i, s.addressStyle));
    }
    m_style->setText(Settings::addressStyleCaption(s.addressStyle));
    m_postalNote->setVisible(usa);
    m_business.at(Settings::PostalCode)->setVisible(usa);
    m_businessLabels.at(Settings::PostalCode)->setVisible(usa);
    // A two-letter state needs a short box; a fourth address line a long one.
    QLineEdit* state = m_business.at(Settings::StateOrAddress4);
    state->setMaximumWidth(usa ? state->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) +
                                     state->fontMetrics().height()
                               : QWIDGETSIZE_MAX);
}

void frmSetup::refreshLogo() {
    const Settings& s = ctx().settings();
    const int side = twips(SettingsFiles::kDefaultLogoSide);
    const QSize shown(twips(s.logoWidth), twips(s.logoHeight));
    if (s.hasLogo()) {
        const QPixmap picture = QPixmap::fromImage(s.logo);
        m_logoView->setPixmap(
            picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_adjusted->setPixmap(
            picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else {
        m_logoView->setPixmap(QPixmap());
        m_adjusted->setPixmap(QPixmap());
    }
    const int frame = 2 * m_logoView->frameWidth();
    m_logoView->setFixedSize(side + frame, side + frame);
    m_adjusted->setFixedSize(shown);
    m_logoSize->setText(QStringLiteral("%1 x %2 twips").arg(s.logoWidth).arg(s.logoHeight));
    m_logoButtons.at(1)->setEnabled(!s.chosenLogoPath.isEmpty());
}

void frmSetup::activate() {
    activateSetup(ctx());
    m_tabSetup->setCurrentIndex(0);
    m_tabSub->setCurrentIndex(0);
    refresh();
    m_business.first()->setFocus(Qt::OtherFocusReason);
}

void frmSetup::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    if (!event->spontaneous()) {
        activate();
    }
}

void frmSetup::onBusinessEdited(int index, const QString& text) {
    if (!editBusinessBox(ctx(), index, text)) {
        QLineEdit* box = m_business.at(index);
        const int cursor = box->cursorPosition();
        setText(box, ctx().settings().businessBoxes.value(index));
        box->setCursorPosition(qMax(0, cursor - 1));
    }
}

void frmSetup::onStyle() {
    toggleAddressStyle(ctx());
    refreshBusiness();
}

void frmSetup::onReset() {
    if (resetBusinessData(ctx())) {
        refreshBusiness();
        m_business.first()->setFocus(Qt::OtherFocusReason);
    }
}

void frmSetup::onReload() {
    LoadBusinessData(ctx());
    refreshBusiness();
}

void frmSetup::onSaveProposal() {
    const ProposalNumberSave saved =
        saveProposalNumber(ctx(), m_proposalNo->text(),
                           [this](int number) { return ProposalCounter::isTaken(ctx(), number); });
    switch (saved) {
        case ProposalNumberSave::Saved:
            setText(m_proposalNo, QString::number(ctx().vars().ProposalNumber));
            return;
        case ProposalNumberSave::Failed:
            return;
        case ProposalNumberSave::NotWhole:
        case ProposalNumberSave::OutOfRange:
        case ProposalNumberSave::Taken:
            m_proposalNo->clear();
            m_proposalNo->setFocus(Qt::OtherFocusReason);
            return;
    }
}

void frmSetup::onLogo(int index) {
    switch (index) {
        case 0:
            static_cast<void>(findLogo(ctx()));
            break;
        case 1:
            static_cast<void>(storeLogo(ctx()));
            break;
        case 2:
            static_cast<void>(clearLogo(ctx()));
            break;
        case 3:
            makeLogoSquare(ctx(), LogoSide::Height);
            break;
        case 4:
            makeLogoSquare(ctx(), LogoSide::Width);
            break;
        case 5:
            static_cast<void>(PrintSettingsSample(ctx(), DocumentOutput::Printer));
            break;
        case 6:
            restoreLogoSize(ctx());
            break;
        case 7:
            static_cast<void>(PrintSettingsSample(ctx(), DocumentOutput::Preview));
            break;
        case 8:
            static_cast<void>(PrintSettingsSample(ctx(), DocumentOutput::Pdf));
            break;
        default:
            return;
    }
    refreshLogo();
}

void frmSetup::onChangeColour(PrintColourBox box) {
    if (changePrintColour(ctx(), box)) {
        refresh();
    }
}

void frmSetup::onChangeFont() {
    if (changePrintFont(ctx())) {
        m_font->setText(ctx().settings().fontName);
    }
}

void frmSetup::onSave() {
    switch (saveAndReturn(ctx())) {
        case SetupSave::Saved:
            refresh();
            screens().hide(kName);
            screens().show(QStringLiteral("frmStartup"));
            return;
        case SetupSave::PostalCodeBlank:
            m_tabSetup->setCurrentIndex(0);
            m_business.at(Settings::PostalCode)->setFocus(Qt::OtherFocusReason);
            return;
        case SetupSave::Failed:
            refresh();
            return;
    }
}
