#include "phone/Umleitungen.h"

#include "common/Zeichen.h"
#include "phone/Antwortteile.h"

namespace Module1 {

QString CCFC_Abfrage_Bilden(int grund, int klasse)
{
    return QStringLiteral("AT+CCFC=%1,2,,,%2").arg(grund).arg(klasse);
}

QString CCFC_Registrieren_Bilden(int grund, const QString& nummer, int klasse, const QString& verzoegerung)
{
    QString befehl = QStringLiteral("AT+CCFC=%1,3,").arg(grund) + nummer + QLatin1Char(',') + Nummerntyp(nummer) +
                     QStringLiteral(",%1").arg(klasse);
    if (grund == 2)
        befehl += QStringLiteral(",,,") + verzoegerung;
    return befehl;
}

QString CCFC_Aktivieren_Bilden(int grund, const QString& nummer, int klasse, const QString& verzoegerung)
{
    QString befehl = CCFC_Registrieren_Bilden(grund, nummer, klasse, verzoegerung);
    befehl[10] = QLatin1Char('1');
    return befehl;
}

QString CCFC_Loeschen_Bilden(int grund, int klasse)
{
    return QStringLiteral("AT+CCFC=%1,4,,,%2\r\n").arg(grund).arg(klasse);
}

std::optional<Umleitungsstand> CCFC_Antwort_Lesen(const QString& antwort)
{
    const std::optional<QString> zeile = Zeile_Hinter(antwort, QStringLiteral("CCFC:"));
    if (!zeile)
        return std::nullopt;
    const QStringList felder = Felder_Teilen(zeile->trimmed());
    Umleitungsstand stand;
    if (felder.at(0).trimmed().startsWith(QLatin1Char('0')))
        return stand;
    if (felder.size() < 3 || !In_Anfuehrung(felder.at(2)))
        return std::nullopt;
    stand.Aktiv = true;
    stand.Nummer = Ohne_Anfuehrung(felder.at(2));
    if (felder.size() > 4) {
        const QString zeit = felder.last().trimmed();
        if (Zahl_Vorhanden(zeit))
            stand.Verzoegerung = Zahl_Lesen(zeit);
    }
    return stand;
}

QString Umleitungsnummer_Pruefen(const QString& nummer)
{
    if (nummer.isEmpty())
        return QStringLiteral("Keine Rufnummer angegeben!");
    const QString zeichen = QStringLiteral("Die Rufnummer darf nur aus den Zeichen 0.9 und '+' bestehen!");
    if (!Servicenummer_Pruefen(nummer))
        return zeichen;
    if (!nummer.startsWith(QLatin1Char('+')))
        return QStringLiteral("Die Rufnummer MUSS im internationalen Format (z.B. +49xxxxxxxxx) angegeben werden!");
    // One "+" in front, then the digits: an address holds 1 to 20 of them.
    const QStringView ziffern = QStringView(nummer).mid(1);
    if (ziffern.isEmpty() || ziffern.contains(QLatin1Char('+')))
        return zeichen;
    if (ziffern.size() > 20)
        return QStringLiteral("Die Rufnummer darf höchstens 20 Ziffern haben!");
    return QString();
}

}  // namespace Module1
