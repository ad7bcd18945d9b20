#include "phonebook/TBuchLesen.h"

#include "common/Dialoge.h"
#include "common/Zeichen.h"
#include "link/LinkAnzeige.h"
#include "link/Module1.h"
#include "link/PortKanal.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Eintraege.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <utility>

namespace Module1 {

int TBuchPosition = 0;
int Lesezaehler = 0;
int LeseFortschritt = 0;
QString Speicherkennung;
int LeseLeerlaufGrenze = 5000;

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString Eintragsmarke = QStringLiteral("+CPBR: ");

TBuchAnsicht*& Ansicht()
{
    static TBuchAnsicht* ansicht = nullptr;
    return ansicht;
}

// The transfer's own bookkeeping beside the shared counters.
int s_fortschrittMaximum = 0;
bool s_ueberlauf = false;  // the phone sent more entries than the cache holds
int s_erwartet = 0;        // entries the status counts up to

LinkAnzeige* Anzeige() { return Link().Anzeige; }

void Fortschritt(int wert)
{
    if (Anzeige())
        Anzeige()->Fortschritt_Setzen(std::clamp(wert, 0, std::max(0, s_fortschrittMaximum)), s_fortschrittMaximum);
}

void Abarbeiten()
{
    if (Link().Abarbeiten)
        Link().Abarbeiten();
    else
        QCoreApplication::processEvents();
}

// Drops `s` up to and including the next `c` and `extra` more characters; all of it when there is no `c`.
void Abschneiden_Nach(QString& s, QChar c, int extra)
{
    const qsizetype i = s.indexOf(c);
    if (i < 0)
        s.clear();
    else
        s.remove(0, std::min(s.size(), i + 1 + extra));
}

// The text before the next double quote; without one, the rest of the line.
QString Bis_Anfuehrung(const QString& s)
{
    qsizetype i = s.indexOf(QLatin1Char('"'));
    if (i < 0) {
        i = s.size();
        for (qsizetype j = 0; j < s.size(); ++j)
            if (s.at(j) == QLatin1Char('\r') || s.at(j) == QLatin1Char('\n')) {
                i = j;
                break;
            }
    }
    return s.left(i);
}

void Lesestatus(int buch)
{
    Status_Setzen(QStringLiteral("Lese Einträge von %1 (%2 von %3)")
                      .arg(TBuchNamen[buch])
                      .arg(Lesezaehler)
                      .arg(s_erwartet));
}

}  // namespace

TBuchAnsicht* TBuch_Ansicht() { return Ansicht(); }
void TBuch_Ansicht_Setzen(TBuchAnsicht* ansicht) { Ansicht() = ansicht; }

int Zahl_Wert(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n'))
        ++i;
    bool negativ = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negativ = text[i] == u'-';
        ++i;
    }
    long long wert = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        wert = std::min<long long>(wert * 10 + (text[i].unicode() - u'0'), 1000000000);
    return static_cast<int>(negativ ? -wert : wert);
}

QString Index_Text(int index)
{
    const QString ziffern = QString::number(std::abs(index)).rightJustified(3, QLatin1Char('0'));
    return index < 0 ? QLatin1Char('-') + ziffern : ziffern;
}

namespace {

// The two numbers behind the first and the second comma after the reply's head: the second
// ends at the first line end or "OK", where the number conversion stops anyway.
std::optional<std::pair<int, int>> Zahlenpaar_Lesen(const QString& antwort, QLatin1String kopf)
{
    const qsizetype anfang = antwort.indexOf(kopf);
    if (anfang < 0)
        return std::nullopt;
    const qsizetype komma1 = antwort.indexOf(QLatin1Char(','), anfang);
    if (komma1 < 0)
        return std::nullopt;
    const qsizetype komma2 = antwort.indexOf(QLatin1Char(','), komma1 + 1);
    if (komma2 < 0)
        return std::nullopt;
    const QStringView text(antwort);
    return std::make_pair(Zahl_Wert(text.mid(komma1 + 1, komma2 - komma1 - 1)), Zahl_Wert(text.mid(komma2 + 1)));
}

}  // namespace

std::optional<Belegung> CPBS_Zaehler_Lesen(const QString& antwort)
{
    const auto paar = Zahlenpaar_Lesen(antwort, QLatin1String("+CPBS: "));
    if (!paar)
        return std::nullopt;
    return Belegung{paar->first, paar->second};
}

