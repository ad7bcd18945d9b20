#include "link/Datenobjekt.h"

#include "common/Datei.h"
#include "common/Hex.h"
#include "link/LinkAnzeige.h"
#include "link/Module1.h"

namespace Datenobjekt {

namespace {

const QString Kopfzeile = QStringLiteral("^SBNR:");
const QChar CtrlZ(26);

void Fortschritt_Zeigen(int wert, int maximum)
{
    if (Module1::Link().Anzeige)
        Module1::Link().Anzeige->Fortschritt_Setzen(wert, maximum);
}

// Drops up to and including the first comma while the first 30 characters hold one.
void Kommas_Schneiden(QString& text)
{
    for (;;) {
        const qsizetype komma = text.indexOf(QLatin1Char(','));
        if (komma < 0 || komma >= 30)
            return;
        text.remove(0, komma + 1);
    }
}

// Drops up to and including the CR of the first CR LF; a text without one stays.
void Bis_CRLF_Schneiden(QString& text)
{
    const qsizetype crlf = text.indexOf(QLatin1String("\r\n"));
    if (crlf >= 0)
        text.remove(0, crlf + 1);
}

// Removes the header line that `tail` begins with. A header with nothing to end it takes the
// rest of the text along, so the loop over the headers always ends.
void Kopf_Entfernen(QString& tail, Schnitt::Art art)
{
    if (art != Schnitt::Art::Komma) {
        const qsizetype cr = tail.indexOf(QLatin1Char('\r'));
        tail.remove(0, cr < 0 ? tail.size() : cr + 1);
        return;
    }
    const qsizetype vorher = tail.size();
    Kommas_Schneiden(tail);
    Bis_CRLF_Schneiden(tail);
    if (tail.size() == vorher)
        tail.clear();
}

// Where the reply's final "OK" line begins; -1 for none. What follows it is no part of the reply.
qsizetype Ok_Zeile(const QString& text)
{
    for (qsizetype anfang = 0; anfang < text.size();) {
        qsizetype ende = anfang;
        while (ende < text.size() && text.at(ende) != QLatin1Char('\r') && text.at(ende) != QLatin1Char('\n'))
            ++ende;
        if (QStringView(text).mid(anfang, ende - anfang) == u"OK")
            return anfang;
        anfang = ende + 1;
    }
    return -1;
}

}  // namespace

QString Hex_Kodieren(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex().toUpper()); }

QString Text_Kodieren(const QString& text) { return Hex_Kodieren(text.toLatin1()); }

QString Telefontext(const QString& text) { return QString::fromLatin1(text.toLatin1()); }

std::optional<QByteArray> Hex_Dekodieren(const QString& hex)
{
    qsizetype gelesen = 0;
    const QByteArray bytes = Hex_Bytes(hex, &gelesen);
    if (gelesen != hex.size())
        return std::nullopt;  // odd length or a character that is no digit
    return bytes;
}

QStringList Bloecke_Schneiden(const QString& hex, int ziffernJeBlock, int hoechstens)
{
    QStringList bloecke;
    if (ziffernJeBlock <= 0)
        return bloecke;
    for (qsizetype pos = 0; pos < hex.size(); pos += ziffernJeBlock) {
        if (hoechstens > 0 && bloecke.size() >= hoechstens)
            break;
        bloecke << hex.mid(pos, ziffernJeBlock);
    }
    return bloecke;
}

QString Ankuendigung(const QString& typ, int platz, int block, int anzahl)
{
    return QStringLiteral("AT^SBNW=%1,%2,%3,%4").arg(typ).arg(platz).arg(block).arg(anzahl);
}

QString Loeschbefehl(const QString& typ, int platz) { return QStringLiteral("AT^SBNW=%1,%2,0").arg(typ).arg(platz); }

QString Lesebefehl(const QString& typ, int platz) { return QStringLiteral("AT^SBNR=%1,%2").arg(typ).arg(platz); }

bool Objekt_Schreiben(const QString& typ, int platz, const QStringList& bloecke, Fortschritt fortschritt,
                      const QString& status)
{
    Module1::Status_Setzen(status);
    const int anzahl = static_cast<int>(bloecke.size());
    Fortschritt_Zeigen(0, anzahl);
    for (int k = 1; k <= anzahl; ++k) {
        if (fortschritt == Fortschritt::VorAnkuendigung)
            Fortschritt_Zeigen(k, anzahl);
        if (!Module1::Prompt_Senden(Ankuendigung(typ, platz, k, anzahl), true))
            return false;
        if (!Module1::Befehl_Senden(bloecke.at(k - 1) + CtrlZ, false))
            return false;
        if (fortschritt == Fortschritt::NachBlock)
            Fortschritt_Zeigen(k, anzahl);
    }
    Fortschritt_Zeigen(0, anzahl);
    return true;
}

bool Objekt_Loeschen(const QString& typ, int platz) { return Module1::Befehl_Senden(Loeschbefehl(typ, platz), true); }

bool Objekt_Lesen(const QString& typ, int platz) { return Module1::Befehl_Senden(Lesebefehl(typ, platz), true); }

bool Objekt_Lesen_Direkt(const QString& typ, int platz, const QString& status)
{
    if (!Module1::Befehl_Schreiben(Lesebefehl(typ, platz), true))
        return false;
    Module1::Status_Setzen(status);
    return Module1::Antwort_Warten();
}

std::optional<QString> Antwort_Schneiden(const QString& antwort, const Schnitt& schnitt)
{
    const qsizetype ok = Ok_Zeile(antwort);
    if (ok < 0)
        return std::nullopt;
    QString text = antwort.left(ok);
    if (schnitt.Anfang == Schnitt::Art::Fest) {
        if (text.size() < schnitt.Zeichen)
            return std::nullopt;
        text.remove(0, schnitt.Zeichen);
    } else if (schnitt.Anfang == Schnitt::Art::Kopf) {
        const qsizetype kopf = text.indexOf(Kopfzeile);
        if (kopf < 0)
            return std::nullopt;
        text.remove(0, kopf);
    } else {
        Kommas_Schneiden(text);
        Bis_CRLF_Schneiden(text);
    }

    for (qsizetype kopf = text.indexOf(Kopfzeile); kopf >= 0; kopf = text.indexOf(Kopfzeile)) {
        QString tail = text.mid(kopf);
        text.truncate(kopf);
        Kopf_Entfernen(tail, schnitt.Kopf);
        text += tail;
    }
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    if (schnitt.KommaPaar && text.startsWith(QLatin1Char(',')))
        text.remove(0, 2);
    return text;
}

bool Datei_Schreiben(const QString& pfad, const QString& hex)
{
    const std::optional<QByteArray> bytes = Hex_Dekodieren(hex);
    if (!bytes)
        return false;
    return Datei_Sichern(pfad, *bytes);
}

}  // namespace Datenobjekt
