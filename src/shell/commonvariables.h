#pragma once

#include <QStringList>

// State the screens and routines share during a run.
struct CommonVariables {
    // The nine business strings printed on every document.
    QStringList BusinessData = QStringList(9, QString());
    int ProposalNumber = 1001;
    int SelectedRoutine = 0;
    // 1-based record number of the customer shown on the customer screen.
    int CurrentCustomerRecord = 0;
    bool ShowPrompts = true;
    bool SoundAlarms = true;
    int ModemPort = 0;
    bool PhoneDaisyChained = false;
    bool CallerIDOn = false;
    int Copies = 3;
};
