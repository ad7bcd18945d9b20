#include "phonebook/Sicherung.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Textdatei.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Eintraege.h"
#include "phonebook/Form1.h"

#include <QFileInfo>

namespace Module1 {

namespace {

const QString Config = QStringLiteral("Config");
const QString Filter = QStringLiteral("*.orx (*.orx)");
const QChar Tab = QLatin1Char('\t');

// The save dialog with the dated name, starting in the folder given.
std::optional<QString> Speicherdatei_Waehlen(bool lokal, const QString& startordner)
{
    Dialoge::Dateiwahl wahl;
    wahl.Filter = Filter;
    wahl.Startdatei = startordner;
    wahl.Vorgabename = Sicherung_Vorgabename(lokal, QDate::currentDate());
    return Dialoge::Aktuell().Datei_Speichern(wahl);
}

// The file is remembered under the key only once it is saved.
bool Geschrieben(const QString& pfad, const QList<SicherungsZeile>& zeilen, const QString& schluessel,
                 Textdatei::Kodierung kodierung = Textdatei::Kodierung::Ansi)
{
    if (!Sicherung_Schreiben(pfad, zeilen, kodierung)) {
        Schreibfehler_Melden();
        return false;
    }
    Einstellungen::Speichern(Config, schluessel, pfad);
    return true;
}

// Whether a row of a book that was not read in full is among them.
bool Unvollstaendig_Gezeigt(const QList<SicherungsZeile>& zeilen)
{
    for (const SicherungsZeile& z : zeilen)
        if (const int buch = TBuch_Nummer(z.Ort); buch != 0 && !TBuchVollstaendig[buch])
            return true;
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
    // An empty file is an emptied list saved.
    if (!zeilen) {
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
    // A backup of part of a book, saved unasked, would later pass for the whole book.
    if (Unvollstaendig_Gezeigt(zeilen) &&
        !Frage_Ja(QStringLiteral("Das Telefonbuch wurde nicht vollständig gelesen. Möchten Sie die angezeigten "
                                 "Einträge trotzdem speichern?")))
        return;
    const QString schluessel = QStringLiteral("PATH6");
    QString startordner = Sicherung_Startordner(schluessel);
    for (;;) {
        const std::optional<QString> datei = Speicherdatei_Waehlen(false, startordner);
        if (!datei)
            return;
        const QFileInfo info(*datei);
        if (info.exists() && info.fileName().size() > 2 &&
            MsgBox(QStringLiteral("Diese Datei existiert bereits, möchten Sie sie ersetzen?"),
                   Dialoge::Symbol::Kritisch, Dialoge::Tasten::JaNein, Dialoge::Antwort::Nein,
                   QStringLiteral("Überschreiben?")) != Dialoge::Antwort::Ja) {
            startordner = info.absolutePath();  // the dialog comes back where the user was
            continue;
        }
        Geschrieben(*datei, zeilen, schluessel);
        return;
    }
}

bool Lokal_Sichern(const QList<SicherungsZeile>& zeilen, Textdatei::Kodierung kodierung)
{
    const QString schluessel = QStringLiteral("PATH7");
    const std::optional<QString> datei = Speicherdatei_Waehlen(true, Sicherung_Startordner(schluessel));
    if (!datei)
        return false;
    QList<SicherungsZeile> lokal = zeilen;
    for (SicherungsZeile& z : lokal)
        z.Index = QStringLiteral("000");
    return Geschrieben(*datei, lokal, schluessel, kodierung);
}

void Telefonbuch_Sichern()
{
    if (Form1::Geladen())
        Telefonbuch_Sichern(Form1::Instanz()->Telefonzeilen());
}

bool Lokal_Sichern() { return Form1::Geladen() && Form1::Instanz()->Lokal_Speichern(); }

}  // namespace Module1
