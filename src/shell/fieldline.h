#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

class Money;

// Writer of field-line files: fields separated by commas, each line ended by
// CR LF; strings in double quotes without any escape (a double quote inside is
// replaced by an apostrophe so that the file always reads back), numbers bare
// with "." as decimal mark, #TRUE#/#FALSE#, dates #yyyy-mm-dd#.
class FieldWriter {
public:
    FieldWriter& str(const QString& value);
    FieldWriter& num(qint64 value);
    FieldWriter& num(double value);
    FieldWriter& money(const Money& value);
    FieldWriter& boolean(bool value);
    FieldWriter& date(const QDate& value);
    FieldWriter& endLine();
    // A whole line of one string field.
    FieldWriter& line(const QString& value) { return str(value).endLine(); }

    const QByteArray& bytes() const { return m_bytes; }

private:
    void separate();
    QByteArray m_bytes;
    bool m_lineOpen = false;
};

// Reader of field-line files, field by field in a fixed order; a line end
// counts as a comma and a quoted string may span lines. A field that is
// missing or of the wrong type reads as the type's blank value and clears
// ok(), so callers can fall back to their defaults.
class FieldReader {
public:
    explicit FieldReader(QByteArray bytes);

    QString str();
    double num();
    qint64 integer();
    Money money();
    bool boolean();
    QDate date();

    bool atEnd() const;
    bool ok() const { return m_ok; }

private:
    // The next raw field: its text and whether it was quoted.
    bool next(QString* text, bool* quoted);
    void skipBlanks();
    void skipDelimiter();

    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

// Text for a number as these files write it: shortest form, "." decimal mark.
QString FieldNumberText(double value);
