#include "common/Dialoge.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

namespace {

Dialoge*& Ersatz()
{
    static Dialoge* ersatz = nullptr;
    return ersatz;
}

QWidget* Elternfenster() { return QApplication::activeWindow(); }

QString Startpfad(const Dialoge::Dateiwahl& wahl)
{
    if (wahl.Vorgabename.isEmpty())
        return wahl.Startdatei;
    return wahl.Startdatei.isEmpty() ? wahl.Vorgabename : wahl.Startdatei + QLatin1Char('/') + wahl.Vorgabename;
}

// The file dialogs give an empty name for Cancel.
std::optional<QString> Gewaehlt(const QString& datei)
{
    if (datei.isEmpty())
        return std::nullopt;
    return datei;
}

QMessageBox::StandardButton Knopf(Dialoge::Antwort a)
{
    switch (a) {
    case Dialoge::Antwort::OK: return QMessageBox::Ok;
    case Dialoge::Antwort::Abbrechen: return QMessageBox::Cancel;
    case Dialoge::Antwort::Ja: return QMessageBox::Yes;
    case Dialoge::Antwort::Nein: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

}  // namespace

Dialoge& Dialoge::Aktuell()
{
    static QtDialoge echt;
    return Ersatz() ? *Ersatz() : echt;
}

void Dialoge::Setzen(Dialoge* dialoge) { Ersatz() = dialoge; }

Dialoge::Antwort QtDialoge::Meldung(const QString& text, Symbol symbol, Tasten tasten, Antwort standard,
                                    const QString& titel)
{
    QMessageBox box(Elternfenster());
    box.setWindowTitle(titel);
    box.setText(text);
    switch (symbol) {
    case Symbol::Keins: box.setIcon(QMessageBox::NoIcon); break;
    case Symbol::Kritisch: box.setIcon(QMessageBox::Critical); break;
    case Symbol::Frage: box.setIcon(QMessageBox::Question); break;
    case Symbol::Ausruf: box.setIcon(QMessageBox::Warning); break;
    case Symbol::Information: box.setIcon(QMessageBox::Information); break;
    }
    QMessageBox::StandardButtons knoepfe;
    switch (tasten) {
    case Tasten::OK: knoepfe = QMessageBox::Ok; break;
    case Tasten::OKAbbrechen: knoepfe = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Tasten::JaNein: knoepfe = QMessageBox::Yes | QMessageBox::No; break;
    case Tasten::JaNeinAbbrechen: knoepfe = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    box.setStandardButtons(knoepfe);
    box.setDefaultButton(Knopf(standard));
    switch (box.exec()) {
    case QMessageBox::Yes: return Antwort::Ja;
    case QMessageBox::No: return Antwort::Nein;
    case QMessageBox::Cancel: return Antwort::Abbrechen;
    default: return tasten == Tasten::JaNein ? Antwort::Nein : Antwort::OK;
    }
}

std::optional<QString> QtDialoge::Eingabe(const QString& prompt, const QString& titel, const QString& vorgabe)
{
    bool ok = false;
    const QString text = QInputDialog::getText(Elternfenster(), titel, prompt, QLineEdit::Normal, vorgabe, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialoge::Datei_Oeffnen(const Dateiwahl& wahl)
{
    return Gewaehlt(QFileDialog::getOpenFileName(Elternfenster(), wahl.Titel, Startpfad(wahl), wahl.Filter));
}

std::optional<QString> QtDialoge::Datei_Speichern(const Dateiwahl& wahl)
{
    return Gewaehlt(QFileDialog::getSaveFileName(Elternfenster(), wahl.Titel, Startpfad(wahl), wahl.Filter));
}

Dialoge::Antwort MsgBox(const QString& text, Dialoge::Symbol symbol, Dialoge::Tasten tasten,
                        Dialoge::Antwort standard, const QString& titel)
{
    return Dialoge::Aktuell().Meldung(text, symbol, tasten, standard, titel);
}

bool Frage_Ja(const QString& text, Dialoge::Antwort standard, const QString& titel)
{
    return MsgBox(text, Dialoge::Symbol::Frage, Dialoge::Tasten::JaNein, standard, titel) == Dialoge::Antwort::Ja;
}
