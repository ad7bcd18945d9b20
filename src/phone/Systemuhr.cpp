#include "phone/Systemuhr.h"

#include <QProcess>
#include <cerrno>
#include <cstring>

namespace {

Systemuhr*& Eingesetzt()
{
    static Systemuhr* uhr = nullptr;
    return uhr;
}

int Kernel_Uhr_Stellen(const timespec& zeit)
{
    return clock_settime(CLOCK_REALTIME, &zeit) == 0 ? 0 : errno;
}

bool Programm_Starten(const QString& programm, const QStringList& argumente, QString* fehler)
{
    QProcess prozess;
    prozess.start(programm, argumente);
    // The desktop may ask the user for the rights meanwhile.
    if (!prozess.waitForFinished(60000)) {
        *fehler = prozess.errorString();
        prozess.kill();
        prozess.waitForFinished(1000);
        return false;
    }
    if (prozess.exitStatus() != QProcess::NormalExit || prozess.exitCode() != 0) {
        *fehler = QString::fromLocal8Bit(prozess.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

}  // namespace

bool Systemuhr::Datum_Setzen(const QDate& datum, QString* grund)
{
    return Stellen(QDateTime(datum, Jetzt().time()), grund);
}

bool Systemuhr::Zeit_Setzen(const QTime& zeit, QString* grund)
{
    return Stellen(QDateTime(Jetzt().date(), zeit), grund);
}

Systemuhr& Systemuhr::Aktuell()
{
    static LinuxSystemuhr echt;
    return Eingesetzt() ? *Eingesetzt() : echt;
}

void Systemuhr::Setzen(Systemuhr* uhr) { Eingesetzt() = uhr; }

LinuxSystemuhr::LinuxSystemuhr() : Kernel_Stellen(Kernel_Uhr_Stellen), Programm_Ausfuehren(Programm_Starten) {}

QDateTime LinuxSystemuhr::Jetzt() const { return QDateTime::currentDateTime(); }

bool LinuxSystemuhr::Stellen(const QDateTime& zeitpunkt, QString* grund)
{
    if (!zeitpunkt.isValid()) {
        if (grund)
            *grund = QStringLiteral("ungültige Zeitangabe");
        return false;
    }
    timespec zeit{};
    zeit.tv_sec = static_cast<time_t>(zeitpunkt.toSecsSinceEpoch());
    zeit.tv_nsec = static_cast<long>(zeitpunkt.time().msec()) * 1000000L;
    const int fehler = Kernel_Stellen(zeit);
    if (fehler == 0)
        return true;
    if (fehler != EPERM) {
        if (grund)
            *grund = QString::fromLocal8Bit(std::strerror(fehler));
        return false;
    }
    QString ausgabe;
    if (Programm_Ausfuehren(QStringLiteral("timedatectl"),
                            {QStringLiteral("set-time"), zeitpunkt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))},
                            &ausgabe))
        return true;
    if (grund)
        *grund = ausgabe;
    return false;
}
