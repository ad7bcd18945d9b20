// The organizer window: layout, toolbars, sorting, deleting and editing phone appointments,
// both drag paths, the local appointments and the ".kal" files.
#include "OrganizerHilfen.h"

#include "common/Einstellungen.h"
#include "common/Module3.h"
#include "link/Handytyp.h"
#include "link/Module2.h"
#include "organizer/Form10.h"
#include "organizer/Form3.h"
#include "organizer/Termine.h"
#include "organizer/Terminliste.h"
#include "phonebook/Eintraege.h"
#include "support/Testdateien.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QSet>
#include <QToolBar>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using namespace Module1;
using namespace organizer_test;

namespace {

TerminZeile Zeile(const char* art, const char* index, const char* datum, const char* uhrzeit, const char* text,
                  const char* alarm = "", const char* wdh = "")
{
    return TerminZeile{QString::fromUtf8(art), QLatin1String(index), QLatin1String(datum), QLatin1String(uhrzeit),
                       QString::fromUtf8(text), QLatin1String(alarm), QLatin1String(wdh)};
}

// ---- Layout ------------------------------------------------------------------------------

TEST(Form3Layout, TheDesignSize)
{
    const Form3Layout::Masse geteilt = Form3Layout::Berechnen(8200, 6500, true);
    EXPECT_EQ(geteilt.Kal1Breite, 6060);
    EXPECT_EQ(geteilt.Kal1Hoehe, 2250);
    EXPECT_EQ(geteilt.Kal2Hoehe, 2250);
    EXPECT_EQ(geteilt.Toolbar2Oben, 3100);
    EXPECT_EQ(geteilt.Kal2Oben, 3430);
    EXPECT_EQ(geteilt.Spalten1[4], 725);
    EXPECT_EQ(geteilt.Spalten2[3], 1310);
    const double spalten1[7] = {1200, 585, 1100, 700, 725, 700, 700};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(geteilt.Spalten1[i], spalten1[i]);

    const Form3Layout::Masse allein = Form3Layout::Berechnen(8200, 6500, false);
    EXPECT_EQ(allein.Kal1Hoehe, 5280);
    EXPECT_EQ(Form3Layout::Kal1Oben + allein.Kal1Hoehe, 6500 - 740);

    EXPECT_EQ(Form3Layout::Umschalten(8200, 6500, true).Kal2Hoehe, 1730);
    EXPECT_LT(Form3Layout::Berechnen(7000, 6500, true).Spalten1[4], 0);  // left as it was
}

// ---- The window --------------------------------------------------------------------------

class Organizerfenster : public ::testing::Test, protected OrganizerSim {
protected:
    Organizerfenster()
    {
        TermineGelesen = false;
        Freie_Plaetze() = {};
        Handytyp = QStringLiteral("35");
        LoeschenRueckfrage = false;
        Module3::SortierRichtung.fill(false);
        QDir().mkpath(Programmordner());
        QFile::remove(Neuer_Termin_Datei());
        f = Form3::Instanz();
    }
    ~Organizerfenster() override
    {
        delete Form3::Instanz();
        TermineGelesen = false;
        Freie_Plaetze() = {};
        LoeschenRueckfrage = true;
        Module3::SortierRichtung.fill(false);
        Form10::Bedienung = nullptr;
        QFile::remove(Neuer_Termin_Datei());
    }

