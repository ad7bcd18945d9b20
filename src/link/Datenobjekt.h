#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The exchange of the phone's data objects (appointments "vcs", the logo "bmp", the melody
// "mid"): "AT^SBNW" writes an object in numbered blocks of hexadecimal text after a ">" prompt
// and deletes it, "AT^SBNR" reads it back under "^SBNR:" header lines. The users differ only in
// type, slot, block cut, progress moment and how the start of a read reply is cut; those are
// the parameters here. Everything goes through the link procedures of Module1.
namespace Datenobjekt {

// ---- Hexadecimal text --------------------------------------------------------------------

// Two upper-case digits per byte, high digit first, no separators ("0A", never "A").
QString Hex_Kodieren(const QByteArray& bytes);
// Text the program holds as characters, one byte each (ISO 8859-1).
QString Text_Kodieren(const QString& text);
// The text as the phone gets it from Text_Kodieren: "?" for what ISO 8859-1 lacks.
QString Telefontext(const QString& text);
// Pairs of digits back to bytes (either case); nothing for an odd length or a non-digit.
std::optional<QByteArray> Hex_Dekodieren(const QString& hex);

// Cuts the text into blocks of `ziffernJeBlock` digits, the last holding the rest. With
// `hoechstens` > 0 at most that many blocks, and what lies beyond them is not sent. An empty
// text gives no block. A byte-counted block of b bytes is 2b digits.
QStringList Bloecke_Schneiden(const QString& hex, int ziffernJeBlock, int hoechstens = 0);

// ---- Commands ----------------------------------------------------------------------------

QString Ankuendigung(const QString& typ, int platz, int block, int anzahl);  // AT^SBNW=vcs,7,2,3
QString Loeschbefehl(const QString& typ, int platz);                         // AT^SBNW=bmp,0,0
QString Lesebefehl(const QString& typ, int platz);                           // AT^SBNR=vcs,12

// ---- Writing, deleting, reading ----------------------------------------------------------

// When ProgressBar4 shows block k: as work on it begins ("vcs") or after the phone took it.
enum class Fortschritt { VorAnkuendigung, NachBlock };

// Shows `status`, sets ProgressBar4's maximum to the block count and sends each block: its
// announcement through Prompt_Senden (with CR LF), then its digits and Ctrl-Z through
// Befehl_Senden (without). True when every block was taken; ProgressBar4 then shows 0 and the
// caller shows "Fertig." when its work is done. The first refusal or time-out ends it at once:
// false, no further command, no message of its own, the progress bar as it stood.
bool Objekt_Schreiben(const QString& typ, int platz, const QStringList& bloecke, Fortschritt fortschritt,
                      const QString& status);

// The delete command through Befehl_Senden; true when the phone said "OK".
bool Objekt_Loeschen(const QString& typ, int platz);

// The read command through Befehl_Senden ("bmp", "mid"); the reply stands in Link().Text2.
bool Objekt_Lesen(const QString& typ, int platz);
// The read command written straight to the port (no busy test, no discarding of input, but
// recorded for the PIN resend), then `status` shown and the reply awaited ("vcs").
bool Objekt_Lesen_Direkt(const QString& typ, int platz, const QString& status);

// ---- Read replies ------------------------------------------------------------------------

// How a variant cuts its read reply down to the hexadecimal text.
struct Schnitt {
    enum class Art {
        Fest,   // the start: a fixed count of characters; a header: up to the first CR after it
        Komma,  // while the first 30 characters hold a comma, up to and including it; then up
                // to and including the CR of the first CR LF
        Kopf,   // the start: everything before the first header; a header: as Fest
    };
    Art Anfang = Art::Fest;
    int Zeichen = 0;  // Fest: the characters dropped at the start
    Art Kopf = Art::Fest;
    bool KommaPaar = false;  // a cleaned text that begins with "," loses two characters
};
// "vcs": the echo goes up to the first header, each header up to the end of its line, whatever
// the slot's and the block count's digits make its length.
inline const Schnitt TerminSchnitt{Schnitt::Art::Kopf, 0, Schnitt::Art::Fest, true};
// "bmp" and "mid": header fields cut within a window of 30 characters.
inline const Schnitt KommaSchnitt{Schnitt::Art::Komma, 0, Schnitt::Art::Komma, false};

// The object's hexadecimal text from a read reply: the lines before its final "OK" line, the
// start cut, every "^SBNR:" header line removed, then every LF and every CR. Nothing when the
// reply has no "OK" line, or when a start cut by its header has none. The digits themselves are
// not checked.
std::optional<QString> Antwort_Schneiden(const QString& antwort, const Schnitt& schnitt);

// Writes the bytes of the hexadecimal text to the file, replacing it. A text that is no
// sequence of digit pairs writes nothing and leaves an older file as it was.
bool Datei_Schreiben(const QString& pfad, const QString& hex);

}  // namespace Datenobjekt
