#include "shell/recordfile.h"

#include "shell/dates.h"
#include "shell/textcodec.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

RecordLayout& RecordLayout::text(const QString& name, int width) {
    return add(name, FieldKind::Text, width);
}

RecordLayout& RecordLayout::add(const QString& name, FieldKind kind, int width) {
    m_fields.append({name, kind, m_size, width});
    m_size += width;
    return *this;
}

const RecordField& RecordLayout::field(const QString& name) const {
    for (const RecordField& f : m_fields) {
        if (f.name == name) {
            return f;
        }
    }
    qFatal("record field %s is not in the layout", qPrintable(name));
}

Record::Record(const RecordLayout& layout)
    : m_layout(&layout), m_bytes(layout.size(), '\0') {
    for (const RecordField& f : layout.fields()) {
        if (f.kind == FieldKind::Text) {
            std::memset(m_bytes.data() + f.offset, ' ', f.width);
        }
    }
}

Record::Record(const RecordLayout& layout, QByteArray bytes)
    : m_layout(&layout), m_bytes(std::move(bytes)) {
    m_bytes.resize(layout.size(), '\0');
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
}  // namespace

QString Record::text(const QString& name) const {
    const RecordField& f = m_layout->field(name);
    QByteArray raw = m_bytes.mid(f.offset, f.width);
    // A zero record (read past the end) holds NULs where blanks would be.
    raw.replace('\0', ' ');
    return Text::decode(raw);
}

qint64 Record::integer(const QString& name) const {
    const RecordField& f = m_layout->field(name);
    switch (f.kind) {
        case FieldKind::Int16:
        case FieldKind::Bool:
            return load<qint16>(m_bytes, f.offset);
        case FieldKind::Int32:
            return load<qint32>(m_bytes, f.offset);
        default:
            return static_cast<qint64>(std::llround(real(name)));
    }
}

double Record::real(const QString& name) const {
    const RecordField& f = m_layout->field(name);
    switch (f.kind) {
        case FieldKind::Single: {
            const quint32 bits = load<quint32>(m_bytes, f.offset);
            float v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        case FieldKind::Double:
        case FieldKind::Date: {
            const quint64 bits = load<quint64>(m_bytes, f.offset);
            double v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        case FieldKind::Money:
            return money(name).toDouble();
        default:
            return static_cast<double>(integer(name));
    }
}

Money Record::money(const QString& name) const {
    const RecordField& f = m_layout->field(name);
    return Money::fromRaw(load<qint64>(m_bytes, f.offset));
}

QDate Record::date(const QString& name) const {
    const double days = real(name);
    return days == 0 ? QDate() : Dates::fromDayCount(days);
}

bool Record::flag(const QString& name) const { return integer(name) != 0; }

void Record::setText(const QString& name, const QString& value) {
    const RecordField& f = m_layout->field(name);
    QByteArray raw = Text::encode(value).left(f.width);
    raw.append(QByteArray(f.width - raw.size(), ' '));
    std::memcpy(m_bytes.data() + f.offset, raw.constData(), f.width);
}

void Record::setInteger(const QString& name, qint64 value) {
    const RecordField& f = m_layout->field(name);
    switch (f.kind) {
        case FieldKind::Int16:
        case FieldKind::Bool:
            store<qint16>(m_bytes, f.offset, static_cast<qint16>(value));
            break;
        case FieldKind::Int32:
            store<qint32>(m_bytes, f.offset, static_cast<qint32>(value));
            break;
        default:
            setReal(name, static_cast<double>(value));
    }
}

void Record::setReal(const QString& name, double value) {
    const RecordField& f = m_layout->field(name);
    switch (f.kind) {
        case FieldKind::Single: {
            const float v = static_cast<float>(value);
            quint32 bits;
            std::memcpy(&bits, &v, sizeof bits);
            store<quint32>(m_bytes, f.offset, bits);
            break;
        }
        case FieldKind::Double:
        case FieldKind::Date: {
            quint64 bits;
            std::memcpy(&bits, &value, sizeof bits);
            store<quint64>(m_bytes, f.offset, bits);
            break;
        }
        case FieldKind::Money:
            setMoney(name, Money::fromDouble(value));
            break;
        default:
            setInteger(name, static_cast<qint64>(std::llround(value)));
    }
}

void Record::setMoney(const QString& name, Money value) {
    const RecordField& f = m_layout->field(name);
    store<qint64>(m_bytes, f.offset, value.raw());
}

void Record::setDate(const QString& name, const QDate& value) {
    setReal(name, value.isValid() ? Dates::toDayCount(value) : 0.0);
}

void Record::setFlag(const QString& name, bool value) { setInteger(name, value ? -1 : 0); }

int RecordCountOf(qint64 bytes, int recordLength) {
    if (recordLength <= 0 || bytes <= 0) {
        return 0;
    }
    const double n = std::nearbyint(static_cast<double>(bytes) / recordLength);
    return n > 32767 ? 32767 : static_cast<int>(n);
}

RecordFile::RecordFile(QString fullPath, int recordLength)
    : m_file(std::move(fullPath)), m_length(recordLength) {
    if (!m_file.open(QIODevice::ReadWrite)) {
        m_status = IoStatus::failure(m_file.fileName(), m_file.errorString());
    }
}

RecordFile::~RecordFile() { close(); }

void RecordFile::close() {
    if (m_file.isOpen()) {
        m_file.close();
    }
}

int RecordFile::count() const { return RecordCountOf(m_file.size(), m_length); }

QByteArray RecordFile::read(int number) {
    QByteArray out(m_length, '\0');
    if (!m_file.isOpen() || number < 1) {
        return out;
    }
    const qint64 at = static_cast<qint64>(number - 1) * m_length;
    if (at >= m_file.size() || !m_file.seek(at)) {
        return out;
    }
    const QByteArray got = m_file.read(m_length);
    std::memcpy(out.data(), got.constData(), got.size());
    return out;
}

IoStatus RecordFile::write(int number, const QByteArray& bytes) {
    if (!m_file.isOpen()) {
        return m_status.ok() ? IoStatus::failure(m_file.fileName(), QStringLiteral("not open"))
                             : m_status;
    }
    if (number < 1) {
        return IoStatus::failure(m_file.fileName(), QStringLiteral("bad record number"));
    }
    QByteArray rec = bytes.left(m_length);
    rec.append(QByteArray(m_length - rec.size(), '\0'));
    const qint64 at = static_cast<qint64>(number - 1) * m_length;
    if (at > m_file.size()) {
        // Keep the file free of gaps: fill the records in between with zeros.
        if (!m_file.resize(at)) {
            return IoStatus::failure(m_file.fileName(), m_file.errorString());
        }
    }
    if (!m_file.seek(at) || m_file.write(rec) != rec.size() || !m_file.flush()) {
        return IoStatus::failure(m_file.fileName(), m_file.errorString());
    }
    return {};
}

IoStatus RecordFile::truncate(int records) {
    if (!m_file.isOpen() || !m_file.resize(static_cast<qint64>(records) * m_length)) {
        return IoStatus::failure(m_file.fileName(), m_file.errorString());
    }
    return {};
}
