#include "common/Textdatei.h"

#include "common/Datei.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace Textdatei {
namespace {

const char* const IcuName = "windows-1252";
const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// Bytes 0x80-0x9F of Windows-1252; the five it leaves undefined stand for themselves, as
// Windows reads them. Every other byte is the ISO 8859-1 character of the same code.
constexpr char16_t Tabelle80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

Wandler& Wahl()
{
    static Wandler w = Icu_Vorhanden() ? Wandler::Icu : Wandler::Tabelle;
    return w;
}

QString Tabelle_Dekodieren(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? Tabelle80[b - 0x80] : char16_t(b));
    }
    return text;
}

char Tabelle_Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (Tabelle80[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

QByteArray Tabelle_Kodieren(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        bytes += Tabelle_Byte(c);
    return bytes;
}

// ICU writes its own substitute byte for what the code page lacks; Windows writes "?".
QByteArray Icu_Kodieren(const QString& text)
{
    QStringEncoder ganz(IcuName);
    const QByteArray bytes = ganz(text);
    if (!ganz.hasError())
        return bytes;
    QByteArray einzeln;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder zeichen(IcuName);
        const QByteArray b = zeichen(QStringView(text).mid(i, n));
        einzeln += zeichen.hasError() || b.size() != 1 ? QByteArray("?") : b;
        i += n;
    }
    return einzeln;
}

QString Ansi_Dekodieren(const QByteArray& bytes)
{
    if (Wahl() == Wandler::Icu) {
        QStringDecoder d(IcuName);
        return d(bytes);
    }
    return Tabelle_Dekodieren(bytes);
}

QString Text(const QStringList& zeilen)
{
    QString text;
    for (const QString& z : zeilen)
        text += z + QStringLiteral("\r\n");
    return text;
}

// Windows-1252 bytes of the text only where the reader takes them back as such: behind the
// bytes before them, the file must not look like UTF-8 ("Spaß…" would come back as "Spa߅").
bool Bleibt_Ansi(const QByteArray& davor, const QString& text)
{
    return Ansi_Fasst(text) && Erkennen(davor + Kodieren(text)) == Kodierung::Ansi;
}

// The bytes of a whole file. Text that Windows-1252 cannot hold, or that would not read back
// from it, becomes UTF-8 with the mark rather than question marks.
QByteArray Dateibytes(const QString& text, Kodierung kodierung)
{
    switch (kodierung) {
    case Kodierung::Telefon:
        return text.toLatin1();
    case Kodierung::Utf8OhneMarke:
        return text.toUtf8();
    case Kodierung::Utf8:
        break;
    case Kodierung::Ansi:
        if (Bleibt_Ansi({}, text))
            return Kodieren(text);
        break;
    }
    return Bom + text.toUtf8();
}

bool Nur_Ascii(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// Writes the bytes at the end of the file. Unbuffered, so that a failure shows in the write
// itself; what part of them got in is cut off again, a file made for them goes again.
bool Ans_Ende(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    const bool angelegt = !f.exists();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 vorher = f.size();
    if (f.write(daten) == daten.size())
        return true;
    f.close();
    if (angelegt)
        QFile::remove(pfad);
    else
        QFile::resize(pfad, vorher);
    return false;
}

}  // namespace

bool Icu_Vorhanden()
{
    static const bool vorhanden = QStringDecoder(IcuName).isValid() && QStringEncoder(IcuName).isValid();
    return vorhanden;
}

Wandler Aktueller_Wandler() { return Wahl(); }

void Wandler_Setzen(Wandler wandler) { Wahl() = wandler == Wandler::Icu && Icu_Vorhanden() ? wandler : Wandler::Tabelle; }

Kodierung Erkennen(const QByteArray& bytes)
{
    if (bytes.startsWith(Bom))
        return Kodierung::Utf8;
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char b) { return static_cast<unsigned char>(b) < 0x80; }))
        return Kodierung::Ansi;
    // Stateless: a sequence cut at the end is an error too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);  // the decoder only learns of errors when it runs
    return utf8.hasError() ? Kodierung::Ansi : Kodierung::Utf8OhneMarke;
}

QString Dekodieren(const QByteArray& bytes)
{
    switch (Erkennen(bytes)) {
    case Kodierung::Utf8:
        return QString::fromUtf8(bytes.mid(Bom.size()));
    case Kodierung::Utf8OhneMarke:
        return QString::fromUtf8(bytes);
    default:
        return Ansi_Dekodieren(bytes);
    }
}

QByteArray Kodieren(const QString& text)
{
    return Wahl() == Wandler::Icu ? Icu_Kodieren(text) : Tabelle_Kodieren(text);
}

bool Ansi_Fasst(const QString& text) { return Ansi_Dekodieren(Kodieren(text)) == text; }

QStringList Zeilen(const QString& text)
{
    QStringList zeilen;
    QString zeile;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            zeilen << zeile;
            zeile.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            zeile += c;
        }
    }
    if (!zeile.isEmpty())
        zeilen << zeile;
    return zeilen;
}

std::optional<QStringList> Lesen(const QString& pfad, Kodierung kodierung, Kodierung* gefunden)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (kodierung != Kodierung::Telefon)
        kodierung = Erkennen(bytes);
    if (gefunden)
        *gefunden = kodierung;
    return Zeilen(kodierung == Kodierung::Telefon ? QString::fromLatin1(bytes) : Dekodieren(bytes));
}

Kodierung Dateikodierung(const QString& pfad, Kodierung neu)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0)
        return neu;
    return Erkennen(f.readAll());
}

bool Schreiben(const QString& pfad, const QStringList& zeilen, Kodierung kodierung)
{
    return Datei_Sichern(pfad, Dateibytes(Text(zeilen), kodierung));
}

bool Anhaengen(const QString& pfad, const QStringList& zeilen, Kodierung neu, const QStringList& kopf)
{
    // Another instance must neither append to a file being replaced nor decide on its encoding
    // or on a new file's first lines.
    const Dateisperre sperre(pfad);
    if (!sperre.Gesperrt())
        return false;
    const QFileInfo datei(pfad);
    const QString text = Text(datei.exists() ? zeilen : kopf + zeilen);
    if (neu == Kodierung::Telefon)
        return Ans_Ende(pfad, text.toLatin1());
    if (datei.size() == 0)
        return Ans_Ende(pfad, Dateibytes(text, neu));
    // ASCII is the same bytes in every encoding a file can have: the file need not be read.
    if (Nur_Ascii(text))
        return Ans_Ende(pfad, text.toLatin1());
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray alt = f.readAll();
    f.close();
    // The lines are judged behind the file's bytes, not alone: "Spaß…" alone would look like UTF-8.
    if (Erkennen(alt) != Kodierung::Ansi)
        return Ans_Ende(pfad, text.toUtf8());  // the mark stands at the start only
    if (Bleibt_Ansi(alt, text))
        return Ans_Ende(pfad, Kodieren(text));
    return Datei_Sichern(pfad, Bom + (Ansi_Dekodieren(alt) + text).toUtf8());
}

QString Felder_Verbinden(const QStringList& felder)
{
    QStringList bereinigt = felder;
    for (QString& feld : bereinigt)
        for (QChar& c : feld)
            if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                c = QLatin1Char(' ');
    return bereinigt.join(QLatin1Char('\t'));
}

}  // namespace Textdatei
