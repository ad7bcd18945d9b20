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

void Log_Anhaengen(const QString& chunk)
{
    Verbindung& L = Link();
    L.Text1 += chunk;
    L.Text2 += chunk;
    if (L.Anzeige)
        L.Anzeige->Log_Geaendert(L.Text1);
}

void Puffer_Leeren()
{
    Verbindung& L = Link();
    L.Text1.clear();
    L.Text2.clear();
    if (L.Anzeige)
        L.Anzeige->Log_Geaendert(L.Text1);
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

void Nachlauf_Setzen()
{
    Verbindung& L = Link();
    L.Nachlauf = true;
    // Writes straight to the port wait the late reply out as well.
    if (L.Port && !L.Port->VorAusgabe)
        L.Port->VorAusgabe = [] { Nachlauf_Verwerfen(); };
}

// A final line counts for a command only after the command's own echo: what comes before it
// is the late reply of an earlier command. It leaves the reply and stays in the log. A final
// line without any echo, with the line quiet after it, shows a phone that does not echo.
struct Echowaechter {
    bool gesehen = Link().Echo.isEmpty();
    bool ohneEcho = false;
    qint64 ruhigSeit = -1;  // since when a final line before the echo is the last input

    // After input: whether the final lines of the reply count yet; `ab` follows when the reply
    // loses its head.
    bool Zaehlt(qsizetype& ab)
    {
        Verbindung& L = Link();
        if (!gesehen) {
            const qsizetype pos = L.Text2.indexOf(L.Echo, 0, Qt::CaseInsensitive);
            if (pos >= 0) {
                gesehen = true;
                L.EchoGesehen = true;
                L.Text2.remove(0, pos);
                ab = 0;
            }
        }
        if (gesehen || ohneEcho || !L.EchoGesehen)
            return true;
        ruhigSeit = Endergebnis(L.Text2) != Ergebnis::Keins ? Jetzt() : -1;
        return false;
    }

    // After an empty poll, or at the end of the wait: whether the reply counts without an echo now.
    bool Ohne_Echo(bool ende)
    {
        if (ruhigSeit < 0 || (!ende && Jetzt() - ruhigSeit < RuheMs))
            return false;
        ohneEcho = true;
        ruhigSeit = -1;
        Link().EchoGesehen = false;
        return true;
    }

    void Abschliessen() { Link().Echo.clear(); }
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
        if (leer > TimeoutFaktor) {
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

// The phone's "incorrect password" as the first final line of a reply.
bool Passwort_Abgelehnt(const QString& text)
{
    qsizetype anfang = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!Ist_Zeilenende(text.at(i)))
            continue;
        const QStringView zeile = QStringView(text).mid(anfang, i - anfang);
        anfang = i + 1;
        if (Zeile_Bewerten(zeile) != Ergebnis::Keins)
            return zeile == u"+CME ERROR: 16";
    }
    return false;
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
    if (w.ergebnis == Ergebnis::Fehler)
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
    Input();  // stale replies and unsolicited lines
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
    if (!L.Nachlauf)
        return;
    L.Nachlauf = false;
    if (!L.Port || !L.Port->IstOffen())
        return;
    const qint64 anfang = Jetzt();
    qint64 zuletzt = anfang;
    QString verworfen;
    for (;;) {
        const QString chunk = Input();
        const qint64 jetzt = Jetzt();
        if (!chunk.isEmpty()) {
            verworfen += chunk;
            zuletzt = jetzt;
        }
        if (jetzt - zuletzt >= RuheMs || jetzt - anfang >= NachlaufMs)
            break;
    }
    if (verworfen.isEmpty())
        return;
    L.Text1 += verworfen;
    if (L.Anzeige)
        L.Anzeige->Log_Geaendert(L.Text1);
    if (Debugmodus())
        Debuglog_Schreiben(verworfen);
}

bool Antwort_Warten() { return Warten(QString()) == Ausgang::Ok; }

namespace {

Ausgang Warten(const QString& absage)
{
    Verbindung& L = Link();
    Link_Belegen();
    Puffer_Leeren();
    // The network scan has its own bound in time, whatever the idle limit; the meter shows its share.
    const bool netzsuche = Ist_Netzsuche(LetzterBefehl);
    const qint64 anfang = Jetzt();
    int leer = 0;
    qsizetype ab = 0;
    Echowaechter echo;
    Ergebnis ergebnis = Ergebnis::Keins;
    QString endzeile;
    bool zeitAus = false;
    for (;;) {
        const QString chunk = Input();
        if (L.Anzeige)
            L.Anzeige->Panel_Setzen(3, QStringLiteral("Eingangspuffer: %1").arg(L.Text2.size()));
        leer = chunk.isEmpty() ? leer + 1 : 1;
        const qint64 vergangen = Jetzt() - anfang;
        Meter(netzsuche ? static_cast<int>(std::min(vergangen, NetzsucheMs) * TimeoutFaktor / NetzsucheMs) : leer);
        if (!chunk.isEmpty()) {
            Log_Anhaengen(chunk);
            if (echo.Zaehlt(ab))
                ergebnis = Endergebnis_Ab(L.Text2, ab, &endzeile);
        } else if (echo.Ohne_Echo(false)) {
            ergebnis = Endergebnis_Ab(L.Text2, ab, &endzeile);
        }
        if (L.Abarbeiten)
            L.Abarbeiten();
        else
            QCoreApplication::processEvents();
        if (ergebnis != Ergebnis::Keins)
            break;
        zeitAus = netzsuche ? vergangen >= NetzsucheMs : leer >= TimeoutFaktor;
        if (zeitAus)
            break;
    }
    if (zeitAus && echo.Ohne_Echo(true)) {
        ergebnis = Endergebnis_Ab(L.Text2, ab, &endzeile);
        zeitAus = false;
    }
    echo.Abschliessen();
    if (ergebnis != Ergebnis::Keins)
        Beantwortet();
    if (Debugmodus())
        Debuglog_Schreiben(L.Text1);
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
    const bool passwortFalsch = ergebnis == Ergebnis::Fehler && Passwort_Abgelehnt(L.Text2);
    if (ergebnis == Ergebnis::Fehler && !passwortFalsch)
        gut = PIN_Pfad(zeitAus, pinNichtNoetig, letztes);
    if (zeitAus)
        Nachlauf_Setzen();
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
    Verbindung& L = Link();
    Link_Belegen();
    Puffer_Leeren();
    int leer = 0;
    qsizetype ab = 0;
    Echowaechter echo;
    bool fehler = false;
    bool prompt = false;
    for (;;) {
        const QString chunk = Input();
        leer = chunk.isEmpty() ? leer + 1 : 1;
        Meter(leer);
        if (!chunk.isEmpty()) {
            Log_Anhaengen(chunk);
            if (echo.Zaehlt(ab))
                fehler = Endergebnis_Ab(L.Text2, ab) == Ergebnis::Fehler || fehler;
            prompt = chunk.contains(QLatin1Char('>'));
        } else if (echo.Ohne_Echo(false)) {
            fehler = Endergebnis_Ab(L.Text2, ab) == Ergebnis::Fehler || fehler;
        }
        if (fehler || prompt || leer >= TimeoutFaktor)
            break;
    }
    if (!fehler && !prompt && echo.Ohne_Echo(true))
        fehler = Endergebnis_Ab(L.Text2, ab) == Ergebnis::Fehler;
    echo.Abschliessen();
    if (fehler || prompt)
        Beantwortet();
    if (Debugmodus())
        Debuglog_Schreiben(L.Text1);
    const bool zeitAus = !fehler && !prompt && leer >= TimeoutFaktor;
    if (zeitAus)
        Nachlauf_Setzen();
    Link_Freigeben();
    if (fehler)
        Fehler_Melden();
    if (zeitAus)
        Timeout_Melden();
    return !fehler && !zeitAus;
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
