#pragma once
#include <QString>

// Text to and from the phone's character codes, and the input character checks.
namespace Module1 {

QString Zeichen_Wandeln(QString& text);
QString Zeichen_Rueckwandeln(QString& text);

bool Adresse_Pruefen(const QString& text);
bool Nummer_Pruefen(const QString& text);
bool Ziffern_Pruefen(const QString& text);
bool Servicenummer_Pruefen(const QString& text);
bool Name_Pruefen(const QString& text);
// A name the phone gives back as it was sent: converted to the phone's codes it holds none above
// 127, and converted back it is the same name.
bool Name_Umkehrbar(const QString& name);

// The type of number that goes with a number written to the phone: 145 (international) only
// when it starts with "+", else 129; a national number marked international is another number.
QString Nummerntyp(const QString& nummer);

// The text cut to at most `laenge` UTF-16 units without splitting a character: a surrogate pair,
// or a letter with its combining marks, stays whole or goes whole.
QString Text_Kuerzen(const QString& text, qsizetype laenge);

}  // namespace Module1
