// Reading the phone books end to end: the book buttons of the phone-book window against the
// simulated phone behind a real serial port.
#include "common/Einstellungen.h"
#include "link/Handytyp.h"
#include "phonebook/Form1.h"
#include "phonebook/TBuchHilfen.h"
#include "sim/SimHandy.h"
#include "sim/SimTelefonbuch.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QTreeWidget>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Module1;
using sim::SimEintrag;
using sim::Telefon_Codes;

namespace {

class TBuchSim : public ::testing::Test {
protected:
    TBuchSim()
    {
        Buecher_Zuruecksetzen();
        buecher = sim::Telefonbuch_Anmelden(*u.Handy);
        Link().Anzeige = &anzeige;
        f = Form1::Instanz();
        u.Handy->Empfangen_Loeschen();
    }
    ~TBuchSim() override
    {
        if (Form1::Geladen())
            delete Form1::Instanz();
        Buecher_Zuruecksetzen();
    }

    void Setzen(const std::string& kennung, std::map<int, SimEintrag> eintraege)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Buch(kennung)->Eintraege = std::move(eintraege); });
    }

    // The rows of the phone list as "Ort|Index|Name|Nummer|Merker".
    QStringList Zeilen() const
    {
        QStringList z;
        for (int i = 0; i < f->TBuch1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* zeile = f->TBuch1->topLevelItem(i);
            QStringList felder;
            for (int spalte = 0; spalte < 5; ++spalte)
                felder << zeile->text(spalte);
            z << felder.join('|');
        }
        return z;
    }

    int Anzahl(const std::string& befehl) const
    {
        const auto b = u.Handy->Befehle();
        return static_cast<int>(std::count(b.begin(), b.end(), befehl));
    }

    SimUmgebung u;
    LeseAnzeige anzeige;
    std::shared_ptr<sim::SimTelefonbuch> buecher;
    Form1* f = nullptr;
};

TEST_F(TBuchSim, EachOfTheSixBooks)
{
    Setzen("SM", {{1, {"+491711234", 145, "Anna!"}},
                  {2, {"030123", 129, Telefon_Codes("Müller, Hans")}},
                  {7, {"089555", 129, Telefon_Codes("Büro@Home")}}});
    Setzen("ME", {{3, {"0221", 129, Telefon_Codes("ÄÖÜäöüß éèÉ")}}});
    Setzen("FD", {{1, {"110", 129, "Polizei!"}}});
    Setzen("ON", {{1, {"+49170999", 145, "Eigene"}}});
    Setzen("LD", {{1, {"*100#", 129, ""}}});
    Setzen("MC", {{10, {"0401111", 129, Telefon_Codes("Jörg")}}});

    for (int buch = 1; buch <= 6; ++buch) {
        f->Buchknopf(buch)->trigger();
        EXPECT_TRUE(TBuchVollstaendig[buch]) << buch;
        EXPECT_TRUE(f->Neulesenknopf(buch)->isEnabled()) << buch;
    }
    Liste_Laden();
    EXPECT_EQ(Zeilen(), QStringList({"EIGENE|001|Eigene|+49170999|",
                                     "FESTE|001|Polizei|110|!",
                                     "SIM|001|Anna|+491711234|!",
                                     "SIM|007|Büro@Home|089555|",
                                     "SIM|002|Müller, Hans|030123|",
                                     "TELEFON|003|ÄÖÜäöüß éèÉ|0221|",
                                     "VERSÄUMT|010|Jörg|0401111|",
                                     "ZULETZT|001||*100#|"}));
    EXPECT_EQ(TBuchDaten[1][3][2], "Büro@Home");
    EXPECT_EQ(TBuchDaten[6][1][1], "010");
    EXPECT_EQ(f->Label1[0]->text(), "(247 von 250 frei)");
    EXPECT_EQ(f->Label1[1]->text(), "(99 von 100 frei)");
    EXPECT_EQ(f->Label1[2]->text(), "(9 von 10 frei)");
    EXPECT_EQ(f->Label1[3]->text(), "(2 von 3 frei)");
    EXPECT_EQ(TBuchTextLaenge[1], 18);
    EXPECT_EQ(TBuchNummerLaenge[1], 20);
    for (const char* befehl : {"at+cpbs=\"SM\"", "at+cpbs=\"MC\"", "AT+CPBR=1,250", "AT+CPBR=1,10"})
        EXPECT_GE(Anzahl(befehl), 1) << befehl;
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_FALSE(u.Anzeige.LampeRot);
}

