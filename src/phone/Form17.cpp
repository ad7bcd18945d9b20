#include "phone/Form17.h"

#include "ui_Form17.h"

#include "common/Dialoge.h"
#include "common/Platzierung.h"
#include "common/Spaltenkopf.h"
#include "link/Module1.h"
#include "phone/Anzeigehilfen.h"
#include "phone/Netze.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QPointer>
#include <QStyle>
#include <algorithm>

using namespace Module1;

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("Netze"), 0, 0, -1, -1, false};
const QString Leer = QStringLiteral("EMPTY");

void Gitter_Einrichten(QTableWidget* gitter, const QStringList& spalten, const QList<int>& twips)
{
    gitter->setColumnCount(static_cast<int>(spalten.size()));
    gitter->setHorizontalHeaderLabels(spalten);
    // A column is never narrower than its heading ("Index" gets 400 twips).
    for (int i = 0; i < twips.size(); ++i)
        gitter->setColumnWidth(i, std::max(Platzierung::Pixel(twips.at(i)), Spaltenkopf_Breite(gitter->horizontalHeader(), i)));
    gitter->verticalHeader()->hide();
    gitter->verticalHeader()->setDefaultSectionSize(20);
    gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    gitter->horizontalHeader()->setSectionsClickable(true);
    gitter->horizontalHeader()->setHighlightSections(false);
    gitter->setProperty("Tag", QString());
}

void Zeile_Anhaengen(QTableWidget* gitter, const QStringList& zellen)
{
    const int zeile = gitter->rowCount();
    gitter->insertRow(zeile);
    for (int spalte = 0; spalte < zellen.size(); ++spalte)
        gitter->setItem(zeile, spalte, new QTableWidgetItem(zellen.at(spalte)));
}

QString Zelle(const QTableWidget* gitter, int zeile, int spalte)
{
    const QTableWidgetItem* item = gitter->item(zeile, spalte);
    return item ? item->text() : QString();
}

// The selected network row, -1 when none is selected.
int Gewaehlte_Zeile(const QTableWidget* gitter)
{
    const QModelIndexList zeilen = gitter->selectionModel()->selectedRows();
    return zeilen.isEmpty() ? -1 : zeilen.first().row();
}

}  // namespace

Form17::Form17() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form17>())
{
    ui->setupUi(this);
    SSTab1 = ui->SSTab1;
    Toolbar1[0] = ui->Toolbar1_0;
    Toolbar1[1] = ui->Toolbar1_1;
    Toolbar8 = ui->Toolbar8;
    MSFlexGrid6 = ui->MSFlexGrid6;
    MSFlexGrid7 = ui->MSFlexGrid7;
    L1 = ui->L1;
    Label17 = ui->Label17;
    Label34 = ui->Label34;
    ImageList1 = {QIcon(), Lampe_Malen(QColor(0, 170, 0)), Lampe_Malen(QColor(240, 200, 0)),
                  Lampe_Malen(QColor(210, 0, 0))};

    Gitter_Einrichten(MSFlexGrid6, {QStringLiteral("MCCMNC"), QStringLiteral("Netzname"), QStringLiteral("Land")},
                      {800, 1785, 1785});
    Gitter_Einrichten(MSFlexGrid7,
                      {QStringLiteral("Index"), QStringLiteral("MCCMNC"), QStringLiteral("Netzname"),
                       QStringLiteral("Land")},
                      {400, 800, 1785, 1785});
    const int spalten[] = {1125, 1440, 1440};
    for (int i = 0; i < 3; ++i)
        L1->setColumnWidth(i, Platzierung::Pixel(spalten[i]));
    L1->header()->setSectionsClickable(true);

    for (int i = 0; i < 2; ++i) {
        QAction* knopf = Toolbar1[i]->addAction(style()->standardIcon(QStyle::SP_BrowserReload),
                                                QStringLiteral("Einlesen "));
        knopf->setObjectName(QStringLiteral("Einlesen"));
        connect(Toolbar1[i], &QToolBar::actionTriggered, this, [this, i](QAction* a) { Toolbar1_ButtonClick(i, a); });
    }
    QAction* dazu = Toolbar8->addAction(style()->standardIcon(QStyle::SP_ArrowRight), QString());
    dazu->setObjectName(QStringLiteral("dazu"));
    dazu->setToolTip(QStringLiteral("Netz zu 'bevorzugte Netze' hinzufügen"));
    QAction* raus = Toolbar8->addAction(style()->standardIcon(QStyle::SP_TrashIcon), QString());
    raus->setObjectName(QStringLiteral("raus"));
    raus->setToolTip(QStringLiteral("Netz aus 'bevorzugte Netze' entfernen"));
    connect(Toolbar8, &QToolBar::actionTriggered, this, &Form17::Toolbar8_ButtonClick);

    connect(MSFlexGrid6->horizontalHeader(), &QHeaderView::sectionClicked, this, &Form17::MSFlexGrid6_Click);
    connect(MSFlexGrid7->horizontalHeader(), &QHeaderView::sectionClicked, this, &Form17::MSFlexGrid7_Click);
    connect(L1->header(), &QHeaderView::sectionClicked, this, &Form17::L1_ColumnClick);

    Platzieren();
}

