// Writing, deleting and changing phone entries against the scripted port: the bytes on the wire,
// the cache and the list, and what stays when the phone refuses.
#include "phonebook/EintraegeAttrappen.h"

#include <gtest/gtest.h>

using namespace Module1;

namespace {

const QString Ueberschreiben5 = QStringLiteral(
    "Der Index 5 ist bereits vergeben!\r\nMöchten Sie den Eintrag Eve (0171) wirklich überschreiben?");

class Schreiben : public ::testing::Test {
protected:
    void Phone_Nimmt(const char* kennung, int belegt, int gesamt)
    {
        e.Ok_Bei(QStringLiteral("AT+CPBS=") + QLatin1String(kennung));
        e.Ok_Bei("AT+CPBW=");
        e.Zaehlen_Bei(kennung, belegt, gesamt);
    }
    EintragUmgebung e;
};

TEST_F(Schreiben, MarkTravelsInTheNameAndTheCacheKeepsItApart)
{
    Buch_Fuellen(1, {{"001", "Bob", "0301", ""}}, 250);
    Phone_Nimmt("SM", 2, 250);
    QString statusBeimSchreiben;
    e.u.Port.BeiPoll = [&] {
        if (e.u.Port.Gesendet.contains("AT+CPBW") && statusBeimSchreiben.isEmpty())
            statusBeimSchreiben = e.u.Anzeige.Panels[2];
    };
    MarkierteZeile = 2;

    EXPECT_TRUE(Eintrag_Schreiben("7", "Anna!", "+49171", "1", "!"));

    EXPECT_EQ(e.u.Port.Gesendet, "AT+CPBS=SM\r\nAT+CPBW=7,\"+49171\",145,\"Anna!\"\r\nAT+CPBS?\r\n");
    EXPECT_EQ(statusBeimSchreiben, "Schreibe Eintrag: Anna");
    EXPECT_EQ(e.u.Anzeige.Panels[2], "Fertig.");
    EXPECT_EQ(Indexe(1), (QStringList{"001", "007"}));
    EXPECT_EQ(TBuchDaten[1][2][2], "Anna");
    EXPECT_EQ(TBuchDaten[1][2][4], "!");
    EXPECT_EQ(e.Ansicht.Belegung[1], "(248 von 250 frei)");
    // Refilled, and the remembered position selected again.
    ASSERT_EQ(e.Zeilen.Zeilen(), 2);
    EXPECT_EQ(e.Zelle(2, 2), "Anna");
    EXPECT_EQ(e.Zeilen.Gewaehlte_Zeile(), 2);
}

TEST_F(Schreiben, IndexAsTypedNumberTypeAndPhoneCodes)
{
    Phone_Nimmt("ME", 1, 100);
    EXPECT_TRUE(Eintrag_Schreiben("012", "Müller@Home", "0049301", "2", ""));
    const QString erwartet = QStringLiteral("AT+CPBW=012,\"0049301\",129,\"M") + QChar(126) + QStringLiteral("ller") +
                             QChar(0) + QStringLiteral("Home\"\r\n");
    EXPECT_TRUE(e.u.Port.Gesendet.contains(erwartet));
    EXPECT_EQ(TBuchDaten[2][1][1], "012");
    EXPECT_EQ(TBuchDaten[2][1][2], "Müller@Home");
}

TEST(SchreibenTabelle, NothingUncheckedReachesThePhone)
{
    const char* const name = "Ungültiges Zeichen im Namen! Bitte ändern.";
    const char* const nummer = "Für die Rufnummer bitte nur 0-9, '*', '#' und '+' verwenden! Bitte ändern.";
    const char* const index = "Kein gültiger Index angegeben!";
    const struct {
        const char* index;
        const char* name;
        const char* nummer;
        const char* meldung;
    } faelle[] = {
        {"1", "x\";+CPBW=1", "0301", name}, {"1", "a;b", "0301", name},       {"1", "a\rAT", "0301", name},
        {"1", "Anna", "0171;+CPBW=1", nummer}, {"1", "Anna", "030 12", nummer}, {"1e2", "Anna", "0301", index},
        {"+7", "Anna", "0301", index},         {"", "Anna", "0301", index},       {"0", "Anna", "0301", index},
        {"1", "Anna", "0301", nullptr},  // book 5: refused without a word
    };
    for (const auto& f : faelle) {
        EintragUmgebung u;
        EXPECT_FALSE(Eintrag_Schreiben(f.index, QString::fromUtf8(f.name), f.nummer, f.meldung ? "1" : "5", ""));
        EXPECT_TRUE(u.u.Port.Gesendet.isEmpty()) << f.name << " " << f.nummer;
        EXPECT_EQ(u.u.Dialoge.Texte(), f.meldung ? QStringList{QString::fromUtf8(f.meldung)} : QStringList())
            << f.index << " " << f.name;
    }
}

TEST_F(Schreiben, RefusedWriteChangesNothing)
{
    Buch_Fuellen(1, {{"001", "Bob", "0301", ""}}, 250);
    e.Liste_Zeigen();
    e.Ok_Bei("AT+CPBS=SM");
    e.Fehler_Bei("AT+CPBW=");
    EXPECT_FALSE(Eintrag_Schreiben("2", "Anna", "0171", "1", ""));
    EXPECT_FALSE(e.u.Port.Gesendet.contains("AT+CPBS?"));
    EXPECT_EQ(Indexe(1), QStringList{"001"});
    EXPECT_EQ(e.Zeilen.Zeilen(), 1);
    EXPECT_NE(e.u.Anzeige.Panels[2], "Fertig.");
}

TEST_F(Schreiben, WriteOverAnOccupiedIndexReplacesThatCacheEntry)
{
    Buch_Fuellen(1, {{"001", "A", "1", ""}, {"005", "Eve", "0171", ""}, {"007", "C", "3", ""}}, 10);
    Phone_Nimmt("SM", 3, 10);
    EXPECT_TRUE(Eintrag_Schreiben("5", "Ida", "0172", "1", ""));
    EXPECT_EQ(Indexe(1), (QStringList{"001", "005", "007"}));
    EXPECT_EQ(TBuchDaten[1][2][2], "Ida");
}

class Loeschen : public ::testing::Test {
protected:
    void SetUp() override
    {
        Buch_Fuellen(1, {{"001", "A", "1", ""}, {"002", "B", "2", ""}, {"003", "C", "3", ""}, {"004", "D", "4", ""},
                         {"005", "E", "5", ""}},
                     10);
        e.Liste_Zeigen();
    }
    EintragUmgebung e;
};

TEST_F(Loeschen, DeletesOnThePhoneAndClosesTheGapInTheCache)
{
    e.Ok_Bei("AT+CPBS=SM");
    e.Wie_Gezeigt_Bei(1, 3);
    e.Ok_Bei("AT+CPBW=");
    EXPECT_TRUE(Eintrag_Loeschen(3));
    EXPECT_EQ(e.u.Port.Gesendet, "AT+CPBS=SM\r\nAT+CPBR=3\r\nAT+CPBW=3\r\n");
    EXPECT_EQ(Indexe(1), (QStringList{"001", "002", "004", "005"}));
    EXPECT_EQ(TBuchDaten[1][4][2], "E");
    EXPECT_EQ(AktuellesTBuch, 1);
    EXPECT_EQ(e.Zeilen.Zeilen(), 5);  // the caller removes the row
}

TEST_F(Loeschen, EntriesAboveSlot200MoveDownToo)
{
    std::vector<std::string> indexe;
    for (int i = 1; i <= 230; ++i)
        indexe.push_back(Index_Text(i).toStdString());
    std::vector<Eintrag> eintraege;
    for (const auto& i : indexe)
        eintraege.push_back({i.c_str(), "N", "1", ""});
    Buch_Fuellen(2, eintraege, 250);
    e.Liste_Zeigen();
    e.Ok_Bei("AT+CPBS=ME");
    e.Wie_Gezeigt_Bei(2, 1);
    e.Ok_Bei("AT+CPBW=");
    ASSERT_EQ(e.Zelle(6, 0), "TELEFON");
    EXPECT_TRUE(Eintrag_Loeschen(6));
    EXPECT_EQ(Indexe(2).size(), 229);
    EXPECT_EQ(TBuchDaten[2][229][1], "230");
}

TEST_F(Loeschen, ReadOnlyBooksRefuseWithoutSending)
{
    Buch_Fuellen(6, {{"001", "Bob", "0301", ""}}, 10);
    e.Liste_Zeigen();
    ASSERT_EQ(e.Zelle(6, 0), "VERSÄUMT");
    EXPECT_FALSE(Eintrag_Loeschen(6));
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{"Im gewählten Telefonbuch kann nicht gelöscht werden!"});
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_TRUE(e.u.Port.Gesendet.isEmpty());
}

