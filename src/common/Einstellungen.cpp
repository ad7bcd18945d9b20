#include "common/Einstellungen.h"

#include "common/Datei.h"
#include "common/Dialoge.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <QStringDecoder>
#include <optional>

// The INI text is read and written here, in the very form Qt's INI format gives it (sections
// and keys sorted, the same escapes), so that files of earlier versions read and rewrite the
// same. Qt's own writer is not used: it reports success after a failed write and cuts the file.
namespace Einstellungen {
namespace {

QString& Dateipfad()
{
    static QString pfad;
    return pfad;
}

bool& Fehler_Gemeldet()
{
    static bool gemeldet = false;
    return gemeldet;
}

// One value as it stands in the file before its escapes: "@@x" for the text "@x", "@ByteArray(...)"
// and the like for values this program never writes. A list held an unquoted comma.
struct Wert {
    QStringList teile;
    bool liste = false;
};

// Full key ("Section/key", root keys without a slash) to value, sorted as Qt sorts them.
using Inhalt = QMap<QString, Wert>;

bool Ist_Leerraum(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool Ist_Besonders(char c) { return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\'; }

int Hexwert(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int Oktalwert(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

// One logical line: a comment, a line end inside quotes or after a backslash belongs to it.
bool Zeile_Lesen(QByteArrayView d, qsizetype& pos, qsizetype& anfang, qsizetype& laenge, qsizetype& gleich)
{
    const qsizetype n = d.size();
    bool inAnfuehrung = false;
    gleich = -1;
    anfang = pos;
    while (anfang < n && Ist_Leerraum(d[anfang]))
        ++anfang;
    qsizetype i = anfang;
    while (i < n) {
        char c = d[i];
        while (!Ist_Besonders(c)) {
            if (++i == n)
                goto ende;
            c = d[i];
        }
        ++i;
        if (c == '=') {
            if (!inAnfuehrung && gleich == -1)
                gleich = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == anfang + 1) {
                ++anfang;
            } else if (!inAnfuehrung) {
                --i;
                goto ende;
            }
        } else if (c == '\\') {
            if (i < n) {
                const char c1 = d[i++];
                if (i < n) {
                    const char c2 = d[i];
                    if ((c1 == '\n' && c2 == '\r') || (c1 == '\r' && c2 == '\n'))
                        ++i;
                }
            }
        } else if (c == '"') {
            inAnfuehrung = !inAnfuehrung;
        } else {  // ';'
            if (i == anfang + 1) {
                while (i < n && d[i] != '\n' && d[i] != '\r')
                    ++i;
                while (i < n && Ist_Leerraum(d[i]))
                    ++i;
                anfang = i;
            } else if (!inAnfuehrung) {
                --i;
                goto ende;
            }
        }
    }
ende:
    pos = i;
    laenge = i - anfang;
    return laenge > 0;
}

// "%XX" and "%UXXXX" stand for a character, a backslash for a slash.
QString Schluessel_Entschluesseln(QByteArrayView roh)
{
    const QString text = QString::fromUtf8(roh);
    QString ergebnis;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'\\') {
            ergebnis += u'/';
            ++i;
            continue;
        }
        if (c != u'%' || i == n - 1) {
            ergebnis += c;
            ++i;
            continue;
        }
        int ziffern = 2;
        qsizetype erste = i + 1;
        if (text[i + 1] == u'U') {
            ++erste;
            ziffern = 4;
        }
        bool ok = false;
        const ushort code = erste + ziffern > n ? 0 : QStringView(text).sliced(erste, ziffern).toUShort(&ok, 16);
        if (!ok) {
            ergebnis += u'%';
            ++i;
            continue;
        }
        ergebnis += QChar(code);
        i = erste + ziffern;
    }
    return ergebnis;
}

void Leerraum_Abschneiden(QString& s, qsizetype grenze)
{
    while (s.size() > grenze && (s.back() == u' ' || s.back() == u'\t'))
        s.chop(1);
}

// Quotes, C escapes and unquoted commas (which make a list); blanks around a part go.
Wert Wert_Entschluesseln(QByteArrayView s)
{
    static const char escapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                                      {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    Wert wert;
    QString text;
    bool inAnfuehrung = false;
    bool angefuehrt = false;
    char32_t code = 0;
    qsizetype i = 0;
    qsizetype grenze = 0;
    char c = 0;
    QStringDecoder utf8(QStringDecoder::Utf8);

leerraum:
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
normal:
    grenze = text.size();
    while (i < s.size()) {
        switch (s[i]) {
        case '\\':
            ++i;
            if (i >= s.size())
                goto ende;
            c = s[i++];
            for (const auto& e : escapes) {
                if (c == e[0]) {
                    text += QLatin1Char(e[1]);
                    goto normal;
                }
            }
            if (c == 'x') {
                code = 0;
                if (i >= s.size())
                    goto ende;
                if (Hexwert(s[i]) >= 0)
                    goto hex;
            } else if (Oktalwert(c) >= 0) {
                code = char32_t(Oktalwert(c));
                goto oktal;
            } else if (c == '\n' || c == '\r') {
                if (i < s.size() && (s[i] == '\n' || s[i] == '\r') && s[i] != c)
                    ++i;
            }
            grenze = text.size();
            break;
        case '"':
            ++i;
            angefuehrt = true;
            inAnfuehrung = !inAnfuehrung;
            if (!inAnfuehrung)
                goto leerraum;
            break;
        case ',':
            if (!inAnfuehrung) {
                if (!angefuehrt)
                    Leerraum_Abschneiden(text, grenze);
                wert.liste = true;
                wert.teile.append(text);
                text.clear();
                angefuehrt = false;
                ++i;
                goto leerraum;
            }
            Q_FALLTHROUGH();
        default: {
            qsizetype j = i + 1;
            while (j < s.size() && s[j] != '\\' && s[j] != '"' && s[j] != ',')
                ++j;
            text += utf8(s.sliced(i, j - i));
            i = j;
        }
        }
    }
    if (!angefuehrt)
        Leerraum_Abschneiden(text, grenze);
    goto ende;

hex:
    while (i < s.size() && Hexwert(s[i]) >= 0)
        code = (code << 4) + char32_t(Hexwert(s[i++]));
    text += QChar(char16_t(code));
    if (i < s.size())
        goto normal;
    goto ende;

oktal:
    while (i < s.size() && Oktalwert(s[i]) >= 0)
        code = (code << 3) + char32_t(Oktalwert(s[i++]));
    text += QChar(char16_t(code));
    if (i < s.size())
        goto normal;

ende:
    wert.teile.append(text);
    return wert;
}

// The form a text takes in the file before its escapes.
QString Schreibform(const QString& text)
{
    if (text.contains(QChar::Null))
        return QStringLiteral("@String(") + text + u')';
    return text.startsWith(u'@') ? u'@' + text : text;
}

bool Ist_Sonderwert(const QString& s)
{
    if (s == QLatin1String("@Invalid()"))
        return true;
    if (!s.endsWith(u')'))
        return false;
    for (const char* vorsatz : {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("})
        if (s.startsWith(QLatin1String(vorsatz)))
            return true;
    return false;
}

// A text read as Qt reads it.
QString Textwert(const QString& s)
{
    if (!s.startsWith(u'@'))
        return s;
    if (s.endsWith(u')') && s.startsWith(QLatin1String("@String(")))
        return s.sliced(8).chopped(1);
    if (s.endsWith(u')') && s.startsWith(QLatin1String("@ByteArray(")))
        return QString::fromUtf8(QStringView(s).sliced(11).chopped(1).toLatin1());
    if (s == QLatin1String("@Invalid()"))
        return QString();
    return s.startsWith(QLatin1String("@@")) ? s.sliced(1) : s;
}

// What is written for a part read from a file: Qt's values keep their form, a text its own.
QString Normalform(const QString& s)
{
    if (!Ist_Sonderwert(s))
        return Schreibform(Textwert(s));
    if (s.startsWith(QLatin1String("@ByteArray(")))  // its bytes, as Qt keeps them
        return QStringLiteral("@ByteArray(") + QString::fromLatin1(QStringView(s).sliced(11).chopped(1).toLatin1()) + u')';
    return s;
}

Inhalt Ini_Lesen(QByteArrayView d)
{
    if (d.startsWith("\xEF\xBB\xBF"))
        d = d.sliced(3);
    Inhalt inhalt;
    QString sektion;
    qsizetype pos = 0, anfang = 0, laenge = 0, gleich = -1;
    while (Zeile_Lesen(d, pos, anfang, laenge, gleich)) {
        const QByteArrayView zeile = d.sliced(anfang, laenge);
        if (zeile.startsWith('[')) {
            qsizetype ende = zeile.indexOf(']');
            if (ende < 0)
                ende = laenge;
            const QByteArrayView name = zeile.first(ende).sliced(1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0) {
                sektion.clear();
            } else {
                if (name.compare("%general", Qt::CaseInsensitive) == 0)
                    sektion = QString::fromLatin1(name.sliced(1));
                else
                    sektion = Schluessel_Entschluesseln(name);
                sektion += u'/';
            }
            continue;
        }
        if (gleich < 0)
            continue;
        const qsizetype g = gleich - anfang;
        Wert wert = Wert_Entschluesseln(zeile.sliced(g + 1));
        for (QString& teil : wert.teile)
            teil = Normalform(teil);
        inhalt.insert(sektion + Schluessel_Entschluesseln(zeile.first(g).trimmed()), wert);
    }
    return inhalt;
}

void Schluessel_Verschluesseln(const QString& schluessel, QByteArray& ergebnis)
{
    static const char ziffern[] = "0123456789ABCDEF";
    for (const QChar qc : schluessel) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            ergebnis += '\\';
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
                   c == u'-' || c == u'.') {
            ergebnis += char(c);
        } else if (c <= 0xFF) {
            ergebnis += '%';
            ergebnis += ziffern[c / 16];
            ergebnis += ziffern[c % 16];
        } else {
            ergebnis += "%U";
            for (int k = 3; k >= 0; --k)
                ergebnis += ziffern[(c >> (4 * k)) & 0xF];
        }
    }
}

void Text_Verschluesseln(const QString& text, QByteArray& ergebnis)
{
    const bool utf8 = !(text.startsWith(QLatin1String("@ByteArray(")) || text.startsWith(QLatin1String("@Variant(")));
    const qsizetype start = ergebnis.size();
    bool anfuehren = false;
    bool hexFolgt = false;  // a hex digit after "\x.." would extend the escape
    QStringEncoder kodierer(QStringEncoder::Utf8);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u';' || c == u',' || c == u'=')
            anfuehren = true;
        if (hexFolgt && c < 0x80 && Hexwert(char(c)) >= 0) {
            ergebnis += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        hexFolgt = false;
        switch (c) {
        case u'\0': ergebnis += "\\0"; hexFolgt = true; break;
        case u'\a': ergebnis += "\\a"; break;
        case u'\b': ergebnis += "\\b"; break;
        case u'\f': ergebnis += "\\f"; break;
        case u'\n': ergebnis += "\\n"; break;
        case u'\r': ergebnis += "\\r"; break;
        case u'\t': ergebnis += "\\t"; break;
        case u'\v': ergebnis += "\\v"; break;
        case u'"': ergebnis += "\\\""; break;
        case u'\\': ergebnis += "\\\\"; break;
        default:
            if (c <= 0x1F || (c >= 0x7F && !utf8)) {
                ergebnis += "\\x" + QByteArray::number(c, 16);
                hexFolgt = true;
            } else if (utf8) {
                ergebnis += kodierer(QStringView(&qc, 1));
            } else {
                ergebnis += char(c);
            }
        }
    }
    if (anfuehren || (start < ergebnis.size() && (ergebnis.at(start) == ' ' || ergebnis.back() == ' '))) {
        ergebnis.insert(start, '"');
        ergebnis += '"';
    }
}

QByteArray Ini_Schreiben(const Inhalt& inhalt)
{
    // Sections by name, their keys by the name within the section.
    QMap<QString, QMap<QString, const Wert*>> sektionen;
    for (auto it = inhalt.cbegin(); it != inhalt.cend(); ++it) {
        const qsizetype strich = it.key().indexOf(u'/');
        if (strich < 0)
            sektionen[QString()][it.key()] = &it.value();
        else
            sektionen[it.key().left(strich)][it.key().sliced(strich + 1)] = &it.value();
    }
    QByteArray text;
    for (auto s = sektionen.cbegin(); s != sektionen.cend(); ++s) {
        QByteArray kopf;
        Schluessel_Verschluesseln(s.key(), kopf);
        if (kopf.isEmpty())
            kopf = "General";
        else if (kopf.compare("general", Qt::CaseInsensitive) == 0)
            kopf = "%General";
        if (s != sektionen.cbegin())
            text += '\n';
        text += '[' + kopf + "]\n";
        for (auto it = s->cbegin(); it != s->cend(); ++it) {
            Schluessel_Verschluesseln(it.key(), text);
            text += '=';
            const QStringList& teile = it.value()->teile;
            for (qsizetype k = 0; k < teile.size(); ++k) {
                if (k > 0)
                    text += ", ";
                Text_Verschluesseln(teile[k], text);
            }
            text += '\n';
        }
    }
    return text;
}

// The file's content; nothing when it exists but cannot be read (it must not be overwritten then).
std::optional<Inhalt> Inhalt_Lesen()
{
    QFile f(Datei());
    if (!f.exists())
        return Inhalt();
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return Ini_Lesen(f.readAll());
}

// The stored spelling of the key: the first section that matches without regard to case, then
// the first of its keys; the names as given when there is none.
QString Vollschluessel(const Inhalt& inhalt, const QString& sektion, const QString& schluessel)
{
    QString gruppe = sektion;
    for (auto it = inhalt.cbegin(); it != inhalt.cend(); ++it) {
        const qsizetype strich = it.key().indexOf(u'/');
        if (strich >= 0 && QStringView(it.key()).first(strich).compare(sektion, Qt::CaseInsensitive) == 0) {
            gruppe = it.key().first(strich);
            break;
        }
    }
    const QString vorsatz = gruppe + u'/';
    for (auto it = inhalt.lowerBound(vorsatz); it != inhalt.cend() && it.key().startsWith(vorsatz); ++it) {
        const QStringView name = QStringView(it.key()).sliced(vorsatz.size());
        if (!name.contains(u'/') && name.compare(schluessel, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return vorsatz + schluessel;
}

bool Fehlschlag_Melden()
{
    if (!Fehler_Gemeldet()) {
        Fehler_Gemeldet() = true;
        Schreibfehler_Melden();
    }
    return false;
}

// The whole file through the shared save; a failure keeps the old file and is told once a run.
bool Inhalt_Sichern(const Inhalt& inhalt)
{
    const QString pfad = Datei();
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    return Datei_Sichern(pfad, Ini_Schreiben(inhalt)) || Fehlschlag_Melden();
}

}  // namespace

QString Datei()
{
    if (!Dateipfad().isEmpty())
        return Dateipfad();
    const QString env = qEnvironmentVariable("ORX_EINSTELLUNGEN");
    if (!env.isEmpty())
        return env;
    // Where Qt's INI format kept it for the user.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ORX2000/ORX2000.ini");
}

void Datei_Setzen(const QString& pfad) { Dateipfad() = pfad; }

void Fehlermeldung_Zuruecksetzen() { Fehler_Gemeldet() = false; }

QString Lesen(const QString& sektion, const QString& schluessel, const QString& vorgabe)
{
    const Inhalt inhalt = Inhalt_Lesen().value_or(Inhalt());
    const auto it = inhalt.constFind(Vollschluessel(inhalt, sektion, schluessel));
    if (it == inhalt.cend())
        return vorgabe;
    // A list reads as no text, as it always did.
    return it->liste ? QString() : Textwert(it->teile.value(0));
}

bool Speichern(const QString& sektion, const QString& schluessel, const QString& wert)
{
    std::optional<Inhalt> inhalt = Inhalt_Lesen();
    if (!inhalt)
        return Fehlschlag_Melden();
    Wert& eintrag = (*inhalt)[Vollschluessel(*inhalt, sektion, schluessel)];
    const QStringList teile{Schreibform(wert)};
    if (!eintrag.liste && eintrag.teile == teile && QFile::exists(Datei()))
        return true;  // the disk holds it already
    eintrag = Wert{teile, false};
    return Inhalt_Sichern(*inhalt);
}

bool Loeschen(const QString& sektion, const QString& schluessel)
{
    std::optional<Inhalt> inhalt = Inhalt_Lesen();
    if (!inhalt)
        return Fehlschlag_Melden();
    const QString key = Vollschluessel(*inhalt, sektion, schluessel);
    // Keys below it go with it, as in Qt's store.
    qsizetype entfernt = inhalt->remove(key);
    for (auto it = inhalt->lowerBound(key + u'/'); it != inhalt->end() && it.key().startsWith(key + u'/');) {
        it = inhalt->erase(it);
        ++entfernt;
    }
    return entfernt == 0 || Inhalt_Sichern(*inhalt);
}

int Zahl_Lesen(const QString& sektion, const QString& schluessel, int vorgabe)
{
    bool ok = false;
    const int wert = Lesen(sektion, schluessel).trimmed().toInt(&ok);
    return ok ? wert : vorgabe;
}

bool Wahrheit_Lesen(const QString& sektion, const QString& schluessel, bool vorgabe)
{
    const QString text = Lesen(sektion, schluessel).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double zahl = text.toDouble(&ok);
    return ok ? zahl != 0 : vorgabe;
}

}  // namespace Einstellungen

QString Programmordner()
{
    QString ordner = qEnvironmentVariable("ORX_PROGRAMMORDNER");
    if (ordner.isEmpty())
        ordner = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ORX2000");
    QDir().mkpath(ordner);
    return ordner;
}
