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

const QString CRLF = QStringLiteral("\r\n");

// After a time-out the late reply is waited out: until the line is quiet this long, at most the bound.
constexpr qint64 RuheMs = 500;
constexpr qint64 NachlaufMs = 2000;
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

void Puffer_Leeren()
{
    Verbindung& L = Link();
    L.Text1.clear();
    L.Text2.clear();
    Log_Zeigen();
}

// One entry per wait: what came outside the reply, then the log.
void Debuglog_Abschliessen()
{
    Verbindung& L = Link();
    if (Debugmodus())
        Debuglog_Schreiben(L.Vorlauf + L.Text1);
    L.Vorlauf.clear();
}

QString Input() { return Link().Port ? Link().Port->Input() : QString(); }

void Output(const QString& text)
{
    if (Link().Port)
        Link().Port->Output(text);
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

// The phone echoes a command line with its CR; a command without CR LF has no echo to wait for.
void Echo_Erwarten(const QString& befehl, bool crlf) { Link().Echo = crlf ? befehl + QLatin1Char('\r') : QString(); }

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

// After a time-out or a failed prompt the line is drained before the next command; after a
// time-out the phone may still owe the command's final line.
void Nachlauf_Setzen(bool schuld)
{
    Verbindung& L = Link();
    L.Nachlauf = true;
    if (schuld) {
        L.Schuld = true;
        L.SchuldSeit = Jetzt();
    }
    // Writes straight to the port wait the late reply out as well.
    if (L.Port && !L.Port->VorAusgabe)
        L.Port->VorAusgabe = [] { Nachlauf_Verwerfen(); };
}

// The start of the line that holds position `pos`.
qsizetype Zeilenanfang(const QString& text, qsizetype pos)
{
    while (pos > 0 && !Ist_Zeilenende(text.at(pos - 1)))
        --pos;
    return pos;
}

// Input that is no command's reply goes to the log only; a final line in it pays an owed one.
void Vorlauf_Aufnehmen(const QString& chunk)
{
    Verbindung& L = Link();
    L.Vorlauf += chunk;
    if (L.Schuld) {
        L.SchuldSeit = Jetzt();
        qsizetype ab = Zeilenanfang(L.Vorlauf, L.Vorlauf.size() - chunk.size());
        if (Endergebnis_Ab(L.Vorlauf, ab) != Ergebnis::Keins)
            L.Schuld = false;
    }
    Log_Zeigen();
}

// What one wait receives. Until the command's reply begins, input goes to the log only: the
// reply begins at the command's echo, or, with no echo to wait for (none expected, or the
// phone does not echo), once no final line is owed. Before that, the first final line pays
// the owed one and counts for nothing. A phone that echoed before and now does not: its first
// unowed final line counts once the line has been quiet for a while after it.
class Empfang {
public:
    Empfang()
    {
        const Verbindung& L = Link();
        m_anfang = m_frei = L.Vorlauf.size();
        m_echoSuchen = !L.Echo.isEmpty();
        m_aufEcho = m_echoSuchen && L.EchoGesehen;
        m_eigen = !m_aufEcho && !L.Schuld;
    }

    // Takes one poll's input ("" for none); returns what it added to the reply.
    QString Aufnehmen(const QString& chunk)
    {
        Verbindung& L = Link();
        if (m_eigen) {
            if (chunk.isEmpty())
                return QString();
            Log_Anhaengen(chunk);
            Echo_Im_Reply(chunk.size());
            return chunk;
        }
        if (chunk.isEmpty())
            return m_endzeile >= 0 && Jetzt() - m_endzeile >= RuheMs ? Ohne_Echo() : QString();
        L.Vorlauf += chunk;
        if (L.Schuld)
            L.SchuldSeit = Jetzt();
        if (m_echoSuchen) {
            const qsizetype von = std::max(m_anfang, L.Vorlauf.size() - chunk.size() - L.Echo.size() + 1);
            const qsizetype pos = L.Vorlauf.indexOf(L.Echo, von, Qt::CaseInsensitive);
            if (pos >= 0) {
                m_echoSuchen = false;
                L.EchoGesehen = true;
                L.Schuld = false;  // whatever was owed came before the echo or never comes
                return Beginnen(pos);
            }
        }
        qsizetype ab = Zeilenanfang(L.Vorlauf, std::max(m_frei, L.Vorlauf.size() - chunk.size()));
        while (m_endzeile < 0 && Endergebnis_Ab(L.Vorlauf, ab) != Ergebnis::Keins) {
            if (L.Schuld) {
                L.Schuld = false;
                m_frei = ab;
            } else {
                m_endzeile = Jetzt();  // measured from the final line, whatever follows it
            }
        }
        if (!m_aufEcho && !L.Schuld)
            return Beginnen(m_frei);
        Log_Zeigen();
        return QString();
    }

    // At the end of the wait: a final line without an echo counts now, quiet or not.
    bool Ohne_Echo_Nehmen()
    {
        if (m_eigen || m_endzeile < 0)
            return false;
        Ohne_Echo();
        return true;
    }

    // The next final line of the reply; `endzeile` gets it.
    Ergebnis Endergebnis(QString* endzeile = nullptr) { return Endergebnis_Ab(Link().Text2, m_ab, endzeile); }

    ~Empfang() { Link().Echo.clear(); }

private:
    QString Beginnen(qsizetype pos)
    {
        Verbindung& L = Link();
        const QString anfang = L.Vorlauf.mid(pos);
        L.Vorlauf.truncate(pos);
        m_eigen = true;
        m_endzeile = -1;
        Log_Anhaengen(anfang);
        Echo_Im_Reply(anfang.size());
        return anfang;
    }

    QString Ohne_Echo()
    {
        Link().EchoGesehen = false;
        return Beginnen(m_frei);
    }

    // An echo within a reply that began without one: the phone echoes after all, and what came
    // before the echo leaves the reply.
    void Echo_Im_Reply(qsizetype neu)
    {
        Verbindung& L = Link();
        if (!m_echoSuchen)
            return;
        const qsizetype von = std::max<qsizetype>(0, L.Text2.size() - neu - L.Echo.size() + 1);
        const qsizetype pos = L.Text2.indexOf(L.Echo, von, Qt::CaseInsensitive);
        if (pos < 0)
            return;
        m_echoSuchen = false;
        L.EchoGesehen = true;
        if (pos == 0)
            return;
        L.Vorlauf += L.Text2.left(pos);
        L.Text1.remove(0, pos);
        L.Text2.remove(0, pos);
        m_ab = std::max<qsizetype>(0, m_ab - pos);
        Log_Zeigen();
    }

    bool m_eigen = false;       // the reply has begun
    bool m_echoSuchen = false;  // an echo is expected and not seen yet
    bool m_aufEcho = false;     // the reply begins only at the echo (or after the quiet)
    qsizetype m_anfang = 0;     // where this wait's input begins in Vorlauf
    qsizetype m_frei = 0;       // where the input after the last paid final line begins in Vorlauf
    qsizetype m_ab = 0;         // the next line of the reply to look at
    qint64 m_endzeile = -1;     // when an unowed final line came before the echo
};

// A wait of the PIN path: it does not yield and ends on a final line among what it received
// itself, or when the idle counter exceeds the time-out.
struct Unterwarten {
    Ergebnis ergebnis = Ergebnis::Keins;
    bool zeitAus = false;
};

Unterwarten PIN_Unterwarten()
{
    Verbindung& L = Link();
    Meter(0);
    qsizetype ab = L.Text1.size();
    int leer = 0;
    Unterwarten w;
    for (;;) {
        const QString chunk = Input();
        leer = chunk.isEmpty() ? leer + 1 : 1;
        Meter(leer);
        if (!chunk.isEmpty()) {
            Log_Anhaengen(chunk);
            w.ergebnis = Endergebnis_Ab(L.Text1, ab);
            if (w.ergebnis != Ergebnis::Keins)
                break;
        }
        if (leer > TimeoutFaktor || Verloren()) {
            w.zeitAus = true;
            break;
        }
    }
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

// The phone refused the command: maybe it wants the PIN2 first.
// `letztes` is the result of the last exchange of the path, which decides the error message.
bool PIN_Pfad(bool& zeitAus, bool& pinNichtNoetig, Ergebnis& letztes)
{
    Verbindung& L = Link();
    Puffer_Leeren();
    Status_Setzen(QStringLiteral("Passwortprüfung...."));
    Output(QStringLiteral("AT+CPIN?") + CRLF);
    Unterwarten w = PIN_Unterwarten();
    zeitAus = w.zeitAus;
    letztes = w.ergebnis;
    // A lost line is told as a time-out, once; no PIN can help it.
    if (w.ergebnis == Ergebnis::Fehler || Verloren())
        return false;
    if (L.Text1.contains(QLatin1String("READY"))) {
        pinNichtNoetig = true;
        return false;
    }

    L.Text1.clear();
    const std::optional<QString> pin =
        Dialoge::Aktuell().Eingabe(QStringLiteral("PIN2 erforderlich:"), AppTitel, QString());
    if (!pin || pin->isEmpty())
        return false;
    // Only digits go to the phone; anything else could append a second command.
    if (!Ziffern_Pruefen(*pin)) {
        MsgBox(QStringLiteral("PIN nicht richtig!"));
        return false;
    }

    Output(QStringLiteral("AT+CPIN=") + *pin + CRLF);
    Status_Setzen(QStringLiteral("Prüfe PIN2..."));
    w = PIN_Unterwarten();
    zeitAus = w.zeitAus;
    letztes = w.ergebnis;
    if (Verloren())
        return false;
    if (Nicht_Bestanden(w)) {
        MsgBox(QStringLiteral("PIN nicht richtig!"));
        return false;
    }

    if (Traegt_Passwort(LetzterBefehl)) {
        // The user gives the command anew, with the password meant for it.
        letztes = Ergebnis::Fehler;
        return false;
    }
    Status_Setzen(QStringLiteral("Sende Befehl erneut..."));
    Output(LetzterBefehl + CRLF);
    w = PIN_Unterwarten();
    zeitAus = w.zeitAus;
    letztes = w.ergebnis;
    return !Nicht_Bestanden(w);
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
    Nachlauf_Verwerfen();
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

void Befehl_Schreiben(const QString& befehl, bool crlf)
{
    Nachlauf_Verwerfen();
    LetzterBefehl = befehl;
    Echo_Erwarten(befehl, crlf);
    Output(crlf ? befehl + CRLF : befehl);
}

void Nachlauf_Verwerfen()
{
    Verbindung& L = Link();
    if (L.Nachlauf) {
        L.Nachlauf = false;
        if (L.Port && L.Port->IstOffen()) {
            // The link is held meanwhile, and the windows are painted.
            const bool warBelegt = L.Belegt;
            if (!warBelegt)
                Link_Belegen();
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
                    break;
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
            if (!warBelegt)
                Link_Freigeben();
        }
    }
    if (L.Schuld && Jetzt() - L.SchuldSeit >= TimeoutFaktor)
        L.Schuld = false;
}

bool Antwort_Warten() { return Warten(QString()) == Ausgang::Ok; }

namespace {

Ausgang Warten(const QString& absage)
{
    Verbindung& L = Link();
    Link_Belegen();
    Puffer_Leeren();
    // The network scan has its own bound in time, once the phone has shown it is there; the
    // meter shows its share.
    const bool netzsuche = Ist_Netzsuche(LetzterBefehl);
    bool gehoert = false;
    const qint64 anfang = Jetzt();
    int leer = 0;
    Ergebnis ergebnis = Ergebnis::Keins;
    QString endzeile;
    bool zeitAus = false;
    {
        Empfang empfang;
        for (;;) {
            const QString chunk = Input();
            if (L.Anzeige)
                L.Anzeige->Panel_Setzen(3, QStringLiteral("Eingangspuffer: %1").arg(L.Text2.size()));
            leer = chunk.isEmpty() ? leer + 1 : 1;
            gehoert = gehoert || !chunk.isEmpty();
            const bool lang = netzsuche && gehoert;
            const qint64 vergangen = Jetzt() - anfang;
            Meter(lang ? static_cast<int>(std::min(vergangen, NetzsucheMs) * TimeoutFaktor / NetzsucheMs) : leer);
            if (!empfang.Aufnehmen(chunk).isEmpty())
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
        if (zeitAus && !Verloren() && empfang.Ohne_Echo_Nehmen()) {
            ergebnis = empfang.Endergebnis(&endzeile);
            zeitAus = ergebnis == Ergebnis::Keins;
        }
    }
    if (ergebnis != Ergebnis::Keins)
        Beantwortet();
    Debuglog_Abschliessen();
    Meter(0);
    // The refusal the caller expects is an answer: no PIN path, no message.
    if (ergebnis == Ergebnis::Fehler && !absage.isEmpty() && endzeile.trimmed() == absage) {
        Link_Freigeben();
        return Ausgang::Absage;
    }

    bool pinNichtNoetig = false;
    bool gut = ergebnis == Ergebnis::Ok;
    // The first final line decides both the result and the message.
    Ergebnis letztes = ergebnis;
    // A wrong password is no question of the PIN2: the path would spend tries of it.
    const bool passwortFalsch = ergebnis == Ergebnis::Fehler && endzeile == QLatin1String("+CME ERROR: 16");
    if (ergebnis == Ergebnis::Fehler && !passwortFalsch)
        gut = PIN_Pfad(zeitAus, pinNichtNoetig, letztes);
    if (zeitAus)
        Nachlauf_Setzen(true);
    L.Abgelehnt = ergebnis == Ergebnis::Fehler && !gut && !zeitAus;

    if (passwortFalsch)
        MsgBox(QStringLiteral("Das Passwort ist falsch!"), Dialoge::Symbol::Kritisch);
    else if (letztes == Ergebnis::Fehler)
        Fehler_Melden();
    if (pinNichtNoetig)
        PINFehler_Melden();
    if (zeitAus)
        Timeout_Melden();
    Link_Freigeben();
    return gut ? Ausgang::Ok : Ausgang::Fehler;
}

}  // namespace

bool Prompt_Senden(const QString& text, bool crlf)
{
    Nachlauf_Verwerfen();
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
            leer = chunk.isEmpty() ? leer + 1 : 1;
            Meter(leer);
            const QString neu = empfang.Aufnehmen(chunk);
            if (!neu.isEmpty()) {
                for (Ergebnis e; (e = empfang.Endergebnis()) != Ergebnis::Keins;)
                    fehler = fehler || e == Ergebnis::Fehler;
                prompt = neu.contains(QLatin1Char('>'));
            }
            if (fehler || prompt || leer >= TimeoutFaktor || Verloren())
                break;
        }
        if (!fehler && !prompt && !Verloren() && empfang.Ohne_Echo_Nehmen())
            for (Ergebnis e; (e = empfang.Endergebnis()) != Ergebnis::Keins;)
                fehler = fehler || e == Ergebnis::Fehler;
    }
    if (fehler || prompt)
        Beantwortet();
    Debuglog_Abschliessen();
    const bool zeitAus = !fehler && !prompt;
    // A phone that took the command waits for data: ESC ends that entry, and the line is
    // drained before the next command.
    if (!prompt) {
        if (!Verloren())
            Output(Esc);
        Nachlauf_Setzen(zeitAus);
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

void Debuglog_Schreiben(const QString& text)
{
    Textdatei::Anhaengen(QDir(Programmordner()).filePath(QStringLiteral("debug.log")), {text});
}

}  // namespace Module1
