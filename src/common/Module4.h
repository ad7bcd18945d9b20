#pragma once
#include <QString>
#include <functional>

class QWidget;

// Opening documents, programs and web addresses with the program the desktop associates
// with them, and keeping a window above the others.
namespace Module4 {

// What the shell is asked to do.
struct Shellaufruf {
    QString Verb;
    QString Datei;
    QString Parameter;
    QString Ordner;
    int Zeigen = 1;  // 0 hidden, 1 normal ... (no effect on this desktop)
};

// The error of the last failed Datei_Ausfuehren; it never reaches the user by itself.
struct Shellfehler {
    bool Gesetzt = false;
    int Nummer = 0;
    QString Quelle;        // "<program>.GShell"
    QString Beschreibung;
};
extern Shellfehler LetzterFehler;

// Shell results in the old numbering: above 32 (or below 0) is success.
constexpr int Shell_Erfolg = 33;
constexpr int Shell_DateiFehlt = 2;
constexpr int Shell_PfadFehlt = 3;
constexpr int Shell_KeineZuordnung = 31;

// The call that Datei_Ausfuehren hands to the shell.
Shellaufruf Aufruf_Planen(const QString& datei, int zeigen, const QString& parameter, const QString& ordner,
                          const QString& verb);
// True for success; a failure fills `fehler` with the number, source and description.
bool Ergebnis_Abbilden(int ergebnis, Shellfehler* fehler);

// The desktop's own call: a URL or document through the desktop services, an executable file
// through a detached process. Returns a shell result.
int Shell_Ausfuehren(const Shellaufruf& aufruf);
// The call Datei_Ausfuehren uses; Shell_Ausfuehren unless a test puts another in.
extern std::function<int(const Shellaufruf&)> Shell;

// True when the document was started; on failure LetzterFehler tells why. Shows nothing.
bool Datei_Ausfuehren(const QString& datei, int zeigen, const QString& parameter, const QString& ordner,
                      const QString& verb, QWidget* besitzer);

// Keeps the window above every window that is not itself kept on top; place and size stay.
void Fenster_ObenHalten(QWidget* fenster);

}  // namespace Module4
