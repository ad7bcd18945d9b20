#include "phonebook/Sicherung.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Textdatei.h"
#include "phonebook/Form1.h"

#include <QFileInfo>

namespace Module1 {

namespace {

const QString Config = QStringLiteral("Config");
const QString Filter = QStringLiteral("*.orx (*.orx)");
const QChar Tab = QLatin1Char('\t');

// The save dialog with the dated name; the chosen file is remembered under the key.
std::optional<QString> Speicherdatei_Waehlen(bool lokal, const QString& schluessel)
{
    Dialoge::Dateiwahl wahl;
    wahl.Filter = Filter;
    wahl.Startdatei = Sicherung_Startordner(schluessel);
    wahl.Vorgabename = Sicherung_Vorgabename(lokal, QDate::currentDate());
    const std::optional<QString> datei = Dialoge::Aktuell().Datei_Speichern(wahl);
    if (datei)
        Einstellungen::Speichern(Config, schluessel, *datei);
    return datei;
}

bool Geschrieben(const QString& pfad, const QList<SicherungsZeile>& zeilen,
                 Textdatei::Kodierung kodierung = Textdatei::Kodierung::Ansi)
{
    if (Sicherung_Schreiben(pfad, zeilen, kodierung))
        return true;
    Schreibfehler_Melden();
    return false;
}

}  // namespace

std::optional<SicherungsZeile> SicherungsZeile_Lesen(const QString& zeile)
{
    const QStringList teile = zeile.split(Tab);
    if (teile.size() < 5)
        return std::nullopt;
    SicherungsZeile z{teile[0], teile[1], teile[2], teile[3], teile.mid(4).join(Tab)};
    return z;
}

QString SicherungsZeile_Schreiben(const SicherungsZeile& z)
{
    return Textdatei::Felder_Verbinden({z.Ort, z.Index, z.Name, z.Nummer, z.Merker});
}

int Ort_Symbol(const QString& ort)
{
    static const struct {
        const char16_t* ort;
        int symbol;
    } tabelle[] = {{u"SIM", 1},     {u"TELEFON", 4}, {u"FESTE", 2},
                   {u"EIGENE", 3},  {u"ZULETZT", 5}, {u"VERSÄUMT", 6}};
    for (const auto& t : tabelle)
        if (ort == QStringView(t.ort))
            return t.symbol;
    return 0;
}

Sicherung Sicherung_Lesen(const QString& pfad)
{
    Sicherung s;
    const std::optional<QStringList> zeilen = Textdatei::Lesen(pfad, Textdatei::Kodierung::Ansi, &s.Kodierung);
    // An empty file fails on its first read, as it always has.
    if (!zeilen || zeilen->isEmpty()) {
        s.Fehler = true;
        return s;
    }
    for (const QString& zeile : *zeilen) {
        const std::optional<SicherungsZeile> z = SicherungsZeile_Lesen(zeile);
        if (!z) {
            s.Fehler = true;
            break;
        }
        s.Zeilen << *z;
    }
    return s;
}

bool Sicherung_Schreiben(const QString& pfad, const QList<SicherungsZeile>& zeilen, Textdatei::Kodierung kodierung)
{
    QStringList text;
    text.reserve(zeilen.size());
    for (const SicherungsZeile& z : zeilen)
        text << SicherungsZeile_Schreiben(z);
    return Textdatei::Schreiben(pfad, text, kodierung);
}

QString Sicherung_Vorgabename(bool lokal, const QDate& datum)
{
    // The German date whatever the locale: a "/" would be a folder.
    return (lokal ? QStringLiteral("Sicherung (lokal) vom ") : QStringLiteral("Sicherung vom ")) +
           datum.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(".orx");
}

QString Sicherung_Startordner(const QString& schluessel)
{
    const QString datei = Einstellungen::Lesen(Config, schluessel);
    return datei.isEmpty() ? Programmordner() : QFileInfo(datei).absolutePath();
}

void Telefonbuch_Sichern(const QList<SicherungsZeile>& zeilen)
{
    if (zeilen.isEmpty())
        return;
    for (;;) {
        const std::optional<QString> datei = Speicherdatei_Waehlen(false, QStringLiteral("PATH6"));
        if (!datei)
            return;
        const QFileInfo info(*datei);
        if (info.exists() && info.fileName().size() > 2 &&
            MsgBox(QStringLiteral("Diese Datei existiert bereits, möchten Sie sie ersetzen?"),
                   Dialoge::Symbol::Kritisch, Dialoge::Tasten::JaNein, Dialoge::Antwort::Nein,
                   QStringLiteral("Überschreiben?")) != Dialoge::Antwort::Ja)
            continue;
        Geschrieben(*datei, zeilen);
        return;
    }
}

bool Lokal_Sichern(const QList<SicherungsZeile>& zeilen, Textdatei::Kodierung kodierung)
{
    if (zeilen.isEmpty())
        return false;
    const std::optional<QString> datei = Speicherdatei_Waehlen(true, QStringLiteral("PATH7"));
    if (!datei)
        return false;
    QList<SicherungsZeile> lokal = zeilen;
    for (SicherungsZeile& z : lokal)
        z.Index = QStringLiteral("000");
    return Geschrieben(*datei, lokal, kodierung);
}

void Telefonbuch_Sichern()
{
    if (Form1::Geladen())
        Telefonbuch_Sichern(Form1::Instanz()->Telefonzeilen());
}

bool Lokal_Sichern() { return Form1::Geladen() && Form1::Instanz()->Lokal_Speichern(); }

}  // namespace Module1
