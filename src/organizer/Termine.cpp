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

void Zeile_Einfuegen(const std::optional<TerminZeile>& zeile, const QString& platz)
{
    QTreeWidget* liste = Terminlisten().Mobil;
    if (!zeile || !liste)
        return;
    TerminZeile z = *zeile;
    z.Index = Zweistellig(platz.toInt());
    Zeile_Anfuegen(liste, z, true);
    QCoreApplication::processEvents();
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
        Link().Text1.clear();
        Link().Text2.clear();
        if (!Datenobjekt::Objekt_Lesen_Direkt(Typ, n, QStringLiteral("Lese Termine vom Handy (Platz %1)...").arg(n))) {
            Status_Setzen(QStringLiteral("Abgebrochen bei Platz %1: Die Termine wurden nicht vollständig eingelesen!")
                              .arg(n));
            return false;
        }
        const QString antwort = Link().Text1;
        gelesen.Frei[n] = antwort.size() < KurzeAntwort;
        if (!gelesen.Frei[n]) {
            const std::optional<QString> hex = Datenobjekt::Antwort_Schneiden(antwort, Datenobjekt::TerminSchnitt);
            const std::optional<QByteArray> bytes =
                hex && !hex->isEmpty() ? Datenobjekt::Hex_Dekodieren(*hex) : std::nullopt;
            QTreeWidget* liste = Terminlisten().Mobil;
            const int vorher = liste ? liste->topLevelItemCount() : 0;
            const bool gesichert = bytes && Datei_Sichern(Platz_Datei(n), *bytes);
            if (gesichert)
                Termin_Parsen(QString::number(n));
            if (liste && liste->topLevelItemCount() == vorher)
                Zeile_Einfuegen(VCalendar_Lesen({}), QString::number(n));  // occupied all the same
            // A slot file that cannot be written leaves its appointment unknown: the read stops.
            if (bytes && !gesichert) {
                Schreibfehler_Melden();
                Status_Setzen(
                    QStringLiteral("Abgebrochen bei Platz %1: Die Termine wurden nicht vollständig eingelesen!").arg(n));
                return false;
            }
        }
        Fortschritt(n, TerminPlaetze);
    }
    Freie_Plaetze() = gelesen;
    Status_Setzen(Fertig);
    Fortschritt(0, TerminPlaetze);
    return true;
}

void Termin_Parsen(const QString& platz) { Zeile_Einfuegen(Termindatei_Lesen(Platz_Datei(platz.toInt())), platz); }

void Termin_Einlesen(const QString& platz) { Zeile_Einfuegen(Termindatei_Lesen(Neuer_Termin_Datei()), platz); }

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

bool Termin_Dialog(const TerminZeile* vorlage)
{
    QFile::remove(Neuer_Termin_Datei());
    Form10::Modal_Zeigen(vorlage);
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
    const int platz = Freier_Platz(Terminlisten().Mobil);
    if (platz == 0) {
        MsgBox(QStringLiteral("Kalender voll!"));
        return false;
    }
    if (!Termin_Hochladen(platz, QStringLiteral("Schreibe Termin...")))
        return false;
    Termin_Einlesen(QString::number(platz));
    Status_Setzen(Fertig);
    return true;
}

bool Termin_Entfernen(int position)
{
    QTreeWidget* liste = Terminlisten().Mobil;
    if (!liste || position < 1 || position > liste->topLevelItemCount())
        return false;
    const QString index = liste->topLevelItem(position - 1)->text(Spalten_Von(true).Index);
    Status_Setzen(QStringLiteral("Lösche Termin (") + index + QStringLiteral(")..."));
    const int platz = Platz_Von(index);
    if (!Datenobjekt::Objekt_Loeschen(Typ, platz))
        return false;
    Platz_Merken(platz, true);
    delete liste->topLevelItem(position - 1);
    Status_Setzen(Fertig);
    return true;
}

void Markierte_Abarbeiten(QTreeWidget* liste, const std::function<bool(int)>& aktion)
{
    for (int i = 1; liste && i <= liste->topLevelItemCount();) {
        if (liste->topLevelItem(i - 1)->isSelected()) {
            if (aktion(i))
                continue;
            // A refusal goes on with the next row; a phone out of step is asked nothing more.
            if (Ausser_Takt())
                return;
        }
        ++i;
    }
}

}  // namespace Module1
