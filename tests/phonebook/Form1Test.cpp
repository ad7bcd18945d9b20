// The phone-book window: controls and initial state, the layout on resize, the placement in the
// settings, and the book buttons with the phone list and fill level they drive.
#include "common/Einstellungen.h"
#include "common/Platzierung.h"
#include "link/Handytyp.h"
#include "phonebook/Form1.h"
#include "phonebook/TBuchHilfen.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

void Platz_Loeschen()
{
    for (const char* k : {"TelefonbuchWS", "TelefonbuchX", "TelefonbuchY", "TelefonbuchW", "TelefonbuchH"})
        Einstellungen::Loeschen(QStringLiteral("Windows"), QString::fromLatin1(k));
}

QStringList Schluessel(const QToolBar* leiste)
{
    QStringList s;
    for (const QAction* a : leiste->actions())
        s << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return s;
}

QStringList Spalten(const QTreeWidget* liste)
{
    QStringList s;
    for (int i = 0; i < liste->columnCount(); ++i)
        s << liste->headerItem()->text(i);
    return s;
}

QStringList Texte(const QTreeWidget* liste, int spalte)
{
    QStringList s;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        s << liste->topLevelItem(i)->text(spalte);
    return s;
}

class Form1Test : public ::testing::Test {
protected:
    Form1Test()
    {
        Buecher_Zuruecksetzen();
        Platz_Loeschen();
        Link().Anzeige = &anzeige;
        Handytyp = QStringLiteral("25");
        f = Form1::Instanz();
    }
    ~Form1Test() override
    {
        if (Form1::Geladen())
            delete Form1::Instanz();
        Platz_Loeschen();
        Buecher_Zuruecksetzen();
    }

    void SIM_Skripten(int belegt, const QStringList& zeilen)
    {
        Lesen_Skripten(u.Port, "SM", belegt, 250, {Transfer(250, zeilen)});
    }

    LinkUmgebung u;
    LeseAnzeige anzeige;
    Form1* f = nullptr;
};

const QStringList DreiEintraege = {"+CPBR: 1,\"+49171\",145,\"Anna!\"", "+CPBR: 2,\"030123\",129,\"Bernd\"",
                                   "+CPBR: 5,\"0555\",129,\"Carla\""};

TEST_F(Form1Test, ControlsAndInitialState)
{
    EXPECT_EQ(f->findChild<QTreeWidget*>("TBuch1"), f->TBuch1);
    EXPECT_EQ(f->findChild<QLabel*>("Label1_3"), f->Label1[3]);
    EXPECT_EQ(Spalten(f->TBuch1), QStringList({"Ort", "Index", "Name", "Rufnummer", "Rot"}));
    EXPECT_EQ(Spalten(f->TBuch2), QStringList({"Ort", "Name", "Rufnummer", "Rot"}));
    EXPECT_EQ(Schluessel(f->Toolbar2), QStringList({"SIM", "TELEFON", "FIX", "OWN", "LAST", "MISSED"}));
    for (int buch = 1; buch <= 6; ++buch) {
        EXPECT_TRUE(f->Buchknopf(buch)->isCheckable());
        EXPECT_FALSE(f->Buchknopf(buch)->isChecked());
        EXPECT_FALSE(f->Neulesenknopf(buch)->isEnabled());
    }
    EXPECT_TRUE(f->Lokalknopf()->isChecked());
    EXPECT_EQ(Schluessel(f->Toolbar1), QStringList({"refresh", "save", "-", "new", "edit", "kill", "-", "search",
                                                    "search2", "-", "call", "callstop", "-", "sms"}));
    EXPECT_EQ(Schluessel(f->Toolbar4), QStringList({"load", "save", "-", "new", "edit", "kill", "-", "search",
                                                    "search1", "-", "call", "callstop", "-", "sms"}));
    QStringList menue;
    for (const QAction* a : f->popup1->actions())
        menue << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    EXPECT_EQ(menue, QStringList({"Bearbeiten", "loeschen", "-", "smssenden", "-", "Anrufen", "Anrufstopp", "-",
                                  "nachlokal"}));
    EXPECT_TRUE(u.Port.Gesendet.isEmpty());  // the model was known
}

