#include "phone/Form20.h"

#include "ui_Form20.h"

#include "common/Dialoge.h"
#include "common/Platzierung.h"
#include "link/Module1.h"
#include "phone/Anzeigehilfen.h"
#include "phone/Umleitungen.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>

using namespace Module1;

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("Umleitungen"), 0, 0, -1, -1, false};

const char* const Gruende[4] = {"Immer", "Besetzt", "Keine Antwort", "Nicht erreichbar"};
const int Klassen[4] = {7, 1, 2, 4};  // by the position in Combo4
constexpr int MitVerzoegerung = 2;    // the no-reply reason

}  // namespace

Form20::Form20() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form20>())
{
    ui->setupUi(this);
    for (int r = 0; r < 4; ++r) {
        Check2[3 * r] = findChild<QCheckBox*>(QStringLiteral("Check2_%1").arg(3 * r));
        Text7[3 * r] = findChild<QLineEdit*>(QStringLiteral("Text7_%1").arg(3 * r));
        Command6[r] = findChild<QPushButton*>(QStringLiteral("Command6_%1").arg(r));
        Command9[r] = findChild<QPushButton*>(QStringLiteral("Command9_%1").arg(r));
        connect(Command6[r], &QPushButton::clicked, this, [this, r] { Command6_Click(r); });
        connect(Command9[r], &QPushButton::clicked, this, [this, r] { Command9_Click(r); });
    }
    Command43 = ui->Command43;
    Command44 = ui->Command44;
    Combo4 = ui->Combo4;
    Combo1[6] = ui->Combo1_6;
    Label48 = ui->Label48;
    Label49 = ui->Label49;
    connect(Command43, &QPushButton::clicked, this, &Form20::Command43_Click);
    connect(Command44, &QPushButton::clicked, this, &Form20::Command44_Click);

    Platzieren();
    Combo4->setCurrentIndex(1);
    Combo1[6]->setCurrentIndex(0);
}

Form20::~Form20() = default;

Form20* Form20::Instanz() { return Einzelfenster_Holen<Form20>([] { return new Form20(); }); }

bool Form20::Geladen() { return !Einzelfenster<Form20>().isNull(); }

QString Form20::Klasse_Text() const { return Combo4->currentText(); }

int Form20::Klasse_Code() const
{
    const int position = Combo4->currentIndex();
    return position >= 0 && position < 4 ? Klassen[position] : Klassen[1];
}

void Form20::Command6_Click(int index)
{
    Aktion aktion;
    if (index >= 0 && index < 4)
        Abfragen(index);
}

bool Form20::Abfragen(int index)
{
    Link().Text1.clear();
    Status_Setzen(QStringLiteral("Frage Umleitung (") + QLatin1String(Gruende[index]) + QStringLiteral(" / ") +
                  Klasse_Text() + QStringLiteral(") ab..."));
    if (!Befehl_Senden(CCFC_Abfrage_Bilden(index, Klasse_Code()), true)) {
        Abbruch = true;
        return false;
    }
    Status_Setzen(QStringLiteral("Fertig."));
    Fortschritt_Nullen();

    // A reply the row cannot be read from leaves the row as it was.
    if (const std::optional<Umleitungsstand> stand = CCFC_Antwort_Lesen(Link().Text2)) {
        Check2[3 * index]->setChecked(stand->Aktiv);
        Text7[3 * index]->setText(stand->Nummer);
        if (index == MitVerzoegerung && stand->Verzoegerung) {
            const int position = Combo1[6]->findText(QString::number(*stand->Verzoegerung));
            if (position >= 0)
                Combo1[6]->setCurrentIndex(position);
        }
    }
    Status_Setzen(QStringLiteral("Fertig."));
    return true;
}

void Form20::Command9_Click(int index)
{
    Aktion aktion;
    if (index >= 0 && index < 4 && Schreiben(index) == Schreibausgang::Fehler)
        Nachlesen({index});
}

Form20::Schreibausgang Form20::Schreiben(int index)
{
    Status_Setzen(QStringLiteral("Setze/Lösche Rufumleitung (") + QLatin1String(Gruende[index]) +
                  QStringLiteral(" / ") + Klasse_Text() + QStringLiteral(")..."));
    const int klasse = Klasse_Code();
    if (Check2[3 * index]->isChecked()) {
        const QString nummer = Text7[3 * index]->text();
        const QString fehler = Umleitungsnummer_Pruefen(nummer);
        if (!fehler.isEmpty()) {
            // Nothing was sent, so the phone holds what it held.
            MsgBox(fehler, Dialoge::Symbol::Kritisch);
            return Schreibausgang::Gestoppt;
        }
        const QString verzoegerung = Combo1[6]->currentText();
        if (!Befehl_Senden(CCFC_Registrieren_Bilden(index, nummer, klasse, verzoegerung), true) ||
            !Befehl_Senden(CCFC_Aktivieren_Bilden(index, nummer, klasse, verzoegerung), true)) {
            Abbruch = true;
            return Schreibausgang::Fehler;
        }
    } else if (!Befehl_Senden(CCFC_Loeschen_Bilden(index, klasse), true)) {
        Abbruch = true;
        return Schreibausgang::Fehler;
    }
    Status_Setzen(QStringLiteral("Fertig."));
    return Schreibausgang::Geschrieben;
}

void Form20::Nachlesen(const QVector<int>& zeilen)
{
    QPointer<Form20> selbst(this);
    for (int i = 0; i < zeilen.size(); ++i) {
        const bool gelesen = Abfragen(zeilen[i]);
        if (!selbst)
            return;
        if (gelesen)
            continue;
        // What the phone holds in these rows is not known: no typed diversion stays on show.
        for (int j = i; j < zeilen.size(); ++j) {
            Check2[3 * zeilen[j]]->setChecked(false);
            Text7[3 * zeilen[j]]->clear();
        }
        return;
    }
}

void Form20::Command43_Click()
{
    Aktion aktion;
    Alle_Zeilen([this](int r) { Abfragen(r); });
}

void Form20::Command44_Click()
{
    Aktion aktion;
    // Every row not written shows the phone's diversion instead of what was typed: those the
    // number check stopped, the failed one and those after it.
    QVector<int> offen;
    const int r = Alle_Zeilen([this, &offen](int z) {
        if (Schreiben(z) != Schreibausgang::Geschrieben)
            offen << z;
    });
    if (r < 0)
        return;
    for (int z = r + 1; z < 4; ++z)
        offen << z;
    Nachlesen(offen);
}

int Form20::Alle_Zeilen(const std::function<void(int)>& aktion)
{
    QPointer<Form20> selbst(this);
    Abbruch = false;
    for (int r = 0; r < 4; ++r) {
        aktion(r);
        QCoreApplication::processEvents();
        if (!selbst)
            return -1;
        if (Abbruch) {
            Abbruch = false;
            return r;
        }
    }
    return 4;
}
