// Copying local rows into the phone's books, by menu and by dropping them on the phone list,
// against the simulated phone: the entries land at the first free indexes on the phone, in the
// cache and in the list, and a full or partly read book takes nothing.
#include "phonebook/EintraegeAttrappen.h"
#include "phonebook/Form1.h"
#include "phonebook/Form21.h"
#include "phonebook/Kopieren.h"
#include "phonebook/MausHilfen.h"
#include "phonebook/TBuchHilfen.h"
#include "sim/SimHandy.h"
#include "sim/SimTelefonbuch.h"

#include <QAction>
#include <QElapsedTimer>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Module1;
using sim::SimEintrag;

namespace {

TEST(Kopierziel, FirstFreeIndexByTheIndexTexts)
{
    Buecher_Zuruecksetzen();
    auto indexe = [](int buch, const QStringList& texte, int gesamt) {
        TBuch_Leeren(buch);
        for (int s = 1; s <= texte.size(); ++s)
            TBuchDaten[buch][s][1] = texte[s - 1];
        TBuchGesamt[buch] = gesamt;
        TBuchVollstaendig[buch] = true;
        return Kopier_Index(buch);
    };
    EXPECT_EQ(indexe(2, {"001", "002", "004"}, 10), 3);
    EXPECT_EQ(indexe(2, {"002"}, 10), 1);
    EXPECT_EQ(indexe(2, {"003", "001"}, 10), 2);
    EXPECT_EQ(indexe(3, {"001", "002", "003"}, 3), 0);
    EXPECT_EQ(indexe(5, {}, 10), 0);  // never a target
    // Every cache slot taken: the phone's room still counts (an entry beyond is remembered).
    QStringList voll;
    for (int n = 1; n <= TBuchPlaetze; ++n)
        voll << Index_Text(n);
    EXPECT_EQ(indexe(1, voll, 300), 251);
    EXPECT_EQ(indexe(1, voll, TBuchPlaetze), 0);
    Buecher_Zuruecksetzen();
}

// The used count can promise more room than the cache's indexes leave; a failed write goes on
// with the next row at the same index.
TEST(KopierenSkript, SimLoopStopsWhenNoIndexIsLeftAndGoesOnAfterAFailedWrite)
{
    EintragUmgebung e;
    Buch_Fuellen(1, {{"001", "A", "1", ""}, {"002", "B", "2", ""}, {"003", "C", "3", ""}}, 4);
    TBuchBelegt[1] = 1;
    QTreeWidget baum;
    baum.setColumnCount(4);
    BaumZeilen lokal(&baum);
    for (const char* name : {"Anna", "Bob", "Carl"}) {
        auto* z = new QTreeWidgetItem(&baum, {"LOKAL", name, "0301", ""});
        z->setSelected(true);
    }
    e.Ok_Bei("AT+CPBS=SM");
    e.Ok_Bei("AT+CPBR=4");
    e.Fehler_Bei("AT+CPBW=4");
    e.Ok_Bei("AT+CPBS=SM");
    e.Ok_Bei("AT+CPBR=4");
    e.Ok_Bei("AT+CPBW=4");
    e.Zaehlen_Bei("SM", 4, 4);
    Lokal_Kopieren(lokal, 1);
    EXPECT_EQ(e.u.Port.Gesendet.count("AT+CPBW="), 2);
    EXPECT_TRUE(e.u.Port.Gesendet.contains("AT+CPBW=4,\"0301\",129,\"Bob\""));
    EXPECT_EQ(TBuchDaten[1][4][2], "Bob");
    EXPECT_EQ(e.u.Dialoge.Texte().last(), "Das gewählte Telefonbuch ist voll! Kopieren abgebrochen.");
}

class KopierenSim : public ::testing::Test {
protected:
    KopierenSim()
    {
        Buecher_Zuruecksetzen();
        buecher = sim::Telefonbuch_Anmelden(*u.Handy);
        Link().Anzeige = &anzeige;
        f = Form1::Instanz();
        f->Lokal_Anfuegen("LOKAL", 7, "Anna", "0301", "!");
        f->Lokal_Anfuegen("LOKAL", 7, "Bob", "0302", "");
        f->Lokal_Anfuegen("LOKAL", 7, "Carl", "0303", "");
        f->Lokal_Anfuegen("LOKAL", 7, "Dora", "+49304", "");
    }
    ~KopierenSim() override
    {
        if (Form1::Geladen())
            delete Form1::Instanz();
        Buecher_Zuruecksetzen();
        ZielAuswahl.clear();
    }

