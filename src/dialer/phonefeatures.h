#pragma once

#include <QString>

class AppContext;
class SerialPort;

// What the modem probe leaves for the screens: the dialer's status box and
// help label, the setup screen's port box and telephone page, the customer
// screen's telephone picture. The telephone options themselves (ckPhone,
// ckCallerID and with it the note lblCallid) follow PhoneDaisyChained and
// CallerIDOn, which these routines keep in step in CommonVariables and in the
// Settings model.
struct PhoneFeatures {
    QString modemStatus;            // dialer, Text1
    QString portCaption;            // dialer, Label2(3)
    QString modemPortBox;           // setup, txtModemPort; empty when no modem was found
    bool phoneImageVisible = true;  // customer screen, imgPhone
    bool phonePageEnabled = true;   // setup, the "Phone" page of tabSub
};

namespace PhoneTexts {
QString notDetected();
QString modemOnPort(int port);
QString portCaption(int port);
QString callerIdNote();
}  // namespace PhoneTexts

// How long the probe waits for the ports to answer "AT". All ports are asked
// at once, so this is also the longest the probe holds start-up.
inline constexpr int kModemAnswerWaitMs = 300;

// Asks ports 1 to 16 for the modem and leaves the first that answers open on
// `port` with caller identification switched on; returns its number, or 0
// (and the telephone features switched off) when none answers. Ports that do
// not exist, cannot be opened, or that `port` itself holds open are skipped.
int FindModem(AppContext& ctx, SerialPort& port, PhoneFeatures* shown,
              int answerWaitMs = kModemAnswerWaitMs);
// The probe, then /Phone.txt and /CallID.txt.
void LoadPhoneSettings(AppContext& ctx, SerialPort& port, PhoneFeatures* shown);
void LoadCallerID(AppContext& ctx);
void PhoneFeaturesOff(AppContext& ctx, PhoneFeatures* shown);
