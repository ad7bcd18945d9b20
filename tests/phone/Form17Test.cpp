// The networks window against the simulated phone: the known and preferred networks, adding
// and removing preferred ones, the scan, and the sorts.
#include "PhoneUmgebung.h"

#include "phone/Form17.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

using namespace phone_test;

namespace {

class Form17Test : public HandyTest {
protected:
    Form17Test()
    {
        Zustand([](sim::SimEinstellungen& e) {
            e.Betreiberliste = {{"26201", "Netz A"}, {"26202", "Netz B"}, {"23415", "Netz C"}};
            e.Bevorzugt = {"26202", "21201", "", ""};
        });
        f = Form17::Instanz();
        Vergessen();
    }
    ~Form17Test() override { Entladen<Form17>(); }

    static QStringList Zeilen(const QTableWidget* g)
    {
        QStringList z;
        for (int r = 0; r < g->rowCount(); ++r) {
            QStringList zellen;
            for (int s = 0; s < g->columnCount(); ++s)
                zellen << (g->item(r, s) ? g->item(r, s)->text() : QStringLiteral("<null>"));
            z << zellen.join('|');
        }
        return z;
    }
    QStringList Reichweite() const
    {
        QStringList z;
        for (int i = 0; i < f->L1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* it = f->L1->topLevelItem(i);
            int bild = 0;
            for (int b = 1; b < f->ImageList1.size(); ++b)
                if (it->icon(0).cacheKey() == f->ImageList1.at(b).cacheKey())
                    bild = b;
            z << QStringLiteral("%1|%2|%3|%4").arg(it->text(0), it->text(1), it->text(2)).arg(bild);
        }
        return z;
    }
    void Waehlen(QTableWidget* g, int zeile) { g->selectRow(zeile); }
    void Knopf(const char* schluessel)
    {
        for (QAction* a : f->Toolbar8->actions())
            if (a->objectName() == QLatin1String(schluessel))
                a->trigger();
    }

