#pragma once
#include <QString>
#include <QStringList>

// The service-centre list "smsscnr.snr" and the overwrite question of the message files.
namespace Module1 {

// Position of the entry chosen in Form7 when it was closed with OK; -1 when none was selected.
extern int SMSCenterWahl;

QString Servicecenter_Datei();
// The non-empty lines of the file, in file order; empty when it is missing.
QStringList Servicecenter_Lesen();
// Rewrites the file; a failed save says so and leaves the old file.
bool Servicecenter_Schreiben(const QStringList& nummern);

// Fills Form6.Combo2 with the list and selects its first entry; nothing goes to the phone.
void Servicecenter_Laden();

// What Form7 says about a number typed in.
enum class Servicenummer { Gut, Zeichen, Format };
Servicenummer Servicenummer_Bewerten(const QString& nummer);

// True when the file exists and the user does not want it overwritten.
bool Ueberschreiben_Fragen(const QString& datei);

}  // namespace Module1
