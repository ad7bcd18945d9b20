#include "organizer/Form10.h"

#include "common/Dialoge.h"
#include "link/Handytyp.h"
#include "phonebook/Eintraege.h"
#include "ui_Form10.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QValidator>

#include <algorithm>

using namespace Module1;

std::function<void(Form10&)> Form10::Bedienung;

// The length limit stops typing only: a longer text set by a caller stays whole and may be
// shortened, but not lengthened. The line edit holds the new text already when it asks, so the
// length before the change is kept here. What goes beyond the limit is cut from the end of the
// insertion, so a long paste keeps its first characters. A TAB is refused: it separates the
// fields of a ".kal" line.
class Form10::Laengengrenze : public QValidator {
public:
    Laengengrenze(QLineEdit* feld, const int* grenze) : QValidator(feld), m_grenze(grenze)
    {
        connect(feld, &QLineEdit::textChanged, this, [this](const QString& text) { m_laenge = text.size(); });
    }
    State validate(QString& eingabe, int& pos) const override
    {
        if (Frei)
            return Acceptable;
        for (qsizetype i = eingabe.indexOf(QLatin1Char('\t')); i >= 0; i = eingabe.indexOf(QLatin1Char('\t'), i)) {
            eingabe.remove(i, 1);
            if (i < pos)
                --pos;
        }
        const qsizetype erlaubt = std::max<qsizetype>(*m_grenze, m_laenge);
        const qsizetype zuviel = std::min<qsizetype>(eingabe.size() - erlaubt, pos);
        if (zuviel > 0) {
            eingabe.remove(pos - zuviel, zuviel);
            pos -= static_cast<int>(zuviel);
        }
        return Acceptable;
    }
    bool Frei = false;  // while a caller sets the text

private:
    const int* m_grenze;
    qsizetype m_laenge = 0;
};

namespace {

const char* const Kategorien[] = {"MEMO", "PHONE CALL", "MEETING", "ANNIVERSARY"};
const char* const Regeln[] = {"", "D1", "W1", "Y1", "M1 "};

// Option index of a row's kind and repetition; -1 when it has none.
int Typ_Von(const QString& art)
{
    const char16_t* arten[] = {u"Notiz", u"Anruf", u"Treffen", u"Geburtstag"};
    for (int i = 0; i < 4; ++i)
        if (art == QStringView(arten[i]))
            return i;
    return -1;
}

int Wiederholung_Von(const QString& wdh)
{
    const char16_t* werte[] = {u"Tag", u"Woche", u"Jahr", u"Monat"};
    for (int i = 0; i < 4; ++i)
        if (wdh == QStringView(werte[i]))
            return i + 1;
    return 0;
}

}  // namespace

