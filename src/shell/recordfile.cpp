#include "shell/recordfile.h"

#include "shell/dates.h"
#include "shell/textcodec.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

RecordLayout& RecordLayout::add(const QString& name, FieldKind kind, int width) {
    m_fields.append({name, kind, m_size, width});
    m_size += width;
    return *this;
}

const RecordField* RecordLayout::find(const QString& name) const {
    for (const RecordField& f : m_fields) {
        if (f.name == name) {
            return &f;
        }
    }
    return nullptr;
}

RecordField RecordLayout::field(const QString& name) const {
    const RecordField* f = find(name);
    return f ? *f : RecordField{name, FieldKind::Text, 0, 0};
}

namespace {
template <typename T>
T load(const QByteArray& b, int offset) {
    return qFromLittleEndian<T>(b.constData() + offset);
}
template <typename T>
void store(QByteArray& b, int offset, T value) {
    qToLittleEndian<T>(value, b.data() + offset);
}

double loadDouble(const QByteArray& b, int offset) {
    const quint64 bits = load<quint64>(b, offset);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

float loadSingle(const QByteArray& b, int offset) {
    const quint32 bits = load<quint32>(b, offset);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

bool isWhole(FieldKind k) {
    return k == FieldKind::Int16 || k == FieldKind::Int32 || k == FieldKind::Bool;
}

bool isFloating(FieldKind k) {
    return k == FieldKind::Single || k == FieldKind::Double;
}

// The whole number nearest `v` if it lies within [low, high].
std::optional<qint64> wholeWithin(double v, double low, double high) {
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    const double n = std::nearbyint(v);
    if (n < low || n > high) {
        return std::nullopt;
    }
    return static_cast<qint64>(n);
}

qint64 limitOf(FieldKind k) {
    return k == FieldKind::Int32 ? std::numeric_limits<qint32>::max()
                                 : std::numeric_limits<qint16>::max();
}
}  // namespace

Record::Record(RecordLayout layout) : m_layout(std::move(layout)), m_bytes(m_layout.size(), '\0') {
    for (const RecordField& f : m_layout.fields()) {
        if (f.kind == FieldKind::Text) {
            std::memset(m_bytes.data() + f.offset, ' ', f.width);
        }
    }
}

Record::Record(RecordLayout layout, QByteArray bytes)
    : m_layout(std::move(layout)), m_bytes(std::move(bytes)) {
    m_bytes.resize(m_layout.size(), '\0');
}

const RecordField* Record::numberField(const QString& name) const {
    const RecordField* f = m_layout.find(name);
    return f && (isWhole(f->kind) || isFloating(f->kind)) ? f : nullptr;
}

QString Record::text(const QString& name) const {
    const RecordField* f = m_layout.find(name);
    if (!f || f->kind != FieldKind::Text) {
        return {};
    }
    QByteArray raw = m_bytes.mid(f->offset, f->width);
    // A zero record (read past the end) holds NULs where blanks would be.
    raw.replace('\0', ' ');
    return Text::decode(raw);
}

qint64 Record::integer(const QString& name) const {
    const RecordField* f = numberField(name);
    if (!f) {
        return 0;
    }
    switch (f->kind) {
        case FieldKind::Int32:
            return load<qint32>(m_bytes, f->offset);
        case FieldKind::Int16:
        case FieldKind::Bool:
            return load<qint16>(m_bytes, f->offset);
        default:
            // A stored number too big for a whole number reads as none.
            return wholeWithin(real(name), -9.0e18, 9.0e18).value_or(0);
    }
}

double Record::real(const QString& name) const {
    const RecordField* f = numberField(name);
    if (!f) {
        return 0;
    }
    switch (f->kind) {
        case FieldKind::Single:
            return loadSingle(m_bytes, f->offset);
        case FieldKind::Double:
            return loadDouble(m_bytes, f->offset);
        case FieldKind::Int32:
            return load<qint32>(m_bytes, f->offset);
        default:
            return load<qint16>(m_bytes, f->offset);
    }
}

Money Record::money(const QString& name) const {
    const RecordField* f = m_layout.find(name);
    if (!f || f->kind != FieldKind::Money) {
        return {};
    }
    return Money::fromRaw(load<qint64>(m_bytes, f->offset));
}

QDate Record::date(const QString& name) const {
    const RecordField* f = m_layout.find(name);
    if (!f || f->kind != FieldKind::Date) {
        return {};
    }
    const double days = loadDouble(m_bytes, f->offset);
    return days == 0 ? QDate() : Dates::fromDayCount(days);
}

bool Record::flag(const QString& name) const {
    const RecordField* f = m_layout.find(name);
    return f && isWhole(f->kind) && integer(name) != 0;
}

bool Record::setText(const QString& name, const QString& value) {
    const RecordField* f = m_layout.find(name);
    if (!f || f->kind != FieldKind::Text) {
        return false;
    }
    QByteArray raw = Text::encode(value).left(f->width);
    raw.append(QByteArray(f->width - raw.size(), ' '));
    std::memcpy(m_bytes.data() + f->offset, raw.constData(), f->width);
    return true;
}

bool Record::setInteger(const QString& name, qint64 value) {
    const RecordField* f = numberField(name);
    if (!f) {
        return false;
    }
    if (isFloating(f->kind)) {
        return setReal(name, static_cast<double>(value));
    }
    const qint64 limit = limitOf(f->kind);
    if (value > limit || value < -limit - 1) {
        return false;
    }
    if (f->kind == FieldKind::Int32) {
        store<qint32>(m_bytes, f->offset, static_cast<qint32>(value));
    } else {
        store<qint16>(m_bytes, f->offset, static_cast<qint16>(value));
    }
    return true;
}

bool Record::setReal(const QString& name, double value) {
    const RecordField* f = numberField(name);
    if (!f) {
        return false;
    }
    if (isWhole(f->kind)) {
        const double limit = static_cast<double>(limitOf(f->kind));
        const std::optional<qint64> n = wholeWithin(value, -limit - 1, limit);
        return n && setInteger(name, *n);
    }
    if (f->kind == FieldKind::Single) {
        if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
            return false;
        }
        const float v = static_cast<float>(value);
        quint32 bits;
        std::memcpy(&bits, &v, sizeof bits);
        store<quint32>(m_bytes, f->offset, bits);
        return true;
    }
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    store<quint64>(m_bytes, f->offset, bits);
    return true;
}

bool Record::setMoney(const QString& name, Money value) {
    const RecordField* f = m_layout.find(name);
    if (!f || f->kind != FieldKind::Money) {
        return false;
    }
    store<qint64>(m_bytes, f->offset, value.raw());
    return true;
}

bool Record::setDate(const QString& name, const QDate& value) {
    const RecordField* f = m_layout.find(name);
    if (!f || f->kind != FieldKind::Date) {
        return false;
    }
    const double days = value.isValid() ? Dates::toDayCount(value) : 0.0;
    quint64 bits;
    std::memcpy(&bits, &days, sizeof bits);
    store<quint64>(m_bytes, f->offset, bits);
    return true;
}

bool Record::setFlag(const QString& name, bool value) {
    const RecordField* f = m_layout.find(name);
    return f && isWhole(f->kind) && setInteger(name, value ? -1 : 0);
}

int RecordCountOf(qint64 bytes, int recordLength) {
    if (recordLength <= 0 || bytes <= 0) {
        return 0;
    }
    const double n = std::nearbyint(static_cast<double>(bytes) / recordLength);
    return n > 32767 ? 32767 : static_cast<int>(n);
}

RecordFile::RecordFile(QString fullPath, int recordLength, FaultHook fault)
    : m_file(std::move(fullPath)), m_length(recordLength), m_fault(std::move(fault)) {
    if (m_length <= 0) {
        m_status = failure(QStringLiteral("its record length is not a positive number"));
    } else if (!m_file.open(QIODevice::ReadWrite)) {
        m_status = failure(m_file.errorString());
    }
}

RecordFile::~RecordFile() {
    close();
}

IoStatus RecordFile::failure(const QString& reason) const {
    return IoStatus::failure(m_file.fileName(), reason);
}

void RecordFile::close() {
    if (m_file.isOpen()) {
        m_file.close();
    }
}

int RecordFile::count() const {
    return RecordCountOf(m_file.size(), m_length);
}

IoResult<QByteArray> RecordFile::read(int number) {
    if (!m_file.isOpen()) {
        return m_status.ok() ? failure(QStringLiteral("it is not open")) : m_status;
    }
    if (number < 1) {
        return failure(QStringLiteral("record %1 does not exist").arg(number));
    }
    QByteArray out(m_length, '\0');
    const qint64 at = static_cast<qint64>(number - 1) * m_length;
    if (at >= m_file.size()) {
        return out;
    }
    if (!m_file.seek(at)) {
        return failure(m_file.errorString());
    }
    const QByteArray got = m_file.read(m_length);
    // Only the last record of a file can be short; anything less is a failed read.
    if (got.size() != qMin<qint64>(m_length, m_file.size() - at)) {
        return failure(m_file.errorString());
    }
    std::memcpy(out.data(), got.constData(), got.size());
    return out;
}

IoStatus RecordFile::write(int number, const QByteArray& bytes) {
    if (!m_file.isOpen()) {
        return m_status.ok() ? failure(QStringLiteral("it is not open")) : m_status;
    }
    if (number < 1) {
        return failure(QStringLiteral("record %1 does not exist").arg(number));
    }
    if (m_fault && m_fault(FileStep::RecordWrite, m_file.fileName())) {
        return failure(QStringLiteral("the disk refused the write"));
    }
    QByteArray rec = bytes.left(m_length);
    rec.append(QByteArray(m_length - rec.size(), '\0'));
    const qint64 at = static_cast<qint64>(number - 1) * m_length;
    // Keep the file free of gaps: the records in between become zeros.
    if (at > m_file.size() && !m_file.resize(at)) {
        return failure(m_file.errorString());
    }
    if (!m_file.seek(at) || m_file.write(rec) != rec.size() || !m_file.flush()) {
        return failure(m_file.errorString());
    }
    return {};
}

IoStatus RecordFile::truncate(int records) {
    if (!m_file.isOpen() || !m_file.resize(static_cast<qint64>(records) * m_length)) {
        return failure(m_file.errorString());
    }
    return {};
}
