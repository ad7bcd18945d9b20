#pragma once
#include <QString>
#include <functional>

class QTreeWidget;

// Writing, changing and deleting entries of the phone's books, the searches and the hand-over
// of numbers of both lists of the phone-book window. The logic works on the lists through
// `Listenzeilen`, so that it runs without the window.
namespace Module1 {

// The entry exchange record: the caller fills it before a modal entry dialog and reads it back.
struct EintragEingabe_Satz {
    QString DialogModus;    // "neu", "aendern" (caller), "cancel" (dialog)
    QString EintragName;    // back from the dialog with "!" appended when marked
    QString EintragNummer;
    QString EintragIndex;   // as typed, "7" or "012"
    QString EintragBuch;    // "1" to "4"; "0" before a new entry, "5"/"6" for a read-only source
    QString EintragMerker;  // "!" or ""
};
extern EintragEingabe_Satz EintragEingabe;
// The fields under their own names; the appointment and local dialogs use DialogModus alone.
inline QString& DialogModus = EintragEingabe.DialogModus;
inline QString& EintragName = EintragEingabe.EintragName;
inline QString& EintragNummer = EintragEingabe.EintragNummer;
inline QString& EintragIndex = EintragEingabe.EintragIndex;
inline QString& EintragBuch = EintragEingabe.EintragBuch;
inline QString& EintragMerker = EintragEingabe.EintragMerker;

// Row position (1-based) of the phone list selected again after a write.
extern int MarkierteZeile;
// Book (1..4) of the last entry Eintrag_Loeschen deleted.
extern int AktuellesTBuch;
// Search state of the phone list and of the local list.
extern QString SuchText;
extern int SuchPos;
extern QString SuchTextLokal;
extern int SuchPosLokal;

// Rows of a report list, 1-based; column 0 is the row text (Ort), then the sub-items.
class Listenzeilen {
public:
    virtual ~Listenzeilen() = default;
    virtual int Zeilen() const = 0;
    virtual QString Zelle(int zeile, int spalte) const = 0;
    virtual bool Gewaehlt(int zeile) const = 0;
    // Selecting a row also makes it the current one.
    virtual void Waehlen(int zeile, bool gewaehlt) = 0;
    // "The selected row": the current row when it is selected, else the first selected; 0 none.
    virtual int Gewaehlte_Zeile() const = 0;
    virtual void Entfernen(int zeile) = 0;
    virtual void Zeigen(int zeile) = 0;  // scroll into view
    virtual void Fokus_Setzen() = 0;
};

// The same on a QTreeWidget in report style (top-level items in display order).
class BaumZeilen : public Listenzeilen {
public:
    explicit BaumZeilen(QTreeWidget* baum) : m_baum(baum) {}
    int Zeilen() const override;
    QString Zelle(int zeile, int spalte) const override;
    bool Gewaehlt(int zeile) const override;
    void Waehlen(int zeile, bool gewaehlt) override;
    int Gewaehlte_Zeile() const override;
    void Entfernen(int zeile) override;
    void Zeigen(int zeile) override;
    void Fokus_Setzen() override;
    QTreeWidget* Baum() const { return m_baum; }

private:
    QTreeWidget* m_baum;
};

// What the writers need of the phone-book window besides the view of the reader: the rows of
// the phone list TBuch1 and the entry dialog. Form1 fills it while it lives; tests put in their own.
struct TBuchFenster {
    Listenzeilen* Liste = nullptr;
    std::function<void()> Eintrag_Dialog;  // empty: Form4, modal
};
TBuchFenster& Fenster();

// Book number 1..6 of a row's Ort text ("SIM" ... "VERSÄUMT"); 0 for anything else.
int TBuch_Nummer(const QString& ort);
// Value of an index text of digits only; 0 when it is empty or holds anything else.
int Index_Wert(const QString& text);

// First cache slot of the book whose index field is empty (one past its entries; 251 when full).
int Freier_Platz(int buch);
// Lowest index 1..capacity known to be free: the book was read completely, neither a cache
// slot nor an entry written beyond the cache holds it, and no write there went unanswered;
// 0 when there is none.
int Index_Frei(int buch);
// Slot of the book holding the entry with this index value; 0 when none.
int Index_Platz(int buch, int index);

// Entries written while the book's cache was full, and indexes whose write timed out, are
// remembered until the book is read again, so that no later write takes their place unasked;
// a read forgets them.
void Ausserhalb_Vergessen(int buch);
// Whether a write or delete at this index went unanswered and the phone could not tell since:
// its list row is shown as unknown.
bool Index_Unbestaetigt(int buch, int index);
// Asks before a write to an index that is taken or whose occupant is unknown (the book was not
// read completely, or a write there went unanswered); true when the write may go on.
bool Schreiben_Erlaubt(const QString& index, int buch);

// The longest name the book takes, one less for a marked entry (its "!" ends the phone's name);
// a book that reported no length has no limit (32767).
int Namensgrenze(int buch, bool markiert);

// Case-blind substring test on the name, then on the number.
bool Eintrag_Passt(const QString& name, const QString& nummer, const QString& suchtext);
// A name that can be sent inside the quotes of a write command: no '"', ';' or control character.
bool Name_Sendbar(const QString& name);

// Writes the entry to the phone; after the phone's "OK" it takes the cache slot of the entry it
// replaced on the phone (same index) or the first free one, then counts, refills and reselects
// MarkierteZeile. The name carries the trailing "!" of a marked entry. Nothing unchecked is
// sent: a bad index, number or name is refused with its message. True when the phone took it.
bool Eintrag_Schreiben(const QString& index, const QString& name, const QString& nummer, const QString& buch,
                       const QString& merker);
// How a write ended. Veraendert: the entry it was to replace had been changed on the handset;
// Abbruch: what the index holds could not be read (told), and the action stops there.
enum class Schreibausgang { Geschrieben, Nicht_Geschrieben, Veraendert, Abbruch };
// Eintrag_Schreiben into an index the cache shows free: once the book is selected, the index is
// read on the phone first (AT+CPBR). An entry found there is learned by the cache and the list;
// then `belegt` decides: false writes nothing, true writes at the index it leaves (changed, that
// index is read the same way). An index that cannot be read is not written.
Schreibausgang Eintrag_Schreiben_Neu(const QString& index, const QString& name, const QString& nummer,
                                     const QString& buch, const QString& merker,
                                     const std::function<bool(int& index)>& belegt);
// A new entry at the index the user chose: asks before a write over an entry the cache knows,
// or one found on the phone, with that entry (Schreiben_Erlaubt). True when the phone took it.
bool Eintrag_Neu_Schreiben(const QString& index, const QString& name, const QString& nummer, const QString& buch,
                           const QString& merker);
// Deletes the entry of phone-list row `position` on the phone, when the phone still holds what
// the row shows, and, once the phone confirmed it or a read-back found the slot empty, from the
// cache; true then. An entry the handset changed goes into the cache instead. Neither removes
// the row nor refills the list.
bool Eintrag_Loeschen(int position);
// Changes the selected phone-list entry through the entry dialog, when the phone still holds
// what the row shows.
void EDIT_ITEM();
// The commands of the phone list: new entry, delete the selected rows, searches.
void Eintrag_Neu();
void Markierte_Loeschen();
void Suche_Neu();
void Suche_Weiter();

// The commands of the local list.
void Lokal_Loeschen(Listenzeilen& liste);
void Lokal_Suche_Neu(Listenzeilen& liste);
void Lokal_Suche_Weiter(Listenzeilen& liste);

// Hands the numbers (column `nummerSpalte`) of the selected rows to the recipient list of the
// composing window Form6, and shows it.
void SMS_Uebergeben(Listenzeilen& liste, int nummerSpalte);

}  // namespace Module1
