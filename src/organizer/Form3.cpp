#include "organizer/Form3.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Knoepfe.h"
#include "common/Module3.h"
#include "common/Platzierung.h"
#include "common/Spaltenkopf.h"
#include "common/Textdatei.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "organizer/Termin.h"
#include "organizer/Termine.h"
#include "organizer/Terminliste.h"
#include "phonebook/Eintraege.h"
#include "ui_Form3.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

using namespace Module1;

namespace {

const Platzierung::Schluessel Organizer{QStringLiteral("Organizer"), 0, 0, 8200, 6500, true};
const QString Config = QStringLiteral("Config");
const QString KalFilter = QStringLiteral("*.kal (*.kal)");

int Pixel(double twips) { return std::max(0, static_cast<int>(std::lround(twips / Platzierung::TwipsJePixel))); }

bool Hat_Auswahl(const QTreeWidget* liste) { return Module3::Ausgewaehlte_Zeile(liste) != nullptr; }

// The folder of the file last chosen under the key; the program folder at first.
QString Startordner(const QString& schluessel)
{
    const QString datei = Einstellungen::Lesen(Config, schluessel);
    return datei.isEmpty() ? Programmordner() : QFileInfo(datei).absolutePath();
}

}  // namespace

Form3::Form3() : Werkzeugfenster(Organizer), ui(std::make_unique<Ui::Form3>())
{
    ui->setupUi(this);
    Toolbar5 = ui->Toolbar5;
    Toolbar1 = ui->Toolbar1;
    Toolbar2 = ui->Toolbar2;
    Label2[0] = ui->Label2_0;
    Label2[1] = ui->Label2_1;
    kal1 = ui->kal1;
    Kal2 = ui->Kal2;

    for (QTreeWidget* liste : {static_cast<QTreeWidget*>(kal1), static_cast<QTreeWidget*>(Kal2)}) {
        liste->header()->setSectionsClickable(true);
        liste->header()->setSortIndicatorShown(false);
        liste->header()->setStretchLastSection(false);
    }
    connect(kal1->header(), &QHeaderView::sectionClicked, this, [this](int i) { kal1_ColumnClick(i + 1); });
    connect(Kal2->header(), &QHeaderView::sectionClicked, this, [this](int i) { Kal2_ColumnClick(i + 1); });
    connect(kal1, &QTreeWidget::itemDoubleClicked, this, [this] { kal1_DblClick(); });
    connect(Kal2, &QTreeWidget::itemDoubleClicked, this, [this] { Kal2_DblClick(); });

    Leisten_Aufbauen();
    Ziehen_Verbinden();
    Terminlisten().Mobil = kal1;
    Terminlisten().Lokal = Kal2;
    Platzieren();
}

Form3::~Form3()
{
    if (Terminlisten().Mobil == kal1)
        Terminlisten() = {};
}

Form3* Form3::Instanz() { return Einzelfenster_Holen<Form3>([] { return new Form3(); }); }

bool Form3::Geladen() { return !Einzelfenster<Form3>().isNull(); }

void Form3::Leisten_Aufbauen()
{
    const auto knopf = &Knopf_Anlegen;
    const struct {
        const char* schluessel;
        const char16_t* tipp;
        QStyle::StandardPixmap bild;
    } mobil[] = {
        {"refresh", u"Einträge einlesen", QStyle::SP_BrowserReload},
        {"save", u"Einträge auf Festplatte sichern", QStyle::SP_DialogSaveButton},
        {"new", u"Neuer Termin", QStyle::SP_FileIcon},
        {"edit", u"Termin bearbeiten", QStyle::SP_FileDialogDetailedView},
        {"kill", u"Ausgewählte(n) Termin(e) löschen", QStyle::SP_TrashIcon},
    },
      lokal[] = {
          {"load", u"Lokale Termine laden", QStyle::SP_DialogOpenButton},
          {"save", u"Lokale Termine auf Festplatte speichern", QStyle::SP_DialogSaveButton},
          {"new", u"Neuer Termin (lokal)", QStyle::SP_FileIcon},
          {"edit", u"Termin bearbeiten", QStyle::SP_FileDialogDetailedView},
          {"kill", u"Ausgewählte(n) Termin(e) löschen", QStyle::SP_TrashIcon},
      };
    for (const auto& k : mobil) {
        const QString schluessel = QLatin1String(k.schluessel);
        QAction* a = knopf(Toolbar1, schluessel, QString::fromUtf16(k.tipp), style()->standardIcon(k.bild));
        connect(a, &QAction::triggered, this, [this, schluessel] { Toolbar1_ButtonClick(schluessel); });
    }
    for (const auto& k : lokal) {
        const QString schluessel = QLatin1String(k.schluessel);
        QAction* a = knopf(Toolbar2, schluessel, QString::fromUtf16(k.tipp), style()->standardIcon(k.bild));
        connect(a, &QAction::triggered, this, [this, schluessel] { Toolbar2_ButtonClick(schluessel); });
    }
    for (QToolBar* leiste : {Toolbar1, Toolbar2})
        leiste->setIconSize(QSize(16, 16));

    Toolbar5->setToolButtonStyle(Qt::ToolButtonTextOnly);  // the caption fits the designed width only alone
    Toolbar5->setIconSize(QSize(16, 16));
    QAction* lokalknopf = knopf(Toolbar5, QStringLiteral("Lokal"), QStringLiteral("Lokale Termine ein- / ausblenden"),
                                style()->standardIcon(QStyle::SP_DirIcon));
    lokalknopf->setText(QStringLiteral("&Lokale Termine"));
    lokalknopf->setCheckable(true);
    lokalknopf->setChecked(true);
    connect(lokalknopf, &QAction::triggered, this, [this] { Toolbar5_ButtonClick(); });
    // Released it is the only way back to the local pane: a raised button, not bare text.
    if (auto* k = qobject_cast<QToolButton*>(Toolbar5->widgetForAction(lokalknopf)))
        k->setAutoRaise(false);
}