    void Setzen(const std::string& kennung, std::map<int, SimEintrag> eintraege, int gesamt = 0)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) {
            buecher->Buch(kennung)->Eintraege = std::move(eintraege);
            if (gesamt > 0)
                buecher->Buch(kennung)->Gesamt = gesamt;
        });
    }
    // Selects the local rows; the last one becomes the current row.
    void Lokal_Waehlen(std::initializer_list<int> zeilen)
    {
        f->TBuch2->clearSelection();
        for (int z : zeilen)
            f->Lokalliste().Waehlen(z, true);
    }
    QString Empfangen() const { return QString::fromStdString(u.Handy->Empfangen()); }
    int Schreibbefehle() const
    {
        const auto b = u.Handy->Befehle();
        return static_cast<int>(std::count_if(b.begin(), b.end(), [](const std::string& s) {
            return s.rfind("AT+CPBW=", 0) == 0;
        }));
    }

    // A book as "index|number|name" (the mark in the name), sorted: on the phone, in the
    // cache and in the list.
    QStringList Telefon(const std::string& kennung)
    {
        QStringList l;
        u.Handy->Mit_Zustand([&](sim::SimHandy&) {
            for (const auto& [index, e] : buecher->Buch(kennung)->Eintraege)
                l << QStringLiteral("%1|%2|%3").arg(index).arg(QString::fromStdString(e.Nummer),
                                                            QString::fromStdString(e.Name));
        });
        l.sort();
        return l;
    }
    static QStringList Cache(int buch)
    {
        QStringList l;
        for (int s = 1; s <= TBuchPlaetze && !TBuchDaten[buch][s][1].isEmpty(); ++s)
            l << QStringLiteral("%1|%2|%3").arg(TBuchDaten[buch][s][1].toInt()).arg(TBuchDaten[buch][s][3],
                                                                                    TBuchDaten[buch][s][2] +
                                                                                        TBuchDaten[buch][s][4]);
        l.sort();
        return l;
    }
    QStringList Liste(int buch) const
    {
        QStringList l;
        for (int i = 0; i < f->TBuch1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* z = f->TBuch1->topLevelItem(i);
            if (TBuch_Nummer(z->text(0)) == buch)
                l << QStringLiteral("%1|%2|%3").arg(z->text(1).toInt()).arg(z->text(3), z->text(2) + z->text(4));
        }
        l.sort();
        return l;
    }
    void Ueberall(int buch, const std::string& kennung, const QStringList& erwartet)
    {
        EXPECT_EQ(Telefon(kennung), erwartet);
        EXPECT_EQ(Cache(buch), erwartet);
        EXPECT_EQ(Liste(buch), erwartet);
    }
    // Answers the target chooser once it is open: a target button, the cancel button (-1) or
    // the close box (-2).
    void Im_Ziel(int antwort)
    {
        QTimer::singleShot(0, [this, antwort] {
            auto* d = qobject_cast<Form21*>(QApplication::activeModalWidget());
            if (!d)
                return;
            ++zielGezeigt;
            zielTitel = d->windowTitle();
            if (antwort >= 0)
                d->Command1[antwort]->click();
            else if (antwort == -1)
                d->Command2->click();
            else
                d->close();
        });
    }

    SimUmgebung u;
    LeseAnzeige anzeige;
    std::shared_ptr<sim::SimTelefonbuch> buecher;
    Form1* f = nullptr;
    int zielGezeigt = 0;
    QString zielTitel;
};

