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
#include <optional>

namespace Module1 {

int TimeoutFaktor = 7500;
QString LetzterBefehl;

namespace {

// The action of the user that runs now: how deep it is nested, and whether it told its time-out.
int s_aktionen = 0;
bool s_zeitausGemeldet = false;

const QString CRLF = QStringLiteral("\r\n");

// After a time-out the late reply is waited out: until the line is quiet this long, at most the bound.
constexpr qint64 RuheMs = 500;
constexpr qint64 NachlaufMs = 2000;
// The probe that shows the phone in step: its bound, and how many are sent at most. It asks for
// the line end character, so its value line tells its "OK" from the late "OK" of a command before.
const QString Probe = QStringLiteral("ATS3?");
constexpr qint64 ProbeMs = 1000;
constexpr int Proben = 3;
// Ends a pending data entry of the phone.
const QString Esc = QString(QChar(27));

bool Ist_Zeilenende(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

Ergebnis Zeile_Bewerten(QStringView zeile)
{
    if (zeile == u"OK")
        return Ergebnis::Ok;
    if (zeile == u"ERROR" || zeile.startsWith(u"+CME ERROR") || zeile.startsWith(u"+CMS ERROR"))
        return Ergebnis::Fehler;
    return Ergebnis::Keins;
}

// The next complete line from `ab` on; `ab` moves past it. Nothing while no line is complete.
std::optional<QStringView> Naechste_Zeile(const QString& text, qsizetype& ab)
{
    for (qsizetype i = ab; i < text.size(); ++i) {
        if (Ist_Zeilenende(text.at(i))) {
            const QStringView zeile = QStringView(text).mid(ab, i - ab);
            ab = i + 1;
            return zeile;
        }
    }
    return std::nullopt;
}

// A register value as the phone gives it: one to three digits ("013").
bool Ist_Wertzeile(QStringView zeile)
{
    return !zeile.isEmpty() && zeile.size() <= 3 && std::all_of(zeile.begin(), zeile.end(), [](QChar c) { return c.isDigit(); });
}

// Scans the complete lines from `ab` on and returns the first final result among them;
// `ab` moves to the start of the first line that is not complete yet. `endzeile` gets the
// final line.
Ergebnis Endergebnis_Ab(const QString& text, qsizetype& ab, QString* endzeile = nullptr)
{
    if (ab > text.size())
        ab = 0;  // the buffer was emptied meanwhile
    qsizetype anfang = ab;
    for (qsizetype i = ab; i < text.size(); ++i) {
        if (!Ist_Zeilenende(text.at(i)))
            continue;
        const QStringView zeile = QStringView(text).mid(anfang, i - anfang);
        const Ergebnis e = Zeile_Bewerten(zeile);
        anfang = i + 1;
        if (e != Ergebnis::Keins) {
            if (endzeile)
                *endzeile = zeile.toString();
            ab = anfang;
            return e;
        }
    }
    ab = anfang;
    return Ergebnis::Keins;
}

// Lines the phone sends on its own, whatever command runs.
const QLatin1String Meldungen[] = {QLatin1String("+CRING:"), QLatin1String("+CLIP:"), QLatin1String("+CMTI:"),
                                   QLatin1String("+CDSI:"),  QLatin1String("+CREG:"), QLatin1String("+CGREG:")};

bool Ist_Unaufgefordert(QStringView zeile)
{
    if (zeile == u"RING")
        return true;
    for (const QLatin1String& m : Meldungen)
        if (zeile.startsWith(m))
            return true;
    return false;
}

// The beginning of a line that may still turn out to be one the phone sends on its own.
bool Vielleicht_Unaufgefordert(QStringView anfang)
{
    if (QStringView(u"RING").startsWith(anfang))
        return true;
    for (const QLatin1String& m : Meldungen)
        if (m.startsWith(anfang) || anfang.startsWith(m))
            return true;
    return false;
}

// Whether the text from `von` on brings a line of the reply's own: one that is not empty and not
// one the phone sends unasked. `zeile` is the start of the line that holds `von`; it moves to
// the start of the last line, which is not complete yet.
bool Eigene_Zeile(const QString& text, qsizetype von, qsizetype& zeile)
{
    bool eigen = false;
    for (qsizetype i = von; i <= text.size(); ++i) {
        const bool offen = i == text.size();
        if (!offen && !Ist_Zeilenende(text.at(i)))
            continue;
        const QStringView z = QStringView(text).mid(zeile, i - zeile);
        if (!z.isEmpty() && !(offen ? Vielleicht_Unaufgefordert(z) : Ist_Unaufgefordert(z)))
            eigen = true;
        if (!offen)
            zeile = i + 1;
    }
    return eigen;
}

// Where `echo` begins a line of `text` at or after `von`; -1 for nowhere.
qsizetype Echo_Finden(const QString& text, const QString& echo, qsizetype von)
{
    for (qsizetype pos = text.indexOf(echo, von, Qt::CaseInsensitive); pos >= 0;
         pos = text.indexOf(echo, pos + 1, Qt::CaseInsensitive))
        if (pos == 0 || Ist_Zeilenende(text.at(pos - 1)))
            return pos;
    return -1;
}

// The main wait; a final line equal to `absage` ends it as Absage.
Ausgang Warten(const QString& absage);

bool Debugmodus() { return Link().Argumente == QStringList{QStringLiteral("-debug/all")}; }

void Meter(int wert)
{
    if (Link().Anzeige)
        Link().Anzeige->Meter_Setzen(wert);
}

void Log_Zeigen()
{
    Verbindung& L = Link();
    if (L.Anzeige)
        L.Anzeige->Log_Geaendert(L.Vorlauf.isEmpty() ? L.Text1 : L.Vorlauf + L.Text1);
}

void Log_Anhaengen(const QString& chunk)
{
    Verbindung& L = Link();
    L.Text1 += chunk;
    L.Text2 += chunk;
    Log_Zeigen();
}

// Input that is no command's reply goes to the log only.
void Vorlauf_Aufnehmen(const QString& chunk)
{
    Link().Vorlauf += chunk;
    Log_Zeigen();
}

void Puffer_Leeren()
{
    Verbindung& L = Link();
    L.Text1.clear();
    L.Text2.clear();
    Log_Zeigen();
}

// One entry per wait: what came outside the reply, then the log. What came after the reply
// belongs to the next entry.
void Debuglog_Abschliessen(const QString& danach = QString())
{
    Verbindung& L = Link();
    if (Debugmodus())
        Debuglog_Schreiben(L.Vorlauf + L.Text1);
    L.Vorlauf = danach;
}

QString Input() { return Link().Port ? Link().Port->Input() : QString(); }

// A port opened anew may lead to another phone: it starts as at program start, in step and
// with nothing known of its echo.
void Neuen_Port_Pruefen()
{
    Verbindung& L = Link();
    if (!L.Port || !L.Port->Neu_Geoeffnet())
        return;
    L.Abgleichen = Verbindung::Abgleich::Keiner;
    L.EchoGesehen = false;
    L.EchoFehlte = false;
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

// The phone echoes a command line with its CR; a command without a line end has no echo to wait
// for. A command that brings its own line end is echoed up to it.
void Echo_Erwarten(const QString& befehl, bool crlf)
{
    const auto ende = std::find_if(befehl.begin(), befehl.end(), Ist_Zeilenende);
    const bool zeile = crlf || ende != befehl.end();
    Link().Echo = zeile ? QStringView(befehl.begin(), ende).toString() + QLatin1Char('\r') : QString();
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

bool Ist_Netzsuche(const QString& befehl)
{
    return befehl.trimmed().compare(QLatin1String("AT+COPS=?"), Qt::CaseInsensitive) == 0;
}

// A final line or the prompt comes only after the phone has received the command.
void Beantwortet()
{
    if (Link().Port)
        Link().Port->Ausgabe_Beantwortet();
}

bool Verloren() { return Link().Port && Link().Port->Verloren(); }

// The phone in step, or the time-out told once: then nothing may be sent.
bool Takt_Sichern()
{
    if (Im_Takt())
        return true;
    Timeout_Melden();
    return false;
}

// After a time-out or a failed prompt nothing is sent until the phone is in step.
void Takt_Verloren(Verbindung::Abgleich art) { Link().Abgleichen = art; }

// Reads input into the log until the line has been quiet for a while, at most the bound.
void Nachlauf_Abwarten()
{
    const qint64 anfang = Jetzt();
    qint64 zuletzt = anfang;
    for (;;) {
        const QString chunk = Input();
        const qint64 jetzt = Jetzt();
        if (!chunk.isEmpty()) {
            Vorlauf_Aufnehmen(chunk);
            zuletzt = jetzt;
        }
        if (Verloren() || jetzt - zuletzt >= RuheMs || jetzt - anfang >= NachlaufMs)
            return;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

enum class Sonde { ImTakt, Endzeile, Keine };

// Sends the probe and reads its reply into the log: in step when its value line and "OK" come,
// or an error line alone (a phone without the query), after the probe's echo while the phone
// echoes, and then nothing else but lines the phone sends on its own for a while. A bare "OK"
// answers a command before. Keine: no final line came.
Sonde Probe_Senden()
{
    Verbindung& L = Link();
    const QString echo = Probe + QLatin1Char('\r');
    Output(Probe + CRLF);
    const bool echoErwartet = L.EchoGesehen;
    QString roh;
    bool echo_da = false;
    qsizetype ab = echoErwartet ? -1 : 0;  // where the probe's reply begins; then its next line
    qsizetype zeile = 0;
    bool wert = false;  // the last line of the reply was a value line
    qint64 antwortSeit = -1;
    bool endzeile = false;
    const qint64 anfang = Jetzt();
    Sonde sonde = Sonde::Keine;
    for (;;) {
        const QString chunk = Input();
        const qint64 jetzt = Jetzt();
        if (!chunk.isEmpty()) {
            Vorlauf_Aufnehmen(chunk);
            roh += chunk;
            if (!echo_da) {
                const qsizetype pos = Echo_Finden(roh, echo, std::max<qsizetype>(0, roh.size() - chunk.size() - echo.size()));
                echo_da = pos >= 0;
                if (echo_da && ab < 0)
                    ab = pos;
            }
            qsizetype alle = 0;
            endzeile = endzeile || Endergebnis_Ab(roh, alle) != Ergebnis::Keins;
            while (antwortSeit < 0 && ab >= 0) {
                const std::optional<QStringView> z = Naechste_Zeile(roh, ab);
                if (!z)
                    break;
                if (z->isEmpty() || Ist_Unaufgefordert(*z))
                    continue;
                const Ergebnis e = Zeile_Bewerten(*z);
                if (e == Ergebnis::Fehler || (e == Ergebnis::Ok && wert)) {
                    antwortSeit = jetzt;
                    zeile = ab;
                }
                wert = Ist_Wertzeile(*z);
            }
            if (antwortSeit >= 0 && Eigene_Zeile(roh, std::max(zeile, roh.size() - chunk.size()), zeile)) {
                sonde = Sonde::Endzeile;  // more came after the answer: a late reply, or a second one
                break;
            }
        }
        if (antwortSeit >= 0 && jetzt - antwortSeit >= RuheMs) {
            sonde = Sonde::ImTakt;
            break;
        }
        if (Verloren() || (antwortSeit < 0 && jetzt - anfang >= ProbeMs)) {
            sonde = endzeile ? Sonde::Endzeile : Sonde::Keine;
            break;
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (echo_da)
        Echo_Bestaetigt();
    else if (echoErwartet && endzeile)
        Ohne_Echo_Beantwortet();
    if (sonde == Sonde::ImTakt)
        Beantwortet();
    return sonde;
}

// What one wait receives. While the phone echoes, input goes to the log only until the
// command's echo; the reply begins there. Otherwise the reply begins at once, and an echo that
// turns up in it shows that the phone echoes after all: what came before it leaves the reply.
class Empfang {
public:
    Empfang()
    {
        const Verbindung& L = Link();
        m_anfang = L.Vorlauf.size();
        m_start1 = L.Text1.size();
        m_start2 = m_ab = m_zeile = L.Text2.size();
        m_echoSuchen = !L.Echo.isEmpty();
        m_eigen = !(m_echoSuchen && L.EchoGesehen);
    }

    // Takes one poll's input ("" for none); true when it brought the reply a line of its own,
    // not input for the log only nor a line the phone sends unasked.
    bool Aufnehmen(const QString& chunk)
    {
        if (chunk.isEmpty())
            return false;
        Verbindung& L = Link();
        if (m_eigen) {
            Log_Anhaengen(chunk);
            Echo_Im_Reply(chunk.size());
            return Eigen(chunk.size());
        }
        L.Vorlauf += chunk;
        const qsizetype von = std::max(m_anfang, L.Vorlauf.size() - chunk.size() - L.Echo.size() + 1);
        const qsizetype pos = Echo_Finden(L.Vorlauf, L.Echo, von);
        if (pos < 0) {
            Log_Zeigen();
            return false;
        }
        m_echoSuchen = false;
        Echo_Bestaetigt();
        const QString anfang = L.Vorlauf.mid(pos);
        L.Vorlauf.truncate(pos);
        m_eigen = true;
        Log_Anhaengen(anfang);
        return Eigen(anfang.size());
    }

    // The next final line of the reply; `endzeile` gets it.
    Ergebnis Endergebnis(QString* endzeile = nullptr) { return Endergebnis_Ab(Link().Text2, m_ab, endzeile); }

    // The reply ends at its final line (with the LF of its CR LF): what came after it leaves the
    // reply and is returned, for the log.
    QString Danach()
    {
        Verbindung& L = Link();
        qsizetype ende = m_ab;
        if (ende > m_start2 && ende < L.Text2.size() && L.Text2.at(ende - 1) == QLatin1Char('\r') &&
            L.Text2.at(ende) == QLatin1Char('\n'))
            ++ende;
        const QString danach = L.Text2.mid(ende);
        L.Text2.truncate(ende);
        L.Text1.chop(danach.size());
        return danach;
    }

    // The data prompt: "> " at the start of a line of the reply.
    bool Prompt() const
    {
        const QStringView antwort = QStringView(Link().Text2).mid(m_start2);
        return antwort.startsWith(u"> ") || antwort.contains(u"\r\n> ");
    }

    ~Empfang()
    {
        Verbindung& L = Link();
        if (!m_eigen) {
            qsizetype ab = m_anfang;
            if (Endergebnis_Ab(L.Vorlauf, ab) != Ergebnis::Keins)
                Ohne_Echo_Beantwortet();
        }
        L.Echo.clear();
    }

private:
    bool Eigen(qsizetype neu)
    {
        const QString& t = Link().Text2;
        return Eigene_Zeile(t, std::max(m_start2, t.size() - neu), m_zeile);
    }

    // An echo within a reply that began without one.
    void Echo_Im_Reply(qsizetype neu)
    {
        Verbindung& L = Link();
        if (!m_echoSuchen)
            return;
        const qsizetype von = std::max(m_start2, L.Text2.size() - neu - L.Echo.size() + 1);
        const qsizetype pos = Echo_Finden(L.Text2, L.Echo, von);
        if (pos < 0)
            return;
        m_echoSuchen = false;
        Echo_Bestaetigt();
        const qsizetype weg = pos - m_start2;
        if (weg == 0)
            return;
        L.Vorlauf += L.Text2.mid(m_start2, weg);
        L.Text1.remove(m_start1, weg);
        L.Text2.remove(m_start2, weg);
        m_ab = std::max(m_start2, m_ab - weg);
        m_zeile = std::max(m_start2, m_zeile - weg);
        Log_Zeigen();
    }

    bool m_eigen = false;       // the reply has begun
    bool m_echoSuchen = false;  // an echo is expected and not seen yet
    qsizetype m_anfang = 0;     // where this wait's input begins in Vorlauf
    qsizetype m_start1 = 0;     // where this wait's reply begins in Text1
    qsizetype m_start2 = 0;     // ... and in Text2
    qsizetype m_ab = 0;         // the next line of the reply to look at
    qsizetype m_zeile = 0;      // the start of the reply's last line
};

// A command of the PIN path and its wait: it does not yield, takes its reply from its own echo
// on, and ends on a final line of it or when the idle counter exceeds the time-out.
struct Unterwarten {
    Ergebnis ergebnis = Ergebnis::Keins;
    bool zeitAus = false;
};

Unterwarten PIN_Befehl(const QString& befehl)
{
    Echo_Erwarten(befehl, true);
    Meter(0);
    Output(befehl + CRLF);
    Unterwarten w;
    {
        Empfang empfang;
        int leer = 0;
        for (;;) {
            const QString chunk = Input();
            leer = empfang.Aufnehmen(chunk) ? 1 : leer + 1;
            Meter(leer);
            if (!chunk.isEmpty() && (w.ergebnis = empfang.Endergebnis()) != Ergebnis::Keins)
                break;
            if (leer > TimeoutFaktor || Verloren()) {
                w.zeitAus = true;
                break;
            }
        }
        if (w.ergebnis != Ergebnis::Keins)
            Link().Vorlauf += empfang.Danach();
    }
    if (w.ergebnis != Ergebnis::Keins)
        Beantwortet();
    Meter(0);
    return w;
}

bool Nicht_Bestanden(const Unterwarten& w) { return w.zeitAus || w.ergebnis == Ergebnis::Fehler; }

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
    Unterwarten w = PIN_Befehl(QStringLiteral("AT+CPIN?"));
    a.zeitAus = w.zeitAus;
    a.letztes = w.ergebnis;
    // Without the phone's answer no PIN can help; a lost line is told as a time-out, once.
    if (w.ergebnis != Ergebnis::Ok || Verloren())
        return a;
    const QString zustand = CPIN_Zustand_Lesen(L.Text1);
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

}  // namespace

Verbindung& Link()
{
    static Verbindung verbindung;
    return verbindung;
}

Ergebnis Endergebnis(const QString& text)
{
    qsizetype ab = 0;
    return Endergebnis_Ab(text, ab);
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
    if (!Takt_Sichern())
        return Ausgang::Fehler;
    // Stale replies and unsolicited lines.
    if (const QString alt = Input(); !alt.isEmpty())
        Vorlauf_Aufnehmen(alt);
    LetzterBefehl = befehl;
    if (L.Port)
        L.Port->OutBuffer_Leeren();
    Echo_Erwarten(befehl, crlf);
    Output(crlf ? befehl + CRLF : befehl);
    return Warten(absage);
}

bool Befehl_Schreiben(const QString& befehl, bool crlf)
{
    if (!Takt_Sichern())
        return false;
    LetzterBefehl = befehl;
    Echo_Erwarten(befehl, crlf);
    Output(crlf ? befehl + CRLF : befehl);
    return true;
}

bool Roh_Schreiben(const QString& text)
{
    if (!Takt_Sichern())
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
    for (int i = 1; i <= Proben && !imTakt; ++i) {
        const Sonde sonde = Probe_Senden();
        imTakt = sonde == Sonde::ImTakt || Verloren();
        // A phone that dropped the ESC of a failed prompt still takes everything as data.
        if (!imTakt && sonde == Sonde::Keine && art == Verbindung::Abgleich::NachPrompt && i < Proben)
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

bool Antwort_Warten() { return Warten(QString()) == Ausgang::Ok; }

namespace {

Ausgang Warten(const QString& absage)
{
    Verbindung& L = Link();
    Link_Belegen();
    Puffer_Leeren();
    // The network scan has its own bound in time, once the phone has answered; the meter
    // shows its share.
    const bool netzsuche = Ist_Netzsuche(LetzterBefehl);
    bool gehoert = false;
    const qint64 anfang = Jetzt();
    int leer = 0;
    Ergebnis ergebnis = Ergebnis::Keins;
    QString endzeile;
    bool zeitAus = false;
    QString danach;
    {
        Empfang empfang;
        for (;;) {
            const QString chunk = Input();
            if (L.Anzeige)
                L.Anzeige->Panel_Setzen(3, QStringLiteral("Eingangspuffer: %1").arg(L.Text2.size()));
            // Only the reply's own lines show that the phone is working on the command.
            const bool eigen = empfang.Aufnehmen(chunk);
            leer = eigen ? 1 : leer + 1;
            gehoert = gehoert || eigen;
            const bool lang = netzsuche && gehoert;
            const qint64 vergangen = Jetzt() - anfang;
            Meter(lang ? static_cast<int>(std::min(vergangen, NetzsucheMs) * TimeoutFaktor / NetzsucheMs) : leer);
            if (!chunk.isEmpty())
                ergebnis = empfang.Endergebnis(&endzeile);
            if (L.Abarbeiten)
                L.Abarbeiten();
            else
                QCoreApplication::processEvents();
            if (ergebnis != Ergebnis::Keins)
                break;
            zeitAus = Verloren() || (lang ? vergangen >= NetzsucheMs : leer >= TimeoutFaktor);
            if (zeitAus)
                break;
        }
        if (ergebnis != Ergebnis::Keins)
            danach = empfang.Danach();
    }
    if (ergebnis != Ergebnis::Keins)
        Beantwortet();
    Debuglog_Abschliessen(danach);
    Meter(0);
    // The refusal the caller expects is an answer: no PIN path, no message.
    if (ergebnis == Ergebnis::Fehler && !absage.isEmpty() && (absage == JedeAbsage || endzeile.trimmed() == absage)) {
        Link_Freigeben();
        return Ausgang::Absage;
    }

    PIN_Ausgang pfad;
    pfad.gut = ergebnis == Ergebnis::Ok;
    pfad.zeitAus = zeitAus;
    // The first final line decides both the result and the message.
    pfad.letztes = ergebnis;
    // A wrong password is no question of the PIN2: the path would spend tries of it.
    const bool passwortFalsch =
        ergebnis == Ergebnis::Fehler &&
        (endzeile == QLatin1String("+CME ERROR: 16") || endzeile == QLatin1String("+CME ERROR: incorrect password"));
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

bool Prompt_Senden(const QString& text, bool crlf)
{
    if (!Takt_Sichern())
        return false;
    Echo_Erwarten(text, crlf);
    Output(crlf ? text + CRLF : text);
    return Prompt_Warten();
}

bool Prompt_Warten()
{
    Link_Belegen();
    Puffer_Leeren();
    int leer = 0;
    bool fehler = false;
    bool prompt = false;
    {
        Empfang empfang;
        for (;;) {
            const QString chunk = Input();
            leer = empfang.Aufnehmen(chunk) ? 1 : leer + 1;
            Meter(leer);
            if (!chunk.isEmpty()) {
                for (Ergebnis e; (e = empfang.Endergebnis()) != Ergebnis::Keins;)
                    fehler = fehler || e == Ergebnis::Fehler;
                prompt = empfang.Prompt();
            }
            if (fehler || prompt || leer >= TimeoutFaktor || Verloren())
                break;
        }
    }
    if (fehler || prompt)
        Beantwortet();
    Debuglog_Abschliessen();
    const bool zeitAus = !fehler && !prompt;
    // A phone that took the command may wait for data: ESC ends that entry, and the phone must
    // be in step again before the next command.
    if ((!prompt || fehler) && !Verloren()) {
        Output(Esc);
        Takt_Verloren(Verbindung::Abgleich::NachPrompt);
    }
    Link_Freigeben();
    if (fehler)
        Fehler_Melden();
    if (zeitAus)
        Timeout_Melden();
    return prompt && !fehler;
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