void Form3::Ziehen_Verbinden()
{
    connect(kal1, &Terminliste::Ziehen_Beginnt, this, [this] { ZiehenMobil = true; });
    connect(kal1, &Terminliste::Ziehen_Endet, this, [this] { ZiehenMobil = false; });
    connect(Kal2, &Terminliste::Ziehen_Beginnt, this, [this] { ZiehenLokal = true; });
    connect(Kal2, &Terminliste::Ziehen_Endet, this, [this] { ZiehenLokal = false; });
    kal1->Ablage_Erlaubt = [this](const QString& quelle) { return quelle == Kal2->objectName() && ZiehenLokal; };
    Kal2->Ablage_Erlaubt = [this](const QString& quelle) { return quelle == kal1->objectName() && ZiehenMobil; };
    // The phone work runs once the drag has ended, outside its event loop.
    connect(kal1, &Terminliste::Abgelegt, this, [this] {
        ZiehenLokal = false;
        QTimer::singleShot(0, this, [this] { Lokal_Nach_Mobil(); });
    });
    connect(Kal2, &Terminliste::Abgelegt, this, [this] {
        ZiehenMobil = false;
        Mobil_Nach_Lokal();
    });
}

QAction* Form3::Knopf(const QToolBar* leiste, const QString& schluessel)
{
    return Knopf_Suchen(leiste, schluessel);
}

QAction* Form3::Lokalknopf() const { return Knopf(Toolbar5, QStringLiteral("Lokal")); }

// ---- Window -------------------------------------------------------------------------------

void Form3::Form_Resize()
{
    QWidget* r = Rahmen();
    if (window()->isMinimized() || r->isMinimized())
        return;
    if (!r->isMaximized()) {
        const int breite = std::max(r->width(), Platzierung::Pixel(static_cast<int>(Form3Layout::MindestBreite)));
        const int hoehe = std::max(r->height(), Platzierung::Pixel(static_cast<int>(Form3Layout::MindestHoehe)));
        if (breite != r->width() || hoehe != r->height())
            r->resize(breite, hoehe);
    }
    Masse = Form3Layout::Berechnen(Platzierung::Twips(r->width()), Platzierung::Twips(r->height()),
                                   Lokalknopf()->isChecked());
    kal1->resize(Pixel(Masse.Kal1Breite), kal1->height());
    Kal2->resize(Pixel(Masse.Kal2Breite), Kal2->height());
    Bereich_Zeigen(Masse);
    // "Art" fits the longest kind; "Beschreibung" gives up what the headings and cells take.
    const QString lang = QStringLiteral("Geburtstag");
    const int art = Zelle_Breite(kal1, lang, Terminsymbol(Art_Symbol(lang)));
    const auto verteilen = [art](QTreeWidget* liste, const double* twips, int anzahl, int beschreibung) {
        QList<int> breiten;
        for (int i = 0; i < anzahl; ++i)
            breiten << Pixel(twips[i]);
        breiten[0] = std::max(breiten[0], art);
        Spalten_Verteilen(liste, breiten, {beschreibung});
    };
    verteilen(kal1, Masse.Spalten1, 7, 4);
    verteilen(Kal2, Masse.Spalten2, 6, 3);
}

