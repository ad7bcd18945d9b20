#include "sms/Form6.h"

#include "app/MDIForm1.h"
#include "common/Dialoge.h"
#include "common/Einfuegen.h"
#include "common/Einstellungen.h"
#include "common/Knoepfe.h"
#include "common/Platzierung.h"
#include "common/Textdatei.h"
#include "common/Zeichen.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "phonebook/Form1.h"
#include "sms/Form26.h"
#include "sms/Form27.h"
#include "sms/Form7.h"
#include "sms/Form8.h"
#include "sms/PDU.h"
#include "sms/SMSAlphabet.h"
#include "sms/SMSAntworten.h"
#include "sms/SMSLesen.h"
#include "sms/SendeLog.h"
#include "sms/Servicecenter.h"
#include "ui_Form6.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <tuple>

using namespace Module1;

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("SMSSenden"), 0, 0, -1, -1, false};
constexpr int MindestBreite = 7845;  // twips: Frame2 (7665) and its borders, so no option is cut
constexpr int MindestHoehe = 5670;

const QString Settings = QStringLiteral("Settings");

int Pixel_Aufgerundet(int twips) { return static_cast<int>(std::ceil(twips / double(Platzierung::TwipsJePixel))); }

void Nummer_Falsch() { MsgBox(QStringLiteral("Für die Rufnummer bitte nur 0-9, '#', '*' und '+' verwenden!")); }
void Kein_Empfaenger() { MsgBox(QStringLiteral("Keinen Empfänger angegeben!")); }

// A character without GSM code goes out as "?": only when the user agrees.
bool Text_Sendbar(const QString& text)
{
    return SMS_Kodierbar(text) || Frage_Ja(QStringLiteral("Der Text enthält Zeichen, die das Handy nicht senden "
                                                          "kann. Sie werden als ? gesendet. Trotzdem senden?"));
}

}  // namespace

std::function<QDateTime()> Form6::Uhr = [] { return QDateTime::currentDateTime(); };
std::function<bool(const QString&)> Form6::Editor_Starten = [](const QString& datei) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {datei});
};

Form6::Form6() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form6>())
{
    ui->setupUi(this);
    Frame2 = ui->Frame2;
    Frame1 = ui->Frame1;
    Text6 = ui->Text6;
    ui->Text6->Hoechstlaenge_Setzen(Hoechstlaenge);  // characters: the septets are counted on change
    Toolbar3 = ui->Toolbar3;
    Frame19 = ui->Frame19;
    Text8 = ui->Text8;
    Command30 = ui->Command30;
    List3 = ui->List3;
    Toolbar2 = ui->Toolbar2;
    Toolbar5 = ui->Toolbar5;
    Frame13 = ui->Frame13;
    Label2 = ui->Label2;
    Combo2 = ui->Combo2;
    Command52 = ui->Command52;
    Command51 = ui->Command51;
    Command53 = ui->Command53;
    Label1 = ui->Label1;
    Combo3 = ui->Combo3;
    Toolbar1 = ui->Toolbar1;
    Label14 = ui->Label14;
    Command49 = ui->Command49;
    Command55 = ui->Command55;
    Command26 = ui->Command26;
    Command23 = ui->Command23;
    Leisten_Aufbauen();

    connect(Text6->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int hinzu) { m_aenderungEnde = position + hinzu; });
    connect(Text6, &QTextEdit::textChanged, this, [this] { Text6_Change(); });
    connect(Text8, &QLineEdit::returnPressed, this, [this] { Command30_Click(); });
    connect(Command30, &QPushButton::clicked, this, [this] { Command30_Click(); });
    connect(Combo2, qOverload<int>(&QComboBox::activated), this, [this] { Combo2_Click(); });
    connect(Combo3, qOverload<int>(&QComboBox::currentIndexChanged), this, [](int index) {
        Einstellungen::Speichern(QStringLiteral("SMS"), QStringLiteral("Dauer"), QString::number(index));
    });
    connect(Command51, &QPushButton::clicked, this, [this] { Command51_Click(); });
    connect(Command52, &QPushButton::clicked, this, [this] { Command52_Click(); });
    connect(Command53, &QPushButton::clicked, this, [this] { Command53_Click(); });
    connect(Command49, &QPushButton::clicked, this, [this] { Command49_Click(); });
    connect(Command55, &QPushButton::clicked, this, [this] { SMS_SPEICHERN(); });
    connect(Command26, &QPushButton::clicked, this, [this] { SMS_VERSENDEN(); });
    connect(Command23, &QPushButton::clicked, this, [this] { Command23_Click(); });
}

