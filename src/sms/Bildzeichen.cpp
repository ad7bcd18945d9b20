#include "sms/Bildzeichen.h"

#include <algorithm>

namespace Module1 {
namespace {

struct Bild {
    const char16_t* beschriftung;
    const char* wort;
};

const Bild Bilder[Bildzeichen_Anzahl] = {
    {u"Blumen", "Flowers"},      {u"Einkaufen", "Shopping"}, {u"Essen", "Dinner"},      {u"Geschenk", "Gift"},
    {u"Hai", "Shark"},           {u"Helloween", "Halloween"}, {u"Herz", "Heart"},       {u"Liebeskummer", "Heartache"},
    {u"Idee", "Idea"},           {u"Ja", "Yes"},             {u"Kino", "Theatre"},      {u"Kopfschmerz", "Headache"},
    {u"Kuchen", "Cake"},         {u"Kuss", "Kiss"},          {u"Liebe", "Love"},        {u"Musik", "Music"},
    {u"Nein", "No"},             {u"Pause", "Break"},        {u"Radfahrer", "Biker"},   {u"Reise", "Trip"},
    {u"Rennen", "Running"},      {u"Schildkröte", "Turtle"}, {u"Skyline", "Skyline"},   {u"Sorry", "Sorry"},
    {u"Urlaub", "Holiday"},
};

bool Gueltig(int index) { return index >= 0 && index < Bildzeichen_Anzahl; }

}  // namespace

QString Bildzeichen_Beschriftung(int index)
{
    return Gueltig(index) ? QString::fromUtf16(Bilder[index].beschriftung) : QString();
}

QString Bildzeichen(int index)
{
    return Gueltig(index) ? QStringLiteral("\"%") + QLatin1String(Bilder[index].wort) + QLatin1Char('"') : QString();
}

Bildeinfuegung Bildzeichen_Einfuegen(const QString& text, int position, int index, int hoechstlaenge)
{
    const int p = std::clamp(position, 0, int(text.size()));
    const QString zeichen = Bildzeichen(index);
    const QString neu = (text.left(p) + zeichen + text.mid(p)).left(hoechstlaenge);
    return {neu, std::min(p + int(zeichen.size()), int(neu.size()))};
}

}  // namespace Module1