Form17::~Form17() = default;

Form17* Form17::Instanz() { return Einzelfenster_Holen<Form17>([] { return new Form17(); }); }

bool Form17::Geladen() { return !Einzelfenster<Form17>().isNull(); }

void Form17::Toolbar1_ButtonClick(int index, QAction*)
{
    Aktion aktion;
    if (index == 0)
        LIESNETZE();
    else if (index == 1)
        REICHWEITE();
}

void Form17::Toolbar8_ButtonClick(QAction* button)
{
    Aktion aktion;
    if (button->objectName() == QLatin1String("dazu"))
        netzdazu();
    else if (button->objectName() == QLatin1String("raus"))
        netzweg();
}

void Form17::LIESNETZE()
{
    MSFlexGrid6->setRowCount(0);
    // The count belongs to the rows on show.
    Label17->setText(QStringLiteral("Dem Telefon bekannte Netze:"));
    Link().Text2.clear();
    Status_Setzen(QStringLiteral("Lese bekannte Netze ein..."));
    if (!Befehl_Senden(QStringLiteral("AT^SPLM"), true))
        return;
    const QString antwort = Link().Text2;
    if (!antwort.contains(QLatin1String("^SPLM:")))
        return;
    for (const Betreibereintrag& e : SPLM_Antwort_Zerlegen(antwort)) {
        Betreiber.insert(e.Code, e.Name);
        Zeile_Anhaengen(MSFlexGrid6, {e.Code, e.Name, Land_Zum_Code(e.Code)});
    }
    LIESBEVORZUGTENETZE();
}

void Form17::LIESBEVORZUGTENETZE()
{
    MSFlexGrid7->setRowCount(0);
    Link().Text2.clear();
    Status_Setzen(QStringLiteral("Lese Speicherplätze bevorzugte Netze ein..."));
    if (!Befehl_Senden(QStringLiteral("AT^SPLR=?"), true))
        return;
    const std::optional<Platzbereich> bereich = SPLR_Bereich_Lesen(Link().Text2);
    if (!bereich)
        return;

    Link().Text2.clear();
    Status_Setzen(QStringLiteral("Lese bevorzugte Netze ein..."));
    if (!Befehl_Senden(QStringLiteral("AT^SPLR=") + bereich->Erster + QLatin1Char(',') + bereich->Letzter, true))
        return;
    const QString antwort = Link().Text2;
    if (!antwort.contains(QLatin1String("^SPLR:")))
        return;
    for (const Bevorzugtes_Netz& p : SPLR_Antwort_Zerlegen(antwort)) {
        if (p.Code.isEmpty())
            Zeile_Anhaengen(MSFlexGrid7, {p.Index, Leer, QString(), QString()});
        else
            Zeile_Anhaengen(MSFlexGrid7, {p.Index, p.Code, Betreiber.value(p.Code), Land_Zum_Code(p.Code)});
    }
    Zeitmeter_Nullen();
    Status_Setzen(QStringLiteral("Fertig."));
    Label17->setText(QStringLiteral("Dem Telefon bekannte Netze (%1):").arg(MSFlexGrid6->rowCount()));
}