Form10::Form10(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Form10>())
{
    ui->setupUi(this);
    Option1[0] = ui->Option1_0, Option1[1] = ui->Option1_1, Option1[2] = ui->Option1_2, Option1[3] = ui->Option1_3;
    Option2[0] = ui->Option2_0, Option2[1] = ui->Option2_1, Option2[2] = ui->Option2_2, Option2[3] = ui->Option2_3;
    Option2[4] = ui->Option2_4;
    MonthView1 = ui->MonthView1;
    DT1 = ui->DT1;
    Text1 = ui->Text1;
    Check1 = ui->Check1;
    Command1 = ui->Command1;
    Command2 = ui->Command2;

    m_laengengrenze = new Laengengrenze(Text1, &m_grenze);
    Text1->setValidator(m_laengengrenze);
    for (int i = 0; i < 4; ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    connect(Command1, &QPushButton::clicked, this, &Form10::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form10::Command2_Click);

    if (Handytyp_Pruefen() == QLatin1String("25"))
        Option2[4]->setEnabled(false);
    MonthView1->setSelectedDate(QDate::currentDate());
    DT1->setTime(QTime::currentTime());
}

Form10::~Form10() = default;

void Form10::Modal_Zeigen(const TerminZeile* vorlage, const QStringList& objekt)
{
    Form10 dialog(QApplication::activeWindow());
    if (vorlage)
        dialog.Fuellen(*vorlage, objekt);
    if (Bedienung)
        Bedienung(dialog);
    else
        dialog.exec();
}

void Form10::Fuellen(const TerminZeile& zeile, const QStringList& objekt)
{
    // A value that is no date or time (a hand-edited file) leaves today and now.
    if (const std::optional<QDate> datum = Datum_Lesen(zeile.Datum))
        MonthView1->setSelectedDate(*datum);
    if (const std::optional<QTime> zeit = Uhrzeit_Lesen(zeile.Uhrzeit))
        DT1->setTime(*zeit);
    Check1->setChecked(!zeile.Alarm.isEmpty());
    const int wdh = Wiederholung_Von(zeile.Wdh);
    m_eigeneRegel.clear();
    if (wdh > 0 || zeile.Wdh.isEmpty()) {
        Option2[wdh]->setChecked(true);
    } else {
        m_eigeneRegel = zeile.Wdh;
        for (QRadioButton* o : Option2) {
            o->setAutoExclusive(false);
            o->setChecked(false);
            o->setAutoExclusive(true);
        }
    }
    const int typ = Typ_Von(zeile.Art);
    if (typ >= 0) {
        Option1[typ]->setChecked(true);
        Option1_Click(typ);
    }
    Text_Setzen(zeile.Beschreibung);
    setWindowTitle(QStringLiteral("Eintrag bearbeiten"));
    m_objekt = objekt;
    m_vorher = Objekt();
}

void Form10::Text_Setzen(const QString& text)
{
    m_laengengrenze->Frei = true;
    Text1->setText(text);
    m_laengengrenze->Frei = false;
}

void Form10::Option1_Click(int index) { m_grenze = index == 1 ? 20 : 16; }

int Form10::Typ() const
{
    for (int i = 0; i < 4; ++i)
        if (Option1[i]->isChecked())
            return i;
    return 0;
}

int Form10::Wiederholung() const
{
    for (int i = 0; i < 5; ++i)
        if (Option2[i]->isChecked())
            return i;
    return -1;
}

TerminObjekt Form10::Objekt() const
{
    const QDate datum = MonthView1->selectedDate();
    TerminObjekt objekt;
    objekt.Kategorie = QLatin1String(Kategorien[Typ()]);
    objekt.Stempel = Stempel_Bilden(datum, DT1->time());
    objekt.Alarm = Check1->isChecked();
    const int wdh = Wiederholung();
    objekt.Regel = wdh < 0 ? m_eigeneRegel : QLatin1String(Regeln[wdh]);
    if (wdh == 4)
        objekt.Regel += datum.toString(QStringLiteral("dd"));
    objekt.Beschreibung = Text1->text();
    return objekt;
}

void Form10::Command1_Click()
{
    const TerminObjekt objekt = Objekt();
    // An edit without a change leaves no file, so that nothing is written.
    if (m_vorher && objekt == *m_vorher) {
        accept();
        return;
    }
    const QString text = Text1->text();
    if (Typ() == 1) {
        for (const QChar c : text) {
            if (!QStringLiteral("1234567890+").contains(c)) {
                MsgBox(QStringLiteral("Bei einem Anruf darf im Text nur eine Rufnummer stehen!"));
                Text1->setFocus();
                return;
            }
        }
    }
    // Closed without the file, the dialog would count as cancelled and the input be lost.
    const bool gesichert =
        m_vorher && !m_objekt.isEmpty()
            ? Objektzeilen_Speichern(Neuer_Termin_Datei(), VCalendar_Aendern(m_objekt, *m_vorher, objekt))
            : Objekt_Speichern(Neuer_Termin_Datei(), objekt);
    if (!gesichert) {
        Schreibfehler_Melden();
        return;
    }
    accept();
}

void Form10::Command2_Click()
{
    DialogModus = QStringLiteral("cancel");
    reject();
}
