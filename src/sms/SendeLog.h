#pragma once
#include <QDateTime>
#include <QString>

// The send log "SMSLOG.TXT": a header line, then one line per message sent.
namespace Module1 {

QString SendeLog_Kopfzeile();
// Reference right-aligned in three characters (a reply without one gives three blanks),
// date and time of sending, the number as listed, the two options, the text as typed.
QString SendeLogZeile_Bilden(const QString& referenz, const QDateTime& zeitpunkt, const QString& nummer,
                             bool report, bool direkt, const QString& text);
// Appends the line; a new file gets the header line first.
bool SendeLog_Anhaengen(const QString& pfad, const QString& zeile);

}  // namespace Module1
