#pragma once

#include "../customers/customerrecords.h"
#include "cases.h"
#include "print/recordingdevice.h"
#include "proposals/pricing.h"
#include "proposals/proposallayout.h"
#include "recordingpreview.h"
#include "tempapp.h"
#include "testmain.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>

inline const QString kTitle = QStringLiteral("Tolvar Proposals");
// The file name of proposal 1001 in each proposal folder.
inline const QString kFile = QStringLiteral("1001.txt");

// A yes or no of the scripts and case files.
inline QString yes(bool b) {
    return b ? QStringLiteral("yes") : QStringLiteral("no");
}

// A golden file of tests/data/proposals.
QByteArray golden(const QString& name);

// The header, body, payments and financials files of proposal `number`, and
// their bytes ("(none)" for a missing one).
QStringList proposalFiles(int number = 1001);
QList<QByteArray> storedFiles(const TempApp& app, int number = 1001);

// The blocks of a script file of tests/data/proposals: "== name" starts a
// block, the lines after it fill it; blank lines and "#" lines are left out.
QList<std::pair<QString, QStringList>> blocks(const QString& file);
// A list written "a | b | c".
QStringList listOf(const QString& value);

// The name of a control given the focus ("Payment 2" with its index).
QString focusName(WriterFocus focus);

// Every item of a recording, one per line: page, kind, position, font or
// width, ink, text; the texts first, then lines and boxes, then pictures.
QByteArray dump(const Recording& recording);

// A printer that can bring a fault on as a job starts.
struct FreezingTarget : RecordingTarget {
    std::function<void()> onOpen;
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override;
};

// A screen of this area driven by the scripts of a file of tests/data/proposals
// (writer_scripts.txt tells their steps): one step a line, a verb and its
// arguments split at "|". The steps every screen has are here; a screen adds
// its own, or puts its own in place of one, in its constructor. The folder has
// the proposal folders, the counter at 1001 and a folder "out" for PDFs unless
// `proposalFolders` is false.
struct ScriptApp : TempApp {
    explicit ScriptApp(bool proposalFolders = true);
    ~ScriptApp() { thaw(); }
    FreezingTarget target;
    RecordingPreview preview{*ctx};
    // The folders "freeze" keeps from having entries made or removed, root
    // included: the way to make a write or a delete fail. Thawed at the end.
    QStringList frozen;
    void thaw();

    using Steps = QMap<QString, std::function<void()>>;
    Steps steps;
    // The step being run: its words, its first argument as written and as a
    // number, and its first two arguments with their escapes read.
    QStringList a;
    QString arg, t1, t2;
    int n = 0;
    // Argument `i` of the step with its escapes read.
    QString text(int i) const { return QString::fromUtf8(cases::decode(a.value(i).toUtf8())); }
    // The script of the current test row, or `lines`, step by step, up to a
    // failure.
    void runScript();
    void runScript(const QStringList& lines);
};

// In a _data function: one row, column "steps", for each script of `file`.
void loadScripts(const QString& file);

// Mr. John Smith of Bangor, account ACC-7, as a typed record may hold him.
inline CustomerRecord smithRecord() {
    return recordNamed(QStringLiteral("smith"));
}

// Mr. John Smith's roof for Harbor Roofing: three copies, two payments on a
// schedule, colour on.
ProposalPrintInput sampleProposal();
std::shared_ptr<Recording> record(const ProposalPrintInput& in);
