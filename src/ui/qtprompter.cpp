#include "ui/qtprompter.h"

#include "ui/printertarget.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

namespace {
QMessageBox::StandardButtons standardButtons(Buttons b) {
    switch (b) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(Icon i) {
    switch (i) {
        case Icon::None:
            return QMessageBox::NoIcon;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Critical:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// What closing the box with Escape or its close button answers.
QMessageBox::StandardButton escapeOf(Buttons b) {
    switch (b) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::YesNo:
            return QMessageBox::No;
        default:
            return QMessageBox::Cancel;
    }
}
}  // namespace

QWidget* QtPrompter::parentWindow() {
    return QApplication::activeWindow();
}

std::unique_ptr<QMessageBox> QtPrompter::makeMessageBox(const QString& text, const QString& title,
                                                        Buttons buttons, Icon icon,
                                                        QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(title);
    // Texts separate their lines with CR LF, which a label would show twice.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setText(shown);
    box->setTextFormat(Qt::PlainText);
    box->setIcon(standardIcon(icon));
    box->setStandardButtons(standardButtons(buttons));
    box->setEscapeButton(escapeOf(buttons));
    return box;
}

Answer QtPrompter::answerOf(QMessageBox::StandardButton button, Buttons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Retry:
            return Answer::Retry;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            break;
    }
    return answerOf(escapeOf(buttons), buttons);
}

Answer QtPrompter::message(const QString& text, const QString& title, Buttons buttons, Icon icon) {
    const auto box = makeMessageBox(text, title, buttons, icon, parentWindow());
    const auto clicked = static_cast<QMessageBox::StandardButton>(box->exec());
    return answerOf(clicked, buttons);
}

bool QtPrompter::inputBox(const QString& prompt, const QString& title, QString* value) {
    bool ok = false;
    QString shown = prompt;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString typed =
        QInputDialog::getText(parentWindow(), title, shown, QLineEdit::Normal, *value, &ok);
    if (ok) {
        *value = typed;
    }
    return ok;
}

void QtPrompter::beep() {
    QApplication::beep();
}

QtPrompter::QtPrompter() = default;
QtPrompter::~QtPrompter() = default;

QPrinter& QtPrompter::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        PrepareLetterPrinter(*m_printer);
    }
    return *m_printer;
}

bool QtPrompter::printDialog(PrintRequest* request) {
    QPrinter* printer = request->platformPrinter ? static_cast<QPrinter*>(request->platformPrinter)
                                                 : &this->printer();
    printer->setCopyCount(qMax(1, request->copies));
    printer->setPageOrientation(request->landscape ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
    printer->setColorMode(request->colour ? QPrinter::Color : QPrinter::GrayScale);
    QPrintDialog dialog(printer, parentWindow());
    dialog.setOption(QAbstractPrintDialog::PrintToFile, request->allowPrintToFile);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, request->allowPageRange);
    if (!request->allowPageRange) {
        printer->setPrintRange(QPrinter::AllPages);
    }
    if (!request->title.isEmpty()) {
        dialog.setWindowTitle(request->title);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    request->copies = printer->copyCount();
    request->landscape = printer->pageLayout().orientation() == QPageLayout::Landscape;
    return true;
}

QString QtPrompter::qtFilter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|'))) {
        return filter;
    }
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const int paren = description.indexOf(QLatin1Char('('));
        if (paren > 0) {
            description = description.left(paren).trimmed();
        }
        QString list = parts.at(i + 1);
        list.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
        QStringList patterns = list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) {
                p = QStringLiteral("*");
            }
        }
        out << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return out.join(QLatin1String(";;"));
}

QString QtPrompter::openFile(const QString& title, const QString& filter,
                             const QString& startFolder) {
    return QFileDialog::getOpenFileName(parentWindow(), title, startFolder, qtFilter(filter));
}

QString QtPrompter::saveFile(const QString& title, const QString& filter,
                             const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(parentWindow(), title, suggestedPath, qtFilter(filter));
}

bool QtPrompter::chooseColour(quint32* rgb) {
    const QColor initial = QColor::fromRgb(static_cast<QRgb>(*rgb & 0xffffff));
    const QColor chosen = QColorDialog::getColor(initial, parentWindow());
    if (!chosen.isValid()) {
        return false;
    }
    *rgb = chosen.rgb() & 0xffffff;
    return true;
}

bool QtPrompter::chooseFont(FontChoice* font) {
    QFont initial(font->name);
    initial.setPointSizeF(font->size > 0 ? font->size : 10);
    initial.setBold(font->bold);
    initial.setItalic(font->italic);
    initial.setUnderline(font->underline);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parentWindow());
    if (!ok) {
        return false;
    }
    font->name = chosen.family();
    font->size = chosen.pointSizeF();
    font->bold = chosen.bold();
    font->italic = chosen.italic();
    font->underline = chosen.underline();
    return true;
}
