#include "phonebook/Eintraege.h"

#include "common/Dialoge.h"
#include "common/Module3.h"
#include "common/Zeichen.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Form4.h"
#include "phonebook/TBuchLesen.h"
#include "sms/Form6.h"

#include <QListWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <algorithm>
#include <map>
#include <set>

namespace Module1 {

EintragEingabe_Satz EintragEingabe;
int MarkierteZeile = 0;
int AktuellesTBuch = 0;
QString SuchText;
int SuchPos = 0;
QString SuchTextLokal;
int SuchPosLokal = 0;

namespace {

struct Ausserhalb_Eintrag {
    QString Name;
    QString Nummer;
};
std::map<int, Ausserhalb_Eintrag> s_ausserhalb[TBuchAnzahl + 1];
// Indexes whose write got no answer: the phone may hold the new entry there or the old state.
std::set<int> s_unbestaetigt[TBuchAnzahl + 1];

bool Buch_Gueltig(int buch) { return buch >= 1 && buch <= TBuchAnzahl; }

void Ausserhalb_Merken(int buch, int index, const QString& name, const QString& nummer)
{
    if (Buch_Gueltig(buch))
        s_ausserhalb[buch][index] = {name, nummer};
}

// The phone has answered a write or delete at this index: what it holds there is known again.
void Index_Bestaetigt(int buch, int index)
{
    if (Buch_Gueltig(buch)) {
        s_ausserhalb[buch].erase(index);
        s_unbestaetigt[buch].erase(index);
    }
}

// A write command that failed without the phone's refusal (a time-out, a lost line) may still
// have been carried out.
void Schreiben_Gescheitert(int buch, int index)
{
    if (Buch_Gueltig(buch) && !Link().Abgelehnt)
        s_unbestaetigt[buch].insert(index);
}

// What the program knows of an index of a book before it writes there.
enum class Platzstand { Frei, Belegt, Unbekannt, Unbestaetigt };
struct Platzauskunft {
    Platzstand Stand = Platzstand::Unbekannt;
    QString Name;  // of the entry there, when Belegt
    QString Nummer;
};

Platzauskunft Platz_Pruefen(int buch, int index)
{
    if (!Buch_Gueltig(buch) || index <= 0)
        return {};
    if (const int platz = Index_Platz(buch, index))
        return {Platzstand::Belegt, TBuchDaten[buch][platz][2], TBuchDaten[buch][platz][3]};
    const auto aussen = s_ausserhalb[buch].find(index);
    if (aussen != s_ausserhalb[buch].end())
        return {Platzstand::Belegt, aussen->second.Name, aussen->second.Nummer};
    if (s_unbestaetigt[buch].count(index))
        return {Platzstand::Unbestaetigt, {}, {}};
    // A complete read holds every entry of the book, in the cache or written beyond it since.
    return {TBuchVollstaendig[buch] ? Platzstand::Frei : Platzstand::Unbekannt, {}, {}};
}

// An entry as the phone list shows it: name without the mark, number, mark "!" or "".
struct Eintragsbild {
    QString Name;
    QString Nummer;
    QString Merker;
};

const QString Suchprompt = QStringLiteral("Suchbegirff (gesucht wird in Namen und Rufnummern)");
const QString KeinWeiterer = QStringLiteral("Keinen (weiteren) Eintrag gefunden!");

// Upper case one character at a time, so that "ß" stays one character.
QString Gross(const QString& text)
{
    QString g = text;
    for (QChar& c : g)
        c = c.toUpper();
    return g;
}

bool Irgendeine_Gewaehlt(const Listenzeilen& l) { return l.Gewaehlte_Zeile() != 0; }

void Kritisch(const QString& text) { MsgBox(text, Dialoge::Symbol::Kritisch); }

bool Ja_Nein(const QString& text)
{
    return MsgBox(text, Dialoge::Symbol::Kritisch, Dialoge::Tasten::JaNein, Dialoge::Antwort::Nein) ==
           Dialoge::Antwort::Ja;
}

void Dialog_Zeigen()
{
    if (Fenster().Eintrag_Dialog)
        Fenster().Eintrag_Dialog();
    else
        Form4::Modal_Zeigen();
}

// Rows from `ab` on: each is deselected until one matches, which is selected and shown.
bool Suchlauf(Listenzeilen& l, int ab, int nameSpalte, int nummerSpalte, const QString& text)
{
    for (int i = ab; i <= l.Zeilen(); ++i) {
        l.Waehlen(i, false);
        if (Eintrag_Passt(l.Zelle(i, nameSpalte), l.Zelle(i, nummerSpalte), text)) {
            l.Waehlen(i, true);
            l.Zeigen(i);
            return true;
        }
    }
    return false;
}

QString Suchtext_Fragen()
{
    return Dialoge::Aktuell().Eingabe(Suchprompt, QStringLiteral("Suchen"), QString()).value_or(QString());
}

// Find next, the same in both lists.
void Weitersuchen(Listenzeilen& l, int nameSpalte, int nummerSpalte, QString& text, int& pos)
{
    if (l.Zeilen() == 0)
        return;
    pos = 1;
    if (text.isEmpty()) {
        text = Suchtext_Fragen();
        if (text.isEmpty())
            return;
    }
    if (const int g = l.Gewaehlte_Zeile()) {
        pos = g;
        l.Waehlen(g, false);
    }
    if (!Suchlauf(l, pos + 1, nameSpalte, nummerSpalte, text)) {
        Kritisch(KeinWeiterer);
        text.clear();
    }
    l.Fokus_Setzen();
}

}  // namespace

// ---- Rows of a QTreeWidget ---------------------------------------------------------------

int BaumZeilen::Zeilen() const { return m_baum->topLevelItemCount(); }

QString BaumZeilen::Zelle(int zeile, int spalte) const
{
    const QTreeWidgetItem* item = m_baum->topLevelItem(zeile - 1);
    return item ? item->text(spalte) : QString();
}

bool BaumZeilen::Gewaehlt(int zeile) const
{
    const QTreeWidgetItem* item = m_baum->topLevelItem(zeile - 1);
    return item && item->isSelected();
}

void BaumZeilen::Waehlen(int zeile, bool gewaehlt)
{
    QTreeWidgetItem* item = m_baum->topLevelItem(zeile - 1);
    if (!item)
        return;
    if (gewaehlt && m_baum->selectionModel())
        m_baum->selectionModel()->setCurrentIndex(m_baum->indexFromItem(item), QItemSelectionModel::NoUpdate);
    item->setSelected(gewaehlt);
}

int BaumZeilen::Gewaehlte_Zeile() const
{
    QTreeWidgetItem* zeile = Module3::Ausgewaehlte_Zeile(m_baum);
    return zeile ? m_baum->indexOfTopLevelItem(zeile) + 1 : 0;
}

void BaumZeilen::Entfernen(int zeile) { delete m_baum->takeTopLevelItem(zeile - 1); }

void BaumZeilen::Zeigen(int zeile)
{
    if (QTreeWidgetItem* item = m_baum->topLevelItem(zeile - 1))
        m_baum->scrollToItem(item);
}

void BaumZeilen::Fokus_Setzen() { m_baum->setFocus(); }

// ---- Seams -------------------------------------------------------------------------------

TBuchFenster& Fenster()
{
    static TBuchFenster fenster;
    return fenster;
}

// ---- Small helpers -----------------------------------------------------------------------

int TBuch_Nummer(const QString& ort)
{
    static const char16_t* const namen[] = {u"SIM", u"TELEFON", u"FESTE", u"EIGENE", u"ZULETZT", u"VERSÄUMT"};
    for (int b = 1; b <= TBuchAnzahl; ++b)
        if (ort == QStringView(namen[b - 1]) || (!TBuchNamen[b].isEmpty() && ort == TBuchNamen[b]))
            return b;
    return 0;
}

int Index_Wert(const QString& text)
{
    if (text.isEmpty() || text.size() > 9 || !Ziffern_Pruefen(text))
        return 0;
    return text.toInt();
}

int Freier_Platz(int buch)
{
    int platz = 1;
    while (platz <= TBuchPlaetze && !TBuchDaten[buch][platz][1].isEmpty())
        ++platz;
    return platz;
}

int Index_Frei(int buch)
{
    if (!Buch_Gueltig(buch) || !TBuchVollstaendig[buch])
        return 0;
    const int gesamt = TBuchGesamt[buch];
    const int bis = std::min(gesamt, TBuchPlaetze);
    for (int n = 1; n <= gesamt; ++n) {
        const QString text = Index_Text(n);
        bool belegt = s_ausserhalb[buch].count(n) > 0 || s_unbestaetigt[buch].count(n) > 0;
        for (int s = 1; s <= bis && !belegt; ++s)
            belegt = TBuchDaten[buch][s][1] == text;
        if (!belegt)
            return n;
    }
    return 0;
}

int Index_Platz(int buch, int index)
{
    if (buch < 1 || buch > TBuchAnzahl || index <= 0)
        return 0;
    for (int s = 1; s <= TBuchPlaetze; ++s)
        if (!TBuchDaten[buch][s][1].isEmpty() && TBuchDaten[buch][s][1].toInt() == index)
            return s;
    return 0;
}

bool Index_Unbestaetigt(int buch, int index) { return Buch_Gueltig(buch) && s_unbestaetigt[buch].count(index) > 0; }

void Ausserhalb_Vergessen(int buch)
{
    if (Buch_Gueltig(buch)) {
        s_ausserhalb[buch].clear();
        s_unbestaetigt[buch].clear();
    }
}

bool Schreiben_Erlaubt(const QString& index, int buch)
{
    const Platzauskunft p = Platz_Pruefen(buch, Index_Wert(index));
    switch (p.Stand) {
    case Platzstand::Frei:
        return true;
    case Platzstand::Belegt:
        return Ja_Nein(QStringLiteral("Der Index ") + index + QStringLiteral(" ist bereits vergeben!\r\n") +
                       QStringLiteral("Möchten Sie den Eintrag ") + p.Name + QStringLiteral(" (") + p.Nummer +
                       QStringLiteral(") wirklich überschreiben?"));
    case Platzstand::Unbestaetigt:
        return Ja_Nein(QStringLiteral("Der Index ") + index +
                       QStringLiteral(" ist vielleicht bereits vergeben: das Handy hat das letzte Schreiben dorthin "
                                      "nicht bestätigt!\r\nMöchten Sie einen vorhandenen Eintrag wirklich "
                                      "überschreiben?"));
    case Platzstand::Unbekannt:
        break;
    }
    return Ja_Nein(QStringLiteral("Der Index ") + index +
                   QStringLiteral(" ist vielleicht bereits vergeben: das Telefonbuch wurde nicht vollständig "
                                  "eingelesen!\r\nMöchten Sie einen vorhandenen Eintrag wirklich überschreiben?"));
}

namespace {

// Refills the list from the cache, sorted as before, with row MarkierteZeile selected again.
void Liste_Neu_Zeigen()
{
    Liste_Laden();
    Status_Setzen(QStringLiteral("Fertig."));

    if (TBuchAnsicht* ansicht = TBuch_Ansicht())
        ansicht->Sortierung_Auffrischen();
    if (Listenzeilen* l = Fenster().Liste) {
        if (const int g = l->Gewaehlte_Zeile())
            l->Waehlen(g, false);
        if (MarkierteZeile >= 1 && MarkierteZeile <= l->Zeilen()) {
            l->Waehlen(MarkierteZeile, true);
            l->Zeigen(MarkierteZeile);
        }
    }
}

// The entry dialog for a new entry, then the write of what it returns.
void Neu_Erfassen_Und_Schreiben()
{
    DialogModus = QStringLiteral("neu");
    Dialog_Zeigen();
    if (DialogModus == QLatin1String("cancel"))
        return;
    Eintrag_Neu_Schreiben(EintragIndex, EintragName, EintragNummer, EintragBuch, EintragMerker);
}

}  // namespace

int Namensgrenze(int buch, bool markiert)
{
    constexpr int OhneGrenze = 32767;
    if (!Buch_Gueltig(buch) || TBuchTextLaenge[buch] <= 0)
        return OhneGrenze;
    return std::max(TBuchTextLaenge[buch] - (markiert ? 1 : 0), 0);
}

bool Eintrag_Passt(const QString& name, const QString& nummer, const QString& suchtext)
{
    const QString s = Gross(suchtext);
    return Gross(name).contains(s) || Gross(nummer).contains(s);
}

bool Name_Sendbar(const QString& name)
{
    for (const QChar c : name)
        if (c == QLatin1Char('"') || c == QLatin1Char(';') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

// ---- Writing and deleting ----------------------------------------------------------------

namespace {

// The used count and the fill label follow every entry the cache gains or loses.
void Belegung_Aendern(int b, int aenderung)
{
    TBuchBelegt[b] = std::max(TBuchBelegt[b] + aenderung, 0);
    if (TBuchGesamt[b] > 0)
        TBuchBelegt[b] = std::min(TBuchBelegt[b], TBuchGesamt[b]);
    Belegung_Aktualisieren(b);
}

// The entry at an index into the cache: the slot of the entry there, else the first free one;
// with the cache full, the list of entries beyond it.
void Im_Cache_Ablegen(int b, int index, const QString& name, const QString& nummer, const QString& merker)
{
    int platz = Index_Platz(b, index);
    if (platz == 0) {
        if (!s_ausserhalb[b].count(index))
            Belegung_Aendern(b, 1);
        platz = Freier_Platz(b);
    }
    if (platz <= TBuchPlaetze) {
        QString* feld = TBuchDaten[b][platz];
        feld[1] = Index_Text(index);
        feld[2] = name;
        feld[3] = nummer;
        feld[4] = merker;
        feld[5].clear();
        feld[6].clear();
    } else {
        Ausserhalb_Merken(b, index, name, nummer);
    }
}

// What the phone holds at an index, read from it. Unbekannt: no answer, or the book could not be
// chosen (the exchange told it); Ungeklaert: an answer that does not tell, an error line other
// than "not found" or the entry of another index.
enum class Indexbefund { Leer, Belegt, Unbekannt, Ungeklaert };

// The last line of a reply.
QString Letzte_Zeile(const QString& antwort)
{
    const QStringList zeilen = antwort.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (auto z = zeilen.crbegin(); z != zeilen.crend(); ++z)
        if (const QString zeile = z->trimmed(); !zeile.isEmpty())
            return zeile;
    return {};
}

// Reads the index of the book the phone has selected; an entry found there goes to `gefunden`.
// Some phones answer an empty index with "not found" instead of a bare OK. A refusal is an
// answer about the index, never a question of a PIN.
Indexbefund Index_Lesen(int index, CPBR_Eintrag* gefunden = nullptr)
{
    switch (Befehl_Senden(QStringLiteral("AT+CPBR=") + QString::number(index), true, JedeAbsage)) {
    case Ausgang::Absage:
        return Letzte_Zeile(Link().Text2) == QLatin1String("+CME ERROR: 22") ? Indexbefund::Leer
                                                                              : Indexbefund::Ungeklaert;
    case Ausgang::Fehler:
        return Indexbefund::Unbekannt;
    case Ausgang::Ok:
        break;
    }
    const QString& antwort = Link().Text2;
    const qsizetype marke = antwort.indexOf(QLatin1String("+CPBR:"));
    if (marke < 0)
        return Indexbefund::Leer;
    QString rest = antwort.mid(marke + 6);
    const CPBR_Eintrag e = CPBR_Eintrag_Lesen(rest);
    if (e.Index != index)
        return Indexbefund::Ungeklaert;
    if (gefunden)
        *gefunden = e;
    return Indexbefund::Belegt;
}

Indexbefund Index_Nachlesen(int b, int index)
{
    if (!Befehl_Senden(QStringLiteral("AT+CPBS=") + Speicher_Kennung(b), true))
        return Indexbefund::Unbekannt;
    const Indexbefund befund = Index_Lesen(index);
    return befund == Indexbefund::Ungeklaert ? Indexbefund::Unbekannt : befund;
}

// An index the read did not settle is not written; the action stops with this one message.
void Platz_Ungeklaert_Melden(int index)
{
    Kritisch(QStringLiteral("Ob der Platz %1 frei ist, konnte nicht gelesen werden. Es wurde nichts geschrieben.")
                 .arg(index));
    Status_Setzen(QStringLiteral("Abgebrochen."));
}

// An entry read from the phone, as the PC shows it.
Eintragsbild Handybild(const CPBR_Eintrag& e)
{
    Eintragsbild bild;
    bild.Name = Eintragsname_Wandeln(e.Name, bild.Merker);
    bild.Nummer = e.Nummer;
    return bild;
}

void Eintrag_Lernen(int b, int index, const Eintragsbild& bild)
{
    Im_Cache_Ablegen(b, index, bild.Name, bild.Nummer, bild.Merker);
}

// Takes the entry at `index` of book `b` out of the cache.
void Index_Austragen(int b, int index)
{
    bool gefunden = false;
    for (int s = 1; s <= TBuchPlaetze; ++s)
        if (!TBuchDaten[b][s][1].isEmpty() && TBuchDaten[b][s][1].toInt() == index) {
            TBuchDaten[b][s][1].clear();
            gefunden = true;
        }
    if (gefunden || s_ausserhalb[b].erase(index))
        Belegung_Aendern(b, -1);
    // Close the gap in one forward pass over every slot, so no entry stays hidden behind it.
    for (int j = 1; j < TBuchPlaetze; ++j)
        if (TBuchDaten[b][j][1].isEmpty()) {
            for (int feld = 1; feld <= TBuchFelder; ++feld) {
                TBuchDaten[b][j][feld] = TBuchDaten[b][j + 1][feld];
                TBuchDaten[b][j + 1][feld].clear();
            }
        }
}

// What the phone holds at the index of a listed entry, against what the row shows.
enum class Abgleich { Wie_Gezeigt, Anders, Leer, Gescheitert, Ungeklaert };

// Reads the index of a listed entry, its book selected, and compares it with the row (name,
// number and mark). What the handset put there instead goes into the cache, and an index found
// empty leaves it; an index the read cannot settle is told.
Abgleich Eintrag_Abgleichen(int b, int index, const Eintragsbild& gezeigt)
{
    CPBR_Eintrag e;
    switch (Index_Lesen(index, &e)) {
    case Indexbefund::Unbekannt:
        return Abgleich::Gescheitert;
    case Indexbefund::Ungeklaert:
        Platz_Ungeklaert_Melden(index);
        return Abgleich::Ungeklaert;
    case Indexbefund::Leer:
        Index_Austragen(b, index);
        return Abgleich::Leer;
    case Indexbefund::Belegt:
        break;
    }
    const Eintragsbild handy = Handybild(e);
    if (handy.Name == gezeigt.Name && handy.Nummer == gezeigt.Nummer && handy.Merker == gezeigt.Merker)
        return Abgleich::Wie_Gezeigt;
    Eintrag_Lernen(b, index, handy);
    return Abgleich::Anders;
}

// How a write over a listed entry ends when the phone does not hold what the row shows.
Schreibausgang Abweichung(Abgleich a)
{
    return a == Abgleich::Anders || a == Abgleich::Leer ? Schreibausgang::Veraendert : Schreibausgang::Abbruch;
}

// Eintrag_Schreiben; with `neu`, an index the cache shows free is read on the phone between
// the choice of the book and the write (see Eintrag_Schreiben_Neu); with `gezeigt`, the entry the
// write replaces is read first and written over only when the phone holds what the row shows.
Schreibausgang Schreiben(const QString& indexText, const QString& name, const QString& nummer, const QString& buch,
                         const QString& merker, const std::function<bool(int& index)>* neu,
                         const Eintragsbild* gezeigt = nullptr)
{
    const int b = buch.toInt();
    if (b < 1 || b > 4)
        return Schreibausgang::Nicht_Geschrieben;
    int indexWert = Index_Wert(indexText);
    if (indexWert <= 0) {
        MsgBox(QStringLiteral("Kein gültiger Index angegeben!"));
        return Schreibausgang::Nicht_Geschrieben;
    }
    if (!Nummer_Pruefen(nummer)) {
        MsgBox(QStringLiteral("Für die Rufnummer bitte nur 0-9, '*', '#' und '+' verwenden! Bitte ändern."));
        return Schreibausgang::Nicht_Geschrieben;
    }
    if (!Name_Sendbar(name)) {
        MsgBox(QStringLiteral("Ungültiges Zeichen im Namen! Bitte ändern."));
        return Schreibausgang::Nicht_Geschrieben;
    }

    Status_Setzen(QStringLiteral("Wähle Telefonbuch aus..."));
    const QString klarname = name.endsWith(QLatin1Char('!')) ? name.left(name.size() - 1) : name;
    if (!Befehl_Senden(QStringLiteral("AT+CPBS=") + Speicher_Kennung(b), true))
        return Schreibausgang::Nicht_Geschrieben;

    if (gezeigt) {
        if (const Abgleich a = Eintrag_Abgleichen(b, indexWert, *gezeigt); a != Abgleich::Wie_Gezeigt)
            return Abweichung(a);
    }

    // An entry stored on the handset since the read is learned, never written over unasked;
    // an index that cannot be read is not written.
    QString index = indexText;
    while (neu && Platz_Pruefen(b, indexWert).Stand == Platzstand::Frei) {
        CPBR_Eintrag e;
        const Indexbefund befund = Index_Lesen(indexWert, &e);
        if (befund == Indexbefund::Leer)
            break;
        if (befund == Indexbefund::Ungeklaert)
            Platz_Ungeklaert_Melden(indexWert);
        if (befund != Indexbefund::Belegt)
            return Schreibausgang::Abbruch;
        Eintrag_Lernen(b, indexWert, Handybild(e));
        Liste_Laden();
        const int vorher = indexWert;
        if (!(*neu)(indexWert))
            return Schreibausgang::Nicht_Geschrieben;
        if (indexWert != vorher)
            index = QString::number(indexWert);
    }

    Status_Setzen(QStringLiteral("Schreibe Eintrag: ") + klarname);
    const QString typ = nummer.startsWith(QLatin1Char('+')) ? QStringLiteral("145") : QStringLiteral("129");
    QString handyname = name;
    Zeichen_Wandeln(handyname);
    if (!Befehl_Senden(QStringLiteral("AT+CPBW=") + index + QStringLiteral(",\"") + nummer + QStringLiteral("\",") +
                           typ + QStringLiteral(",\"") + handyname + QLatin1Char('"'),
                       true)) {
        Schreiben_Gescheitert(b, indexWert);
        return Schreibausgang::Nicht_Geschrieben;
    }

    // The phone replaced whatever it held at this index: so does the cache, or, when it is
    // full, the list of entries beyond it.
    Index_Bestaetigt(b, indexWert);
    Im_Cache_Ablegen(b, indexWert, klarname, nummer, merker);

    Eintraege_Zaehlen(b);
    Liste_Neu_Zeigen();
    return Schreibausgang::Geschrieben;
}

}  // namespace

bool Eintrag_Schreiben(const QString& index, const QString& name, const QString& nummer, const QString& buch,
                       const QString& merker)
{
    return Schreiben(index, name, nummer, buch, merker, nullptr) == Schreibausgang::Geschrieben;
}

Schreibausgang Eintrag_Schreiben_Neu(const QString& index, const QString& name, const QString& nummer,
                                     const QString& buch, const QString& merker,
                                     const std::function<bool(int& index)>& belegt)
{
    return Schreiben(index, name, nummer, buch, merker, &belegt);
}

bool Eintrag_Neu_Schreiben(const QString& index, const QString& name, const QString& nummer, const QString& buch,
                           const QString& merker)
{
    const int b = buch.toInt();
    if (!Schreiben_Erlaubt(index, b))
        return false;
    // Found taken on the phone, the index is asked for as one the cache knows.
    return Eintrag_Schreiben_Neu(index, name, nummer, buch, merker,
                                 [&](int&) { return Schreiben_Erlaubt(index, b); }) == Schreibausgang::Geschrieben;
}

namespace {

const QString NichtGeloescht = QStringLiteral("Der Eintrag wurde im Handy verändert und nicht gelöscht.");
const QString NichtGeaendert = QStringLiteral("Der Eintrag wurde im Handy verändert und nicht geändert.");

struct Loeschung {
    bool Beantwortet = false;  // the phone answered the delete itself, or the row's entry had changed
    Indexbefund Befund = Indexbefund::Belegt;
    bool Veraendert = false;   // the handset had changed the entry: nothing was deleted
};

// Deletes the entry at `index` of book `b` (1..4) on the phone and, once it is gone, from the
// cache. With `gezeigt`, the index is read first, and deleted only when the phone holds what the
// row shows. A delete that got no answer may have been carried out: the slot is read back once
// the phone is in step again. An index whose state stays unknown keeps its entry and counts as
// occupied until the book is read again.
Loeschung Index_Loeschen(int b, int index, const Eintragsbild* gezeigt)
{
    Status_Setzen(QStringLiteral("Lösche Eintrag..."));
    Loeschung l;
    const bool gewaehlt = Befehl_Senden(QStringLiteral("AT+CPBS=") + Speicher_Kennung(b), true);
    if (gewaehlt && gezeigt) {
        switch (const Abgleich a = Eintrag_Abgleichen(b, index, *gezeigt)) {
        case Abgleich::Wie_Gezeigt:
            break;
        case Abgleich::Anders:
        case Abgleich::Leer:
            l.Beantwortet = l.Veraendert = true;
            l.Befund = a == Abgleich::Leer ? Indexbefund::Leer : Indexbefund::Belegt;
            return l;
        case Abgleich::Gescheitert:
        case Abgleich::Ungeklaert:
            return l;  // nothing went out that deletes
        }
    }
    l.Beantwortet = gewaehlt && Befehl_Senden(QStringLiteral("AT+CPBW=") + QString::number(index), true);
    if (l.Beantwortet)
        l.Befund = Indexbefund::Leer;
    else if (!Link().Abgelehnt)
        l.Befund = Index_Nachlesen(b, index);
    switch (l.Befund) {
    case Indexbefund::Leer:
        Index_Austragen(b, index);
        Index_Bestaetigt(b, index);
        break;
    case Indexbefund::Unbekannt:
    case Indexbefund::Ungeklaert:
        s_unbestaetigt[b].insert(index);
        break;
    case Indexbefund::Belegt:
        break;
    }
    return l;
}

// The new entry of a move from the entry record, once the old index still holds what the row
// shows; a target index found taken on the phone is asked for.
Schreibausgang Umzug_Schreiben(int altesBuch, int alterIndex, const Eintragsbild& gezeigt)
{
    Status_Setzen(QStringLiteral("Wähle Telefonbuch aus..."));
    if (!Befehl_Senden(QStringLiteral("AT+CPBS=") + Speicher_Kennung(altesBuch), true))
        return Schreibausgang::Nicht_Geschrieben;
    if (const Abgleich a = Eintrag_Abgleichen(altesBuch, alterIndex, gezeigt); a != Abgleich::Wie_Gezeigt)
        return Abweichung(a);
    const int ziel = EintragBuch.toInt();
    return Eintrag_Schreiben_Neu(EintragIndex, EintragName, EintragNummer, EintragBuch, EintragMerker,
                                 [ziel](int&) { return Schreiben_Erlaubt(EintragIndex, ziel); });
}

// Deletes the entry of phone-list row `position`; see Eintrag_Loeschen.
Loeschung Zeile_Loeschen(int position)
{
    Listenzeilen* l = Fenster().Liste;
    if (!l || position < 1 || position > l->Zeilen())
        return {};
    MarkierteZeile = l->Gewaehlte_Zeile();

    const int b = TBuch_Nummer(l->Zelle(position, 0));
    if (b == 5 || b == 6) {
        Kritisch(QStringLiteral("Im gewählten Telefonbuch kann nicht gelöscht werden!"));
        return {};
    }
    const int index = Index_Wert(l->Zelle(position, 1));
    if (b == 0 || index <= 0)
        return {};
    AktuellesTBuch = b;
    const Eintragsbild gezeigt{l->Zelle(position, 2), l->Zelle(position, 3), l->Zelle(position, 4)};
    return Index_Loeschen(b, index, &gezeigt);
}

}  // namespace

bool Eintrag_Loeschen(int position)
{
    const Loeschung l = Zeile_Loeschen(position);
    return l.Befund == Indexbefund::Leer && !l.Veraendert;
}

void EDIT_ITEM()
{
    Listenzeilen* l = Fenster().Liste;
    if (!l)
        return;
    const int zeile = l->Gewaehlte_Zeile();
    if (zeile == 0)
        return;
    MarkierteZeile = zeile;
    EintragIndex = l->Zelle(zeile, 1);
    EintragName = l->Zelle(zeile, 2);
    EintragNummer = l->Zelle(zeile, 3);
    EintragMerker = l->Zelle(zeile, 4);
    const int altesBuch = TBuch_Nummer(l->Zelle(zeile, 0));
    if (altesBuch == 0)
        return;
    EintragBuch = QString::number(altesBuch);

    if (altesBuch <= 4) {
        const int alterIndex = Index_Wert(EintragIndex);
        const Eintragsbild gezeigt{EintragName, EintragNummer, EintragMerker};
        DialogModus = QStringLiteral("aendern");
        Dialog_Zeigen();
        if (DialogModus == QLatin1String("cancel"))
            return;
        const int ziel = EintragBuch.toInt();
        const bool umzug = ziel != altesBuch || Index_Wert(EintragIndex) != alterIndex;
        // Only the entry the user saw is changed: the phone is asked first what it holds at the
        // old index. The same index is written over in place; nothing is deleted before the new
        // entry is on the phone. A changed index that another entry may hold is asked for first.
        // A failed write has been told by the exchange; the old entry stays.
        Schreibausgang ausgang = Schreibausgang::Nicht_Geschrieben;
        if (!umzug)
            ausgang = Schreiben(EintragIndex, EintragName, EintragNummer, EintragBuch, EintragMerker, nullptr, &gezeigt);
        else if (Schreiben_Erlaubt(EintragIndex, ziel))
            ausgang = Umzug_Schreiben(altesBuch, alterIndex, gezeigt);
        if (ausgang != Schreibausgang::Geschrieben) {
            Liste_Laden();
            if (ausgang == Schreibausgang::Veraendert)
                Kritisch(NichtGeaendert);
            return;
        }
        if (!umzug)
            return;
        Indexbefund befund;
        {
            // What became of the old entry is told once, below: a lost answer is no time-out to the user.
            Aktion selbst(Aktion::Meldung::Selbst);
            befund = Index_Loeschen(altesBuch, alterIndex, nullptr).Befund;
        }
        switch (befund) {
        case Indexbefund::Belegt:
            Kritisch(QStringLiteral("Der geänderte Eintrag wurde geschrieben, aber der alte Eintrag konnte nicht "
                                    "gelöscht werden! Beide Einträge sind jetzt im Telefonbuch."));
            return;
        case Indexbefund::Unbekannt:
        case Indexbefund::Ungeklaert:
            // Neither shown nor free: a write there asks first, until the book is read again.
            Index_Austragen(altesBuch, alterIndex);
            Liste_Neu_Zeigen();
            Kritisch(QStringLiteral("Ob der alte Eintrag gelöscht wurde, ist nicht bekannt. Bitte lesen Sie das "
                                    "Telefonbuch neu ein."));
            return;
        case Indexbefund::Leer:
            break;
        }
        Eintraege_Zaehlen(altesBuch);
        Liste_Neu_Zeigen();
        return;
    }

    if (MsgBox(QStringLiteral("In diesem Telefonbuch kann nicht geschrieben werden! Möchten Sie die Nummer in "
                              "einem anderen Telefonbuch speichern?"),
               Dialoge::Symbol::Kritisch, Dialoge::Tasten::JaNein, Dialoge::Antwort::Ja) != Dialoge::Antwort::Ja)
        return;
    Neu_Erfassen_Und_Schreiben();
}

// ---- Phone-list commands -----------------------------------------------------------------

void Eintrag_Neu()
{
    EintragIndex.clear();
    EintragName.clear();
    EintragNummer.clear();
    EintragMerker.clear();
    EintragBuch = QStringLiteral("0");
    Neu_Erfassen_Und_Schreiben();
}

void Markierte_Loeschen()
{
    Listenzeilen* l = Fenster().Liste;
    if (!l)
        return;
    if (l->Zeilen() == 0) {
        Kritisch(QStringLiteral("Die Liste ist leer!"));
        return;
    }
    if (!Irgendeine_Gewaehlt(*l)) {
        Kritisch(QStringLiteral("Keinen Eintrag ausgewählt!"));
        return;
    }
    if (LoeschenRueckfrage &&
        MsgBox(QStringLiteral("Eintrag/Einträge wirklich löschen?"), Dialoge::Symbol::Frage, Dialoge::Tasten::JaNein,
               Dialoge::Antwort::Nein, QStringLiteral("LÖSCHEN")) != Dialoge::Antwort::Ja)
        return;

    const int n = l->Zeilen();
    bool veraendert = false;
    bool abgebrochen = false;
    for (int i = 1; i <= n; ++i) {
        // The window may have gone while the phone was asked.
        if (Fenster().Liste != l)
            return;
        if (i > l->Zeilen())
            break;
        if (!l->Gewaehlt(i))
            continue;
        l->Waehlen(i, false);
        const Loeschung loeschung = Zeile_Loeschen(i);
        // A row the handset changed keeps its place until the refill shows what the phone holds.
        veraendert = veraendert || loeschung.Veraendert;
        if (loeschung.Befund == Indexbefund::Leer) {
            l->Entfernen(i);
            --i;
        }
        // The first failure ends the loop, and so does a delete that got no answer; what was
        // deleted stays deleted, without a refill, unless a row is to show its unknown state.
        if (loeschung.Befund == Indexbefund::Unbekannt)
            Liste_Laden();
        if (!loeschung.Beantwortet) {
            abgebrochen = true;
            break;
        }
    }
    if (!abgebrochen || veraendert)
        Liste_Laden();
    if (veraendert)
        Kritisch(NichtGeloescht);
}

void Suche_Neu()
{
    Listenzeilen* l = Fenster().Liste;
    if (!l || l->Zeilen() == 0)
        return;
    SuchPos = 1;
    SuchText = Suchtext_Fragen();
    if (SuchText.isEmpty())
        return;
    if (const int g = l->Gewaehlte_Zeile()) {
        SuchPos = g;
        l->Waehlen(g, false);
    }
    if (!Suchlauf(*l, 1, 2, 3, SuchText))
        Kritisch(QStringLiteral("Keinen Eintrag gefunden!"));
    l->Fokus_Setzen();
}

void Suche_Weiter()
{
    if (Listenzeilen* l = Fenster().Liste)
        Weitersuchen(*l, 2, 3, SuchText, SuchPos);
}

// ---- Local-list commands -----------------------------------------------------------------

void Lokal_Loeschen(Listenzeilen& l)
{
    if (LoeschenRueckfrage &&
        MsgBox(QStringLiteral("Eintrag / Einträge wirklich löschen?"), Dialoge::Symbol::Frage,
               Dialoge::Tasten::JaNein, Dialoge::Antwort::Nein) != Dialoge::Antwort::Ja)
        return;
    if (l.Zeilen() == 0 || !Irgendeine_Gewaehlt(l))
        return;
    const int n = l.Zeilen();
    for (int i = 1; i <= n; ++i) {
        if (i > l.Zeilen())
            break;
        if (l.Gewaehlt(i)) {
            l.Waehlen(i, false);
            l.Entfernen(i);
            --i;
        }
    }
}

void Lokal_Suche_Neu(Listenzeilen& l)
{
    if (l.Zeilen() == 0)
        return;
    SuchPosLokal = 1;
    SuchTextLokal = Suchtext_Fragen();
    if (SuchTextLokal.isEmpty())
        return;
    if (const int g = l.Gewaehlte_Zeile())
        l.Waehlen(g, false);
    if (!Suchlauf(l, 1, 1, 2, SuchTextLokal)) {
        Kritisch(KeinWeiterer);
        SuchTextLokal.clear();
    }
    l.Fokus_Setzen();
}

void Lokal_Suche_Weiter(Listenzeilen& l) { Weitersuchen(l, 1, 2, SuchTextLokal, SuchPosLokal); }

void SMS_Uebergeben(Listenzeilen& l, int nummerSpalte)
{
    if (l.Zeilen() == 0) {
        Kritisch(QStringLiteral("Die Liste ist leer!"));
        return;
    }
    if (!Irgendeine_Gewaehlt(l)) {
        Kritisch(QStringLiteral("Keinen Eintrag ausgewählt!"));
        return;
    }
    Form6* form6 = Form6::Instanz();
    form6->Empfaenger_Vorher_Leeren();
    for (int i = 1; i <= l.Zeilen(); ++i)
        if (l.Gewaehlt(i))
            form6->List3->addItem(l.Zelle(i, nummerSpalte));
    form6->Zum_Schreiben_Zeigen();
}

}  // namespace Module1
