#include "common/Module3.h"

#include <QCollator>
#include <QDate>
#include <QHeaderView>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Module3 {

std::array<bool, 14> SortierRichtung{};

bool Richtung_Wechseln(int spalte)
{
    if (spalte < 1 || spalte >= static_cast<int>(SortierRichtung.size()))
        return true;
    SortierRichtung[spalte] = !SortierRichtung[spalte];
    return SortierRichtung[spalte];
}

QString Ziffern_Invertieren(const QString& s)
{
    QString r = s;
    for (QChar& c : r) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = QChar(u'9' - (c.unicode() - u'0'));
        else if (c == QLatin1Char('-'))
            c = QLatin1Char(' ');
    }
    return r;
}

namespace {

bool Zahl_Lesen(const QString& text, double* x)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    // "1.5" and "1,5" both read; a grouping comma is not taken for thousands.
    static const QLocale punkt = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    bool ok = false;
    double wert = punkt.toDouble(t, &ok);
    if (!ok)
        wert = QLocale(QLocale::German, QLocale::Germany).toDouble(t, &ok);
    if (!ok || !std::isfinite(wert))
        return false;
    *x = wert;
    return true;
}

// The digit count of the integer part in front, so that any magnitude keeps its order.
QString Betrag_Schluessel(double betrag)
{
    const QString ziffern = QString::number(betrag, 'f', 20);
    const qsizetype punkt = ziffern.indexOf(QLatin1Char('.'));
    return QStringLiteral("%1").arg(punkt, 3, 10, QLatin1Char('0')) + ziffern;
}

int Jahr_Lesen(const QString& jahr)
{
    const int j = jahr.toInt();
    if (jahr.size() > 2)
        return j;
    return Jahr_Ergaenzen(j);
}

QString Schluessel_Aus(const QDate& datum, const QTime& zeit)
{
    return datum.toString(QStringLiteral("yyyyMMdd")) + zeit.toString(QStringLiteral("HHmmss"));
}

}  // namespace

int Jahr_Ergaenzen(int zweistellig) { return zweistellig < 70 ? 2000 + zweistellig : 1900 + zweistellig; }

bool Jahr_Zweistellig_Darstellbar(int jahr) { return jahr >= 1970 && jahr <= 2069; }

QString Zahl_Schluessel(const QString& text)
{
    double x = 0;
    if (!Zahl_Lesen(text, &x))
        return QString();
    if (x < 0)
        return QLatin1Char('&') + Ziffern_Invertieren(Betrag_Schluessel(-x));
    return Betrag_Schluessel(x);
}

QString Datum_Schluessel(const QString& text)
{
    // "31.12.04", "31.12.2004", "2004-12-31", each optionally with "23:59[:59]", or a time alone.
    static const QRegularExpression muster(QStringLiteral(
        "^\\s*(?:(?:(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4}|\\d{2})|(\\d{4})-(\\d{1,2})-(\\d{1,2}))(?:[\\sT]+|$))?"
        "(?:(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const auto t = muster.match(text);
    if (!t.hasMatch() || text.trimmed().isEmpty())
        return QString();
    QDate datum(1899, 12, 30);  // the zero date, for a time alone
    if (t.hasCaptured(1))
        datum = QDate(Jahr_Lesen(t.captured(3)), t.captured(2).toInt(), t.captured(1).toInt());
    else if (t.hasCaptured(4))
        datum = QDate(t.captured(4).toInt(), t.captured(5).toInt(), t.captured(6).toInt());
    QTime zeit(0, 0, 0);
    if (t.hasCaptured(7))
        zeit = QTime(t.captured(7).toInt(), t.captured(8).toInt(), t.hasCaptured(9) ? t.captured(9).toInt() : 0);
    if (!datum.isValid() || !zeit.isValid())
        return QString();
    return Schluessel_Aus(datum, zeit);
}

void ListView_Sortieren(QTreeWidget* lv, int col, int typ, bool order)
{
    if (!lv || col < 1 || col > lv->columnCount())
        return;
    const int spalte = col - 1;
    const bool eigenerZeiger = lv->testAttribute(Qt::WA_SetCursor);
    const QCursor zeiger = lv->cursor();
    const bool aktualisieren = lv->updatesEnabled();
    lv->setCursor(Qt::WaitCursor);
    lv->setUpdatesEnabled(false);

    QTreeWidgetItem* wurzel = lv->invisibleRootItem();
    const QList<QTreeWidgetItem*> markiert = lv->selectedItems();
    QTreeWidgetItem* aktuell = lv->currentItem();

    struct Zeile {
        QString schluessel;
        QTreeWidgetItem* item;
    };
    std::vector<Zeile> zeilen;
    zeilen.reserve(wurzel->childCount());
    for (int i = 0; i < wurzel->childCount(); ++i) {
        QTreeWidgetItem* item = wurzel->child(i);
        const QString text = item->text(spalte);
        QString schluessel = text;
        if (typ == Zahl)
            schluessel = Zahl_Schluessel(text);
        else if (typ == Datum)
            schluessel = Datum_Schluessel(text);
        zeilen.push_back({schluessel, item});
    }

    if (typ == Zahl || typ == Datum) {
        std::stable_sort(zeilen.begin(), zeilen.end(), [order](const Zeile& a, const Zeile& b) {
            return order ? a.schluessel < b.schluessel : b.schluessel < a.schluessel;
        });
    } else {
        QCollator vergleich(QLocale(QLocale::German, QLocale::Germany));
        vergleich.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(zeilen.begin(), zeilen.end(), [&](const Zeile& a, const Zeile& b) {
            const int c = vergleich.compare(a.schluessel, b.schluessel);
            return order ? c < 0 : c > 0;
        });
    }

    // The list never sorts itself: a cell changed later must not move its row.
    wurzel->takeChildren();
    QList<QTreeWidgetItem*> neu;
    neu.reserve(static_cast<qsizetype>(zeilen.size()));
    for (const Zeile& z : zeilen)
        neu << z.item;
    wurzel->addChildren(neu);
    if (aktuell)
        lv->setCurrentItem(aktuell, spalte, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem* item : markiert)
        item->setSelected(true);
    lv->header()->setSortIndicatorShown(true);
    lv->header()->setSortIndicator(spalte, order ? Qt::AscendingOrder : Qt::DescendingOrder);

    lv->setUpdatesEnabled(aktualisieren);
    if (eigenerZeiger)
        lv->setCursor(zeiger);
    else
        lv->unsetCursor();
}

QTreeWidgetItem* Ausgewaehlte_Zeile(const QTreeWidget* liste)
{
    QTreeWidgetItem* aktuell = liste->currentItem();
    if (aktuell && aktuell->isSelected() && !aktuell->parent())
        return aktuell;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        if (liste->topLevelItem(i)->isSelected())
            return liste->topLevelItem(i);
    return nullptr;
}

void Zeile_Unbekannt_Zeigen(QTreeWidgetItem* zeile)
{
    for (int spalte = 0; spalte < zeile->columnCount(); ++spalte) {
        QFont schrift = zeile->font(spalte);
        schrift.setItalic(true);
        zeile->setFont(spalte, schrift);
        zeile->setForeground(spalte, QColor(128, 128, 128));
    }
}

}  // namespace Module3
