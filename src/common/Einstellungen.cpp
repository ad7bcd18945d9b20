#include "common/Einstellungen.h"

#include "common/Datei.h"
#include "common/Dialoge.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>
#include <functional>
#include <optional>

// The INI text is Qt's, read and written by QSettings, but only on private copies under names
// never used before: Qt's own save reports success after a failed write and cuts the file, and
// its cache would not notice a file replaced behind its back. The file itself is written whole
// by the shared safe save.
namespace Einstellungen {
namespace {

// Full key ("Section/key"; keys of [General] without a slash) to value.
using Inhalt = QMap<QString, QVariant>;

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

bool Fehlschlag_Melden()
{
    if (!Fehler_Gemeldet()) {
        Fehler_Gemeldet() = true;
        Schreibfehler_Melden();
    }
    return false;
}

// The file's bytes; empty when it does not exist, nothing when it exists but cannot be read
// (it must not be overwritten then).
std::optional<QByteArray> Bytes_Lesen(const QString& pfad)
{
    QFile f(pfad);
    if (!f.exists())
        return QByteArray();
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

// A private copy for Qt to read or change.
bool Kopie_Anlegen(const QTemporaryDir& ordner, const QString& kopie, const QByteArray& bytes)
{
    return ordner.isValid() && Datei_Sichern(kopie, bytes);
}

Inhalt Alles(const QSettings& s)
{
    Inhalt inhalt;
    for (const QString& schluessel : s.allKeys())
        inhalt.insert(schluessel, s.value(schluessel));
    return inhalt;
}

// How Qt reads the text; the last one read is kept, as most reads find the file unchanged.
Inhalt Inhalt_Von(const QByteArray& bytes)
{
    static QByteArray zuletzt;
    static Inhalt inhalt;
    static bool gelesen = false;
    if (gelesen && bytes == zuletzt)
        return inhalt;
    QTemporaryDir ordner;
    const QString kopie = ordner.filePath(QStringLiteral("lesen.ini"));
    if (!Kopie_Anlegen(ordner, kopie, bytes))
        return Inhalt();
    inhalt = Alles(QSettings(kopie, QSettings::IniFormat));
    zuletzt = bytes;
    gelesen = true;
    return inhalt;
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

// Whether Qt keeps the key through a write: its own names have no empty part. A hand-written
// section it cannot write back ("[]", "[ ]", "[/]") gives keys that it writes under other names.
bool Haltbar(const QString& schluessel)
{
    return !schluessel.startsWith(u'/') && !schluessel.endsWith(u'/') && !schluessel.contains(QLatin1String("//"));
}

// Whether every key Qt keeps reads back with its value (a cut write loses some), and the
// changed one is there exactly when it should be. Of the other keys, what Qt made of them is
// accepted.
bool Zurueckgelesen(const Inhalt& gelesen, const Inhalt& erwartet, const QString& geaendert)
{
    for (auto it = erwartet.cbegin(); it != erwartet.cend(); ++it) {
        const auto wert = gelesen.constFind(it.key());
        if (Haltbar(it.key()) && (wert == gelesen.cend() || *wert != *it))
            return false;
    }
    return gelesen.contains(geaendert) == erwartet.contains(geaendert);
}

// Lets Qt change a copy of the file as it is now, checks that what Qt wrote reads back, and
// puts it in place of the file with the shared save; false when that failed, the old file then
// stays.
bool Uebernehmen(const QString& pfad, const std::function<void(QSettings&, const QString& schluessel)>& aenderung,
                 const QString& sektion, const QString& schluessel)
{
    const std::optional<QByteArray> alt = Bytes_Lesen(pfad);
    if (!alt)
        return false;
    QTemporaryDir ordner;
    const QString kopie = ordner.filePath(QStringLiteral("schreiben.ini"));
    if (!Kopie_Anlegen(ordner, kopie, *alt))
        return false;
    Inhalt erwartet;
    QString geaendert;
    {
        QSettings s(kopie, QSettings::IniFormat);
        geaendert = Vollschluessel(Alles(s), sektion, schluessel);
        aenderung(s, geaendert);
        s.sync();
        if (s.status() == QSettings::AccessError)
            return false;
        erwartet = Alles(s);
    }
    const std::optional<QByteArray> neu = Bytes_Lesen(kopie);
    if (!neu || !Zurueckgelesen(Inhalt_Von(*neu), erwartet, geaendert))
        return false;
    if (*neu == *alt && QFile::exists(pfad))
        return true;  // the disk holds it already
    return Datei_Sichern(pfad, *neu);
}

// One change under the lock, so that the keys another instance saved meanwhile stay. A failure
// is told once a run, after the lock is free again.
bool Aendern(const std::function<void(QSettings&, const QString& schluessel)>& aenderung, const QString& sektion,
             const QString& schluessel)
{
    const QString pfad = Datei();
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    bool geaendert = false;
    {
        const Dateisperre sperre(pfad);
        geaendert = sperre.Gesperrt() && Uebernehmen(pfad, aenderung, sektion, schluessel);
    }
    return geaendert || Fehlschlag_Melden();
}

}  // namespace

QString Datei()
{
    if (!Dateipfad().isEmpty())
        return Dateipfad();
    const QString env = qEnvironmentVariable("ORX_EINSTELLUNGEN");
    if (!env.isEmpty())
        return env;
    // Where Qt's INI format keeps it for the user.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ORX2000/ORX2000.ini");
}

void Datei_Setzen(const QString& pfad) { Dateipfad() = pfad; }

void Fehlermeldung_Zuruecksetzen() { Fehler_Gemeldet() = false; }

QString Lesen(const QString& sektion, const QString& schluessel, const QString& vorgabe)
{
    const Inhalt inhalt = Inhalt_Von(Bytes_Lesen(Datei()).value_or(QByteArray()));
    const auto it = inhalt.constFind(Vollschluessel(inhalt, sektion, schluessel));
    // A list reads as no text, as it always did.
    return it == inhalt.cend() ? vorgabe : it->toString();
}

bool Speichern(const QString& sektion, const QString& schluessel, const QString& wert)
{
    return Aendern([&wert](QSettings& s, const QString& key) { s.setValue(key, wert); }, sektion, schluessel);
}

bool Loeschen(const QString& sektion, const QString& schluessel)
{
    return Aendern([](QSettings& s, const QString& key) { s.remove(key); }, sektion, schluessel);
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
