#include "sim/SimHandy.h"
#include "sim/SimText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace sim {

std::string Zeile(const std::string& zeile) { return "\r\n" + zeile + "\r\n"; }
std::string Ok() { return "\r\nOK\r\n"; }
std::string Error() { return "\r\nERROR\r\n"; }
std::string CmeError(int code) { return "\r\n+CME ERROR: " + std::to_string(code) + "\r\n"; }
std::string CmsError(int code) { return "\r\n+CMS ERROR: " + std::to_string(code) + "\r\n"; }
std::string Prompt() { return "\r\n> "; }

namespace {

constexpr char CtrlZ = 26;
constexpr char Esc = 27;

// Every command starts with "AT", so a bare "AT" only stands for itself.
bool Passt(const std::string& befehlGross, const std::string& praefixGross)
{
    if (praefixGross == "AT")
        return befehlGross == "AT";
    return befehlGross.compare(0, praefixGross.size(), praefixGross) == 0;
}

[[noreturn]] void Fehler(const char* was)
{
    throw std::runtime_error(std::string("SimHandy: ") + was + ": " + std::strerror(errno));
}

}  // namespace

SimHandy::SimHandy()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        Fehler("posix_openpt");
    char name[128];
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 || ptsname_r(m_master, name, sizeof name) != 0) {
        ::close(m_master);
        Fehler("pty");
    }
    m_geraet = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios t{};
    if (m_slave < 0 || tcgetattr(m_slave, &t) != 0) {
        if (m_slave >= 0)
            ::close(m_slave);
        ::close(m_master);
        Fehler("slave");
    }
    cfmakeraw(&t);
    tcsetattr(m_slave, TCSANOW, &t);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // Packet mode: the program's output flushes show up as status bytes.
    int paket = 1;
    ioctl(m_master, TIOCPKT, &paket);
    if (pipe2(m_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::close(m_slave);
        ::close(m_master);
        Fehler("pipe");
    }

    Handler_Setzen("", [](SimHandy&, const std::string&) { return Antwort{Error(), {}}; });
    Handler_Setzen("AT", [](SimHandy&, const std::string&) { return Antwort{Ok(), {}}; });
    Handler_Setzen("ATS3?", [](SimHandy&, const std::string&) { return Antwort{Zeile("013") + Ok(), {}}; });
    Handler_Setzen("ATS4?", [](SimHandy&, const std::string&) { return Antwort{Zeile("010") + Ok(), {}}; });
    Handler_Setzen("ATS5?", [](SimHandy&, const std::string&) { return Antwort{Zeile("008") + Ok(), {}}; });
    Handler_Setzen("ATE", [](SimHandy& h, const std::string& befehl) {
        const std::string rest = befehl.substr(3);
        if (rest.empty() || rest == "0")
            h.m_echo = false;
        else if (rest == "1")
            h.m_echo = true;
        else
            return Antwort{Error(), {}};
        return Antwort{Ok(), {}};
    });
    Handler_Setzen("AT+CGMM", [](SimHandy& h, const std::string&) {
        return Antwort{Zeile(h.Modell) + Ok(), {}};
    });
    Handler_Setzen("AT+CPIN", [](SimHandy& h, const std::string& befehl) {
        const std::string rest = befehl.substr(7);
        if (rest == "?" && h.OhneSim)
            return Antwort{CmeError(10), {}};
        if (rest == "?" && !h.PinZustand.empty())
            return Antwort{Zeile("+CPIN: " + h.PinZustand) + Ok(), {}};
        if (rest == "?")
            return Antwort{Zeile(h.Pin2Gesperrt ? "+CPIN: SIM PIN2" : "+CPIN: READY") + Ok(), {}};
        if (rest == "=?")
            return Antwort{Ok(), {}};
        if (rest.size() < 2 || rest[0] != '=')
            return Antwort{Error(), {}};
        std::string pin = rest.substr(1);
        if (pin.size() >= 2 && pin.front() == '"' && pin.back() == '"')
            pin = pin.substr(1, pin.size() - 2);
        if (pin != h.Pin2)
            return Antwort{CmeError(16), {}};
        h.Pin2Gesperrt = false;
        return Antwort{Ok(), {}};
    });
    Handler_Setzen("AT^SMSO", [](SimHandy& h, const std::string&) {
        h.Ausgeschaltet = true;
        return Antwort{Ok(), {}};
    });

    m_thread = std::thread([this] { Bedienen(); });
    m_leser = std::thread([this] { Zuhoeren(); });
}

