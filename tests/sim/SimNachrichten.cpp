#include "sim/SimNachrichten.h"
#include "sim/SimText.h"

#include "sim/SimHandy.h"

#include <cctype>
#include <cstdlib>

namespace sim {

namespace {

Antwort Fertig(const std::string& text) { return Antwort{text, {}}; }

Antwort Liste(SimNachrichten& n, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    int status = 0;
    if (rest.size() < 2 || rest[0] != '=' || !Zahl(rest.substr(1), status) || status > 4)
        return Fertig(CmsError(302));
    std::string zeilen;
    for (auto& [index, nachricht] : n.Nachrichten) {
        if (status != 4 && nachricht.Status != status)
            continue;
        zeilen += (zeilen.empty() ? "" : "\r\n") + std::string("+CMGL: ") + std::to_string(index) + "," +
                  std::to_string(nachricht.Status) + ",," + std::to_string(TPDU_Laenge(nachricht.PDU)) + "\r\n" +
                  nachricht.PDU;
        if (nachricht.Status == 0)
            nachricht.Status = 1;
    }
    return Fertig(zeilen.empty() ? Ok() : Zeile(zeilen) + Ok());
}

Antwort Lesen(SimNachrichten& n, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    int index = 0;
    if (rest.size() < 2 || rest[0] != '=' || !Zahl(rest.substr(1), index) || !n.Nachrichten.count(index))
        return Fertig(CmsError(321));
    SimNachricht& nachricht = n.Nachrichten[index];
    const std::string kopf = "+CMGR: " + std::to_string(nachricht.Status) + ",," +
                             std::to_string(TPDU_Laenge(nachricht.PDU));
    if (nachricht.Status == 0)
        nachricht.Status = 1;
    return Fertig(Zeile(kopf + "\r\n" + nachricht.PDU) + Ok());
}

Antwort Speicherstand(const SimNachrichten& n)
{
    const std::string feld = "\"" + n.Speicher + "\"," + std::to_string(n.Nachrichten.size()) + "," +
                             std::to_string(n.Gesamt);
    return Fertig(Zeile("+CPMS: " + feld + "," + feld + "," + feld) + Ok());
}

// "AT+CMGS=<n>" and "AT+CMGW=<n>[,<stat>]": the octet count, or -1.
int Oktettzahl(const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    if (rest.empty() || rest[0] != '=')
        return -1;
    const std::string daten = rest.substr(1);
    int n = 0;
    return Zahl(daten.substr(0, daten.find(',')), n) ? n : -1;
}

Antwort Senden(const std::shared_ptr<SimNachrichten>& n, const std::string& befehl)
{
    const int oktette = Oktettzahl(befehl);
    if (oktette < 1)
        return Fertig(CmsError(304));
    return Antwort{Prompt(), [n, oktette](const std::string& pdu) {
                       if (TPDU_Laenge(pdu) != oktette)
                           return CmsError(304);
                       n->Gesendet.push_back(pdu);
                       const int referenz = n->NaechsteReferenz;
                       n->NaechsteReferenz = n->NaechsteReferenz % 255 + 1;
                       return Zeile("+CMGS: " + std::to_string(referenz)) + Ok();
                   }};
}

Antwort Schreiben(const std::shared_ptr<SimNachrichten>& n, const std::string& befehl)
{
    const int oktette = Oktettzahl(befehl);
    if (oktette < 1)
        return Fertig(CmsError(304));
    return Antwort{Prompt(), [n, oktette](const std::string& pdu) {
                       if (TPDU_Laenge(pdu) != oktette)
                           return CmsError(304);
                       for (int index = 1; index <= n->Gesamt; ++index)
                           if (!n->Nachrichten.count(index)) {
                               n->Nachrichten[index] = SimNachricht{2, pdu};
                               return Zeile("+CMGW: " + std::to_string(index)) + Ok();
                           }
                       return CmsError(322);
                   }};
}

Antwort Loeschen(SimNachrichten& n, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    int index = 0;
    if (rest.size() < 2 || rest[0] != '=' || !Zahl(rest.substr(1), index) || !n.Nachrichten.count(index))
        return Fertig(CmsError(321));
    n.Nachrichten.erase(index);
    return Fertig(Ok());
}

Antwort Zentrale(SimNachrichten& n, const std::string& befehl)
{
    const std::string rest = befehl.substr(7);
    if (rest == "?") {
        if (n.Zentrale.empty())
            return Fertig(Zeile("+CSCA: EMPTY") + Ok());
        return Fertig(Zeile("+CSCA: \"" + n.Zentrale + "\"," + std::to_string(n.ZentraleTyp)) + Ok());
    }
    if (rest.size() < 2 || rest[0] != '=')
        return Fertig(Error());
    std::string nummer = rest.substr(1);
    int typ = 0;
    const std::size_t komma = nummer.find(',');
    if (komma != std::string::npos) {
        if (!Zahl(nummer.substr(komma + 1), typ))
            return Fertig(Error());
        nummer = nummer.substr(0, komma);
    }
    if (nummer.size() >= 2 && nummer.front() == '"' && nummer.back() == '"')
        nummer = nummer.substr(1, nummer.size() - 2);
    if (nummer.empty())
        return Fertig(Error());
    for (char c : nummer)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '+')
            return Fertig(Error());
    n.Zentrale = nummer;
    n.ZentraleTyp = typ ? typ : (nummer[0] == '+' ? 145 : 129);
    return Fertig(Ok());
}

}  // namespace

