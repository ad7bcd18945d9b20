#pragma once
#include <QString>
#include <array>

class QTreeWidget;
class QTreeWidgetItem;

// Sorting of report lists by one column as text, numbers or dates and times, and their selection.
namespace Module3 {

// Sort direction per 1-based column number (1..13), shared by every list; true = ascending.
extern std::array<bool, 14> SortierRichtung;
// Flips the direction of a column and returns it (columns outside 1..13 always sort ascending).
bool Richtung_Wechseln(int spalte);

enum Sortierart { Text = 0, Zahl = 1, Datum = 2 };

// Sorts the list by column `col` (1-based); typ 0 text without regard to case, 1 numbers,
// 2 dates and times; any other typ sorts as text. Texts, tags and selection stay; rows added
// later are not sorted in.
void ListView_Sortieren(QTreeWidget* lv, int col, int typ, bool order);

// The selected row of a flat list: the current row when it is selected, else the first
// selected one; nothing without a selection.
QTreeWidgetItem* Ausgewaehlte_Zeile(const QTreeWidget* liste);

// Shows a row whose state on the phone is not known (a delete went unanswered): grey and italic.
void Zeile_Unbekannt_Zeigen(QTreeWidgetItem* zeile);

// "0"<->"9", "1"<->"8" ... each digit d becomes 9 - d; "-" becomes " "; the rest stays.
QString Ziffern_Invertieren(const QString& s);
// The full year of a two-digit one: 00-69 are 2000-2069, 70-99 are 1970-1999.
int Jahr_Ergaenzen(int zweistellig);
// Whether two digits carry the year there and back (1970-2069).
bool Jahr_Zweistellig_Darstellbar(int jahr);

// Sort keys whose plain text order is the wanted order; "" for a cell that cannot be read,
// which sorts before every other key.
QString Zahl_Schluessel(const QString& text);
QString Datum_Schluessel(const QString& text);

}  // namespace Module3