    Form17* f = nullptr;
};

TEST_F(Form17Test, LayoutAsLoaded)
{
    EXPECT_EQ(f->SSTab1->count(), 2);
    EXPECT_EQ(f->SSTab1->tabText(0), "&Alle Netze");
    EXPECT_EQ(f->SSTab1->tabText(1), "In &Reichweite");
    EXPECT_EQ(f->MSFlexGrid6->columnCount(), 3);
    EXPECT_EQ(f->MSFlexGrid7->horizontalHeaderItem(0)->text(), "Index");
    EXPECT_EQ(f->MSFlexGrid7->columnWidth(2), 1785 / 15);
    EXPECT_GE(f->MSFlexGrid7->columnWidth(1), 800 / 15);  // wider where the heading needs it
    EXPECT_EQ(f->Toolbar1[0]->actions().at(0)->text(), "Einlesen ");
    EXPECT_EQ(f->Label17->text(), "Dem Telefon bekannte Netze:");
    EXPECT_TRUE(Befehle().empty());  // nothing is read until asked
}

TEST_F(Form17Test, KnownThenPreferredNetworks)
{
    f->Toolbar1[0]->actions().at(0)->trigger();
    EXPECT_EQ(Empfangen(), "AT^SPLM\r\nAT^SPLR=?\r\nAT^SPLR=1,4\r\n");
    EXPECT_EQ(Zeilen(f->MSFlexGrid6), QStringList({"26201|Netz A|Deutschland", "26202|Netz B|Deutschland",
                                                    "23415|Netz C|Grossbritanien"}));
    EXPECT_EQ(Zeilen(f->MSFlexGrid7),
              QStringList({"1|26202|Netz B|Deutschland", "2|21201||", "3|EMPTY||", "4|EMPTY||"}));
    EXPECT_EQ(f->Label17->text(), "Dem Telefon bekannte Netze (3):");
    EXPECT_EQ(Status(), "Fertig.");
    EXPECT_EQ(f->Betreiber.value(QStringLiteral("23415")), "Netz C");
}

TEST_F(Form17Test, PreferredAloneCountsNoKnownNetworks)
{
    f->LIESBEVORZUGTENETZE();
    EXPECT_EQ(Zeilen(f->MSFlexGrid7).at(0), "1|26202||Deutschland");  // no name before the operator list
    EXPECT_EQ(f->Label17->text(), "Dem Telefon bekannte Netze (0):");
}

TEST_F(Form17Test, EmptyOperatorListReadsNoPreferred)
{
    u.Handy->Antwort_Setzen("AT^SPLM", sim::Ok(), 1);
    f->LIESNETZE();
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT^SPLM"}));
    EXPECT_EQ(f->MSFlexGrid6->rowCount(), 0);
    EXPECT_EQ(f->Label17->text(), "Dem Telefon bekannte Netze:");
    EXPECT_EQ(Status(), "Lese bekannte Netze ein...");
}

TEST_F(Form17Test, SixDigitCodesAndUnknownCountries)
{
    Zustand([](sim::SimEinstellungen& e) {
        e.Betreiberliste = {{"310260", "Netz U"}, {"21201", "Netz M"}};
        e.Bevorzugt = {"310260"};
    });
    f->LIESNETZE();
    EXPECT_EQ(Zeilen(f->MSFlexGrid6), QStringList({"310260|Netz U|", "21201|Netz M|"}));
    EXPECT_EQ(Zeilen(f->MSFlexGrid7), QStringList({"1|310260|Netz U|"}));
}

TEST_F(Form17Test, AddingIntoAnEmptySlotAsksNothing)
{
    f->LIESNETZE();
    Vergessen();
    Waehlen(f->MSFlexGrid6, 0);
    Waehlen(f->MSFlexGrid7, 2);
    Knopf("dazu");
    EXPECT_EQ(Empfangen(), "AT^SPLW=3,26201\r\nAT^SPLR=?\r\nAT^SPLR=1,4\r\n");
    EXPECT_EQ(Zeilen(f->MSFlexGrid7).at(2), "3|26201|Netz A|Deutschland");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form17Test, ALostWriteReadsThePreferredNetworksAgain)
{
    f->LIESNETZE();
    Vergessen();
    Module1::TimeoutFaktor = 300;
    u.Handy->Antwort_Verlieren_Bei("AT^SPLW=", 1);
    Waehlen(f->MSFlexGrid6, 0);
    Waehlen(f->MSFlexGrid7, 2);
    Knopf("dazu");
    EXPECT_EQ(Anzahl("AT^SPLR=1,4"), 1);
    EXPECT_EQ(Zeilen(f->MSFlexGrid7).at(2), "3|26201|Netz A|Deutschland");
}

TEST_F(Form17Test, AFailedReadOfTheKnownNetworksLeavesNoCountBehind)
{
    f->LIESNETZE();
    u.Handy->Antwort_Setzen("AT^SPLM", sim::Error(), 1);
    f->LIESNETZE();
    EXPECT_EQ(f->MSFlexGrid6->rowCount(), 0);
    EXPECT_EQ(f->Label17->text(), "Dem Telefon bekannte Netze:");
}

TEST_F(Form17Test, OverwritingAsks)
{
    f->LIESNETZE();
    Vergessen();
    Waehlen(f->MSFlexGrid6, 2);
    Waehlen(f->MSFlexGrid7, 0);
    f->netzdazu();  // No is the default
    ASSERT_EQ(u.Dialoge.Texte(), QStringList{"Soll der Eintrag 'Netz B' wirklich überschrieben werden?"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(u.Dialoge.Meldungen[0].tasten, Dialoge::Tasten::JaNein);
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);
    EXPECT_TRUE(Befehle().empty());

    u.Dialoge.Antworten.push_back(Dialoge::Antwort::Ja);
    f->netzdazu();
    EXPECT_EQ(Befehle().front(), "AT^SPLW=1,23415");
    EXPECT_EQ(Zeilen(f->MSFlexGrid7).at(0), "1|23415|Netz C|Grossbritanien");
}

TEST_F(Form17Test, MissingSelectionsAreReported)
{
    f->LIESNETZE();
    Vergessen();
    f->netzdazu();
    Waehlen(f->MSFlexGrid6, 0);
    f->netzdazu();
    f->netzweg();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList({"Kein Netz ausgewählt, was kopiert werden soll!",
                                              "Keinen Platz ausgewählt, in den kopiert werden soll!",
                                              "Kein bevorzugtes Netz ausgewählt, was gelöscht werden soll!"}));
    EXPECT_TRUE(Befehle().empty());
}

TEST_F(Form17Test, RemovingAsksNothing)
{
    f->LIESNETZE();
    Vergessen();
    Waehlen(f->MSFlexGrid7, 1);
    Knopf("raus");
    EXPECT_EQ(Befehle().front(), "AT^SPLW=2");
    EXPECT_EQ(Zeilen(f->MSFlexGrid7).at(1), "2|EMPTY||");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());