SimHandy::~SimHandy()
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_mutex);
        m_ende = true;
    }
    m_angekommen.notify_all();
    const char stop = 1;
    while (::write(m_stopPipe[1], &stop, 1) < 0 && errno == EINTR) {
    }
    m_leser.join();
    m_thread.join();
    if (m_melder.joinable())
        m_melder.join();
    ::close(m_stopPipe[0]);
    ::close(m_stopPipe[1]);
    ::close(m_slave);
    ::close(m_master);
}

std::string SimHandy::Geraet() const { return m_geraet; }

std::string SimHandy::Empfangen() const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_empfangen;
}

void SimHandy::Empfangen_Loeschen()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_empfangen.clear();
    m_befehle.clear();
}

bool SimHandy::Warten_Auf_Empfang(const std::string& teil, int ms) const
{
    std::unique_lock<std::recursive_mutex> lock(m_mutex);
    return m_empfangGeaendert.wait_for(lock, std::chrono::milliseconds(ms),
                                       [&] { return m_empfangen.find(teil) != std::string::npos; });
}

std::vector<std::string> SimHandy::Befehle() const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_befehle;
}

void SimHandy::Echo_Setzen(bool an)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_echo = an;
}

void SimHandy::Stumm_Setzen(bool stumm)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_stumm = stumm;
}

void SimHandy::Stueckelung_Setzen(std::size_t bytes, int pause_ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_stueckBytes = bytes;
    m_stueckPause = std::max(0, pause_ms);
}

void SimHandy::Verzoegerung_Setzen(int ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_verzoegerung = std::max(0, ms);
}

void SimHandy::Baudrate_Setzen(int baud)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_baud = std::max(0, baud);
}

void SimHandy::Antwort_Setzen(const std::string& praefix, const std::string& rohantwort, int anzahl)
{
    if (anzahl == 0)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_ueberschreibungen.push_back({Gross(praefix), rohantwort, false, anzahl});
}

void SimHandy::Schweigen_Bei(const std::string& praefix, int anzahl)
{
    if (anzahl == 0)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_ueberschreibungen.push_back({Gross(praefix), {}, true, anzahl});
}

void SimHandy::Antwort_Verlieren_Bei(const std::string& praefix, int anzahl)
{
    if (anzahl == 0)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_ueberschreibungen.push_back({Gross(praefix), {}, true, anzahl, true});
}

void SimHandy::Nachsatz_Bei(const std::string& praefix, const std::string& bytes, int anzahl)
{
    if (anzahl == 0)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_ueberschreibungen.push_back({Gross(praefix), bytes, false, anzahl, true});
}

void SimHandy::Einschub_Bei(const std::string& praefix, const std::string& nach, const std::string& bytes, int anzahl)
{
    if (anzahl == 0)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_einschuebe.push_back({Gross(praefix), nach, bytes, anzahl});
}

void SimHandy::Ueberschreibungen_Loeschen()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_ueberschreibungen.clear();
}

void SimHandy::Taub_Wenn_Beschaeftigt(bool taub)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_taub = taub;
}

void SimHandy::Prompt_Verlieren(int anzahl)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_promptVerlieren = std::max(0, anzahl);
}

void SimHandy::Echo_Waehrend_Beschaeftigt(bool an)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_echoBeschaeftigt = an;
}

void SimHandy::Stocken(int ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_ueberschreibungen.push_back({"", {}, true, 1, true});
    m_echoBeschaeftigt = true;
    m_verzoegerung = std::max(0, ms);
}

void SimHandy::Melden_Alle(const std::string& bytes, int ms, int anzahl)
{
    if (m_melder.joinable())
        m_melder.join();
    m_melder = std::thread([this, bytes, ms, anzahl] {
        for (int i = 0; i < anzahl && Schlafen(ms); ++i)
            if (!Schreiben(bytes.data(), bytes.size()))
                return;
    });
}

