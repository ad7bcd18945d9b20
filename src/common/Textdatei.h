#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// Line-based text files: ISO 8859-1, read with CR LF, LF or CR as line end, written with CR LF.
namespace Textdatei {

// The lines of a file; nothing when it cannot be read. A final line end adds no empty line.
std::optional<QStringList> Lesen(const QString& pfad);
// Splits text into lines the same way.
QStringList Zeilen(const QString& text);
// Writes the lines, each followed by CR LF, atomically: a failed save leaves the old file.
bool Schreiben(const QString& pfad, const QStringList& zeilen);
// Appends the lines, each followed by CR LF; creates the file when missing.
bool Anhaengen(const QString& pfad, const QStringList& zeilen);

}  // namespace Textdatei
