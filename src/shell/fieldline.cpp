#include "shell/fieldline.h"

#include "shell/money.h"
#include "shell/textcodec.h"

#include <cmath>

QString FieldNumberText(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return QString::number(static_cast<qint64>(value));
    }
    return QString::number(value, 'g', 15);
}

void FieldWriter::separate() {
    if (m_lineOpen) {
        m_bytes += ',';
    }
    m_lineOpen = true;
}

FieldWriter& FieldWriter::str(const QString& value) {
    separate();
    QString clean = value;
    clean.replace(QLatin1Char('"'), QLatin1Char('\''));
    m_bytes += '"';
    m_bytes += Text::encode(clean);
    m_bytes += '"';
    return *this;
}

FieldWriter& FieldWriter::num(qint64 value) {
    separate();
    m_bytes += QByteArray::number(value);
    return *this;
}

FieldWriter& FieldWriter::num(double value) {
    separate();
    m_bytes += FieldNumberText(value).toLatin1();
    return *this;
}

FieldWriter& FieldWriter::money(const Money& value) {
    separate();
    m_bytes += value.toPlainString().toLatin1();
    return *this;
}

FieldWriter& FieldWriter::boolean(bool value) {
    separate();
    m_bytes += value ? "#TRUE#" : "#FALSE#";
    return *this;
}

FieldWriter& FieldWriter::date(const QDate& value) {
    separate();
    m_bytes += '#';
    m_bytes += value.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
    m_bytes += '#';
    return *this;
}

FieldWriter& FieldWriter::endLine() {
    m_bytes += "\r\n";
    m_lineOpen = false;
    return *this;
}

namespace {
// "yyyy-MM-dd". The plain form is read directly: the format parser costs more
// than the rest of a header, and a list of proposals reads thousands of them.
QDate isoDate(const QString& text) {
    const auto digits = [&text](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9') {
                return -1;
            }
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    if (text.size() == 10 && text.at(4) == QLatin1Char('-') && text.at(7) == QLatin1Char('-')) {
        const int y = digits(0, 4);
        const int m = digits(5, 2);
        const int d = digits(8, 2);
        if (y > 0 && m >= 0 && d >= 0) {
            return QDate(y, m, d);
        }
    }
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}
}  // namespace

FieldReader::FieldReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

void FieldReader::skipBlanks() {
    while (m_pos < m_bytes.size() && (m_bytes.at(m_pos) == ' ' || m_bytes.at(m_pos) == '\t')) {
        ++m_pos;
    }
}

void FieldReader::skipDelimiter() {
    skipBlanks();
    if (m_pos >= m_bytes.size()) {
        return;
    }
    const char c = m_bytes.at(m_pos);
    if (c == ',') {
        ++m_pos;
    } else if (c == '\r') {
        ++m_pos;
        if (m_pos < m_bytes.size() && m_bytes.at(m_pos) == '\n') {
            ++m_pos;
        }
    } else if (c == '\n') {
        ++m_pos;
    }
}

bool FieldReader::atEnd() const {
    qsizetype p = m_pos;
    while (p < m_bytes.size()) {
        const char c = m_bytes.at(p);
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\x1a') {
            return false;
        }
        ++p;
    }
    return true;
}

bool FieldReader::next(QString* text, bool* quoted) {
    // Blank lines between fields are skipped, as a line end is only a separator.
    while (m_pos < m_bytes.size()) {
        skipBlanks();
        if (m_pos < m_bytes.size() && (m_bytes.at(m_pos) == '\r' || m_bytes.at(m_pos) == '\n')) {
            ++m_pos;
            continue;
        }
        break;
    }
    if (m_pos >= m_bytes.size()) {
        m_ok = false;
        text->clear();
        *quoted = false;
        return false;
    }
    if (m_bytes.at(m_pos) == '"') {
        const qsizetype close = m_bytes.indexOf('"', m_pos + 1);
        const qsizetype end = close < 0 ? m_bytes.size() : close;
        *text = Text::decode(QByteArrayView(m_bytes).sliced(m_pos + 1, end - m_pos - 1));
        *quoted = true;
        m_pos = close < 0 ? m_bytes.size() : close + 1;
        // Anything between the closing quote and the delimiter is dropped.
        while (m_pos < m_bytes.size()) {
            const char c = m_bytes.at(m_pos);
            if (c == ',' || c == '\r' || c == '\n') {
                break;
            }
            ++m_pos;
        }
        if (close < 0) {
            m_ok = false;
        }
    } else {
        qsizetype end = m_pos;
        while (end < m_bytes.size()) {
            const char c = m_bytes.at(end);
            if (c == ',' || c == '\r' || c == '\n') {
                break;
            }
            ++end;
        }
        *text = Text::decode(QByteArrayView(m_bytes).sliced(m_pos, end - m_pos)).trimmed();
        *quoted = false;
        m_pos = end;
    }
    skipDelimiter();
    return true;
}

QString FieldReader::str() {
    QString text;
    bool quoted = false;
    next(&text, &quoted);
    return text;
}

double FieldReader::num() {
    QString text;
    bool quoted = false;
    if (!next(&text, &quoted)) {
        return 0;
    }
    if (text.startsWith(QLatin1Char('#'))) {
        const QString inner = text.mid(1).chopped(text.endsWith(QLatin1Char('#')) ? 1 : 0);
        if (inner.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) {
            return -1;
        }
        if (inner.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
            return 0;
        }
    }
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        m_ok = false;
        return 0;
    }
    return v;
}

qint64 FieldReader::integer() {
    const double v = num();
    if (std::fabs(v) > 9.0e18) {
        m_ok = false;
        return 0;
    }
    return static_cast<qint64>(std::nearbyint(v));
}

Money FieldReader::money() {
    QString text;
    bool quoted = false;
    if (!next(&text, &quoted)) {
        return {};
    }
    const std::optional<Money> m = Money::fromPlainString(text);
    if (!m) {
        m_ok = false;
        return {};
    }
    return *m;
}

bool FieldReader::boolean() {
    QString text;
    bool quoted = false;
    if (!next(&text, &quoted)) {
        return false;
    }
    const QString t = text.toUpper();
    if (t == QLatin1String("#TRUE#") || t == QLatin1String("TRUE")) {
        return true;
    }
    if (t == QLatin1String("#FALSE#") || t == QLatin1String("FALSE")) {
        return false;
    }
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (ok) {
        return v != 0;
    }
    m_ok = false;
    return false;
}

QDate FieldReader::date() {
    QString text;
    bool quoted = false;
    if (!next(&text, &quoted)) {
        return {};
    }
    QString inner = text;
    if (inner.startsWith(QLatin1Char('#')) && inner.endsWith(QLatin1Char('#')) &&
        inner.size() > 1) {
        inner = inner.mid(1, inner.size() - 2);
    }
    const QDate d = isoDate(inner);
    if (!d.isValid()) {
        m_ok = false;
    }
    return d;
}
