// The commands and replies of the language, clock, barring and diversion windows.
#include "phone/Sperren.h"
#include "phone/Sprachen.h"
#include "phone/Uhrzeit.h"
#include "phone/Umleitungen.h"

#include <gtest/gtest.h>

using namespace Module1;

namespace {

TEST(Sprache, TheLongestNumberFoundDecides)
{
    const struct {
        const Sprachtabelle& tabelle;
        const char* antwort;
        int option;
    } faelle[] = {
        {Sprachen_25(), "AT^SLNG?\r\r\n^SLNG: 104\r\n\r\nOK\r\n", 0},
        {Sprachen_25(), "^SLNG: 106", 3},
        {Sprachen_25(), "^SLNG: 11", 5},
        {Sprachen_25(), "^SLNG: 12", 6},
        {Sprachen_25(), "^SLNG: 1\r\n", 2},
        {Sprachen_25(), "^SLNG: 8", 4},
        {Sprachen_25(), "^SLNG: 0", Automatisch},
        {Sprachen_25(), "^SLNG: 13", 2},  // unknown codes fall back on a prefix
        {Sprachen_35(), "^SLNG: 10", 10},
        {Sprachen_35(), "^SLNG: 0", Automatisch},
        {Sprachen_35(), "^SLNG: 9", 9},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Sprachoption_Suchen(f.tabelle, QString::fromLatin1(f.antwort)), f.option) << f.antwort;
    EXPECT_EQ(Sprachoption_Suchen(Sprachen_35(), QStringLiteral("^SLNG: 4")), std::nullopt);
    EXPECT_EQ(Sprachoption_Suchen(Sprachen_25(), QStringLiteral("AT^SLNG?\r\r\nOK\r\n")), std::nullopt);
}

TEST(Sprache, CodesAndPictures)
{
    EXPECT_EQ(Sprachoption_Finden(Sprachen_25(), 0)->Code, 104);
    EXPECT_EQ(Sprachoption_Finden(Sprachen_25(), 5)->Code, 11);
    EXPECT_EQ(Sprachoption_Finden(Sprachen_35(), 0)->Code, 0);  // "&Deutsch" sends what "&Automatisch" sends
    EXPECT_EQ(Sprachoption_Finden(Sprachen_35(), Automatisch)->Code, 0);
    EXPECT_EQ(Sprachoption_Finden(Sprachen_35(), 4), nullptr);
    EXPECT_EQ(Sprachen_25().Bilder, (QVector<int>{9, 1, 4, 8, 3, 5, 0, 2, 6, 7}));
    EXPECT_EQ(Sprachen_35().Bilder.at(10), 10);
}

TEST(Uhr, ReadsACheckedClock)
{
    const std::optional<Handyuhr> uhr =
        CCLK_Antwort_Lesen(QStringLiteral("AT+CCLK?\r\r\n+CCLK: \"01/03/05,12:34:56\"\r\n\r\nOK\r\n"));
    ASSERT_TRUE(uhr);
    EXPECT_EQ(uhr->Datum, QDate(2001, 3, 5));
    EXPECT_EQ(uhr->Zeit, QTime(12, 34, 56));
    // A time zone behind the time is ignored; "ok" may be lower case.
    EXPECT_EQ(CCLK_Antwort_Lesen(QStringLiteral("+cclk: \"24/02/29,23:59:58+04\"\r\n\r\nok\r\n"))->Datum,
              QDate(2024, 2, 29));
}

TEST(Uhr, TwoDigitYearsAre1970To2069)
{
    EXPECT_EQ(CCLK_Antwort_Lesen(QStringLiteral("+CCLK: \"99/12/31,23:59:59\"\r\n\r\nOK\r\n"))->Datum,
              QDate(1999, 12, 31));
    EXPECT_EQ(CCLK_Antwort_Lesen(QStringLiteral("+CCLK: \"69/12/31,23:59:59\"\r\n\r\nOK\r\n"))->Datum,
              QDate(2069, 12, 31));
    EXPECT_EQ(CCLK_Befehl_Bilden(QDate(1970, 1, 1), QTime(0, 0)), "AT+CCLK=70/01/01,00:00:00");
    EXPECT_EQ(CCLK_Befehl_Bilden(QDate(2100, 1, 1), QTime(0, 0)), std::nullopt);
    EXPECT_EQ(CCLK_Befehl_Bilden(QDate(1969, 12, 31), QTime(0, 0)), std::nullopt);
}

TEST(Uhr, RejectsAnythingElse)
{
    for (const char* kaputt : {
             "+CCLK: \"01/03/05,12:34:56\"\r\n\r\nOK\r\nX",   // no "OK" at the end
             "AT+CCLK?\r\r\nOK\r\n",                         // no clock
             "+CCLK: \"01/13/45,25:00:00\"\r\n\r\nOK\r\n",   // no such date and time
             "+CCLK: \"23/02/29,10:00:00\"\r\n\r\nOK\r\n",   // no 29 February in 2023
             "+CCLK: \"01/03/05,12:34\"\r\n\r\nOK\r\n",      // too short
             "+CCLK: 01/03/05,12:34:56\r\n\r\nOK\r\n",       // without quotes
             "+CCLK: \"01/03/05,12:34:56\r\n\r\nOK\r\n",     // no closing quote
         })
        EXPECT_EQ(CCLK_Antwort_Lesen(QString::fromLatin1(kaputt)), std::nullopt) << kaputt;
}

TEST(Uhr, CommandWithoutQuotesAndZone)
{
    EXPECT_EQ(CCLK_Befehl_Bilden(QDate(2001, 3, 5), QTime(12, 34, 56)), "AT+CCLK=01/03/05,12:34:56");
    EXPECT_EQ(CCLK_Befehl_Bilden(QDate(2024, 1, 9), QTime(7, 5, 9)), "AT+CCLK=24/01/09,07:05:09");
}

TEST(Sperre, CommandsPerRowAndAction)
{
    EXPECT_EQ(CLCK_Befehl_Bilden(0, Sperraktion::Setzen, QString()), "AT+CLCK=CS,1");
    EXPECT_EQ(CLCK_Befehl_Bilden(0, Sperraktion::Aufheben, QString()), "AT+CLCK=CS,0");
    EXPECT_EQ(CLCK_Befehl_Bilden(0, Sperraktion::Abfragen, QString()), "AT+CLCK=CS,2");
    EXPECT_EQ(CLCK_Befehl_Bilden(2, Sperraktion::Abfragen, QString()), "AT+CLCK=SC,2");
    EXPECT_EQ(CLCK_Befehl_Bilden(5, Sperraktion::Aufheben, QStringLiteral("1234")), "AT+CLCK=OI,0,1234");
    EXPECT_EQ(CLCK_Befehl_Bilden(11, Sperraktion::Setzen, QStringLiteral("0000")), "AT+CLCK=AC,1,0000");
    int abfragbar = 0;
    for (const Sperrzeile& z : Sperrzeilen)
        abfragbar += z.Abfragbar;
    EXPECT_EQ(abfragbar, 9);
}

TEST(Sperre, ActiveWhenAnyLineSaysSo)
{
    EXPECT_TRUE(CLCK_Aktiv_Lesen(QStringLiteral("AT+CLCK=SC,2\r\r\n+CLCK: 1\r\n\r\nOK\r\n")));
    EXPECT_FALSE(CLCK_Aktiv_Lesen(QStringLiteral("AT+CLCK=SC,2\r\r\n+CLCK: 0\r\n\r\nOK\r\n")));
    EXPECT_FALSE(CLCK_Aktiv_Lesen(QStringLiteral("+CLCK: 0,1\r\n")));
    EXPECT_TRUE(CLCK_Aktiv_Lesen(QStringLiteral("+CLCK: 0,1\r\n+CLCK: 1,2\r\n")));
}

TEST(Umleitung, Commands)
{
    EXPECT_EQ(CCFC_Abfrage_Bilden(1, 1), "AT+CCFC=1,2,,,1");
    EXPECT_EQ(CCFC_Abfrage_Bilden(1, 7), "AT+CCFC=1,2,,,7");
    const QString n = QStringLiteral("+4912345678");
    EXPECT_EQ(CCFC_Registrieren_Bilden(2, n, 1, QStringLiteral("20")), "AT+CCFC=2,3,+4912345678,145,1,,,20");
    EXPECT_EQ(CCFC_Aktivieren_Bilden(2, n, 1, QStringLiteral("20")), "AT+CCFC=2,1,+4912345678,145,1,,,20");
    EXPECT_EQ(CCFC_Registrieren_Bilden(0, n, 1, QStringLiteral("20")), "AT+CCFC=0,3,+4912345678,145,1");
    EXPECT_EQ(CCFC_Aktivieren_Bilden(3, n, 4, QStringLiteral("20")), "AT+CCFC=3,1,+4912345678,145,4");
    EXPECT_EQ(CCFC_Loeschen_Bilden(3, 4), "AT+CCFC=3,4,,,4\r\n");
}

TEST(Umleitung, ANationalTargetIsNotMarkedInternational)
{
    const QString n = QStringLiteral("01711234567");
    EXPECT_EQ(CCFC_Registrieren_Bilden(2, n, 1, QStringLiteral("20")), "AT+CCFC=2,3,01711234567,129,1,,,20");
    EXPECT_EQ(CCFC_Aktivieren_Bilden(0, n, 1, QStringLiteral("20")), "AT+CCFC=0,1,01711234567,129,1");
}

TEST(Umleitung, ReplyLines)
{
    std::optional<Umleitungsstand> s =
        CCFC_Antwort_Lesen(QStringLiteral("AT+CCFC=2,2,,,1\r\r\n+CCFC: 1,1,\"+4912345678\",145,,,25\r\n\r\nOK\r\n"));
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->Aktiv);
    EXPECT_EQ(s->Nummer, "+4912345678");
    EXPECT_EQ(s->Verzoegerung, 25);