void SimHandy::Handler_Setzen(const std::string& praefix, Handler handler)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_handler[Gross(praefix)] = std::move(handler);
}

void SimHandy::Senden(const std::string& bytes) { Schreiben(bytes.data(), bytes.size()); }

// ---- The simulator's thread ------------------------------------------------------------

// Serves what has arrived over the line; the reader thread keeps the line model current meanwhile,
// so a flush of the program is seen at once even while a reply is being sent.
void SimHandy::Bedienen()
{
    for (;;) {
        std::vector<Ausgabe> ausgang;
        {
            std::unique_lock<std::recursive_mutex> lock(m_mutex);
            const auto da = [this] {
                const auto jetzt = std::chrono::steady_clock::now();
                return m_ende || (!m_unterwegs.empty() && m_unterwegs.front().ankunft <= jetzt) ||
                       (!m_spaeter.empty() && m_spaeter.front().faellig <= jetzt);
            };
            while (!da()) {
                if (m_unterwegs.empty() && m_spaeter.empty())
                    m_angekommen.wait(lock);
                else if (m_spaeter.empty())
                    m_angekommen.wait_until(lock, m_unterwegs.front().ankunft);
                else if (m_unterwegs.empty())
                    m_angekommen.wait_until(lock, m_spaeter.front().faellig);
                else
                    m_angekommen.wait_until(lock, std::min(m_unterwegs.front().ankunft, m_spaeter.front().faellig));
            }
            if (m_ende)
                return;
            Faellige_Antworten();
            Ankuenfte_Bearbeiten();
            ausgang.swap(m_ausgang);
        }
        m_empfangGeaendert.notify_all();
        for (const Ausgabe& a : ausgang)
            if (!Schicken(a))
                return;
    }
}

void SimHandy::Zuhoeren()
{
    for (;;) {
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents || !Lesen())
            return;
        m_angekommen.notify_all();
    }
}

