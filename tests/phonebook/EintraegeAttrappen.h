#pragma once
// A phone list for the entry logic without the window: the reader's view drawn into a plain
// QTreeWidget, and a fixture that installs it with the scripted port.
#include "common/Zeichen.h"
#include "link/Handytyp.h"
#include "link/Module2.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Eintraege.h"
#include "phonebook/TBuchAnsicht.h"
#include "phonebook/TBuchLesen.h"
#include "support/Attrappen.h"

#include <QTreeWidget>
#include <array>
#include <tuple>
#include <vector>

// Rows as the window draws them: Ort, Index, Name, Rufnummer, marker; appended in cache order.
class BaumAnsicht : public Module1::TBuchAnsicht {
public:
    BaumAnsicht()
    {
        Baum.setColumnCount(5);
        Baum.setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    void Zeile_Anfuegen(const Module1::TBuchZeile& z) override
    {
        static const char* const orte[] = {"", "SIM", "TELEFON", "FESTE", "EIGENE", "ZULETZT", "VERSÄUMT"};
        auto* item = new QTreeWidgetItem(&Baum);
        item->setText(0, QString::fromUtf8(orte[z.Buch]));
        item->setText(1, z.Index);
        item->setText(2, z.Name);
        item->setText(3, z.Nummer);
        item->setText(4, z.Merker);
    }
    void Zeilen_Leeren() override
    {
        Baum.clear();
        ++Leerungen;
    }
    bool Buch_Gedrueckt(int buch) const override { return Gedrueckt[buch]; }
    void Sortierung_Auffrischen() override { ++Sortierungen; }
    void Belegung_Zeigen(int buch, const Module1::Fuellstand& stand) override { Belegung[buch] = stand.Text; }

    QTreeWidget Baum;
    std::array<bool, 7> Gedrueckt{false, true, true, true, true, true, true};
    int Leerungen = 0;
    int Sortierungen = 0;
    std::array<QString, 7> Belegung;
};

using Eintrag = std::tuple<const char*, const char*, const char*, const char*>;  // index, name, number, marker

// Empties the cache and the entry state of the program.
inline void Eintraege_Zuruecksetzen()
{
    using namespace Module1;
    for (int b = 1; b <= TBuchAnzahl; ++b) {
        TBuch_Leeren(b);
        TBuchGesamt[b] = 0;
        TBuchBelegt[b] = 0;
        TBuchNummerLaenge[b] = 0;
        TBuchTextLaenge[b] = 0;
    }
    EintragEingabe = {};
    MarkierteZeile = 0;
    AktuellesTBuch = 0;
    SuchText.clear();
    SuchPos = 0;
    SuchTextLokal.clear();
    SuchPosLokal = 0;
    LoeschenRueckfrage = true;
    TBRot = false;
    TBFett = false;
}

// A book read completely with these entries.
inline void Buch_Fuellen(int buch, const std::vector<Eintrag>& eintraege, int gesamt, int nummer = 20,
                         int text = 18)
{
    using namespace Module1;
    TBuch_Leeren(buch);
    int slot = 0;
    for (const auto& [index, name, num, merker] : eintraege) {
        ++slot;
        TBuchDaten[buch][slot][1] = QString::fromUtf8(index);
        TBuchDaten[buch][slot][2] = QString::fromUtf8(name);
        TBuchDaten[buch][slot][3] = QString::fromUtf8(num);
        TBuchDaten[buch][slot][4] = QString::fromUtf8(merker);
    }
    TBuchGesamt[buch] = gesamt;
    TBuchBelegt[buch] = slot;
    TBuchNummerLaenge[buch] = nummer;
    TBuchTextLaenge[buch] = text;
    TBuchVollstaendig[buch] = true;
}

// The index fields of a book's slots up to the first free one.
inline QStringList Indexe(int buch)
{
    QStringList l;
    for (int s = 1; s <= Module1::TBuchPlaetze && !Module1::TBuchDaten[buch][s][1].isEmpty(); ++s)
        l << Module1::TBuchDaten[buch][s][1];
    return l;
}

// The scripted port, the phone list and a clean cache; the phone model is known ("25").
struct EintragUmgebung {
    EintragUmgebung()
    {
        Eintraege_Zuruecksetzen();
        Module1::Handytyp = QStringLiteral("25");
        Module1::TBuch_Ansicht_Setzen(&Ansicht);
        Module1::Fenster().Liste = &Zeilen;
        Module1::Fenster().Eintrag_Dialog = [this] {
            ++Dialoge_Gezeigt;
            if (Dialog)
                Dialog();
        };
    }
    ~EintragUmgebung()
    {
        Module1::TBuch_Ansicht_Setzen(nullptr);
        Module1::Fenster() = {};
        Eintraege_Zuruecksetzen();
    }

    // Answers the next command containing `teil` with OK (or with `antwort`).
    void Ok_Bei(const QString& teil, const QString& antwort = QStringLiteral("\r\nOK\r\n"))
    {
        u.Port.Bei(teil, {antwort});
    }
    // ERROR, and the phone needs no PIN2 (the exchange then shows its own messages).
    void Fehler_Bei(const QString& teil)
    {
        u.Port.Bei(teil, {QStringLiteral("\r\nERROR\r\n")});
        u.Port.Bei(QStringLiteral("AT+CPIN?"), {QStringLiteral("\r\n+CPIN: READY\r\n\r\nOK\r\n")});
    }
    // The read of an index of the book answered with the entry the cache holds there: the phone
    // holds what the list shows.
    void Wie_Gezeigt_Bei(int buch, int index)
    {
        using namespace Module1;
        const QString* feld = TBuchDaten[buch][Index_Platz(buch, index)];
        QString name = feld[2] + feld[4];
        Zeichen_Wandeln(name);
        Ok_Bei(QStringLiteral("AT+CPBR=%1\r").arg(index),
               QStringLiteral("\r\n+CPBR: %1,\"%2\",%3,\"%4\"\r\n\r\nOK\r\n")
                   .arg(index)
                   .arg(feld[3], Nummerntyp(feld[3]), name));
    }
    void Zaehlen_Bei(const char* kennung, int belegt, int gesamt)
    {
        u.Port.Bei(QStringLiteral("AT+CPBS?"),
                   {QStringLiteral("\r\n+CPBS: \"%1\",%2,%3\r\n\r\nOK\r\n").arg(QLatin1String(kennung)).arg(belegt).arg(gesamt)});
    }
    // The list as the window would show it now.
    void Liste_Zeigen() { Module1::Liste_Laden(); }
    QString Zelle(int zeile, int spalte) const { return Zeilen.Zelle(zeile, spalte); }

    LinkUmgebung u;
    BaumAnsicht Ansicht;
    Module1::BaumZeilen Zeilen{&Ansicht.Baum};
    std::function<void()> Dialog;  // plays the entry dialog: sets the record
    int Dialoge_Gezeigt = 0;
};