int TPDU_Laenge(const std::string& pdu)
{
    if (pdu.empty() || pdu.size() % 2 != 0)
        return -1;
    for (char c : pdu)
        if (Hexwert(c) < 0)
            return -1;
    const int alle = static_cast<int>(pdu.size() / 2);
    const int zentrale = 1 + Hexwert(pdu[0]) * 16 + Hexwert(pdu[1]);
    return alle > zentrale ? alle - zentrale : -1;
}

void SimNachrichten::Beispiele_Fuellen()
{
    // hellohello from +49171234567 on 01.02.03 12:34:56, once read, once unread
    const std::string hallo = "0791947101670000040B919471214365F70000302010214365400AE8329BFD4697D9EC37";
    Nachrichten = {
        {1, {1, hallo}},
        {2, {0, "0791947101670000040B919471214365F7000030201021436540085079393D07D500"}},  // "Preis 5@"
        {3, {0, "0791947101670000062A0B919471214365F7302010214365403020102153804000"}},    // status report
        {4, {3, "079194710167000011050B919471214365F70000FF08D4F29C0E028140"}},             // sent "Test"
        {5, {2, "00110000810000FF05C8309BFD06"}},                                        // unsent "Hallo"
    };
}

std::shared_ptr<SimNachrichten> Nachrichten_Anmelden(SimHandy& handy, bool beispiele)
{
    auto n = std::make_shared<SimNachrichten>();
    if (beispiele)
        n->Beispiele_Fuellen();
    handy.Handler_Setzen("AT+CMGL", [n](SimHandy&, const std::string& b) { return Liste(*n, b); });
    handy.Handler_Setzen("AT+CMGR", [n](SimHandy&, const std::string& b) { return Lesen(*n, b); });
    handy.Handler_Setzen("AT+CPMS?", [n](SimHandy&, const std::string&) { return Speicherstand(*n); });
    handy.Handler_Setzen("AT+CMGS", [n](SimHandy&, const std::string& b) { return Senden(n, b); });
    handy.Handler_Setzen("AT+CMGW", [n](SimHandy&, const std::string& b) { return Schreiben(n, b); });
    handy.Handler_Setzen("AT+CMGD", [n](SimHandy&, const std::string& b) { return Loeschen(*n, b); });
    handy.Handler_Setzen("AT+CSCA", [n](SimHandy&, const std::string& b) { return Zentrale(*n, b); });
    return n;
}

}  // namespace sim