void Form3::closeEvent(QCloseEvent* event)
{
    if (!Lokal_Verwerfen_Erlaubt()) {
        event->ignore();
        return;
    }
    Werkzeugfenster::closeEvent(event);
}

void Form3::Bereich_Zeigen(const Form3Layout::Masse& m)
{
    kal1->resize(kal1->width(), Pixel(m.Kal1Hoehe));
    if (m.Lokal) {
        Kal2->resize(Kal2->width(), Pixel(m.Kal2Hoehe));
        Toolbar2->move(Toolbar2->x(), Pixel(m.Toolbar2Oben));
        Label2[0]->move(Label2[0]->x(), Pixel(m.Toolbar2Oben));
        Kal2->move(Kal2->x(), Pixel(m.Kal2Oben));
    }
    Kal2->setVisible(m.Lokal);
    Toolbar2->setVisible(m.Lokal);
    Label2[0]->setVisible(m.Lokal);
}

void Form3::Toolbar5_ButtonClick()
{
    QWidget* r = Rahmen();
    const Form3Layout::Masse m = Form3Layout::Umschalten(Platzierung::Twips(r->width()),
                                                         Platzierung::Twips(r->height()), Lokalknopf()->isChecked());
    Masse.Lokal = m.Lokal;
    Masse.Kal1Hoehe = m.Kal1Hoehe;
    Masse.Kal2Hoehe = m.Kal2Hoehe;
    Masse.Toolbar2Oben = m.Toolbar2Oben;
    Masse.Kal2Oben = m.Kal2Oben;
    Bereich_Zeigen(Masse);
}

// ---- Sorting ------------------------------------------------------------------------------

void Form3::Sortieren(QTreeWidget* liste, Sortierung& s, int spalte, int art)
{
    s.Spalte = spalte;
    s.Richtung = Module3::Richtung_Wechseln(spalte);
    s.Art = art;
    Neu_Sortieren(liste, s);
}

void Form3::Neu_Sortieren(QTreeWidget* liste, const Sortierung& s)
{
    if (s.Spalte > 0)
        Module3::ListView_Sortieren(liste, s.Spalte, s.Art, s.Richtung);
}

void Form3::kal1_ColumnClick(int spalte)
{
    // The slot is no date: as one, every Index would read as unreadable and stay in place.
    int art = Module3::Text;
    if (spalte == 2)
        art = Module3::Zahl;
    else if (spalte == 3 || spalte == 4)
        art = Module3::Datum;
    Sortieren(kal1, m_sortMobil, spalte, art);
}

void Form3::Kal2_ColumnClick(int spalte)
{
    Sortieren(Kal2, m_sortLokal, spalte, spalte == 2 || spalte == 3 ? Module3::Datum : Module3::Text);
}

// ---- Toolbars -----------------------------------------------------------------------------

bool Form3::Loeschen_Bestaetigt() const
{
    return !LoeschenRueckfrage ||
           MsgBox(QStringLiteral("Eintrag/Einträge wirklich löschen?"), Dialoge::Symbol::Frage,
                  Dialoge::Tasten::JaNein, Dialoge::Antwort::Nein, QStringLiteral("LÖSCHEN")) == Dialoge::Antwort::Ja;
}

void Form3::Toolbar1_ButtonClick(const QString& schluessel)
{
    Aktion aktion;
    if (schluessel == QLatin1String("refresh")) {
        kal1->clear();
        // Only a complete read makes writing safe without the warning; one that stops early
        // leaves the later slots unread.
        TermineGelesen = Termine_Lesen();
    } else if (schluessel == QLatin1String("save")) {
        saveTERMINE();
    } else if (schluessel == QLatin1String("new")) {
        Termin_Anlegen();
    } else if (schluessel == QLatin1String("edit")) {
        Termin_Bearbeiten();
    } else if (schluessel == QLatin1String("kill")) {
        if (kal1->topLevelItemCount() == 0 || !Hat_Auswahl(kal1) || !Loeschen_Bestaetigt())
            return;
        bool veraendert = false;
        Markierte_Abarbeiten(kal1, [this, &veraendert](int position) { return Termin_Loeschen(position, veraendert); });
        if (veraendert)
            Veraendert_Melden(QStringLiteral("Der Termin wurde im Handy verändert und nicht gelöscht."));
    }
}