Form6::~Form6() = default;

Form6* Form6::Instanz()
{
    return Einzelfenster_Holen<Form6>([] { return new Form6(); }, &Form6::Form_Load);
}

bool Form6::Geladen() { return !Einzelfenster<Form6>().isNull(); }

void Form6::Empfaenger_Vorher_Leeren()
{
    if (List3->count() > 0 &&
        MsgBox(QStringLiteral("Sollen die SMS-Empfängerliste vorher gelöscht werden?"), Dialoge::Symbol::Frage,
               Dialoge::Tasten::JaNein, Dialoge::Antwort::Ja) == Dialoge::Antwort::Ja)
        List3->clear();
}

void Form6::Zum_Schreiben_Zeigen()
{
    if (MDIForm1* haupt = MDIForm1::Instanz())
        haupt->Kind_Zeigen(this);
    else
        show();
    raise();
    activateWindow();
    Text6->setFocus();
}

QString Form6::SendeLog_Datei() { return QDir(Programmordner()).filePath(QStringLiteral("SMSLOG.TXT")); }

QAction* Form6::Knopf(const QToolBar* leiste, const QString& schluessel)
{
    return Knopf_Suchen(leiste, schluessel);
}

void Form6::Leisten_Aufbauen()
{
    auto knopf = [](QToolBar* leiste, const char* schluessel, const QString& tipp, const QIcon& bild) {
        return Knopf_Anlegen(leiste, QLatin1String(schluessel), tipp, bild);
    };
    QStyle* s = style();
    for (auto [schluessel, tipp, bild] :
         {std::tuple{"open", u"Textdatei öffnen", QStyle::SP_DialogOpenButton},
          std::tuple{"pic", u"SMS-Bild einfügen", QStyle::SP_FileDialogContentsView},
          std::tuple{"preview", u"Vorschau", QStyle::SP_FileDialogDetailedView}}) {
        const QString k = QLatin1String(schluessel);
        connect(knopf(Toolbar3, schluessel, QString::fromUtf16(tipp), s->standardIcon(bild)), &QAction::triggered, this,
                [this, k] { Toolbar3_ButtonClick(k); });
    }
    for (auto [schluessel, tipp, bild] : {std::tuple{"kill", u"ausgewählten Eintrag löschen", QStyle::SP_DialogDiscardButton},
                                          std::tuple{"kill2", u"gesamte Liste löschen", QStyle::SP_TrashIcon}}) {
        const QString k = QLatin1String(schluessel);
        connect(knopf(Toolbar2, schluessel, QString::fromUtf16(tipp), s->standardIcon(bild)), &QAction::triggered, this,
                [this, k] { Toolbar2_ButtonClick(k); });
    }
    connect(knopf(Toolbar5, "load", QStringLiteral("Empfänger aus Telefonbuch auswählen"),
                  s->standardIcon(QStyle::SP_FileDialogListView)),
            &QAction::triggered, this, [this] { Toolbar5_ButtonClick(); });

    // Display and report options: captions, check style, one of the first two always down.
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Leiste_Ohne_Rand(Toolbar1);  // the four captions fill the row
    auto* anzeige = new QActionGroup(Toolbar1);
    anzeige->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    static const struct {
        const char* schluessel;
        const char16_t* text;
        const char16_t* tipp;
        bool gedrueckt;
    } optionen[] = {
        {"normal", u"Normal anzeigen", u"SMS beim Empfänger normal anzeigen", true},
        {"direkt", u"Direkt anzeigen*", u"SMS beim Empfänger direkt(*) anzeigen", false},
        {"report", u"Übermittlungsreport*", u"Übermittlungsreport anfordern (*)", false},
        {"log", u"SMS in Logfile speichern", u"Gesendete SMS in Logfile speichern", true},
    };
    for (const auto& o : optionen) {
        QAction* a = knopf(Toolbar1, o.schluessel, QString::fromUtf16(o.tipp), QIcon());
        a->setText(QString::fromUtf16(o.text));
        a->setCheckable(true);
        a->setChecked(o.gedrueckt);
        if (a->objectName() == QLatin1String("normal") || a->objectName() == QLatin1String("direkt"))
            anzeige->addAction(a);
        connect(a, &QAction::triggered, this, [this] { Toolbar1_ButtonClick(); });
    }
}

