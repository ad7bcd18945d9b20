#include "phone/InfoAntworten.h"

#include "link/Module1.h"
#include "phone/Antwortteile.h"

namespace Module1 {

namespace {

qsizetype Zeilenende_Ab(const QString& text, qsizetype ab)
{
    for (qsizetype i = ab; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char('\r') || text.at(i) == QLatin1Char('\n'))
            return i;
    return -1;
}

// The text from `ab` up to the next line end; nothing when no line end follows.
std::optional<QString> Bis_Zeilenende(const QString& text, qsizetype ab)
{
    if (ab > text.size())
        return std::nullopt;
    const qsizetype ende = Zeilenende_Ab(text, ab);
    if (ende < 0)
        return std::nullopt;
    return text.mid(ab, ende - ab);
}

// A phone that answers with the final result alone gives no value: "OK" is none.
std::optional<QString> Ohne_Ergebniszeile(std::optional<QString> wert)
{
    if (wert && Endergebnis(*wert + QLatin1Char('\r')) != Ergebnis::Keins)
        return QString();
    return wert;
}

}  // namespace

bool Antwort_Pruefen(const QString& antwort, const QString& testtext, int fenster)
{
    return antwort.contains(testtext) && antwort.right(fenster).contains(QLatin1String("OK"));
}

std::optional<QString> Echozeile_Schneiden(const QString& antwort, const QString& befehl)
{
    const qsizetype p = antwort.indexOf(befehl + QLatin1Char('\r'));
    if (p < 0)
        return std::nullopt;
    return Ohne_Ergebniszeile(Bis_Zeilenende(antwort, p + befehl.size() + 3));
}

std::optional<QString> Hersteller_Lesen(const QString& antwort)
{
    if (antwort.contains(QLatin1String("+CGMI")))
        return Echozeile_Schneiden(antwort, QStringLiteral("AT+CGMI"));
    return Ohne_Ergebniszeile(Bis_Zeilenende(antwort, 2));
}

std::optional<Akkustand> CBC_Lesen(const QString& antwort)
{
    const std::optional<QString> zeile = Zeile_Hinter(antwort, QStringLiteral("+CBC: "));
    if (!zeile)
        return std::nullopt;
    const qsizetype komma = zeile->indexOf(QLatin1Char(','));
    if (komma < 0)
        return std::nullopt;
    const QStringView ladung = QStringView(*zeile).mid(komma + 1);
    if (!Zahl_Vorhanden(ladung))
        return std::nullopt;
    const QStringView verbindung = QStringView(*zeile).left(komma);
    return Akkustand{Zahl_Vorhanden(verbindung) ? Zahl_Lesen(verbindung) : -1, Zahl_Lesen(ladung)};
}

int Akkubild_Waehlen(int ladung)
{
    if (ladung > 89)
        return 4;
    if (ladung >= 70)
        return 3;
    if (ladung >= 50)
        return 2;
    if (ladung >= 30)
        return 1;
    return 0;
}

QString Stromquelle_Text(int verbindung)
{
    switch (verbindung) {
    case 0: return QStringLiteral("Batteriebetrieb");
    case 1: return QStringLiteral("Netzbetrieb");
    default: return QString();
    }
}

std::optional<int> CSQ_Pegel_Lesen(const QString& antwort)
{
    const std::optional<QString> zeile = Zeile_Hinter(antwort, QStringLiteral("+CSQ:"));
    if (!zeile)
        return std::nullopt;
    const qsizetype komma = zeile->indexOf(QLatin1Char(','));
    if (komma < 0 || !Zahl_Vorhanden(QStringView(*zeile).left(komma)))
        return std::nullopt;
    return Zahl_Lesen(QStringView(*zeile).left(komma));
}

QString Pegel_Text(int rssi)
{
    if (rssi == 99)
        return QStringLiteral("unbekannt");
    return QString::number(2 * rssi - 113) + QStringLiteral(" dBm");
}

int Pegelbild_Waehlen(int rssi)
{
    if (rssi == 0)
        return 1;
    if (rssi == 1)
        return 2;
    if (rssi >= 2 && rssi <= 18)
        return 3;
    if (rssi >= 19 && rssi <= 30)
        return 4;
    if (rssi == 31)
        return 5;
    if (rssi > 98)
        return 0;
    return -1;
}

QString COPS_Betreiber_Lesen(const QString& antwort)
{
    const qsizetype auf = antwort.indexOf(QLatin1Char('"'));
    const qsizetype zu = auf < 0 ? -1 : antwort.indexOf(QLatin1Char('"'), auf + 1);
    if (zu < 0)
        return QString();
    return Einzeilig(antwort.mid(auf + 1, zu - auf - 1));
}

QString CREG_Zelle_Lesen(const QString& antwort)
{
    const std::optional<QString> zeile = Zeile_Hinter(antwort, QStringLiteral("+CREG:"));
    if (!zeile)
        return QString();
    const QStringList felder = Felder_Teilen(zeile->trimmed());
    if (felder.size() < 4) {
        // Without location and cell the status alone tells whether the phone is registered.
        const int status = felder.size() >= 2 ? Zahl_Lesen(felder.at(1)) : -1;
        return status == 1 || status == 5 ? QString() : QStringLiteral("nicht eingebucht.");
    }
    return Ohne_Anfuehrung(felder.at(3));
}

QStringList Infobericht_Zeilen(const QStringList& werte, const QDateTime& zeitpunkt)
{
    static const char* const schluessel[] = {"IMEI",         "IMSI",    "Hersteller",    "MODELL", "SOFTWAREVERSION",
                                             "BATTERIESTAND", "STROMQUELLE", "EMPFANG", "NETZBETREIBER", "ZELLE"};
    QStringList zeilen;
    zeilen << QStringLiteral("Daten aufgenommen am ") + zeitpunkt.toString(QStringLiteral("dd.MM.yyyy")) +
                  QStringLiteral(" um ") + zeitpunkt.toString(QStringLiteral("HH:mm:ss"))
           << QString();
    for (int i = 0; i < 10; ++i)
        zeilen << QString::fromLatin1(schluessel[i]).leftJustified(16) + QStringLiteral(": ") +
                      Einzeilig(werte.value(i));
    return zeilen;
}

}  // namespace Module1
