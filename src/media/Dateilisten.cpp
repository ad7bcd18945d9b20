#include "media/Dateilisten.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

QString Pfad_Verbinden(const QString& ordner, const QString& name)
{
    if (ordner.endsWith(QLatin1Char('/')))
        return ordner + name;
    return ordner + QLatin1Char('/') + name;
}

// ---- Laufwerkliste ------------------------------------------------------------------------

Laufwerkliste::Laufwerkliste(QWidget* eltern) : QComboBox(eltern)
{
    QStringList wurzeln{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString w = v.rootPath();
        if (v.isValid() && v.isReady() &&
            (w.startsWith(QLatin1String("/media/")) || w.startsWith(QLatin1String("/mnt/")) ||
             w.startsWith(QLatin1String("/run/media/"))))
            wurzeln << w;
    }
    wurzeln.removeDuplicates();
    addItems(wurzeln);
    connect(this, &QComboBox::activated, this, &Laufwerkliste::Change);
}

QString Laufwerkliste::Drive() const { return currentText(); }

void Laufwerkliste::Drive_Setzen(const QString& pfad)
{
    const QString sauber = QDir::cleanPath(pfad);
    int beste = -1;
    qsizetype laenge = -1;
    for (int i = 0; i < count(); ++i) {
        const QString w = itemText(i);
        const bool passt = sauber == w || sauber.startsWith(Pfad_Verbinden(w, QString()));
        if (passt && w.size() > laenge) {
            beste = i;
            laenge = w.size();
        }
    }
    if (beste >= 0)
        setCurrentIndex(beste);
}

// ---- Ordnerliste --------------------------------------------------------------------------

namespace {
constexpr int PfadRolle = Qt::UserRole;
}

Ordnerliste::Ordnerliste(QWidget* eltern) : QListWidget(eltern)
{
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* eintrag) { Path_Setzen(eintrag->data(PfadRolle).toString()); });
}

bool Ordnerliste::Path_Setzen(const QString& pfad)
{
    const QFileInfo info(pfad);
    if (pfad.isEmpty() || !info.isDir())
        return false;
    const QString neu = QDir::cleanPath(info.absoluteFilePath());
    if (neu == m_pfad)
        return true;
    m_pfad = neu;
    Fuellen();
    emit Change();
    return true;
}

void Ordnerliste::Fuellen()
{
    clear();
    QStringList kette;
    for (QDir d(m_pfad);; ) {
        kette.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    int tiefe = 0;
    for (const QString& p : std::as_const(kette)) {
        const QString name = tiefe == 0 ? p : QFileInfo(p).fileName();
        auto* e = new QListWidgetItem(QString(tiefe * 2, QLatin1Char(' ')) + name, this);
        e->setData(PfadRolle, p);
        if (p == m_pfad)
            setCurrentItem(e);
        ++tiefe;
    }
    const QStringList unter =
        QDir(m_pfad).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& u : unter) {
        auto* e = new QListWidgetItem(QString(tiefe * 2, QLatin1Char(' ')) + u, this);
        e->setData(PfadRolle, Pfad_Verbinden(m_pfad, u));
    }
}

// ---- Dateiliste ---------------------------------------------------------------------------

Dateiliste::Dateiliste(QWidget* eltern) : QListWidget(eltern) {}

void Dateiliste::Path_Setzen(const QString& pfad)
{
    m_pfad = pfad;
    Refresh();
}

void Dateiliste::Pattern_Setzen(const QString& muster)
{
    m_muster = muster.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    Refresh();
}

void Dateiliste::Refresh()
{
    const QString gewaehlt = FileName();
    clear();
    if (m_pfad.isEmpty())
        return;
    QDir d(m_pfad);
    d.setNameFilters(m_muster);
    const QStringList namen = d.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(namen);
    const auto alt = findItems(gewaehlt, Qt::MatchExactly);
    if (!gewaehlt.isEmpty() && !alt.isEmpty())
        setCurrentItem(alt.first());
}

QString Dateiliste::FileName() const
{
    const QList<QListWidgetItem*> auswahl = selectedItems();
    return auswahl.isEmpty() ? QString() : auswahl.first()->text();
}

QStringList Dateiliste::Eintraege() const
{
    QStringList namen;
    for (int i = 0; i < count(); ++i)
        namen << item(i)->text();
    return namen;
}
