#pragma once

#include "proposals/proposalfiles.h"
#include "shell/dates.h"
#include "shell/money.h"

#include <QList>
#include <QString>
#include <QStringList>

class AppContext;

// One row of the proposals report: a header file and what the grid shows of
// its first five fields.
struct ProposalReportRow {
    QString fileName;  // "1001.txt"
    bool selected = false;
    QString creationDate;  // short date form
    QString number;        // as stored: 1001, FP1001, 1001P
    QString accountKey;
    QString name;
    QString amount;  // money display form

    bool isFieldProposal() const { return number.contains(QLatin1String("FP")); }
    // Select, Creation Date, Proposal No, Account No, Name, Amount.
    QStringList cells() const;
};

// One line of the details panel's schedule, as shown.
struct ReportPayment {
    QString amount;   // money display form
    QString dueDate;  // short date form
};

// The details panel: the body and the payment schedule of one proposal.
struct ProposalReportDetails {
    QString fileName;
    QString body;                // each line followed by CR LF
    bool noPaymentData = false;  // Label1(6) shown
    QString proposedAmount;      // lblAmount(0)
    QString paymentCount;        // lblPayments
    // lblAmount(k) and lblDate(k-1) for k = 1 .. count, at most eight.
    QList<ReportPayment> payments;
};

// The logic of the proposals report screen: the list, the selection marks,
// the details of a proposal and the deletion of the marked ones.
class ProposalReport {
public:
    enum Column { Select = 0, CreationDate, ProposalNo, AccountNo, Name, Amount };
    enum class Click { Nothing, Toggled, FieldProposal, Details };

    explicit ProposalReport(AppContext& ctx);

    static QString gridLayout();
    // « (byte 171) and two blanks.
    static QString selectionMark();
    // "No Payment data was found" after 53 blanks.
    static QString noPaymentNote();
    static QString fieldProposalMessage();

    // Rebuilds the list from the header files; marks are lost. False when
    // there are none: "No Proposals Exist" has been shown and the screen goes
    // back to the menu.
    bool fill();
    const QList<ProposalReportRow>& rows() const { return m_rows; }

    // A click on grid row `gridRow` (the heading is row 0) and `column`.
    Click click(int gridRow, int column);

    bool detailsShown() const { return m_detailsShown; }
    const ProposalReportDetails& details() const { return m_details; }
    // cmdReport(1).
    void closeDetails() { m_detailsShown = false; }

    // The question asked before the marked proposals are deleted.
    static QString deleteQuestion(int count);
    int selectedCount() const;

    // cmdReport(2): once the user has confirmed, deletes every marked
    // proposal with its four files, each all or nothing, then fills the list
    // again. Proposals that could not be deleted are shown in one message
    // naming their files. Declined, or nothing marked: nothing changes.
    // False when no proposal is left (see fill()).
    bool deleteSelected();

private:
    static ProposalReportRow rowFor(const ProposalFiles::ListedHeader& listed,
                                    const Dates::ShortDates& dates, const MoneyDisplay& money);
    void openDetails(const ProposalReportRow& row);
    void loadSchedule(const QString& fileName);

    AppContext& m_ctx;
    QList<ProposalReportRow> m_rows;
    ProposalReportDetails m_details;
    bool m_detailsShown = false;
};
