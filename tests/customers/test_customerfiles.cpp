#include "customers/customerfiles.h"
#include "customers/customerlistinput.h"
#include "customertesting.h"
#include "shell/appcontext.h"
#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList kFiles{"CustomerData.txt", "ContractInfo.txt", "CycleInfo.txt"};
const int kLengths[] = {328, 386, 69};

// The letter of each `length`-byte slot of `bytes`, "*" for one that no
// one letter fills (a short last slot too).
QString slotLetters(const QByteArray& bytes, int length) {
    QString out;
    for (qsizetype at = 0; at < bytes.size(); at += length) {
        const QByteArray slot = bytes.mid(at, length);
        out += slot == QByteArray(length, slot.at(0)) ? QChar::fromLatin1(slot.at(0)) : u'*';
    }
    return out;
}

// "ok", or the name of the file that failed.
QString told(const IoStatus& s) {
    return s ? QStringLiteral("ok") : QFileInfo(s.file()).fileName();
}

}  // namespace

class TestCustomerFiles : public QObject {
    Q_OBJECT

private slots:
    void scenarios_data() { CaseFile::scenarios("customers/files.txt"); }
    void scenarios() {
        using CaseFile::Args;
        TempApp app;
        FileStore& store = app.ctx->store();
        const auto number = [](Args a) { return a.value(0).toInt(); };
        using CaseFile::yes;
        const CaseFile::Actions actions{
            {"holding",
             [&](Args a) {
                 for (int i = 0; i < 3; ++i) {
                     const QString letters = i == 2 ? a[0].toLower() : a[0];
                     app.write(kFiles[i], lettered(letters.toLatin1(), kLengths[i]));
                 }
             }},
            {"write", [&](Args a) { app.write(a[0], built(a.mid(1))); }},
            {"copy",
             [&](Args a) {
                 app.write(a[0], testData(a[1]).mid(a[2].toInt(), a.value(3, "-1").toInt()));
             }},
            {"mkdir", [&](Args a) { app.mkdir(a[0]); }},
            {"remove", [&](Args a) { QDir(app.dir.path()).remove(a[0]); }},
            {"fault",
             [&](Args a) {
                 store.setFaultHook([file = a[0]](FileStep step, const QString& path) {
                     return step == FileStep::Replace && path.endsWith(file);
                 });
             }},
            {"heal", [&](Args) { store.setFaultHook({}); }},
            {"prompt", [&](Args a) { expect(app.prompter, a[0]); }},
            {"rebuild", [&](Args a) {
                 CustomerFiles::BuildContractInfo(*app.ctx, number(a), built({a[1], "386"}));
                 CustomerFiles::BuildCycleInfo(*app.ctx, number(a), built({a[2], "69"}));
             }}};
        const CaseFile::Results results{
            {"delete",
             [&](Args a) {
                 const auto r = CustomerFiles::deleteCustomer(store, number(a));
                 return told(r.status) + u' ' + yes(r.removed);
             }},
            {"save",
             [&](Args a) {
                 const bool byDefault = a.value(2) == QLatin1String("default");
                 return told(CustomerFiles::saveCustomer(
                     store, number(a), recordNamed(a[1]),
                     byDefault ? CompanionRecords::defaultContract(app.clock.today())
                               : built(a.mid(2, 2)),
                     byDefault ? CompanionRecords::defaultCycle() : built(a.mid(4, 2))));
             }},
            {"listed",
             [&](Args) {
                 int n = 0;
                 return CaseFile::joined(CustomerFiles::readAllCustomers(store), [&](auto& r) {
                     return yes(r == CustomerFiles::readCustomer(store, ++n));
                 });
             }},
            {"newFlag",
             [&](Args a) {
                 return QString::number(CustomerFiles::readCustomer(store, number(a)).NewFlag);
             }},
            {"count", [&](Args) { return QString::number(CustomerFiles::customerCount(store)); }},
            {"finish", [&](Args) { return yes(CustomerFiles::finishInterruptedDelete(store)); }},
            {"records",
             [&](Args) {
                 return CaseFile::joined(QList<int>{0, 1, 2}, [&](int i) {
                     return slotLetters(app.read(kFiles[i]), kLengths[i]);
                 });
             }},
            {"same", [&](Args a) { return yes(app.read(a[0]) == built(a.mid(1))); }},
            {"stored",
             [&](Args a) {
                 return yes(CustomerFiles::readCustomer(store, number(a)) == recordNamed(a[1]));
             }},
            {"heldContract",
             [&](Args a) {
                 const QByteArray held(386, a[0].at(0).toLatin1());
                 const QByteArray made = CompanionRecords::defaultContract(app.clock.today(), held);
                 return yes(made.mid(199, 35) == held.mid(199, 35));
             }},
            {"golden",
             [&](Args a) {
                 return yes(app.read(a[0]).mid(a.value(2).toInt()) == golden(qPrintable(a[1])));
             }},
            {"file", [&](Args a) { return QString::fromLatin1(app.read(a[0])); }},
            {"exists", [&](Args a) { return yes(app.exists(a[0])); }},
            {"files",
             [&](Args a) { return QDir(app.path(a[0])).entryList(QDir::Files).join(u'|'); }},
            {"saveAux",
             [&](Args a) { return yes(CustomerFiles::saveAuxData(store, a[0], a.mid(1))); }},
            {"aux", [&](Args a) { return CustomerFiles::loadAuxData(store, a[0]).join(u'|'); }},
            {"saveHeadings", [&](Args a) { return yes(CustomerFiles::saveHeadings(store, a)); }},
            {"headings",
             [&](Args) {
                 const auto h = CustomerFiles::loadHeadings(store);
                 return h ? h->join(u'|') : QStringLiteral("none");
             }},
            {"states", [&](Args) { return CustomerFiles::loadStates(store).join(u','); }},
            {"listRows", [&](Args) {
                 const CustomerListRows r = ReadCustomerListRows(store);
                 const auto shown = [](auto& e) {
                     return QStringList{e.accountName, e.address1,      e.cityOrAddress3,
                                        e.state,       e.zipOrAddress4, e.phone}
                         .join(u';');
                 };
                 const QString rows =
                     (r.status ? "" : "failed ") + CaseFile::joined(r.entries, shown);
                 return r.noCustomerFile ? QStringLiteral("none") : rows;
             }}};
        CaseFile::run(actions, results);
    }
};

TOLVAR_TEST(TestCustomerFiles)
#include "test_customerfiles.moc"
