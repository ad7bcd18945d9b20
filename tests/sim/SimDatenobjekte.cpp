#include "sim/SimDatenobjekte.h"
#include "sim/SimText.h"

#include "sim/SimHandy.h"

#include <cctype>
#include <cstdlib>

namespace sim {

namespace {

std::vector<std::string> Felder(const std::string& text)
{
    std::vector<std::string> felder;
    std::size_t anfang = 0;
    for (;;) {
        const std::size_t komma = text.find(',', anfang);
        felder.push_back(text.substr(anfang, komma - anfang));
        if (komma == std::string::npos)
            return felder;
        anfang = komma + 1;
    }
}

bool Bytes_Aus_Hex(const std::string& hex, std::string& bytes)
{
    if (hex.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hoch = Hexwert(hex[i]);
        const int tief = Hexwert(hex[i + 1]);
        if (hoch < 0 || tief < 0)
            return false;
        bytes += static_cast<char>(hoch * 16 + tief);
    }
    return true;
}

Antwort Fertig(const std::string& text) { return Antwort{text, {}}; }

// Type and slot of a command's first two fields; nullptr when either is not the phone's.
SimObjektart* Art_Und_Platz(SimDatenobjekte& d, const std::vector<std::string>& felder, std::string& typ,
                            int& platz)
{
    if (felder.size() < 2 || !Zahl(felder[1], platz))
        return nullptr;
    typ = Klein(Ohne_Anfuehrung(felder[0]));
    SimObjektart* art = d.Art(typ);
    if (!art || platz < art->ErsterPlatz || platz > art->LetzterPlatz)
        return nullptr;
    return art;
}

Antwort SBNR(SimDatenobjekte& d, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    if (rest.empty() || rest[0] != '=')
        return Fertig(Error());
    std::string typ;
    int platz = 0;
    const std::vector<std::string> felder = Felder(rest.substr(1));
    SimObjektart* art = felder.size() == 2 ? Art_Und_Platz(d, felder, typ, platz) : nullptr;
    if (!art)
        return Fertig(CmeError(21));
    const auto objekt = art->Objekte.find(platz);
    if (objekt == art->Objekte.end() || objekt->second.empty())
        return Fertig(Ok());
    const std::string& bytes = objekt->second;
    const std::size_t block = art->LeseBlock > 0 ? art->LeseBlock : bytes.size();
    const std::size_t anzahl = (bytes.size() + block - 1) / block;
    std::string text;
    for (std::size_t k = 0; k < anzahl; ++k) {
        text += "\r\n^SBNR: \"" + typ + "\"," + std::to_string(platz) + "," + std::to_string(k + 1) + "," +
                std::to_string(anzahl) + "\r\n";
        text += Hex(bytes.substr(k * block, block));
    }
    return Fertig(text + Ok());
}

Antwort SBNW(SimDatenobjekte& d, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    if (rest.empty() || rest[0] != '=')
        return Fertig(Error());
    const std::vector<std::string> felder = Felder(rest.substr(1));
    std::string typ;
    int platz = 0;
    SimObjektart* art = Art_Und_Platz(d, felder, typ, platz);
    int block = 0;
    int anzahl = 0;
    const bool loeschen = felder.size() == 3 && felder[2] == "0";
    const bool schreiben = felder.size() == 4 && Zahl(felder[2], block) && Zahl(felder[3], anzahl) &&
                           block >= 1 && block <= anzahl;
    if (!art || (!loeschen && !schreiben)) {
        d.Laufend = {};
        return Fertig(CmeError(21));
    }
    if (loeschen) {
        art->Objekte.erase(platz);
        if (d.Laufend.Typ == typ && d.Laufend.Platz == platz)
            d.Laufend = {};
        return Fertig(Ok());
    }

    SimDatenobjekte::Schreiben& l = d.Laufend;
    if (block == 1) {
        l = {typ, platz, 0, anzahl, {}};
    } else if (l.Typ != typ || l.Platz != platz || l.Anzahl != anzahl || l.Block != block - 1) {
        l = {};
        return Fertig(CmeError(21));
    }
    return Antwort{Prompt(), [&d, art, block](const std::string& daten) {
                       d.Bloecke.push_back(daten);
                       SimDatenobjekte::Schreiben& l = d.Laufend;
                       if (l.Typ.empty() || !Bytes_Aus_Hex(daten, l.Bytes)) {
                           l = {};
                           return Error();
                       }
                       l.Block = block;
                       if (block < l.Anzahl)
                           return Ok();
                       const bool zuGross = art->Hoechstens > 0 && l.Bytes.size() > art->Hoechstens;
                       if (!zuGross)
                           art->Objekte[l.Platz] = l.Bytes;
                       l = {};
                       return zuGross ? CmeError(20) : Ok();
                   }};
}

}  // namespace

SimDatenobjekte::SimDatenobjekte()
{
    SimObjektart termine;
    termine.ErsterPlatz = 1;
    termine.LetzterPlatz = 30;
    Arten["vcs"] = termine;
    SimObjektart einzeln;
    einzeln.LeseBlock = 176;
    Arten["bmp"] = einzeln;
    Arten["mid"] = einzeln;
}

SimObjektart* SimDatenobjekte::Art(const std::string& typ)
{
    const auto it = Arten.find(Klein(typ));
    return it == Arten.end() ? nullptr : &it->second;
}

void SimDatenobjekte::Beispiele_Fuellen()
{
    std::map<int, std::string>& termine = Arten["vcs"].Objekte;
    termine[1] = VCalendar({"CATEGORIES:MEETING", "DALARM:20240315T093000", "DTSTART:20240315T093000",
                            "DESCRIPTION:Besprechung"});
    termine[3] = VCalendar({"CATEGORIES:ANNIVERSARY", "DTSTART:20240704T000000", "RRULE:Y1",
                            "DESCRIPTION:Geburtstag Anna"});
}

std::string VCalendar(const std::vector<std::string>& eigenschaften)
{
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n";
    for (const std::string& e : eigenschaften)
        text += e + "\r\n";
    return text + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

std::string Hex(const std::string& bytes)
{
    static const char ziffern[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += ziffern[b >> 4];
        hex += ziffern[b & 15];
    }
    return hex;
}

std::shared_ptr<SimDatenobjekte> Datenobjekte_Anmelden(SimHandy& handy, bool beispiele)
{
    auto d = std::make_shared<SimDatenobjekte>();
    if (beispiele)
        d->Beispiele_Fuellen();
    handy.Handler_Setzen("AT^SBNR", [d](SimHandy&, const std::string& b) { return SBNR(*d, b); });
    handy.Handler_Setzen("AT^SBNW", [d](SimHandy&, const std::string& b) { return SBNW(*d, b); });
    return d;
}

}  // namespace sim
