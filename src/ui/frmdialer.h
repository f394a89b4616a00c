#pragma once

#include "dialer/dialer.h"
#include "dialer/phonefeatures.h"
#include "ui/screen.h"

#include <QList>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SerialPort;
struct DialRequest;

// The dialer: calls the customer the customer screen hands over, and the
// ten speed-dial entries. It owns the modem's serial port, which the modem
// probe opens at start-up and a hang-up closes; the next call opens it again
// on the port the probe found.
class frmDialer : public Screen {
    Q_OBJECT
public:
    frmDialer(AppContext& ctx, ScreenManager& screens);
    ~frmDialer() override;

    // Shows the screen modally over the caller, ready to call `request`.
    void call(const DialRequest& request);
    // The modem probe and the telephone options on this screen's port.
    PhoneFeatures probeModem();
    SerialPort& serialPort() { return *m_port; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Copies the model's view, and the modem port the probe found, into the
    // controls.
    void refresh();
    QWidget* buildCall();
    QWidget* buildSpeedDial();
    QWidget* buildSpeedFrame();
    QWidget* buildHelp();
    QPushButton* button(const QString& name, const QString& caption, const QString& toolTip = {});
    void onEscape();
    void toggleHelp();
    void focus(Dialer::Focus target);
    QString portBox() const;

    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<Dialer> m_dialer;

    QLabel* m_name = nullptr;
    QLabel* m_number = nullptr;
    QPushButton* m_dial = nullptr;
    QPushButton* m_talk = nullptr;
    QLabel* m_status = nullptr;
    QLineEdit* m_modemStatus = nullptr;
    QLabel* m_picture = nullptr;
    QList<QPushButton*> m_speed;
    int m_captionWidth = 0;
    QPushButton* m_delete = nullptr;
    QGroupBox* m_speedFrame = nullptr;
    QLineEdit* m_nameBox = nullptr;
    QLineEdit* m_numberBox = nullptr;
    QPushButton* m_help = nullptr;
    QGroupBox* m_helpFrame = nullptr;
    QLabel* m_portCaption = nullptr;
};

// The customer screen's imgPhone: the dialer, loaded when it is not, shown
// modally with the customer's name and number.
void ShowDialer(ScreenManager& screens, const DialRequest& request);

// The setup screen's loading: the modem probe and the telephone options, run
// on the dialer's serial port (loading the dialer hidden), so the port the
// probe finds stays open for the first call. Returns what the setup and
// customer screens show of it.
PhoneFeatures ProbeModem(AppContext& ctx, ScreenManager& screens);
