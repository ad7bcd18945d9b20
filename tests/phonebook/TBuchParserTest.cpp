// The reply parsers of reading a book and the fill-level arithmetic, with real reply texts.
#include "phonebook/TBuchLesen.h"

#include <gtest/gtest.h>

using namespace Module1;

TEST(TBuchParser, CountsOfAPhoneBook)
{
    const struct {
        const char* antwort;
        int belegt;
        int gesamt;  // -1: no counts in the reply
    } faelle[] = {
        {"AT+CPBS?\r\n+CPBS: \"SM\",57,250\r\n\r\nOK\r\n", 57, 250},
        {"+CPBS: \"FD\",0,0\r\nOK", 0, 0},
        {"+CPBS: \"SM\", 3 ,250OK", 3, 250},
        {"\r\nOK\r\n", 0, -1},
        {"+CPBS: \"SM\",3\r\nOK\r\n", 0, -1},
    };
    for (const auto& f : faelle) {
        const auto b = CPBS_Zaehler_Lesen(QString::fromLatin1(f.antwort));
        ASSERT_EQ(b.has_value(), f.gesamt >= 0) << f.antwort;
        if (b) {
            EXPECT_EQ(b->Belegt, f.belegt) << f.antwort;
            EXPECT_EQ(b->Gesamt, f.gesamt) << f.antwort;
        }
    }
}

TEST(TBuchParser, FieldLengthsAfterTheIndexRange)
{
    const auto l = CPBR_Laengen_Lesen(QStringLiteral("AT+CPBR=?\r\n+CPBR: (1-250),20,18\r\n\r\nOK\r\n"));
    ASSERT_TRUE(l);
    EXPECT_EQ(l->Nummer, 20);
    EXPECT_EQ(l->Text, 18);
    EXPECT_FALSE(CPBR_Laengen_Lesen(QStringLiteral("\r\nERROR\r\n")));
    EXPECT_FALSE(CPBR_Laengen_Lesen(QStringLiteral("+CPBR: (1-10)\r\nOK")));
}

TEST(TBuchParser, IndexRangeGivesTheCapacity)
{
    const struct {
        const char* antwort;
        int bis;  // 0: no usable range
    } faelle[] = {
        {"AT+CPBR=?\r\n+CPBR: (1-500),20,18\r\n\r\nOK\r\n", 500},
        {"+CPBR: (1),20,18\r\nOK", 1},
        {"+CPBR: (0-0),20,18\r\nOK", 0},
        {"+CPBR: 20,18\r\nOK", 0},
        {"\r\nOK\r\n", 0},
    };
    for (const auto& f : faelle) {
        const auto b = CPBR_Bereich_Lesen(QString::fromLatin1(f.antwort));
        EXPECT_EQ(b ? b->Bis : 0, f.bis) << f.antwort;
    }
}

TEST(TBuchParser, EntryLines)
{
    const struct {
        const char* zeile;  // the text after "+CPBR: "
        int index;
        const char* nummer;
        const char* name;
    } faelle[] = {
        {"1,\"+49171\",145,\"Anna!\"", 1, "+49171", "Anna!"},
        {"5,\"\",129,\"X\"", 5, "", "X"},
        {"2,\"030123\",129,\"M~ller, Hans\"", 2, "030123", "M~ller, Hans"},  // commas stay in the name
        {"3,\"1\",129,\"Ab\"cd\"", 3, "1", "Ab"},                         // a quote ends it
        {"4,\"1\",129,\"offen\r\n+CPBR: 5", 4, "1", "offen"},             // no closing quote: the line
        {"7", 7, "", ""},
    };
    for (const auto& f : faelle) {
        QString rest = QString::fromLatin1(f.zeile);
        const CPBR_Eintrag e = CPBR_Eintrag_Lesen(rest);
        EXPECT_EQ(e.Index, f.index) << f.zeile;
        EXPECT_EQ(e.Nummer, QString::fromLatin1(f.nummer)) << f.zeile;
        EXPECT_EQ(e.Name, QString::fromLatin1(f.name)) << f.zeile;
    }
    EXPECT_EQ(Index_Text(5), "005");
    EXPECT_EQ(Index_Text(1234), "1234");
}

TEST(TBuchParser, FillLevel)
{
    const struct {
        int belegt, gesamt;
        const char* text;
        int balken;
    } faelle[] = {
        {57, 250, "(193 von 250 frei)", 413}, {3, 250, "(247 von 250 frei)", 21}, {0, 500, "(500 von 500 frei)", 0},
        {0, 0, "(0 von 0 frei)", 1815},       {12, 10, "(-2 von 10 frei)", 1815},  // the bar stays on its background
    };
    for (const auto& f : faelle) {
        const Fuellstand s = Fuellstand_Berechnen(f.belegt, f.gesamt);
        EXPECT_EQ(s.Text, QString::fromLatin1(f.text));
        EXPECT_EQ(s.Balken, f.balken) << f.text;
    }
}