TEST_F(KopierenSim, SimTakesTheSelectedRowsAtTheFirstFreeIndexesInListOrder)
{
    Setzen("SM", {{1, {"0101", 129, "Eins"}}, {2, {"0102", 129, "Zwei"}}, {4, {"0104", 129, "Vier"}}});
    f->Buchknopf(1)->trigger();
    u.Handy->Empfangen_Loeschen();
    Lokal_Waehlen({1, 2, 4});
    f->copytoSIM->trigger();

    EXPECT_EQ(Empfangen(), "AT+CPBS=SM\r\nAT+CPBR=3\r\nAT+CPBW=3,\"0301\",129,\"Anna!\"\r\nAT+CPBS?\r\n"
                           "AT+CPBS=SM\r\nAT+CPBR=5\r\nAT+CPBW=5,\"0302\",129,\"Bob\"\r\nAT+CPBS?\r\n"
                           "AT+CPBS=SM\r\nAT+CPBR=6\r\nAT+CPBW=6,\"+49304\",145,\"Dora\"\r\nAT+CPBS?\r\n");
    Ueberall(1, "SM",
             {"1|0101|Eins", "2|0102|Zwei", "3|0301|Anna!", "4|0104|Vier", "5|0302|Bob", "6|+49304|Dora"});
    EXPECT_EQ(TBuchDaten[1][4][2], "Anna");
    EXPECT_EQ(TBuchDaten[1][4][4], "!");
    EXPECT_EQ(f->Label1[0]->text(), "(244 von 250 frei)");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

// After the read, entries are stored at SIM indexes 3 and 4 on the handset.
TEST_F(KopierenSim, ACopyPassesIndexesTakenOnTheHandsetByWithoutAQuestion)
{
    Setzen("SM", {{1, {"0101", 129, "Eins"}}, {2, {"0102", 129, "Zwei"}}});
    f->Buchknopf(1)->trigger();
    Setzen("SM", {{1, {"0101", 129, "Eins"}}, {2, {"0102", 129, "Zwei"}}, {3, {"0103", 129, "Drei"}},
                  {4, {"0104", 129, "Vier"}}});
    Lokal_Waehlen({2});
    f->copytoSIM->trigger();
    Ueberall(1, "SM", {"1|0101|Eins", "2|0102|Zwei", "3|0103|Drei", "4|0104|Vier", "5|0302|Bob"});
    EXPECT_EQ(Schreibbefehle(), 1);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(KopierenSim, FullBooksStopWithTheMessageAndWriteNothingMore)
{
    Setzen("SM", {{1, {"0101", 129, "Eins"}}, {2, {"0102", 129, "Zwei"}}, {4, {"0104", 129, "Vier"}}}, 4);
    Lokal_Waehlen({2, 3});
    f->copytoSIM->trigger();  // reads the SIM first
    EXPECT_TRUE(f->Buchknopf(1)->isChecked());
    EXPECT_TRUE(f->Neulesenknopf(1)->isEnabled());
    Lokal_Waehlen({3});
    f->copytoSIM->trigger();
    f->copytoSIM->trigger();
    Ueberall(1, "SM", {"1|0101|Eins", "2|0102|Zwei", "3|0303|Carl", "4|0104|Vier"});
    EXPECT_EQ(Schreibbefehle(), 1);
    EXPECT_EQ(u.Dialoge.Texte(),
              QStringList({"Es sind nicht genuegend freie Plätze im gewählten Telefonbuch vorhanden! Bitte markieren "
                           "Sie weniger Einträge! Kopieren abgebrochen.",
                           "Das gewählte Telefonbuch ist voll! Kopieren abgebrochen."}));
    EXPECT_EQ(u.Dialoge.Meldungen[1].symbol, Dialoge::Symbol::Kritisch);

    // A single-row copy finds no free index.
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Fuellen("FD", 10); });
    f->copytofix->trigger();
    EXPECT_EQ(Schreibbefehle(), 1);
    EXPECT_EQ(u.Dialoge.Texte().last(), "Das gewählte Telefonbuch ist voll! Kopieren abgebrochen.");
    EXPECT_TRUE(f->Buchknopf(3)->isChecked());
    EXPECT_EQ(Liste(3).size(), 10);
}

TEST_F(KopierenSim, PartlyReadBookTakesNothingUntilItIsReadWhole)
{
    LeseLeerlaufGrenze = 300;
    Setzen("SM", {{1, {"1", 129, "A"}}, {2, {"2", 129, "B"}}, {3, {"3", 129, "C"}}});
    u.Handy->Antwort_Setzen("AT+CPBR=1,", "\r\n+CPBR: 1,\"1\",129,\"A\"\r\n+CPBR: 2,\"2\",129,\"B\"\r\n", 2);
    f->Buchknopf(1)->trigger();
    ASSERT_FALSE(TBuchVollstaendig[1]);
    Lokal_Waehlen({2});
    u.Dialoge.Meldungen.clear();
    f->copytoSIM->trigger();  // read again, in part again: the read tells it, the copy adds nothing
    EXPECT_EQ(Schreibbefehle(), 0);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das Telefonbuch wurde nicht vollständig gelesen!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);

    f->copytoSIM->trigger();  // whole now
    EXPECT_EQ(Telefon("SM"), QStringList({"1|1|A", "2|2|B", "3|3|C", "4|0302|Bob"}));
    EXPECT_EQ(Liste(1), Telefon("SM"));
}

