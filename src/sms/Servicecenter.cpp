#include "sms/Servicecenter.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Textdatei.h"
#include "common/Zeichen.h"
#include "sms/Form6.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace Module1 {

int SMSCenterWahl = 0;

QString Servicecenter_Datei() { return QDir(Programmordner()).filePath(QStringLiteral("smsscnr.snr")); }

QStringList Servicecenter_Lesen()
{
    QStringList nummern;
    if (const auto zeilen = Textdatei::Lesen(Servicecenter_Datei()))
        for (const QString& zeile : *zeilen)
            if (!zeile.isEmpty())
                nummern << zeile;
    return nummern;
}

bool Servicecenter_Schreiben(const QStringList& nummern)
{
    const QString datei = Servicecenter_Datei();
    if (Textdatei::Schreiben(datei, nummern, Textdatei::Dateikodierung(datei)))
        return true;
    Schreibfehler_Melden();
    return false;
}

void Servicecenter_Laden()
{
    Form6::Instanz()->Combo2_Fuellen(Servicecenter_Lesen());
}

Servicenummer Servicenummer_Bewerten(const QString& nummer)
{
    if (!Servicenummer_Pruefen(nummer))
        return Servicenummer::Zeichen;
    if (!nummer.startsWith(QLatin1Char('+')))
        return Servicenummer::Format;
    return Servicenummer::Gut;
}

bool Ueberschreiben_Fragen(const QString& datei)
{
    if (!QFileInfo::exists(datei))
        return false;
    return !Frage_Ja(QStringLiteral("Es existiert bereits eine Datei mit diesem Namen! Möchten Sie sie überschreiben?"));
}

}  // namespace Module1
