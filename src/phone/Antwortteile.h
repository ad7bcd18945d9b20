#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// Small pieces the reply parsers of the settings windows share.
namespace Module1 {

// The number at the start of a piece of reply: leading blanks ignored, read up to the first
// character that is not a digit; 0 when there is no digit.
int Zahl_Lesen(QStringView text);
// Whether the piece holds such a number (at least one digit after the blanks).
bool Zahl_Vorhanden(QStringView text);
// The rest of the line behind the first `marke`, without the marke and the line end;
// nothing when the reply has no such marke.
std::optional<QString> Zeile_Hinter(const QString& antwort, const QString& marke);
// The fields of a reply line split at commas; a comma inside double quotes splits nothing.
// The quotes stay on the fields.
QStringList Felder_Teilen(const QString& zeile);
// The field without its surrounding double quotes (and the blanks around them).
QString Ohne_Anfuehrung(const QString& feld);
// Whether the field is a double-quoted text.
bool In_Anfuehrung(const QString& feld);
// The text with every CR and LF dropped: values reach labels and files on one line.
QString Einzeilig(QString text);

}  // namespace Module1
