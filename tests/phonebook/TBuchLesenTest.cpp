// Reading a book against a scripted port: the bytes on the wire, the cache, the rows and what
// the main window shows, for every way the reply may be split, and the rulings on the end of
// the transfer, the cap of 250, a failed count and the read-complete flag.
#include "phonebook/TBuchHilfen.h"

#include <gtest/gtest.h>

using namespace Module1;

namespace {

class TBuchLesen : public ::testing::Test {
protected:
    TBuchLesen()
    {
        Buecher_Zuruecksetzen();
        Link().Anzeige = &anzeige;
    }
    ~TBuchLesen() override { Buecher_Zuruecksetzen(); }

    static QStringList Namen(int buch, int anzahl)
    {
        QStringList n;
        for (int slot = 1; slot <= anzahl; ++slot)
            n << TBuchDaten[buch][slot][2];
        return n;
    }

    LinkUmgebung u;
    LeseAnzeige anzeige;
    AnsichtProtokoll ansicht;
};

const QString Beispiel = QStringLiteral(
    "AT+CPBR=1,250\r\r\n+CPBR: 1,\"+49171\",145,\"Anna!\"\r\n+CPBR: 2,\"030123\",129,\"M~ller, Hans\"\r\n"
    "+CPBR: 5,\"\",129,\"X\"\r\n\r\nOK\r\n");

void Beispiel_Pruefen(const std::vector<TBuchZeile>& zeilen)
{
    EXPECT_EQ(TBuchBelegt[1], 3);
    EXPECT_EQ(TBuchGesamt[1], 250);
    EXPECT_EQ(TBuchNummerLaenge[1], 20);
    EXPECT_EQ(TBuchTextLaenge[1], 18);
    QStringList plaetze;
    for (int slot = 1; slot <= 4; ++slot)
        plaetze << QStringList({TBuchDaten[1][slot][1], TBuchDaten[1][slot][2], TBuchDaten[1][slot][3],
                              TBuchDaten[1][slot][4]}).join('|');
    EXPECT_EQ(plaetze, QStringList({"001|Anna|+49171|!", "002|Müller, Hans|030123|", "005|X||", "|||"}));
    ASSERT_EQ(zeilen.size(), 3u);
    EXPECT_EQ(zeilen[0].Merker, "!");
    EXPECT_EQ(zeilen[2].Index, "005");
    EXPECT_TRUE(TBuchVollstaendig[1]);
}

TEST_F(TBuchLesen, BytesCacheRowsAndDisplay)
{
    const qsizetype schnitt = Beispiel.indexOf(QStringLiteral("0301")) + 4;
    Lesen_Skripten(u.Port, "SM", 3, 250, {Beispiel.left(schnitt), Beispiel.mid(schnitt)});
    EXPECT_TRUE(Telefonbuch_Lesen(1));

    EXPECT_EQ(u.Port.Gesendet, "at+cpbs=\"SM\"\r\nAT+CPBS?\r\nAT+CPBR=?\r\nAT+CPBR=1,250\r\n");
    Beispiel_Pruefen(ansicht.Zeilen);
    EXPECT_EQ(ansicht.Belegung[1].Text, "(247 von 250 frei)");
    EXPECT_EQ(anzeige.Status.mid(0, 4), QStringList({"Wähle Telefonbuch aus...", "Hole Anzahl der Einträge...",
                                                      "Hole maximale Eintragslängen...", "Lese Einträge..."}));
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");
    EXPECT_FALSE(anzeige.LampeRot);
    EXPECT_FALSE(anzeige.Gesperrt);
    EXPECT_EQ(anzeige.FortschrittMaximum, 3);
    EXPECT_EQ(anzeige.FortschrittWert, 0);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(TBuchLesen, EverySplitOfTheReplyAndOneCharacterPerPoll)
{
    QStringList zeichen;
    for (const QChar c : Beispiel)
        zeichen << QString(c);
    std::vector<QStringList> arten = {zeichen};
    for (qsizetype schnitt = 1; schnitt < Beispiel.size(); ++schnitt)
        arten.push_back({Beispiel.left(schnitt), "", Beispiel.mid(schnitt)});
    for (const QStringList& chunks : arten) {
        SCOPED_TRACE(chunks.first().size());
        LinkUmgebung frisch;
        Buecher_Zuruecksetzen();
        ansicht.Zeilen.clear();
        Lesen_Skripten(frisch.Port, "SM", 3, 250, chunks);
        EXPECT_TRUE(Telefonbuch_Lesen(1));
        Beispiel_Pruefen(ansicht.Zeilen);
        if (HasFailure())
            break;
    }
}

TEST_F(TBuchLesen, NamesEndingInOkOrHoldingErrorAreData)
{
    // "BOOK" ends a chunk; "TOK" ends one in the middle of the name.
    Lesen_Skripten(u.Port, "SM", 5, 250,
                   {"AT+CPBR=1,250\r\r\n+CPBR: 1,\"1\",129,\"A\"\r\n+CPBR: 2,\"2\",129,\"BOOK\"\r\n", "", "",
                    "+CPBR: 3,\"3\",129,\"TOK", "", "\"\r\n+CPBR: 4,\"4\",129,\"ERROR\"\r\n",
                    "+CPBR: 5,\"5\",129,\"MY ERROR\r\n\"\r\n\r\nOK\r\n"});
    EXPECT_TRUE(Telefonbuch_Lesen(1));
    EXPECT_EQ(Namen(1, 5), QStringList({"A", "BOOK", "TOK", "ERROR", "MY ERROR"}));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(TBuchLesen, EmptyBookSendsNoRequestAndStaysUnloaded)
{
    TBuchDaten[2][1][1] = QStringLiteral("004");  // from an earlier read
    Lesen_Skripten(u.Port, "ME", 0, 500, {});
    EXPECT_TRUE(Telefonbuch_Lesen(2));
    EXPECT_EQ(u.Port.Gesendet, "at+cpbs=\"ME\"\r\nAT+CPBS?\r\nAT+CPBR=?\r\n");
    EXPECT_EQ(anzeige.Status.last(), "Telefonbuch ist leer!");
    EXPECT_FALSE(TBuch_Geladen(2));
    EXPECT_TRUE(TBuchVollstaendig[2]);
    EXPECT_EQ(ansicht.Belegung[2].Text, "(500 von 500 frei)");
}

TEST_F(TBuchLesen, ErrorDuringTheTransferKeepsWhatCameButTheBookIsIncomplete)
{
    Lesen_Skripten(u.Port, "SM", 3, 250,
                   {"AT+CPBR=1,250\r\r\n+CPBR: 1,\"1\",129,\"A\"\r\n", "\r\n+CME ERROR: 100\r\n"});
    EXPECT_FALSE(Telefonbuch_Lesen(1));
    EXPECT_EQ(Namen(1, 2), QStringList({"A", ""}));
    EXPECT_FALSE(TBuchVollstaendig[1]);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_FALSE(anzeige.LampeRot);
    EXPECT_FALSE(anzeige.Gesperrt);
}

TEST_F(TBuchLesen, SilentPhoneEndsAfter5000EmptyPolls)
{
    Lesen_Skripten(u.Port, "SM", 3, 250, {"AT+CPBR=1,250\r\r\n+CPBR: 1,\"1\",129,\"A\"\r\n"});
    int polls = 0;
    u.Port.BeiPoll = [&] { polls += u.Port.Gesendet.contains("AT+CPBR=1,"); };
    EXPECT_FALSE(Telefonbuch_Lesen(1));
    // The poll that brought the entry set the counter to 1; 5000 empty ones take it past 5000.
    EXPECT_EQ(polls, 1 + 5000);
    EXPECT_EQ(Namen(1, 1), QStringList{"A"});
    EXPECT_FALSE(TBuchVollstaendig[1]);
    EXPECT_FALSE(anzeige.LampeRot);
}

TEST_F(TBuchLesen, FailedSetUpPutsThePreviousCapacityBack)
{
    TBuchGesamt[1] = 250;
    u.Port.Bei("at+cpbs=\"SM\"", {"\r\nOK\r\n"});
    u.Port.Bei("AT+CPBS?", {"\r\nERROR\r\n"});
    EXPECT_FALSE(Telefonbuch_Lesen(1));
    EXPECT_EQ(TBuchGesamt[1], 250);
    EXPECT_FALSE(u.Port.Gesendet.contains("AT+CPBR"));

    u.Port.Bei("at+cpbs=\"SM\"", {"\r\n+CME ERROR: 3\r\n"});
    EXPECT_FALSE(Telefonbuch_Lesen(1));
    EXPECT_EQ(TBuchGesamt[1], 250);
}

TEST_F(TBuchLesen, MoreEntriesThanTheCacheHoldsAreReadToTheEnd)
{
    QStringList zeilen;
    for (int i = 1; i <= 260; ++i)
        zeilen << QStringLiteral("+CPBR: %1,\"%1\",129,\"N%1\"").arg(i);
    const QString t = Transfer(500, zeilen);
    QStringList stuecke;
    for (qsizetype i = 0; i < t.size(); i += 64)
        stuecke << t.mid(i, 64);
    // 250 reported, 260 sent: the progress must not pass its maximum either.
    Lesen_Skripten(u.Port, "ME", 250, 500, stuecke);
    EXPECT_FALSE(Telefonbuch_Lesen(2));
    EXPECT_EQ(TBuchDaten[2][250][1], "250");
    EXPECT_EQ(ansicht.Zeilen.size(), 250u);
    EXPECT_FALSE(anzeige.FortschrittUeberMaximum);
    EXPECT_FALSE(TBuchVollstaendig[2]);  // the phone holds more than the cache
    EXPECT_EQ(u.Port.Input(), "");       // everything up to "OK" was taken from the port
}

TEST_F(TBuchLesen, CountingUpdatesCountsAndFillLevelOrNothing)
{
    u.Port.Bei("AT+CPBS?", {"AT+CPBS?\r\r\n+CPBS: \"SM\",57,250\r\n\r\nOK\r\n"});
    EXPECT_TRUE(Eintraege_Zaehlen(1));
    EXPECT_EQ(u.Port.Gesendet, "AT+CPBS?\r\n");
    EXPECT_EQ(TBuchBelegt[1], 57);
    EXPECT_EQ(ansicht.Belegung[1].Balken, 413);

    u.Port.Bei("AT+CPBS?", {"\r\nOK\r\n"});  // no counts in the reply
    EXPECT_FALSE(Eintraege_Zaehlen(1));
    EXPECT_EQ(TBuchBelegt[1], 57);
    EXPECT_EQ(TBuchGesamt[1], 250);
}

TEST_F(TBuchLesen, RefillShowsPressedLoadedBooksUpToTheLastSlot)
{
    for (int slot = 1; slot <= 250; ++slot)
        TBuchDaten[1][slot][1] = Index_Text(slot);
    TBuchDaten[2][1][1] = TBuchDaten[2][2][1] = QStringLiteral("007");
    TBuchDaten[4][1][1] = QStringLiteral("001");  // loaded but not pressed
    ansicht.Gedrueckt = {1, 2, 3};
    ansicht.Zeilen.push_back({});
    Liste_Laden();
    EXPECT_EQ(ansicht.Zeilen.size(), 252u);
    EXPECT_EQ(ansicht.Zeilen.back().Buch, 2);
    EXPECT_EQ(ansicht.Sortierungen, 1);
    EXPECT_EQ(anzeige.Status, QStringList({"Lade Liste...", "Fertig."}));
}

}  // namespace