bool SimHandy::Lesen()
{
    char puffer[4097];
    for (;;) {
        const ssize_t n = ::read(m_master, puffer, sizeof puffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return true;
        if (n <= 0) {
            // Not expected while the slave is held open; do not spin if it happens.
            return Schlafen(10);
        }
        std::lock_guard<std::recursive_mutex> lock(m_mutex);
        const auto jetzt = std::chrono::steady_clock::now();
        if (puffer[0] != TIOCPKT_DATA) {
            if (puffer[0] & TIOCPKT_FLUSHWRITE) {
                // What has arrived stays, even while the answering thread is still busy sending.
                while (!m_unterwegs.empty() && m_unterwegs.back().ankunft > jetzt)
                    m_unterwegs.pop_back();
                m_leitungFrei = jetzt;
            }
            continue;
        }
        for (ssize_t i = 1; i < n; ++i) {
            if (m_baud > 0) {
                m_leitungFrei = std::max(m_leitungFrei, jetzt) + std::chrono::microseconds(10LL * 1000000 / m_baud);
                m_unterwegs.push_back({puffer[i], m_leitungFrei});
            } else {
                m_unterwegs.push_back({puffer[i], jetzt});
            }
        }
    }
}

void SimHandy::Ankuenfte_Bearbeiten()
{
    const auto jetzt = std::chrono::steady_clock::now();
    while (!m_unterwegs.empty() && m_unterwegs.front().ankunft <= jetzt) {
        const Unterwegs u = m_unterwegs.front();
        m_unterwegs.pop_front();
        m_empfangen += u.c;
        if (!m_taub || u.ankunft >= m_beschaeftigtBis)
            Byte_Bearbeiten(u.c);
    }
}

void SimHandy::Faellige_Antworten()
{
    const auto jetzt = std::chrono::steady_clock::now();
    while (!m_spaeter.empty() && m_spaeter.front().faellig <= jetzt) {
        m_ausgang.push_back(m_spaeter.front().ausgabe);
        m_spaeter.pop_front();
    }
}

void SimHandy::Byte_Bearbeiten(char c)
{
    if (m_datenmodus) {
        if (c == CtrlZ) {
            m_datenmodus = false;
            const auto handler = std::move(m_datenHandler);
            m_datenHandler = nullptr;
            const std::string daten = std::move(m_daten);
            m_daten.clear();
            const std::string antwort = handler(daten);
            if (!m_stumm)
                Ausgeben(antwort, true);
        } else if (c == Esc) {
            m_datenmodus = false;
            m_datenHandler = nullptr;
            m_daten.clear();
        } else if (c == '\n' && m_lfNachPrompt) {
            m_lfNachPrompt = false;
        } else {
            m_lfNachPrompt = false;
            m_daten += c;
            if (m_echo && !m_stumm)
                Ausgeben(std::string(1, c), false);
        }
        return;
    }
    if (c == '\n' || c == Esc)
        return;
    if (c != '\r') {
        // Echoed as it comes, like a phone does; the line is answered at its CR.
        m_zeile += c;
        if (m_echo && !m_stumm)
            Ausgeben(std::string(1, c), false);
        return;
    }
    const std::string zeile = std::move(m_zeile);
    m_zeile.clear();
    Zeile_Bearbeiten(zeile);
}

void SimHandy::Zeile_Bearbeiten(const std::string& zeile)
{
    if (m_stumm) {
        if (!zeile.empty())
            m_befehle.push_back(zeile);
        return;
    }
    if (m_echo)
        Ausgeben("\r", false);
    if (zeile.empty())
        return;
    m_befehle.push_back(zeile);
    const std::string gross = Gross(zeile);

    bool verlieren = false;
    std::string nachsatz;
    for (auto it = m_ueberschreibungen.rbegin(); it != m_ueberschreibungen.rend(); ++it) {
        if (!Passt(gross, it->praefix))
            continue;
        const Ueberschreibung u = *it;
        if (it->anzahl > 0 && --it->anzahl == 0)
            m_ueberschreibungen.erase(std::next(it).base());
        if (u.ausfuehren) {
            verlieren = u.schweigen;
            nachsatz = u.antwort;
            break;
        }
        if (!u.schweigen)
            Ausgeben(Einschieben(gross, u.antwort), true);
        return;
    }

    if (Pin2Gesperrt) {
        for (const std::string& p : Pin2Befehle) {
            if (Passt(gross, Gross(p))) {
                if (!verlieren)
                    Ausgeben(CmeError(17) + nachsatz, true);
                return;
            }
        }
    }

    const Handler* bester = nullptr;
    std::size_t laenge = 0;
    for (const auto& [praefix, handler] : m_handler) {
        if (Passt(gross, praefix) && (!bester || praefix.size() > laenge)) {
            bester = &handler;
            laenge = praefix.size();
        }
    }
    if (!bester) {
        if (!verlieren)
            Ausgeben(Error() + nachsatz, true);
        return;
    }
    // A copy: the handler may replace itself.
    const Handler handler = *bester;
    Antwort antwort = handler(*this, zeile);
    if (antwort.daten && m_promptVerlieren > 0) {
        --m_promptVerlieren;
        const std::string prompt = Prompt();
        if (antwort.text.size() >= prompt.size() &&
            antwort.text.compare(antwort.text.size() - prompt.size(), prompt.size(), prompt) == 0)
            antwort.text.resize(antwort.text.size() - prompt.size());
    }
    if (!antwort.text.empty() && !verlieren)
        Ausgeben(Einschieben(gross, antwort.text) + nachsatz, true);
    if (antwort.daten) {
        m_datenmodus = true;
        m_lfNachPrompt = true;
        m_daten.clear();
        m_datenHandler = std::move(antwort.daten);
    }
}

std::string SimHandy::Einschieben(const std::string& befehlGross, std::string antwort)
{
    for (auto it = m_einschuebe.begin(); it != m_einschuebe.end(); ++it) {
        if (!Passt(befehlGross, it->praefix))
            continue;
        std::size_t pos = 0;
        if (!it->nach.empty()) {
            // The first line that starts with `nach`, and the end of its CR LF.
            std::size_t zeile = 0;
            while (zeile != std::string::npos && antwort.compare(zeile, it->nach.size(), it->nach) != 0) {
                const std::size_t lf = antwort.find('\n', zeile);
                zeile = lf == std::string::npos ? lf : lf + 1;
            }
            const std::size_t ende = zeile == std::string::npos ? zeile : antwort.find("\r\n", zeile);
            if (ende == std::string::npos)
                return antwort;
            pos = ende + 2;
        }
        antwort.insert(pos, it->bytes);
        if (it->anzahl > 0 && --it->anzahl == 0)
            m_einschuebe.erase(it);
        return antwort;
    }
    return antwort;
}

void SimHandy::Ausgeben(const std::string& bytes, bool antwort)
{
    if (bytes.empty())
        return;
    // Echo of data comes byte by byte; keep it in one write.
    if (!antwort && !m_ausgang.empty() && !m_ausgang.back().antwort && m_ausgang.back().baud == m_baud) {
        m_ausgang.back().bytes += bytes;
        return;
    }
    if (antwort && m_verzoegerung > 0)
        m_beschaeftigtBis = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_verzoegerung);
    if (antwort && m_echoBeschaeftigt) {
        // Held back so that the echo of what comes meanwhile goes out at once.
        auto faellig = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_verzoegerung);
        if (!m_spaeter.empty())
            faellig = std::max(faellig, m_spaeter.back().faellig);
        m_spaeter.push_back({faellig, {bytes, true, 0, m_stueckBytes, m_stueckPause, m_baud}});
        return;
    }
    m_ausgang.push_back({bytes, antwort, m_verzoegerung, m_stueckBytes, m_stueckPause, m_baud});
}

