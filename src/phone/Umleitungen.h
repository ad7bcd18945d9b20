#pragma once
#include <QString>
#include <optional>

// The "AT+CCFC" commands and replies of the diversion window. Reasons 0 "Immer", 1 "Besetzt",
// 2 "Keine Antwort" (with the delay), 3 "Nicht erreichbar"; classes 7, 1, 2, 4.
namespace Module1 {

QString CCFC_Abfrage_Bilden(int grund, int klasse);
// Register: "AT+CCFC=<r>,3,<number>,145,<class>", for reason 2 with ",,,<delay>".
QString CCFC_Registrieren_Bilden(int grund, const QString& nummer, int klasse, const QString& verzoegerung);
// The register command with the mode digit 1.
QString CCFC_Aktivieren_Bilden(int grund, const QString& nummer, int klasse, const QString& verzoegerung);
// Erase: "AT+CCFC=<r>,4,,,<class>" with a CR LF of its own.
QString CCFC_Loeschen_Bilden(int grund, int klasse);

// The first "+CCFC:" line of a query reply. Nothing when the reply has none, or when an active
// line names no number in quotes.
struct Umleitungsstand {
    bool Aktiv = false;
    QString Nummer;
    std::optional<int> Verzoegerung;  // the time field, when there is one and it is a number
};
std::optional<Umleitungsstand> CCFC_Antwort_Lesen(const QString& antwort);

// The message for a target number that cannot be sent, "" for a good one: one "+" in front,
// then 1 to 20 digits.
QString Umleitungsnummer_Pruefen(const QString& nummer);

}  // namespace Module1