TEST_F(Form1Test, MarkerColumnIsTheVipBookOnTheS35)
{
    delete Form1::Instanz();
    Handytyp.clear();
    u.Port.Bei("AT+CGMM", {"AT+CGMM\r\r\nS35\r\n\r\nOK\r\n"});
    f = Form1::Instanz();
    EXPECT_EQ(u.Port.Gesendet, "AT+CGMM\r\n");
    EXPECT_EQ(f->TBuch1->headerItem()->text(4), "VIP");
    EXPECT_EQ(f->TBuch2->headerItem()->text(3), "VIP");
}

TEST(Form1Layout, SplitViewAtTheMinimumSize)
{
    const Form1Layout::Masse m = Form1Layout::Berechnen(8200, 6500, false, true);
    EXPECT_EQ(m.TBuch1Hoehe, 2750);
    EXPECT_EQ(m.TBuch2Hoehe, 2230);
    EXPECT_EQ(m.Frame3Oben, 3245);
    EXPECT_EQ(m.Label2_0Oben, 3365);
    EXPECT_EQ(m.TBuch2Oben, 3740);
    EXPECT_EQ(m.TBuch1Breite, 5220);
    EXPECT_EQ(std::vector<double>(m.Spalten1, m.Spalten1 + 5), std::vector<double>({400, 585, 1737.5, 1737.5, 450}));
    EXPECT_EQ(std::vector<double>(m.Spalten2, m.Spalten2 + 4), std::vector<double>({400, 2025, 2025, 450}));
}

TEST(Form1Layout, SingleViewAndTheMinimum)
{
    Form1Layout::Masse m = Form1Layout::Berechnen(8200, 6500, false, false);
    EXPECT_EQ(m.TBuch1Hoehe, 5500);
    m = Form1Layout::Berechnen(5000, 4000, false, true);
    EXPECT_EQ(m.Breite, 8200);
    EXPECT_EQ(m.Hoehe, 6500);
    // Maximised, a small frame is taken as it is; halves are not rounded.
    m = Form1Layout::Berechnen(6000, 5001, true, true);
    EXPECT_EQ(m.Breite, 6000);
    EXPECT_EQ(m.TBuch1Hoehe, 2000.5);
}

TEST_F(Form1Test, LocalPaneButtonHidesAndShowsTheLocalList)
{
    f->show();
    const int hoehe = f->height();
    f->Lokalknopf()->trigger();
    EXPECT_TRUE(f->TBuch2->isHidden());
    EXPECT_TRUE(f->Frame3->isHidden());
    EXPECT_FALSE(f->Label2[0]->isHidden());
    EXPECT_EQ(f->TBuch1->height(), qRound((Platzierung::Twips(hoehe) - 1000) / 15.0));

    f->Lokalknopf()->trigger();
    EXPECT_FALSE(f->TBuch2->isHidden());
    EXPECT_FALSE(f->Frame3->isHidden());
    const double halb = (Platzierung::Twips(hoehe) - 1000) / 2.0;
    EXPECT_EQ(f->TBuch1->height(), qRound(halb / 15));
    EXPECT_EQ(f->TBuch2->y(), qRound((halb + 990) / 15));
}

TEST_F(Form1Test, OpensAtTheDefaultPlacementAndKeepsTheMinimum)
{
    f->show();
    EXPECT_EQ(f->size(), QSize(547, 434));  // 8200 x 6500 twips, to the next whole pixel
    f->resize(300, 200);
    EXPECT_EQ(f->size(), QSize(547, 434));
    f->resize(900, 700);
    EXPECT_EQ(f->TBuch1->width(), qRound((Platzierung::Twips(900) - 2980) / 15.0));
    // "Index" (585 twips) is widened to its heading and the sort arrow; name and number give
    // that up, so the columns still fit the list.
    EXPECT_GT(f->TBuch1->header()->sectionSize(1), 39);
    EXPECT_LE(f->TBuch1->header()->length(), f->TBuch1->viewport()->width());
}

