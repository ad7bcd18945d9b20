#pragma once
#include <QString>
#include <QVector>
#include <optional>

// The display languages of the two phone families: which option sends which code, which reply
// text selects which option, which picture stands for which option.
namespace Module1 {

constexpr int Automatisch = -1;  // the option "&Automatisch" (Option2); others are Option1 indexes

struct Sprachoption {
    int Option;  // index in Option1, or Automatisch
    QString Beschriftung;
    int Code;    // sent after "AT^SLNG="
};

struct Sprachtabelle {
    QVector<Sprachoption> Optionen;
    // Searched in this order; every text found selects its option, so the last found wins.
    QVector<std::pair<QString, int>> Suchfolge;
    QVector<int> Bilder;  // picture index -> option index; -2 for a missing picture
};

const Sprachtabelle& Sprachen_25();  // Form16
const Sprachtabelle& Sprachen_35();  // Form25

// The option the reply to "AT^SLNG?" selects; nothing when it holds none of the texts.
std::optional<int> Sprachoption_Suchen(const Sprachtabelle& tabelle, const QString& antwort);
// The option's entry, nullptr when the table has no such option.
const Sprachoption* Sprachoption_Finden(const Sprachtabelle& tabelle, int option);

}  // namespace Module1
