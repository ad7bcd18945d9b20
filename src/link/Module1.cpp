#include "link/Module1.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Textdatei.h"
#include "common/Zeichen.h"
#include "link/LinkAnzeige.h"
#include "link/PortKanal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>

namespace Module1 {

int TimeoutFaktor = 7500;
QString LetzterBefehl;

namespace {

// The action of the user that runs now: how deep it is nested, and whether it told its time-out.
int s_aktionen = 0;
bool s_zeitausGemeldet = false;

const QString CRLF = QStringLiteral("\r\n");
// Ends a pending data entry of the phone.
const QString Esc = QString(QChar(27));

// After a time-out the late reply is waited out: until no line has come this long, at most the bound.
constexpr qint64 RuheMs = 500;
constexpr qint64 NachlaufMs = 2000;
// The probes that show the phone in step, each asking for another register, so that every
// answer tells whose it is: the line end, line feed and backspace characters. Each has a second.
struct Probe {
    QLatin1String befehl;
    int wert;
};
const Probe Proben[] = {{QLatin1String("ATS3?"), 13}, {QLatin1String("ATS4?"), 10}, {QLatin1String("ATS5?"), 8}};
constexpr qint64 ProbeMs = 1000;

// Lines the phone sends on its own, whatever command runs ("RING" alone; the others begin so).
const QLatin1String Meldungen[] = {
    QLatin1String("+CRING:"), QLatin1String("+CLIP:"), QLatin1String("+CCWA:"),  QLatin1String("+CMTI:"),
    QLatin1String("+CMT:"),   QLatin1String("+CDSI:"), QLatin1String("+CDS:"),   QLatin1String("+CBM:"),
    QLatin1String("+CREG:"),  QLatin1String("+CGREG:"), QLatin1String("+CIEV:"), QLatin1String("+CUSD:"),
    QLatin1String("+CSSI:"),  QLatin1String("+CSSU:"), QLatin1String("^SBC:"),   QLatin1String("^NWTIME")};

bool Ist_Zeilenende(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

bool Ist_Unaufgefordert(QStringView zeile)
{
    return zeile == u"RING" ||
           std::any_of(std::begin(Meldungen), std::end(Meldungen), [&](QLatin1String m) { return zeile.startsWith(m); });
}

// The beginning of a line that may still turn out to be one the phone sends on its own.
bool Vielleicht_Unaufgefordert(QStringView anfang)
{
    return QStringView(u"RING").startsWith(anfang) ||
           std::any_of(std::begin(Meldungen), std::end(Meldungen),
                       [&](QLatin1String m) { return m.startsWith(anfang) || anfang.startsWith(m); });
}

Ergebnis Zeile_Bewerten(QStringView zeile, bool waehlen = false)
{
    if (zeile == u"OK")
        return Ergebnis::Ok;
    if (zeile == u"ERROR" || zeile.startsWith(u"+CME ERROR") || zeile.startsWith(u"+CMS ERROR"))
        return Ergebnis::Fehler;
    // A dial ends on the results of its call as well.
    if (waehlen && zeile.startsWith(u"CONNECT"))
        return Ergebnis::Ok;
    if (waehlen && (zeile == u"NO CARRIER" || zeile == u"BUSY" || zeile == u"NO ANSWER" || zeile == u"NO DIALTONE"))
        return Ergebnis::Fehler;
    return Ergebnis::Keins;
}

// A register value as the phone gives it, leading zeros allowed ("013").
bool Ist_Wert(QStringView zeile, int wert)
{
    return !zeile.isEmpty() && std::all_of(zeile.begin(), zeile.end(), [](QChar c) { return c.isDigit(); }) &&
           zeile.toInt() == wert;
}

// The port sends text as ISO 8859-1, one byte a character; anything beyond cannot go as typed.
bool Sendbar(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

// ---- The line reader -----------------------------------------------------------------

// Cuts the port's input into lines at CR LF, CR or LF. A line is handed on once, complete, with
// its line end as received; it is complete at its CR, so the LF of a CR LF that comes with the
// next poll is handed on alone, as the rest of the line before.
class Zeilenleser {
public:
    struct Zeile {
        QStringView text;  // without its line end
        QStringView roh;   // with it
        bool nachtrag;     // only the LF of the line before
    };

    template <class F>
    void Aufnehmen(const QString& chunk, F&& zeile)
    {
        m_rest += chunk;
        qsizetype anfang = 0;
        if (std::exchange(m_nachCR, false) && m_rest.startsWith(QLatin1Char('\n'))) {
            zeile(Zeile{QStringView(), QStringView(m_rest).left(1), true});
            anfang = 1;
        }
        for (qsizetype i = anfang; i < m_rest.size(); ++i) {
            if (!Ist_Zeilenende(m_rest.at(i)))
                continue;
            qsizetype ende = i + 1;
            if (m_rest.at(i) == QLatin1Char('\r')) {
                if (ende == m_rest.size())
                    m_nachCR = true;
                else if (m_rest.at(ende) == QLatin1Char('\n'))
                    ++ende;
            }
            zeile(Zeile{QStringView(m_rest).mid(anfang, i - anfang), QStringView(m_rest).mid(anfang, ende - anfang), false});
            anfang = ende;
            i = ende - 1;
        }
        m_rest.remove(0, anfang);
    }

    // The line begun and not complete yet.
    const QString& Rest() const { return m_rest; }
    QString Rest_Nehmen() { return std::exchange(m_rest, QString()); }
    // The data prompt: "> " at the start of a line.
    bool Prompt() const { return m_rest.startsWith(u"> "); }
    QString Prompt_Nehmen()
    {
        const QString prompt = m_rest.left(2);
        m_rest.remove(0, 2);
        return prompt;
    }
    void Vergessen()
    {
        m_rest.clear();
        m_nachCR = false;
    }

private:
    QString m_rest;
    bool m_nachCR = false;  // the last line ended at a CR: an LF now belongs to it
};

Zeilenleser s_leser;

// ---- The command running -------------------------------------------------------------

enum class Art { Echo, Leer, Meldung, Ende, Antwort };
// Where a line went: the log outside replies, the reply's log only (an unsolicited line), the
// empty lines that go into the reply with its next line, the reply.
enum class Ziel { Log, Protokoll, Leer, Antwort };

// The command whose reply the next wait reads, and how far it got.
struct Laufend {
    bool aktiv = false;
    QString echo;     // its line as the phone echoes it; "" when it has none
    QString praefix;  // "+CREG:" for "AT+CREG?": lines so begun are its own, not unsolicited
    bool waehlen = false;
    bool netzsuche = false;
    bool imPuffer = true;  // its reply goes to Text1 and Text2; a probe's to the log only
    // Its wait.
    bool echoAbwarten = false;  // the phone echoes: what comes before the echo is no part of the reply
    bool begonnen = false;      // the reply has begun: at its echo, or at once
    bool echoDa = false;
    bool zu = false;            // its final line came: what follows is no part of it
    bool endzeile = false;      // a final line came, its own or another's
    qsizetype start1 = 0;       // where its reply begins in Text1
    qsizetype start2 = 0;       // ... and in Text2
    QString leer;               // empty lines on their way into Text2
    QString danach;             // what came after its final line, for the log
    Ziel ziel = Ziel::Log;      // where the line before went
};

Laufend s_laufend;

bool Ist_Netzsuche(const QString& befehl)
{
    return befehl.trimmed().compare(QLatin1String("AT+COPS=?"), Qt::CaseInsensitive) == 0;
}

// The prefix of the command's own reply lines: "AT+CREG?" gives "+CREG:".
QString Eigenes_Praefix(const QString& befehl)
{
    if (!befehl.startsWith(QLatin1String("AT"), Qt::CaseInsensitive))
        return QString();
    const QStringView rest = QStringView(befehl).mid(2);
    const auto ende = std::find_if(rest.begin(), rest.end(),
                                   [](QChar c) { return c == QLatin1Char('=') || c == QLatin1Char('?') || Ist_Zeilenende(c); });
    return QStringView(rest.begin(), ende).toString().toUpper() + QLatin1Char(':');
}

// Written now: the phone echoes a command line up to its line end; a text without one has no echo.
// What came before it is no part of its reply.
void Befehl_Beginnen(const QString& befehl, bool crlf, bool imPuffer = true)
{
    Link().Vorlauf += s_leser.Rest_Nehmen();
    Laufend b;
    b.aktiv = true;
    const auto ende = std::find_if(befehl.begin(), befehl.end(), Ist_Zeilenende);
    if (crlf || ende != befehl.end())
        b.echo = QStringView(befehl.begin(), ende).toString();
    b.praefix = Eigenes_Praefix(befehl);
    b.waehlen = befehl.startsWith(QLatin1String("ATD"), Qt::CaseInsensitive);
    b.netzsuche = Ist_Netzsuche(befehl);
    b.imPuffer = imPuffer;
    s_laufend = b;
}

// Its wait begins: while the phone echoes, the reply begins at the echo; otherwise at once.
void Antwort_Oeffnen()
{
    Verbindung& L = Link();
    Laufend& b = s_laufend;
    if (!b.aktiv)
        Befehl_Beginnen(QString(), false);  // a wait for something written straight to the port
    b.echoAbwarten = !b.echo.isEmpty() && L.EchoGesehen;
    b.begonnen = !b.echoAbwarten;
    b.start1 = L.Text1.size();
    b.start2 = L.Text2.size();
}

void Echo_Bestaetigt()
{
    Link().EchoGesehen = true;
    Link().EchoFehlte = false;
}

// A phone that echoes answered without its echo: twice in a row, and it echoes no more.
void Ohne_Echo_Beantwortet()
{
    Verbindung& L = Link();
    if (!L.EchoGesehen)
        return;
    if (L.EchoFehlte)
        L.EchoGesehen = false;
    L.EchoFehlte = !L.EchoFehlte;
}

Art Einordnen(const Laufend& b, QStringView zeile)
{
    if (b.aktiv && !b.echoDa && !b.echo.isEmpty() && zeile.compare(b.echo, Qt::CaseInsensitive) == 0)
        return Art::Echo;
    if (zeile.isEmpty())
        return Art::Leer;
    if (Ist_Unaufgefordert(zeile) && !(b.aktiv && !b.praefix.isEmpty() && zeile.startsWith(b.praefix, Qt::CaseInsensitive)))
        return Art::Meldung;
    if (Zeile_Bewerten(zeile, b.waehlen) != Ergebnis::Keins)
        return Art::Ende;
    return Art::Antwort;
}

void Ablegen(Ziel ziel, QStringView roh)
{
    Verbindung& L = Link();
    Laufend& b = s_laufend;
    b.ziel = ziel;
    switch (ziel) {
    case Ziel::Log: (b.zu ? b.danach : L.Vorlauf) += roh; break;
    case Ziel::Protokoll:
        L.Text1 += roh;
        b.leer.clear();  // the empty line that framed it
        break;
    case Ziel::Leer:
        L.Text1 += roh;
        b.leer += roh;
        break;
    case Ziel::Antwort:
        L.Text1 += roh;
        L.Text2 += b.leer;
        L.Text2 += roh;
        b.leer.clear();
        break;
    }
}

// The echo: the reply begins here. A reply that began without one loses what came before it,
// a final line too.
void Echo_Nehmen()
{
    Verbindung& L = Link();
    Laufend& b = s_laufend;
    b.echoDa = true;
    Echo_Bestaetigt();
    if (b.begonnen && b.imPuffer) {
        L.Vorlauf += QStringView(L.Text1).mid(b.start1);
        L.Vorlauf += std::exchange(b.danach, QString());
        L.Text1.truncate(b.start1);
        L.Text2.truncate(b.start2);
        b.leer.clear();
    }
    b.begonnen = true;
    b.zu = false;
}

// Whether the wait reads what comes now: any line while no command runs (the quiet wait),
// else the running command's reply.
bool Offen(const Laufend& b) { return !b.aktiv || (b.begonnen && !b.zu); }

struct Eingeordnet {
    Art art;
    bool drin;  // read by the wait: a line of the running command's reply, or of the quiet wait
    bool Eigen() const { return drin && (art == Art::Echo || art == Art::Antwort || art == Art::Ende); }
};

// Every complete line passes here once: classified for the command running and put where it belongs.
Eingeordnet Zeile_Verteilen(const Zeilenleser::Zeile& z)
{
    Laufend& b = s_laufend;
    if (z.nachtrag) {
        Ablegen(b.ziel, z.roh);
        return {Art::Leer, false};
    }
    const Art art = Einordnen(b, z.text);
    b.endzeile = b.endzeile || art == Art::Ende;
    if (art == Art::Echo)
        Echo_Nehmen();
    const bool drin = Offen(b);
    if (!b.aktiv || !drin || !b.imPuffer) {
        Ablegen(Ziel::Log, z.roh);
        return {art, drin};
    }
    switch (art) {
    case Art::Leer: Ablegen(Ziel::Leer, z.roh); break;
    case Art::Meldung: Ablegen(Ziel::Protokoll, z.roh); break;
    default: Ablegen(Ziel::Antwort, z.roh); break;
    }
    return {art, true};
}

// ---- The seams -----------------------------------------------------------------------

bool Debugmodus() { return Link().Argumente == QStringList{QStringLiteral("-debug/all")}; }

void Meter(qint64 wert)
{
    if (Link().Anzeige)
        Link().Anzeige->Meter_Setzen(static_cast<int>(std::min<qint64>(wert, TimeoutFaktor + 1)));
}

void Log_Zeigen()
{
    Verbindung& L = Link();
    if (L.Anzeige)
        L.Anzeige->Log_Geaendert(L.Vorlauf + L.Text1 + s_laufend.danach);
}

void Puffer_Leeren()
{
    Verbindung& L = Link();
    L.Text1.clear();
    L.Text2.clear();
    Log_Zeigen();
}

// One entry per wait: what came outside the reply, then the reply. What came after it belongs
// to the next entry.
void Debuglog_Abschliessen(const QString& danach)
{
    Verbindung& L = Link();
    if (Debugmodus())
        Debuglog_Schreiben(L.Vorlauf + L.Text1);
    L.Vorlauf = danach;
}

QString Input() { return Link().Port ? Link().Port->Input() : QString(); }

// A port opened anew may lead to another phone: it starts as at program start.
void Neuen_Port_Pruefen()
{
    if (Link().Port && Link().Port->Neu_Geoeffnet())
        Neu_Verbunden();
}

// A write opens a port again whose device went away.
void Output(const QString& text)
{
    if (!Link().Port)
        return;
    Link().Port->Output(text);
    Neuen_Port_Pruefen();
}

qint64 Jetzt()
{
    if (Link().Uhr)
        return Link().Uhr();
    static QElapsedTimer uhr;
    if (!uhr.isValid())
        uhr.start();
    return uhr.elapsed();
}

// A final line or the prompt comes only after the phone has received the command.
void Beantwortet()
{
    if (Link().Port)
        Link().Port->Ausgabe_Beantwortet();
}

bool Verloren() { return Link().Port && Link().Port->Verloren(); }

// ---- The wait ------------------------------------------------------------------------

enum class Nachgeben { Nie, Fenster, OhneEingaben };

// The one wait. Polls the port (a poll waits at most 1 ms when nothing came) and hands every
// complete line to `nimm`, which says whether it was a line of the reply's own; input on a line
// of the reply not complete yet counts as well, unless it may still be an unsolicited one.
// Before each poll `weiter(ms since the start, ms since the reply's own last line)` decides;
// a lost device ends the wait at once.
template <class Nimm, class Weiter>
void Warten(Nachgeben nachgeben, Nimm&& nimm, Weiter&& weiter)
{
    const qint64 anfang = Jetzt();
    qint64 eigen = anfang;
    for (;;) {
        const qint64 jetzt = Jetzt();
        if (Verloren() || !weiter(jetzt - anfang, jetzt - eigen))
            return;
        const QString chunk = Input();
        if (!chunk.isEmpty()) {
            const qsizetype rest = s_leser.Rest().size();
            bool neu = false;
            s_leser.Aufnehmen(chunk, [&](const Zeilenleser::Zeile& z) { neu = nimm(Zeile_Verteilen(z), z.text) || neu; });
            if (neu || (Offen(s_laufend) && s_leser.Rest().size() > rest && !Vielleicht_Unaufgefordert(s_leser.Rest())))
                eigen = jetzt;
            Log_Zeigen();
        }
        if (nachgeben == Nachgeben::Fenster && Link().Abarbeiten)
            Link().Abarbeiten();
        else if (nachgeben == Nachgeben::Fenster)
            QCoreApplication::processEvents();
        else if (nachgeben == Nachgeben::OhneEingaben)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

// The reply of the command running as its wait ended.
struct Antwort {
    Ergebnis ergebnis = Ergebnis::Keins;
    QString endzeile;
    bool prompt = false;
    bool zeitAus = false;
};

enum class Fall { Befehl, PIN, Prompt };

// Reads the reply of the command running into Text1 and Text2 until its final line (the
// prompt wait: an error line or the data prompt), or until "Timeoutzeit" ms without a line of it.
// The main wait serves the windows; the PIN path's sub-waits allow one millisecond more, as the
// idle polls they count did.
Antwort Antwort_Lesen(Fall fall)
{
    Verbindung& L = Link();
    Antwort_Oeffnen();
    Laufend& b = s_laufend;
    const qint64 grenze = fall == Fall::PIN ? qint64(TimeoutFaktor) + 1 : TimeoutFaktor;
    bool gehoert = false;
    Antwort a;
    Warten(
        fall == Fall::Befehl ? Nachgeben::Fenster : Nachgeben::Nie,
        [&](const Eingeordnet& e, QStringView zeile) {
            if (e.art == Art::Echo)
                a = Antwort();
            if (e.drin && e.art == Art::Ende) {
                const Ergebnis ergebnis = Zeile_Bewerten(zeile, b.waehlen);
                // The prompt wait ends on an error line only.
                if (fall != Fall::Prompt || ergebnis == Ergebnis::Fehler) {
                    a.ergebnis = ergebnis;
                    a.endzeile = zeile.toString();
                    b.zu = true;
                }
            }
            gehoert = gehoert || e.Eigen();
            return e.Eigen();
        },
        [&](qint64 vergangen, qint64 still) {
            if (fall == Fall::Prompt && b.begonnen && !b.zu && s_leser.Prompt()) {
                Ablegen(Ziel::Antwort, s_leser.Prompt_Nehmen());
                a.prompt = true;
            }
            if (a.ergebnis != Ergebnis::Keins || a.prompt)
                return false;
            // The network scan has its own bound in time, once the phone has answered; the meter
            // shows its share.
            const bool lang = b.netzsuche && gehoert;
            Meter(lang ? std::min(vergangen, NetzsucheMs) * TimeoutFaktor / NetzsucheMs : still);
            a.zeitAus = lang ? vergangen >= NetzsucheMs : still >= grenze;
            // The reply buffer before the coming poll's input.
            if (fall == Fall::Befehl && L.Anzeige && !a.zeitAus)
                L.Anzeige->Panel_Setzen(3, QStringLiteral("Eingangspuffer: %1").arg(L.Text2.size()));
            return !a.zeitAus;
        });
    if (a.ergebnis == Ergebnis::Keins && !a.prompt) {
        a.zeitAus = true;
        // What came of the reply stays in it, the line begun too.
        const QString rest = s_leser.Rest_Nehmen();
        if (b.begonnen)
            Ablegen(Ziel::Antwort, rest);
        else
            L.Vorlauf += rest;
    } else {
        Beantwortet();
    }
    return a;
}

// The wait for the command running is over: what came after its reply, for the log.
QString Befehl_Beenden()
{
    Laufend& b = s_laufend;
    if (!b.echoDa && b.echoAbwarten && b.endzeile)
        Ohne_Echo_Beantwortet();
    const QString danach = std::move(b.danach);
    s_laufend = Laufend();
    return danach;
}

// Reads input into the log until no line has come for a while, at most the bound.
void Nachlauf_Abwarten()
{
    Warten(
        Nachgeben::OhneEingaben, [](const Eingeordnet& e, QStringView) { return e.Eigen(); },
        [](qint64 vergangen, qint64 still) { return still < RuheMs && vergangen < NachlaufMs; });
}

// Sends the probe and reads its reply into the log: true when the phone is in step. That is
// when the probe's own value line and then "OK" came, or an error line after its echo (a phone
// without the query), after its echo while the phone echoes, and then no line of the reply's
// own for a while. An earlier probe's answer, a bare "OK" or an error line before the answer
// belong to commands before. `endzeile`: any final line came.
bool Probe_Senden(const Probe& probe, bool& endzeile)
{
    Befehl_Beginnen(probe.befehl, true, false);
    Output(probe.befehl + CRLF);
    Antwort_Oeffnen();
    bool wert = false;
    bool beantwortet = false;
    bool verdorben = false;  // more came after the answer: a late reply, or a second one
    Warten(
        Nachgeben::OhneEingaben,
        [&](const Eingeordnet& e, QStringView zeile) {
            if (beantwortet && e.Eigen()) {
                beantwortet = false;
                verdorben = true;
            } else if (e.drin && e.art == Art::Antwort) {
                wert = Ist_Wert(zeile, probe.wert);
            } else if (e.drin && e.art == Art::Ende) {
                const bool ok = Zeile_Bewerten(zeile) == Ergebnis::Ok;
                beantwortet = !verdorben && (ok ? wert : s_laufend.echoDa);
                wert = false;
            } else if (e.art == Art::Echo) {
                wert = false;
            }
            return e.Eigen();
        },
        [&](qint64 vergangen, qint64 still) { return beantwortet ? still < RuheMs : vergangen < ProbeMs; });
    endzeile = s_laufend.endzeile;
    Befehl_Beenden();
    if (beantwortet)
        Beantwortet();
    return beantwortet;
}

// After a time-out or a failed prompt nothing is sent until the phone is in step.
void Takt_Verloren(Verbindung::Abgleich art) { Link().Abgleichen = art; }

// Whether the text may go on the wire. Nothing goes that the port cannot send as typed: refused
// at once, as a refusal. Nothing goes while the phone is out of step: the time-out, told once.
bool Senden_Erlaubt(const QString& text)
{
    if (!Sendbar(text)) {
        Link().Abgelehnt = true;
        Fehler_Melden();
        return false;
    }
    if (Im_Takt())
        return true;
    Timeout_Melden();
    return false;
}

// ---- The PIN path --------------------------------------------------------------------

// A command of the PIN path and its wait: it does not yield, takes its reply from its own echo
// on, and ends on a final line of it or after one millisecond more than the time-out.
Antwort PIN_Befehl(const QString& befehl)
{
    Befehl_Beginnen(befehl, true);
    Meter(0);
    Output(befehl + CRLF);
    const Antwort a = Antwort_Lesen(Fall::PIN);
    Link().Vorlauf += Befehl_Beenden();
    Meter(0);
    return a;
}

bool Nicht_Bestanden(const Antwort& a) { return a.zeitAus || a.ergebnis == Ergebnis::Fehler; }

// Whether a command carries a password or PIN: sent again by the PIN path, it would spend
// another try of it.
bool Traegt_Passwort(const QString& befehl)
{
    const QString b = befehl.trimmed().toUpper();
    if (b.startsWith(QLatin1String("AT+CPIN=")) || b.startsWith(QLatin1String("AT+CPWD=")))
        return true;
    // "AT+CLCK=<fac>,<mode>,<password>"; the query and the keypad lock carry none.
    if (!b.startsWith(QLatin1String("AT+CLCK=")))
        return false;
    const QStringList felder = b.mid(8).split(QLatin1Char(','));
    return felder.size() > 2 && !felder.at(2).trimmed().isEmpty();
}

// How the PIN path ended, for the messages.
struct PIN_Ausgang {
    bool gut = false;
    bool zeitAus = false;
    bool pinNichtNoetig = false;
    Ergebnis letztes = Ergebnis::Keins;  // the last exchange's result decides the error message
    QString wartetAuf;                    // the code the phone waits for on the handset
};

// The phone refused the command: maybe it wants the PIN2 first.
PIN_Ausgang PIN_Pfad()
{
    Verbindung& L = Link();
    PIN_Ausgang a;
    Puffer_Leeren();
    Status_Setzen(QStringLiteral("Passwortprüfung...."));
    Antwort w = PIN_Befehl(QStringLiteral("AT+CPIN?"));
    a.zeitAus = w.zeitAus;
    a.letztes = w.ergebnis;
    // Without the phone's answer no PIN can help; a lost line is told as a time-out, once.
    if (w.ergebnis != Ergebnis::Ok || Verloren())
        return a;
    const QString zustand = CPIN_Zustand_Lesen(L.Text2);
    if (zustand == QLatin1String("READY")) {
        a.pinNichtNoetig = true;
        return a;
    }
    if (zustand != QLatin1String("SIM PIN2")) {
        // Only the PIN2 is asked here; any other code belongs on the handset.
        if (zustand.isEmpty())
            a.letztes = Ergebnis::Fehler;
        a.wartetAuf = zustand;
        return a;
    }

    L.Text1.clear();
    const std::optional<QString> pin =
        Dialoge::Aktuell().Eingabe(QStringLiteral("PIN2 erforderlich:"), AppTitel, QString());
    if (!pin || pin->isEmpty())
        return a;
    // Only digits go to the phone; anything else could append a second command.
    if (!Ziffern_Pruefen(*pin)) {
        MsgBox(QStringLiteral("PIN nicht richtig!"));
        return a;
    }

    Status_Setzen(QStringLiteral("Prüfe PIN2..."));
    w = PIN_Befehl(QStringLiteral("AT+CPIN=") + *pin);
    a.zeitAus = w.zeitAus;
    a.letztes = w.ergebnis;
    if (Verloren())
        return a;
    if (Nicht_Bestanden(w)) {
        // An unanswered PIN was not judged: the time-out is told instead.
        if (!w.zeitAus)
            MsgBox(QStringLiteral("PIN nicht richtig!"));
        return a;
    }

    if (Traegt_Passwort(LetzterBefehl)) {
        // The user gives the command anew, with the password meant for it.
        a.letztes = Ergebnis::Fehler;
        return a;
    }
    Status_Setzen(QStringLiteral("Sende Befehl erneut..."));
    w = PIN_Befehl(LetzterBefehl);
    a.zeitAus = w.zeitAus;
    a.letztes = w.ergebnis;
    a.gut = !Nicht_Bestanden(w);
    return a;
}

// The main wait for the command written last; a final line equal to `absage` ends it as Absage.
Ausgang Befehl_Abwarten(const QString& absage)
{
    Verbindung& L = Link();
    Link_Belegen();
    Puffer_Leeren();
    const Antwort antwort = Antwort_Lesen(Fall::Befehl);
    Debuglog_Abschliessen(Befehl_Beenden());
    Meter(0);
    const Ergebnis ergebnis = antwort.ergebnis;
    // The refusal the caller expects is an answer: no PIN path, no message.
    if (ergebnis == Ergebnis::Fehler && !absage.isEmpty() &&
        (absage == JedeAbsage || antwort.endzeile.trimmed() == absage)) {
        Link_Freigeben();
        return Ausgang::Absage;
    }

    PIN_Ausgang pfad;
    pfad.gut = ergebnis == Ergebnis::Ok;
    pfad.zeitAus = antwort.zeitAus;
    // The first final line decides both the result and the message.
    pfad.letztes = ergebnis;
    // A wrong password is no question of the PIN2: the path would spend tries of it.
    const bool passwortFalsch = ergebnis == Ergebnis::Fehler &&
                                (antwort.endzeile == QLatin1String("+CME ERROR: 16") ||
                                 antwort.endzeile == QLatin1String("+CME ERROR: incorrect password"));
    if (ergebnis == Ergebnis::Fehler && !passwortFalsch)
        pfad = PIN_Pfad();
    if (pfad.zeitAus && !Verloren())
        Takt_Verloren(Verbindung::Abgleich::NachZeitaus);
    L.Abgelehnt = ergebnis == Ergebnis::Fehler && !pfad.gut && !pfad.zeitAus;

    if (passwortFalsch)
        MsgBox(QStringLiteral("Das Passwort ist falsch!"), Dialoge::Symbol::Kritisch);
    else if (!pfad.wartetAuf.isEmpty())
        MsgBox(QStringLiteral("Das Handy wartet auf die Eingabe von %1. Bitte geben Sie den Code am Handy ein.")
                   .arg(pfad.wartetAuf),
               Dialoge::Symbol::Kritisch);
    else if (pfad.letztes == Ergebnis::Fehler)
        Fehler_Melden();
    if (pfad.pinNichtNoetig)
        PINFehler_Melden();
    if (pfad.zeitAus)
        Timeout_Melden();
    Link_Freigeben();
    return pfad.gut ? Ausgang::Ok : Ausgang::Fehler;
}

}  // namespace

Verbindung& Link()
{
    static Verbindung verbindung;
    return verbindung;
}

void Neu_Verbunden()
{
    Verbindung& L = Link();
    L.Abgleichen = Verbindung::Abgleich::Keiner;
    L.EchoGesehen = false;
    L.EchoFehlte = false;
    s_leser.Vergessen();
}

Ergebnis Endergebnis(const QString& text)
{
    qsizetype anfang = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!Ist_Zeilenende(text.at(i)))
            continue;
        const Ergebnis e = Zeile_Bewerten(QStringView(text).mid(anfang, i - anfang));
        if (e != Ergebnis::Keins)
            return e;
        anfang = i + 1;
    }
    return Ergebnis::Keins;
}

void Link_Belegen()
{
    Verbindung& L = Link();
    L.Belegt = true;
    if (L.Anzeige) {
        L.Anzeige->Lampe_Setzen(true);
        L.Anzeige->Sperren(true);
    }
}

void Link_Freigeben()
{
    Verbindung& L = Link();
    L.Belegt = false;
    if (L.Anzeige) {
        L.Anzeige->Lampe_Setzen(false);
        L.Anzeige->Meter_Setzen(0);
        L.Anzeige->Sperren(false);
    }
}

const QString JedeAbsage = QStringLiteral("*");

bool Befehl_Senden(const QString& befehl, bool crlf) { return Befehl_Senden(befehl, crlf, QString()) == Ausgang::Ok; }

Ausgang Befehl_Senden(const QString& befehl, bool crlf, const QString& absage)
{
    Verbindung& L = Link();
    L.Abgelehnt = false;
    if (L.Belegt) {
        MsgBox(QStringLiteral("Die Schnittstelle wird gerade von einer anderen Funktion benutzt - bitte warten "
                              "Sie, bis diese abgeschlossen ist!"),
               Dialoge::Symbol::Kritisch);
        return Ausgang::Fehler;
    }
    if (!Senden_Erlaubt(befehl))
        return Ausgang::Fehler;
    // Stale replies and unsolicited lines: no command's reply.
    s_laufend = Laufend();
    if (const QString alt = Input(); !alt.isEmpty()) {
        s_leser.Aufnehmen(alt, Zeile_Verteilen);
        Log_Zeigen();
    }
    LetzterBefehl = befehl;
    if (L.Port)
        L.Port->OutBuffer_Leeren();
    Befehl_Beginnen(befehl, crlf);
    Output(crlf ? befehl + CRLF : befehl);
    return Befehl_Abwarten(absage);
}

bool Befehl_Schreiben(const QString& befehl, bool crlf)
{
    if (!Senden_Erlaubt(befehl))
        return false;
    LetzterBefehl = befehl;
    Befehl_Beginnen(befehl, crlf);
    Output(crlf ? befehl + CRLF : befehl);
    return true;
}

bool Roh_Schreiben(const QString& text)
{
    if (!Senden_Erlaubt(text))
        return false;
    Output(text);
    return true;
}

bool Im_Takt()
{
    Verbindung& L = Link();
    Neuen_Port_Pruefen();
    if (L.Abgleichen == Verbindung::Abgleich::Keiner || !L.Port)
        return true;
    // A lost device leaves nothing to resolve: the port opened again starts in step.
    if (Verloren()) {
        L.Abgleichen = Verbindung::Abgleich::Keiner;
        return true;
    }
    if (!L.Port->IstOffen())
        return true;  // nothing reaches a phone; the command fails by itself
    const Verbindung::Abgleich art = L.Abgleichen;
    // The link is held meanwhile, and the windows are painted.
    const bool warBelegt = L.Belegt;
    if (!warBelegt)
        Link_Belegen();
    Nachlauf_Abwarten();
    bool imTakt = Verloren();
    for (std::size_t i = 0; i < std::size(Proben) && !imTakt; ++i) {
        bool endzeile = false;
        imTakt = Probe_Senden(Proben[i], endzeile) || Verloren();
        // A phone that dropped the ESC of a failed prompt still takes everything as data.
        if (!imTakt && !endzeile && art == Verbindung::Abgleich::NachPrompt && i + 1 < std::size(Proben))
            Output(Esc);
    }
    L.Abgleichen = imTakt ? Verbindung::Abgleich::Keiner : art;
    if (!warBelegt)
        Link_Freigeben();
    return imTakt;
}

void Zeitaus_Vermerken()
{
    if (!Verloren())
        Takt_Verloren(Verbindung::Abgleich::NachZeitaus);
}

bool Ausser_Takt() { return Link().Abgleichen != Verbindung::Abgleich::Keiner || Verloren(); }

Aktion::Aktion(Meldung meldung) : m_selbst(meldung == Meldung::Selbst)
{
    if (s_aktionen++ == 0)
        s_zeitausGemeldet = false;
    m_gemeldetVorher = s_zeitausGemeldet;
    if (m_selbst)
        s_zeitausGemeldet = true;
}

Aktion::~Aktion()
{
    if (m_selbst)
        s_zeitausGemeldet = m_gemeldetVorher;
    --s_aktionen;
}

bool Antwort_Warten() { return Befehl_Abwarten(QString()) == Ausgang::Ok; }

bool Prompt_Senden(const QString& text, bool crlf)
{
    if (!Senden_Erlaubt(text))
        return false;
    Befehl_Beginnen(text, crlf);
    Output(crlf ? text + CRLF : text);
    return Prompt_Warten();
}

bool Prompt_Warten()
{
    Link_Belegen();
    Puffer_Leeren();
    const Antwort antwort = Antwort_Lesen(Fall::Prompt);
    Debuglog_Abschliessen(Befehl_Beenden());
    const bool fehler = antwort.ergebnis == Ergebnis::Fehler;
    // A phone that took the command may wait for data: ESC ends that entry, and the phone must
    // be in step again before the next command.
    if ((!antwort.prompt || fehler) && !Verloren()) {
        Output(Esc);
        Takt_Verloren(Verbindung::Abgleich::NachPrompt);
    }
    Link_Freigeben();
    if (fehler)
        Fehler_Melden();
    if (antwort.zeitAus)
        Timeout_Melden();
    return antwort.prompt && !fehler;
}

void Status_Setzen(const QString& text)
{
    if (Link().Anzeige)
        Link().Anzeige->Panel_Setzen(2, text);
}

QString Antwort_Bereinigen(QString& text)
{
    QString sauber;
    sauber.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            sauber += CRLF;
            ++i;
        } else if (!Ist_Zeilenende(c)) {
            sauber += c;
        }
    }
    text = sauber;
    return text;
}

void Fehler_Melden()
{
    MsgBox(QStringLiteral("Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte versuchen Sie "
                          "es erneut."),
           Dialoge::Symbol::Kritisch);
}

void Timeout_Melden()
{
    if (s_aktionen > 0 && s_zeitausGemeldet)
        return;
    s_zeitausGemeldet = s_aktionen > 0;
    MsgBox(QStringLiteral("Bei der Kommunikation mit dem Handy ist es zum Timeout gekommen - bitte prüfen Sie, "
                          "ob das Handy verfügbar ist. Setzen Sie ggf. die Timeoutzeit höher!"),
           Dialoge::Symbol::Kritisch);
}

void PINFehler_Melden()
{
    MsgBox(QStringLiteral("Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte versuchen Sie "
                          "es erneut. (Eine PIN(2) war nicht nötig.)"),
           Dialoge::Symbol::Kritisch);
}

QString CPIN_Zustand_Lesen(const QString& antwort)
{
    for (const QStringView zeile : QStringView(antwort).tokenize(u'\n')) {
        const QStringView z = zeile.trimmed();
        if (z.startsWith(u"+CPIN:"))
            return z.mid(6).trimmed().toString();
    }
    return QString();
}

void Debuglog_Schreiben(const QString& text)
{
    Textdatei::Anhaengen(QDir(Programmordner()).filePath(QStringLiteral("debug.log")), {text});
}

}  // namespace Module1
