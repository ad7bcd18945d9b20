#pragma once
#include <QString>

// Dialling and hanging up: written straight to the port, no busy test, no wait, no reply read.
namespace Module1 {

// "ATDT" & number & ";" & CR LF: a voice call, and the phone stays in command mode.
QString Waehlbefehl(const QString& nummer);
// Numbers that may be dialled, from either list: anything but what ends a command (";", '"',
// control characters). Spaces, "/" or "-" pass; the phone skips what it does not dial.
bool Waehlnummer_Pruefen(const QString& nummer);
// Shows "Wähle Nummer <anzeige>..." and dials; a refused number gets a message and nothing is sent.
bool Waehlen(const QString& anzeige, const QString& nummer);

// The selected row of the phone list (the name in the status) or of the local list (the number).
void Nummer_Waehlen();
void Lokal_Waehlen();
// "AT" & CR LF, whether a call runs or not.
void Anruf_Beenden();

}  // namespace Module1
