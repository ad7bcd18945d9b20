// The mouse on the two lists of the phone-book window: header clicks sort, double clicks edit,
// the right button shows the context menu, and rows are copied and dragged into the local list.
#include "phonebook/EintraegeAttrappen.h"
#include "phonebook/Form1.h"
#include "phonebook/Form11.h"
#include "phonebook/Listensortierung.h"
#include "phonebook/MausHilfen.h"
#include "phonebook/TBuchHilfen.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

TEST(Sortierspalten, HeaderTexts)
{
    EXPECT_EQ(Sortierspalte("VIP", false), 4);
    EXPECT_EQ(Sortierspalte("VIP", true), 3);
    EXPECT_EQ(Sortierspalte("Rot", true), 3);
    EXPECT_EQ(Sortierspalte("Index", true), -1);
    EXPECT_EQ(Sortierspalte("rot", false), -1);
    const Sortierung s{2, Qt::DescendingOrder};
    EXPECT_EQ(Sortierung_Nach_Klick(s, "Index", true).Spalte, 2);  // the local list has none
}

class Listenereignisse : public ::testing::Test {
protected:
    Listenereignisse()
    {
        Buecher_Zuruecksetzen();
        Handytyp = QStringLiteral("25");
        f = Form1::Instanz();
    }
    ~Listenereignisse() override
    {
        delete Form11::Offen();
        delete Form1::Instanz();
    }

    void Telefonzeile(int buch, const char* index, const char* name, const char* nummer, const char* merker = "")
    {
        f->Zeile_Anfuegen({buch, index, name, nummer, merker});
    }
    static QStringList Spalte(const QTreeWidget* liste, int spalte)
    {
        QStringList s;
        for (int i = 0; i < liste->topLevelItemCount(); ++i)
            s << liste->topLevelItem(i)->text(spalte);
        return s;
    }
    void Kopfklick(QTreeWidget* liste, int spalte) { emit liste->header()->sectionClicked(spalte); }

    EintragUmgebung e;
    Form1* f = nullptr;
};

TEST_F(Listenereignisse, HeaderClicksSortThePhoneListAndTheIndexByValue)
{
    Kopfklick(f->TBuch1, 2);  // empty: nothing
    EXPECT_EQ(f->SortSpalte, 0);

    Telefonzeile(1, "250", "bob", "030");
    Telefonzeile(2, "1000", "Anna", "0171", "!");
    Telefonzeile(1, "009", "carl", "+49");
    Kopfklick(f->TBuch1, 2);
    EXPECT_EQ(Spalte(f->TBuch1, 2), QStringList({"Anna", "bob", "carl"}));
    Kopfklick(f->TBuch1, 2);
    EXPECT_EQ(Spalte(f->TBuch1, 2), QStringList({"carl", "bob", "Anna"}));
    Kopfklick(f->TBuch1, 1);  // keeps the direction
    EXPECT_EQ(Spalte(f->TBuch1, 1), QStringList({"1000", "250", "009"}));
    Kopfklick(f->TBuch1, 1);
    EXPECT_EQ(Spalte(f->TBuch1, 1), QStringList({"009", "250", "1000"}));

    // Rows read later go to their place.
    Telefonzeile(3, "100", "dora", "1");
    EXPECT_EQ(Spalte(f->TBuch1, 1), QStringList({"009", "100", "250", "1000"}));
    Kopfklick(f->TBuch1, 0);
    EXPECT_EQ(Spalte(f->TBuch1, 0), QStringList({"FESTE", "SIM", "SIM", "TELEFON"}));
    EXPECT_EQ(f->SortRichtung, Qt::AscendingOrder);
}

TEST_F(Listenereignisse, LocalListSortsFromItsFirstHeaderClickOn)
{
    Kopfklick(f->TBuch2, 1);  // empty: column and direction are set all the same
    for (const char* name : {"Dora", "anna", "Carl"})
        f->Lokal_Anfuegen("LOKAL", 7, name, name, "");
    EXPECT_EQ(Spalte(f->TBuch2, 1), QStringList({"anna", "Carl", "Dora"}));
    Kopfklick(f->TBuch2, 1);
    EXPECT_EQ(Spalte(f->TBuch2, 1), QStringList({"Dora", "Carl", "anna"}));
}

