#pragma once
// The main window against the simulated phone: COM1 mapped to the simulator, "ComPort" 1, a
// scripted dialog seam, a recorded program end, and a closer for modal windows.
#include "app/Form9.h"
#include "app/MDIForm1.h"
#include "common/Einstellungen.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/Telefonbuecher.h"
#include "sim/SimHandy.h"
#include "sim/SimNachrichten.h"
#include "support/Attrappen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>

namespace hauptfenster_test {

// Serves window events until `bedingung` holds; false after `ms` milliseconds.
inline bool Warten_Bis(const std::function<bool()>& bedingung, int ms = 3000)
{
    QElapsedTimer uhr;
    uhr.start();
    for (;;) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (bedingung())
            return true;
        if (uhr.elapsed() > ms)
            return false;
        QThread::msleep(2);
    }
}

// Serves window events for `ms` milliseconds.
inline void Laufen_Lassen(int ms)
{
    Warten_Bis([] { return false; }, ms);
}

// Closes every modal window as soon as it is shown and records its object name.
class ModalSchliesser {
public:
    ModalSchliesser()
    {
        m_uhr.setInterval(0);
        QObject::connect(&m_uhr, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            Geschlossen << modal->objectName();
            if (BeimSchliessen)
                BeimSchliessen(modal);
            modal->close();
        });
        m_uhr.start();
    }

    QStringList Geschlossen;
    std::function<void(QWidget*)> BeimSchliessen;  // runs while the window is still open

private:
    QTimer m_uhr;
};

class Umgebung {
public:
    Umgebung()
    {
        QFile::remove(Einstellungen::Datei());
        Link_Zuruecksetzen();
        for (QString& name : Module1::TBuchNamen)
            name.clear();
        if (Form9::Geladen())
            delete Form9::Instanz();
        Handy = std::make_unique<sim::SimHandy>();
        sim::Nachrichten_Anmelden(*Handy);  // the message windows read the phone when they load
        Einstellungen::Speichern(QStringLiteral("Ports"), QStringLiteral("COM1"),
                                 QString::fromStdString(Handy->Geraet()));
        Einstellungen::Speichern(QStringLiteral("Settings"), QStringLiteral("ComPort"), QStringLiteral("1"));
        m_altesEnde = MDIForm1::Programm_Beenden;
        MDIForm1::Programm_Beenden = [this] { ++Beendet; };
    }

    ~Umgebung()
    {
        delete Fenster;
        if (Form9::Geladen())
            delete Form9::Instanz();
        MDIForm1::Programm_Beenden = m_altesEnde;
        Module2::Einstellungen_Fenster_Zeigen = nullptr;
        Link_Zuruecksetzen();
    }

    // Creates the main window and runs its Load.
    bool Starten()
    {
        delete Fenster;
        Fenster = new MDIForm1();
        return Fenster->Laden();
    }

    // The main window's store key in section "Windows", null when it is not stored.
    static QString Fensterwert(const QString& schluessel)
    {
        return Einstellungen::Lesen(QStringLiteral("Windows"), schluessel);
    }

    std::unique_ptr<sim::SimHandy> Handy;
    DialogeSkript Dialoge;
    MDIForm1* Fenster = nullptr;
    int Beendet = 0;

private:
    std::function<void()> m_altesEnde;
};

}  // namespace hauptfenster_test