bool Form6::Knopf_Gedrueckt(const char* schluessel) const
{
    const QAction* a = Knopf(Toolbar1, QLatin1String(schluessel));
    return a && a->isChecked();
}

void Form6::Form_Load()
{
    // The duration as stored, saved again; an unknown value is the longest.
    bool zahl = false;
    int dauer = Einstellungen::Lesen(QStringLiteral("SMS"), QStringLiteral("Dauer"), QStringLiteral("0")).toInt(&zahl);
    if (!zahl || dauer < 0 || dauer >= Combo3->count())
        dauer = 0;
    Combo3->setCurrentIndex(dauer);
    Einstellungen::Speichern(QStringLiteral("SMS"), QStringLiteral("Dauer"), QString::number(dauer));

    if (MDIForm1* haupt = MDIForm1::Instanz())
        haupt->Kind_Zeigen(this);

    // "1" presses a button, "0" releases it (or presses the other of the pair); any other value
    // leaves it as designed.
    const auto setzen = [this](const char* einstellung, const char* vorgabe, const char* an, const char* aus) {
        const QString wert = Einstellungen::Lesen(Settings, QLatin1String(einstellung), QLatin1String(vorgabe));
        if (wert == QLatin1String("1"))
            Knopf(Toolbar1, QLatin1String(an))->setChecked(true);
        else if (wert == QLatin1String("0") && aus)
            Knopf(Toolbar1, QLatin1String(aus))->setChecked(true);
        else if (wert == QLatin1String("0"))
            Knopf(Toolbar1, QLatin1String(an))->setChecked(false);
    };
    setzen("ShowSMSFlash", "0", "direkt", "normal");
    setzen("SMSReport", "0", "report", nullptr);
    setzen("LOGSMS", "1", "log", nullptr);

    Servicecenter_Laden();
    if (Verbindung_Bereit())
        Command52_Click();
}

// ---- Text -------------------------------------------------------------------------------

void Form6::Text6_Change()
{
    const QString text = Text6->toPlainText();
    const int septette = SMS_Septettzahl(text);
    if (septette > Hoechstlaenge) {
        // Like a text box with a length limit: what was typed or set last loses its end. The
        // limit counts septets, so a character of the extension table counts twice.
        const int ende = std::clamp(m_aenderungEnde, 0, int(text.size()));
        QTextCursor schnitt(Text6->document());
        schnitt.setPosition(int(SMS_Begrenzen(text, ende, Hoechstlaenge).Cursor));
        schnitt.setPosition(ende, QTextCursor::KeepAnchor);
        schnitt.removeSelectedText();  // changes the text again, and that change updates the rest
        if (SMS_Septettzahl(Text6->toPlainText()) > Hoechstlaenge)
            Text6->setPlainText(SMS_Kuerzen(Text6->toPlainText(), Hoechstlaenge));
        return;
    }
    Frame1->setTitle(QStringLiteral("SMS-Text (%1 Zeichen verbleiben):").arg(Hoechstlaenge - septette));
    Form27::Instanz()->Text1->setPlainText(text);
}

void Form6::Vorschau_Zeigen()
{
    Form27* vorschau = Form27::Instanz();
    vorschau->Text1->setPlainText(Text6->toPlainText());
    if (!vorschau->isVisible())
        Platzierung::Zentrieren(vorschau, window());
    vorschau->show();
    vorschau->raise();
}

