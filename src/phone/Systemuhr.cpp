#include "phone/Systemuhr.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>
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
    return Programm_Ausfuehren_Begrenzt(programm, argumente, fehler, 10000);
}

}  // namespace

bool Programm_Ausfuehren_Begrenzt(const QString& programm, const QStringList& argumente, QString* fehler,
                                  int grenzeMs)
{
    QProcess prozess;
    QEventLoop schleife;
    QTimer grenze;
    grenze.setSingleShot(true);
    QObject::connect(&prozess, &QProcess::finished, &schleife, &QEventLoop::quit);
    QObject::connect(&prozess, &QProcess::errorOccurred, &schleife, &QEventLoop::quit);
    QObject::connect(&grenze, &QTimer::timeout, &schleife, &QEventLoop::quit);
    prozess.start(programm, argumente);
    // The window keeps painting and its clock keeps ticking meanwhile; clicks wait until the end.
    if (prozess.state() != QProcess::NotRunning) {
        grenze.start(grenzeMs);
        schleife.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (prozess.state() != QProcess::NotRunning) {
        *fehler = QStringLiteral("keine Antwort von %1").arg(programm);
        prozess.kill();
        prozess.waitForFinished(1000);
        return false;
    }
    if (prozess.error() == QProcess::FailedToStart) {
        *fehler = prozess.errorString();
        return false;
    }
    if (prozess.exitStatus() != QProcess::NormalExit || prozess.exitCode() != 0) {
        *fehler = QString::fromLocal8Bit(prozess.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

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
