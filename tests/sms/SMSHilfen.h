#pragma once
// What the message-window tests share: a fresh store and program folder, the simulated phone
// with its message storage, a display that records every status text, and the windows torn
// down after each test.
#include "common/Einstellungen.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/Telefonbuecher.h"
#include "sim/SimHandy.h"
#include "sim/SimNachrichten.h"
#include "sms/Form27.h"
#include "sms/Form5.h"
#include "sms/Form6.h"
#include "support/Attrappen.h"
#include "support/Testdateien.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

// The status texts in the order they were shown.
class StatusAnzeige : public AnzeigeProtokoll {
public:
    void Panel_Setzen(int panel, const QString& text) override
    {
        AnzeigeProtokoll::Panel_Setzen(panel, text);
        if (panel == 2)
            Status << text;
    }
    QStringList Status;
};

inline void Datei_Schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

inline void Fenster_Schliessen()
{
    if (Form5::Geladen())
        delete Form5::Instanz();
    if (Form6::Geladen())
        delete Form6::Instanz();
    if (Form27::Geladen())
        delete Form27::Instanz();
}

// A fresh program: no store, no message files, the options as the loader sets them by default,
// an empty phone-book cache.
struct FrischesProgramm {
    FrischesProgramm()
    {
        Fenster_Schliessen();
        QFile::remove(Einstellungen::Datei());
        QDir().mkpath(Programmordner());
        for (const char* name : {"smsscnr.snr", "smsready.sms", "SMSLOG.TXT", "sms.log"}) {
            QFile::remove(Programmdatei(QLatin1String(name)));
            QDir(Programmdatei(QLatin1String(name))).removeRecursively();  // a test's unwritable stand-in
        }
        Module1::LoeschenRueckfrage = true;
        Module1::SMSAutoLog = true;
        Module1::SMSLogDatei = Programmdatei(QStringLiteral("sms.log"));
        Module1::SMSAbsenderDatei.clear();
        for (int b = 0; b <= Module1::TBuchAnzahl; ++b)
            Module1::TBuch_Leeren(b);
    }
    ~FrischesProgramm() { Fenster_Schliessen(); }
};

// The simulated phone with the message commands, the exchange on it, and the windows closed.
class SMSSim : public ::testing::Test {
protected:
    SMSSim() : n(sim::Nachrichten_Anmelden(*u.Handy)) { Module1::Link().Anzeige = &anzeige; }

    void Nachrichten(std::map<int, sim::SimNachricht> nachrichten)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { n->Nachrichten = std::move(nachrichten); });
    }
    // Forgets what the phone received so far.
    void Vergessen()
    {
        u.Handy->Empfangen_Loeschen();
        anzeige.Status.clear();
        u.Dialoge.Meldungen.clear();
    }
    std::string Empfangen() const { return u.Handy->Empfangen(); }

    FrischesProgramm frisch;
    SimUmgebung u;
    std::shared_ptr<sim::SimNachrichten> n;
    StatusAnzeige anzeige;
};
