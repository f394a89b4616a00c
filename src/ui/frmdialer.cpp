#include "ui/frmdialer.h"

#include "customers/customerscreen.h"
#include "dialer/systemserialport.h"
#include "shell/appcontext.h"
#include "ui/pictures.h"
#include "ui/screenmanager.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString kName = QStringLiteral("frmDialer");
constexpr int kPictureSide = 64;

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// Names and numbers are shown as typed, never read as markup.
QLabel* plainLabel(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// A name from a hand-edited speed-dial file may be of any length: the
// button shows what fits and the tool tip the whole name.
void showName(QPushButton* b, const QString& name, int width) {
    QString shown = b->fontMetrics().elidedText(name, Qt::ElideRight, width);
    b->setText(shown.replace(QLatin1Char('&'), QLatin1String("&&")));
    b->setToolTip(name);
}

void scaleFont(QWidget* w, qreal factor, bool bold) {
    QFont f = w->font();
    f.setPointSizeF(f.pointSizeF() * factor);
    f.setBold(bold);
    w->setFont(f);
}

void retainSizeWhenHidden(QWidget* w) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

// Typing goes to the model; writing the same text back would move the cursor.
void setText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}

std::unique_ptr<SerialPort> makePort(AppContext& ctx) {
    std::unique_ptr<SerialPort> port = ctx.serialPortFactory ? ctx.serialPortFactory() : nullptr;
    if (!port) {
        // Without a port factory every port number is without a device.
        port = std::make_unique<SystemSerialPort>([](int) { return QString(); });
    }
    return port;
}

const QStringList& helpTexts() {
    static const QStringList texts{
        QStringLiteral("Click Dial: the modem dials the number shown above. Tick the prefix box "
                       "first for a long-distance call."),
        QStringLiteral("When the status says so, pick up the receiver and click to talk: the "
                       "modem lets go of the line and the call is yours."),
        QStringLiteral("Click an empty speed-dial button to add a name and number; click a named "
                       "one to put it up for dialing."),
    };
    return texts;
}
}  // namespace

frmDialer::frmDialer(AppContext& ctx, ScreenManager& screens)
    : Screen(ctx, screens, kName), m_port(makePort(ctx)) {
    m_dialer = std::make_unique<Dialer>(ctx, *m_port);
    setWindowTitle(QStringLiteral("Call ..............."));
    setWindowModality(Qt::ApplicationModal);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    auto* row = new QHBoxLayout;
    row->addWidget(buildCall(), 1);
    row->addWidget(buildSpeedDial());
    column->addLayout(row);
    column->addWidget(buildHelp());
    setCentralWidget(central);

    connect(m_dialer.get(), &Dialer::changed, this, &frmDialer::refresh);
    connect(m_dialer.get(), &Dialer::focusRequested, this, &frmDialer::focus);
    connect(m_dialer.get(), &Dialer::finished, this, [this] { this->screens().unload(kName); });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &frmDialer::onEscape);
    refresh();
}

frmDialer::~frmDialer() = default;

QPushButton* frmDialer::button(const QString& name, const QString& text, const QString& toolTip) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setToolTip(toolTip);
    // Enter presses the button that has the focus, as in a dialog.
    b->setAutoDefault(true);
    return b;
}