bool SimHandy::Schicken(const Ausgabe& a)
{
    if (a.antwort && a.verzoegerung > 0 && !Schlafen(a.verzoegerung))
        return false;
    const std::size_t stueck = a.antwort && a.stueckBytes > 0 ? a.stueckBytes : a.bytes.size();
    for (std::size_t pos = 0; pos < a.bytes.size(); pos += stueck) {
        if (pos > 0 && a.stueckPause > 0 && !Schlafen(a.stueckPause))
            return false;
        if (!Takt_Schreiben(a.bytes.data() + pos, std::min(stueck, a.bytes.size() - pos), a.baud))
            return false;
    }
    return true;
}

bool SimHandy::Takt_Schreiben(const char* daten, std::size_t laenge, int baud)
{
    if (baud <= 0)
        return Schreiben(daten, laenge);
    // Groups of about 2 ms on the line, each sent when the line would have carried it.
    const std::size_t gruppe = std::max<std::size_t>(1, static_cast<std::size_t>(baud) / 10 / 500);
    const auto anfang = std::chrono::steady_clock::now();
    for (std::size_t pos = 0; pos < laenge; pos += gruppe) {
        const std::size_t n = std::min(gruppe, laenge - pos);
        if (!Schreiben(daten + pos, n))
            return false;
        const auto bits = static_cast<long long>(pos + n) * 10;
        if (!Schlafen_Bis(anfang + std::chrono::microseconds(bits * 1000000 / baud)))
            return false;
    }
    return true;
}

bool SimHandy::Schreiben(const char* daten, std::size_t laenge)
{
    std::lock_guard<std::mutex> lock(m_schreibMutex);
    while (laenge > 0) {
        const ssize_t n = ::write(m_master, daten, laenge);
        if (n > 0) {
            daten += n;
            laenge -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        // The program does not read: wait for room, or for the end.
        pollfd fds[2] = {{m_master, POLLOUT, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return false;
        if (fds[1].revents)
            return false;
    }
    return true;
}

bool SimHandy::Schlafen_Bis(std::chrono::steady_clock::time_point bis)
{
    for (;;) {
        const auto rest = bis - std::chrono::steady_clock::now();
        if (rest <= std::chrono::steady_clock::duration::zero())
            return true;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(rest).count();
        const timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        pollfd stop{m_stopPipe[0], POLLIN, 0};
        const int r = ::ppoll(&stop, 1, &ts, nullptr);
        if (r > 0)
            return false;
        if (r < 0 && errno != EINTR)
            return false;
    }
}

bool SimHandy::Schlafen(int ms)
{
    return Schlafen_Bis(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

}  // namespace sim
