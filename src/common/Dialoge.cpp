#include "common/Dialoge.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>
#include <QWidget>

namespace {

Dialoge*& Ersatz()
{
    static Dialoge* ersatz = nullptr;
    return ersatz;
}

QWidget* Elternfenster() { return QApplication::activeWindow(); }

// Closed, a modal dialog gives the keyboard back to the window it was opened over (not every
// window system does so by itself), the seam's boxes and the program's own dialogs alike.
class Rueckkehr : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objekt, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && objekt->isWidgetType()) {
            const auto* dialog = static_cast<QWidget*>(objekt);
            if (dialog->isWindow() && dialog->isModal() && dialog->parentWidget()) {
                QWidget* darunter = dialog->parentWidget()->window();
                if (darunter->isVisible())
                    darunter->activateWindow();
            }
        }
        return false;
    }
};

bool& Qt_Deutsch()
{
    static bool geladen = false;
    return geladen;
}

// The German texts of the buttons, whether Qt's translation is there or not.
void Knoepfe_Beschriften(QMessageBox& box)
{
    const struct {
        QMessageBox::StandardButton knopf;
        const char* text;
    } texte[] = {{QMessageBox::Ok, "OK"}, {QMessageBox::Cancel, "Abbrechen"}, {QMessageBox::Yes, "&Ja"},
                 {QMessageBox::No, "&Nein"}};
    for (const auto& t : texte)
        if (QAbstractButton* knopf = box.button(t.knopf))
            knopf->setText(QString::fromLatin1(t.text));
}

// Without Qt's translation the file dialog still names its fields and buttons in German.
void Dateidialog_Beschriften(QFileDialog& dialog, const QString& annehmen)
{
    if (Qt_Deutsch())
        return;
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept, annehmen);
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
}

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

void Rueckkehr_Einrichten()
{
    static QPointer<Rueckkehr> rueckkehr;
    if (!rueckkehr) {
        rueckkehr = new Rueckkehr(qApp);
        qApp->installEventFilter(rueckkehr);
    }
}

Dialoge& Dialoge::Aktuell()
{
    static QtDialoge echt;
    return Ersatz() ? *Ersatz() : echt;
}

void Dialoge::Setzen(Dialoge* dialoge) { Ersatz() = dialoge; }

Dialoge::Antwort QtDialoge::Meldung(const QString& text, Symbol symbol, Tasten tasten, Antwort standard,
                                    const QString& titel)
{
    Rueckkehr_Einrichten();
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
    Knoepfe_Beschriften(box);
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
    Rueckkehr_Einrichten();
    QInputDialog dialog(Elternfenster());
    dialog.setWindowTitle(titel);
    dialog.setLabelText(prompt);
    dialog.setTextValue(vorgabe);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

namespace {

std::optional<QString> Datei_Waehlen(const Dialoge::Dateiwahl& wahl, QFileDialog::AcceptMode modus,
                                     const QString& annehmen)
{
    Rueckkehr_Einrichten();
    QFileDialog dialog(Elternfenster(), wahl.Titel, Startpfad(wahl), wahl.Filter);
    dialog.setAcceptMode(modus);
    // Opening needs a file that exists; saving asks before it overwrites one.
    dialog.setFileMode(modus == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    Dateidialog_Beschriften(dialog, annehmen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return Gewaehlt(dialog.selectedFiles().constFirst());
}

}  // namespace

std::optional<QString> QtDialoge::Datei_Oeffnen(const Dateiwahl& wahl)
{
    return Datei_Waehlen(wahl, QFileDialog::AcceptOpen, QStringLiteral("Öffnen"));
}

std::optional<QString> QtDialoge::Datei_Speichern(const Dateiwahl& wahl)
{
    return Datei_Waehlen(wahl, QFileDialog::AcceptSave, QStringLiteral("Speichern"));
}

bool Qt_Deutsch_Laden()
{
    if (Qt_Deutsch())
        return true;
    static QTranslator uebersetzung;
    if (!uebersetzung.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    Qt_Deutsch() = QCoreApplication::installTranslator(&uebersetzung);
    return Qt_Deutsch();
}

void Gebietsschema_Setzen() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

Dialoge::Antwort MsgBox(const QString& text, Dialoge::Symbol symbol, Dialoge::Tasten tasten,
                        Dialoge::Antwort standard, const QString& titel)
{
    return Dialoge::Aktuell().Meldung(text, symbol, tasten, standard, titel);
}

void Schreibfehler_Melden()
{
    MsgBox(QStringLiteral("Die Datei konnte nicht geschrieben werden!"), Dialoge::Symbol::Kritisch);
}

bool Frage_Ja(const QString& text, Dialoge::Antwort standard, const QString& titel)
{
    return MsgBox(text, Dialoge::Symbol::Frage, Dialoge::Tasten::JaNein, standard, titel) == Dialoge::Antwort::Ja;
}
