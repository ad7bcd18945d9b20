// List sorting: the sort keys and the reordering of a report list.
#include "common/Module3.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Module3;

namespace {

// A list of two columns: the given texts in column 2, the row number in column 1, a tag on each cell.
void Fuellen(QTreeWidget& lv, const QStringList& texte)
{
    lv.setColumnCount(3);
    for (int i = 0; i < texte.size(); ++i) {
        auto* item = new QTreeWidgetItem(&lv, {QString::number(i), texte[i], QStringLiteral("x%1").arg(i)});
        item->setData(0, Qt::UserRole, QStringLiteral("tag%1").arg(i));
        item->setData(1, Qt::UserRole, QStringLiteral("zelle%1").arg(i));
    }
}

QStringList Spalte(const QTreeWidget& lv, int spalte)
{
    QStringList r;
    for (int i = 0; i < lv.topLevelItemCount(); ++i)
        r << lv.topLevelItem(i)->text(spalte);
    return r;
}

QStringList Sortiert(const QStringList& texte, int typ, bool aufsteigend)
{
    QTreeWidget lv;
    Fuellen(lv, texte);
    ListView_Sortieren(&lv, 2, typ, aufsteigend);
    return Spalte(lv, 1);
}

QStringList Umgekehrt(QStringList l)
{
    std::reverse(l.begin(), l.end());
    return l;
}

TEST(Sortieren, NumbersNegativeNonNumbersAndLargeMagnitudes)
{
    const QStringList auf = {"abc", "-3", "2", "10"};
    EXPECT_EQ(Sortiert({"10", "-3", "2", "abc"}, Zahl, true), auf);
    EXPECT_EQ(Sortiert({"10", "-3", "2", "abc"}, Zahl, false), Umgekehrt(auf));
    EXPECT_EQ(Sortiert({"-1", "-2"}, Zahl, true), QStringList({"-2", "-1"}));
    EXPECT_EQ(Sortiert({"12345678901", "2", "-99999999999", "-100"}, Zahl, true),
              QStringList({"-99999999999", "-100", "2", "12345678901"}));
    EXPECT_EQ(Sortiert({"1e25", "123456789012345678901", "99999999999999999999"}, Zahl, true),
              QStringList({"99999999999999999999", "123456789012345678901", "1e25"}));
    EXPECT_EQ(Sortiert({"0.5", "-0.25", "0,25", "", "-0"}, Zahl, true),
              QStringList({"", "-0.25", "-0", "0,25", "0.5"}));
}

TEST(Sortieren, NumberKeys)
{
    EXPECT_EQ(Zahl_Schluessel("abc"), "");
    EXPECT_EQ(Zahl_Schluessel(""), "");
    EXPECT_EQ(Zahl_Schluessel("nan"), "");
    EXPECT_EQ(Zahl_Schluessel(" 7 "), Zahl_Schluessel("7"));
    EXPECT_EQ(Zahl_Schluessel("-0"), Zahl_Schluessel("0"));
    EXPECT_EQ(Zahl_Schluessel("1,5"), Zahl_Schluessel("1.5"));
    EXPECT_TRUE(Zahl_Schluessel("-3").startsWith('&'));
    EXPECT_LT(Zahl_Schluessel("-1e300"), Zahl_Schluessel("-1e299"));
    EXPECT_LT(Zahl_Schluessel("1e299"), Zahl_Schluessel("1e300"));
    EXPECT_EQ(Ziffern_Invertieren("0123456789-a."), "9876543210 a.");
}

TEST(Sortieren, DatesWithTwoDigitYearsAndTimes)
{
    EXPECT_EQ(Sortiert({"01.01.05 10:00:00", "31.12.04 23:59:59"}, Datum, true),
              QStringList({"31.12.04 23:59:59", "01.01.05 10:00:00"}));
    EXPECT_EQ(Sortiert({"01.01.70", "31.12.69", "kaputt", "15.06.1999"}, Datum, true),
              QStringList({"kaputt", "01.01.70", "15.06.1999", "31.12.69"}));

    EXPECT_EQ(Datum_Schluessel("31.12.69"), "20691231000000");
    EXPECT_EQ(Datum_Schluessel("01.01.70"), "19700101000000");
    EXPECT_EQ(Datum_Schluessel("01.01.00 00:00"), "20000101000000");
    EXPECT_EQ(Datum_Schluessel("5.3.2004 9:07"), "20040305090700");
    EXPECT_EQ(Datum_Schluessel("2004-03-05T09:07:30"), "20040305090730");
    EXPECT_EQ(Datum_Schluessel("23:59:58"), "18991230235958");
    for (const char* kaputt : {"", "31.02.05", "24:00", "12:60", "1.2.345", "abc", "01.01.2005x"})
        EXPECT_EQ(Datum_Schluessel(kaputt), "") << kaputt;
}

TEST(Sortieren, TextIgnoresCaseAndKeepsEqualRowsInOrder)
{
    EXPECT_EQ(Sortiert({"b", "A", "C", "a"}, Text, true), QStringList({"A", "a", "b", "C"}));
    EXPECT_EQ(Sortiert({"b", "A", "C", "a"}, Text, false), QStringList({"C", "b", "A", "a"}));
    EXPECT_EQ(Sortiert({"b", "A", "C"}, 7, true), QStringList({"A", "b", "C"}));  // unknown typ: text
    EXPECT_EQ(Sortiert({"Zebra", "Äpfel", "Birne"}, Text, true), QStringList({"Äpfel", "Birne", "Zebra"}));
}

TEST(Sortieren, RowsMoveWholeAndKeepTextsTagsAndSelection)
{
    QTreeWidget lv;
    Fuellen(lv, {"10", "-3", "2"});
    lv.topLevelItem(2)->setSelected(true);
    QTreeWidgetItem* zwei = lv.topLevelItem(2);
    lv.setCurrentItem(zwei);

    ListView_Sortieren(&lv, 2, Zahl, true);
    EXPECT_EQ(Spalte(lv, 0), QStringList({"1", "2", "0"}));
    EXPECT_EQ(Spalte(lv, 2), QStringList({"x1", "x2", "x0"}));
    for (int i = 0; i < 3; ++i) {
        const QTreeWidgetItem* item = lv.topLevelItem(i);
        const QString n = item->text(0);
        EXPECT_EQ(item->data(0, Qt::UserRole).toString(), "tag" + n);
        EXPECT_EQ(item->data(1, Qt::UserRole).toString(), "zelle" + n);
    }
    EXPECT_EQ(lv.selectedItems(), QList<QTreeWidgetItem*>({zwei}));
    EXPECT_EQ(lv.currentItem(), zwei);
    EXPECT_EQ(lv.header()->sortIndicatorSection(), 1);
    EXPECT_EQ(lv.header()->sortIndicatorOrder(), Qt::AscendingOrder);

    // The list does not sort itself afterwards.
    EXPECT_FALSE(lv.isSortingEnabled());
    lv.topLevelItem(0)->setText(1, "999");
    new QTreeWidgetItem(&lv, {"3", "-50"});
    EXPECT_EQ(Spalte(lv, 1), QStringList({"999", "2", "10", "-50"}));
}

TEST(Sortieren, EmptyListAndColumnsOutOfRange)
{
    QTreeWidget leer;
    leer.setColumnCount(2);
    ListView_Sortieren(&leer, 2, Datum, false);
    EXPECT_EQ(leer.header()->sortIndicatorSection(), 1);
    EXPECT_EQ(leer.header()->sortIndicatorOrder(), Qt::DescendingOrder);

    QTreeWidget lv;
    Fuellen(lv, {"b", "a"});
    ListView_Sortieren(&lv, 0, Text, true);
    ListView_Sortieren(&lv, 4, Text, true);
    ListView_Sortieren(nullptr, 1, Text, true);
    EXPECT_EQ(Spalte(lv, 1), QStringList({"b", "a"}));
}

TEST(Sortieren, DirectionPerColumnToggles)
{
    SortierRichtung.fill(false);
    EXPECT_TRUE(Richtung_Wechseln(2));
    EXPECT_FALSE(Richtung_Wechseln(2));
    EXPECT_TRUE(Richtung_Wechseln(13));
    EXPECT_TRUE(SortierRichtung[13]);
    EXPECT_FALSE(SortierRichtung[2]);
    EXPECT_TRUE(Richtung_Wechseln(14));
    EXPECT_TRUE(Richtung_Wechseln(0));
    SortierRichtung.fill(false);
}

}  // namespace