QWidget* frmDialer::buildCall() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    auto* recipient = new QHBoxLayout;
    auto* labels = new QVBoxLayout;
    m_name = plainLabel(QStringLiteral("lblName"), panel);
    m_name->setToolTip(QStringLiteral("Customer that you are Calling"));
    scaleFont(m_name, 1.4, true);
    m_number = plainLabel(QStringLiteral("lblNumber"), panel);
    scaleFont(m_number, 1.4, false);
    labels->addWidget(m_name);
    labels->addWidget(m_number);
    recipient->addLayout(labels, 1);
    m_picture = new QLabel(panel);
    m_picture->setObjectName(QStringLiteral("Image2"));
    m_picture->setPixmap(PicturePixmap(QStringLiteral("receiver"),
                                       QSize(kPictureSide, kPictureSide), devicePixelRatioF()));
    recipient->addWidget(m_picture, 0, Qt::AlignTop);
    column->addLayout(recipient);

    auto* prefix = new QCheckBox(QStringLiteral("Dial a Prefix  1-"), panel);
    prefix->setObjectName(QStringLiteral("ckDial1"));
    connect(prefix, &QCheckBox::clicked, m_dialer.get(), &Dialer::setPrefix);
    column->addWidget(prefix, 0, Qt::AlignLeft);

    auto* buttons = new QHBoxLayout;
    m_dial = button(QStringLiteral("cmdNewDial"), QStringLiteral("&Dial"),
                    QStringLiteral("Dial the number"));
    connect(m_dial, &QPushButton::clicked, m_dialer.get(), &Dialer::dial);
    QPushButton* hangUp = button(QStringLiteral("cmdHangup"), QStringLiteral("D&isconnect/Cancel"),
                                 QStringLiteral("Return to previous Screen"));
    connect(hangUp, &QPushButton::clicked, m_dialer.get(), &Dialer::hangUp);
    buttons->addWidget(m_dial);
    buttons->addStretch();
    buttons->addWidget(hangUp);
    column->addLayout(buttons);
    m_talk = button(QStringLiteral("cmdCancel"),
                    QStringLiteral("Pick up the receiver then &Click to Talk"),
                    QStringLiteral("Make connection"));
    connect(m_talk, &QPushButton::clicked, m_dialer.get(), &Dialer::talk);
    column->addWidget(m_talk);
    // The controls that come and go keep their place, so nothing jumps.
    retainSizeWhenHidden(m_dial);
    retainSizeWhenHidden(m_talk);
    retainSizeWhenHidden(m_picture);

    m_status = plainLabel(QStringLiteral("lblStatus"), panel);
    column->addWidget(m_status);
    m_modemStatus = new QLineEdit(panel);
    m_modemStatus->setObjectName(QStringLiteral("Text1"));
    m_modemStatus->setReadOnly(true);
    column->addWidget(m_modemStatus);
    column->addStretch();
    return panel;
}

QWidget* frmDialer::buildSpeedDial() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    const QStringList texts{QStringLiteral("Speed Dialing"),
                            QStringLiteral("Click to Select and Dial"),
                            QStringLiteral("Click Empty Column to Add")};
    for (int i = 0; i < texts.size(); ++i) {
        QLabel* l = plainLabel(indexed("Label1", i), panel);
        l->setText(texts.at(i));
        if (i == 0) {
            scaleFont(l, 1.0, true);
        }
        column->addWidget(l);
    }
    auto* grid = new QGridLayout;
    // Free slots are buttons as wide as named ones, with room for a caption.
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    m_captionWidth = em * 8;
    for (int slot = 0; slot < SpeedDialTable::kSlots; ++slot) {
        QPushButton* b = button(indexed("cmdDialer", slot), QString());
        b->setMinimumWidth(em * 10);
        connect(b, &QPushButton::clicked, this, [this, slot] { m_dialer->selectSpeedDial(slot); });
        grid->addWidget(b, slot % 5, slot / 5);
        m_speed << b;
    }
    column->addLayout(grid);

    m_delete =
        button(indexed("cmdSpeedDialer", 2), QStringLiteral("Delete Selected Speed Dial &No"));
    connect(m_delete, &QPushButton::clicked, m_dialer.get(), &Dialer::deleteSpeedDial);
    QPushButton* restore =
        button(indexed("cmdSpeedDialer", 3), QStringLiteral("&Restore Original Call Recipient"));
    connect(restore, &QPushButton::clicked, m_dialer.get(), &Dialer::restoreRecipient);
    QPushButton* load = button(indexed("cmdSpeedDialer", 4), QStringLiteral("&Load Current Player"),
                               QStringLiteral("Load Current Player to Above"));
    connect(load, &QPushButton::clicked, m_dialer.get(), &Dialer::loadCurrentRecipient);
    for (QPushButton* b : {m_delete, restore, load}) {
        column->addWidget(b);
    }
    column->addWidget(buildSpeedFrame());
    column->addStretch();
    return panel;
}

