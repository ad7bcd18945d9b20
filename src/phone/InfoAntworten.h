#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// The replies of the identity and status commands of the information window, read into the
// values it shows, and its report.
namespace Module1 {

// The reply test of a single-value read: the test text anywhere (an empty one always passes)
// and "OK" within the last `fenster` characters.
bool Antwort_Pruefen(const QString& antwort, const QString& testtext, int fenster);

// The value on the line after the echo of `befehl` (the echo, its CR and the CR LF that opens
// the reply line), up to the next line end; nothing without the echo or the line end, "" when
// that line is the final result.
std::optional<QString> Echozeile_Schneiden(const QString& antwort, const QString& befehl);

// The maker from the reply to "AT+CGMI": after the echo when there is one, else the first
// reply line (from the 3rd character, behind the opening CR LF).
std::optional<QString> Hersteller_Lesen(const QString& antwort);

// "+CBC: <connection>,<charge>": nothing when the line, its comma or the charge is missing.
struct Akkustand {
    int Verbindung = 0;  // 0 battery, 1 mains, other: no source known
    int Ladung = 0;      // per cent
};
std::optional<Akkustand> CBC_Lesen(const QString& antwort);
// The battery picture 0..4 of a charge.
int Akkubild_Waehlen(int ladung);
// "Batteriebetrieb", "Netzbetrieb" or "".
QString Stromquelle_Text(int verbindung);

// rssi of "+CSQ: <rssi>,<ber>"; nothing when it cannot be read.
std::optional<int> CSQ_Pegel_Lesen(const QString& antwort);
// "-113 dBm" ... "-51 dBm"; 99 (not measured) "unbekannt".
QString Pegel_Text(int rssi);
// The signal picture 0..5 of an rssi, -1 when none fits.
int Pegelbild_Waehlen(int rssi);

// The operator's name between the first two double quotes; "" without them.
QString COPS_Betreiber_Lesen(const QString& antwort);

// The cell from "+CREG: <n>,<stat>,<lac>,<ci>", whole (3G and 4G cells have 8 hex digits);
// "nicht eingebucht." when the phone is not registered and names no cell; "" otherwise without
// a cell.
QString CREG_Zelle_Lesen(const QString& antwort);

// The report: header with the moment, an empty line, one line per value (ten values).
QStringList Infobericht_Zeilen(const QStringList& werte, const QDateTime& zeitpunkt);

}  // namespace Module1
