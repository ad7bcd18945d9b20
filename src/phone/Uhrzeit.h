#pragma once
#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

// The phone's clock text "yy/MM/dd,hh:mm:ss": read from "+CCLK:" and written with "AT+CCLK=".
namespace Module1 {

struct Handyuhr {
    QDate Datum;
    QTime Zeit;
};

// The clock of a reply to "AT+CCLK?". Nothing unless the reply holds "+CCLK:", ends with "OK"
// (within its last four characters) and the clock text is a real date and time; a time zone
// behind the time is ignored. Years are 2000 + yy.
std::optional<Handyuhr> CCLK_Antwort_Lesen(const QString& antwort);

// "AT+CCLK=yy/MM/dd,hh:mm:ss", without quotes and time zone.
QString CCLK_Befehl_Bilden(const QDate& datum, const QTime& zeit);

}  // namespace Module1
