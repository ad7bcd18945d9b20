#pragma once
#include "organizer/Termin.h"

#include <QString>
#include <array>
#include <functional>

class QTreeWidget;

// The phone's thirty appointment slots: reading them into the phone list, writing a new
// appointment into the first free slot, changing one in its slot and deleting one. These are the
// "vcs" variant of the data-object exchange (Datenobjekt).
namespace Module1 {

// The last read of the phone's appointments was complete; a read that stops early takes it
// back. While it is false, writing a new appointment warns first.
extern bool TermineGelesen;

// The lists the procedures fill: the organizer window puts in its kal1 and Kal2 while it lives.
struct TerminListen {
    QTreeWidget* Mobil = nullptr;  // kal1
    QTreeWidget* Lokal = nullptr;  // Kal2
};
TerminListen& Terminlisten();

constexpr int TerminPlaetze = 30;

// The slots the last complete read showed free, kept up to date by this program's own writes
// and deletes. New appointments go only there: a later read that stops early leaves the slots
// it did not reach as they were. Before any complete read nothing is known and the phone list
// alone decides, after the warning.
struct FreiePlaetze {
    bool Bekannt = false;
    std::array<bool, TerminPlaetze + 1> Frei{};  // by slot, 1 to 30
};
FreiePlaetze& Freie_Plaetze();

// Reads slots 1 to 30 and appends a row to the phone list for each that holds an appointment.
// A slot whose reply cannot be read gets a row of its own all the same, so that it never counts
// as free. True when all thirty were read; then its empty slots are the free slots known. A
// failed wait ends it at that slot, and the status says where.
bool Termine_Lesen();
// A new appointment in the phone: the warning unless the last read was complete, the dialog,
// then Termin_Schreiben.
void Termin_Anlegen();
// Uploads "vcsnew.pvp" into the first free slot and reads it back into the phone list; nothing
// without the file, "Kalender voll!" when no slot is free. The slot is read first: one taken
// on the handset joins the list and the next free slot is tried; one that cannot be read is
// not written. True when it was written.
bool Termin_Schreiben();
// The rows of "vcs<slot>.pvp" and "vcsnew.pvp" appended to the phone list with that slot as
// Index, the latter's description as the upload gave it to the phone; each deletes its file.
void Termin_Parsen(const QString& platz);
void Termin_Einlesen(const QString& platz);

// The first slot 1..30 that no row of the list holds and that is not known to be in use
// (Freie_Plaetze); 0 when there is none.
int Freier_Platz(const QTreeWidget* liste);
// Uploads "vcsnew.pvp" into the slot with the status text given; the progress bar counts each
// block as its work begins. True when every block was taken. From its first block on, the slot
// no longer counts as free, whatever the outcome.
bool Termin_Hochladen(int platz, const QString& status);
// Whether the slot of a phone row still holds what the row shows, read right before the row's
// appointment is changed or deleted.
enum class Platzvergleich {
    Wie_Gelistet,  // the object the row was read or written with
    Leer,          // nothing: the row has left the list (`item` is gone)
    Anders,        // another object: the row now shows it
    Unlesbar,      // the read failed or cannot be decoded (told): the row stays as it was
};
// Reads the slot of the phone row; the status is shown while the read runs. Only on Wie_Gelistet
// may the caller write or delete there.
Platzvergleich Termin_Pruefen(QTreeWidgetItem* item, const QString& status);

// What became of a row that Markierte_Abarbeiten handed on.
enum class Zeilenschritt { Entfernt, Geblieben, Ende };

// Deletes the slot of the phone-list row at `position` (1-based) in the phone once Termin_Pruefen
// found it as listed; on "OK" the row goes and the slot is free. `veraendert` learns when the
// phone held something else there: then nothing was sent and the row shows what it holds, or
// has gone for an empty slot. Ende when the slot could not be read.
Zeilenschritt Termin_Entfernen(int position, bool& veraendert);

// The message of an appointment file that cannot be read (".kal", "vcsnew.pvp").
void Lesefehler_Melden();
// The warning before writing while the phone's appointments were not read; true for Yes.
bool Schreiben_Bestaetigt();
// Shows the appointment dialog modally, filled from `vorlage` when given ("Eintrag bearbeiten"),
// with the lines of the phone's object when it has them. An older "vcsnew.pvp" is deleted first,
// so only this dialog's "&OK" on a new or changed appointment leaves one behind. True when the
// dialog left "vcsnew.pvp".
bool Termin_Dialog(const TerminZeile* vorlage, const QStringList& objekt = {});

// Walks the selected rows of the list by position and hands each to `aktion`, which says
// whether it removed the row (then the same position is examined again) or the walk ends.
void Markierte_Abarbeiten(QTreeWidget* liste, const std::function<Zeilenschritt(int position)>& aktion);

}  // namespace Module1
