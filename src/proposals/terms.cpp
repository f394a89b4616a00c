#include "proposals/terms.h"

#include "shell/fieldline.h"
#include "shell/filestore.h"
#include "shell/prompter.h"

namespace Terms {

QString GenericTerms() {
    return QStringLiteral(
               "All material is guaranteed to be as specified, and the work to be performed") +
           QStringLiteral(" in accordance with the drawings and specifications submitted") +
           QStringLiteral(" for above work and completed in substantial workmanlike manner");
}

QString GenericDisclaimer() {
    return QStringLiteral("Any alteration or deviation from above specifications ") +
           QStringLiteral("involving extra costs, will be executed only upon ") +
           QStringLiteral("written orders, and will become an extra charge ") +
           QStringLiteral("over and above the Proposed Price. ") +
           QStringLiteral("All agreements contingent upon strikes, accidents or ") +
           QStringLiteral("delays beyond our control. Owner to carry fire, tornado ") +
           QStringLiteral("and other necessary insurance upon above work. ") +
           QStringLiteral("Workmen's Compensation and Public Liability Insurance ") +
           QStringLiteral("on above work to be provided by: ");
}

QString customTermsPath() {
    return QStringLiteral("/CustomTerms.txt");
}

QString customDisclaimerPath() {
    return QStringLiteral("/CustomDisclaimer.txt");
}

QByteArray customTextBytes(const QString& text) {
    QString stored = text;
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    stored.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FieldWriter().line(stored).bytes();
}

QString parseCustomText(const QByteArray& bytes) {
    FieldReader reader(bytes);
    QString text = reader.str();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

IoStatus saveCustomText(FileStore& store, const QString& path, const QString& text) {
    const IoStatus removed = store.DeleteDataFile(AppFolder::backupPathOf(path));
    if (!removed) {
        return removed;
    }
    return store.OpenForOutput(path, customTextBytes(text));
}

FileRead<QString> loadCustomText(FileStore& store, const QString& path) {
    FileRead<QString> r;
    if (!store.FileExists(path)) {
        return r;
    }
    const IoResult<QByteArray> bytes = store.OpenForInput(path);
    r.status = bytes.status();
    if (bytes) {
        r.value = parseCustomText(*bytes);
    }
    return r;
}

IoStatus deleteCustomText(FileStore& store, const QString& path) {
    return store.DeleteDataFile(path);
}

QString boxClearedMessage(const QString& name) {
    return QStringLiteral("The ") + name + QStringLiteral(" input box has been Cleared") +
           QStringLiteral("\r\n") + QStringLiteral("The file ") + name +
           QStringLiteral(" has not been Deleted");
}

QString boxClearedTitle() {
    return QStringLiteral("Input Box Cleared");
}

void reportBoxCleared(Prompter& prompter, const QString& name) {
    prompter.message(boxClearedMessage(name), boxClearedTitle(), Buttons::Ok);
}

}  // namespace Terms