// ---- Recipients -------------------------------------------------------------------------

bool Form6::Empfaenger_Uebernehmen()
{
    const QString nummer = Text8->text();
    switch (Module1::Empfaenger_Pruefen(nummer)) {
    case Empfaengerpruefung::Gut:
        List3->addItem(nummer);
        Text8->clear();
        return true;
    case Empfaengerpruefung::Leer: Kein_Empfaenger(); break;
    case Empfaengerpruefung::Ungueltig: Nummer_Falsch(); break;
    }
    Text8->setFocus();
    return false;
}

void Form6::Command30_Click()
{
    if (Text8->text().isEmpty()) {
        Kein_Empfaenger();
        return;
    }
    Empfaenger_Uebernehmen();
}

bool Form6::Empfaengerliste_Pruefen()
{
    for (int i = 0; i < List3->count(); ++i) {
        const Empfaengerpruefung p = Module1::Empfaenger_Pruefen(List3->item(i)->text());
        if (p == Empfaengerpruefung::Gut)
            continue;
        List3->setCurrentRow(i);
        p == Empfaengerpruefung::Leer ? Kein_Empfaenger() : Nummer_Falsch();
        return false;
    }
    return true;
}

void Form6::Toolbar2_ButtonClick(const QString& schluessel)
{
    if (schluessel == QLatin1String("kill")) {
        QListWidgetItem* eintrag = List3->currentItem();
        if (!eintrag || !eintrag->isSelected())
            return;
        if (LoeschenRueckfrage &&
            !Frage_Ja(QStringLiteral("Eintrag wirklich löschen?"), Dialoge::Antwort::Nein, QStringLiteral("LÖSCHEN")))
            return;
        delete List3->takeItem(List3->row(eintrag));
    } else if (schluessel == QLatin1String("kill2")) {
        if (LoeschenRueckfrage &&
            !Frage_Ja(QStringLiteral("Liste wirklich löschen?"), Dialoge::Antwort::Nein, QStringLiteral("LÖSCHEN")))
            return;
        List3->clear();
    }
}

void Form6::Toolbar5_ButtonClick()
{
    Form1* telefonbuch = Form1::Instanz();
    if (MDIForm1* haupt = MDIForm1::Instanz())
        haupt->Kind_Zeigen(telefonbuch);
    else
        telefonbuch->show();
    telefonbuch->raise();
}

// ---- Text file, templates, pictures, log -----------------------------------------------

void Form6::Toolbar3_ButtonClick(const QString& schluessel)
{
    if (schluessel == QLatin1String("pic")) {
        Form26::Modal_Zeigen();
        return;
    }
    if (schluessel == QLatin1String("preview")) {
        Vorschau_Zeigen();
        return;
    }
    if (schluessel != QLatin1String("open"))
        return;

    const QString pfadSchluessel = QStringLiteral("SMS_TEXT_PATH");
    Dialoge::Dateiwahl wahl;
    wahl.Filter = QStringLiteral("Textdateien (*.txt)");
    wahl.Startdatei = Einstellungen::Lesen(QStringLiteral("Config"), pfadSchluessel, Programmordner());
    const std::optional<QString> datei = Dialoge::Aktuell().Datei_Oeffnen(wahl);
    if (!datei)
        return;
    QFile f(*datei);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QString inhalt = Textdatei::Dekodieren(f.readAll());

    if (!Text6->toPlainText().isEmpty() && Frage_Ja(QStringLiteral("Bestehenden Text vorher löschen?")))
        Text6->clear();
    Einstellungen::Speichern(QStringLiteral("Config"), pfadSchluessel, *datei);
    QString text = Text6->toPlainText();
    for (const QString& zeile : Textdatei::Zeilen(inhalt)) {
        if (text.size() >= Hoechstlaenge)
            break;
        text += zeile;
    }
    Text6->setPlainText(text.left(Hoechstlaenge));
    Einstellungen::Speichern(QStringLiteral("Config"), pfadSchluessel, *datei);
}

void Form6::Command49_Click() { Form8::Modal_Zeigen(); }

