#pragma once
// The simulated phone: a stateful GSM phone behind a pseudo-terminal. Tests use it in-process
// (its own thread serves the master side; the program under test stays single-threaded and
// opens the slave device with the real QSerialPort); the phonesim program runs it standalone.
//
// Line discipline: echo on (the command line is echoed as it comes, with its CR; an LF is
// ignored), replies framed as "\r\n<line>\r\n" with a final "\r\nOK\r\n", "\r\nERROR\r\n", "\r\n+CME ERROR: n\r\n"
// or "\r\n+CMS ERROR: n\r\n", and "\r\n> " for the data prompt. So "AT+CGMM\r\n" gets
// "AT+CGMM\r" "\r\nS35\r\n" "\r\nOK\r\n". An empty line is echoed and not answered.
// Commands are matched without regard to case ("at^smso" is "AT^SMSO"). Every byte received
// is recorded.
//
// Prefix rule (handlers, overrides, Pin2Befehle): a prefix matches every command that starts
// with it, except the bare "AT", which matches only the command "AT" itself (every command
// starts with it). The empty prefix matches every command.
//
// Built-in handlers (registered by the constructor, replaceable with Handler_Setzen):
//   ""         any unknown command: ERROR
//   "AT"       OK
//   "ATS3?"    the line "013" (the line end character), OK; "ATS4?" "010" (line feed) and
//   "ATS5?" "008" (backspace) the same way
//   "ATE"      ATE0 / ATE switch the echo off, ATE1 on, then OK
//   "AT+CGMM"  the line `Modell`, OK
//   "AT+CPIN"  see the PIN2 state below
//   "AT^SMSO"  OK, sets `Ausgeschaltet`
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace sim {

class SimHandy;

// What a command handler answers. `text` is everything after the echo, already framed
// (use the helpers below). When `daten` is set, the phone has sent the "> " prompt and
// collects data up to Ctrl-Z (26), echoing it while echo is on; then `daten` is called with
// the data (without Ctrl-Z) and its return value is sent. ESC (27) aborts the data mode with
// no reply. An LF right after the command's CR is no data.
struct Antwort {
    std::string text;
    std::function<std::string(const std::string& daten)> daten = {};
};

// Framing helpers.
std::string Zeile(const std::string& zeile);  // "\r\n" + zeile + "\r\n"
std::string Ok();                             // "\r\nOK\r\n"
std::string Error();                          // "\r\nERROR\r\n"
std::string CmeError(int code);               // "\r\n+CME ERROR: <code>\r\n"
std::string CmsError(int code);               // "\r\n+CMS ERROR: <code>\r\n"
std::string Prompt();                         // "\r\n> "

// A handler gets the command line without its CR, as received (original case). It runs on the
// simulator's thread with the simulator's lock held: it may read and change the phone's state
// through the SimHandy reference, but must not call SimHandy's public (locking) methods.
// Bytes it wants to send belong into its Antwort, so that they follow the echo.
using Handler = std::function<Antwort(SimHandy& handy, const std::string& befehl)>;

class SimHandy {
public:
    SimHandy();   // opens the pseudo-terminal and starts serving; throws std::runtime_error
    ~SimHandy();  // stops and closes
    SimHandy(const SimHandy&) = delete;
    SimHandy& operator=(const SimHandy&) = delete;

    // The slave device the program opens, for example "/dev/pts/7".
    std::string Geraet() const;

    // ---- Recording -------------------------------------------------------------------
    // A read from the line is recorded, split into command lines and answered (handlers run)
    // in one step under the lock, so once Warten_Auf_Empfang has seen a command, Befehle()
    // and the phone's state show it too; only the sending of the replies comes later.
    std::string Empfangen() const;  // every byte received so far
    void Empfangen_Loeschen();      // forgets the bytes and the command lines
    // Waits until the bytes received contain `teil`; false after `ms` milliseconds.
    // Not to be called with the lock held (inside Mit_Zustand or a handler).
    bool Warten_Auf_Empfang(const std::string& teil, int ms) const;
    // The complete command lines received so far (without CR and LF), in order, empty lines
    // left out; lines received while mute are included.
    std::vector<std::string> Befehle() const;

    // ---- Behaviour -------------------------------------------------------------------
    // These settings apply to the replies of commands received after the call.
    void Echo_Setzen(bool an);                                 // default on
    void Stumm_Setzen(bool stumm);  // echo nothing and answer nothing; handlers do not run
    // Replies are sent in chunks of `bytes` with `pause_ms` between them (0 bytes: whole).
    void Stueckelung_Setzen(std::size_t bytes, int pause_ms);
    // Wait before each reply (the echo comes at once).
    void Verzoegerung_Setzen(int ms);
    // Simulate the line speed: each byte takes 10 bits at this rate (0: no limit), in both
    // directions. Bytes from the program are in flight until the line has carried them, and an
    // output flush of the program (TCOFLUSH) discards what is still in flight, as a UART does.
    void Baudrate_Setzen(int baud);
    // The next `anzahl` commands starting with `praefix` (case-insensitive) get this raw reply
    // (sent after the echo) instead of their normal one; anzahl < 0: always, 0: ignored.
    // Overrides are checked before the handlers and the PIN2 lock, most recent first; an
    // overridden command runs no handler (a "> " in the raw reply starts no data mode).
    void Antwort_Setzen(const std::string& praefix, const std::string& rohantwort, int anzahl = -1);
    // The same for silence: the command is echoed and then nothing comes.
    void Schweigen_Bei(const std::string& praefix, int anzahl = -1);
    // The same for a lost reply: the command is echoed and carried out, but its reply never
    // comes (a data mode it starts does begin).
    void Antwort_Verlieren_Bei(const std::string& praefix, int anzahl = -1);
    // The same for bytes that follow the reply at once, in the same write (an unsolicited
    // "\r\nRING\r\n", say): the command runs and answers as usual.
    void Nachsatz_Bei(const std::string& praefix, const std::string& bytes, int anzahl = -1);
    // Unsolicited lines inside a reply: the next `anzahl` commands starting with `praefix` get these
    // raw bytes within their reply, right after the first line that starts with `nach` (after its
    // CR LF); an empty `nach` puts them right after the echo. A reply without such a line is sent as it is.
    void Einschub_Bei(const std::string& praefix, const std::string& nach, const std::string& bytes, int anzahl = 1);
    void Ueberschreibungen_Loeschen();

    // ---- Misbehaviour of a real phone ------------------------------------------------
    // Busy: while the reply of a command is delayed (Verzoegerung_Setzen), whatever arrives is
    // recorded in Empfangen() but neither echoed nor answered, and is no command in Befehle().
    void Taub_Wenn_Beschaeftigt(bool taub);
    // The next `anzahl` data prompts are lost on the way: the phone enters its data mode all
    // the same and takes what follows as data.
    void Prompt_Verlieren(int anzahl = 1);
    // Echoes while busy: a command that comes while a delayed reply is pending is echoed at
    // once and answered after the pending replies, in order.
    void Echo_Waehrend_Beschaeftigt(bool an);
    // Stalls once and is slow from then on: the next command is echoed and carried out, but its
    // reply never comes; every later command is echoed at once and answered `ms` after it came,
    // in order.
    void Stocken(int ms);
    // Sends these raw bytes (an unsolicited line such as "\r\nRING\r\n") every `ms`
    // milliseconds, `anzahl` times, on a thread of its own; one such sender at a time.
    void Melden_Alle(const std::string& bytes, int ms, int anzahl);

    // Registers (or replaces) the handler for commands that start with `praefix`
    // (case-insensitive, prefix rule above); the longest matching prefix wins.
    void Handler_Setzen(const std::string& praefix, Handler handler);

    // Sends raw bytes to the program at once (unsolicited lines, garbage), unshaped.
    void Senden(const std::string& bytes);

    // Runs `f` with the lock held, for tests that set up or inspect the state.
    template <class F>
    auto Mit_Zustand(F&& f) -> decltype(f(std::declval<SimHandy&>()))
    {
        std::lock_guard<std::recursive_mutex> lock(m_mutex);
        return f(*this);
    }

    // ---- Phone state (read and change under the lock: in handlers or Mit_Zustand) -----
    std::string Modell = "S35";  // "AT+CGMM" answers this line
    // PIN2: while `Pin2Gesperrt` is true, commands starting with one of `Pin2Befehle` answer
    // "+CME ERROR: 17" and "AT+CPIN?" answers "+CPIN: SIM PIN2"; "AT+CPIN=<Pin2>" (quotes
    // allowed) unlocks (OK), any other PIN answers "+CME ERROR: 16". Otherwise "AT+CPIN?"
    // answers "+CPIN: READY".
    std::string Pin2 = "1234";
    bool Pin2Gesperrt = false;
    std::vector<std::string> Pin2Befehle;
    // Without a SIM "AT+CPIN?" answers "+CME ERROR: 10" (SIM not inserted), as do the SIM's own
    // values ("AT+CIMI").
    bool OhneSim = false;
    // The SIM waits for a code on the handset ("SIM PIN", "SIM PUK", ...): "AT+CPIN?" answers
    // "+CPIN: <PinZustand>" while it is set.
    std::string PinZustand;
    bool Ausgeschaltet = false;  // set by "AT^SMSO"; the phone keeps answering

private:
    // Bytes waiting to be sent, with the shaping that held when they were queued.
    struct Ausgabe {
        std::string bytes;
        bool antwort;  // a reply: delayed and chunked; else echo: at once
        int verzoegerung;
        std::size_t stueckBytes;
        int stueckPause;
        int baud;
    };

    void Bedienen();
    void Zuhoeren();
    bool Lesen();  // everything the master has now; false when stopping
    void Ankuenfte_Bearbeiten();  // lock held
    void Faellige_Antworten();    // lock held: replies held back while echoing busy
    std::string Einschieben(const std::string& befehlGross, std::string antwort);  // lock held
    void Byte_Bearbeiten(char c);
    void Zeile_Bearbeiten(const std::string& zeile);
    void Ausgeben(const std::string& bytes, bool antwort);  // queues; lock held
    bool Schicken(const Ausgabe& ausgabe);  // with chunking, delay and line speed; lock not held
    bool Takt_Schreiben(const char* daten, std::size_t laenge, int baud);
    bool Schreiben(const char* daten, std::size_t laenge);  // the one write to the master
    bool Schlafen_Bis(std::chrono::steady_clock::time_point bis);  // false when stopping
    bool Schlafen(int ms);

    mutable std::recursive_mutex m_mutex;
    mutable std::condition_variable_any m_empfangGeaendert;
    std::mutex m_schreibMutex;  // one writer at a time on the master; never taken before m_mutex
    int m_master = -1;
    int m_slave = -1;  // kept open so the master never sees a hang-up between the program's opens
    int m_stopPipe[2] = {-1, -1};
    std::string m_geraet;
    std::thread m_thread;  // answers
    std::thread m_leser;   // reads the line
    std::condition_variable_any m_angekommen;
    bool m_ende = false;

    // Bytes from the program still on the line, with the time each one arrives.
    struct Unterwegs {
        char c;
        std::chrono::steady_clock::time_point ankunft;
    };
    std::deque<Unterwegs> m_unterwegs;
    std::chrono::steady_clock::time_point m_leitungFrei{};

    std::string m_empfangen;
    std::vector<std::string> m_befehle;
    std::string m_zeile;
    bool m_datenmodus = false;
    bool m_lfNachPrompt = false;  // the LF of a command's CR LF is no data
    std::string m_daten;
    std::function<std::string(const std::string&)> m_datenHandler;
    std::vector<Ausgabe> m_ausgang;

    bool m_echo = true;
    bool m_stumm = false;
    std::size_t m_stueckBytes = 0;
    int m_stueckPause = 0;
    int m_verzoegerung = 0;
    int m_baud = 0;
    bool m_taub = false;
    std::chrono::steady_clock::time_point m_beschaeftigtBis{};
    int m_promptVerlieren = 0;
    bool m_echoBeschaeftigt = false;
    struct Spaeter {
        std::chrono::steady_clock::time_point faellig;
        Ausgabe ausgabe;
    };
    std::deque<Spaeter> m_spaeter;  // replies held back, in order
    std::thread m_melder;           // sends unsolicited lines

    struct Ueberschreibung {
        std::string praefix;  // upper case
        std::string antwort;
        bool schweigen;
        int anzahl;
        bool ausfuehren = false;  // the command runs: its reply is lost (schweigen) or followed by `antwort`
    };
    std::vector<Ueberschreibung> m_ueberschreibungen;
    struct Einschub {
        std::string praefix;  // upper case
        std::string nach;
        std::string bytes;
        int anzahl;
    };
    std::vector<Einschub> m_einschuebe;
    std::map<std::string, Handler> m_handler;  // key: upper-case prefix
};

}  // namespace sim
