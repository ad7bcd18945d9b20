#include "common/Spaltenkopf.h"

#include <QHeaderView>
#include <QStyle>

int Spaltenkopf_Breite(const QHeaderView* kopf, int spalte)
{
    if (!kopf->model())
        return 0;
    const QString text = kopf->model()->headerData(spalte, kopf->orientation()).toString();
    const int rand = kopf->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, kopf);
    int breite = kopf->fontMetrics().horizontalAdvance(text) + 2 * rand;
    if (kopf->isSortIndicatorShown())
        breite += kopf->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, kopf) + rand;
    return breite;
}
