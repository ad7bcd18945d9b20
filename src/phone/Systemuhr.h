#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <ctime>
#include <functional>

// The PC's clock: read, and set to a local date and time. The date and time window and the
// report read it here; tests put a clock of their own in its place and never touch the real one.
class Systemuhr {
public:
    virtual ~Systemuhr() = default;

    virtual QDateTime Jetzt() const = 0;
    // Sets the clock; false with the reason when the system refuses.
    virtual bool Stellen(const QDateTime& zeitpunkt, QString* grund) = 0;

    // A new date with the current time of day; a new time of day on today's date.
    bool Datum_Setzen(const QDate& datum, QString* grund);
    bool Zeit_Setzen(const QTime& zeit, QString* grund);

    // The clock in use; by default the real one.
    static Systemuhr& Aktuell();
    static void Setzen(Systemuhr* uhr);  // nullptr restores the real one
};

// The real clock: clock_settime when the process may set the time, else "timedatectl set-time"
// (which asks for the rights through the desktop and refuses while network time sync is on;
// it gets at most 10 s).
class LinuxSystemuhr : public Systemuhr {
public:
    LinuxSystemuhr();

    QDateTime Jetzt() const override;
    bool Stellen(const QDateTime& zeitpunkt, QString* grund) override;

    // The two ways to the system, replaceable for tests: the kernel call (returns errno, 0 when
    // set) and running a program (true when it ended with 0; else its error output in `fehler`).
    std::function<int(const timespec&)> Kernel_Stellen;
    std::function<bool(const QString& programm, const QStringList& argumente, QString* fehler)> Programm_Ausfuehren;
};

// Runs a program and waits at most `grenzeMs` for its end while the event loop turns (without
// user input). True when it ended with 0; else its error output or the reason in `fehler`.
bool Programm_Ausfuehren_Begrenzt(const QString& programm, const QStringList& argumente, QString* fehler,
                                  int grenzeMs);