TEST_F(TBuchSim, NamesEndingInOkOrHoldingErrorAreReadWhole)
{
    Setzen("SM", {{1, {"1", 129, "BOOK"}},
                  {2, {"2", 129, "ERROR"}},
                  {3, {"3", 129, "NO ERROR"}},
                  {4, {"4", 129, "OK"}},
                  {5, {"5", 129, "FACEBOOK"}}});
    // Small pieces put the edges of the reply anywhere.
    u.Handy->Stueckelung_Setzen(5, 1);
    f->Buchknopf(1)->trigger();
    QStringList namen;
    for (int slot = 1; slot <= 5; ++slot)
        namen << TBuchDaten[1][slot][2];
    EXPECT_EQ(namen, QStringList({"BOOK", "ERROR", "NO ERROR", "OK", "FACEBOOK"}));
    EXPECT_TRUE(TBuchVollstaendig[1]);
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 5);
}

TEST_F(TBuchSim, FullBookOf250Entries)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Fuellen("SM", 250); });
    f->Buchknopf(1)->trigger();
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 250);
    EXPECT_EQ(TBuchDaten[1][250][1], "250");
    EXPECT_EQ(TBuchDaten[1][250][2], "Name 250");
    EXPECT_EQ(TBuchDaten[1][250][3], "0301250");
    EXPECT_TRUE(TBuchVollstaendig[1]);
    EXPECT_EQ(f->Label1[0]->text(), "(0 von 250 frei)");
    EXPECT_EQ(f->Shape2[0]->width(), f->Shape1[0]->width());
    EXPECT_EQ(anzeige.FortschrittMaximum, 250);
    EXPECT_FALSE(anzeige.FortschrittUeberMaximum);
    EXPECT_EQ(anzeige.FortschrittWert, 0);
}

TEST_F(TBuchSim, EmptyBookIsAskedAgainAtTheNextPress)
{
    f->Buchknopf(2)->trigger();
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 0);
    EXPECT_EQ(anzeige.Status.last(), "Telefonbuch ist leer!");
    EXPECT_EQ(f->Label1[1]->text(), "(100 von 100 frei)");
    EXPECT_EQ(Anzahl("AT+CPBR=1,100"), 0);
    f->Buchknopf(2)->trigger();
    f->Buchknopf(2)->trigger();
    EXPECT_EQ(Anzahl("at+cpbs=\"ME\""), 2);
}

TEST_F(TBuchSim, APhoneFallingSilentInTheMiddleIsToldOnceAndTheBackupAsksFirst)
{
    LeseLeerlaufGrenze = 300;
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Fuellen("SM", 250); });
    std::string haelfte = "\r\n";
    for (int i = 1; i <= 115; ++i)
        haelfte += "+CPBR: " + std::to_string(i) + ",\"0301" + std::to_string(i) + "\",129,\"Name " +
                   std::to_string(i) + "\"\r\n";
    u.Handy->Antwort_Setzen("AT+CPBR=1,", haelfte, 1);
    anzeige.Status.clear();
    f->Buchknopf(1)->trigger();
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 115);
    EXPECT_EQ(TBuchDaten[1][115][2], "Name 115");
    EXPECT_FALSE(TBuchVollstaendig[1]);
    EXPECT_FALSE(anzeige.LampeRot);
    EXPECT_FALSE(anzeige.Gesperrt);
    EXPECT_FALSE(anzeige.Status.contains("Fertig."));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das Telefonbuch wurde nicht vollständig gelesen!"});

    // Saving the shown entries asks first; No, the default, saves nothing.
    f->Toolbar1_ButtonClick("save");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 2u);
    EXPECT_EQ(u.Dialoge.Meldungen[1].text, "Das Telefonbuch wurde nicht vollständig gelesen. Möchten Sie die "
                                           "angezeigten Einträge trotzdem speichern?");
    EXPECT_EQ(u.Dialoge.Meldungen[1].tasten, Dialoge::Tasten::JaNein);
    EXPECT_EQ(u.Dialoge.Meldungen[1].standard, Dialoge::Antwort::Nein);
    EXPECT_TRUE(u.Dialoge.Dateiwahlen.empty());
}