void Form3::Toolbar2_ButtonClick(const QString& schluessel)
{
    if (schluessel == QLatin1String("load")) {
        TermineLaden_fromdisk();
    } else if (schluessel == QLatin1String("new")) {
        DialogModus = QStringLiteral("aendern");
        Termin_Dialog(nullptr);
        if (DialogModus != QLatin1String("cancel"))
            neuerTermin_LOKAL();
    } else if (schluessel == QLatin1String("save")) {
        saveTERMINElokal();
    } else if (schluessel == QLatin1String("edit")) {
        Terminedit_LOKAL();
    } else if (schluessel == QLatin1String("kill")) {
        if (Kal2->topLevelItemCount() == 0 || !Hat_Auswahl(Kal2) || !Loeschen_Bestaetigt())
            return;
        Markierte_Abarbeiten(Kal2, [this](int position) {
            delete Kal2->topLevelItem(position - 1);
            return Zeilenschritt::Entfernt;
        });
    }
}

void Form3::kal1_DblClick()
{
    Aktion aktion;
    Termin_Bearbeiten();
}

void Form3::Kal2_DblClick() { Terminedit_LOKAL(); }

// ---- Drag and drop ------------------------------------------------------------------------

void Form3::kal1_DragDrop()
{
    Aktion aktion;
    if (!ZiehenLokal)
        return;
    ZiehenLokal = false;
    Lokal_Nach_Mobil();
}

void Form3::Kal2_DragDrop()
{
    if (!ZiehenMobil)
        return;
    ZiehenMobil = false;
    Mobil_Nach_Lokal();
}

void Form3::Lokal_Nach_Mobil()
{
    QList<TerminObjekt> objekte;
    for (int i = 0; i < Kal2->topLevelItemCount(); ++i) {
        if (!Kal2->topLevelItem(i)->isSelected())
            continue;
        // A hand-edited row whose date or time cannot be read would reach the phone as garbage.
        const std::optional<TerminObjekt> objekt = Objekt_Aus_Zeile(Zeile_Lesen(Kal2->topLevelItem(i), false));
        if (!objekt) {
            Lesefehler_Melden();
            return;
        }
        objekte << *objekt;
    }
    if (!TermineGelesen && !Schreiben_Bestaetigt())
        return;
    // Each upload adds its row, so the next one finds the next free slot. The first failure,
    // told once, ends the drop: a full calendar or a silent phone stays so for the rows after it.
    for (const TerminObjekt& objekt : objekte) {
        if (!Objekt_Speichern(Neuer_Termin_Datei(), objekt)) {
            Schreibfehler_Melden();
            return;
        }
        if (!Termin_Schreiben())
            return;
    }
}

void Form3::Mobil_Nach_Lokal()
{
    QList<QTreeWidgetItem*> neu;
    for (int i = 0; i < kal1->topLevelItemCount(); ++i)
        if (kal1->topLevelItem(i)->isSelected())
            neu << Zeile_Anfuegen(Kal2, Zeile_Lesen(kal1->topLevelItem(i), true), false);
    if (neu.isEmpty())
        return;
    Kal2->clearSelection();
    for (QTreeWidgetItem* item : neu)
        item->setSelected(true);
    Kal2->setCurrentItem(neu.last(), 0, QItemSelectionModel::NoUpdate);
    Kal2->scrollToItem(neu.last());
}

// ---- Phone appointments -------------------------------------------------------------------

Zeilenschritt Form3::Termin_Loeschen(int position, bool& veraendert)
{
    return Termin_Entfernen(position, veraendert);
}

void Form3::Veraendert_Melden(const QString& text)
{
    MsgBox(text, Dialoge::Symbol::Kritisch);
    Neu_Sortieren(kal1, m_sortMobil);  // the rows that took the phone's appointments
}