void Form6::Command23_Click()
{
    if (Editor_Starten)
        Editor_Starten(SendeLog_Datei());
}

// ---- Options ----------------------------------------------------------------------------

void Form6::Toolbar1_ButtonClick()
{
    const auto wert = [this](const char* schluessel) {
        return Knopf_Gedrueckt(schluessel) ? QStringLiteral("1") : QStringLiteral("0");
    };
    Einstellungen::Speichern(Settings, QStringLiteral("ShowSMSFlash"), wert("direkt"));
    Einstellungen::Speichern(Settings, QStringLiteral("SMSReport"), wert("report"));
    Einstellungen::Speichern(Settings, QStringLiteral("LOGSMS"), wert("log"));
}

// ---- Service centre ---------------------------------------------------------------------

void Form6::Combo2_Fuellen(const QStringList& nummern)
{
    const QSignalBlocker sperre(Combo2);
    Combo2->clear();
    Combo2->addItems(nummern);
    Combo2->setCurrentIndex(nummern.isEmpty() ? -1 : 0);
}

void Form6::Combo2_Waehlen(int index)
{
    if (Combo2->currentIndex() == index)
        return;
    {
        const QSignalBlocker sperre(Combo2);
        Combo2->setCurrentIndex(index);
    }
    Combo2_Click();
}

void Form6::Combo2_Click()
{
    if (KlickUnterdruecken) {
        KlickUnterdruecken = false;
        return;
    }
    // The choice is kept once the phone took it; otherwise the box shows the phone's centre again.
    const int index = Combo2->currentIndex();
    if (Zentrale_Setzen(index))
        Einstellungen::Speichern(QStringLiteral("Options"), QStringLiteral("SMS SC"), QString::number(index));
    else
        Zentrale_Zeigen();
}

void Form6::Command51_Click()
{
    if (!Zentrale_Setzen(Combo2->currentIndex()))
        Zentrale_Zeigen();
}

bool Form6::Zentrale_Setzen(int index)
{
    const QString nummer = index >= 0 ? Combo2->itemText(index) : QString();
    // Only digits and "+" go into the command.
    if (nummer.isEmpty() || !Servicenummer_Pruefen(nummer)) {
        MsgBox(QStringLiteral("Keine SMS-Servicecenter-Adresse angegeben!"), Dialoge::Symbol::Kritisch);
        return false;
    }
    const QString typ = nummer == m_handyZentrale && !m_handyTyp.isEmpty() ? m_handyTyp : Nummerntyp(nummer);
    Status_Setzen(QStringLiteral("Schreibe SMS-Servicecenteradresse..."));
    if (!Befehl_Senden(QStringLiteral("AT+CSCA=") + nummer + QLatin1Char(',') + typ, true))
        return false;
    Status_Setzen(QStringLiteral("Fertig."));
    m_handyZentrale = nummer;
    m_handyTyp = typ;
    return true;
}

void Form6::Zentrale_Zeigen()
{
    const int index =
        m_handyZentrale.isEmpty() ? -1 : Combo2->findText(m_handyZentrale, Qt::MatchExactly | Qt::MatchCaseSensitive);
    const QSignalBlocker sperre(Combo2);
    Combo2->setCurrentIndex(index);
}

