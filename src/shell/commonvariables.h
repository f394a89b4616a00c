#pragma once

#include <QStringList>

// The main menu's routines, as SelectedRoutine holds them (0: none chosen).
enum class Routine {
    CreateProposal = 1,
    CustomTerms = 2,
    PrintInvoices = 3,
    CreateFieldProposal = 4,
    ProposalsReport = 5,
    FinalizeFieldProposal = 6
};

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