TEST_F(Form1Test, StoredSizeBelowTheMinimumIsRaised)
{
    delete Form1::Instanz();
    Einstellungen::Speichern("Windows", "TelefonbuchW", "5000");
    Einstellungen::Speichern("Windows", "TelefonbuchH", "9000");
    f = Form1::Instanz();
    f->show();
    EXPECT_EQ(f->size(), QSize(547, 600));
}

TEST_F(Form1Test, ClosingSavesThePlacementButOnlyTheStateWhenMaximised)
{
    Einstellungen::Speichern("Windows", "TelefonbuchW", "9000");
    f->show();
    f->showMaximized();
    f->close();
    EXPECT_EQ(Einstellungen::Lesen("Windows", "TelefonbuchWS"), "2");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "TelefonbuchW"), "9000");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "TelefonbuchX"), "");

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Form1::Geladen());  // closing unloads it

    f = Form1::Instanz();
    f->show();
    EXPECT_TRUE(f->isMaximized());
    f->showNormal();
    f->resize(620, 450);
    f->close();
    EXPECT_EQ(Einstellungen::Lesen("Windows", "TelefonbuchWS"), "0");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "TelefonbuchW"), "9300");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "TelefonbuchH"), "6750");
}

TEST_F(Form1Test, BookButtonReadsOnceThenShowsTheCache)
{
    SIM_Skripten(3, DreiEintraege);
    f->Buchknopf(1)->trigger();
    EXPECT_EQ(u.Port.Gesendet, "at+cpbs=\"SM\"\r\nAT+CPBS?\r\nAT+CPBR=?\r\nAT+CPBR=1,250\r\n");
    EXPECT_EQ(Texte(f->TBuch1, 2), QStringList({"Anna", "Bernd", "Carla"}));
    EXPECT_EQ(Texte(f->TBuch1, 0), QStringList({"SIM", "SIM", "SIM"}));
    EXPECT_EQ(Form1::Symbolnummer(f->TBuch1->topLevelItem(0)), 1);
    EXPECT_TRUE(f->Neulesenknopf(1)->isEnabled());
    EXPECT_EQ(f->Label1[0]->text(), "(247 von 250 frei)");
    EXPECT_TRUE(f->Shape1[0]->autoFillBackground());
    EXPECT_FALSE(f->Shape1[1]->autoFillBackground());

    u.Port.Gesendet.clear();
    f->Buchknopf(1)->trigger();  // released
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 0);
    EXPECT_FALSE(f->Neulesenknopf(1)->isEnabled());
    f->Buchknopf(1)->trigger();  // pressed again: from the cache
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 3);
    EXPECT_TRUE(u.Port.Gesendet.isEmpty());
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");
}

TEST_F(Form1Test, TabReachesTheBookButtonAndSpaceReadsTheBook)
{
    SIM_Skripten(3, DreiEintraege);
    f->show();
    QApplication::setActiveWindow(f);
    f->TBuch1->setFocus();
    QCoreApplication::processEvents();
    if (!f->TBuch1->hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    const auto taste = [](int k) {
        for (const QEvent::Type art : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(art, k, Qt::NoModifier, k == Qt::Key_Space ? QStringLiteral(" ") : QString());
            QCoreApplication::sendEvent(QApplication::focusWidget(), &e);
        }
    };
    QWidget* sim = f->Toolbar2->widgetForAction(f->Buchknopf(1));
    for (int i = 0; i < 40 && QApplication::focusWidget() != sim; ++i)
        taste(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), sim);
    EXPECT_EQ(sim->accessibleName(), "Einträge der SIM anzeigen");
    taste(Qt::Key_Space);
    EXPECT_EQ(Texte(f->TBuch1, 2), QStringList({"Anna", "Bernd", "Carla"}));
    taste(Qt::Key_Return);  // released again
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 0);
}