// ---- Changing an entry -------------------------------------------------------------------

class Aendern : public ::testing::Test {
protected:
    void SetUp() override
    {
        Buch_Fuellen(1, {{"001", "Anna", "0301", ""}, {"005", "Eve", "0171", ""}}, 10);
        Buch_Fuellen(2, {{"001", "Tom", "0302", ""}}, 100);
        e.Liste_Zeigen();
    }
    void Dialog_Antwortet(const char* index, const char* buch)
    {
        e.Dialog = [=] {
            EintragIndex = index;
            EintragBuch = buch;
        };
    }
    EintragUmgebung e;
};

TEST_F(Aendern, DialogGetsTheRowAndAnotherBookMovesTheEntry)
{
    e.Zeilen.Waehlen(1, true);
    EintragEingabe_Satz gesehen;
    e.Dialog = [&] {
        gesehen = EintragEingabe;
        EintragBuch = "2";
        EintragIndex = "2";
    };
    e.Ok_Bei("AT+CPBS=SM");
    e.Wie_Gezeigt_Bei(1, 1);
    e.Ok_Bei("AT+CPBS=ME");
    e.Ok_Bei("AT+CPBR=2");
    e.Ok_Bei("AT+CPBW=2,");
    e.Zaehlen_Bei("ME", 2, 100);
    e.Ok_Bei("AT+CPBS=SM");
    e.Ok_Bei("AT+CPBW=1\r");
    e.Zaehlen_Bei("SM", 1, 10);

    EDIT_ITEM();

    EXPECT_EQ(gesehen.DialogModus, "aendern");
    EXPECT_EQ(gesehen.EintragBuch, "1");
    EXPECT_EQ(gesehen.EintragIndex, "001");
    EXPECT_EQ(gesehen.EintragName, "Anna");
    // The old entry read, then the new entry into an index read free, the old one deleted only
    // after the phone took it.
    EXPECT_EQ(e.u.Port.Gesendet, "AT+CPBS=SM\r\nAT+CPBR=1\r\nAT+CPBS=ME\r\nAT+CPBR=2\r\nAT+CPBW=2,\"0301\",129,\"Anna\"\r\nAT+CPBS?\r\n"
                                 "AT+CPBS=SM\r\nAT+CPBW=1\r\nAT+CPBS?\r\n");
    EXPECT_EQ(Indexe(1), QStringList{"005"});
    EXPECT_EQ(Indexe(2), (QStringList{"001", "002"}));
    EXPECT_EQ(e.Ansicht.Belegung[1], "(9 von 10 frei)");
}

