#pragma once
// Fakes of the exchange's seams for unit tests: a scripted port, a recording main-window
// display and scripted dialogs, plus fixtures that install them.
#include "common/Dialoge.h"
#include "link/LinkAnzeige.h"
#include "link/PortKanal.h"

#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace sim {
class SimHandy;
}

// A port whose polls return scripted chunks ("" is an empty poll) and that records what is written.
class PortSkript : public PortKanal {
public:
    QString Input() override;
    void Output(const QString& text) override;
    void OutBuffer_Leeren() override { ++OutBufferLeerungen; }
    bool CommPort_Setzen(int nummer) override;
    int CommPort() const override { return Nummer; }
    bool Settings_Setzen(const QString& settings) override;
    QString Settings() const override { return Einstellung; }
    bool Oeffnen() override;
    void Schliessen() override { Offen = false; }
    bool IstOffen() const override { return Offen; }

    // Chunks for the coming polls.
    void Liefern(const QStringList& chunks);
    // When a write contains `teil`, these chunks are queued (each rule once, in order of definition).
    void Bei(const QString& teil, const QStringList& chunks);

    QString Gesendet;
    int Polls = 0;
    int OutBufferLeerungen = 0;
    int Nummer = 0;
    QString Einstellung = QStringLiteral("19200,n,8,1");
    bool Offen = false;
    bool OeffnenGelingt = true;
    std::function<void()> BeiPoll;  // runs at every poll

private:
    std::deque<QString> m_chunks;
    struct Regel {
        QString teil;
        QStringList chunks;
        bool benutzt = false;
    };
    std::vector<Regel> m_regeln;
};

// Records what the exchange shows.
class AnzeigeProtokoll : public LinkAnzeige {
public:
    void Lampe_Setzen(bool rot) override { LampeRot = rot; }
    void Meter_Maximum_Setzen(int maximum) override { MeterMaximum = maximum; }
    void Meter_Setzen(int wert) override { MeterWert = wert; }
    void Panel_Setzen(int panel, const QString& text) override { Panels[panel] = text; }
    void Sperren(bool gesperrt) override
    {
        Gesperrt = gesperrt;
        ++Sperrwechsel;
    }
    void Log_Geaendert(const QString& log) override { Log = log; }

    bool LampeRot = false;
    int MeterMaximum = 0;
    int MeterWert = -1;
    QMap<int, QString> Panels;
    bool Gesperrt = false;
    int Sperrwechsel = 0;
    QString Log;
};

// The same, with every progress value and every status text in order.
class VerlaufAnzeige : public AnzeigeProtokoll {
public:
    void Fortschritt_Setzen(int wert, int maximum) override
    {
        Werte.push_back(wert);
        Maximum = maximum;
    }
    void Panel_Setzen(int panel, const QString& text) override
    {
        AnzeigeProtokoll::Panel_Setzen(panel, text);
        if (panel == 2)
            Status << text;
    }
    int Wert() const { return Werte.empty() ? -1 : Werte.back(); }
    QString Letzter_Status() const { return Status.isEmpty() ? QString() : Status.last(); }

    std::vector<int> Werte;  // every value set, in order
    int Maximum = -1;
    QStringList Status;  // every status text, in order
};

// Answers dialogs from queues and records every message. Installed while it lives.
class DialogeSkript : public Dialoge {
public:
    struct Meldung_ {
        QString text;
        Symbol symbol;
        Tasten tasten;
        Antwort standard;
        QString titel;
    };

    DialogeSkript();
    ~DialogeSkript() override;

    Antwort Meldung(const QString& text, Symbol symbol, Tasten tasten, Antwort standard, const QString& titel) override;
    std::optional<QString> Eingabe(const QString& prompt, const QString& titel, const QString& vorgabe) override;
    std::optional<QString> Datei_Oeffnen(const Dateiwahl& wahl) override;
    std::optional<QString> Datei_Speichern(const Dateiwahl& wahl) override;

    QStringList Texte() const;  // the texts of all messages so far

    std::deque<Antwort> Antworten;                 // empty: the default button
    // Answers of the input box and the file dialogs; a null QString (or none left) cancels.
    std::deque<QString> Eingaben;
    std::deque<QString> Dateien;
    std::vector<Meldung_> Meldungen;
    QStringList Eingabeprompts;
    std::vector<Dateiwahl> Dateiwahlen;
    std::function<void(const Meldung_&)> BeiMeldung;  // runs while the message "is shown"
    std::function<void(const QString& prompt)> BeiEingabe;  // runs while the input box "is shown"
};

// Installs a scripted port, a recording display and scripted dialogs into the exchange and
// resets its state; restores a clean exchange when it ends.
struct LinkUmgebung {
    LinkUmgebung();
    ~LinkUmgebung();

    PortSkript Port;
    AnzeigeProtokoll Anzeige;
    DialogeSkript Dialoge;
    int Yields = 0;
};

// The same with the real QSerialPort opened on the simulated phone (as COM1).
struct SimUmgebung {
    explicit SimUmgebung(int timeoutFaktor = 300);
    ~SimUmgebung();

    std::unique_ptr<sim::SimHandy> Handy;
    std::unique_ptr<SerialPortKanal> Port;
    AnzeigeProtokoll Anzeige;
    DialogeSkript Dialoge;
};

// Clears the exchange's state and options to what a fresh program has.
void Link_Zuruecksetzen();