TEST_F(Listenereignisse, ContextMenusAndDoubleClicks)
{
    emit f->TBuch1->customContextMenuRequested({5, 5});
    EXPECT_FALSE(f->popup1->isVisible());
    emit f->TBuch2->customContextMenuRequested({5, 5});
    EXPECT_TRUE(f->popup2->isVisible());
    f->popup2->hide();

    Telefonzeile(2, "004", "Bert", "0302");
    f->TBuch1_MouseUp(Qt::RightButton);
    EXPECT_FALSE(f->popup1->isVisible());  // no current row
    f->Telefonliste().Waehlen(1, true);
    f->TBuch1_MouseUp(Qt::LeftButton);
    EXPECT_FALSE(f->popup1->isVisible());
    f->TBuch1_MouseUp(Qt::RightButton);
    EXPECT_TRUE(f->popup1->isVisible());
    f->popup1->hide();

    e.Dialog = [] { DialogModus = QStringLiteral("cancel"); };
    emit f->TBuch1->itemDoubleClicked(f->TBuch1->topLevelItem(0), 2);
    EXPECT_EQ(e.Dialoge_Gezeigt, 1);
    EXPECT_EQ(EintragName, "Bert");
    EXPECT_EQ(EintragIndex, "004");

    f->Lokal_Anfuegen("LOKAL", 7, "Anna", "0301", "");
    f->Lokal_Anfuegen("LOKAL", 7, "Carl", "0303", "");
    f->Lokalliste().Waehlen(2, true);
    emit f->TBuch2->itemDoubleClicked(f->TBuch2->topLevelItem(1), 1);
    ASSERT_NE(Form11::Offen(), nullptr);
    EXPECT_EQ(Form11::Offen()->Text1->text(), "Carl");
}

TEST_F(Listenereignisse, CopyIntoTheLocalListShowsItAndKeepsTheLooks)
{
    TBRot = TBFett = true;
    f->Lokalknopf()->trigger();  // hidden
    ASSERT_TRUE(f->TBuch2->isHidden());
    f->Lokal_Anfuegen("LOKAL", 7, "Emil", "0305", "");
    f->TBuch2->topLevelItem(0)->setSelected(true);
    Telefonzeile(1, "007", "Anna", "0301", "!");
    Telefonzeile(2, "002", "Bob", "0302");
    Telefonzeile(2, "003", "Carl", "0303");
    f->TBuch1->topLevelItem(0)->setSelected(true);
    f->TBuch1->topLevelItem(2)->setSelected(true);

    f->nachlokal->trigger();
    EXPECT_TRUE(f->Lokalknopf()->isChecked());
    EXPECT_FALSE(f->TBuch2->isHidden());
    f->nachlokal->trigger();  // the same rows again

    EXPECT_EQ(Spalte(f->TBuch2, 1), QStringList({"Emil", "Anna", "Carl", "Anna", "Carl"}));
    EXPECT_EQ(f->TBuch2->selectedItems().size(), 5);
    const QTreeWidgetItem* anna = f->TBuch2->topLevelItem(1);
    EXPECT_EQ(anna->text(0), "SIM");
    EXPECT_EQ(Form1::Symbolnummer(anna), 1);
    EXPECT_EQ(anna->text(2), "0301");
    EXPECT_EQ(anna->text(3), "!");
    for (int spalte = 1; spalte <= 3; ++spalte) {
        EXPECT_EQ(anna->foreground(spalte).color(), QColor(255, 0, 0)) << spalte;
        EXPECT_TRUE(anna->font(spalte).bold()) << spalte;
    }
    EXPECT_FALSE(anna->font(0).bold());
    EXPECT_FALSE(f->TBuch2->topLevelItem(2)->font(1).bold());
}

TEST_F(Listenereignisse, DragsEndCleanWhereverTheyAreDropped)
{
    f->Lokal_Anfuegen("LOKAL", 7, "Emil", "0305", "");
    f->Lokalliste().Waehlen(1, true);
    Telefonzeile(1, "001", "Anna", "0301");
    f->Telefonliste().Waehlen(1, true);

    // Within one list: nothing.
    EXPECT_TRUE(Maus_Ziehen(f, f->TBuch2, f->TBuch2));
    EXPECT_TRUE(Maus_Ziehen(f, f->TBuch1, f->TBuch1));
    EXPECT_EQ(f->TBuch2->topLevelItemCount(), 1);

    // Dropped outside both lists: nothing, and the next drop is not swallowed.
    EXPECT_TRUE(Maus_Ziehen(f, f->TBuch2, nullptr));
    EXPECT_FALSE(f->LokalGezogen);
    EXPECT_TRUE(Maus_Ziehen(f, f->TBuch1, f->TBuch2));
    EXPECT_EQ(Spalte(f->TBuch2, 1), QStringList({"Emil", "Anna"}));
    EXPECT_FALSE(f->MobilGezogen);

    // Only the left button alone starts one.
    int gezogen = 0;
    f->Ziehen_Ausfuehren = [&](QDrag&) { ++gezogen; };
    f->TBuch1_MouseMove(Qt::LeftButton | Qt::RightButton);
    f->TBuch1->clear();
    f->TBuch1_MouseMove(Qt::LeftButton);
    EXPECT_EQ(gezogen, 0);
    EXPECT_TRUE(e.u.Port.Gesendet.isEmpty());
}

}  // namespace
