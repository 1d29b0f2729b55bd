#pragma once
// The Central European single-byte code page Windows-1250, in which the
// agency's Windows programs and editors write their texts.

#include <QByteArray>
#include <QString>
#include <optional>

namespace kodlap {

// Every byte is a character: the five bytes that the code page leaves
// unassigned become the control characters of the same number, so a text
// read and written again keeps its bytes.
QString dekodol1250(const QByteArray &bajtok);
// The bytes of `szoveg`; nothing when a character has no byte in the code page
// (then `elsoHiany`, when given, gets the first such character).
std::optional<QByteArray> kodol1250(const QString &szoveg, QString *elsoHiany = nullptr);

// Whether the bytes are valid UTF-8 (an empty text is).
bool ervenyesUtf8(const QByteArray &bajtok);

}  // namespace kodlap