    void Mobil(const TerminZeile& z) { Zeile_Anfuegen(f->kal1, z, true); }
    // The phone holds these appointments and the window has read them; the wire and the status
    // start afresh.
    void Eingelesen(const std::map<int, std::string>& termine)
    {
        for (const auto& [platz, bytes] : termine)
            Termin_Setzen(platz, bytes);
        f->Toolbar1_ButtonClick("refresh");
        u.Handy->Empfangen_Loeschen();
        anzeige.Status.clear();
    }
    void Lokal(const TerminZeile& z) { Zeile_Anfuegen(f->Kal2, z, false); }
    void Waehlen(QTreeWidget* liste, std::initializer_list<int> zeilen)
    {
        for (int z : zeilen)
            liste->topLevelItem(z)->setSelected(true);
    }
    static QStringList Spalte(const QTreeWidget* liste, int spalte)
    {
        QStringList werte;
        for (int i = 0; i < liste->topLevelItemCount(); ++i)
            werte << liste->topLevelItem(i)->text(spalte);
        return werte;
    }
    static void Ablegen(Terminliste* ziel, const QString& quelle)
    {
        // The drop reaches only the widget that took the drag on its way in.
        QMimeData daten;
        daten.setData(Terminliste::Format, quelle.toUtf8());
        QDragEnterEvent herein(QPoint(5, 5), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(ziel->viewport(), &herein);
        QDropEvent ereignis(QPointF(5, 5), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(ziel->viewport(), &ereignis);
        QCoreApplication::processEvents();  // the phone work follows the drag
    }
    static int Pixel(int twips) { return twips / 15; }

    Form3* f = nullptr;
};

TEST_F(Organizerfenster, ControlsAsDesigned)
{
    EXPECT_EQ(f->windowTitle(), "Organizer bearbeiten");
    EXPECT_EQ(f->Label2[1]->text(), "MOBIL");
    EXPECT_EQ(f->Label2[0]->objectName(), "Label2_0");
    EXPECT_EQ(f->kal1->headerItem()->text(1), "Index");
    EXPECT_EQ(f->Kal2->headerItem()->text(1), "Datum");
    EXPECT_EQ(f->Kal2->headerItem()->text(5), "Wdh.");
    const struct {
        QToolBar* leiste;
        const char* schluessel;
        const char* tipp;
    } knoepfe[] = {
        {f->Toolbar1, "refresh", "Einträge einlesen"},
        {f->Toolbar1, "save", "Einträge auf Festplatte sichern"},
        {f->Toolbar1, "new", "Neuer Termin"},
        {f->Toolbar1, "edit", "Termin bearbeiten"},
        {f->Toolbar1, "kill", "Ausgewählte(n) Termin(e) löschen"},
        {f->Toolbar2, "load", "Lokale Termine laden"},
        {f->Toolbar2, "save", "Lokale Termine auf Festplatte speichern"},
        {f->Toolbar2, "new", "Neuer Termin (lokal)"},
        {f->Toolbar2, "edit", "Termin bearbeiten"},
        {f->Toolbar2, "kill", "Ausgewählte(n) Termin(e) löschen"},
    };
    for (const auto& k : knoepfe) {
        QAction* a = Form3::Knopf(k.leiste, QLatin1String(k.schluessel));
        ASSERT_NE(a, nullptr) << k.schluessel;
        EXPECT_EQ(a->toolTip(), QString::fromUtf8(k.tipp));
    }
    EXPECT_EQ(f->Lokalknopf()->text(), "&Lokale Termine");
    EXPECT_EQ(f->Lokalknopf()->toolTip(), "Lokale Termine ein- / ausblenden");
    EXPECT_TRUE(f->Lokalknopf()->isChecked());
}

// The pane switch is the only way back to a hidden pane: it must look like a button, pressed
// or not, with its bevel drawn around the caption and not bare text on the window.
TEST_F(Organizerfenster, PaneSwitchIsDrawnAsAButtonInBothStates)
{
    f->show();
    QWidget* knopf = f->Toolbar5->widgetForAction(f->Lokalknopf());
    ASSERT_NE(knopf, nullptr);
    const auto randfarben = [&] {
        const QImage bild = knopf->grab().toImage();
        QSet<QRgb> farben;
        for (int y = 0; y < bild.height(); ++y)
            farben << bild.pixel(0, y) << bild.pixel(bild.width() - 1, y);
        for (int x = 0; x < bild.width(); ++x)
            farben << bild.pixel(x, 0) << bild.pixel(x, bild.height() - 1);
        return farben;
    };
    const QRgb grund = f->palette().color(QPalette::Window).rgb();
    const QSet<QRgb> gedrueckt = randfarben();
    f->Lokalknopf()->trigger();
    ASSERT_FALSE(f->Lokalknopf()->isChecked());
    const QSet<QRgb> los = randfarben();
    EXPECT_FALSE(gedrueckt == QSet<QRgb>{grund});
    EXPECT_FALSE(los == QSet<QRgb>{grund}) << "released, the button is bare text";
}

TEST_F(Organizerfenster, SizeAndPane)
{
    f->show();
    f->resize(Pixel(7000), Pixel(5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(f->size(), QSize(Pixel(8200), Pixel(6500)));
    EXPECT_TRUE(f->Kal2->isVisible());
    // The layout of 8190 x 6495 twips, to the pixel.
    EXPECT_NEAR(f->kal1->height(), 2247.5 / 15, 1);
    EXPECT_NEAR(f->Kal2->y(), 3427.5 / 15, 1);
    EXPECT_NEAR(f->Toolbar2->y(), 3097.5 / 15, 1);
    // "Beschreibung" would get 715 twips, less than its heading needs: it takes the heading's width.
    const int kopf = f->kal1->header()->fontMetrics().horizontalAdvance(QStringLiteral("Beschreibung"));
    EXPECT_GT(kopf, 715 / 15);
    EXPECT_GT(f->kal1->header()->sectionSize(4), kopf);
    EXPECT_EQ(f->kal1->header()->sectionSize(2), 1100 / 15);  // a column whose heading fits as designed

    // Hidden, the pane stays hidden through a size change, and the phone list takes its room.
    f->Lokalknopf()->trigger();
    for (QWidget* w : {static_cast<QWidget*>(f->Kal2), static_cast<QWidget*>(f->Toolbar2),
                       static_cast<QWidget*>(f->Label2[0])})
        EXPECT_FALSE(w->isVisible());
    f->resize(Pixel(9000), Pixel(7500));
    QCoreApplication::processEvents();
    EXPECT_FALSE(f->Kal2->isVisible());
    EXPECT_EQ(Form3Layout::Kal1Oben + f->Masse.Kal1Hoehe, 7500 - 740);
    EXPECT_EQ(f->kal1->width(), Pixel(9000 - 2140));

    // Shown again by the switch alone, the local list is 520 twips lower than the phone list.
    f->Lokalknopf()->trigger();
    EXPECT_TRUE(f->Kal2->isVisible());
    EXPECT_EQ(f->Masse.Kal2Hoehe, f->Masse.Kal1Hoehe - 520);
    f->resize(Pixel(9000), Pixel(7515));
    QCoreApplication::processEvents();
    EXPECT_EQ(f->Masse.Kal2Hoehe, f->Masse.Kal1Hoehe);
}

TEST_F(Organizerfenster, SortingSharesTheDirectionsByColumnNumber)
{
    Mobil(Zeile("Notiz", "01", "05.03.2001", "10:00", "b"));
    Mobil(Zeile("Notiz", "02", "24.12.2000", "10:00", "C"));
    Mobil(Zeile("Notiz", "03", "01.01.2001", "10:00", "a"));
    f->kal1->header()->sectionClicked(2);  // "Datum"
    EXPECT_EQ(Spalte(f->kal1, 2), (QStringList{"24.12.2000", "01.01.2001", "05.03.2001"}));

    f->kal1->header()->sectionClicked(4);  // "Beschreibung", twice
    f->kal1->header()->sectionClicked(4);
    EXPECT_EQ(Spalte(f->kal1, 4), (QStringList{"C", "b", "a"}));

    // The local "Datum" is column 2 like the phone "Index": the next Index sort is descending.
    f->Kal2->header()->sectionClicked(1);
    f->kal1->header()->sectionClicked(1);
    EXPECT_EQ(Spalte(f->kal1, 1), (QStringList{"03", "02", "01"}));
}

TEST_F(Organizerfenster, KillWalksTheSelectedRows)
{
    // Nothing happens on an empty list or without a selection.
    f->Toolbar1_ButtonClick("kill");
    const std::string notiz = sim::VCalendar({"CATEGORIES:MEMO", "DTSTART:20010101T100000", "DESCRIPTION:x"});
    Eingelesen({{1, notiz}, {3, notiz}, {5, notiz}, {7, notiz}, {9, notiz}});
    f->Toolbar1_ButtonClick("kill");
    EXPECT_TRUE(Empfangen().isEmpty());

    Waehlen(f->kal1, {1, 2});
    LoeschenRueckfrage = true;
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Form3::Knopf(f->Toolbar1, "kill")->trigger();
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    const auto& frage = u.Dialoge.Meldungen[0];
    EXPECT_EQ(frage.text, "Eintrag/Einträge wirklich löschen?");
    EXPECT_EQ(frage.titel, "LÖSCHEN");
    EXPECT_EQ(frage.symbol, Dialoge::Symbol::Frage);
    EXPECT_EQ(frage.standard, Dialoge::Antwort::Nein);
    EXPECT_TRUE(Empfangen().isEmpty());

    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Form3::Knopf(f->Toolbar1, "kill")->trigger();
    EXPECT_EQ(Empfangen(), "AT^SBNR=vcs,3\r\nAT^SBNW=vcs,3,0\r\nAT^SBNR=vcs,5\r\nAT^SBNW=vcs,5,0\r\n");
    EXPECT_EQ(Spalte(f->kal1, 1), (QStringList{"01", "07", "09"}));
    EXPECT_EQ(anzeige.Status,
              (QStringList{"Lösche Termin (03)...", "Fertig.", "Lösche Termin (05)...", "Fertig."}));

    // A refused delete keeps its row, and the walk goes on.
    LoeschenRueckfrage = false;
    u.Handy->Antwort_Setzen("AT^SBNW=vcs,7,0", sim::Error(), 1);
    Waehlen(f->kal1, {1, 2});
    f->Toolbar1_ButtonClick("kill");
    EXPECT_EQ(Spalte(f->kal1, 1), (QStringList{"01", "07"}));
    EXPECT_TRUE(Empfangen().endsWith("AT^SBNW=vcs,9,0\r\n"));

    // The local list forgets its selected rows and tells the phone nothing.
    for (const char* d : {"01.01.2001", "02.01.2001", "03.01.2001"})
        Lokal(Zeile("Notiz", "", d, "10:00", "x"));
    Waehlen(f->Kal2, {0, 2});
    u.Handy->Empfangen_Loeschen();
    f->Toolbar2_ButtonClick("kill");
    EXPECT_EQ(Spalte(f->Kal2, 1), QStringList{"02.01.2001"});
    EXPECT_TRUE(Empfangen().isEmpty());
}

// A slot that cannot be read is not deleted, and the walk ends there, told once.
TEST_F(Organizerfenster, KillStopsAtTheFirstSlotItCannotRead)
{
    for (const char* i : {"03", "05", "07"})
        Mobil(Zeile("Notiz", i, "01.01.2001", "10:00", "x"));
    Waehlen(f->kal1, {0, 1, 2});
    u.Handy->Antwort_Setzen("AT^SBNR=vcs,3", "\r\n^SBNR: \"vcs\",3,1,1\r\nZZ0D0A0D0A0D0A0D0A0D0A\r\nOK\r\n", 1);
    Form3::Knopf(f->Toolbar1, "kill")->trigger();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte "
                                             "versuchen Sie es erneut."});
    EXPECT_EQ(Empfangen(), "AT^SBNR=vcs,3\r\n");
    EXPECT_EQ(f->kal1->topLevelItemCount(), 3);

    // A silent phone: the first read times out.
    u.Handy->Empfangen_Loeschen();
    u.Handy->Stumm_Setzen(true);
    Form3::Knopf(f->Toolbar1, "kill")->trigger();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u) << u.Dialoge.Texte().join("|").toStdString();
    EXPECT_EQ(Empfangen(), "AT^SBNR=vcs,3\r\n");
    EXPECT_EQ(f->kal1->topLevelItemCount(), 3);
}

TEST_F(Organizerfenster, AnEditIsWrittenIntoItsOwnSlot)
{
    Eingelesen({{3, sim::VCalendar({"CATEGORIES:MEETING", "DTSTART:20010101T100000", "DESCRIPTION:a"})},
                {12, sim::VCalendar({"CATEGORIES:PHONE CALL", "DALARM:20010305T090500", "DTSTART:20010305T090500",
                                     "RRULE:W1", "DESCRIPTION:0171"})},
                {20, sim::VCalendar({"CATEGORIES:MEMO", "DTSTART:20010601T100000", "DESCRIPTION:c"})}});
    f->kal1->header()->sectionClicked(2);  // sorted by date before
    f->kal1->topLevelItem(1)->setSelected(true);
    Form10::Bedienung = [](Form10& d) {
        EXPECT_EQ(d.windowTitle(), "Eintrag bearbeiten");
        EXPECT_EQ(d.Typ(), 1);
        d.Option1[0]->click();
        d.MonthView1->setSelectedDate(QDate(2000, 12, 24));
        d.DT1->setTime(QTime(18, 30, 0));
        d.Check1->setChecked(false);
        d.Option2[0]->click();
        d.Text1->setText("Weihnachten");
        d.Command1->click();
    };
    f->kal1_DblClick();
    EXPECT_EQ(Empfangen(),
              QByteArray("AT^SBNR=vcs,12\r\nAT^SBNW=vcs,12,1,2\r\n") +
                  "424547494E3A5643414C454E4441520D0A56455253494F4E3A312E300D0A424547494E3A564556454E540D0A43415445"
                  "474F524945533A4D454D4F0D0A445453544152543A3230303031323234543138333030300D0A4445\x1A"
                  "AT^SBNW=vcs,12,2,2\r\n"
                  "534352495054494F4E3A576569686E61636874656E0D0A454E443A564556454E540D0A454E443A5643414C454E444152"
                  "0D0A\x1A");
    EXPECT_EQ(Spalte(f->kal1, 1), (QStringList{"12", "03", "20"}));  // placed by date again
    EXPECT_EQ(Zeile_Lesen(f->kal1->topLevelItem(0), true),
              Zeile("Notiz", "12", "24.12.2000", "18:30", "Weihnachten"));
    // The read of the slot, then the upload.
    EXPECT_EQ(anzeige.Status, (QStringList{"Ändere Eintrag.", "Ändere Eintrag.", "Fertig."}));
    EXPECT_FALSE(QFile::exists(Neuer_Termin_Datei()));
}

TEST_F(Organizerfenster, AnEditChangesOnThePhoneOnlyWhatChangedInTheDialog)
{
    std::vector<std::string> zeilen{"CATEGORIES:MEETING",     "DALARM:20240315T094500", "DTSTART:20240315T100000",
                                    "DTEND:20240315T110000", "RRULE:W1 FR #9",        "DESCRIPTION:Zahnarzt"};
    Termin_Setzen(1, sim::VCalendar(zeilen));
    f->Toolbar1_ButtonClick("refresh");
    ASSERT_EQ(f->kal1->topLevelItemCount(), 1);
    f->kal1->topLevelItem(0)->setSelected(true);
    u.Handy->Empfangen_Loeschen();
    Form10::Bedienung = [](Form10& d) {
        EXPECT_TRUE(d.Check1->isChecked());
        EXPECT_EQ(d.Wiederholung(), -1);  // its own rule, which no button expresses
        d.Command1->click();
    };
    f->Toolbar1_ButtonClick("edit");
    EXPECT_TRUE(Empfangen().isEmpty());
    EXPECT_EQ(Termin(1), sim::VCalendar(zeilen));

    // A later start takes its alarm along; every line the dialog does not show stays.
    Form10::Bedienung = [](Form10& d) {
        d.DT1->setTime(QTime(10, 30, 0));
        d.Text1->setText("Zahnarzt Dr. B");
        d.Command1->click();
    };
    f->Toolbar1_ButtonClick("edit");
    zeilen[1] = "DALARM:20240315T101500";
    zeilen[2] = "DTSTART:20240315T103000";
    zeilen[5] = "DESCRIPTION:Zahnarzt Dr. B";
    EXPECT_EQ(Termin(1), sim::VCalendar(zeilen));
    EXPECT_EQ(Spalte(f->kal1, 6), QStringList{"W1 FR #9"});
}

TEST_F(Organizerfenster, CancelledOrFailedEdits)
{
    f->Toolbar1_ButtonClick("edit");  // an empty list: nothing
    Eingelesen({{12, sim::VCalendar({"CATEGORIES:PHONE CALL", "DTSTART:20010305T090500", "DESCRIPTION:0171"})}});
    Datei_Anlegen(Neuer_Termin_Datei(), QByteArray::fromStdString(sim::VCalendar({"DESCRIPTION:alt"})));
    int gezeigt = 0;
    Form10::Bedienung = [&](Form10& d) {
        ++gezeigt;
        d.Command2_Click();
    };
    f->Toolbar1_ButtonClick("edit");  // no row selected: nothing
    f->kal1->topLevelItem(0)->setSelected(true);
    f->Toolbar1_ButtonClick("edit");
    EXPECT_EQ(gezeigt, 1);
    EXPECT_TRUE(Empfangen().isEmpty());  // not even with a file left behind
    EXPECT_EQ(Spalte(f->kal1, 4), QStringList{"0171"});

    // A failed upload leaves the row and the file for another try.
    u.Handy->Schweigen_Bei("AT^SBNW=vcs,12,1");
    Form10::Bedienung = [](Form10& d) {
        d.Text1->setText("0172");
        d.Command1->click();
    };
    f->Termin_Bearbeiten();
    EXPECT_EQ(Spalte(f->kal1, 4), QStringList{"0171"});
    EXPECT_TRUE(QFile::exists(Neuer_Termin_Datei()));
    EXPECT_EQ(anzeige.Wert(), 1);
    EXPECT_FALSE(anzeige.Status.contains("Fertig."));
}

TEST_F(Organizerfenster, AFailedEditKeepsItsSlotFromTheNextNewAppointment)
{
    Eingelesen({{1, sim::VCalendar({"DTSTART:20010305T090500", "DESCRIPTION:alt"})}});
    f->kal1->topLevelItem(0)->setSelected(true);
    Form10::Bedienung = [](Form10& d) {
        d.Text1->setText("neu");
        d.Command1->click();
    };
    u.Handy->Antwort_Setzen("AT^SBNW=vcs,1,1", "\r\nERROR\r\n", 1);
    f->Toolbar1_ButtonClick("edit");
    ASSERT_TRUE(u.Handy->Warten_Auf_Empfang("\x1b", 3000));  // the refused prompt is cancelled
    u.Handy->Empfangen_Loeschen();
    f->Toolbar1_ButtonClick("new");
    // The probe after the failed prompt first.
    EXPECT_TRUE(Empfangen().startsWith("ATS3?\r\nAT^SBNR=vcs,2\r\nAT^SBNW=vcs,2,1,"));
    EXPECT_EQ(Termin(1), sim::VCalendar({"DTSTART:20010305T090500", "DESCRIPTION:alt"}));
    EXPECT_EQ(Spalte(f->kal1, 1), (QStringList{"01", "02"}));
}

// After the refresh the handset stores another appointment in slot 1: the edit writes nothing,
// and the row shows the handset's appointment, which a later edit changes.
TEST_F(Organizerfenster, AnEditLeavesAnAppointmentChangedOnTheHandset)
{
    Eingelesen({{1, sim::VCalendar({"CATEGORIES:MEMO", "DTSTART:20240315T093000", "DESCRIPTION:Zahnarzt"})}});
    const std::vector<std::string> handy{"CATEGORIES:MEETING", "DTSTART:20240316T100000", "DESCRIPTION:Arzt vom Handy"};
    Termin_Setzen(1, sim::VCalendar(handy));
    f->kal1->topLevelItem(0)->setSelected(true);
    Form10::Bedienung = [](Form10& d) {
        d.Text1->setText("Zahnarzt Dr. B");
        d.Command1->click();
    };
    f->Toolbar1_ButtonClick("edit");
    EXPECT_EQ(Empfangen(), "AT^SBNR=vcs,1\r\n");
    EXPECT_EQ(Termin(1), sim::VCalendar(handy));
    EXPECT_EQ(Zeile_Lesen(f->kal1->topLevelItem(0), true),
              Zeile("Treffen", "01", "16.03.2024", "10:00", "Arzt vom Handy"));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Der Termin wurde im Handy verändert und nicht geändert."});

    f->Toolbar1_ButtonClick("edit");
    EXPECT_EQ(Termin(1), sim::VCalendar({handy[0], handy[1], "DESCRIPTION:Zahnarzt Dr. B"}));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

// After the refresh the handset stores another appointment in slot 1 and deletes the one in
// slot 2: deleting rows 01 to 03 deletes slot 3 alone.
TEST_F(Organizerfenster, ADeleteLeavesAppointmentsChangedOnTheHandset)
{
    const std::string zahnarzt = sim::VCalendar({"CATEGORIES:MEMO", "DTSTART:20240315T093000", "DESCRIPTION:Zahnarzt"});
    Eingelesen({{1, zahnarzt}, {2, zahnarzt}, {3, zahnarzt}});
    const std::string handy = sim::VCalendar({"DTSTART:20240316T100000", "DESCRIPTION:Arzt vom Handy"});
    Termin_Setzen(1, handy);
    Termin_Setzen(2, "");
    Waehlen(f->kal1, {0, 1, 2});
    f->Toolbar1_ButtonClick("kill");
    EXPECT_EQ(Empfangen(), "AT^SBNR=vcs,1\r\nAT^SBNR=vcs,2\r\nAT^SBNR=vcs,3\r\nAT^SBNW=vcs,3,0\r\n");
    EXPECT_EQ(Termin(1), handy);
    EXPECT_EQ(Spalte(f->kal1, 1), QStringList{"01"});
    EXPECT_EQ(Spalte(f->kal1, 4), QStringList{"Arzt vom Handy"});
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Der Termin wurde im Handy verändert und nicht gelöscht."});
}

TEST_F(Organizerfenster, LocalRowsDroppedOnThePhoneGoToFreeSlots)
{
    Mobil(Zeile("Notiz", "01", "01.01.2001", "10:00", "a"));
    Mobil(Zeile("Notiz", "02", "01.01.2001", "10:00", "b"));
    Lokal(Zeile("Treffen", "", "24.12.2000", "09:05", "eins", "Ja", "Monat"));
    Lokal(Zeile("Notiz", "", "25.12.2000", "10:00", "nicht gewählt"));
    Lokal(Zeile("HOLIDAY", "", "26.12.2000", "11:00", "zwei", "", "W1 #0"));
    Lokal(Zeile("Anruf", "", "27.12.2000", "12:00", "0171", "", "Tag"));
    Waehlen(f->Kal2, {0, 2, 3});
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    f->ZiehenLokal = true;
    Ablegen(f->kal1, "Kal2");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);  // asked once
    EXPECT_TRUE(u.Dialoge.Meldungen[0].text.startsWith("Bevor Sie einen neuen Termin"));
    EXPECT_EQ(Spalte(f->kal1, 1), (QStringList{"01", "02", "03", "04", "05"}));
    EXPECT_EQ(Spalte(f->kal1, 4).mid(2), (QStringList{"eins", "zwei", "0171"}));
    EXPECT_EQ(Termin(3), sim::VCalendar({"CATEGORIES:MEETING", "DALARM:20001224T090500", "DTSTART:20001224T090500",
                                         "RRULE:M1 24", "DESCRIPTION:eins"}));
    EXPECT_EQ(Termin(4), sim::VCalendar({"DTSTART:20001226T110000", "DESCRIPTION:zwei"}));
    EXPECT_FALSE(f->ZiehenLokal);
}

TEST_F(Organizerfenster, ADropOntoAFullCalendarSaysSoOnce)
{
    for (int p = 1; p <= 29; ++p)
        Termin_Setzen(p, sim::VCalendar({"DESCRIPTION:Platz " + std::to_string(p)}));
    f->Toolbar1_ButtonClick("refresh");
    ASSERT_TRUE(TermineGelesen);
    for (const char* text : {"eins", "zwei", "drei"})
        Lokal(Zeile("Notiz", "", "01.01.2001", "10:00", text));
    Waehlen(f->Kal2, {0, 1, 2});
    f->ZiehenLokal = true;
    Ablegen(f->kal1, "Kal2");
    EXPECT_EQ(Termin(30), sim::VCalendar({"CATEGORIES:MEMO", "DTSTART:20010101T100000", "DESCRIPTION:eins"}));
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Kalender voll!");
}

TEST_F(Organizerfenster, AHandEditedLocalRowIsDroppedAsItsDateOrRefused)
{
    TermineGelesen = true;
    Lokal(Zeile("Notiz", "", "1.3.2001", "9:05", "kurz"));
    Lokal(Zeile("Notiz", "", "01.03.2001", "10:00", "gut"));
    Lokal(Zeile("Notiz", "", "1.3.01", "10:00", "unlesbar"));
    Waehlen(f->Kal2, {0});
    f->ZiehenLokal = true;
    Ablegen(f->kal1, "Kal2");
    EXPECT_EQ(Termin(1), sim::VCalendar({"CATEGORIES:MEMO", "DTSTART:20010301T090500", "DESCRIPTION:kurz"}));

    // One unreadable row among the selected stops the drop before anything is sent.
    Waehlen(f->Kal2, {1, 2});
    u.Handy->Empfangen_Loeschen();
    f->ZiehenLokal = true;
    Ablegen(f->kal1, "Kal2");
    EXPECT_TRUE(Empfangen().isEmpty());
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Fehler beim Lesen der Datei aufgetreten! Datei scheint fehlerhaft!");
    EXPECT_EQ(f->kal1->topLevelItemCount(), 1);
}

TEST_F(Organizerfenster, ADropActsOnlyForADragFromTheOtherList)
{
    Mobil(Zeile("Treffen", "03", "01.01.2001", "10:00", "a"));
    Lokal(Zeile("Notiz", "", "01.01.2001", "10:00", "b"));
    Waehlen(f->kal1, {0});
    Waehlen(f->Kal2, {0});
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};