QWidget* frmDialer::buildSpeedFrame() {
    m_speedFrame = new QGroupBox(QStringLiteral("Add Speed Dial Name and No."), this);
    m_speedFrame->setObjectName(QStringLiteral("fraSpeedDial"));
    auto* form = new QFormLayout(m_speedFrame);
    m_nameBox = new QLineEdit(m_speedFrame);
    m_nameBox->setObjectName(indexed("txtDialer", 0));
    m_numberBox = new QLineEdit(m_speedFrame);
    m_numberBox->setObjectName(indexed("txtDialer", 1));
    form->addRow(QStringLiteral("Name:"), m_nameBox);
    form->addRow(QStringLiteral("Number:"), m_numberBox);
    connect(m_nameBox, &QLineEdit::textEdited, m_dialer.get(), &Dialer::setNameBox);
    connect(m_numberBox, &QLineEdit::textEdited, m_dialer.get(), &Dialer::setNumberBox);

    QPushButton* save = button(indexed("cmdSpeedDialer", 0), QStringLiteral("&Save"));
    connect(save, &QPushButton::clicked, m_dialer.get(), &Dialer::saveSpeedDial);
    QPushButton* cancel = button(indexed("cmdSpeedDialer", 1), QStringLiteral("Ca&ncel"));
    connect(cancel, &QPushButton::clicked, m_dialer.get(), &Dialer::cancelSpeedDial);
    for (QLineEdit* box : {m_nameBox, m_numberBox}) {
        connect(box, &QLineEdit::returnPressed, save, &QPushButton::click);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    return m_speedFrame;
}

QWidget* frmDialer::buildHelp() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    m_help = button(QStringLiteral("cmdHelp"), QStringLiteral("Show &Help"));
    connect(m_help, &QPushButton::clicked, this, &frmDialer::toggleHelp);
    column->addWidget(m_help, 0, Qt::AlignLeft);

    m_helpFrame = new QGroupBox(panel);
    m_helpFrame->setObjectName(QStringLiteral("fraHelp"));
    auto* texts = new QVBoxLayout(m_helpFrame);
    const QStringList& help = helpTexts();
    for (int i = 0; i < help.size(); ++i) {
        QLabel* l = plainLabel(indexed("Label2", i), m_helpFrame);
        l->setText(help.at(i));
        l->setWordWrap(true);
        texts->addWidget(l);
    }
    m_portCaption = plainLabel(indexed("Label2", 3), m_helpFrame);
    texts->addWidget(m_portCaption);
    m_helpFrame->hide();
    column->addWidget(m_helpFrame);
    return panel;
}

void frmDialer::refresh() {
    const Dialer& d = *m_dialer;
    m_name->setText(d.name());
    m_number->setText(d.number());
    m_status->setText(d.status());
    m_dial->setVisible(d.dialShown());
    m_talk->setVisible(d.talkShown());
    m_picture->setVisible(d.talkShown());
    m_delete->setEnabled(d.deleteEnabled());
    m_speedFrame->setVisible(d.speedFrameShown());
    setText(m_nameBox, d.nameBox());
    setText(m_numberBox, d.numberBox());
    for (int slot = 0; slot < m_speed.size(); ++slot) {
        showName(m_speed.at(slot), d.speedCaption(slot), m_captionWidth);
    }
    const int port = ctx().vars().ModemPort;
    m_modemStatus->setText(port > 0 ? PhoneTexts::modemOnPort(port) : PhoneTexts::notDetected());
    m_portCaption->setText(port > 0 ? PhoneTexts::portCaption(port) : QString());
}

// The port box of the setup screen shows the port the probe found.
QString frmDialer::portBox() const {
    const int port = ctx().vars().ModemPort;
    return port > 0 ? QString::number(port) : QString();
}

PhoneFeatures frmDialer::probeModem() {
    PhoneFeatures shown;
    LoadPhoneSettings(ctx(), *m_port, &shown);
    refresh();
    return shown;
}

void frmDialer::call(const DialRequest& request) {
    m_dialer->setRecipient(request.name, request.number);
    screens().show(kName);
}

void frmDialer::showEvent(QShowEvent* event) {
    Screen::showEvent(event);
    if (!event->spontaneous()) {
        m_dialer->activate(portBox());
    }
}

// A screen hidden or unloaded by the program (the program ending, say) must
// not leave the modem wait running behind it.
void frmDialer::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && m_dialer->isDialing()) {
        m_dialer->hangUp();
    }
    Screen::hideEvent(event);
}

void frmDialer::onEscape() {
    if (m_dialer->speedFrameShown()) {
        m_dialer->cancelSpeedDial();
    } else {
        m_dialer->hangUp();
    }
}

void frmDialer::toggleHelp() {
    const bool show = !m_helpFrame->isVisible();
    m_helpFrame->setVisible(show);
    m_help->setText(show ? QStringLiteral("Hide &Help") : QStringLiteral("Show &Help"));
    // The wrapped help texts need more height than the window's minimum.
    adjustSize();
}

void frmDialer::focus(Dialer::Focus target) {
    switch (target) {
        case Dialer::Focus::TalkButton:
            m_talk->setFocus();
            return;
        case Dialer::Focus::NameBox:
            m_nameBox->setFocus();
            return;
    }
}

void ShowDialer(ScreenManager& screens, const DialRequest& request) {
    if (auto* dialer = screens.get<frmDialer>(kName)) {
        dialer->call(request);
    }
}

PhoneFeatures ProbeModem(AppContext& ctx, ScreenManager& screens) {
    if (auto* dialer = screens.get<frmDialer>(kName)) {
        return dialer->probeModem();
    }
    PhoneFeatures shown;
    PhoneFeaturesOff(ctx, &shown);
    return shown;
}
