#include "common/Textdatei.h"

#include "common/Datei.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

QByteArray Bytes(const QStringList& zeilen, Kodierung kodierung)
{
    QString text;
    for (const QString& z : zeilen)
        text += z + QStringLiteral("\r\n");
    switch (kodierung) {
    case Kodierung::Telefon:
        return text.toLatin1();
    case Kodierung::Utf8:
        return text.toUtf8();
    case Kodierung::Ansi:
        break;
    }
    return Kodieren(text);
}

}  // namespace

bool Icu_Vorhanden()
{
    static const bool vorhanden = QStringDecoder(IcuName).isValid() && QStringEncoder(IcuName).isValid();
    return vorhanden;
}

Wandler Aktueller_Wandler() { return Wahl(); }

void Wandler_Setzen(Wandler wandler) { Wahl() = wandler == Wandler::Icu && Icu_Vorhanden() ? wandler : Wandler::Tabelle; }

QString Dekodieren(const QByteArray& bytes)
{
    if (bytes.startsWith(Bom))
        return QString::fromUtf8(bytes.mid(Bom.size()));
    if (Wahl() == Wandler::Icu) {
        QStringDecoder d(IcuName);
        return d(bytes);
    }
    return Tabelle_Dekodieren(bytes);
}

QByteArray Kodieren(const QString& text)
{
    return Wahl() == Wandler::Icu ? Icu_Kodieren(text) : Tabelle_Kodieren(text);
}

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
        kodierung = bytes.startsWith(Bom) ? Kodierung::Utf8 : Kodierung::Ansi;
    if (gefunden)
        *gefunden = kodierung;
    return Zeilen(kodierung == Kodierung::Telefon ? QString::fromLatin1(bytes) : Dekodieren(bytes));
}

Kodierung Dateikodierung(const QString& pfad, Kodierung neu)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0)
        return neu;
    return f.read(Bom.size()) == Bom ? Kodierung::Utf8 : Kodierung::Ansi;
}

bool Schreiben(const QString& pfad, const QStringList& zeilen, Kodierung kodierung)
{
    const QByteArray daten = Bytes(zeilen, kodierung);
    return Datei_Sichern(pfad, kodierung == Kodierung::Utf8 ? Bom + daten : daten);
}

bool Anhaengen(const QString& pfad, const QStringList& zeilen, Kodierung neu)
{
    const Kodierung kodierung = neu == Kodierung::Telefon ? neu : Dateikodierung(pfad, neu);
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    QByteArray daten = Bytes(zeilen, kodierung);
    if (kodierung == Kodierung::Utf8 && f.size() == 0)
        daten.prepend(Bom);
    // Qt holds small writes in its buffer; a full disk shows first in the flush.
    return f.write(daten) == daten.size() && f.flush();
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
