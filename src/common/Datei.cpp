#include "common/Datei.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

// Whether the open file is still the one under its name.
bool Unter_Dem_Namen(int fd, const QByteArray& pfad)
{
    struct stat offen {}, benannt {};
    return fstat(fd, &offen) == 0 && stat(pfad.constData(), &benannt) == 0 && offen.st_dev == benannt.st_dev &&
           offen.st_ino == benannt.st_ino;
}

// The file, made empty when it is missing; -1 when it cannot be opened.
int Oeffnen(const QByteArray& pfad, bool& angelegt)
{
    for (;;) {
        const int fd = ::open(pfad.constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int neu = ::open(pfad.constData(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        angelegt = neu >= 0;
        if (neu >= 0 || errno != EEXIST)  // EEXIST: another instance made it just now
            return neu;
    }
}

// Those who wait for a file of a folder hold the folder shared. The file itself changes hands
// only when its holder lets go and a waiter's next try comes first; an instance that takes it
// over and over would win every time, so one that comes new and sees others waiting lets them
// go first. The folder, not the file: a save replaces the file.
class Warteschlange {
public:
    explicit Warteschlange(const QByteArray& ordner)
        : m_fd(::open(ordner.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        m_andereWarten = m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        if (m_fd >= 0 && !m_andereWarten)
            ::flock(m_fd, LOCK_UN);
    }
    ~Warteschlange()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Warteschlange(const Warteschlange&) = delete;
    Warteschlange& operator=(const Warteschlange&) = delete;

    void Anstellen()
    {
        if (m_fd >= 0 && !m_angestellt)
            m_angestellt = ::flock(m_fd, LOCK_SH | LOCK_NB) == 0;
    }
    // Before the first try: long enough for every waiter to try once.
    void Vortritt_Lassen()
    {
        if (!m_andereWarten)
            return;
        Anstellen();
        std::this_thread::sleep_for(2 * Takt);
    }

private:
    int m_fd;
    bool m_andereWarten = false;
    bool m_angestellt = false;
};

}  // namespace

Dateisperre::Dateisperre(const QString& pfad) : m_pfad(QFile::encodeName(pfad))
{
    if (pfad.isEmpty())
        return;
    const QDeadlineTimer frist(Sperrfrist);
    Warteschlange warteschlange(QFile::encodeName(QFileInfo(pfad).absolutePath()));
    warteschlange.Vortritt_Lassen();
    for (;;) {
        bool angelegt = false;
        const int fd = Oeffnen(m_pfad, angelegt);
        if (fd < 0)
            return;
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {  // else no locks here
            if (frist.hasExpired()) {
                ::close(fd);
                return;
            }
            warteschlange.Anstellen();
            std::this_thread::sleep_for(Takt);
        }
        // Replaced while it waited: the lock belongs to the file now under the name.
        if (Unter_Dem_Namen(fd, m_pfad)) {
            m_fd = fd;
            m_angelegt = angelegt;
            return;
        }
        ::close(fd);
        if (frist.hasExpired())
            return;
    }
}

Dateisperre::~Dateisperre()
{
    if (m_fd < 0)
        return;
    struct stat offen {};
    if (m_angelegt && Unter_Dem_Namen(m_fd, m_pfad) && fstat(m_fd, &offen) == 0 && offen.st_size == 0)
        ::unlink(m_pfad.constData());
    ::close(m_fd);
}
