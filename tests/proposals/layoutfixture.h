#pragma once

#include "print/recordingdevice.h"
#include "proposals/proposallayout.h"

#include <QDate>

#include <memory>

// A typed proposal for Mr. John Smith with two scheduled payments, and a way
// to record how it prints.
inline ProposalPrintInput sampleProposal() {
    ProposalPrintInput in;
    in.style = PrintStyle{QStringLiteral("Arial"), true, Ink::Black};
    in.copies = 3;
    in.business.fields = {
        QStringLiteral("Harbor Roofing"), QStringLiteral("12 Dock St"), QString(),
        QStringLiteral("Portland"),       QStringLiteral("ME"),         QStringLiteral("04101"),
        QStringLiteral("207-555-0100"),   QStringLiteral("Licensed"),   QString()};
    in.proposalNumber = 1001;
    in.today = QDate(2026, 12, 5);
    in.customer = {
        QStringLiteral("Mr. John Smith"), QStringLiteral("4 Elm St"), QString(),
        QStringLiteral("Bangor"),         QStringLiteral("ME"),       QStringLiteral("04401"),
        QStringLiteral("207-555-0111")};
    in.site = {QStringLiteral("Smith Barn"),  QStringLiteral("Route 2"), QString(),
               QStringLiteral("Orono"),       QStringLiteral("ME"),      QStringLiteral("04473"),
               QStringLiteral("207-555-0122")};
    in.body = {QStringLiteral("Remove old shingles."), QStringLiteral("Install new roof.")};
    in.price = QStringLiteral("$1,200.00");
    in.paymentOption = 2;
    in.payments = {{QStringLiteral("600"), QStringLiteral("12/10/2026")},
                   {QStringLiteral("$600.00"), QStringLiteral("1/10/2027")}};
    return in;
}

inline std::shared_ptr<Recording> recordProposal(const ProposalPrintInput& in) {
    auto rec = std::make_shared<Recording>();
    RecordingDevice device(rec);
    PrintProposal(device, in);
    return rec;
}

// Line height of a font as the recording device measures it.
inline int heightOf(const PrintFont& font) {
    RecordingDevice d(std::make_shared<Recording>());
    return d.textHeight(font);
}

inline int widthOf(const QString& text, const PrintFont& font) {
    RecordingDevice d(std::make_shared<Recording>());
    return d.textWidth(text, font);
}
