#include "link/PortKanal.h"

#include "common/Einstellungen.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSerialPort>

#include <algorithm>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>

using namespace std::chrono;

namespace {

const QRegularExpression& Settings_Muster()
{
    static const QRegularExpression muster(QStringLiteral("^(\\d{1,7}),([neoms]),([5-8]),(1|2)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return muster;
}

// Past the line time of the bytes written, the last of them may still be in the adapter.
constexpr milliseconds Nachlaufzeit{2};
// Beyond the line time of what is pending, a drain gives up and the clear drops the rest.
constexpr milliseconds Drainreserve{200};

}  // namespace

QString Port_Geraet(int nummer)
{
    return Einstellungen::Lesen(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(nummer),
                                QStringLiteral("/dev/ttyS%1").arg(nummer - 1));
}

bool Settings_Zerlegen(const QString& settings, int* baud)
{
    const auto treffer = Settings_Muster().match(settings);
    if (!treffer.hasMatch() || treffer.captured(1).toInt() <= 0)
        return false;
    if (baud)
        *baud = treffer.captured(1).toInt();
    return true;
}

microseconds Zeichenzeit(const QString& settings)
{
    const auto treffer = Settings_Muster().match(settings);
    if (!treffer.hasMatch() || treffer.captured(1).toInt() <= 0)
        return microseconds(10 * 1000000 / 19200);
    const bool paritaet = treffer.captured(2).compare(QLatin1String("n"), Qt::CaseInsensitive) != 0;
    const int bits = 1 + treffer.captured(3).toInt() + (paritaet ? 1 : 0) + treffer.captured(4).toInt();
    return microseconds((bits * 1000000LL + treffer.captured(1).toInt() - 1) / treffer.captured(1).toInt());
}

SerialPortKanal::SerialPortKanal() : m_port(std::make_unique<QSerialPort>()) {}

SerialPortKanal::~SerialPortKanal() { Schliessen(); }

// An unplugged adapter or a hung-up line: the port is closed, so later commands do not wait on a
// dead device. A hang-up shows as a read error, an unplugged adapter as a resource error.
bool SerialPortKanal::Verschwunden()
{
    const QSerialPort::SerialPortError fehler = m_port->error();
    if (fehler == QSerialPort::NoError)
        return false;
    if (fehler == QSerialPort::TimeoutError) {
        m_port->clearError();  // a poll that timed out is no failure
        return false;
    }
    m_port->clearError();
    m_port->close();
    m_verloren = true;
    return true;
}

QString SerialPortKanal::Input()
{
    if (!m_port->isOpen())
        return QString();
    if (m_port->bytesAvailable() == 0 && !m_port->waitForReadyRead(1) && Verschwunden())
        return QString();
    const QString chunk = QString::fromLatin1(m_port->readAll());
    // A failed read may show only once the data is fetched.
    if (chunk.isEmpty())
        Verschwunden();
    return chunk;
}

void SerialPortKanal::Output(const QString& text)
{
    if (!m_port->isOpen() && !(m_verloren && Oeffnen()))
        return;
    const QByteArray bytes = text.toLatin1();
    m_port->write(bytes);
    m_beantwortet = false;
    const auto jetzt = steady_clock::now();
    // Characters may leave with gaps between them (adapters send in frames): a tenth more.
    const auto dauer = Zeichenzeit(m_settings) * bytes.size();
    m_leitungFrei = std::max(m_leitungFrei, jetzt) + dauer + dauer / 10;
    // Nothing reaches the line before the event loop runs unless we flush here.
    QElapsedTimer uhr;
    uhr.start();
    while (m_port->bytesToWrite() > 0 && uhr.elapsed() < 2000) {
        if (!m_port->waitForBytesWritten(100) && Verschwunden())
            return;
    }
}

void SerialPortKanal::Ausgabe_Abwarten()
{
    if (!m_port->isOpen())
        return;
    const int fd = static_cast<int>(m_port->handle());
    const auto anfang = steady_clock::now();
    int wartend = 0;
    if (::ioctl(fd, TIOCOUTQ, &wartend) != 0)
        wartend = 0;
    const auto grenze = std::max(m_leitungFrei, anfang + Zeichenzeit(m_settings) * wartend) + Drainreserve;
    for (;;) {
        if (::ioctl(fd, TIOCOUTQ, &wartend) != 0)
            return;
        const auto jetzt = steady_clock::now();
        if (wartend == 0 && (m_beantwortet || jetzt >= m_leitungFrei + Nachlaufzeit))
            break;
        if (jetzt >= grenze)
            return;  // the line does not move: the clear drops what is left
        std::this_thread::sleep_for(milliseconds(1));
    }
    // The driver's queue is empty: only the transmitter's last characters are left.
    ::tcdrain(fd);
}

void SerialPortKanal::OutBuffer_Leeren()
{
    if (!m_port->isOpen())
        return;
    Ausgabe_Abwarten();
    m_port->clear(QSerialPort::Output);
}

bool SerialPortKanal::CommPort_Setzen(int nummer)
{
    if (nummer < 1 || nummer > 255)
        return false;
    const bool warOffen = m_port->isOpen();
    if (warOffen)
        m_port->close();
    m_nummer = nummer;
    return true;
}

bool SerialPortKanal::Settings_Setzen(const QString& settings)
{
    int baud = 0;
    if (!Settings_Zerlegen(settings, &baud))
        return false;
    m_settings = settings;
    if (m_port->isOpen())
        m_port->setBaudRate(baud);
    return true;
}

bool SerialPortKanal::Oeffnen()
{
    if (m_nummer < 1)
        return false;
    if (m_port->isOpen())
        return true;
    int baud = 19200;
    Settings_Zerlegen(m_settings, &baud);
    m_port->setPortName(Port_Geraet(m_nummer));
    m_port->setBaudRate(baud);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_port->clearError();
        return false;
    }
    m_verloren = false;
    m_neu = true;
    m_leitungFrei = steady_clock::now();
    return true;
}

void SerialPortKanal::Schliessen()
{
    m_verloren = false;
    if (!m_port->isOpen())
        return;
    // Closing restores the old line settings, which would garble what is still on the line.
    Ausgabe_Abwarten();
    m_port->close();
}

bool SerialPortKanal::IstOffen() const { return m_port->isOpen(); }