std::optional<Indexbereich> CPBR_Bereich_Lesen(const QString& antwort)
{
    const qsizetype anfang = antwort.indexOf(QLatin1String("+CPBR:"));
    if (anfang < 0)
        return std::nullopt;
    const qsizetype auf = antwort.indexOf(QLatin1Char('('), anfang);
    const qsizetype zu = antwort.indexOf(QLatin1Char(')'), anfang);
    if (auf < 0 || zu < auf)
        return std::nullopt;
    const QStringView bereich = QStringView(antwort).mid(auf + 1, zu - auf - 1);
    const qsizetype strich = bereich.indexOf(QLatin1Char('-'));
    Indexbereich b;
    b.Von = Zahl_Wert(strich < 0 ? bereich : bereich.left(strich));
    b.Bis = strich < 0 ? b.Von : Zahl_Wert(bereich.mid(strich + 1));
    if (b.Von < 1 || b.Bis < b.Von)
        return std::nullopt;
    return b;
}

std::optional<Eintragslaengen> CPBR_Laengen_Lesen(const QString& antwort)
{
    const auto paar = Zahlenpaar_Lesen(antwort, QLatin1String("+CPBR:"));
    if (!paar)
        return std::nullopt;
    return Eintragslaengen{paar->first, paar->second};
}

CPBR_Eintrag CPBR_Eintrag_Lesen(QString& rest)
{
    CPBR_Eintrag e;
    const qsizetype komma = rest.indexOf(QLatin1Char(','));
    e.Index = Zahl_Wert(komma < 0 ? QStringView(rest) : QStringView(rest).left(komma));
    Abschneiden_Nach(rest, QLatin1Char(','), 1);  // index and the number's opening quote
    e.Nummer = Bis_Anfuehrung(rest);
    // The number's closing quote and type, then the name's opening quote.
    Abschneiden_Nach(rest, QLatin1Char(','), 1);
    Abschneiden_Nach(rest, QLatin1Char(','), 1);
    e.Name = Bis_Anfuehrung(rest);
    rest.remove(0, e.Name.size());
    return e;
}

QString Eintragsname_Wandeln(QString name, QString& merker)
{
    // The marker is the phone's last character, before any conversion.
    merker.clear();
    if (name.endsWith(QLatin1Char('!'))) {
        name.chop(1);
        merker = QStringLiteral("!");
    }
    Zeichen_Rueckwandeln(name);
    return name;
}

std::optional<QString> Puffer_Schritt(QString& puffer)
{
    // A stale final word in front of the first entry goes, as far as its second character.
    for (const QLatin1String wort : {QLatin1String("ERROR"), QLatin1String("OK")}) {
        const qsizetype eintrag = puffer.indexOf(Eintragsmarke);
        const qsizetype alt = puffer.indexOf(wort);
        if (eintrag >= 0 && alt >= 0 && alt < eintrag)
            puffer.remove(0, alt + 2);
    }
    qsizetype eintrag = puffer.indexOf(Eintragsmarke);
    if (eintrag < 0)
        return std::nullopt;
    // The echo, blank lines and whatever else the phone puts in front of the entry: all of it.
    if (const qsizetype davor = puffer.lastIndexOf(CRLF, eintrag); davor >= 0) {
        puffer.remove(0, davor + 2);
        eintrag -= davor + 2;
    }
    const qsizetype ende = puffer.indexOf(CRLF, eintrag);
    if (ende < 0)
        return std::nullopt;
    const QString zeile = puffer.mid(eintrag, ende - eintrag);
    puffer.remove(0, ende + 2);
    return zeile;
}

QString Zeilenreiniger::Bereinigen(const QString& chunk)
{
    QString roh = m_crOffen ? QLatin1Char('\r') + chunk : chunk;
    m_crOffen = roh.endsWith(QLatin1Char('\r'));
    if (m_crOffen)
        roh.chop(1);
    return Antwort_Bereinigen(roh);
}

Fuellstand Fuellstand_Berechnen(int belegt, int gesamt, int breite)
{
    if (gesamt == 0)
        return {QStringLiteral("(0 von 0 frei)"), breite};
    Fuellstand f;
    f.Text = QStringLiteral("(%1 von %2 frei)").arg(gesamt - belegt).arg(gesamt);
    // Single precision and rounding down, as the bar has always been drawn.
    const float balken = static_cast<float>(breite) / static_cast<float>(gesamt) * static_cast<float>(belegt);
    f.Balken = std::clamp(static_cast<int>(std::floor(balken)), 0, breite);
    return f;
}

void Belegung_Aktualisieren(int buch)
{
    if (buch < 1 || buch > 4 || !Ansicht())
        return;
    Ansicht()->Belegung_Zeigen(buch, Fuellstand_Berechnen(TBuchBelegt[buch], TBuchGesamt[buch]));
}

void Antwort_Loeschen() { Link().Text2.clear(); }

QString Antwort_Holen() { return Link().Text2; }

