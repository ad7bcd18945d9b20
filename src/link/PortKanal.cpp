#include "link/PortKanal.h"

#include "common/Einstellungen.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSerialPort>

QString Port_Geraet(int nummer)
{
    return Einstellungen::Lesen(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(nummer),
                                QStringLiteral("/dev/ttyS%1").arg(nummer - 1));
}

bool Settings_Zerlegen(const QString& settings, int* baud)
{
    static const QRegularExpression muster(QStringLiteral("^(\\d{1,7}),([neoms]),([5-8]),(1|2)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto treffer = muster.match(settings);
    if (!treffer.hasMatch() || treffer.captured(1).toInt() <= 0)
        return false;
    if (baud)
        *baud = treffer.captured(1).toInt();
    return true;
}

SerialPortKanal::SerialPortKanal() : m_port(std::make_unique<QSerialPort>()) {}

SerialPortKanal::~SerialPortKanal() = default;

QString SerialPortKanal::Input()
{
    if (!m_port->isOpen())
        return QString();
    if (m_port->bytesAvailable() == 0 && !m_port->waitForReadyRead(1))
        m_port->clearError();  // a poll that timed out is no failure
    return QString::fromLatin1(m_port->readAll());
}

void SerialPortKanal::Output(const QString& text)
{
    if (!m_port->isOpen())
        return;
    m_port->write(text.toLatin1());
    // Nothing reaches the line before the event loop runs unless we flush here.
    QElapsedTimer uhr;
    uhr.start();
    while (m_port->bytesToWrite() > 0 && uhr.elapsed() < 2000)
        if (!m_port->waitForBytesWritten(100))
            m_port->clearError();
}

void SerialPortKanal::OutBuffer_Leeren()
{
    if (m_port->isOpen())
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
    return true;
}

void SerialPortKanal::Schliessen()
{
    if (m_port->isOpen())
        m_port->close();
}

bool SerialPortKanal::IstOffen() const { return m_port->isOpen(); }