void Form3::Termin_Bearbeiten()
{
    if (kal1->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* item = Module3::Ausgewaehlte_Zeile(kal1);
    if (!item)
        return;
    Link().Text1.clear();
    Link().Text2.clear();
    const TerminZeile zeile = Zeile_Lesen(item, true);
    // OK without a change leaves no file: nothing is written.
    if (!Termin_Dialog(&zeile, Objektzeilen_Von(item)))
        return;
    // Only the appointment the dialog showed is written over.
    switch (Termin_Pruefen(item, QStringLiteral("Ändere Eintrag."))) {
    case Platzvergleich::Unlesbar:
        return;
    case Platzvergleich::Leer:
    case Platzvergleich::Anders:
        Veraendert_Melden(QStringLiteral("Der Termin wurde im Handy verändert und nicht geändert."));
        return;
    case Platzvergleich::Wie_Gelistet:
        break;
    }
    const int platz = zeile.Index.trimmed().toInt();
    const int position = kal1->indexOfTopLevelItem(item);
    // No delete before: the phone replaces the slot's object. The row goes only once it has:
    // after a failure the phone still holds something in the slot, so it stays occupied.
    if (!Termin_Hochladen(platz, QStringLiteral("Ändere Eintrag.")))
        return;
    delete kal1->takeTopLevelItem(position);
    Termin_Einlesen(QString::number(platz));
    Status_Setzen(QStringLiteral("Fertig."));
    Neu_Sortieren(kal1, m_sortMobil);
}

// ---- Local appointments and ".kal" files --------------------------------------------------

bool Form3::Liste_Sichern(QTreeWidget* liste, bool mitIndex, const QString& schluessel, const QString& vorgabe,
                          Textdatei::Kodierung kodierung)
{
    // An empty local list is written only once the user emptied it.
    if (liste->topLevelItemCount() == 0 && !(liste == Kal2 && m_lokalstand.Geaendert(Kal2)))
        return false;
    Dialoge::Dateiwahl wahl;
    wahl.Filter = KalFilter;
    wahl.Startdatei = Startordner(schluessel);
    // The German date whatever the locale: a "/" would be a folder.
    wahl.Vorgabename = vorgabe + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(".kal");
    const std::optional<QString> datei = Dialoge::Aktuell().Datei_Speichern(wahl);
    if (!datei)
        return false;
    QStringList zeilen;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        zeilen << KalZeile_Schreiben(Zeile_Lesen(liste->topLevelItem(i), mitIndex));
    if (!Textdatei::Schreiben(*datei, zeilen, kodierung)) {
        Schreibfehler_Melden();
        return false;
    }
    Einstellungen::Speichern(Config, schluessel, *datei);  // remembered only once saved
    return true;
}

void Form3::saveTERMINE()
{
    Liste_Sichern(kal1, true, QStringLiteral("PATH8"), QStringLiteral("Sicherung vom "), Textdatei::Kodierung::Ansi);
}

bool Form3::saveTERMINElokal()
{
    if (!Liste_Sichern(Kal2, false, QStringLiteral("PATH10"), QStringLiteral("Sicherung (lokal) vom "),
                       m_kodierungLokal))
        return false;
    m_lokalstand.Merken(Kal2);
    return true;
}

bool Form3::Lokal_Verwerfen_Erlaubt()
{
    return m_lokalstand.Verwerfen_Erlaubt(Kal2, [this] { return saveTERMINElokal(); });
}

void Form3::TermineLaden_fromdisk()
{
    if (!Lokal_Verwerfen_Erlaubt())
        return;
    Dialoge::Dateiwahl wahl;
    wahl.Filter = KalFilter;
    wahl.Startdatei = Startordner(QStringLiteral("PATH9"));
    wahl.Vorgabename = QStringLiteral("*.kal");
    const std::optional<QString> datei = Dialoge::Aktuell().Datei_Oeffnen(wahl);
    if (!datei)
        return;
    Einstellungen::Speichern(Config, QStringLiteral("PATH9"), *datei);
    Kal2->clear();

    m_kodierungLokal = Textdatei::Kodierung::Ansi;
    const std::optional<QStringList> zeilen = Textdatei::Lesen(*datei, Textdatei::Kodierung::Ansi, &m_kodierungLokal);
    // An empty file is an emptied list saved.
    bool fehler = !zeilen;
    for (int i = 0; !fehler && i < zeilen->size(); ++i) {
        const std::optional<TerminZeile> zeile = KalZeile_Lesen(zeilen->at(i));
        if (zeile)
            Zeile_Anfuegen(Kal2, *zeile, false);
        else
            fehler = true;
    }
    m_lokalstand.Merken(Kal2);
    if (fehler)
        Lesefehler_Melden();
}

void Form3::neuerTermin_LOKAL()
{
    const std::optional<TerminZeile> zeile = Termindatei_Lesen(Neuer_Termin_Datei(), Textdatei::Kodierung::Ansi);
    if (!zeile)
        return;
    Zeile_Anfuegen(Kal2, *zeile, false);
    QCoreApplication::processEvents();
}

void Form3::Terminedit_LOKAL()
{
    if (Kal2->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* item = Module3::Ausgewaehlte_Zeile(Kal2);
    if (!item)
        return;
    const TerminZeile zeile = Zeile_Lesen(item, false);
    if (!Termin_Dialog(&zeile))
        return;
    // The old row goes only for a new one: an empty file gives none.
    const int position = Kal2->indexOfTopLevelItem(item);
    const int vorher = Kal2->topLevelItemCount();
    neuerTermin_LOKAL();
    if (Kal2->topLevelItemCount() == vorher)
        return;
    delete Kal2->takeTopLevelItem(position);
    Status_Setzen(QStringLiteral("Fertig."));
    Neu_Sortieren(Kal2, m_sortLokal);
}
