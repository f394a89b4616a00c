#include "print/validation.h"

#include "shell/appcontext.h"
#include "shell/money.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const QString kRefused = QStringLiteral(",&.\\*/?\"");

// What the key filters count as a number: the user's number format or the
// plain form with a decimal point.
bool isNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return false;
    }
    bool ok = false;
    const double v = QLocale().toDouble(t, &ok);
    if (ok) {
        return std::isfinite(v);
    }
    return std::isfinite(t.toDouble(&ok)) && ok;
}

}  // namespace

namespace {
// The plain "." and the locale's own decimal mark both start the decimals.
bool isDecimalMark(QChar c) {
    return c == QLatin1Char('.') || QString(c) == MoneyLocale().decimalPoint();
}
}  // namespace

int AmountKey(int key, const InputBox& box) {
    const QString t = box.text();
    const QChar c(static_cast<char16_t>(key));
    if (c == QLatin1Char('0') && t.isEmpty()) {
        return 0;
    }
    const auto mark = std::find_if(t.cbegin(), t.cend(), isDecimalMark);
    if (mark != t.cend() && t.cend() - mark > 2) {
        return 0;
    }
    if (isDecimalMark(c)) {
        return mark == t.cend() ? key : 0;
    }
    return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? key : 0;
}

bool FormatAmountBox(AppContext& ctx, InputBox& box) {
    const QLocale locale = MoneyLocale();
    const QString t = box.text().trimmed();
    const std::optional<Money> amount = t.isEmpty() ? std::nullopt : Money::parseDisplay(t, locale);
    if (amount) {
        box.setText(amount->display(locale));
        return true;
    }
    ctx.alarm();
    box.setText(QString());
    box.focus();
    return false;
}

int TextKey(AppContext& ctx, int key, InputBox& box) {
    if (key == kBackspaceKey || isNumber(box.text())) {
        return key;
    }
    const QChar c(static_cast<char16_t>(key));
    if (!kRefused.contains(c)) {
        return key;
    }
    ctx.alarm();
    ctx.prompter().message(
        QStringLiteral("This character, (") + c + QStringLiteral(") is invalid for this field"),
        QStringLiteral("Invalid Key entry"), Buttons::Ok, Icon::Exclamation);
    box.focus();
    return 0;
}

QString TextPaste(const QString& current, const QString& pasted) {
    QString text = current;
    QString kept;
    for (QChar c : pasted) {
        if (isNumber(text) || !kRefused.contains(c)) {
            kept += c;
            text += c;
        }
    }
    return kept;
}

QString JoinName(const QString& title, const QString& first, const QString& middle,
                 const QString& last) {
    Q_UNUSED(middle);
    QString name;
    if (!title.trimmed().isEmpty()) {
        name += title.trimmed() + QLatin1Char(' ');
    }
    if (!first.trimmed().isEmpty()) {
        name += first.trimmed() + QLatin1Char(' ');
    }
    if (!last.trimmed().isEmpty()) {
        name += last.trimmed();
    }
    return name;
}
