#include "sim/SimTelefonbuch.h"
#include "sim/SimText.h"

#include "sim/SimHandy.h"

#include <cctype>
#include <cstdlib>

namespace sim {

namespace {

std::string Eintragszeile(int index, const SimEintrag& e)
{
    return "+CPBR: " + std::to_string(index) + ",\"" + e.Nummer + "\"," + std::to_string(e.Typ) + ",\"" + e.Name +
           "\"";
}

Antwort Fertig(const std::string& text) { return Antwort{text, {}}; }

Antwort CPBS(SimTelefonbuch& t, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    SimBuch& aktuell = t.Buecher[t.Aktuell];
    if (rest == "?" && t.OhneZaehler)
        return Fertig(Zeile("+CPBS: \"" + aktuell.Kennung + "\"") + Ok());
    if (rest == "?")
        return Fertig(Zeile("+CPBS: \"" + aktuell.Kennung + "\"," + std::to_string(aktuell.Eintraege.size()) + "," +
                            std::to_string(aktuell.Gesamt)) +
                      Ok());
    if (rest == "=?")
        return Fertig(Zeile("+CPBS: (\"SM\",\"ME\",\"FD\",\"ON\",\"LD\",\"MC\")") + Ok());
    if (rest.empty() || rest[0] != '=')
        return Fertig(Error());
    const std::string kennung = Gross(Ohne_Anfuehrung(rest.substr(1)));
    for (int i = 0; i < 6; ++i)
        if (t.Buecher[i].Kennung == kennung) {
            t.Aktuell = i;
            return Fertig(Ok());
        }
    return Fertig(CmeError(3));
}

Antwort CPBR(SimTelefonbuch& t, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    const SimBuch& b = t.Buecher[t.Aktuell];
    if (rest == "=?")
        return Fertig(Zeile("+CPBR: (1-" + std::to_string(b.Gesamt) + ")," + std::to_string(b.NummerLaenge) + "," +
                            std::to_string(b.TextLaenge)) +
                      Ok());
    if (rest.empty() || rest[0] != '=')
        return Fertig(Error());
    const std::string bereich = rest.substr(1);
    const std::size_t komma = bereich.find(',');
    int von = 0;
    int bis = 0;
    if (!Zahl(bereich.substr(0, komma), von))
        return Fertig(Error());
    if (komma == std::string::npos)
        bis = von;
    else if (!Zahl(bereich.substr(komma + 1), bis))
        return Fertig(Error());
    if (von < 1 || bis > b.Gesamt || bis < von)
        return Fertig(CmeError(21));
    std::string zwischen = "\r\n";
    for (int i = 0; i < t.Zwischenzeilen; ++i)
        zwischen += i % 2 == 0 ? "\r\n" : "+CSQ: 20,99\r\n";
    std::string zeilen;
    for (auto it = b.Eintraege.lower_bound(von); it != b.Eintraege.end() && it->first <= bis; ++it)
        zeilen += (zeilen.empty() ? "" : zwischen) + Eintragszeile(it->first, it->second);
    if (zeilen.empty() && von == bis) {
        switch (t.LeerIndex) {
        case SimTelefonbuch::Leer::Ok: break;
        case SimTelefonbuch::Leer::NichtGefunden: return Fertig(CmeError(22));
        case SimTelefonbuch::Leer::Fehler: return Fertig(Error());
        case SimTelefonbuch::Leer::AndererEintrag:
            if (!b.Eintraege.empty()) {
                auto anderer = b.Eintraege.upper_bound(von);
                if (anderer == b.Eintraege.end())
                    anderer = b.Eintraege.begin();
                return Fertig(Zeile(Eintragszeile(anderer->first, anderer->second)) + Ok());
            }
            break;
        }
    }
    return Fertig(zeilen.empty() ? Ok() : Zeile(zeilen) + Ok());
}

Antwort CPBW(SimTelefonbuch& t, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    SimBuch& b = t.Buecher[t.Aktuell];
    if (rest == "=?")
        return Fertig(Zeile("+CPBW: (1-" + std::to_string(b.Gesamt) + ")," + std::to_string(b.NummerLaenge) +
                            ",(129,145)," + std::to_string(b.TextLaenge)) +
                      Ok());
    if (rest.empty() || rest[0] != '=')
        return Fertig(Error());
    if (!b.Schreibbar)
        return Fertig(CmeError(21));
    const std::string daten = rest.substr(1);
    const std::size_t komma = daten.find(',');
    int index = 0;
    if (komma == std::string::npos) {
        if (!Zahl(daten, index) || index < 1 || index > b.Gesamt)
            return Fertig(CmeError(21));
        b.Eintraege.erase(index);
        return Fertig(Ok());
    }

    // <index>,"<number>",<type>,"<name>"; without an index the first free one.
    const std::string indexText = daten.substr(0, komma);
    if (indexText.empty()) {
        for (index = 1; index <= b.Gesamt && b.Eintraege.count(index); ++index) {
        }
    } else if (!Zahl(indexText, index)) {
        return Fertig(Error());
    }
    if (index < 1 || index > b.Gesamt)
        return Fertig(CmeError(21));
    std::string felder = daten.substr(komma + 1);
    if (felder.empty() || felder[0] != '"')
        return Fertig(Error());
    const std::size_t nummerEnde = felder.find('"', 1);
    if (nummerEnde == std::string::npos)
        return Fertig(Error());
    SimEintrag e;
    e.Nummer = felder.substr(1, nummerEnde - 1);
    felder = felder.substr(nummerEnde + 1);
    e.Typ = !e.Nummer.empty() && e.Nummer[0] == '+' ? 145 : 129;
    if (!felder.empty()) {
        if (felder[0] != ',')
            return Fertig(Error());
        const std::size_t typEnde = felder.find(',', 1);
        int typ = 0;
        if (!Zahl(felder.substr(1, typEnde == std::string::npos ? std::string::npos : typEnde - 1), typ))
            return Fertig(Error());
        e.Typ = typ;
        if (typEnde != std::string::npos) {
            const std::string name = felder.substr(typEnde + 1);
            const std::size_t letzte = name.rfind('"');
            if (name.empty() || name[0] != '"' || letzte == 0 || letzte == std::string::npos)
                return Fertig(Error());
            e.Name = name.substr(1, letzte - 1);
        }
    }
    if (static_cast<int>(e.Nummer.size()) > b.NummerLaenge)
        return Fertig(CmeError(26));
    if (static_cast<int>(e.Name.size()) > b.TextLaenge)
        return Fertig(CmeError(24));
    b.Eintraege[index] = e;
    return Fertig(Ok());
}

Antwort Waehlen(SimTelefonbuch& t, const std::string& befehl)
{
    std::string nummer = befehl.substr(3);
    if (!nummer.empty() && (std::toupper(static_cast<unsigned char>(nummer[0])) == 'T' ||
                            std::toupper(static_cast<unsigned char>(nummer[0])) == 'P'))
        nummer.erase(0, 1);
    const bool sprache = !nummer.empty() && nummer.back() == ';';
    if (sprache)
        nummer.pop_back();
    // Characters that are no part of a dial string are skipped, as V.250 wants.
    std::string ziffern;
    for (char c : nummer)
        if (std::string(" /-().").find(c) == std::string::npos)
            ziffern += c;
    nummer = ziffern;
    if (nummer.empty())
        return Fertig(Error());
    for (char c : nummer)
        if (!std::isdigit(static_cast<unsigned char>(c)) && std::string("+*#pPwW,").find(c) == std::string::npos)
            return Fertig(Error());
    t.Gewaehlt.push_back(nummer);
    if (!sprache)
        return Fertig(Zeile("NO CARRIER"));
    t.Anruf = nummer;
    return Fertig(Ok());
}

}  // namespace

SimTelefonbuch::SimTelefonbuch()
{
    const struct {
        const char* kennung;
        int gesamt;
        bool schreibbar;
    } buecher[] = {{"SM", 250, true}, {"ME", 100, true}, {"FD", 10, true},
                   {"ON", 3, true},   {"LD", 10, false}, {"MC", 10, false}};
    for (int i = 0; i < 6; ++i) {
        Buecher[i].Kennung = buecher[i].kennung;
        Buecher[i].Gesamt = buecher[i].gesamt;
        Buecher[i].Schreibbar = buecher[i].schreibbar;
    }
}

SimBuch* SimTelefonbuch::Buch(const std::string& kennung)
{
    for (SimBuch& b : Buecher)
        if (b.Kennung == kennung)
            return &b;
    return nullptr;
}

void SimTelefonbuch::Fuellen(const std::string& kennung, int anzahl)
{
    SimBuch* b = Buch(kennung);
    if (!b)
        return;
    for (int i = 1; i <= anzahl; ++i)
        b->Eintraege[i] = SimEintrag{"0301" + std::to_string(i), 129, "Name " + std::to_string(i)};
}

void SimTelefonbuch::Am_Handy_Speichern(const std::string& kennung, int index, const std::string& nummer,
                                        const std::string& name)
{
    if (SimBuch* b = Buch(kennung))
        b->Eintraege[index] = SimEintrag{nummer, !nummer.empty() && nummer[0] == '+' ? 145 : 129, Telefon_Codes(name)};
}

void SimTelefonbuch::Beispiele_Fuellen()
{
    Buch("SM")->Eintraege = {{1, {"+491711234567", 145, "Anna!"}},
                             {2, {"030123456", 129, Telefon_Codes("Müller, Hans")}},
                             {5, {"089555", 129, Telefon_Codes("Büro @ Home")}}};
    Buch("ME")->Eintraege = {{1, {"0221987", 129, Telefon_Codes("Jörg")}}, {2, {"112", 129, "Notruf!"}}};
    Buch("FD")->Eintraege = {{1, {"110", 129, "Polizei"}}};
    Buch("ON")->Eintraege = {{1, {"+491709999", 145, "Eigene"}}};
    Buch("LD")->Eintraege = {{1, {"030123456", 129, Telefon_Codes("Müller, Hans")}}};
    Buch("MC")->Eintraege = {{1, {"0401111", 129, ""}}};
}

std::string Telefon_Codes(const std::string& utf8)
{
    static const struct {
        unsigned char zweites;  // after 0xC3
        char code;
    } umlaute[] = {{0x84, 91}, {0x96, 92}, {0x9C, 94},  {0xA4, 123}, {0xB6, 124}, {0xBC, 126},
                   {0x9F, 30}, {0xA8, 4},  {0xA9, 5},   {0x89, 31},  {0x82, 14},  {0xA2, 15},
                   {0xA0, 127}, {0xAC, 7}, {0xB9, 6}};
    std::string codes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '@') {
            codes += '\0';
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            const unsigned char z = static_cast<unsigned char>(utf8[++i]);
            char code = static_cast<char>(c == 0xC2 ? z : z + 0x40);  // otherwise the Latin-1 byte
            if (c == 0xC3)
                for (const auto& u : umlaute)
                    if (u.zweites == z)
                        code = u.code;
            codes += code;
        } else {
            codes += static_cast<char>(c);
        }
    }
    return codes;
}

std::shared_ptr<SimTelefonbuch> Telefonbuch_Anmelden(SimHandy& handy, bool beispiele)
{
    auto t = std::make_shared<SimTelefonbuch>();
    if (beispiele)
        t->Beispiele_Fuellen();
    handy.Handler_Setzen("AT+CPBS", [t](SimHandy&, const std::string& b) { return CPBS(*t, b); });
    handy.Handler_Setzen("AT+CPBR", [t](SimHandy&, const std::string& b) { return CPBR(*t, b); });
    handy.Handler_Setzen("AT+CPBW", [t](SimHandy&, const std::string& b) { return CPBW(*t, b); });
    handy.Handler_Setzen("ATD", [t](SimHandy&, const std::string& b) { return Waehlen(*t, b); });
    // The bare "AT" the program hangs up with ends a call, and so does "ATH".
    const Handler auflegen = [t](SimHandy&, const std::string&) {
        t->Anruf.clear();
        return Antwort{Ok(), {}};
    };
    handy.Handler_Setzen("AT", auflegen);
    handy.Handler_Setzen("ATH", auflegen);
    return t;
}

}  // namespace sim