TEST_F(Aendern, CancelOrNoSelectionChangesNothing)
{
    EDIT_ITEM();
    EXPECT_EQ(e.Dialoge_Gezeigt, 0);
    e.Zeilen.Waehlen(2, true);
    e.Dialog = [] { DialogModus = "cancel"; };
    EDIT_ITEM();
    EXPECT_TRUE(e.u.Port.Gesendet.isEmpty());
}

TEST_F(Aendern, SameIndexIsWrittenOverAndARefusalKeepsTheEntry)
{
    e.Zeilen.Waehlen(1, true);
    Dialog_Antwortet("1", "1");
    e.Ok_Bei("AT+CPBS=SM");
    e.Wie_Gezeigt_Bei(1, 1);
    e.Fehler_Bei("AT+CPBW=1,");

    EDIT_ITEM();

    EXPECT_EQ(e.u.Port.Gesendet, "AT+CPBS=SM\r\nAT+CPBR=1\r\nAT+CPBW=1,\"0301\",129,\"Anna\"\r\nAT+CPIN?\r\n");
    EXPECT_EQ(Indexe(1), (QStringList{"001", "005"}));
    ASSERT_EQ(e.Zeilen.Zeilen(), 3);
    EXPECT_EQ(e.Zelle(1, 2), "Anna");
}