    Ablegen(f->kal1, "kal1");  // onto itself
    f->ZiehenLokal = true;
    Ablegen(f->Kal2, "Kal2");
    // A drag from the phone list that ended elsewhere leaves its flag; a later local drag
    // dropped on the local list must not take it for its own.
    f->ZiehenMobil = true;
    Ablegen(f->Kal2, "Kal2");
    Ablegen(f->kal1, "kal1");
    EXPECT_EQ(f->kal1->topLevelItemCount(), 1);
    EXPECT_EQ(f->Kal2->topLevelItemCount(), 1);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(Empfangen().isEmpty());

}

TEST_F(Organizerfenster, PhoneRowsDroppedOnTheLocalListAreCopied)
{
    Mobil(Zeile("Treffen", "03", "01.01.2001", "10:00", "a", "Ja", "Tag"));
    Mobil(Zeile("Notiz", "04", "02.01.2001", "10:00", "b"));
    Mobil(Zeile("Anruf", "05", "03.01.2001", "11:00", "0171"));
    Lokal(Zeile("Notiz", "", "01.01.2001", "10:00", "alt"));
    Waehlen(f->kal1, {0, 2});
    f->Kal2->topLevelItem(0)->setSelected(true);
    f->ZiehenMobil = true;
    Ablegen(f->Kal2, "kal1");
    ASSERT_EQ(f->Kal2->topLevelItemCount(), 3);
    EXPECT_EQ(Zeile_Lesen(f->Kal2->topLevelItem(1), false), Zeile("Treffen", "", "01.01.2001", "10:00", "a", "Ja", "Tag"));
    EXPECT_EQ(Zeilensymbol(f->Kal2->topLevelItem(1)), 1);
    EXPECT_EQ(Zeilensymbol(f->Kal2->topLevelItem(2)), 4);
    EXPECT_EQ(f->Kal2->selectedItems().size(), 2);  // the new rows
    EXPECT_EQ(f->kal1->topLevelItemCount(), 3);
    EXPECT_TRUE(Empfangen().isEmpty());
}

TEST_F(Organizerfenster, RefreshMarksTheAppointmentsReadOnlyWhenComplete)
{
    Termin_Setzen(5, sim::VCalendar({"CATEGORIES:MEETING", "DTSTART:20240315T093000", "DESCRIPTION:x"}));
    Mobil(Zeile("Notiz", "09", "01.01.2001", "10:00", "alt"));
    u.Handy->Schweigen_Bei("AT^SBNR=vcs,30", 1);
    f->Toolbar1_ButtonClick("refresh");
    EXPECT_EQ(Spalte(f->kal1, 1), QStringList{"05"});
    EXPECT_FALSE(TermineGelesen);

    f->Toolbar1_ButtonClick("refresh");
    EXPECT_EQ(Spalte(f->kal1, 1), QStringList{"05"});
    EXPECT_TRUE(TermineGelesen);
}

TEST_F(Organizerfenster, ARingRightAfterASlotsReplyLeavesItsAppointmentWhole)
{
    Termin_Setzen(1, sim::VCalendar({"CATEGORIES:MEETING", "DTSTART:20240315T093000", "DESCRIPTION:Planung"}));
    u.Handy->Nachsatz_Bei("AT^SBNR=vcs,1", "\r\nRING\r\n", 1);
    f->Toolbar1_ButtonClick("refresh");
    EXPECT_EQ(Spalte(f->kal1, 1), QStringList{"01"});
    EXPECT_EQ(Spalte(f->kal1, 2), QStringList{"15.03.2024"});
    EXPECT_EQ(Spalte(f->kal1, 4), QStringList{"Planung"});
    EXPECT_TRUE(TermineGelesen);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Organizerfenster, UnsolicitedLinesInsideASlotLeaveItsAppointmentWhole)
{
    Termin_Setzen(1, sim::VCalendar({"CATEGORIES:MEETING", "DTSTART:20240315T093000", "DESCRIPTION:Planung"}));
    u.Handy->Einschub_Bei("AT^SBNR=vcs,1", "^SBNR:", "\r\nRING\r\n\r\n+CMTI: \"SM\",3\r\n");
    f->Toolbar1_ButtonClick("refresh");
    EXPECT_EQ(Spalte(f->kal1, 4), QStringList{"Planung"});
    EXPECT_TRUE(TermineGelesen);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Organizerfenster, ARefreshOnAFullDiskSaysSoOnceAndIsNotComplete)
{
    Termin_Setzen(5, sim::VCalendar({"DESCRIPTION:eins"}));
    Termin_Setzen(7, sim::VCalendar({"DESCRIPTION:zwei"}));
    {
        Dateigrenze voll;
        f->Toolbar1_ButtonClick("refresh");
    }
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    EXPECT_FALSE(TermineGelesen);
    EXPECT_EQ(Spalte(f->kal1, 1), QStringList{"05"});  // occupied all the same
    EXPECT_EQ(anzeige.Letzter_Status(), "Abgebrochen bei Platz 5: Die Termine wurden nicht vollständig eingelesen!");
}

TEST_F(Organizerfenster, ARefreshThatStopsEarlyLeavesTheUnreadSlotsAlone)
{
    for (int p = 1; p <= 13; ++p)
        Termin_Setzen(p, sim::VCalendar({"DESCRIPTION:Platz " + std::to_string(p)}));
    f->Toolbar1_ButtonClick("refresh");
    ASSERT_TRUE(TermineGelesen);
    u.Handy->Schweigen_Bei("AT^SBNR=vcs,12", 1);
    f->Toolbar1_ButtonClick("refresh");
    EXPECT_EQ(f->kal1->topLevelItemCount(), 11);
    EXPECT_EQ(anzeige.Letzter_Status(), "Abgebrochen bei Platz 12: Die Termine wurden nicht vollständig eingelesen!");

    // "Neu" asks again, and No leaves the phone alone.
    Form10::Bedienung = [](Form10& d) { d.Command1->click(); };
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    u.Handy->Empfangen_Loeschen();
    f->Toolbar1_ButtonClick("new");
    EXPECT_TRUE(u.Dialoge.Meldungen.back().text.startsWith("Bevor Sie einen neuen Termin"));
    EXPECT_TRUE(Empfangen().isEmpty());

    // After Yes a drop of two rows takes the slots the whole read showed free, not 12 and 13.
    Lokal(Zeile("Notiz", "", "01.01.2001", "10:00", "eins"));
    Lokal(Zeile("Notiz", "", "02.01.2001", "10:00", "zwei"));
    Waehlen(f->Kal2, {0, 1});
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    f->ZiehenLokal = true;
    Ablegen(f->kal1, "Kal2");
    EXPECT_EQ(Spalte(f->kal1, 1).mid(11), (QStringList{"14", "15"}));
    EXPECT_EQ(Termin(12), sim::VCalendar({"DESCRIPTION:Platz 12"}));
    EXPECT_EQ(Termin(13), sim::VCalendar({"DESCRIPTION:Platz 13"}));
}

// ---- Local appointments and files ---------------------------------------------------------

TEST_F(Organizerfenster, ANewLocalAppointment)
{
    Form10::Bedienung = [](Form10& d) {
        d.Option1[2]->click();
        d.MonthView1->setSelectedDate(QDate(2001, 3, 1));
        d.DT1->setTime(QTime(9, 5, 0));
        d.Text1->setText("Planung");
        d.Command1->click();
    };
    f->Toolbar2_ButtonClick("new");
    ASSERT_EQ(f->Kal2->topLevelItemCount(), 1);
    EXPECT_EQ(Zeile_Lesen(f->Kal2->topLevelItem(0), false), Zeile("Treffen", "", "01.03.2001", "09:05", "Planung"));
    EXPECT_FALSE(QFile::exists(Neuer_Termin_Datei()));

    // A dialog closed by its close box adds nothing, even with a file left behind.
    Datei_Anlegen(Neuer_Termin_Datei(), QByteArray::fromStdString(sim::VCalendar({"DESCRIPTION:alt"})));
    Form10::Bedienung = [](Form10& d) { d.reject(); };
    f->Toolbar2_ButtonClick("new");
    EXPECT_EQ(DialogModus, "aendern");
    EXPECT_EQ(f->Kal2->topLevelItemCount(), 1);
    EXPECT_TRUE(Empfangen().isEmpty());
}

TEST_F(Organizerfenster, EditingALocalAppointment)
{
    Lokal(Zeile("Notiz", "", "05.03.2001", "10:00", "a"));
    Lokal(Zeile("Notiz", "", "10.01.2001", "10:00", "b"));
    Lokal(Zeile("Notiz", "", "20.02.2001", "10:00", "c"));
    f->Kal2->header()->sectionClicked(1);  // by date
    EXPECT_EQ(Spalte(f->Kal2, 3), (QStringList{"b", "c", "a"}));
    f->Kal2->topLevelItem(1)->setSelected(true);

    Form10::Bedienung = [](Form10& d) { d.Command2->click(); };
    f->Kal2_DblClick();
    EXPECT_EQ(Spalte(f->Kal2, 3), (QStringList{"b", "c", "a"}));

    Form10::Bedienung = [](Form10& d) {
        EXPECT_EQ(d.MonthView1->selectedDate(), QDate(2001, 2, 20));
        d.MonthView1->setSelectedDate(QDate(2001, 12, 1));
        d.Text1->setText("C");
        d.Command1->click();
    };
    f->Toolbar2_ButtonClick("edit");
    EXPECT_EQ(Spalte(f->Kal2, 3), (QStringList{"b", "a", "C"}));
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");
}

TEST_F(Organizerfenster, TheDialogKeepsEveryCharacterOnlyThePhoneGetsItsOwnSet)
{
    const QString ein = Programmdatei("ein.kal");
    const QString aus = Programmdatei("aus.kal");
    Datei_Anlegen(ein, "Notiz\t05.03.2001\t10:00\t\x84Zahnarzt\x93 \x96 M\xFCller\t\t\r\n");
    u.Dialoge.Dateien = {ein, aus};
    f->Toolbar2_ButtonClick("load");
    f->Kal2->topLevelItem(0)->setSelected(true);
    Form10::Bedienung = [](Form10& d) {
        d.DT1->setTime(QTime(11, 0, 0));
        d.Command1->click();
    };
    f->Toolbar2_ButtonClick("edit");
    const auto eintritt = [](Form10& d) {
        d.MonthView1->setSelectedDate(QDate(2001, 3, 6));
        d.DT1->setTime(QTime(20, 0, 0));
        d.Text1->setText(QStringLiteral("Eintritt 5 €"));
        d.Command1->click();
    };
    Form10::Bedienung = eintritt;
    f->Toolbar2_ButtonClick("new");
    EXPECT_EQ(Spalte(f->Kal2, 3), (QStringList{QStringLiteral("„Zahnarzt“ – Müller"), QStringLiteral("Eintritt 5 €")}));
    f->Toolbar2_ButtonClick("save");
    EXPECT_EQ(Datei_Lesen(aus), "Notiz\t05.03.2001\t11:00\t\x84Zahnarzt\x93 \x96 M\xFCller\t\t\r\n"
                                "Notiz\t06.03.2001\t20:00\tEintritt 5 \x80\t\t\r\n");

    // The phone holds ISO 8859-1: its list shows the "?" it got.
    TermineGelesen = true;
    f->Toolbar1_ButtonClick("new");
    EXPECT_NE(Termin(1).find("\r\nDESCRIPTION:Eintritt 5 ?\r\n"), std::string::npos);
    EXPECT_EQ(Spalte(f->kal1, 4), QStringList{"Eintritt 5 ?"});

    // The row keeps the object as the phone gives it back: the phone holds what it shows.
    f->kal1->topLevelItem(0)->setSelected(true);
    Form10::Bedienung = [](Form10& d) {
        d.DT1->setTime(QTime(21, 0, 0));
        d.Command1->click();
    };
    f->Toolbar1_ButtonClick("edit");
    EXPECT_NE(Termin(1).find("\r\nDTSTART:20010306T210000\r\n"), std::string::npos);
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 0u);
}

