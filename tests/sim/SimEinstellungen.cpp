#include "sim/SimEinstellungen.h"
#include "sim/SimText.h"

#include "sim/SimHandy.h"

#include <cctype>
#include <cstdio>
#include <set>

namespace sim {

namespace {

bool Ziffern(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// The parameters behind "=", split at commas outside quotes.
std::vector<std::string> Parameter(const std::string& befehl)
{
    std::vector<std::string> felder;
    const std::size_t gleich = befehl.find('=');
    if (gleich == std::string::npos)
        return felder;
    std::string feld;
    bool zitat = false;
    for (std::size_t i = gleich + 1; i < befehl.size(); ++i) {
        const char c = befehl[i];
        if (c == '"')
            zitat = !zitat;
        if (c == ',' && !zitat) {
            felder.push_back(feld);
            feld.clear();
        } else {
            feld += c;
        }
    }
    felder.push_back(feld);
    return felder;
}

Antwort Fertig(const std::string& text) { return Antwort{text, {}}; }

// Days since 1970-01-01 of a civil date, and back.
long long Tage_Seit_1970(int jahr, int monat, int tag)
{
    jahr -= monat <= 2;
    const long long era = (jahr >= 0 ? jahr : jahr - 399) / 400;
    const long long yoe = jahr - era * 400;
    const long long doy = (153 * (monat + (monat > 2 ? -3 : 9)) + 2) / 5 + tag - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void Datum_Aus_Tagen(long long tage, int& jahr, int& monat, int& tag)
{
    tage += 719468;
    const long long era = (tage >= 0 ? tage : tage - 146096) / 146097;
    const long long doe = tage - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    tag = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    monat = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    jahr = static_cast<int>(yoe + era * 400 + (monat <= 2));
}

const long long Tag2000 = Tage_Seit_1970(2000, 1, 1);

bool Tage_Im_Monat_Passt(int jahr, int monat, int tag)
{
    static const int tage[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool schalt = (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
    return monat >= 1 && monat <= 12 && tag >= 1 && tag <= tage[monat - 1] + (monat == 2 && schalt);
}

// The language codes of the two families.
const std::set<int>& Sprachcodes(const SimHandy& h)
{
    static const std::set<int> s25{0, 1, 2, 3, 4, 5, 8, 11, 12, 104, 106};
    static const std::set<int> s35{0, 1, 2, 3, 5, 6, 7, 9, 10};
    return h.Modell.find("25") != std::string::npos ? s25 : s35;
}

// The barrings each group facility clears.
std::vector<std::string> Gruppe(const std::string& fac)
{
    if (fac == "AB")
        return {"AO", "OI", "OX", "AI", "IR"};
    if (fac == "AG")
        return {"AO", "OI", "OX"};
    if (fac == "AC")
        return {"AI", "IR"};
    return {};
}

bool Ist_Sperre_Im_Netz(const std::string& fac)
{
    return fac == "AO" || fac == "OI" || fac == "OX" || fac == "AI" || fac == "IR";
}

Antwort CLCK(SimEinstellungen& e, SimHandy& h, const std::string& befehl)
{
    const std::string gross = Gross(befehl);
    if (gross == "AT+CLCK=?")
        return Fertig(Zeile("+CLCK: (\"CS\",\"PS\",\"SC\",\"FD\",\"AO\",\"OI\",\"OX\",\"AI\",\"IR\",\"AB\",\"AG\",\"AC\")") +
                      Ok());
    const std::vector<std::string> p = Parameter(gross);
    int modus = 0;
    if (p.size() < 2 || !Zahl(p[1], modus) || modus > 2)
        return Fertig(CmeError(3));
    const std::string fac = Ohne_Anfuehrung(p[0]);
    const std::string passwort = p.size() > 2 ? Ohne_Anfuehrung(p[2]) : std::string();
    const std::vector<std::string> gruppe = Gruppe(fac);
    if (!gruppe.empty()) {
        // Group facilities only clear (GSM 07.07).
        if (modus != 0)
            return Fertig(CmeError(3));
        if (passwort != e.Sperren["AO"].Passwort)
            return Fertig(CmeError(16));
        for (const std::string& f : gruppe)
            e.Sperren[f].Aktiv = false;
        return Fertig(Ok());
    }
    const auto it = e.Sperren.find(fac);
    if (it == e.Sperren.end())
        return Fertig(CmeError(4));
    SimSperre& sperre = it->second;
    if (modus == 2) {
        if (Ist_Sperre_Im_Netz(fac))
            return Fertig(Zeile(sperre.Aktiv ? "+CLCK: 1,1" : "+CLCK: 0,7") + Ok());
        return Fertig(Zeile(sperre.Aktiv ? "+CLCK: 1" : "+CLCK: 0") + Ok());
    }
    // The fixed-dialling lock is guarded by the PIN2 itself.
    const std::string& richtig = fac == "FD" ? h.Pin2 : sperre.Passwort;
    if (passwort != richtig)
        return Fertig(CmeError(16));
    sperre.Aktiv = modus == 1;
    return Fertig(Ok());
}

Antwort CCFC(SimEinstellungen& e, const std::string& befehl)
{
    const std::vector<std::string> p = Parameter(befehl);
    int grund = 0;
    int modus = 0;
    if (p.size() < 2 || !Zahl(p[0], grund) || grund > 5 || !Zahl(p[1], modus) || modus > 4)
        return Fertig(CmeError(3));
    const std::string nummer = p.size() > 2 ? Ohne_Anfuehrung(p[2]) : std::string();
    int typ = nummer.empty() || nummer[0] != '+' ? 129 : 145;
    if (p.size() > 3 && !p[3].empty() && !Zahl(p[3], typ))
        return Fertig(CmeError(3));
    int klasse = 7;
    if (p.size() > 4 && !p[4].empty() && (!Zahl(p[4], klasse) || klasse < 1 || klasse > 255))
        return Fertig(CmeError(3));
    int zeit = 20;
    if (p.size() > 7 && !p[7].empty() && (!Zahl(p[7], zeit) || zeit < 5 || zeit > 30 || zeit % 5 != 0))
        return Fertig(CmeError(3));

    std::vector<int> gruende;
    if (grund == 4)
        gruende = {0, 1, 2, 3};
    else if (grund == 5)
        gruende = {1, 2, 3};
    else
        gruende = {grund};

    if (modus == 2) {
        if (grund > 3)
            return Fertig(CmeError(3));
        const SimUmleitung& u = e.Umleitungen[grund];
        const int gemeinsam = u.Klassen & klasse;
        if (!u.Aktiv || gemeinsam == 0)
            return Fertig(Zeile("+CCFC: 0," + std::to_string(klasse)) + Ok());
        std::string zeile = "+CCFC: 1," + std::to_string(gemeinsam) + ",\"" + u.Nummer + "\"," + std::to_string(u.Typ);
        if (grund == 2)
            zeile += ",,," + std::to_string(u.Zeit);
        return Fertig(Zeile(zeile) + Ok());
    }
    if (modus == 3) {
        if (nummer.empty() || nummer.find_first_not_of("0123456789+*#") != std::string::npos)
            return Fertig(CmeError(3));
        for (int g : gruende) {
            SimUmleitung& u = e.Umleitungen[g];
            u.Registriert = u.Aktiv = true;
            u.Nummer = nummer;
            u.Typ = typ;
            u.Klassen |= klasse;
            if (g == 2)
                u.Zeit = zeit;
        }
        return Fertig(Ok());
    }
    for (int g : gruende)
        if (modus == 1 && !e.Umleitungen[g].Registriert)
            return Fertig(CmeError(3));
    for (int g : gruende) {
        SimUmleitung& u = e.Umleitungen[g];
        if (modus == 1)
            u.Aktiv = true;
        else if (modus == 0)
            u.Aktiv = false;
        else {  // erase
            u.Klassen &= ~klasse;
            if (u.Klassen == 0)
                u = SimUmleitung{};
        }
    }
    return Fertig(Ok());
}

Antwort SPLR(SimEinstellungen& e, const std::string& befehl)
{
    const int anzahl = static_cast<int>(e.Bevorzugt.size());
    if (Gross(befehl) == "AT^SPLR=?")
        return Fertig(Zeile("^SPLR: (1-" + std::to_string(anzahl) + ")") + Ok());
    const std::vector<std::string> p = Parameter(befehl);
    int von = 0;
    int bis = 0;
    if (p.empty() || p.size() > 2 || !Zahl(p[0], von))
        return Fertig(CmeError(3));
    bis = von;
    if (p.size() == 2 && !Zahl(p[1], bis))
        return Fertig(CmeError(3));
    if (von < 1 || bis > anzahl || von > bis)
        return Fertig(CmeError(21));
    std::string text;
    for (int i = von; i <= bis; ++i) {
        const std::string& code = e.Bevorzugt[static_cast<std::size_t>(i - 1)];
        text += Zeile("^SPLR: " + std::to_string(i) + ",\"" + (code.empty() ? "00000" : code) + "\"");
    }
    return Fertig(text + Ok());
}

Antwort SPLW(SimEinstellungen& e, const std::string& befehl)
{
    const std::vector<std::string> p = Parameter(befehl);
    int platz = 0;
    if (p.empty() || p.size() > 2 || !Zahl(p[0], platz))
        return Fertig(CmeError(3));
    if (platz < 1 || platz > static_cast<int>(e.Bevorzugt.size()))
        return Fertig(CmeError(21));
    std::string code;
    if (p.size() == 2) {
        code = Ohne_Anfuehrung(p[1]);
        if (!Ziffern(code) || code.size() < 5 || code.size() > 6)
            return Fertig(CmeError(3));
    }
    e.Bevorzugt[static_cast<std::size_t>(platz - 1)] = code;
    return Fertig(Ok());
}

Antwort COPS(SimEinstellungen& e, const std::string& befehl)
{
    const std::string gross = Gross(befehl);
    if (gross == "AT+COPS?")
        return Fertig(Zeile(e.Betreiber.empty() ? "+COPS: 0" : "+COPS: 0,0,\"" + e.Betreiber + "\"") + Ok());
    if (gross == "AT+COPS=?") {
        std::string liste = "+COPS: ";
        for (const SimNetz& n : e.InReichweite)
            liste += "(" + std::to_string(n.Status) + ",\"" + n.Langname + "\",\"" + n.Kurzname + "\",\"" + n.Code +
                     "\"),";
        return Fertig(Zeile(liste + ",(0-4),(0,2)") + Ok());
    }
    if (gross.rfind("AT+COPS=", 0) == 0)
        return Fertig(Ok());
    return Fertig(Error());
}

Antwort CREG(SimEinstellungen& e, const std::string& befehl)
{
    const std::string gross = Gross(befehl);
    if (gross == "AT+CREG?") {
        std::string zeile = "+CREG: " + std::to_string(e.CregModus) + "," + std::to_string(e.CregStatus);
        if (e.CregModus == 2 && (e.CregStatus == 1 || e.CregStatus == 5))
            zeile += ",\"" + e.Ortskennung + "\",\"" + e.Zelle + "\"";
        return Fertig(Zeile(zeile) + Ok());
    }
    if (gross == "AT+CREG=?")
        return Fertig(Zeile("+CREG: (0-2)") + Ok());
    const std::vector<std::string> p = Parameter(gross);
    int modus = 0;
    if (p.size() != 1 || !Zahl(p[0], modus) || modus > 2)
        return Fertig(CmeError(3));
    e.CregModus = modus;
    return Fertig(Ok());
}

Antwort SLNG(SimEinstellungen& e, SimHandy& h, const std::string& befehl)
{
    const std::string gross = Gross(befehl);
    if (gross == "AT^SLNG?")
        return Fertig(Zeile("^SLNG: " + std::to_string(e.Sprache)) + Ok());
    if (gross == "AT^SLNG=?") {
        std::string liste;
        for (int code : Sprachcodes(h))
            liste += (liste.empty() ? "" : ",") + std::to_string(code);
        return Fertig(Zeile("^SLNG: (" + liste + ")") + Ok());
    }
    const std::vector<std::string> p = Parameter(gross);
    int code = 0;
    if (p.size() != 1 || !Zahl(p[0], code) || !Sprachcodes(h).count(code))
        return Fertig(CmeError(4));
    e.Sprache = code;
    return Fertig(Ok());
}

Antwort CCLK(SimEinstellungen& e, const std::string& befehl)
{
    const std::string gross = Gross(befehl);
    if (gross == "AT+CCLK?")
        return Fertig(Zeile("+CCLK: \"" + e.Uhr_Lesen() + "\"") + Ok());
    if (gross == "AT+CCLK=?")
        return Fertig(Ok());
    const std::size_t gleich = befehl.find('=');
    if (gleich == std::string::npos || !e.Uhr_Setzen(Ohne_Anfuehrung(befehl.substr(gleich + 1))))
        return Fertig(CmeError(3));
    return Fertig(Ok());
}

// A command that answers one line with a value, and nothing behind the command name.
void Wert_Anmelden(SimHandy& handy, const std::string& befehl, std::shared_ptr<SimEinstellungen> e,
                   std::string SimEinstellungen::*wert)
{
    handy.Handler_Setzen(befehl, [befehl, e, wert](SimHandy&, const std::string& b) {
        if (Gross(b) != befehl)
            return Fertig(Error());
        return Fertig(Zeile((*e).*wert) + Ok());
    });
}

}  // namespace

SimEinstellungen::SimEinstellungen()
{
    Uhr_Setzen("01/03/05,12:34:56");
    Sperren = {{"CS", {false, ""}},     {"PS", {false, "1234"}}, {"SC", {true, "0000"}},
               {"FD", {false, ""}},     {"AO", {false, "0000"}}, {"OI", {false, "0000"}},
               {"OX", {false, "0000"}}, {"AI", {false, "0000"}}, {"IR", {false, "0000"}}};
    Betreiberliste = {{"26201", "Netz A"}, {"26202", "Netz B"}, {"26203", "Netz C"}, {"26207", "Netz D"},
                      {"23205", "Netz X"}, {"23415", "Netz E"}, {"20801", "Netz F"}, {"310260", "Netz U"}};
    Bevorzugt = {"26202", "23415", "", "", "", "", "", ""};
    InReichweite = {{2, "Netz A", "NA", "26201"}, {1, "Netz B", "NB", "26202"}, {3, "Netz D", "ND", "26207"}};
}

bool SimEinstellungen::Uhr_Setzen(const std::string& text)
{
    int jj = 0, mm = 0, tt = 0, h = 0, m = 0, s = 0, n = 0;
    if (std::sscanf(text.c_str(), "%2d/%2d/%2d,%2d:%2d:%2d%n", &jj, &mm, &tt, &h, &m, &s, &n) != 6 || n != 17)
        return false;
    const std::string zone = text.substr(17);
    if (!zone.empty() && !(zone.size() == 3 && (zone[0] == '+' || zone[0] == '-') && Ziffern(zone.substr(1))))
        return false;
    if (!Tage_Im_Monat_Passt(2000 + jj, mm, tt) || h > 23 || m > 59 || s > 59)
        return false;
    m_uhrSekunden = (Tage_Seit_1970(2000 + jj, mm, tt) - Tag2000) * 86400LL + h * 3600 + m * 60 + s;
    m_uhrGestellt = std::chrono::steady_clock::now();
    return true;
}

std::string SimEinstellungen::Uhr_Lesen() const
{
    long long sekunden = m_uhrSekunden;
    if (UhrLaeuft)
        sekunden += std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - m_uhrGestellt)
                        .count();
    int jahr = 0, monat = 0, tag = 0;
    Datum_Aus_Tagen(Tag2000 + sekunden / 86400, jahr, monat, tag);
    const long long rest = sekunden % 86400;
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d,%02lld:%02lld:%02lld", jahr % 100, monat, tag, rest / 3600,
                  rest / 60 % 60, rest % 60);
    return text;
}

std::shared_ptr<SimEinstellungen> Einstellungen_Anmelden(SimHandy& handy)
{
    auto e = std::make_shared<SimEinstellungen>();
    Wert_Anmelden(handy, "AT+CGSN", e, &SimEinstellungen::IMEI);
    handy.Handler_Setzen("AT+CIMI", [e](SimHandy& h, const std::string& b) {
        if (Gross(b) != "AT+CIMI")
            return Fertig(Error());
        return Fertig(h.OhneSim ? CmeError(10) : Zeile(e->IMSI) + Ok());
    });
    Wert_Anmelden(handy, "AT+CGMI", e, &SimEinstellungen::Hersteller);
    Wert_Anmelden(handy, "AT+CGMR", e, &SimEinstellungen::Revision);
    handy.Handler_Setzen("AT+CBC", [e](SimHandy&, const std::string& b) {
        if (Gross(b) != "AT+CBC")
            return Fertig(Error());
        return Fertig(Zeile("+CBC: " + std::to_string(e->Stromquelle) + "," + std::to_string(e->Ladung)) + Ok());
    });
    handy.Handler_Setzen("AT+CSQ", [e](SimHandy&, const std::string& b) {
        if (Gross(b) != "AT+CSQ")
            return Fertig(Error());
        return Fertig(Zeile("+CSQ: " + std::to_string(e->Pegel) + "," + std::to_string(e->Fehlerrate)) + Ok());
    });
    handy.Handler_Setzen("AT+COPS", [e](SimHandy&, const std::string& b) { return COPS(*e, b); });
    handy.Handler_Setzen("AT+CREG", [e](SimHandy&, const std::string& b) { return CREG(*e, b); });
    handy.Handler_Setzen("AT^SLNG", [e](SimHandy& h, const std::string& b) { return SLNG(*e, h, b); });
    handy.Handler_Setzen("AT+CCLK", [e](SimHandy&, const std::string& b) { return CCLK(*e, b); });
    handy.Handler_Setzen("AT+CLCK", [e](SimHandy& h, const std::string& b) { return CLCK(*e, h, b); });
    handy.Handler_Setzen("AT+CCFC", [e](SimHandy&, const std::string& b) { return CCFC(*e, b); });
    handy.Handler_Setzen("AT^SPLM", [e](SimHandy&, const std::string& b) {
        if (Gross(b) == "AT^SPLM=?")
            return Fertig(Ok());
        if (Gross(b) != "AT^SPLM")
            return Fertig(Error());
        std::string text;
        for (const auto& [code, name] : e->Betreiberliste)
            text += Zeile("^SPLM: \"" + code + "\",\"" + name + "\"");
        return Fertig(text + Ok());
    });
    handy.Handler_Setzen("AT^SPLR", [e](SimHandy&, const std::string& b) { return SPLR(*e, b); });
    handy.Handler_Setzen("AT^SPLW", [e](SimHandy&, const std::string& b) { return SPLW(*e, b); });
    return e;
}

}  // namespace sim
