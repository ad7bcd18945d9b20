#include "sms/SendeLog.h"

#include "common/Textdatei.h"

namespace Module1 {

QString SendeLog_Kopfzeile()
{
    return QStringLiteral("Nr. Datum    Uhrzeit  Empfänger \tStatusber.\tAnzeigen\tNachrichteninhalt");
}

QString SendeLogZeile_Bilden(const QString& referenz, const QDateTime& zeitpunkt, const QString& nummer,
                             bool report, bool direkt, const QString& text)
{
    const auto jaNein = [](bool an) { return an ? QStringLiteral("Ja") : QStringLiteral("Nein"); };
    return referenz.rightJustified(3, QLatin1Char(' ')) + QLatin1Char(' ')
           + zeitpunkt.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ')
           + zeitpunkt.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') + nummer + QLatin1Char('\t')
           + jaNein(report) + QStringLiteral("\t\t") + jaNein(direkt) + QStringLiteral("\t\t") + text;
}

bool SendeLog_Anhaengen(const QString& pfad, const QString& zeile)
{
    // Whether the file is new is decided under the lock: two instances write one header.
    return Textdatei::Anhaengen(pfad, {zeile}, Textdatei::Kodierung::Ansi, {SendeLog_Kopfzeile()});
}

}  // namespace Module1
