// The list commands on the logic side: new entry, the delete loop, the searches of both lists,
// and the hand-over of numbers to the composing window.
#include "phonebook/EintraegeAttrappen.h"
#include "sms/Form6.h"

#include <QListWidget>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

class Listenbefehle : public ::testing::Test {
protected:
    void SetUp() override
    {
        Buch_Fuellen(1, {{"001", "Bert", "0171", ""}, {"002", "ANNA", "0301", ""}, {"003", "Carl", "0401", ""},
                         {"004", "Hanna", "0501", ""}, {"005", "Straße", "0601", ""}, {"006", "F", "0701", ""}},
                     10);
        e.Liste_Zeigen();
        LoeschenRueckfrage = false;
    }
    void Waehlen(std::initializer_list<int> zeilen)
    {
        for (int z : zeilen)
            e.Zeilen.Waehlen(z, true);
    }
    void Loeschen_Ok(int index)
    {
        e.Ok_Bei("AT+CPBS=SM");
        e.Wie_Gezeigt_Bei(1, index);
        e.Ok_Bei(QStringLiteral("AT+CPBW=%1\r").arg(index));
    }
    EintragUmgebung e;
};

TEST_F(Listenbefehle, NewEntryStartsEmptyAndAsksBeforeOverwritingByValue)
{
    EintragEingabe = {"x", "x", "x", "x", "x", "x"};
    EintragEingabe_Satz gesehen;
    e.Dialog = [&] {
        gesehen = EintragEingabe;
        EintragIndex = "5";
        EintragName = "Ida!";
        EintragNummer = "0172";
        EintragBuch = "1";
        EintragMerker = "!";
    };
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Eintrag_Neu();
    EXPECT_EQ(gesehen.DialogModus, "neu");
    EXPECT_EQ(gesehen.EintragBuch, "0");
    EXPECT_TRUE(gesehen.EintragIndex.isEmpty() && gesehen.EintragName.isEmpty() && gesehen.EintragMerker.isEmpty());
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{"Der Index 5 ist bereits vergeben!\r\nMöchten Sie den Eintrag "
                                               "Straße (0601) wirklich überschreiben?"});
    EXPECT_TRUE(e.u.Port.Gesendet.isEmpty());

    e.u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    e.Ok_Bei("AT+CPBS=SM");
    e.Ok_Bei("AT+CPBW=5,\"0172\",129,\"Ida!\"");
    e.Zaehlen_Bei("SM", 6, 10);
    Eintrag_Neu();
    EXPECT_EQ(Indexe(1).size(), 6);
    EXPECT_EQ(TBuchDaten[1][5][2], "Ida");
    EXPECT_EQ(TBuchDaten[1][5][4], "!");
}

TEST_F(Listenbefehle, DeleteLoopVisitsTheSelectedRowsTopDownAndRefillsOnce)
{
    Waehlen({2, 3, 5});
    Loeschen_Ok(2);
    Loeschen_Ok(3);
    Loeschen_Ok(5);
    const int leerungen = e.Ansicht.Leerungen;

    Markierte_Loeschen();

    EXPECT_EQ(e.u.Port.Gesendet, "AT+CPBS=SM\r\nAT+CPBR=2\r\nAT+CPBW=2\r\nAT+CPBS=SM\r\nAT+CPBR=3\r\nAT+CPBW=3\r\n"
                                 "AT+CPBS=SM\r\nAT+CPBR=5\r\nAT+CPBW=5\r\n");
    EXPECT_EQ(Indexe(1), (QStringList{"001", "004", "006"}));
    EXPECT_EQ(TBuchBelegt[1], 3);
    EXPECT_EQ(e.Ansicht.Belegung[1], "(7 von 10 frei)");
    EXPECT_EQ(e.Ansicht.Leerungen, leerungen + 1);
}

TEST_F(Listenbefehle, DeleteLoopStopsAtTheFirstFailureWithoutRefill)
{
    Waehlen({1, 2, 3});
    Loeschen_Ok(1);
    e.Ok_Bei("AT+CPBS=SM");
    e.Wie_Gezeigt_Bei(1, 2);
    e.Fehler_Bei("AT+CPBW=2\r");
    const int leerungen = e.Ansicht.Leerungen;
    Markierte_Loeschen();
    EXPECT_FALSE(e.u.Port.Gesendet.contains("AT+CPBW=3"));
    EXPECT_EQ(e.Ansicht.Leerungen, leerungen);
    EXPECT_EQ(e.Zeilen.Zeilen(), 5);
    EXPECT_EQ(TBuchBelegt[1], 5);
}

TEST_F(Listenbefehle, DeleteAsksAndReportsAnEmptyListOrNoSelection)
{
    Markierte_Loeschen();
    LoeschenRueckfrage = true;
    Waehlen({1});
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Markierte_Loeschen();
    e.Ansicht.Baum.clear();
    Markierte_Loeschen();
    EXPECT_EQ(e.u.Dialoge.Texte(), (QStringList{"Keinen Eintrag ausgewählt!", "Eintrag/Einträge wirklich löschen?",
                                                 "Die Liste ist leer!"}));
    EXPECT_EQ(e.u.Dialoge.Meldungen[1].titel, "LÖSCHEN");
    EXPECT_EQ(e.u.Dialoge.Meldungen[1].standard, Dialoge::Antwort::Nein);
    EXPECT_TRUE(e.u.Port.Gesendet.isEmpty());
}