void Eintraege_Parsen(const QString& puffer, int buch)
{
    if (buch < 1 || buch > TBuchAnzahl)
        return;
    QString rest = puffer;
    for (;;) {
        const qsizetype marke = rest.indexOf(QLatin1String("+CPBR:"));
        if (marke < 0)
            break;
        rest.remove(0, marke + 6);
        if (rest.startsWith(QLatin1Char(' ')))
            rest.remove(0, 1);
        CPBR_Eintrag e = CPBR_Eintrag_Lesen(rest);
        QString merker;
        e.Name = Eintragsname_Wandeln(e.Name, merker);
        const QString index = Index_Text(e.Index);
        ++Lesezaehler;
        // The cache holds 250 entries a book; the rest is read to the end but not kept.
        if (TBuchPosition < TBuchPlaetze) {
            if (Ansicht())
                Ansicht()->Zeile_Anfuegen({buch, index, e.Name, e.Nummer, merker});
            ++TBuchPosition;
            QString* slot = TBuchDaten[buch][TBuchPosition];
            slot[1] = index;
            slot[2] = e.Name;
            slot[3] = e.Nummer;
            slot[4] = merker;
        } else {
            s_ueberlauf = true;
        }
        ++LeseFortschritt;
        Fortschritt(LeseFortschritt);
        if (Anzeige())
            Anzeige()->Panel_Setzen(3, QStringLiteral("Eingangspuffer: %1").arg(Link().Text2.size()));
        Abarbeiten();
    }
}

bool Telefonbuch_Lesen(int buch, bool* gemeldet)
{
    if (buch < 1 || buch > TBuchAnzahl)
        return false;
    // Every early return below follows a failed exchange, which told the user.
    bool nichtsGemeldet = false;
    bool& meldung = gemeldet ? *gemeldet : nichtsGemeldet;
    meldung = true;
    Verbindung& L = Link();
    L.Text1.clear();
    L.Text2.clear();
    Lesezaehler = 1;
    Speicherkennung = Speicher_Kennung(buch);
    // A placeholder while the phone is asked; a failed count puts the old capacity back, so
    // that no writer takes the placeholder for the book's size.
    const int gesamtVorher = TBuchGesamt[buch];
    TBuchGesamt[buch] = 10;
    // Slots of an earlier read must not survive entries deleted on the phone meanwhile, nor a
    // read that fails before its first entry: the book is then not read, with nothing cached
    // that a write could take for a free slot.
    TBuch_Leeren(buch);

    Status_Setzen(QStringLiteral("Wähle Telefonbuch aus..."));
    if (!Befehl_Senden(QStringLiteral("at+cpbs=\"%1\"").arg(Speicherkennung), true)) {
        TBuchGesamt[buch] = gesamtVorher;
        return false;
    }
    Antwort_Loeschen();
    Status_Setzen(QStringLiteral("Hole Anzahl der Einträge..."));
    if (!Befehl_Senden(QStringLiteral("AT+CPBS?"), true)) {
        TBuchGesamt[buch] = gesamtVorher;
        return false;
    }
    std::optional<Belegung> belegung = CPBS_Zaehler_Lesen(Antwort_Holen());
    // A phone may name the book without used and total: its index range gives the capacity,
    // and the entries read give the used count.
    std::optional<QString> laengenAntwort;
    if (!belegung) {
        Status_Setzen(QStringLiteral("Hole maximale Eintragslängen..."));
        if (!Befehl_Senden(QStringLiteral("AT+CPBR=?"), true)) {
            TBuchGesamt[buch] = gesamtVorher;
            return false;
        }
        laengenAntwort = Antwort_Holen();
        const std::optional<Indexbereich> bereich = CPBR_Bereich_Lesen(*laengenAntwort);
        if (!bereich) {
            TBuchGesamt[buch] = gesamtVorher;
            Fehler_Melden();
            return false;
        }
        TBuchGesamt[buch] = bereich->Bis;
    } else {
        TBuchBelegt[buch] = belegung->Belegt;
        TBuchGesamt[buch] = belegung->Gesamt;
        Belegung_Aktualisieren(buch);
    }

    if (!laengenAntwort) {
        Status_Setzen(QStringLiteral("Hole maximale Eintragslängen..."));
        if (!Befehl_Senden(QStringLiteral("AT+CPBR=?"), true))
            return false;
        laengenAntwort = Antwort_Holen();
    }
    if (const std::optional<Eintragslaengen> laengen = CPBR_Laengen_Lesen(*laengenAntwort)) {
        TBuchNummerLaenge[buch] = laengen->Nummer;
        TBuchTextLaenge[buch] = laengen->Text;
    }

    Ausserhalb_Vergessen(buch);
    if (belegung && TBuchBelegt[buch] <= 0) {
        Status_Setzen(QStringLiteral("Telefonbuch ist leer!"));
        TBuchVollstaendig[buch] = true;
        meldung = false;
        return true;
    }

    LeseFortschritt = 0;
    s_erwartet = belegung ? TBuchBelegt[buch] : TBuchGesamt[buch];
    s_fortschrittMaximum = s_erwartet;
    s_ueberlauf = false;
    Fortschritt(0);
    Status_Setzen(QStringLiteral("Lese Einträge..."));
    Link_Belegen();
    L.Text1.clear();
    L.Text2.clear();
    TBuchPosition = 0;
    if (L.Port)
        L.Port->Output(QStringLiteral("AT+CPBR=1,%1").arg(TBuchGesamt[buch]) + CRLF);

    // Receive: one poll, one leading line and one entry per pass, until a final result line
    // or the idle limit.
    Zeilenreiniger reiniger;
    int leer = 0;
    Ergebnis ende = Ergebnis::Keins;
    do {
        const QString roh = L.Port ? L.Port->Input() : QString();
        leer = roh.isEmpty() ? leer + 1 : 1;
        const QString chunk = reiniger.Bereinigen(roh);
        if (!chunk.isEmpty()) {
            L.Text1 += chunk;
            L.Text2 += chunk;
            if (Anzeige())
                Anzeige()->Log_Geaendert(L.Text1);
        }
        if (const std::optional<QString> zeile = Puffer_Schritt(L.Text2))
            Eintraege_Parsen(*zeile, buch);
        Lesestatus(buch);
        if (Anzeige())
            Anzeige()->Meter_Setzen(leer);
        ende = Endergebnis(L.Text2);
    } while (ende == Ergebnis::Keins && leer <= LeseLeerlaufGrenze && !(L.Port && L.Port->Verloren()));
    // Without the final line the list was cut short; the rest of it and its final line may
    // still come, after the next command went out.
    const bool abgebrochen = ende == Ergebnis::Keins;
    if (abgebrochen)
        Zeitaus_Vermerken();

    // Drain: every entry that came with the final line, however many lines lie between them.
    while (const std::optional<QString> zeile = Puffer_Schritt(L.Text2)) {
        Eintraege_Parsen(*zeile, buch);
        Lesestatus(buch);
    }
    TBuchVollstaendig[buch] =
        ende == Ergebnis::Ok && !s_ueberlauf && !L.Text2.contains(QLatin1String("+CPBR:"));
    if (!belegung) {
        TBuchBelegt[buch] = Lesezaehler - 1;
        Belegung_Aktualisieren(buch);
    }

    L.Text2.clear();
    const QString nichtGelesen = QStringLiteral("Das Telefonbuch wurde nicht vollständig gelesen!");
    Status_Setzen(abgebrochen ? nichtGelesen : QStringLiteral("Fertig."));
    Link_Freigeben();
    Fortschritt(0);
    // An error line from the phone ends the list as its final line, without a message.
    meldung = abgebrochen;
    if (abgebrochen)
        MsgBox(nichtGelesen, Dialoge::Symbol::Kritisch);
    return TBuchVollstaendig[buch];
}

