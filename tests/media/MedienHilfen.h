#pragma once
// Shared pieces of the picture and ring-tone tests: the simulated phone with its data objects
// and ring settings behind the real port, a display that records the progress bar and the
// status texts, a recording MIDI device, and files made by the tests.
#include "common/Einstellungen.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "media/Form14.h"
#include "media/Form15.h"
#include "media/Form22.h"
#include "media/MidiVorschau.h"
#include "sim/SimDatenobjekte.h"
#include "sim/SimHandy.h"
#include "sim/SimKlingel.h"
#include "support/Attrappen.h"
#include "support/Testdateien.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

namespace medien_test {

using Protokollanzeige = VerlaufAnzeige;

// Records what the windows ask of the MIDI device instead of playing.
class MidiProtokoll : public MidiGeraet {
public:
    MidiProtokoll() { Midi_Geraet_Setzen(this); }
    ~MidiProtokoll() override { Midi_Geraet_Setzen(nullptr); }
    bool Oeffnen(const QString& pfad) override
    {
        Befehle << QStringLiteral("open ") + pfad;
        return true;
    }
    void Abspielen() override { Befehle << QStringLiteral("play"); }
    void Schliessen() override { Befehle << QStringLiteral("close"); }

    QStringList Befehle;
};

inline void Fenster_Schliessen()
{
    if (Form14::Geladen())
        delete Form14::Instanz();
    if (Form15::Geladen())
        delete Form15::Instanz();
    if (Form22::Geladen())
        delete Form22::Instanz();
}

// The phone (model "S35" unless a test changes it) with its logo, melody and ring settings.
struct MedienSim {
    explicit MedienSim(const std::string& modell = "S35")
    {
        Fenster_Schliessen();
        QFile::remove(Einstellungen::Datei());
        Module1::LoeschenRueckfrage = true;
        objekte = sim::Datenobjekte_Anmelden(*u.Handy);
        klingel = sim::Klingel_Anmelden(*u.Handy);
        u.Handy->Mit_Zustand([&](sim::SimHandy& h) { h.Modell = modell; });
        Module1::Link().Anzeige = &anzeige;
    }
    ~MedienSim()
    {
        Fenster_Schliessen();
        Module1::LoeschenRueckfrage = true;
    }

    // The bytes the phone received since the last Vergessen.
    QByteArray Empfangen() const { return QByteArray::fromStdString(u.Handy->Empfangen()); }
    void Vergessen()
    {
        u.Handy->Empfangen_Loeschen();
        anzeige.Werte.clear();
        anzeige.Status.clear();
        anzeige.Maximum = -1;
    }

    void Objekt_Setzen(const char* typ, const QByteArray& bytes)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { objekte->Art(typ)->Objekte[0] = bytes.toStdString(); });
    }
    QByteArray Objekt(const char* typ)
    {
        return u.Handy->Mit_Zustand([&](sim::SimHandy&) {
            const auto& o = objekte->Art(typ)->Objekte;
            const auto it = o.find(0);
            return it == o.end() ? QByteArray() : QByteArray::fromStdString(it->second);
        });
    }
    sim::SimKlingel Klingel()
    {
        return u.Handy->Mit_Zustand([&](sim::SimHandy&) { return *klingel; });
    }

    SimUmgebung u;
    std::shared_ptr<sim::SimDatenobjekte> objekte;
    std::shared_ptr<sim::SimKlingel> klingel;
    Protokollanzeige anzeige;
};

inline QImage Einfarbig(int breite, int hoehe, QRgb farbe)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(farbe);
    return bild;
}

// The white 105 x 47 black-and-white logo as our writer and the phone have it: 814 bytes.
inline QByteArray Weisses_Logo()
{
    QByteArray d = QByteArray::fromHex("424D2E03000000000000" "3E000000" "28000000" "69000000" "2F000000" "0100"
                                       "0100" "00000000" "F0020000") +
                   QByteArray(16, '\0') + QByteArray::fromHex("00000000" "FFFFFF00");
    for (int i = 0; i < 47; ++i)
        d += QByteArray::fromHex("FFFFFFFFFFFFFFFFFFFFFFFFFF800000");
    return d;
}

// What the phone receives for an object of these bytes: announcement and block per 176 bytes.
inline QByteArray Hochladung(const char* typ, const QByteArray& bytes)
{
    const int n = int((bytes.size() + 175) / 176);
    QByteArray erwartet;
    for (int k = 1; k <= n; ++k)
        erwartet += QStringLiteral("AT^SBNW=%1,0,%2,%3\r\n").arg(QLatin1String(typ)).arg(k).arg(n).toLatin1() +
                    bytes.mid((k - 1) * 176, 176).toHex().toUpper() + "\x1A";
    return erwartet;
}

// A read reply in the phone's layout: echo, then per block a header line and the digits, then OK.
inline QString Leseantwort(const char* typ, const QList<QByteArray>& bloecke)
{
    QString text = QStringLiteral("AT^SBNR=%1,0\r").arg(QLatin1String(typ));
    for (int k = 0; k < bloecke.size(); ++k)
        text += QStringLiteral("\r\n^SBNR: \"%1\",0,%2,%3\r\n").arg(QLatin1String(typ)).arg(k + 1).arg(bloecke.size()) +
                QString::fromLatin1(bloecke[k].toHex().toUpper());
    return text + QStringLiteral("\r\nOK\r\n");
}

// Serves the window system until nothing is pending (for deferred deletes).
inline void Abarbeiten()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace medien_test