TEST_F(Organizerfenster, AnEmptyFileLeavesTheLocalRow)
{
    Lokal(Zeile("Notiz", "", "05.03.2001", "10:00", "a"));
    f->Kal2->topLevelItem(0)->setSelected(true);
    Form10::Bedienung = [](Form10& d) {
        Datei_Anlegen(Neuer_Termin_Datei(), "");
        d.accept();
    };
    f->Toolbar2_ButtonClick("edit");
    EXPECT_EQ(Spalte(f->Kal2, 3), QStringList{"a"});
    EXPECT_FALSE(anzeige.Status.contains("Fertig."));
    EXPECT_FALSE(QFile::exists(Neuer_Termin_Datei()));
}

TEST_F(Organizerfenster, BothListsSaveTheSameLines)
{
    const QString heute = QDate::currentDate().toString("dd.MM.yyyy");
    f->saveTERMINE();  // an empty list: no dialog
    EXPECT_TRUE(u.Dialoge.Dateiwahlen.empty());

    Mobil(Zeile("Notiz", "07", "24.12.2000", "18:30", "Weihnachten"));
    Lokal(Zeile("Notiz", "", "24.12.2000", "18:30", "Weihnachten"));
    const QString mobil = Programmdatei("kal/mobil.kal");
    const QString lokal = Programmdatei("kal/lokal.kal");
    QDir().mkpath(Programmdatei("kal"));
    u.Dialoge.Dateien = {mobil, lokal, QString()};
    f->Toolbar1_ButtonClick("save");
    f->Toolbar2_ButtonClick("save");
    EXPECT_EQ(Datei_Lesen(mobil), "Notiz\t24.12.2000\t18:30\tWeihnachten\t\t\r\n");
    EXPECT_EQ(Datei_Lesen(lokal), Datei_Lesen(mobil));
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 2u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Vorgabename, "Sicherung vom " + heute + ".kal");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[1].Vorgabename, "Sicherung (lokal) vom " + heute + ".kal");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Filter, "*.kal (*.kal)");
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH8"), mobil);
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH10"), lokal);

    // Cancelled: nothing written, the setting kept; the next dialog starts in its folder.
    f->saveTERMINE();
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH8"), mobil);
    EXPECT_EQ(u.Dialoge.Dateiwahlen.back().Startdatei, Programmdatei("kal"));

    // A file that cannot be written is told.
    u.Dialoge.Dateien = {Programmdatei("fehlt/mobil.kal")};
    f->saveTERMINE();
    ASSERT_EQ(u.Dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH8"), mobil);  // the unwritten file is not remembered
}

