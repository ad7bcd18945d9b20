#pragma once
#include <QString>
#include <QTreeWidgetItem>

class QTreeWidget;

// Sorting of the two phone-book lists. They never sort themselves through Qt: a header click
// turns the list's own column and direction, and the window sorts and inserts rows by them.
namespace Module1 {

struct Sortierung {
    int Spalte = 0;  // 0 the row text (Ort), then the sub-items
    Qt::SortOrder Richtung = Qt::AscendingOrder;
};

// The column a header sorts, -1 for a header that sorts nothing. The local list has no index
// column; "Rot" and "VIP" head the same column.
int Sortierspalte(const QString& kopf, bool lokal);
// After a click on a header: the same column reverses the direction, another keeps it.
Sortierung Sortierung_Nach_Klick(Sortierung s, const QString& kopf, bool lokal);

// Marks the column of the list that sorts by number value (the phone list's index).
void Zahlspalte_Setzen(QTreeWidget* liste, int spalte);
bool Ist_Zahlspalte(const QTreeWidget* liste, int spalte);

// Text without regard to case in the locale's order, or the number value in a numeric column.
bool Zeile_Kleiner(const QTreeWidgetItem& a, const QTreeWidgetItem& b, int spalte, bool zahl);
// Puts the row into a list sorted by `s`, after its equals.
void Einsortieren(QTreeWidget* liste, QTreeWidgetItem* zeile, Sortierung s);

// A list row that sorts by these rules when the list is sorted.
class Listenzeile : public QTreeWidgetItem {
public:
    bool operator<(const QTreeWidgetItem& andere) const override;
};

}  // namespace Module1
