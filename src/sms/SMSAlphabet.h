#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>

// Short-message texts in the GSM 7-bit default alphabet with its extension table (escape 1B).
// Phone-book names keep Zeichen_Wandeln: the phone book is another peer with its own table.
namespace Module1 {

// The septets of a text: two (escape and code) for a character of the extension table, the code
// of "?" for a character without one.
QByteArray SMS_Septette(QStringView text);
// How many septets the text takes in a message.
int SMS_Septettzahl(QStringView text);
// The longest front part of the text that fits into `septette`, no character split.
QString SMS_Kuerzen(const QString& text, int septette);
// Whether every character of the text has a code (none would go out as "?").
bool SMS_Kodierbar(QStringView text);
// A text box limited to `septette`: the edit that ended at `ende` loses its end, what follows
// it stays (unless that alone is too long). The text that fits and the cursor behind the edit.
struct SMSBegrenzung {
    QString Text;
    qsizetype Cursor = 0;
};
SMSBegrenzung SMS_Begrenzen(const QString& text, qsizetype ende, int septette);
// Septet codes to text. An escape before a code without extension character gives the main
// table's character; an escape at the end or before another escape gives a blank.
QString SMS_Text(const uint8_t* septette, qsizetype anzahl);

}  // namespace Module1
