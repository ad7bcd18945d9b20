#pragma once
// What the phone-book tests share: a clean cache, a recording phone list, a display that
// also records the progress bar and every status text, and the scripted set-up of a read.
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/Telefonbuecher.h"
#include "phonebook/TBuchAnsicht.h"
#include "phonebook/TBuchLesen.h"
#include "support/Attrappen.h"

#include <QStringList>
#include <map>
#include <set>
#include <vector>

// The book names the main window sets at start, an empty cache and the options off.
inline void Buecher_Zuruecksetzen()
{
    using namespace Module1;
    const char16_t* namen[] = {u"", u"SIM", u"TELEFON", u"FESTE", u"EIGENE", u"ZULETZT", u"VERSÄUMT"};
    for (int b = 0; b <= TBuchAnzahl; ++b) {
        TBuchNamen[b] = QString::fromUtf16(namen[b]);
        TBuch_Leeren(b);
        TBuchGesamt[b] = TBuchBelegt[b] = TBuchTextLaenge[b] = 0;
        TBuchNummerLaenge[b] = 0;
        TBuchVollstaendig[b] = false;
    }
    TBuchPosition = Lesezaehler = LeseFortschritt = 0;
    LeseLeerlaufGrenze = 5000;
    TBRot = TBFett = false;
}

// Records what the phone-book logic shows in the list and the fill-level frame.
class AnsichtProtokoll : public Module1::TBuchAnsicht {
public:
    AnsichtProtokoll() { Module1::TBuch_Ansicht_Setzen(this); }
    ~AnsichtProtokoll() override { Module1::TBuch_Ansicht_Setzen(nullptr); }

    void Zeile_Anfuegen(const Module1::TBuchZeile& z) override { Zeilen.push_back(z); }
    void Zeilen_Leeren() override { Zeilen.clear(); }
    bool Buch_Gedrueckt(int buch) const override { return Gedrueckt.count(buch) > 0; }
    void Sortierung_Auffrischen() override { ++Sortierungen; }
    void Belegung_Zeigen(int buch, const Module1::Fuellstand& stand) override { Belegung[buch] = stand; }

    std::vector<Module1::TBuchZeile> Zeilen;
    std::set<int> Gedrueckt;
    int Sortierungen = 0;
    std::map<int, Module1::Fuellstand> Belegung;
};

// The display, plus the progress bar and the sequence of status texts.
class LeseAnzeige : public AnzeigeProtokoll {
public:
    void Fortschritt_Setzen(int wert, int maximum) override
    {
        FortschrittWert = wert;
        FortschrittMaximum = maximum;
        if (wert > maximum)
            FortschrittUeberMaximum = true;
    }
    void Panel_Setzen(int panel, const QString& text) override
    {
        AnzeigeProtokoll::Panel_Setzen(panel, text);
        if (panel == 2 && (Status.isEmpty() || Status.last() != text))
            Status << text;
    }

    int FortschrittWert = -1;
    int FortschrittMaximum = -1;
    bool FortschrittUeberMaximum = false;
    QStringList Status;  // each change once
};

// The replies of the set-up for a book, then the transfer in the given chunks.
inline void Lesen_Skripten(PortSkript& port, const QString& kennung, int belegt, int gesamt,
                           const QStringList& transfer, int nummerLaenge = 20, int textLaenge = 18)
{
    port.Bei(QStringLiteral("at+cpbs=\"%1\"").arg(kennung), {QStringLiteral("at+cpbs=\"%1\"\r\r\nOK\r\n").arg(kennung)});
    port.Bei(QStringLiteral("AT+CPBS?"),
             {QStringLiteral("AT+CPBS?\r\r\n+CPBS: \"%1\",%2,%3\r\n\r\nOK\r\n").arg(kennung).arg(belegt).arg(gesamt)});
    port.Bei(QStringLiteral("AT+CPBR=?"), {QStringLiteral("AT+CPBR=?\r\r\n+CPBR: (1-%1),%2,%3\r\n\r\nOK\r\n")
                                               .arg(gesamt)
                                               .arg(nummerLaenge)
                                               .arg(textLaenge)});
    port.Bei(QStringLiteral("AT+CPBR=1,"), transfer);
}

// The phone's reply to "AT+CPBR=1,<gesamt>" with these entry lines, echo included.
inline QString Transfer(int gesamt, const QStringList& zeilen)
{
    return QStringLiteral("AT+CPBR=1,%1\r\r\n").arg(gesamt) + zeilen.join(QStringLiteral("\r\n")) +
           QStringLiteral("\r\n\r\nOK\r\n");
}