TEST_F(KopierenSim, ANameTooLongForTheBookIsCutToItsLength)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Buch("SM")->TextLaenge = 14; });
    f->Lokal_Anfuegen("LOKAL", 7, "Abcdefghijklmnopqrstuvwxyz", "0305", "");
    f->Lokal_Anfuegen("LOKAL", 7, "Abcdefghijklmnopqrstuvwxyz", "0306", "!");
    Lokal_Waehlen({5, 6});
    f->copytoSIM->trigger();
    Ueberall(1, "SM", {"1|0305|Abcdefghijklmn", "2|0306|Abcdefghijklm!"});
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(KopierenSim, AFullCacheIsNoFullBook)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) {
        buecher->Buch("ME")->Gesamt = 300;
        buecher->Fuellen("ME", TBuchPlaetze);
    });
    Lokal_Waehlen({2});
    f->copytotelefon->trigger();
    EXPECT_TRUE(Telefon("ME").contains("251|0302|Bob"));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

// The phone stores Carl at index 5, but its answer is lost: what index 5 holds is unknown.
TEST_F(KopierenSim, AnIndexWhoseWriteTimedOutIsNotWrittenAgainUnasked)
{
    Setzen("SM", {{1, {"0101", 129, "Eins"}}, {2, {"0102", 129, "Zwei"}}});
    u.Handy->Antwort_Verlieren_Bei("AT+CPBW=5,", 1);
    Lokal_Waehlen({1, 2, 3, 4});
    f->copytoSIM->trigger();

    const auto befehle = u.Handy->Befehle();
    EXPECT_EQ(std::count_if(befehle.begin(), befehle.end(),
                            [](const std::string& b) { return b.rfind("AT+CPBW=5,", 0) == 0; }),
              1);
    EXPECT_TRUE(Telefon("SM").contains("5|0303|Carl"));
    // Asked for, it is named as unconfirmed.
    u.Dialoge.Meldungen.clear();
    EXPECT_FALSE(Schreiben_Erlaubt("5", 1));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Der Index 5 ist vielleicht bereits vergeben: das Handy hat das letzte "
                                             "Schreiben dorthin nicht bestätigt!\r\nMöchten Sie einen vorhandenen "
                                             "Eintrag wirklich überschreiben?"});
}

// The first row's write times out: the copy ends there, told once, without probing for the rest.
TEST_F(KopierenSim, FourRowsToASilentPhoneAreOneTimeOutAndOneMessage)
{
    Setzen("SM", {{1, {"0101", 129, "Eins"}}});
    f->Buchknopf(1)->trigger();
    u.Handy->Stumm_Setzen(true);
    u.Handy->Empfangen_Loeschen();
    Lokal_Waehlen({1, 2, 3, 4});
    QElapsedTimer uhr;
    uhr.start();
    f->copytoSIM->trigger();

    EXPECT_LT(uhr.elapsed(), 2000);  // one probe alone takes longer
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u) << u.Dialoge.Texte().join("|").toStdString();
    EXPECT_EQ(Empfangen().toStdString(), "AT+CPBS=SM\r\n");
}

TEST_F(KopierenSim, NamesThePhoneWouldGiveBackChangedAreLeftOutAndNamedOnce)
{
    f->Lokal_Anfuegen("LOKAL", 7, QStringLiteral("Preis 5€ netto"), "0305", "");
    f->Lokal_Anfuegen("LOKAL", 7, QStringLiteral("[Büro]"), "0306", "");
    f->Lokal_Anfuegen("LOKAL", 7, "Kai & Co_", "0307", "");
    Lokal_Waehlen({1, 5, 6, 7});
    f->copytoSIM->trigger();
    Ueberall(1, "SM", {"1|0301|Anna!", "2|0307|Kai & Co_"});
    EXPECT_EQ(u.Dialoge.Texte(),
              QStringList{QStringLiteral("Ungültiges Zeichen im Namen! Bitte ändern.\r\nPreis 5€ netto\r\n[Büro]")});
}

