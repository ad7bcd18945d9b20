#pragma once
#include <QString>
#include <chrono>
#include <memory>
#include <utility>

class QSerialPort;

// The serial control: polled, never event-driven. Text is bytes one to one (ISO 8859-1),
// so the phone's code 0 passes in both directions.
class PortKanal {
public:
    virtual ~PortKanal() = default;

    // One poll: everything received since the last one, removed from the port; "" when nothing came.
    // Waits at most 1 ms when nothing is buffered, so a count of empty polls is about milliseconds.
    virtual QString Input() = 0;
    // Writes the text and flushes it to the line at once.
    virtual void Output(const QString& text) = 0;
    // Drops what is still queued for the line; what was written before is sent first.
    virtual void OutBuffer_Leeren() = 0;
    // Returns once everything written has left the line (bounded by its time on the line).
    virtual void Ausgabe_Abwarten() {}
    // The phone has answered what was written last, so it has all of it: no drain needs to wait.
    virtual void Ausgabe_Beantwortet() {}
    // The device went away (read error, hang-up) and could not be opened again yet: a wait
    // ends at once instead of polling a dead line.
    virtual bool Verloren() const { return false; }

    // True once after each open: another phone may be on the line now.
    bool Neu_Geoeffnet() { return std::exchange(m_neu, false); }

    // Port number as the program keeps it (1 = COM1); false when the number is refused.
    virtual bool CommPort_Setzen(int nummer) = 0;
    virtual int CommPort() const = 0;
    // Line settings "<baud>,n,8,1"; false when they are refused.
    virtual bool Settings_Setzen(const QString& settings) = 0;
    virtual QString Settings() const = 0;

    virtual bool Oeffnen() = 0;
    virtual void Schliessen() = 0;
    virtual bool IstOffen() const = 0;

protected:
    bool m_neu = false;
};

// Port n is the device of settings "Ports"/"COM<n>", else /dev/ttyS<n-1>.
QString Port_Geraet(int nummer);
// Parses "<baud>,<parity>,<data bits>,<stop bits>"; false when malformed.
bool Settings_Zerlegen(const QString& settings, int* baud = nullptr);
// The time one character of these settings takes on the line (start, data, parity and stop bits).
std::chrono::microseconds Zeichenzeit(const QString& settings);

// The real port, through QSerialPort.
class SerialPortKanal : public PortKanal {
public:
    SerialPortKanal();
    ~SerialPortKanal() override;

    QString Input() override;
    void Output(const QString& text) override;
    void OutBuffer_Leeren() override;
    void Ausgabe_Abwarten() override;
    void Ausgabe_Beantwortet() override { m_beantwortet = true; }
    bool Verloren() const override { return m_verloren; }
    bool CommPort_Setzen(int nummer) override;
    int CommPort() const override { return m_nummer; }
    bool Settings_Setzen(const QString& settings) override;
    QString Settings() const override { return m_settings; }
    bool Oeffnen() override;
    void Schliessen() override;
    bool IstOffen() const override;

private:
    bool Verschwunden();

    std::unique_ptr<QSerialPort> m_port;
    // When the line will have sent everything written so far, by the line speed.
    std::chrono::steady_clock::time_point m_leitungFrei{};
    bool m_beantwortet = true;
    bool m_verloren = false;  // the device vanished while open; each write tries to reopen it
    int m_nummer = 0;  // no port until one is chosen
    QString m_settings = QStringLiteral("19200,n,8,1");
};