TEST_F(TBuchSim, AReadThatTimedOutLetsItsLateOkAnswerNoLaterCommand)
{
    // A phone without echo that is busy with the read and drops what comes meanwhile.
    LeseLeerlaufGrenze = 300;
    TimeoutFaktor = 2000;
    Setzen("SM", {{1, {"1", 129, "A"}}});
    u.Handy->Echo_Setzen(false);
    Link().EchoGesehen = false;
    u.Handy->Taub_Wenn_Beschaeftigt(true);
    u.Handy->Verzoegerung_Setzen(700);
    f->Buchknopf(1)->trigger();
    ASSERT_FALSE(TBuchVollstaendig[1]);
    u.Handy->Verzoegerung_Setzen(0);

    const bool geschrieben = Befehl_Senden("AT+CPBW=5,\"555\",129,\"Neu\"", true);
    bool aufDemHandy = false;
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { aufDemHandy = buecher->Buch("SM")->Eintraege.count(5) > 0; });
    EXPECT_TRUE(aufDemHandy);
    EXPECT_EQ(geschrieben, aufDemHandy);
}

TEST_F(TBuchSim, ReReadAfterEntriesWereDeletedOnThePhone)
{
    Setzen("SM", {{1, {"1", 129, "A"}}, {2, {"2", 129, "B"}}, {3, {"3", 129, "C"}}});
    f->Buchknopf(1)->trigger();
    ASSERT_EQ(f->TBuch1->topLevelItemCount(), 3);

    // Deleted by another program meanwhile.
    ASSERT_TRUE(Befehl_Senden("AT+CPBS=SM", true));
    ASSERT_TRUE(Befehl_Senden("AT+CPBW=2", true));
    ASSERT_TRUE(Befehl_Senden("AT+CPBW=3", true));
    f->Neulesenknopf(1)->trigger();
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 1);
    EXPECT_EQ(TBuchDaten[1][2][1], "");
    EXPECT_EQ(f->Label1[0]->text(), "(249 von 250 frei)");
}

TEST_F(TBuchSim, BurstWithSeveralLinesBetweenEntriesLosesNone)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) {
        buecher->Buch("ME")->Gesamt = 500;
        buecher->Fuellen("ME", 250);
        buecher->Zwischenzeilen = 2;
    });
    f->Buchknopf(2)->trigger();
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 250);
    EXPECT_EQ(TBuchDaten[2][250][2], "Name 250");
    EXPECT_TRUE(TBuchVollstaendig[2]);
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");
}

TEST_F(TBuchSim, CountReplyWithoutUsedAndTotalTakesTheIndexRange)
{
    Setzen("SM", {{1, {"1", 129, "A"}}, {4, {"4", 129, "D"}}});
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->OhneZaehler = true; });
    f->Buchknopf(1)->trigger();
    EXPECT_EQ(u.Handy->Befehle(), (std::vector<std::string>{"at+cpbs=\"SM\"", "AT+CPBS?", "AT+CPBR=?", "AT+CPBR=1,250"}));
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 2);
    EXPECT_TRUE(TBuchVollstaendig[1]);
    EXPECT_EQ(TBuchGesamt[1], 250);
    EXPECT_EQ(TBuchBelegt[1], 2);
    EXPECT_EQ(TBuchTextLaenge[1], 18);
    EXPECT_EQ(f->Label1[0]->text(), "(248 von 250 frei)");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());

    // Without a range either, the book stays unread and the user is told.
    u.Handy->Antwort_Setzen("AT+CPBR=?", "\r\nOK\r\n");
    f->Buchknopf(3)->trigger();
    EXPECT_EQ(TBuchGesamt[3], 0);
    EXPECT_FALSE(TBuch_Geladen(3));
    EXPECT_EQ(Anzahl("AT+CPBR=1,10"), 0);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte "
                                             "versuchen Sie es erneut."});
}

}  // namespace
