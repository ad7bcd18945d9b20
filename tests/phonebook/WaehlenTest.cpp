// Dialling and hanging up from both lists: the exact bytes, the status, the refused numbers,
// and the simulated phone taking the call.
#include "link/Handytyp.h"
#include "phonebook/Form1.h"
#include "phonebook/TBuchHilfen.h"
#include "phonebook/Waehlen.h"
#include "sim/SimHandy.h"
#include "sim/SimTelefonbuch.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

const QString NurZiffern = QStringLiteral("Für die Rufnummer bitte nur 0-9, '*', '#' und '+' verwenden! Bitte ändern.");

class Waehlen_ : public ::testing::Test {
protected:
    Waehlen_()
    {
        Buecher_Zuruecksetzen();
        Handytyp = QStringLiteral("25");
        f = Form1::Instanz();
        anzeige.Panels[2] = QStringLiteral("vorher");
        Link().Anzeige = &anzeige;
    }
    ~Waehlen_() override { delete Form1::Instanz(); }

    QTreeWidgetItem* Telefon(const QString& name, const QString& nummer)
    {
        auto* r = new QTreeWidgetItem(QStringList({"SIM", "001", name, nummer, ""}));
        f->TBuch1->addTopLevelItem(r);
        return r;
    }
    QTreeWidgetItem* Lokal(const QString& nummer) { return f->Lokal_Anfuegen("LOKAL", 7, "Bob", nummer, ""); }
    static void Waehlen(QTreeWidgetItem* r)
    {
        r->treeWidget()->setCurrentItem(r);
        r->setSelected(true);
    }

    LinkUmgebung u;
    LeseAnzeige anzeige;
    Form1* f = nullptr;
};

TEST_F(Waehlen_, ExactBytesAndStatusOfBothListsAndOfHangingUp)
{
    Telefon("Bob", "0301");
    Waehlen(Telefon("Anna", "+49171*31#"));
    Nummer_Waehlen();
    EXPECT_EQ(u.Port.Gesendet, "ATDT+49171*31#;\r\n");
    EXPECT_EQ(anzeige.Status.last(), "Wähle Nummer Anna...");

    u.Port.Gesendet.clear();
    Waehlen(Lokal("0301234"));
    Lokal_Waehlen();
    EXPECT_EQ(u.Port.Gesendet, "ATDT0301234;\r\n");
    EXPECT_EQ(anzeige.Status.last(), "Wähle Nummer 0301234...");

    u.Port.Gesendet.clear();
    anzeige.Status.clear();
    Anruf_Beenden();
    EXPECT_EQ(u.Port.Gesendet, "AT\r\n");
    EXPECT_EQ(anzeige.Status, QStringList({"Auflegen...", "Fertig."}));
    EXPECT_EQ(u.Port.Polls, 0);  // nothing is read
}

TEST_F(Waehlen_, NothingSelectedNothingWritten)
{
    Nummer_Waehlen();
    Lokal_Waehlen();
    Telefon("Anna", "0301");
    Lokal("0301");
    Nummer_Waehlen();
    Lokal_Waehlen();
    EXPECT_EQ(u.Port.Gesendet, "");
    EXPECT_EQ(anzeige.Panels[2], "vorher");
}

TEST_F(Waehlen_, LocalNumberThatCouldCarryASecondCommandIsRefused)
{
    for (const QString& nummer :
         {QStringLiteral("0171;+CPBW=1"), QStringLiteral("0171\"x"), QStringLiteral("0301\r\nAT")}) {
        f->TBuch2->clear();
        Waehlen(Lokal(nummer));
        Lokal_Waehlen();
    }
    EXPECT_EQ(u.Port.Gesendet, "");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList(3, NurZiffern));
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(anzeige.Panels[2], "vorher");
}

TEST_F(Waehlen_, PhoneNumbersKeepPausesButNotCommandEnds)
{
    Waehlen(Telefon("A", "0301P12"));
    Nummer_Waehlen();
    EXPECT_EQ(u.Port.Gesendet, "ATDT0301P12;\r\n");
    u.Port.Gesendet.clear();
    for (const QString& nummer : {QStringLiteral("0171;+CPBW=1"), QStringLiteral("0\"1"), QStringLiteral("01\r7")}) {
        f->TBuch1->clear();
        Waehlen(Telefon("A", nummer));
        Nummer_Waehlen();
    }
    EXPECT_EQ(u.Port.Gesendet, "");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList(3, NurZiffern));
}

TEST_F(Waehlen_, ToolbarsAndMenusDialAndHangUp)
{
    Waehlen(Telefon("Anna", "1"));
    Waehlen(Lokal("2"));
    Form1::Knopf(f->Toolbar1, "call")->trigger();
    Form1::Knopf(f->Toolbar4, "call")->trigger();
    f->Anrufen->trigger();
    f->callLOCAL->trigger();
    Form1::Knopf(f->Toolbar1, "callstop")->trigger();
    Form1::Knopf(f->Toolbar4, "callstop")->trigger();
    f->Anrufstopp->trigger();
    f->callstopLOCAL->trigger();
    EXPECT_EQ(u.Port.Gesendet, "ATDT1;\r\nATDT2;\r\nATDT1;\r\nATDT2;\r\nAT\r\nAT\r\nAT\r\nAT\r\n");
}

TEST(WaehlenSim, ThePhoneTakesTheCallAndHangsUp)
{
    Buecher_Zuruecksetzen();
    SimUmgebung u;
    auto buecher = sim::Telefonbuch_Anmelden(*u.Handy);
    Handytyp = QStringLiteral("35");
    Form1* f = Form1::Instanz();
    QTreeWidgetItem* r = f->Lokal_Anfuegen("LOKAL", 7, "Bob", "+4930*1#", "");
    f->TBuch2->setCurrentItem(r);
    Lokal_Waehlen();
    ASSERT_TRUE(u.Handy->Warten_Auf_Empfang("ATDT+4930*1#;\r\n", 2000));
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return buecher->Anruf; }), "+4930*1#");
    Anruf_Beenden();
    ASSERT_TRUE(u.Handy->Warten_Auf_Empfang("ATDT+4930*1#;\r\nAT\r\n", 2000));
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return buecher->Anruf; }), "");
    EXPECT_EQ(u.Handy->Empfangen(), "ATDT+4930*1#;\r\nAT\r\n");
    delete f;
}

TEST(WaehlenSim, LocalNumbersAsWrittenAreDialledAsShown)
{
    Buecher_Zuruecksetzen();
    SimUmgebung u;
    auto buecher = sim::Telefonbuch_Anmelden(*u.Handy);
    Handytyp = QStringLiteral("35");
    Form1* f = Form1::Instanz();
    for (const char* nummer : {"0301 234", "030/1234-56"}) {
        f->TBuch2->clear();
        f->TBuch2->setCurrentItem(f->Lokal_Anfuegen("LOKAL", 7, "Bob", nummer, ""));
        Lokal_Waehlen();
    }
    ASSERT_TRUE(u.Handy->Warten_Auf_Empfang("ATDT030/1234-56;\r\n", 2000));
    EXPECT_EQ(u.Handy->Empfangen(), "ATDT0301 234;\r\nATDT030/1234-56;\r\n");
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return buecher->Gewaehlt; }),
              (std::vector<std::string>{"0301234", "030123456"}));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    delete f;
}

}  // namespace
