#pragma once

class QHeaderView;

// The width a column needs so that its heading shows whole: the text, the header's margins and,
// when the header shows one, the sort arrow.
int Spaltenkopf_Breite(const QHeaderView* kopf, int spalte);
