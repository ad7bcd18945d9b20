#include "phone/Sperren.h"

namespace Module1 {

const std::array<Sperrzeile, 12> Sperrzeilen{{
    {"CS", "Tastatursperre", true},
    {"PS", "SIM-Karte locken", true},
    {"SC", "PIN-Benutzung ein/aus", true},
    {"FD", "Nur Nummern aus Telefon zulassen (abgehend)", true},
    {"AO", "Ausgehenden Rufe sperren", true},
    {"OI", "Ausgehende internationalen Rufe sperren", true},
    {"OX", "Ausgehende intern. Rufe außer Heimatland sperren", true},
    {"AI", "Alle eingehenden Rufe sperren", true},
    {"IR", "Alle eingehenden Rufe sperren, wenn im Ausland", true},
    {"AB", "Alle Sperren setzen", false},
    {"AG", "Alle ausgehenden Sperren setzen", false},
    {"AC", "Alle eingehenden Sperren setzen", false},
}};

QString CLCK_Befehl_Bilden(int zeile, Sperraktion aktion, const QString& passwort)
{
    const QString befehl = QStringLiteral("AT+CLCK=") + QLatin1String(Sperrzeilen.at(zeile).Kennung);
    switch (aktion) {
    case Sperraktion::Abfragen: return befehl + QStringLiteral(",2");
    case Sperraktion::Setzen: return befehl + (zeile == 0 ? QStringLiteral(",1") : QStringLiteral(",1,") + passwort);
    case Sperraktion::Aufheben: return befehl + (zeile == 0 ? QStringLiteral(",0") : QStringLiteral(",0,") + passwort);
    }
    return befehl;
}

QList<int> Gruppenzeilen(int zeile)
{
    switch (zeile) {
    case 9: return {4, 5, 6, 7, 8};  // AB: AO, OI, OX, AI, IR
    case 10: return {4, 5, 6};       // AG: the outgoing ones
    case 11: return {7, 8};          // AC: the incoming ones
    default: return {};
    }
}

bool CLCK_Aktiv_Lesen(const QString& antwort) { return antwort.contains(QLatin1String("+CLCK: 1")); }

}  // namespace Module1
