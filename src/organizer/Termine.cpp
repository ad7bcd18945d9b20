#include "organizer/Termine.h"

#include "common/Datei.h"
#include "common/Dialoge.h"
#include "common/Textdatei.h"
#include "link/Datenobjekt.h"
#include "link/LinkAnzeige.h"
#include "link/Module1.h"
#include "organizer/Form10.h"

#include <QCoreApplication>
#include <QFile>
#include <QTreeWidget>

namespace Module1 {

bool TermineGelesen = false;

namespace {

const QString Typ = QStringLiteral("vcs");
const QString Fertig = QStringLiteral("Fertig.");
// Blocks of 88 bytes, at most six of them.
constexpr int ZiffernJeBlock = 176;
constexpr int BloeckeHoechstens = 6;
// A reply this short holds the echo and "OK" alone: the slot is empty.
constexpr int KurzeAntwort = 30;

void Fortschritt(int wert, int maximum)
{
    if (Link().Anzeige)
        Link().Anzeige->Fortschritt_Setzen(wert, maximum);
}

QString Zweistellig(int platz) { return QStringLiteral("%1").arg(platz, 2, 10, QLatin1Char('0')); }

void Zeile_Einfuegen(const std::optional<TerminZeile>& zeile, const QString& platz, const QStringList& objekt = {})
{
    QTreeWidget* liste = Terminlisten().Mobil;
    if (!zeile || !liste)
        return;
    TerminZeile z = *zeile;
    z.Index = Zweistellig(platz.toInt());
    Objektzeilen_Merken(Zeile_Anfuegen(liste, z, true), objekt);
    QCoreApplication::processEvents();
}

// The row of an object file, with the lines of the object the phone now holds in that slot: a
// slot file holds the phone's bytes, the hand-over file what was uploaded from it.
void Datei_Einfuegen(const QString& pfad, const QString& platz, bool hochgeladen)
{
    QStringList objekt;
    const auto kodierung = hochgeladen ? Textdatei::Kodierung::Ansi : Textdatei::Kodierung::Telefon;
    std::optional<TerminZeile> zeile = Termindatei_Lesen(pfad, kodierung, &objekt);
    if (zeile && hochgeladen) {
        // The upload took the text to the phone's character set.
        for (QString& z : objekt)
            z = Datenobjekt::Telefontext(z);
        zeile = VCalendar_Lesen(objekt);
    }
    Zeile_Einfuegen(zeile, platz, objekt);
}

// The slot's number from an Index text ("07" is 7); 0 for anything else.
int Platz_Von(const QString& index)
{
    bool ok = false;
    const int platz = index.trimmed().toInt(&ok);
    return ok ? platz : 0;
}

void Platz_Merken(int platz, bool frei)
{
    if (platz >= 1 && platz <= TerminPlaetze)
        Freie_Plaetze().Frei[platz] = frei;
}

// Lists the appointment of slot n from the bytes the phone holds there. False when its slot file
// cannot be written (told): the appointment stays unknown.
bool Platz_Eintragen(int n, const QByteArray& bytes)
{
    QTreeWidget* liste = Terminlisten().Mobil;
    const int vorher = liste ? liste->topLevelItemCount() : 0;
    const bool gesichert = Datei_Sichern(Platz_Datei(n), bytes);
    if (gesichert)
        Termin_Parsen(QString::number(n));
    if (liste && liste->topLevelItemCount() == vorher)
        Zeile_Einfuegen(VCalendar_Lesen({}), QString::number(n));  // occupied all the same
    if (!gesichert) {
        Schreibfehler_Melden();
        return false;
    }
    return true;
}

// What a slot holds.
enum class Platzbefund { Frei, Belegt, Unlesbar };

// Reads the slot with the status given; an occupied one leaves its object's bytes in `bytes`.
// Unlesbar when the read failed (the link told it) or its reply cannot be decoded (told here):
// the slot's appointment stays unknown, but a reply that long shows the slot in use.
Platzbefund Platz_Lesen(int platz, const QString& status, QByteArray& bytes)
{
    Link().Text1.clear();
    Link().Text2.clear();
    if (!Datenobjekt::Objekt_Lesen_Direkt(Typ, platz, status))
        return Platzbefund::Unlesbar;
    const QString antwort = Link().Text2;
    if (antwort.size() < KurzeAntwort)
        return Platzbefund::Frei;
    Platz_Merken(platz, false);
    const std::optional<QString> hex = Datenobjekt::Antwort_Schneiden(antwort, Datenobjekt::TerminSchnitt);
    const std::optional<QByteArray> gelesen =
        hex && !hex->isEmpty() ? Datenobjekt::Hex_Dekodieren(*hex) : std::nullopt;
    if (!gelesen) {
        Fehler_Melden();
        return Platzbefund::Unlesbar;
    }
    bytes = *gelesen;
    return Platzbefund::Belegt;
}

// Read right before a new appointment is written there: one stored on the handset since the
// last read joins the phone list, and its slot counts as occupied.
Platzbefund Platz_Nachlesen(int platz)
{
    QByteArray bytes;
    const Platzbefund befund = Platz_Lesen(platz, QStringLiteral("Schreibe Termin..."), bytes);
    if (befund != Platzbefund::Belegt)
        return befund;
    return Platz_Eintragen(platz, bytes) ? Platzbefund::Belegt : Platzbefund::Unlesbar;
}

}  // namespace

TerminListen& Terminlisten()
{
    static TerminListen listen;
    return listen;
}

FreiePlaetze& Freie_Plaetze()
{
    static FreiePlaetze plaetze;
    return plaetze;
}

bool Termine_Lesen()
{
    Fortschritt(0, TerminPlaetze);
    Status_Setzen(QStringLiteral("Lese Termine vom Handy..."));
    FreiePlaetze gelesen;
    gelesen.Bekannt = true;
    for (int n = 1; n <= TerminPlaetze; ++n) {
        const QString abgebrochen =
            QStringLiteral("Abgebrochen bei Platz %1: Die Termine wurden nicht vollständig eingelesen!").arg(n);
        QByteArray bytes;
        const Platzbefund befund = Platz_Lesen(n, QStringLiteral("Lese Termine vom Handy (Platz %1)...").arg(n), bytes);
        if (befund == Platzbefund::Unlesbar || (befund == Platzbefund::Belegt && !Platz_Eintragen(n, bytes))) {
            Status_Setzen(abgebrochen);
            return false;
        }
        gelesen.Frei[n] = befund == Platzbefund::Frei;
        Fortschritt(n, TerminPlaetze);
    }
    Freie_Plaetze() = gelesen;
    Status_Setzen(Fertig);
    Fortschritt(0, TerminPlaetze);
    return true;
}

void Termin_Parsen(const QString& platz) { Datei_Einfuegen(Platz_Datei(platz.toInt()), platz, false); }

void Termin_Einlesen(const QString& platz) { Datei_Einfuegen(Neuer_Termin_Datei(), platz, true); }

void Lesefehler_Melden()
{
    MsgBox(QStringLiteral("Fehler beim Lesen der Datei aufgetreten! Datei scheint fehlerhaft!"),
           Dialoge::Symbol::Kritisch);
}

bool Schreiben_Bestaetigt()
{
    return MsgBox(QStringLiteral("Bevor Sie einen neuen Termin hinzufügen, sollten Sie erst die Termine aus dem "
                                 "Handy einlesen! Ansonsten besteht die Gefahr, daß bereits bestehende Termine im "
                                 "Handy überschrieben werden!\nSind Sie sicher, daß Sie einen neuen Termin anlegen "
                                 "wollen?"),
                  Dialoge::Symbol::Kritisch, Dialoge::Tasten::JaNein, Dialoge::Antwort::Nein) == Dialoge::Antwort::Ja;
}

bool Termin_Dialog(const TerminZeile* vorlage, const QStringList& objekt)
{
    QFile::remove(Neuer_Termin_Datei());
    Form10::Modal_Zeigen(vorlage, objekt);
    return QFile::exists(Neuer_Termin_Datei());
}

void Termin_Anlegen()
{
    if (!TermineGelesen && !Schreiben_Bestaetigt())
        return;
    Link().Text1.clear();
    Link().Text2.clear();
    Termin_Dialog(nullptr);
    Termin_Schreiben();
}

int Freier_Platz(const QTreeWidget* liste)
{
    bool belegt[TerminPlaetze + 1] = {};
    const FreiePlaetze& bekannt = Freie_Plaetze();
    for (int n = 1; n <= TerminPlaetze; ++n)
        belegt[n] = bekannt.Bekannt && !bekannt.Frei[n];
    const int index = Spalten_Von(true).Index;
    for (int i = 0; liste && i < liste->topLevelItemCount(); ++i) {
        const int platz = Platz_Von(liste->topLevelItem(i)->text(index));
        if (platz >= 1 && platz <= TerminPlaetze)
            belegt[platz] = true;
    }
    for (int n = 1; n <= TerminPlaetze; ++n)
        if (!belegt[n])
            return n;
    return 0;
}

bool Termin_Hochladen(int platz, const QString& status)
{
    // With no block to send, the phone would not have been told anything.
    const std::optional<QStringList> zeilen = Objektzeilen_Lesen(Neuer_Termin_Datei());
    if (!zeilen) {
        Lesefehler_Melden();
        return false;
    }
    QString text;
    for (const QString& zeile : *zeilen)
        text += zeile + QStringLiteral("\r\n");
    // Only here does the text become the phone's character set.
    const QStringList bloecke =
        Datenobjekt::Bloecke_Schneiden(Datenobjekt::Text_Kodieren(text), ZiffernJeBlock, BloeckeHoechstens);
    // After a failure the phone may hold all of it, part of it or the old object.
    Platz_Merken(platz, false);
    return Datenobjekt::Objekt_Schreiben(Typ, platz, bloecke, Datenobjekt::Fortschritt::VorAnkuendigung, status);
}

bool Termin_Schreiben()
{
    if (!QFile::exists(Neuer_Termin_Datei()))
        return false;
    if (!Objektzeilen_Lesen(Neuer_Termin_Datei())) {
        Lesefehler_Melden();
        return false;
    }
    // Nothing on the phone is written over unasked: a slot found taken is passed by, and one
    // that cannot be read is not written.
    int platz = 0;
    for (Platzbefund befund = Platzbefund::Belegt; befund != Platzbefund::Frei;) {
        platz = Freier_Platz(Terminlisten().Mobil);
        if (platz == 0) {
            MsgBox(QStringLiteral("Kalender voll!"));
            return false;
        }
        befund = Platz_Nachlesen(platz);
        if (befund == Platzbefund::Unlesbar)
            return false;
    }
    if (!Termin_Hochladen(platz, QStringLiteral("Schreibe Termin...")))
        return false;
    Termin_Einlesen(QString::number(platz));
    Status_Setzen(Fertig);
    return true;
}

Platzvergleich Termin_Pruefen(QTreeWidgetItem* item, const QString& status)
{
    const int platz = Platz_Von(item->text(Spalten_Von(true).Index));
    QByteArray bytes;
    const Platzbefund befund = Platz_Lesen(platz, status, bytes);
    if (befund == Platzbefund::Unlesbar)
        return Platzvergleich::Unlesbar;
    if (befund == Platzbefund::Frei) {
        Platz_Merken(platz, true);
        delete item;
        return Platzvergleich::Leer;
    }
    // Compared as a refresh would list it: an unchanged slot gives the very lines the row keeps.
    const QStringList zeilen = Telefonzeilen(bytes);
    if (zeilen == Objektzeilen_Von(item))
        return Platzvergleich::Wie_Gelistet;
    TerminZeile zeile = VCalendar_Lesen(zeilen);
    zeile.Index = item->text(Spalten_Von(true).Index);
    Zeile_Setzen(item, zeile, true);
    Objektzeilen_Merken(item, zeilen);
    return Platzvergleich::Anders;
}

Zeilenschritt Termin_Entfernen(int position, bool& veraendert)
{
    QTreeWidget* liste = Terminlisten().Mobil;
    if (!liste || position < 1 || position > liste->topLevelItemCount())
        return Zeilenschritt::Geblieben;
    QTreeWidgetItem* item = liste->topLevelItem(position - 1);
    const QString index = item->text(Spalten_Von(true).Index);
    switch (Termin_Pruefen(item, QStringLiteral("Lösche Termin (") + index + QStringLiteral(")..."))) {
    case Platzvergleich::Unlesbar:
        return Zeilenschritt::Ende;
    case Platzvergleich::Leer:
        veraendert = true;
        return Zeilenschritt::Entfernt;
    case Platzvergleich::Anders:
        veraendert = true;
        return Zeilenschritt::Geblieben;
    case Platzvergleich::Wie_Gelistet:
        break;
    }
    const int platz = Platz_Von(index);
    if (!Datenobjekt::Objekt_Loeschen(Typ, platz))
        return Zeilenschritt::Geblieben;
    Platz_Merken(platz, true);
    delete item;
    Status_Setzen(Fertig);
    return Zeilenschritt::Entfernt;
}

void Markierte_Abarbeiten(QTreeWidget* liste, const std::function<Zeilenschritt(int)>& aktion)
{
    for (int i = 1; liste && i <= liste->topLevelItemCount();) {
        if (liste->topLevelItem(i - 1)->isSelected()) {
            const Zeilenschritt schritt = aktion(i);
            if (schritt == Zeilenschritt::Entfernt)
                continue;
            // A refusal goes on with the next row; a phone out of step is asked nothing more.
            if (schritt == Zeilenschritt::Ende || Ausser_Takt())
                return;
        }
        ++i;
    }
}

}  // namespace Module1
