#include "sim/SimKlingel.h"

#include "sim/SimHandy.h"

#include <cctype>
#include <optional>

namespace sim {
namespace {

// A decimal number of one to three digits, nothing else.
std::optional<int> Zahl(const std::string& text)
{
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
    return std::stoi(text);
}

Antwort SRTC(SimKlingel& k, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    if (rest.empty()) {
        k.Spielt = !k.Spielt;
        return {Ok(), {}};
    }
    if (rest == "?")
        return {Zeile("^SRTC: " + std::to_string(k.Typ) + "," + std::to_string(k.Lautstaerke) + "," +
                      (k.Spielt ? "1" : "0")) +
                    Ok(),
                {}};
    if (rest == "=?")
        return {Zeile("^SRTC: (0-42),(0-4),(0,1)") + Ok(), {}};
    if (rest[0] != '=')
        return {Error(), {}};
    const std::string werte = rest.substr(1);
    const std::size_t komma = werte.find(',');
    const std::string typText = werte.substr(0, komma);
    const std::string lautText = komma == std::string::npos ? std::string() : werte.substr(komma + 1);
    std::optional<int> typ, laut;
    if (!typText.empty() && (!(typ = Zahl(typText)) || *typ > 42))
        return {CmeError(4), {}};
    if (komma != std::string::npos && (!(laut = Zahl(lautText)) || *laut > 4))
        return {CmeError(4), {}};
    if (!typ && !laut)
        return {CmeError(4), {}};
    if (typ) {
        k.Typ = *typ;
        ++k.Abgespielt;
    }
    if (laut)
        k.Lautstaerke = *laut;
    return {Ok(), {}};
}

// "AT+CVIB" and "AT+CALM": a query or one value up to `hoechstens`.
Antwort Einzelwert(int& wert, int hoechstens, const std::string& name, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    if (rest == "?")
        return {Zeile("+" + name + ": " + std::to_string(wert)) + Ok(), {}};
    if (rest == "=?")
        return {Zeile("+" + name + ": (0-" + std::to_string(hoechstens) + ")") + Ok(), {}};
    const std::optional<int> neu = rest.size() > 1 && rest[0] == '=' ? Zahl(rest.substr(1)) : std::nullopt;
    if (!neu || *neu > hoechstens)
        return {CmeError(4), {}};
    wert = *neu;
    return {Ok(), {}};
}

}  // namespace

std::shared_ptr<SimKlingel> Klingel_Anmelden(SimHandy& handy)
{
    auto k = std::make_shared<SimKlingel>();
    handy.Handler_Setzen("AT^SRTC", [k](SimHandy&, const std::string& b) { return SRTC(*k, b); });
    handy.Handler_Setzen("AT+CVIB",
                         [k](SimHandy&, const std::string& b) { return Einzelwert(k->Vibration, 1, "CVIB", b); });
    handy.Handler_Setzen("AT+CALM",
                         [k](SimHandy&, const std::string& b) { return Einzelwert(k->Alarm, 2, "CALM", b); });
    return k;
}

}  // namespace sim