void Form17::netzdazu()
{
    const int netz = Gewaehlte_Zeile(MSFlexGrid6);
    if (netz < 0) {
        MsgBox(QStringLiteral("Kein Netz ausgewählt, was kopiert werden soll!"), Dialoge::Symbol::Kritisch);
        return;
    }
    const int platz = Gewaehlte_Zeile(MSFlexGrid7);
    if (platz < 0) {
        MsgBox(QStringLiteral("Keinen Platz ausgewählt, in den kopiert werden soll!"), Dialoge::Symbol::Kritisch);
        return;
    }
    if (Zelle(MSFlexGrid7, platz, 1) != Leer &&
        MsgBox(QStringLiteral("Soll der Eintrag '") + Zelle(MSFlexGrid7, platz, 2) +
                   QStringLiteral("' wirklich überschrieben werden?"),
               Dialoge::Symbol::Kritisch, Dialoge::Tasten::JaNein, Dialoge::Antwort::Nein) != Dialoge::Antwort::Ja)
        return;
    // Refused or lost, the write may still have changed the slot: the list shows what the phone holds.
    Befehl_Senden(
        QStringLiteral("AT^SPLW=") + Zelle(MSFlexGrid7, platz, 0) + QLatin1Char(',') + Zelle(MSFlexGrid6, netz, 0), true);
    LIESBEVORZUGTENETZE();
}

void Form17::netzweg()
{
    const int platz = Gewaehlte_Zeile(MSFlexGrid7);
    if (platz < 0) {
        MsgBox(QStringLiteral("Kein bevorzugtes Netz ausgewählt, was gelöscht werden soll!"),
               Dialoge::Symbol::Kritisch);
        return;
    }
    Befehl_Senden(QStringLiteral("AT^SPLW=") + Zelle(MSFlexGrid7, platz, 0), true);
    LIESBEVORZUGTENETZE();
}

void Form17::REICHWEITE()
{
    L1->clear();
    Link().Text2.clear();
    Status_Setzen(QStringLiteral("Lese Netze in Reichweite ein (10-20 Sekunden)..."));
    if (!Befehl_Senden(QStringLiteral("AT+COPS=?"), true))
        return;
    const QString antwort = Link().Text2;
    if (!antwort.contains(QLatin1String("+COPS:")))
        return;
    for (const Netz_In_Reichweite& n : COPS_Liste_Zerlegen(antwort)) {
        auto* zeile = new QTreeWidgetItem(L1);
        zeile->setText(0, Netzstatus_Text(n.Status));
        if (const int bild = Netzstatus_Bild(n.Status))
            zeile->setIcon(0, ImageList1.at(bild));
        zeile->setText(1, n.Langname);
        zeile->setText(2, Land_Zum_Code(n.Code));
    }
    if (m_L1Spalte >= 0)
        L1->sortItems(m_L1Spalte, Qt::AscendingOrder);
    // A state with its lamp is shown whole: the column grows to it, never below its design width.
    const int statusbreite = L1->columnWidth(0);
    L1->resizeColumnToContents(0);
    L1->setColumnWidth(0, std::max(statusbreite, L1->columnWidth(0)));
    Status_Setzen(QStringLiteral("Fertig."));
    Zeitmeter_Nullen();
}

void Form17::MSFlexGrid6_Click(int spalte) { Gitter_Sortieren(MSFlexGrid6, spalte); }

void Form17::MSFlexGrid7_Click(int spalte) { Gitter_Sortieren(MSFlexGrid7, spalte); }

void Form17::L1_ColumnClick(int spalte)
{
    m_L1Spalte = spalte;
    L1->sortItems(spalte, Qt::AscendingOrder);
}

void Form17::Gitter_Sortieren(QTableWidget* gitter, int spalte)
{
    // One direction per grid, whichever column is clicked.
    const bool aufsteigend = gitter->property("Tag").toString().isEmpty();
    gitter->setProperty("Tag", aufsteigend ? QStringLiteral("j") : QString());
    QVector<QStringList> zeilen;
    for (int z = 0; z < gitter->rowCount(); ++z) {
        QStringList zellen;
        for (int s = 0; s < gitter->columnCount(); ++s)
            zellen << Zelle(gitter, z, s);
        zeilen << zellen;
    }
    Zeilen_Sortieren(zeilen, spalte, aufsteigend);
    for (int z = 0; z < zeilen.size(); ++z)
        for (int s = 0; s < gitter->columnCount(); ++s)
            gitter->item(z, s)->setText(zeilen.at(z).at(s));
    gitter->clearSelection();
}
