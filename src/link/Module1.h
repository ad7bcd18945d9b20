#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class PortKanal;
class LinkAnzeige;

// The command exchange with the phone. Every phone command of the program goes through
// here; a wait runs inside the caller's handler and serves window events while it polls.
namespace Module1 {

// The seams of the exchange and its buffers: one per process.
struct Verbindung {
    PortKanal* Port = nullptr;
    LinkAnzeige* Anzeige = nullptr;
    // Called once per poll of the main wait; by default serves pending window events.
    std::function<void()> Abarbeiten;
    // The command line without the program name; exactly {"-debug/all"} writes "debug.log".
    QStringList Argumente;

    // Milliseconds of a steady clock for the timed waits; unset: the real one. Tests may speed it up.
    std::function<qint64()> Uhr;

    // Reply buffer: the current command's reply, from its echo to its final line, its own lines only.
    QString Text2;
    // Communication log of the current exchange: everything received from the command's echo to
    // its final line, unsolicited lines included, in order.
    QString Text1;
    // What came that is no command's reply (stale lines, the late reply of a timed-out command,
    // lines right after a final line, the probes): the log window and debug.log show it, no
    // reader parses it.
    QString Vorlauf;
    bool Belegt = false;  // the busy lamp is red
    // The last command was answered in time, with an error: the phone refused it.
    bool Abgelehnt = false;

    // After a time-out or a failed prompt the phone may still be busy, answering, or in its data
    // mode: before the next command it must show that it is in step again.
    enum class Abgleich { Keiner, NachZeitaus, NachPrompt };
    Abgleich Abgleichen = Abgleich::Keiner;
    bool EchoGesehen = false;   // the phone echoed the last command it answered
    bool EchoFehlte = false;    // ... and then answered one without its echo
};
Verbindung& Link();
// A port opened anew may lead to another phone: the link forgets the line begun, what it knew of
// the echo, and that it was out of step.
void Neu_Verbunden();

// A wait ends after this many milliseconds without a line of the reply ("Timeoutzeit"); the
// loader clamps it to 1000..30000.
extern int TimeoutFaktor;
// The last command given to Befehl_Senden or Befehl_Schreiben; the PIN path resends it, unless
// it carries a password or PIN.
extern QString LetzterBefehl;
// The bound of the network scan, which takes far longer than any other command.
constexpr qint64 NetzsucheMs = 120000;

// A command holding a character the port cannot send as one byte (beyond ISO 8859-1) is refused
// by every procedure that writes, before anything is sent: the error message, as a refusal.
bool Befehl_Senden(const QString& befehl, bool crlf);
// How a command ended for a caller that takes one refusal as an answer.
enum class Ausgang { Ok, Absage, Fehler };
// Befehl_Senden, but the final line `absage` (say "+CMS ERROR: 321") is the answer Absage:
// no PIN path and no message for it. Every other end as with Befehl_Senden.
Ausgang Befehl_Senden(const QString& befehl, bool crlf, const QString& absage);
// As `absage`: every error line is the answer Absage; Text2 holds it for the caller to judge.
extern const QString JedeAbsage;
bool Antwort_Warten();
bool Prompt_Senden(const QString& text, bool crlf);
bool Prompt_Warten();
// For callers that write a command themselves and then wait: records it for the PIN resend.
// False when nothing was written (the phone is not in step; the time-out was told).
bool Befehl_Schreiben(const QString& befehl, bool crlf);

// Writes the text straight to the port: data after a prompt, or a command whose reply nobody
// waits for. False when nothing was written (the phone is not in step; the time-out was told).
bool Roh_Schreiben(const QString& text);

// Before every command: true when the phone is in step. After a time-out or a failed prompt it
// drains the line into the log and probes with "ATS3?", "ATS4?", "ATS5?"; false when the phone
// did not answer in step.
bool Im_Takt();
// A wait of the caller's own ended without the final line: the phone must show that it is in
// step before the next command.
void Zeitaus_Vermerken();
// The phone is out of step (a time-out or a failed prompt, and no probe has found it in step
// since) or the device is lost: a loop over rows, slots or settings stops here instead of
// sending on. Asks nothing of the phone.
bool Ausser_Takt();

// One action of the user (a click, a key, a drop, opening a window), held by the handler that
// runs it; one opened inside another belongs to the outer one. Within it the time-out is told
// once: a second one, or a command refused because the phone is not in step, says nothing more.
class Aktion {
public:
    // Who tells a time-out within the scope: the link, once an action, or the handler itself,
    // in its own message about what became of the failure.
    enum class Meldung { Link, Selbst };
    explicit Aktion(Meldung meldung = Meldung::Link);
    ~Aktion();
    Aktion(const Aktion&) = delete;
    Aktion& operator=(const Aktion&) = delete;

private:
    bool m_selbst;
    bool m_gemeldetVorher = false;
};

void Status_Setzen(const QString& text);
QString Antwort_Bereinigen(QString& text);

void Fehler_Melden();
void Timeout_Melden();
void PINFehler_Melden();
void Debuglog_Schreiben(const QString& text);

// Lamp red, hourglass, frame and active child disabled; and back. Waits and the phone-book
// reader hold the link with these.
void Link_Belegen();
void Link_Freigeben();

// The final result of a reply: only a complete line counts ("OK", "ERROR", "+CME ERROR...",
// "+CMS ERROR..."), so an "OK" inside an echoed name or a message text ends nothing.
enum class Ergebnis { Keins, Ok, Fehler };
Ergebnis Endergebnis(const QString& text);

// The state of an "AT+CPIN?" reply as the phone wrote it ("READY", "SIM PIN2", ...); "" for none.
QString CPIN_Zustand_Lesen(const QString& antwort);

}  // namespace Module1