TEST_F(Aendern, FailedDeleteAfterTheMoveKeepsBothAndSaysSo)
{
    e.Zeilen.Waehlen(1, true);
    Dialog_Antwortet("2", "1");
    e.Ok_Bei("AT+CPBS=SM");
    e.Wie_Gezeigt_Bei(1, 1);
    e.Ok_Bei("AT+CPBS=SM");
    e.Ok_Bei("AT+CPBR=2");
    e.Ok_Bei("AT+CPBW=2,");
    e.Zaehlen_Bei("SM", 3, 10);
    e.Ok_Bei("AT+CPBS=SM");
    e.Fehler_Bei("AT+CPBW=1\r");

    EDIT_ITEM();

    EXPECT_EQ(e.u.Dialoge.Texte().last(), "Der geänderte Eintrag wurde geschrieben, aber der alte Eintrag konnte "
                                          "nicht gelöscht werden! Beide Einträge sind jetzt im Telefonbuch.");
    EXPECT_EQ(e.u.Dialoge.Meldungen.back().symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(Indexe(1), (QStringList{"001", "005", "002"}));
    EXPECT_EQ(e.Zeilen.Zeilen(), 4);
}

TEST_F(Aendern, NewIndexHeldByAnotherEntryAsksFirst)
{
    e.Zeilen.Waehlen(1, true);
    Dialog_Antwortet("5", "1");
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    EDIT_ITEM();
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{Ueberschreiben5});
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);
    EXPECT_TRUE(e.u.Port.Gesendet.isEmpty());
}

TEST_F(Aendern, ReadOnlyRowOffersAnotherBookAndOverwritesOnlyAfterOk)
{
    Buch_Fuellen(5, {{"001", "Bob", "0301", ""}}, 10);
    e.Liste_Zeigen();
    ASSERT_EQ(e.Zelle(4, 0), "ZULETZT");
    e.Zeilen.Waehlen(4, true);
    QString modus, name;
    e.Dialog = [&] {
        modus = DialogModus;
        name = EintragName;
        EintragBuch = "1";
        EintragIndex = "5";
    };
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    EDIT_ITEM();
    EXPECT_EQ(e.Dialoge_Gezeigt, 0);

    e.u.Dialoge.Antworten = {Dialoge::Antwort::Ja, Dialoge::Antwort::Ja};
    e.Ok_Bei("AT+CPBS=SM");
    e.Fehler_Bei("AT+CPBW=5,");
    EDIT_ITEM();

    EXPECT_EQ(modus, "neu");
    EXPECT_EQ(name, "Bob");
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].text,
              "In diesem Telefonbuch kann nicht geschrieben werden! Möchten Sie die Nummer in einem anderen "
              "Telefonbuch speichern?");
    EXPECT_EQ(e.u.Dialoge.Meldungen[2].text, Ueberschreiben5);
    // The phone kept Eve, so does the cache, without a gap.
    EXPECT_EQ(Indexe(1), (QStringList{"001", "005"}));
    EXPECT_EQ(TBuchDaten[1][2][2], "Eve");
}

}  // namespace