TEST_F(Listenbefehle, SearchIgnoresCaseFindsNumbersAndFindNextAsksAgainAfterTheLastHit)
{
    Waehlen({1});
    e.u.Dialoge.Eingaben = {"ann", "0401", "STRASSE", "nn", "carl"};
    Suche_Neu();
    EXPECT_EQ(e.u.Dialoge.Eingabeprompts, QStringList{"Suchbegirff (gesucht wird in Namen und Rufnummern)"});
    EXPECT_EQ(e.Zeilen.Gewaehlte_Zeile(), 2);
    EXPECT_FALSE(e.Zeilen.Gewaehlt(1));
    Suche_Neu();
    EXPECT_EQ(e.Zeilen.Gewaehlte_Zeile(), 3);
    Suche_Neu();  // "ß" is no "SS"
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{"Keinen Eintrag gefunden!"});
    EXPECT_EQ(SuchText, "STRASSE");

    Suche_Neu();
    EXPECT_EQ(e.Zeilen.Gewaehlte_Zeile(), 2);
    Suche_Weiter();
    EXPECT_EQ(e.Zeilen.Gewaehlte_Zeile(), 4);
    Suche_Weiter();
    EXPECT_EQ(e.u.Dialoge.Texte().last(), "Keinen (weiteren) Eintrag gefunden!");
    EXPECT_TRUE(SuchText.isEmpty());
    Suche_Weiter();
    EXPECT_EQ(e.u.Dialoge.Eingabeprompts.size(), 5);
    EXPECT_EQ(e.Zeilen.Gewaehlte_Zeile(), 3);
}

TEST_F(Listenbefehle, FindNextWithoutSelectionStartsAtRowTwo)
{
    SuchText = "0";
    Suche_Weiter();
    EXPECT_EQ(e.Zeilen.Gewaehlte_Zeile(), 2);
}

TEST_F(Listenbefehle, SelectedNumbersGoToTheRecipientsInListOrder)
{
    Form6::Instanz()->List3->clear();
    SMS_Uebergeben(e.Zeilen, 3);
    Waehlen({6, 1, 3});
    SMS_Uebergeben(e.Zeilen, 3);
    QStringList liste3;
    for (int i = 0; i < Form6::Instanz()->List3->count(); ++i)
        liste3 << Form6::Instanz()->List3->item(i)->text();
    EXPECT_EQ(liste3, (QStringList{"0171", "0401", "0701"}));
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{"Keinen Eintrag ausgewählt!"});
    EXPECT_TRUE(Form6::Instanz()->isVisible());
    Form6::Instanz()->hide();
}

// ---- The local list ----------------------------------------------------------------------

class LokaleListe : public ::testing::Test {
protected:
    void SetUp() override
    {
        Baum.setColumnCount(4);
        Baum.setSelectionMode(QAbstractItemView::ExtendedSelection);
        for (const char* name : {"Bert", "ANNA", "Carl", "Hanna", "Otto"}) {
            auto* z = new QTreeWidgetItem(&Baum);
            z->setText(1, name);
            z->setText(2, QStringLiteral("0%1").arg(Baum.topLevelItemCount()));
        }
    }
    QStringList Namen() const
    {
        QStringList n;
        for (int i = 1; i <= Zeilen.Zeilen(); ++i)
            n << Zeilen.Zelle(i, 1);
        return n;
    }
    EintragUmgebung e;
    QTreeWidget Baum;
    BaumZeilen Zeilen{&Baum};
};

TEST_F(LokaleListe, DeleteAsksFirstAndRemovesExactlyTheSelectedRows)
{
    for (int z : {2, 3, 5})
        Zeilen.Waehlen(z, true);
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Nein, Dialoge::Antwort::Ja};
    Lokal_Loeschen(Zeilen);
    EXPECT_EQ(Namen().size(), 5);
    Lokal_Loeschen(Zeilen);
    EXPECT_EQ(Namen(), (QStringList{"Bert", "Hanna"}));
    Baum.clear();
    Lokal_Loeschen(Zeilen);  // asked even now
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList(3, "Eintrag / Einträge wirklich löschen?"));
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].titel, "ORX 2000");
}

TEST_F(LokaleListe, SearchHasItsOwnStateAndClearsItOnAMiss)
{
    SuchText = "phone";
    e.u.Dialoge.Eingaben = {"er", "zzz", "04"};
    Lokal_Suche_Neu(Zeilen);
    EXPECT_EQ(Zeilen.Gewaehlte_Zeile(), 1);
    SuchTextLokal = "0";
    Lokal_Suche_Weiter(Zeilen);
    EXPECT_EQ(Zeilen.Gewaehlte_Zeile(), 2);
    Lokal_Suche_Neu(Zeilen);
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{"Keinen (weiteren) Eintrag gefunden!"});
    EXPECT_TRUE(SuchTextLokal.isEmpty());
    EXPECT_EQ(SuchText, "phone");
    Lokal_Suche_Neu(Zeilen);
    EXPECT_EQ(Zeilen.Gewaehlte_Zeile(), 4);
}

}  // namespace
