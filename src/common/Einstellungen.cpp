#include "common/Einstellungen.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace Einstellungen {
namespace {

QString& Dateipfad()
{
    static QString pfad;
    return pfad;
}

QString Gefunden(const QStringList& namen, const QString& gesucht)
{
    for (const QString& n : namen)
        if (n.compare(gesucht, Qt::CaseInsensitive) == 0)
            return n;
    return gesucht;
}

// Opens the store with the group of the section entered and returns the stored spelling of the key.
QString Oeffnen(QSettings& s, const QString& sektion, const QString& schluessel)
{
    s.beginGroup(Gefunden(s.childGroups(), sektion));
    return Gefunden(s.childKeys(), schluessel);
}

}  // namespace

QString Datei()
{
    if (!Dateipfad().isEmpty())
        return Dateipfad();
    const QString env = qEnvironmentVariable("ORX_EINSTELLUNGEN");
    if (!env.isEmpty())
        return env;
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("ORX2000"), QStringLiteral("ORX2000"));
    return s.fileName();
}

void Datei_Setzen(const QString& pfad) { Dateipfad() = pfad; }

QString Lesen(const QString& sektion, const QString& schluessel, const QString& vorgabe)
{
    QSettings s(Datei(), QSettings::IniFormat);
    const QString key = Oeffnen(s, sektion, schluessel);
    return s.contains(key) ? s.value(key).toString() : vorgabe;
}

void Speichern(const QString& sektion, const QString& schluessel, const QString& wert)
{
    QSettings s(Datei(), QSettings::IniFormat);
    const QString key = Oeffnen(s, sektion, schluessel);
    s.setValue(key, wert);
    s.endGroup();
    s.sync();
}

void Loeschen(const QString& sektion, const QString& schluessel)
{
    QSettings s(Datei(), QSettings::IniFormat);
    const QString key = Oeffnen(s, sektion, schluessel);
    s.remove(key);
    s.endGroup();
    s.sync();
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