TEST_F(Organizerfenster, AUtf8FileIsSavedBackInUtf8WithItsMark)
{
    const QByteArray utf8 = "\xEF\xBB\xBFNotiz\t24.12.2000\t18:30\t\xC5\x81\xC3\xB3" "d\xC5\xBA\t\t\r\n";  // "Łódź"
    const QString ein = Programmdatei("utf8.kal");
    const QString aus = Programmdatei("aus.kal");
    Datei_Anlegen(ein, utf8);
    u.Dialoge.Dateien = {ein, aus};
    f->Toolbar2_ButtonClick("load");
    f->Toolbar2_ButtonClick("save");
    EXPECT_EQ(Datei_Lesen(aus), utf8);
}

TEST_F(Organizerfenster, LoadingAFileReplacesTheLocalList)
{
    const QString gut = Programmdatei("gut.kal");
    const QString fehlerhaft = Programmdatei("fehler.kal");
    const QString leer = Programmdatei("leer.kal");
    Datei_Anlegen(gut, "Treffen\t01.03.2001\t09:05\tA\tJa\tMonat\nAnruf\t02.01.2001\t11:00\t0171\t\t\n");
    Datei_Anlegen(fehlerhaft, "Notiz\ta\tb\tc\td\te\r\nNotiz\ta\tb\tc\td\te\r\nNotiz\ta\tb\tc\td\r\nNotiz\ta\tb\tc\td\te\r\n");
    Datei_Anlegen(leer, "");
    Lokal(Zeile("Notiz", "", "01.01.2001", "10:00", "vorher"));
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};  // not saved
    u.Dialoge.Dateien = {gut, fehlerhaft, leer, QString()};
    f->Toolbar2_ButtonClick("load");
    EXPECT_EQ(Spalte(f->Kal2, 3), (QStringList{"A", "0171"}));
    EXPECT_EQ(Zeilensymbol(f->Kal2->topLevelItem(0)), 1);
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH9"), gut);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Vorgabename, "*.kal");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    u.Dialoge.Meldungen.clear();

    // The rows before a faulty line stay; an empty file is an empty list.
    f->TermineLaden_fromdisk();
    EXPECT_EQ(f->Kal2->topLevelItemCount(), 2);
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Fehler beim Lesen der Datei aufgetreten! Datei scheint fehlerhaft!");
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    f->TermineLaden_fromdisk();
    EXPECT_EQ(f->Kal2->topLevelItemCount(), 0);
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);

    // A cancelled dialog changes nothing.
    Lokal(Zeile("Notiz", "", "01.01.2001", "10:00", "x"));
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    f->TermineLaden_fromdisk();
    EXPECT_EQ(f->Kal2->topLevelItemCount(), 1);
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH9"), leer);
}