TEST_F(Form1Test, MarkedRowsRedAndBoldByTheOptions)
{
    TBRot = TBFett = true;
    SIM_Skripten(3, DreiEintraege);
    f->Buchknopf(1)->trigger();
    const QTreeWidgetItem* anna = f->TBuch1->topLevelItem(0);
    const QTreeWidgetItem* bernd = f->TBuch1->topLevelItem(1);
    for (int spalte = 1; spalte <= 4; ++spalte) {
        EXPECT_EQ(anna->foreground(spalte).color(), QColor(255, 0, 0)) << spalte;
        EXPECT_TRUE(anna->font(spalte).bold()) << spalte;
        EXPECT_FALSE(bernd->font(spalte).bold()) << spalte;
    }
    EXPECT_NE(anna->foreground(0).color(), QColor(255, 0, 0));
    TBFett = false;
    Liste_Laden();
    EXPECT_FALSE(f->TBuch1->topLevelItem(0)->font(2).bold());
}

TEST_F(Form1Test, RefillKeepsTheSortColumnAndDirection)
{
    SIM_Skripten(3, DreiEintraege);
    f->Buchknopf(1)->trigger();
    f->SortSpalte = 2;
    f->SortRichtung = Qt::DescendingOrder;
    Liste_Laden();
    EXPECT_EQ(Texte(f->TBuch1, 2), QStringList({"Carla", "Bernd", "Anna"}));

    // A book read into the sorted list goes to its place.
    Lesen_Skripten(u.Port, "ME", 2, 100,
                   {Transfer(100, {"+CPBR: 1,\"1\",129,\"Berta\"", "+CPBR: 2,\"2\",129,\"zora\""})});
    f->Buchknopf(2)->trigger();
    EXPECT_EQ(Texte(f->TBuch1, 2), QStringList({"zora", "Carla", "Berta", "Bernd", "Anna"}));
    Liste_Laden();
    EXPECT_EQ(Texte(f->TBuch1, 2), QStringList({"zora", "Carla", "Berta", "Bernd", "Anna"}));
}

TEST_F(Form1Test, ReloadShowsWhatThePhoneHoldsNow)
{
    SIM_Skripten(3, DreiEintraege);
    f->Buchknopf(1)->trigger();
    SIM_Skripten(2, {DreiEintraege[0], DreiEintraege[2]});
    f->Neulesenknopf(1)->trigger();
    EXPECT_EQ(Texte(f->TBuch1, 2), QStringList({"Anna", "Carla"}));
    EXPECT_TRUE(f->Buchknopf(1)->isChecked());
    EXPECT_EQ(TBuchDaten[1][3][1], "");
    EXPECT_EQ(f->Label1[0]->text(), "(248 von 250 frei)");
}

TEST_F(Form1Test, RefreshReadsEveryPressedBookInOrder)
{
    SIM_Skripten(3, DreiEintraege);
    f->Buchknopf(1)->trigger();
    Lesen_Skripten(u.Port, "ME", 1, 100, {Transfer(100, {"+CPBR: 1,\"1\",129,\"Berta\""})});
    f->Buchknopf(2)->trigger();
    u.Port.Gesendet.clear();
    SIM_Skripten(3, DreiEintraege);
    Lesen_Skripten(u.Port, "ME", 1, 100, {Transfer(100, {"+CPBR: 1,\"1\",129,\"Berta\""})});
    Form1::Knopf(f->Toolbar1, "refresh")->trigger();
    EXPECT_EQ(u.Port.Gesendet, "at+cpbs=\"SM\"\r\nAT+CPBS?\r\nAT+CPBR=?\r\nAT+CPBR=1,250\r\n"
                               "at+cpbs=\"ME\"\r\nAT+CPBS?\r\nAT+CPBR=?\r\nAT+CPBR=1,100\r\n");
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 4);
}

}  // namespace