// A phone that answers the read of an empty index with ERROR, or with the entry of another index.
TEST_F(KopierenSim, AnIndexTheReadDoesNotSettleEndsTheCopyWithOneMessage)
{
    Setzen("SM", {{1, {"0101", 129, "Eins"}}});
    f->Buchknopf(1)->trigger();
    for (const auto leer : {sim::SimTelefonbuch::Leer::Fehler, sim::SimTelefonbuch::Leer::AndererEintrag}) {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->LeerIndex = leer; });
        u.Dialoge.Meldungen.clear();
        Lokal_Waehlen({1, 2, 3});
        f->copytoSIM->trigger();
        EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Ob der Platz 2 frei ist, konnte nicht gelesen werden. Es wurde "
                                                 "nichts geschrieben."});
        EXPECT_EQ(anzeige.Status.last(), "Abgebrochen.");
    }
    EXPECT_EQ(Schreibbefehle(), 0);
    EXPECT_FALSE(Empfangen().contains("AT+CPIN?"));
    Ueberall(1, "SM", {"1|0101|Eins"});
}

// After the read, the handset fills the last free index of a SIM of four.
TEST_F(KopierenSim, TheFillLabelCountsAnEntryLearnedFromTheHandset)
{
    Setzen("SM", {{1, {"0101", 129, "Eins"}}, {2, {"0102", 129, "Zwei"}}, {3, {"0103", 129, "Drei"}}}, 4);
    f->Buchknopf(1)->trigger();
    ASSERT_EQ(f->Label1[0]->text(), "(1 von 4 frei)");
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Am_Handy_Speichern("SM", 4, "0104", "Vier"); });
    Lokal_Waehlen({2});
    f->copytoSIM->trigger();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das gewählte Telefonbuch ist voll! Kopieren abgebrochen."});
    EXPECT_EQ(f->Label1[0]->text(), "(0 von 4 frei)");
}

TEST_F(KopierenSim, DropOnThePhoneListAsksForTheTargetWhenTheButtonsDoNotSettleIt)
{
    f->Buchknopf(1)->trigger();
    f->Buchknopf(2)->trigger();
    Lokal_Waehlen({1, 2});

    Im_Ziel(1);  // TELEFON: the current row only
    ASSERT_TRUE(Maus_Ziehen(f, f->TBuch2, f->TBuch1));
    EXPECT_EQ(zielTitel, "Ziel auswählen");
    EXPECT_EQ(ZielAuswahl, " 1");
    Ueberall(2, "ME", {"1|0302|Bob"});
    EXPECT_TRUE(f->Neulesenknopf(2)->isEnabled());

    // Closed by the close box or cancelled: the last answer is not taken again.
    Im_Ziel(-2);
    Maus_Ziehen(f, f->TBuch2, f->TBuch1);
    Im_Ziel(-1);
    Maus_Ziehen(f, f->TBuch2, f->TBuch1);
    EXPECT_EQ(zielGezeigt, 3);
    EXPECT_EQ(ZielAuswahl, "");
    EXPECT_EQ(Schreibbefehle(), 1);

    // SIM alone among the four (LAST does not count): no question, every selected row.
    f->Buchknopf(2)->trigger();
    f->Buchknopf(5)->trigger();
    Im_Ziel(-1);
    Maus_Ziehen(f, f->TBuch2, f->TBuch1);
    QCoreApplication::processEvents();
    EXPECT_EQ(zielGezeigt, 3);
    Ueberall(1, "SM", {"1|0301|Anna!", "2|0302|Bob"});
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST(Form21Test, FourWritableBooksAndCancel)
{
    Form21 d;
    QStringList ziele;
    for (const QPushButton* k : d.Command1)
        ziele << k->text();
    EXPECT_EQ(ziele, QStringList({"&SIM-Karte", "&Telefon", "Feste Nummern", "&Eigene Nummern"}));
    EXPECT_EQ(d.Command2->text(), "&Abbrechen");
    EXPECT_EQ(d.Command1[0]->height(), 2 * d.Command2->height());
}

}  // namespace