    // A refused write reads the list again, which shows the slot as the phone still holds it.
    Vergessen();
    Waehlen(f->MSFlexGrid7, 0);
    u.Handy->Antwort_Setzen("AT^SPLW", sim::CmeError(3), 1);
    f->netzweg();
    EXPECT_EQ(Zeilen(f->MSFlexGrid7).at(0), "1|26202|Netz B|Deutschland");
    EXPECT_EQ(Anzahl("AT^SPLR=?"), 1);
}

TEST_F(Form17Test, NetworksInRange)
{
    f->Toolbar1[1]->actions().at(0)->trigger();
    EXPECT_EQ(Empfangen(), "AT+COPS=?\r\n");
    EXPECT_EQ(Reichweite(), QStringList({"eingebucht|Netz A|Deutschland|1", "verfügbar|Netz B|Deutschland|2",
                                         "verboten|Netz D|Deutschland|3"}));
    EXPECT_EQ(Status(), "Fertig.");

    u.Handy->Antwort_Setzen("AT+COPS=?",
                            "\r\n+COPS: (0,\"Netz Q\",,21201),(3,\"Netz X\",,23205),,(0-4),(0,2)\r\n\r\nOK\r\n", 1);
    f->REICHWEITE();
    EXPECT_EQ(Reichweite(), QStringList({"unbekannt|Netz Q||0", "verboten|Netz X|Österreich|3"}));
}

TEST_F(Form17Test, RangeListStaysSortedAscending)
{
    f->REICHWEITE();
    f->L1_ColumnClick(1);
    f->L1_ColumnClick(1);  // always ascending
    EXPECT_EQ(f->L1->topLevelItem(0)->text(1), "Netz A");
    f->L1->header()->sectionClicked(0);
    EXPECT_EQ(f->L1->topLevelItem(0)->text(0), "eingebucht");
    Zustand([](sim::SimEinstellungen& e) { e.InReichweite.push_back({0, "Netz 0", "N0", "26209"}); });
    f->REICHWEITE();
    EXPECT_EQ(f->L1->topLevelItem(1)->text(0), "unbekannt");
    EXPECT_EQ(f->L1->topLevelItem(3)->text(0), "verfügbar");
}

TEST_F(Form17Test, HeaderClicksAlternateTheDirection)
{
    Zustand([](sim::SimEinstellungen& e) { e.Betreiberliste = {{"26201", "alpha"}, {"26202", "Zeta"}}; });
    f->LIESNETZE();
    f->MSFlexGrid6->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(Zeilen(f->MSFlexGrid6), QStringList({"26202|Zeta|Deutschland", "26201|alpha|Deutschland"}));
    EXPECT_EQ(f->MSFlexGrid6->property("Tag").toString(), "j");
    f->MSFlexGrid6->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(Zeilen(f->MSFlexGrid6), QStringList({"26201|alpha|Deutschland", "26202|Zeta|Deutschland"}));
    f->MSFlexGrid6->horizontalHeader()->sectionClicked(0);  // one direction per grid
    EXPECT_EQ(Zeilen(f->MSFlexGrid6).at(0), "26201|alpha|Deutschland");

    f->MSFlexGrid7_Click(0);
    EXPECT_EQ(Zeilen(f->MSFlexGrid7).at(0), "1|26202|Zeta|Deutschland");
    f->MSFlexGrid7_Click(0);
    EXPECT_EQ(Zeilen(f->MSFlexGrid7).at(0), "4|EMPTY||");
}

}  // namespace
