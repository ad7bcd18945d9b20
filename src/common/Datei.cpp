#include "common/Datei.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSaveFile>
#include <QSysInfo>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

bool Datei_Sichern(const QString& pfad, const QByteArray& daten)
{
    QSaveFile f(pfad);
    if (pfad.isEmpty() || !f.open(QIODevice::WriteOnly))
        return false;
    // Small writes only fill Qt's buffer: a full disk shows first in the flush, and commit()
    // would still put the short file in place of the old one.
    if (f.write(daten) != daten.size() || !f.flush()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

namespace {

constexpr std::chrono::seconds Sperrfrist{3};
constexpr std::chrono::milliseconds Takt{1};

// Qt removes the lock of a dead instance only where flock() works. Elsewhere a lock of this
// machine whose process is gone goes here, under the removal lock Qt takes as well, so that no
// two instances remove one and the second the new lock of the first.
void Verwaiste_Entfernen(const QLockFile& sperre)
{
    const auto verwaist = [&sperre] {
        qint64 pid = 0;
        QString rechner;
        QString programm;
        return sperre.getLockInfo(&pid, &rechner, &programm) && rechner == QSysInfo::machineHostName() && pid > 0 &&
               ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
    };
    if (!verwaist())
        return;
    QLockFile entfernen(sperre.fileName() + QStringLiteral(".rmlock"));
    if (entfernen.tryLock(0) && verwaist())
        QFile::remove(sperre.fileName());
}

}  // namespace

Dateisperre::Dateisperre(const QString& pfad) : m_sperre(pfad + QStringLiteral(".lock"))
{
    if (pfad.isEmpty())
        return;
    // Qt's own wait sleeps longer at each try: against an instance that appends line after
    // line, short tries are what gets a turn.
    const QDeadlineTimer frist(Sperrfrist);
    while (!m_sperre.tryLock(0)) {
        if (m_sperre.error() != QLockFile::LockFailedError || frist.hasExpired())
            return;
        Verwaiste_Entfernen(m_sperre);
        std::this_thread::sleep_for(Takt);
    }
}
