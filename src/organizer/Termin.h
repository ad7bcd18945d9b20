#pragma once
#include "common/Textdatei.h"

#include <QByteArray>
#include <QDate>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

class QTreeWidget;
class QTreeWidgetItem;

// One appointment as the organizer's lists show it, and the two files it travels in: the
// vCalendar object ("vcsnew.pvp", "vcs<n>.pvp") and the line of a ".kal" file. "vcsnew.pvp" hands
// the dialog's text on whole, as every text file of the program; "vcs<n>.pvp" holds the phone's
// bytes.
namespace Module1 {

// A row of the phone list kal1 or the local list Kal2; all cells are text.
struct TerminZeile {
    QString Art;           // "Notiz", "Anruf", "Treffen", "Geburtstag" or a category as read
    QString Index;         // phone list only: the slot as two digits
    QString Datum;         // dd.MM.yyyy
    QString Uhrzeit;       // HH:mm
    QString Beschreibung;
    QString Alarm;         // "Ja" or ""
    QString Wdh;           // "Tag", "Woche", "Monat", "Jahr", "" or a rule as read
    bool operator==(const TerminZeile& o) const;
};

// The icon of a kind: "Treffen" 1, "Geburtstag" 2, "Notiz" 3, "Anruf" 4; 0 for any other.
int Art_Symbol(const QString& art);
// The picture of icon 1 to 4; a null icon for any other number.
QIcon Terminsymbol(int nummer);

// The vCalendar object as the program writes it, before it becomes lines.
struct TerminObjekt {
    QString Kategorie;     // "MEMO", "PHONE CALL", "MEETING", "ANNIVERSARY"; "" writes no line
    QString Stempel;       // yyyyMMddThhmmss
    bool Alarm = false;    // a DALARM line with the start's stamp
    QString Regel;         // "D1", "W1", "Y1", "M1 dd"; "" writes no line
    QString Beschreibung;
    bool operator==(const TerminObjekt& o) const;
};

// The largest object the phone takes in one upload: six blocks of 88 bytes.
constexpr int ObjektHoechstens = 528;

QString Stempel_Bilden(const QDate& datum, const QTime& zeit);
// The category of a kind ("Notiz" "MEMO" ...), "" for any other text.
QString Kategorie_Von(const QString& art);
// The lines of the object in their order. A description too long for one upload is shortened
// so that the object, each line with CR LF, fits ObjektHoechstens bytes.
QStringList VCalendar_Zeilen(const TerminObjekt& objekt);
// The lines of an object the phone holds, where the values a dialog shows changed from `vorher`
// to `nachher`: those lines take the new values, every other line stays as it was (an end, an
// alarm time of its own, a repetition no dialog button expresses, ...). An alarm kept on keeps
// its lead on the start. The description is shortened as in VCalendar_Zeilen.
QStringList VCalendar_Aendern(const QStringList& zeilen, const TerminObjekt& vorher, const TerminObjekt& nachher);
// A row's "Datum" and "Uhrzeit" as a hand-edited file may hold them: "1.3.2001" as well as
// "01.03.2001", "9:05" as well as "09:05", blanks around; nothing for anything else.
std::optional<QDate> Datum_Lesen(const QString& datum);
std::optional<QTime> Uhrzeit_Lesen(const QString& uhrzeit);
// The object of a list row, as a dropped local row is written: category by "Art", the stamp
// from "Datum" and "Uhrzeit" with seconds 00, the rule by "Wdh.". Nothing when the date or the
// time cannot be read.
std::optional<TerminObjekt> Objekt_Aus_Zeile(const TerminZeile& zeile);
// The row of an object's lines (no Index). A key counts at the start of a line only; its value
// is everything after the first ":"; a later line replaces an earlier one.
TerminZeile VCalendar_Lesen(const QStringList& zeilen);

// Writes the object, or its lines, to the file (replacing it) as a program text file; false when
// it could not be written.
bool Objekt_Speichern(const QString& pfad, const TerminObjekt& objekt);
bool Objektzeilen_Speichern(const QString& pfad, const QStringList& zeilen);
// Reads an object file into a row and deletes the file; nothing when there is no file or it
// holds nothing but blank lines. Telefon for the phone's own files, Ansi for the program's. The
// file's lines go to `zeilen` when given.
std::optional<TerminZeile> Termindatei_Lesen(const QString& pfad, Textdatei::Kodierung kodierung,
                                             QStringList* zeilen = nullptr);
// The lines of an object file the program wrote; nothing when there is no file or it holds no
// text.
std::optional<QStringList> Objektzeilen_Lesen(const QString& pfad);
// The lines of an object the phone holds, as its slot file gives them to a row; none when it
// holds nothing but blank lines.
QStringList Telefonzeilen(const QByteArray& bytes);

// "vcsnew.pvp" and "vcs<n>.pvp" in the program folder.
QString Neuer_Termin_Datei();
QString Platz_Datei(int platz);

// ---- ".kal" files ------------------------------------------------------------------------

// Art, Datum, Uhrzeit, Beschreibung, Alarm, Wdh. separated by TAB; no Index. A TAB or line
// break inside a field becomes a blank.
QString KalZeile_Schreiben(const TerminZeile& zeile);
// Needs five TABs; the sixth field is the rest of the line, further TABs included.
std::optional<TerminZeile> KalZeile_Lesen(const QString& zeile);

// ---- The rows of the two lists ------------------------------------------------------------

// Column of each cell: the phone list has "Index" as column 1, the local list none.
struct Spalten {
    int Index, Datum, Uhrzeit, Beschreibung, Alarm, Wdh;
};
Spalten Spalten_Von(bool mitIndex);
// Appends the row with the icon of its kind (the icon number also in the item's data).
QTreeWidgetItem* Zeile_Anfuegen(QTreeWidget* liste, const TerminZeile& zeile, bool mitIndex);
// Gives a row the cells and the icon of another appointment.
void Zeile_Setzen(QTreeWidgetItem* item, const TerminZeile& zeile, bool mitIndex);
TerminZeile Zeile_Lesen(const QTreeWidgetItem* item, bool mitIndex);
// The icon number a row was given (0: none).
int Zeilensymbol(const QTreeWidgetItem* item);
// A phone row keeps the lines of the object it was read from, so that an edit changes only
// what the dialog shows; none for a local row.
void Objektzeilen_Merken(QTreeWidgetItem* item, const QStringList& zeilen);
QStringList Objektzeilen_Von(const QTreeWidgetItem* item);

}  // namespace Module1
