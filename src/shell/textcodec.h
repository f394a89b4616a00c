#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every data file is single-byte Windows-1252 text with CR LF line ends.
namespace Text {

// A character without a single-byte form is written as "?".
QByteArray encode(const QString& text);
QString decode(QByteArrayView bytes);
// Whether every byte or character is plain ASCII, which reads and writes
// the same in every single-byte form.
bool isAscii(QByteArrayView bytes);
bool isAscii(QStringView text);

// Raw lines: each line written whole and ended by CR LF.
QByteArray joinLines(const QStringList& lines);
// Splits at CR LF, a lone CR or a lone LF; a final line end does not start
// another line.
QStringList splitLines(const QByteArray& bytes);

}  // namespace Text
