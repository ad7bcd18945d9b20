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
// behind the time is ignored. Years 00-69 are 20xx, 70-99 are 19xx.
std::optional<Handyuhr> CCLK_Antwort_Lesen(const QString& antwort);

// "AT+CCLK=yy/MM/dd,hh:mm:ss", without quotes and time zone; nothing for a year that two
// digits cannot carry back (outside 1970-2069).
std::optional<QString> CCLK_Befehl_Bilden(const QDate& datum, const QTime& zeit);

}  // namespace Module1