    s = CCFC_Antwort_Lesen(QStringLiteral("+CCFC: 1,1,\"+4912345678\",145\r\n"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Verzoegerung, std::nullopt);
    s = CCFC_Antwort_Lesen(QStringLiteral("+CCFC: 1,1,\"+4912345678\",145,,,\r\n"));
    EXPECT_EQ(s->Verzoegerung, std::nullopt);

    s = CCFC_Antwort_Lesen(QStringLiteral("+CCFC: 0,1\r\n\r\nOK\r\n"));
    ASSERT_TRUE(s);
    EXPECT_FALSE(s->Aktiv);
    EXPECT_EQ(s->Nummer, "");

    // A class of two digits does not shift the number.
    s = CCFC_Antwort_Lesen(QStringLiteral("+CCFC: 1,16,\"+4912345678\",145\r\n"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Nummer, "+4912345678");

    // Only the first line counts.
    EXPECT_FALSE(CCFC_Antwort_Lesen(QStringLiteral("+CCFC: 0,1\r\n+CCFC: 1,2,\"+491\",145\r\n"))->Aktiv);

    EXPECT_EQ(CCFC_Antwort_Lesen(QStringLiteral("AT+CCFC=0,2,,,1\r\r\nOK\r\n")), std::nullopt);
    EXPECT_EQ(CCFC_Antwort_Lesen(QStringLiteral("+CCFC: 1,1\r\n")), std::nullopt);
    EXPECT_EQ(CCFC_Antwort_Lesen(QStringLiteral("+CCFC: 1,1,+4912,145\r\n")), std::nullopt);
}

TEST(Umleitung, TargetNumberChecks)
{
    EXPECT_EQ(Umleitungsnummer_Pruefen(QStringLiteral("+4912345678")), "");
    EXPECT_EQ(Umleitungsnummer_Pruefen(QString()), "Keine Rufnummer angegeben!");
    EXPECT_EQ(Umleitungsnummer_Pruefen(QStringLiteral("+49 123")),
              "Die Rufnummer darf nur aus den Zeichen 0.9 und '+' bestehen!");
    EXPECT_EQ(Umleitungsnummer_Pruefen(QStringLiteral("+49\"1")),
              "Die Rufnummer darf nur aus den Zeichen 0.9 und '+' bestehen!");
    EXPECT_EQ(Umleitungsnummer_Pruefen(QStringLiteral("+12345678901234567890")), "");
    EXPECT_EQ(Umleitungsnummer_Pruefen(QStringLiteral("+123456789012345678901")),
              "Die Rufnummer darf höchstens 20 Ziffern haben!");
    for (const char* nummer : {"+", "++49", "+49+123"})
        EXPECT_EQ(Umleitungsnummer_Pruefen(QLatin1String(nummer)),
                  "Die Rufnummer darf nur aus den Zeichen 0.9 und '+' bestehen!")
            << nummer;
    EXPECT_EQ(Umleitungsnummer_Pruefen(QStringLiteral("012345678")),
              "Die Rufnummer MUSS im internationalen Format (z.B. +49xxxxxxxxx) angegeben werden!");
}

}  // namespace
