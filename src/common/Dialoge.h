#pragma once
#include <QString>
#include <optional>

class QWidget;

// The program's title on message boxes that name no other.
inline const QString AppTitel = QStringLiteral("ORX 2000");

// Message boxes, the input box and the file dialogs of the whole program go through this
// seam, so that tests can answer questions and choose files.
class Dialoge {
public:
    enum class Symbol { Keins, Kritisch, Frage, Ausruf, Information };
    enum class Tasten { OK, OKAbbrechen, JaNein, JaNeinAbbrechen };
    enum class Antwort { OK, Abbrechen, Ja, Nein };

    struct Dateiwahl {
        QString Titel;
        QString Filter;        // "Telefonbuch (*.orx);;Alle Dateien (*.*)"
        QString Startdatei;    // folder or file the dialog starts at
        QString Vorgabename;   // proposed file name
    };

    virtual ~Dialoge() = default;

    virtual Antwort Meldung(const QString& text, Symbol symbol, Tasten tasten, Antwort standard,
                            const QString& titel) = 0;
    // The input box: the text, or nothing when the user cancelled.
    virtual std::optional<QString> Eingabe(const QString& prompt, const QString& titel, const QString& vorgabe) = 0;
    // File dialogs: the chosen path, or nothing when cancelled. Saving asks before overwriting.
    virtual std::optional<QString> Datei_Oeffnen(const Dateiwahl& wahl) = 0;
    virtual std::optional<QString> Datei_Speichern(const Dateiwahl& wahl) = 0;

    // The dialogs in use; by default the real ones.
    static Dialoge& Aktuell();
    static void Setzen(Dialoge* dialoge);  // nullptr restores the real ones
};

// The real dialogs, parented to the active window.
class QtDialoge : public Dialoge {
public:
    Antwort Meldung(const QString& text, Symbol symbol, Tasten tasten, Antwort standard, const QString& titel) override;
    std::optional<QString> Eingabe(const QString& prompt, const QString& titel, const QString& vorgabe) override;
    std::optional<QString> Datei_Oeffnen(const Dateiwahl& wahl) override;
    std::optional<QString> Datei_Speichern(const Dateiwahl& wahl) override;
};

// From now on a closed modal dialog gives the keyboard back to the window it was opened over.
void Rueckkehr_Einrichten();

// Loads Qt's own German translation (file dialogs, context menus), once; false when it is not
// installed. The seam's message and input boxes give their buttons German texts either way.
bool Qt_Deutsch_Laden();

// The program's locale is German (Germany) whatever the system says: calendars, date pickers and
// numbers on screen read German. Set before the first window; files and the wire use fixed formats.
void Gebietsschema_Setzen();

// Short forms of the common cases.
Dialoge::Antwort MsgBox(const QString& text, Dialoge::Symbol symbol = Dialoge::Symbol::Keins,
                        Dialoge::Tasten tasten = Dialoge::Tasten::OK,
                        Dialoge::Antwort standard = Dialoge::Antwort::OK, const QString& titel = AppTitel);
// "Die Datei konnte nicht geschrieben werden!", for every save that failed.
void Schreibfehler_Melden();
// A question with Yes and No; true for Yes.
bool Frage_Ja(const QString& text, Dialoge::Antwort standard = Dialoge::Antwort::Nein, const QString& titel = AppTitel);