TEST_F(Organizerfenster, LoadingOverUnsavedLocalRowsAsksFirst)
{
    const QString datei = Programmdatei("termine.kal");
    Datei_Anlegen(datei, "Notiz\t20.02.2001\t10:00\tb\t\t\r\nNotiz\t10.01.2001\t10:00\ta\t\t\r\n");
    Lokal(Zeile("Notiz", "", "24.12.2000", "18:30", "getippt"));
    const QString frage = QStringLiteral("Die lokale Liste wurde geändert. Möchten Sie die Änderungen speichern?");

    u.Dialoge.Antworten = {Dialoge::Antwort::Abbrechen};
    f->Toolbar2_ButtonClick("load");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{frage});
    EXPECT_TRUE(u.Dialoge.Dateiwahlen.empty());
    EXPECT_EQ(Spalte(f->Kal2, 3), QStringList{"getippt"});

    // "Ja" saves first; a save that fails counts as "Abbrechen".
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    u.Dialoge.Dateien = {Programmdatei("fehlt/lokal.kal")};
    f->Toolbar2_ButtonClick("load");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList({frage, frage, "Die Datei konnte nicht geschrieben werden!"}));
    EXPECT_EQ(Spalte(f->Kal2, 3), QStringList{"getippt"});

    const QString gesichert = Programmdatei("gesichert.kal");
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    u.Dialoge.Dateien = {gesichert, datei};
    f->Toolbar2_ButtonClick("load");
    EXPECT_EQ(Datei_Lesen(gesichert), "Notiz\t24.12.2000\t18:30\tgetippt\t\t\r\n");
    EXPECT_EQ(Spalte(f->Kal2, 3), (QStringList{"b", "a"}));

    // Loaded and only sorted: it closes without a question.
    u.Dialoge.Meldungen.clear();
    f->Kal2->header()->sectionClicked(1);
    EXPECT_EQ(Spalte(f->Kal2, 3), (QStringList{"a", "b"}));
    EXPECT_TRUE(f->close());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

}  // namespace
