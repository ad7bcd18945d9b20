// The network lists: the country table and the replies of the operator list, the preferred
// list and the network scan, and the grids' sort.
#include "phone/Netze.h"

#include <gtest/gtest.h>

using namespace Module1;

namespace {

TEST(Laender, TheTableAndItsGaps)
{
    EXPECT_EQ(Laender_Anzahl(), 97);
    EXPECT_EQ(Land_Lesen(262), "Deutschland");
    EXPECT_EQ(Land_Lesen(234), "Grossbritanien");
    EXPECT_EQ(Land_Lesen(235), "Grossbritanien");
    EXPECT_EQ(Land_Lesen(232), "Österreich");
    EXPECT_EQ(Land_Lesen(655), "Südafrika");
    EXPECT_EQ(Land_Lesen(202), "Griechenland");
    EXPECT_EQ(Land_Lesen(212), "");
    EXPECT_EQ(Land_Lesen(0), "");
    EXPECT_EQ(Land_Zum_Code(QStringLiteral("26201")), "Deutschland");
    EXPECT_EQ(Land_Zum_Code(QStringLiteral("23415")), "Grossbritanien");
    EXPECT_EQ(Land_Zum_Code(QStringLiteral("310260")), "");  // six digits: MCC 310
    EXPECT_EQ(Land_Zum_Code(QStringLiteral("262010")), "Deutschland");
    EXPECT_EQ(Land_Zum_Code(QStringLiteral("26")), "");
}

TEST(Betreiberliste, CodesWithAndWithoutQuotes)
{
    const QVector<Betreibereintrag> e = SPLM_Antwort_Zerlegen(QStringLiteral(
        "AT^SPLM\r\r\n^SPLM: \"26201\",\"Netz A\"\r\n^SPLM: 26202,\"Netz B\"\r\n^SPLM: \"23415\",\"Netz, C\"\r\n"
        "^SPLM: \"310260\",\"Netz U\"\r\n\r\nOK\r\n"));
    ASSERT_EQ(e.size(), 4);
    EXPECT_EQ(e[0].Code, "26201");
    EXPECT_EQ(e[0].Name, "Netz A");
    EXPECT_EQ(e[1].Code, "26202");
    EXPECT_EQ(e[1].Name, "Netz B");
    EXPECT_EQ(e[2].Name, "Netz, C");
    EXPECT_EQ(e[3].Code, "310260");
    EXPECT_TRUE(SPLM_Antwort_Zerlegen(QStringLiteral("AT^SPLM\r\r\nOK\r\n")).isEmpty());
}

TEST(Betreiberliste, AMalformedEntryEndsTheList)
{
    // A name without its closing quote, then a code that is no number.
    EXPECT_EQ(SPLM_Antwort_Zerlegen(QStringLiteral("^SPLM: \"26201\",\"A\"\r\n^SPLM: \"26202\",\"B\r\n"
                                                   "^SPLM: \"26203\",\"C\"\r\n"))
                  .size(),
              1);
    EXPECT_EQ(SPLM_Antwort_Zerlegen(QStringLiteral("^SPLM: \"x\",\"A\"\r\n^SPLM: \"26203\",\"C\"\r\n")).size(), 0);
    EXPECT_EQ(SPLM_Antwort_Zerlegen(QStringLiteral("^SPLM: \"26201\"\r\n")).size(), 0);
}

TEST(Bevorzugte, RangeOfSlots)
{
    const std::optional<Platzbereich> b = SPLR_Bereich_Lesen(QStringLiteral("AT^SPLR=?\r\r\n^SPLR: (1-8)\r\n\r\nOK\r\n"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Erster, "1");
    EXPECT_EQ(b->Letzter, "8");
    EXPECT_EQ(SPLR_Bereich_Lesen(QStringLiteral("^SPLR: (1-8),(5,6)\r\n"))->Letzter, "8");
    for (const char* kaputt : {"AT^SPLR=?\r\r\nOK\r\n", "^SPLR: 1-8\r\n", "^SPLR: (1)\r\n", "^SPLR: (a-8)\r\n"})
        EXPECT_EQ(SPLR_Bereich_Lesen(QString::fromLatin1(kaputt)), std::nullopt) << kaputt;
}

TEST(Bevorzugte, SlotsWithCodesAndEmptySlots)
{
    const QVector<Bevorzugtes_Netz> p = SPLR_Antwort_Zerlegen(
        QStringLiteral("AT^SPLR=1,8\r\r\n^SPLR: 1,\"26202\"\r\n^SPLR: 2,\"21201\"\r\n^SPLR: 3,\"00000\"\r\n"
                       "^SPLR: 4,0\r\n^SPLR: 5,\r\n^SPLR: 6,310260\r\n\r\nOK\r\n"));
    ASSERT_EQ(p.size(), 6);
    EXPECT_EQ(p[0].Index, "1");
    EXPECT_EQ(p[0].Code, "26202");
    EXPECT_EQ(p[1].Code, "21201");
    for (int i : {2, 3, 4})
        EXPECT_EQ(p[i].Code, "") << i;
    EXPECT_EQ(p[4].Index, "5");
    EXPECT_EQ(p[5].Code, "310260");
    // A slot without a code is empty, and the list goes on.
    const QVector<Bevorzugtes_Netz> q =
        SPLR_Antwort_Zerlegen(QStringLiteral("^SPLR: 1,\"26202\"\r\n^SPLR: 2\r\n^SPLR: 3,\"26203\"\r\n"));
    ASSERT_EQ(q.size(), 3);
    EXPECT_EQ(q[1].Index, "2");
    EXPECT_EQ(q[1].Code, "");
    EXPECT_EQ(q[2].Code, "26203");
}

TEST(Reichweite, GroupsWithEmptyAndWithFilledShortNames)
{
    // The layout with an empty short name and a bare code ...
    QVector<Netz_In_Reichweite> n = COPS_Liste_Zerlegen(QStringLiteral(
        "AT+COPS=?\r\r\n+COPS: (2,\"Netz A\",,26201),(1,\"Netz B\",,26202),(3,\"Netz X\",,23205),,(0-4),(0,2)\r\n"
        "\r\nOK\r\n"));
    ASSERT_EQ(n.size(), 3);
    EXPECT_EQ(n[0].Status, 2);
    EXPECT_EQ(n[0].Langname, "Netz A");
    EXPECT_EQ(n[0].Code, "26201");
    EXPECT_EQ(n[2].Status, 3);
    EXPECT_EQ(n[2].Code, "23205");
    // ... and the standard one with a short name and a quoted code give the same rows.
    n = COPS_Liste_Zerlegen(QStringLiteral(
        "+COPS: (2,\"Netz A\",\"NA\",\"26201\"),(1,\"Netz (B)\",\"NB\",\"26202\"),,(0-4),(0,2)\r\n"));
    ASSERT_EQ(n.size(), 2);
    EXPECT_EQ(n[1].Status, 1);
    EXPECT_EQ(n[1].Langname, "Netz (B)");
    EXPECT_EQ(n[1].Code, "26202");
    // A list wrapped onto further lines loses no group.
    n = COPS_Liste_Zerlegen(QStringLiteral(
        "+COPS: (2,\"Netz A\",,26201),(1,\"Netz B\",\r\n,26202),\r\n(3,\"Netz X\",,23205),,(0-4),(0,2)\r\n\r\nOK\r\n"));
    ASSERT_EQ(n.size(), 3);
    EXPECT_EQ(n[1].Code, "26202");
    EXPECT_EQ(n[2].Langname, "Netz X");
    EXPECT_TRUE(COPS_Liste_Zerlegen(QStringLiteral("+COPS: ,(0-4),(0,2)\r\n")).isEmpty());
    EXPECT_TRUE(COPS_Liste_Zerlegen(QStringLiteral("AT+COPS=?\r\r\nOK\r\n")).isEmpty());
}

TEST(Reichweite, StateTextsAndIcons)
{
    const struct {
        int status;
        const char* text;
        int bild;
    } faelle[] = {{0, "unbekannt", 0}, {1, "verfügbar", 2}, {2, "eingebucht", 1}, {3, "verboten", 3}, {7, "unbekannt", 0}};
    for (const auto& f : faelle) {
        EXPECT_EQ(Netzstatus_Text(f.status), QString::fromUtf8(f.text));
        EXPECT_EQ(Netzstatus_Bild(f.status), f.bild);
    }
}

TEST(Gittersort, CaseSensitiveAndStable)
{
    QVector<QStringList> zeilen = {{"1", "alpha"}, {"2", "Zeta"}, {"3", "alpha"}, {"10", "Beta"}};
    Zeilen_Sortieren(zeilen, 1, true);
    EXPECT_EQ(zeilen, (QVector<QStringList>{{"10", "Beta"}, {"2", "Zeta"}, {"1", "alpha"}, {"3", "alpha"}}));
    Zeilen_Sortieren(zeilen, 1, false);
    EXPECT_EQ(zeilen, (QVector<QStringList>{{"1", "alpha"}, {"3", "alpha"}, {"2", "Zeta"}, {"10", "Beta"}}));
    Zeilen_Sortieren(zeilen, 0, true);  // the index column sorts as text
    EXPECT_EQ(zeilen.first().first(), "1");
    EXPECT_EQ(zeilen.at(1).first(), "10");
}

}  // namespace
