#pragma once

#include "shell/iostatus.h"
#include "shell/money.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QList>
#include <QString>

#include <functional>

// Field types of fixed-length records: blank-padded single-byte text, little-
// endian integers, money as int64 x 10000, dates as 8-byte day counts from
// 1899-12-30, Booleans as 16-bit -1/0.
enum class FieldKind { Text, Int16, Int32, Single, Double, Money, Date, Bool };

struct RecordField {
    QString name;
    FieldKind kind = FieldKind::Text;
    int offset = 0;
    int width = 0;
};

// The layout of one record type: fields in order, offsets following on.
// Cheap to copy: the field list is shared.
class RecordLayout {
public:
    RecordLayout& text(const QString& name, int width) { return add(name, FieldKind::Text, width); }
    RecordLayout& int16(const QString& name) { return add(name, FieldKind::Int16, 2); }
    RecordLayout& int32(const QString& name) { return add(name, FieldKind::Int32, 4); }
    RecordLayout& single(const QString& name) { return add(name, FieldKind::Single, 4); }
    RecordLayout& real(const QString& name) { return add(name, FieldKind::Double, 8); }
    RecordLayout& money(const QString& name) { return add(name, FieldKind::Money, 8); }
    RecordLayout& date(const QString& name) { return add(name, FieldKind::Date, 8); }
    RecordLayout& flag(const QString& name) { return add(name, FieldKind::Bool, 2); }

    int size() const { return m_size; }
    const QList<RecordField>& fields() const { return m_fields; }
    // The field of that name, or nullptr.
    const RecordField* find(const QString& name) const;
    // The field of that name; a name not in the layout gives a field of no
    // width, which reads as nothing and takes nothing.
    RecordField field(const QString& name) const;

private:
    RecordLayout& add(const QString& name, FieldKind kind, int width);
    QList<RecordField> m_fields;
    int m_size = 0;
};

// One record's bytes, read and written through its own copy of the layout.
// An accessor that names no field of a kind holding its type is misuse: a
// getter gives the type's blank value and a setter returns false and leaves
// the bytes alone. Numbers convert between the number kinds; a value that does
// not fit the field is refused, never wrapped.
class Record {
public:
    explicit Record(RecordLayout layout);
    Record(RecordLayout layout, QByteArray bytes);

    const QByteArray& bytes() const { return m_bytes; }
    const RecordLayout& layout() const { return m_layout; }

    QString text(const QString& name) const;  // with its padding
    QString trimmed(const QString& name) const { return text(name).trimmed(); }
    qint64 integer(const QString& name) const;
    double real(const QString& name) const;
    Money money(const QString& name) const;
    QDate date(const QString& name) const;
    bool flag(const QString& name) const;

    bool setText(const QString& name, const QString& value);
    bool setInteger(const QString& name, qint64 value);
    bool setReal(const QString& name, double value);
    bool setMoney(const QString& name, Money value);
    bool setDate(const QString& name, const QDate& value);
    bool setFlag(const QString& name, bool value);

private:
    const RecordField* numberField(const QString& name) const;

    RecordLayout m_layout;
    QByteArray m_bytes;
};

// Where a file operation can be made to fail, for tests that show nothing is
// lost when the disk gives out part way.
enum class FileStep { Open, Write, Flush, Commit, Copy, Delete, Replace, MakeFolder, RecordWrite };
// True to make that step fail on that file (full path).
using FaultHook = std::function<bool(FileStep step, const QString& fullPath)>;

// A file of fixed-length records numbered from 1, open for reading and writing.
// A read past the end gives a zero record; a read that fails is reported. A
// write touches only its record and is flushed at once.
class RecordFile {
public:
    RecordFile(QString fullPath, int recordLength, FaultHook fault = {});
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    IoStatus status() const { return m_status; }
    bool isOpen() const { return m_file.isOpen(); }
    int recordLength() const { return m_length; }
    int count() const;

    IoResult<QByteArray> read(int number);
    IoStatus write(int number, const QByteArray& bytes);
    // Cuts the file to `records` records (used when compacting).
    IoStatus truncate(int records);
    void close();

private:
    IoStatus failure(const QString& reason) const;

    QFile m_file;
    int m_length;
    IoStatus m_status;
    FaultHook m_fault;
};

// Record count of a file of `bytes` bytes: the quotient rounded to the nearest
// whole number, halves to even, capped at the 16-bit limit.
int RecordCountOf(qint64 bytes, int recordLength);
