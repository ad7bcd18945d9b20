#pragma once
#include <QString>

// Dialling and hanging up: written straight to the port, no busy test, no wait, no reply read.
namespace Module1 {

// "ATDT" & number & ";" & CR LF: a voice call, and the phone stays in command mode.
QString Waehlbefehl(const QString& nummer);
// Numbers that may be dialled. A local number holds only "0-9", "*", "#" and "+"; a number
// read from the phone may also hold its pause characters, but never what ends a command.
bool Waehlnummer_Pruefen(const QString& nummer, bool lokal);
// Shows "Wähle Nummer <anzeige>..." and dials; a refused number gets a message and nothing is sent.
bool Waehlen(const QString& anzeige, const QString& nummer, bool lokal);

// The selected row of the phone list (the name in the status) or of the local list (the number).
void Nummer_Waehlen();
void Lokal_Waehlen();
// "AT" & CR LF, whether a call runs or not.
void Anruf_Beenden();

}  // namespace Module1
