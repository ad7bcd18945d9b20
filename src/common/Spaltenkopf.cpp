#include "common/Spaltenkopf.h"

#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <algorithm>

namespace {

QStyleOptionViewItem Zellenoption(const QAbstractItemView* liste)
{
    QStyleOptionViewItem opt;
    opt.initFrom(liste);
    const int kante = liste->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, liste);
    opt.decorationSize = liste->iconSize().isValid() ? liste->iconSize() : QSize(kante, kante);
    return opt;
}

// The designed widths of a list's columns and the widest cell of each; a cell that comes later
// and needs more widens its column at once. Cells are measured as they arrive, so that a fill of
// many rows costs one measure per row.
class Spaltenverteilung : public QObject {
public:
    static inline const QString Name = QStringLiteral("Spaltenverteilung");

    explicit Spaltenverteilung(QTreeView* liste) : QObject(liste), m_liste(liste)
    {
        setObjectName(Name);
        const QAbstractItemModel* modell = liste->model();
        connect(modell, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex& eltern, int von, int bis) { Neu_Messen(eltern, von, bis, 0, -1); });
        connect(modell, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& links, const QModelIndex& rechts) {
                    Neu_Messen(links.parent(), links.row(), rechts.row(), links.column(), rechts.column());
                });
    }

    QList<int> Breiten;
    QList<int> Rest;

    // Measures every row again, then sets the widths.
    void Alle_Messen()
    {
        m_zellen.fill(0, m_liste->header()->count());
        Messen(QModelIndex(), 0, m_liste->model()->rowCount() - 1, 0, m_liste->header()->count() - 1);
        Anwenden();
    }

private:
    // Whether a cell of the rows and columns is wider than its column.
    bool Messen(const QModelIndex& eltern, int von, int bis, int links, int rechts)
    {
        const QAbstractItemModel* modell = m_liste->model();
        const QStyleOptionViewItem opt = Zellenoption(m_liste);
        bool breiter = false;
        rechts = std::min(rechts, static_cast<int>(m_zellen.size()) - 1);
        for (int zeile = von; zeile <= bis; ++zeile)
            for (int spalte = links; spalte <= rechts; ++spalte) {
                const QModelIndex i = modell->index(zeile, spalte, eltern);
                const int breite = m_liste->itemDelegateForIndex(i)->sizeHint(opt, i).width();
                m_zellen[spalte] = std::max(m_zellen[spalte], breite);
                breiter = breiter || breite > m_liste->header()->sectionSize(spalte);
            }
        return breiter;
    }

    void Neu_Messen(const QModelIndex& eltern, int von, int bis, int links, int rechts)
    {
        if (Messen(eltern, von, bis, links, rechts < 0 ? m_liste->header()->count() - 1 : rechts))
            Anwenden();
    }

    void Anwenden()
    {
        QHeaderView* kopf = m_liste->header();
        const int anzahl = std::min(static_cast<int>(Breiten.size()), kopf->count());
        const auto noetig = [&](int i) { return std::max(Spaltenkopf_Breite(kopf, i, true), m_zellen.value(i)); };
        QList<int> soll(anzahl);
        int gewonnen = 0;
        for (int i = 0; i < anzahl; ++i)
            if (!Rest.contains(i)) {
                soll[i] = std::max(Breiten[i], noetig(i));
                gewonnen += soll[i] - Breiten[i];
            }
        for (const int i : Rest)
            if (i < anzahl)
                soll[i] = std::max(Breiten[i] - gewonnen / static_cast<int>(Rest.size()), noetig(i));
        for (int i = 0; i < anzahl; ++i)
            kopf->resizeSection(i, soll[i]);
    }

    QTreeView* m_liste;
    QList<int> m_zellen;
};

}  // namespace

int Spaltenkopf_Breite(const QHeaderView* kopf, int spalte, bool mitPfeil)
{
    if (!kopf->model())
        return 0;
    const QString text = kopf->model()->headerData(spalte, kopf->orientation()).toString();
    const int rand = kopf->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, kopf);
    int breite = kopf->fontMetrics().horizontalAdvance(text) + 2 * rand;
    if (mitPfeil || kopf->isSortIndicatorShown())
        breite += kopf->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, kopf) + rand;
    return breite;
}

int Zelle_Breite(const QAbstractItemView* liste, const QString& text, const QIcon& bild)
{
    QStyleOptionViewItem opt = Zellenoption(liste);
    opt.text = text;
    opt.features = QStyleOptionViewItem::HasDisplay;
    opt.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    if (!bild.isNull()) {
        opt.icon = bild;
        opt.features |= QStyleOptionViewItem::HasDecoration;
    }
    return liste->style()->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), liste).width();
}

void Spalten_Verteilen(QTreeView* liste, const QList<int>& breiten, const QList<int>& rest)
{
    auto* verteilung = dynamic_cast<Spaltenverteilung*>(
        liste->findChild<QObject*>(Spaltenverteilung::Name, Qt::FindDirectChildrenOnly));
    if (!verteilung)
        verteilung = new Spaltenverteilung(liste);
    verteilung->Breiten = breiten;
    verteilung->Rest = rest;
    verteilung->Alle_Messen();
}
