#pragma once
#include <QList>

class QHeaderView;
class QIcon;
class QAbstractItemView;
class QString;
class QTreeView;

// The width a column needs so that its heading shows whole: the text, the header's margins and,
// when the header shows one (or `mitPfeil`), the sort arrow.
int Spaltenkopf_Breite(const QHeaderView* kopf, int spalte, bool mitPfeil = false);

// The width a cell of the list needs for `text` and `bild`.
int Zelle_Breite(const QAbstractItemView* liste, const QString& text, const QIcon& bild);

// The columns of a list that sorts on a click on a heading get their designed widths in pixels,
// each widened to its heading (with room for the arrow, which any heading may carry) and to its
// widest cell; the `rest` columns give up what that takes, but not below their own heading and
// cells. A cell that comes later and needs more widens its column.
void Spalten_Verteilen(QTreeView* liste, const QList<int>& breiten, const QList<int>& rest);