bool Eintraege_Zaehlen(int buch)
{
    if (buch < 1 || buch > TBuchAnzahl)
        return false;
    Status_Setzen(QStringLiteral("Hole Anzahl der Einträge..."));
    if (!Befehl_Senden(QStringLiteral("AT+CPBS?"), true))
        return false;
    const std::optional<Belegung> belegung = CPBS_Zaehler_Lesen(Antwort_Holen());
    if (!belegung)
        return false;
    TBuchBelegt[buch] = belegung->Belegt;
    TBuchGesamt[buch] = belegung->Gesamt;
    Belegung_Aktualisieren(buch);
    return true;
}

void Liste_Laden()
{
    Status_Setzen(QStringLiteral("Lade Liste..."));
    TBuchAnsicht* ansicht = Ansicht();
    if (ansicht) {
        ansicht->Zeilen_Leeren();
        for (int buch = 1; buch <= TBuchAnzahl; ++buch) {
            if (!ansicht->Buch_Gedrueckt(buch) || !TBuch_Geladen(buch))
                continue;
            for (int slot = 1; slot <= TBuchPlaetze; ++slot) {
                const QString* f = TBuchDaten[buch][slot];
                const int index = Zahl_Wert(f[1]);
                ansicht->Zeile_Anfuegen({buch, Index_Text(index), f[2], f[3], f[4], Index_Unbestaetigt(buch, index)});
                if (slot == TBuchPlaetze || TBuchDaten[buch][slot + 1][1].isEmpty())
                    break;
            }
        }
    }
    Status_Setzen(QStringLiteral("Fertig."));
    if (ansicht)
        ansicht->Sortierung_Auffrischen();
}

}  // namespace Module1
