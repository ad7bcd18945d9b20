#pragma once
#include "link/PortKanal.h"

// Passes everything on to the real port and counts the characters in both directions, so a
// benchmark can set its time against the time the line needs for them.
class ZaehlPort : public PortKanal {
public:
    explicit ZaehlPort(PortKanal& port) : m_port(port) {}
    QString Input() override
    {
        const QString s = m_port.Input();
        Empfangen += s.size();
        return s;
    }
    void Output(const QString& text) override
    {
        Gesendet += text.size();
        m_port.Output(text);
    }
    void OutBuffer_Leeren() override { m_port.OutBuffer_Leeren(); }
    void Ausgabe_Abwarten() override { m_port.Ausgabe_Abwarten(); }
    void Ausgabe_Beantwortet() override { m_port.Ausgabe_Beantwortet(); }
    bool CommPort_Setzen(int nummer) override { return m_port.CommPort_Setzen(nummer); }
    int CommPort() const override { return m_port.CommPort(); }
    bool Settings_Setzen(const QString& settings) override { return m_port.Settings_Setzen(settings); }
    QString Settings() const override { return m_port.Settings(); }
    bool Oeffnen() override { return m_port.Oeffnen(); }
    void Schliessen() override { m_port.Schliessen(); }
    bool IstOffen() const override { return m_port.IstOffen(); }

    long long Empfangen = 0;
    long long Gesendet = 0;

private:
    PortKanal& m_port;
};