void Form6::Command52_Click()
{
    KlickUnterdruecken = true;
    Status_Setzen(QStringLiteral("Hole SMS-Servicecenteradresse..."));
    Link().Text2.clear();
    const bool gut = Befehl_Senden(QStringLiteral("AT+CSCA?"), true);
    const CSCAAntwort antwort = gut ? CSCA_Antwort_Lesen(Link().Text2) : CSCAAntwort();
    m_handyZentrale.clear();
    if (antwort.Ergebnis != CSCAAntwort::Eingetragen) {
        // Whatever ends the read, the user's next choice is written again.
        KlickUnterdruecken = false;
        if (antwort.Ergebnis == CSCAAntwort::Leer)
            MsgBox(QStringLiteral("Keine SMS-Servicecenter-Adresse im Handy eingetragen!"), Dialoge::Symbol::Kritisch);
        else if (antwort.Ergebnis == CSCAAntwort::Ungueltig)
            MsgBox(QStringLiteral("Die SMS-Servicecenter-Adresse im Handy kann nicht gelesen werden!"),
                   Dialoge::Symbol::Kritisch);
        return;
    }
    // Written back, it keeps the type the phone gave it; one whose type cannot be read is only
    // listed, as a guessed type would change it on the phone.
    m_handyZentrale = antwort.Nummer;
    m_handyTyp = antwort.Typ;
    const bool zurueckschreiben = !antwort.Typ.isEmpty();
    // The flag takes the action of a changed selection; the explicit one then writes the number
    // back. An unchanged selection leaves the flag to the explicit action, and nothing is written.
    const int index = Combo2->findText(antwort.Nummer, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        Combo2_Waehlen(index);
    } else {
        {
            // The first item of an empty box would select itself.
            const QSignalBlocker sperre(Combo2);
            const int vorher = Combo2->currentIndex();
            Combo2->addItem(antwort.Nummer);
            Combo2->setCurrentIndex(vorher);
        }
        Combo2_Waehlen(Combo2->count() - 1);
        SMSCENTERSCHREIBEN();
    }
    if (zurueckschreiben)
        Combo2_Click();
    else
        KlickUnterdruecken = false;
    Status_Setzen(QStringLiteral("Fertig."));
}

