#pragma once
#include "common/Einstellungen.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <csignal>
#include <sys/resource.h>

// Files of the program folder as the tests make and read them, byte for byte.
inline QString Programmdatei(const QString& name) { return QDir(Programmordner()).filePath(name); }

// The file's bytes; empty when it cannot be read.
inline QByteArray Datei_Lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the bytes, making the folder first.
inline void Datei_Anlegen(const QString& pfad, const QByteArray& inhalt)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly))
        f.write(inhalt);
}

// What a lock file of the program takes at most (process, program, machine name and id): a limit
// of this much lets the lock be had, so that the write itself meets the full disk.
constexpr rlim_t Sperrdatei_Platz = 160;

// While it lives, no file of this process may grow beyond `bytes`: a write past it fails as on
// a full disk. Without root: the file-size limit lowered, its signal ignored; both restored after.
class Dateigrenze {
public:
    explicit Dateigrenze(rlim_t bytes = 8)
    {
        getrlimit(RLIMIT_FSIZE, &m_grenze);
        sigaction(SIGXFSZ, nullptr, &m_signal);
        signal(SIGXFSZ, SIG_IGN);
        rlimit neu = m_grenze;
        neu.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~Dateigrenze()
    {
        setrlimit(RLIMIT_FSIZE, &m_grenze);
        sigaction(SIGXFSZ, &m_signal, nullptr);
    }
    Dateigrenze(const Dateigrenze&) = delete;
    Dateigrenze& operator=(const Dateigrenze&) = delete;

private:
    rlimit m_grenze{};
    struct sigaction m_signal {};
};
