#include "support/Attrappen.h"

#include "common/Einstellungen.h"
#include "link/Handytyp.h"
#include "link/Module1.h"
#include "sim/SimHandy.h"

#include <QCoreApplication>

QString PortSkript::Input()
{
    ++Polls;
    if (BeiPoll)
        BeiPoll();
    if (m_chunks.empty())
        return QString();
    QString chunk = m_chunks.front();
    m_chunks.pop_front();
    return chunk;
}

void PortSkript::Output(const QString& text)
{
    Gesendet += text;
    for (Regel& r : m_regeln)
        if (!r.benutzt && text.contains(r.teil)) {
            r.benutzt = true;
            Liefern(r.chunks);
            break;
        }
}

bool PortSkript::CommPort_Setzen(int nummer)
{
    if (nummer < 1 || nummer > 255)
        return false;
    Nummer = nummer;
    return true;
}

bool PortSkript::Settings_Setzen(const QString& settings)
{
    if (!Settings_Zerlegen(settings))
        return false;
    Einstellung = settings;
    return true;
}

bool PortSkript::Oeffnen()
{
    Offen = OeffnenGelingt && Nummer > 0;
    return Offen;
}

void PortSkript::Liefern(const QStringList& chunks)
{
    for (const QString& c : chunks)
        m_chunks.push_back(c);
}

void PortSkript::Bei(const QString& teil, const QStringList& chunks) { m_regeln.push_back({teil, chunks}); }

DialogeSkript::DialogeSkript() { Dialoge::Setzen(this); }

DialogeSkript::~DialogeSkript() { Dialoge::Setzen(nullptr); }

Dialoge::Antwort DialogeSkript::Meldung(const QString& text, Symbol symbol, Tasten tasten, Antwort standard,
                                        const QString& titel)
{
    Meldungen.push_back({text, symbol, tasten, standard, titel});
    if (BeiMeldung)
        BeiMeldung(Meldungen.back());
    if (Antworten.empty())
        return standard;
    const Antwort a = Antworten.front();
    Antworten.pop_front();
    return a;
}

namespace {
std::optional<QString> Nehmen(std::deque<QString>& antworten)
{
    if (antworten.empty())
        return std::nullopt;
    const QString a = antworten.front();
    antworten.pop_front();
    if (a.isNull())
        return std::nullopt;
    return a;
}
}  // namespace

std::optional<QString> DialogeSkript::Eingabe(const QString& prompt, const QString&, const QString&)
{
    Eingabeprompts << prompt;
    if (BeiEingabe)
        BeiEingabe(prompt);
    return Nehmen(Eingaben);
}

std::optional<QString> DialogeSkript::Datei_Oeffnen(const Dateiwahl& wahl)
{
    Dateiwahlen.push_back(wahl);
    return Nehmen(Dateien);
}

std::optional<QString> DialogeSkript::Datei_Speichern(const Dateiwahl& wahl) { return Datei_Oeffnen(wahl); }

QStringList DialogeSkript::Texte() const
{
    QStringList texte;
    for (const auto& m : Meldungen)
        texte << m.text;
    return texte;
}

void Link_Zuruecksetzen()
{
    Module1::Verbindung& L = Module1::Link();
    L.Port = nullptr;
    L.Anzeige = nullptr;
    L.Abarbeiten = nullptr;
    L.Argumente.clear();
    L.Text1.clear();
    L.Text2.clear();
    L.Vorlauf.clear();
    L.Belegt = false;
    L.Abgelehnt = false;
    L.Uhr = nullptr;
    Module1::Neu_Verbunden();
    Module1::TimeoutFaktor = 7500;
    Module1::LetzterBefehl.clear();
    Module1::Handytyp.clear();
}

LinkUmgebung::LinkUmgebung()
{
    Link_Zuruecksetzen();
    Module1::Verbindung& L = Module1::Link();
    L.Port = &Port;
    L.Anzeige = &Anzeige;
    L.Abarbeiten = [this] { ++Yields; };
    // Each poll of the scripted port is a millisecond to the waits.
    L.Uhr = [this] { return qint64(Port.Polls); };
    Module1::TimeoutFaktor = 1000;
}

LinkUmgebung::~LinkUmgebung() { Link_Zuruecksetzen(); }

SimUmgebung::SimUmgebung(int timeoutFaktor)
    : Handy(std::make_unique<sim::SimHandy>()), Port(std::make_unique<SerialPortKanal>())
{
    Link_Zuruecksetzen();
    Einstellungen::Speichern(QStringLiteral("Ports"), QStringLiteral("COM1"), QString::fromStdString(Handy->Geraet()));
    Port->CommPort_Setzen(1);
    Port->Oeffnen();
    Module1::Verbindung& L = Module1::Link();
    L.Port = Port.get();
    L.Anzeige = &Anzeige;
    L.Abarbeiten = [] { QCoreApplication::processEvents(); };
    Module1::TimeoutFaktor = timeoutFaktor;
}

SimUmgebung::~SimUmgebung()
{
    Link_Zuruecksetzen();
    Port->Schliessen();
}