void Form6::Command53_Click()
{
    const QString vorher = Combo2->currentText();
    const bool ok = Form7::Modal_Zeigen();
    Servicecenter_Laden();
    const QSignalBlocker sperre(Combo2);
    KlickUnterdruecken = false;
    if (ok) {
        Combo2->setCurrentIndex(SMSCenterWahl < Combo2->count() ? SMSCenterWahl : -1);
        // Only the number chosen in the dialog goes to the phone, once.
        Combo2_Click();
    } else if (!vorher.isEmpty()) {
        const int index = Combo2->findText(vorher, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            Combo2->setCurrentIndex(index);
    }
}

void Form6::SMSCENTERSCHREIBEN()
{
    if (Combo2->count() == 0)
        return;
    QStringList nummern;
    for (int i = 0; i < Combo2->count(); ++i)
        nummern << Combo2->itemText(i);
    Module1::Servicecenter_Schreiben(nummern);
}

// ---- Sending and storing ----------------------------------------------------------------

void Form6::SMS_VERSENDEN()
{
    if (!Text8->text().isEmpty() && !Empfaenger_Uebernehmen())
        return;
    if (List3->count() == 0) {
        Kein_Empfaenger();
        return;
    }
    if (Text6->toPlainText().isEmpty()) {
        MsgBox(QStringLiteral("Keinen Text angegeben!"));
        return;
    }
    // Numbers from the phone book or a reply may be names or empty: nothing goes out then.
    if (!Empfaengerliste_Pruefen() || !Text_Sendbar(Text6->toPlainText()))
        return;

    const int anzahl = List3->count();
    bool logGescheitert = false;
    for (int i = 1; i <= anzahl && i <= List3->count(); ++i) {
        const QString nummer = List3->item(i - 1)->text();
        const QString text = Text6->toPlainText();
        const QString von = QStringLiteral("(%1 von %2)").arg(i).arg(List3->count());
        const bool report = Knopf_Gedrueckt("report");
        const bool direkt = Knopf_Gedrueckt("direkt");
        Status_Setzen(QStringLiteral("Bereite Nachricht vor...") + von);
        const SubmitPDU pdu = PDU_Kodieren(text, nummer, report, direkt, Combo3->currentIndex());

        Link().Text1.clear();
        Status_Setzen(QStringLiteral("Sende Init...") + von);
        if (!Prompt_Senden(QStringLiteral("at+cmgs=") + QString::number(pdu.Oktette), true))
            return;
        Status_Setzen(QStringLiteral("Sende Nachricht...") + von);
        Roh_Schreiben(pdu.PDU);  // straight after the prompt
        if (!Befehl_Senden(QString(QChar(26)), false))
            return;

        const std::optional<QString> referenz = CMGS_Referenz_Lesen(Link().Text2);
        Status_Setzen(referenz ? QStringLiteral("Nachricht(en) versandt - angenommen unter Nr. ") + *referenz +
                                     QLatin1Char('.')
                               : QStringLiteral("Nachricht(en) versandt."));
        // The message is out; a log that cannot be written does not change that. It is told once
        // a sending and left alone for the rest of it.
        if (Knopf_Gedrueckt("log") && !logGescheitert &&
            !SendeLog_Anhaengen(SendeLog_Datei(), SendeLogZeile_Bilden(referenz.value_or(QString()), Uhr(), nummer,
                                                                       report, direkt, Mit_CRLF(text)))) {
            logGescheitert = true;
            Schreibfehler_Melden();
        }
    }
}

void Form6::SMS_SPEICHERN()
{
    const QString text = Text6->toPlainText();
    if (text.isEmpty()) {
        MsgBox(QStringLiteral("Keinen Text angegeben!"));
        return;
    }
    // The stored message is addressed to the selected recipient, else the first, else nobody.
    QString nummer;
    if (const QListWidgetItem* e = List3->currentItem(); e && e->isSelected())
        nummer = e->text();
    else if (List3->count() > 0)
        nummer = List3->item(0)->text();
    switch (Module1::Empfaenger_Pruefen(nummer)) {
    case Empfaengerpruefung::Gut: break;
    case Empfaengerpruefung::Leer: nummer.clear(); break;
    case Empfaengerpruefung::Ungueltig: Nummer_Falsch(); return;
    }
    if (!Text_Sendbar(text))
        return;

    Link().Text1.clear();
    Status_Setzen(QStringLiteral("Prüfe auf freien Speicherplatz..."));
    if (!Befehl_Senden(QStringLiteral("at+cpms?"), true))
        return;
    const std::optional<SMSSpeicherstand> stand = CPMS_Zaehler_Lesen(Link().Text2);
    if (stand && stand->Voll()) {
        MsgBox(QStringLiteral("Der SMS-Speicher des Handys ist voll! Bitte löschen Sie vorher eine oder mehrere "
                              "Nachrichten!"),
               Dialoge::Symbol::Kritisch);
        Status_Setzen(QStringLiteral("SMS Speicher ist voll!"));
        return;
    }

    Status_Setzen(QStringLiteral("Bereite Nachricht vor..."));
    const SubmitPDU pdu =
        PDU_Kodieren(text, nummer, Knopf_Gedrueckt("report"), Knopf_Gedrueckt("direkt"), Combo3->currentIndex());
    Link().Text1.clear();
    Status_Setzen(QStringLiteral("Sende Init..."));
    if (!Prompt_Senden(QStringLiteral("at+cmgw=") + QString::number(pdu.Oktette), true))
        return;
    Status_Setzen(QStringLiteral("Speichere Nachricht..."));
    Roh_Schreiben(pdu.PDU);  // straight after the prompt
    if (!Befehl_Senden(QString(QChar(26)), false))
        return;
    Status_Setzen(QStringLiteral("Nachricht gespeichert."));
}

// ---- Window -----------------------------------------------------------------------------

void Form6::Form_Resize()
{
    QWidget* r = Rahmen();
    if (window()->isMinimized() || r->isMinimized())
        return;
    const int breite = std::max(r->width(), Pixel_Aufgerundet(MindestBreite));
    const int hoehe = std::max(r->height(), Pixel_Aufgerundet(MindestHoehe));
    if (breite != r->width() || hoehe != r->height())
        r->resize(breite, hoehe);
    // Centred in twips as the window always did: the 180 and 380 are its borders.
    const int w = Platzierung::Twips(r->width());
    const int h = Platzierung::Twips(r->height());
    const int links = w / 2 - (Platzierung::Twips(Frame2->width()) + 180) / 2;
    const int oben = h / 2 - (Platzierung::Twips(Frame2->height()) + 380) / 2;
    Frame2->move(Platzierung::Pixel(links), Platzierung::Pixel(oben));
}
