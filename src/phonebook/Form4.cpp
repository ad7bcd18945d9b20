#include "phonebook/Form4.h"

#include "common/Dialoge.h"
#include "common/Zeichen.h"
#include "link/Handytyp.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Eintraege.h"
#include "ui_Form4.h"

#include <QApplication>
#include <QRegularExpressionValidator>

using namespace Module1;

namespace {
constexpr int OhneGrenze = 32767;  // a limit the phone did not report is none
}

Form4::Form4(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Form4>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    Label4 = ui->Label4;
    Text4 = ui->Text4;
    Label1 = ui->Label1;
    Text1 = ui->Text1;
    Label2 = ui->Label2;
    Text2 = ui->Text2;
    Frame1 = ui->Frame1;
    Option1 = ui->Option1;
    Option2 = ui->Option2;
    Option3 = ui->Option3;
    Option4 = ui->Option4;
    Check1 = ui->Check1;
    Command1 = ui->Command1;
    Command2 = ui->Command2;

    // Only digits reach the index of a write command.
    Text4->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Text4));

    for (int b = 1; b <= 4; ++b)
        connect(Option(b), &QRadioButton::toggled, this, [this, b](bool an) {
            if (an)
                Option_Click(b);
        });
    connect(Check1, &QCheckBox::toggled, this, [this] { checklaengen(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Form_Load();
}

Form4::~Form4() = default;

void Form4::Modal_Zeigen()
{
    Form4 dialog(QApplication::activeWindow());
    dialog.exec();
}

QRadioButton* Form4::Option(int buch) const
{
    switch (buch) {
    case 1: return Option1;
    case 2: return Option2;
    case 3: return Option3;
    case 4: return Option4;
    default: return nullptr;
    }
}

int Form4::Gewaehltes_Buch() const
{
    for (int b = 1; b <= 4; ++b)
        if (Option(b)->isChecked())
            return b;
    return 0;
}

void Form4::Form_Load()
{
    if (Handytyp_Pruefen() == QLatin1String("35"))
        Check1->setText(QStringLiteral("&VIP-Telefonbuch"));

    // The texts arrive whole; the book's limits cut them below.
    Text1->setMaxLength(OhneGrenze);
    Text2->setMaxLength(OhneGrenze);
    Text4->setText(EintragIndex);
    Text1->setText(EintragName);
    Text2->setText(EintragNummer);
    Check1->setChecked(EintragMerker == QLatin1String("!"));

    m_laden = true;
    if (QRadioButton* o = Option(EintragBuch.toInt()))
        o->setChecked(true);
    m_laden = false;

    if (DialogModus == QLatin1String("neu")) {
        Command1->setText(QStringLiteral("&Speichern"));
        setWindowTitle(QStringLiteral("Neuer Eintrag"));
    } else if (DialogModus == QLatin1String("aendern")) {
        Command1->setText(QStringLiteral("&Ändern"));
        setWindowTitle(QStringLiteral("Eintrag ändern"));
    }

    // A book that is full, unread or not read to its end has no index known to be free.
    bool eines = false;
    for (int b = 1; b <= 4; ++b) {
        if (Index_Frei(b) == 0) {
            Option(b)->setEnabled(false);
            Option(b)->setText(QStringLiteral("- voll/unbekannt -"));
        } else {
            eines = true;
        }
    }
    if (!eines && DialogModus == QLatin1String("neu")) {
        MsgBox(QStringLiteral("Sie haben noch kein Telefonbuch eingelesen, oder alle Bücher sind voll! Bitte lesen "
                              "Sie mindestens ein Telefonbuch ein oder löschen Sie einen Eintrag!"),
               Dialoge::Symbol::Kritisch);
        DialogModus = QStringLiteral("cancel");
        Command1->setEnabled(false);
    }

    if (DialogModus == QLatin1String("neu"))
        for (int b = 4; b >= 1; --b)
            if (Option(b)->isEnabled())
                Option(b)->setChecked(true);

    if (Gewaehltes_Buch() == 0) {
        Text1->setMaxLength(18);
        Text2->setMaxLength(20);
    }
}

void Form4::Option_Click(int buch)
{
    checklaengen();
    if (m_laden)
        return;
    const int frei = Index_Frei(buch);
    Text4->setText(QString::number(frei != 0 ? frei : TBuchGesamt[buch] + 1));
}

void Form4::checklaengen()
{
    const int b = Gewaehltes_Buch();
    if (b == 0)
        return;
    const int name = Namensgrenze(b, Check1->isChecked());
    const int nummer = TBuchNummerLaenge[b] >= 1 ? static_cast<int>(TBuchNummerLaenge[b]) : OhneGrenze;
    Text1->setMaxLength(name);
    Text2->setMaxLength(nummer);
    if (Text1->text().size() > name)
        Text1->setText(Text1->text().left(name));
    if (Text2->text().size() > nummer)
        Text2->setText(Text2->text().left(nummer));
}

void Form4::Command1_Click()
{
    const QString name = Text1->text();
    const QString nummer = Text2->text();
    if (name.isEmpty()) {
        MsgBox(QStringLiteral("Kein Name angegeben!"));
        return;
    }
    if (nummer.isEmpty()) {
        MsgBox(QStringLiteral("Keine Rufnummer angegeben!"));
        return;
    }
    if (!Nummer_Pruefen(nummer)) {
        MsgBox(QStringLiteral("Für die Rufnummer bitte nur 0-9, '*', '#' und '+' verwenden! Bitte ändern."));
        return;
    }
    if (!Name_Pruefen(name)) {
        MsgBox(QStringLiteral("Ungültiges Zeichen im Namen! Bitte ändern."));
        return;
    }
    const int index = Index_Wert(Text4->text());
    if (index <= 0) {
        MsgBox(QStringLiteral("Kein gültiger Index angegeben!"));
        return;
    }
    if (DialogModus != QLatin1String("neu") && DialogModus != QLatin1String("aendern"))
        return;

    const int b = Gewaehltes_Buch();
    EintragIndex = Text4->text();
    EintragName = name;
    EintragNummer = nummer;
    EintragMerker = Check1->isChecked() ? QStringLiteral("!") : QString();
    if (EintragMerker == QLatin1String("!"))
        EintragName += QLatin1Char('!');
    if (b != 0)
        EintragBuch = QString::number(b);

    if (index > TBuchGesamt[b]) {
        MsgBox(QStringLiteral("Index zu groß für dieses Telefonbuch! (Maximale Einträge: ") +
               QString::number(TBuchGesamt[b]) + QLatin1Char(')'));
        return;
    }
    accept();
}

void Form4::Command2_Click() { reject(); }

void Form4::reject()
{
    DialogModus = QStringLiteral("cancel");
    QDialog::reject();
}
