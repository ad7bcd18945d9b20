#include "sms/Form7.h"

#include "common/Dialoge.h"
#include "sms/Servicecenter.h"
#include "ui_Form7.h"

#include <QApplication>

using namespace Module1;

Form7::Form7(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Form7>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    List1 = ui->List1;
    Command1 = ui->Command1;
    Command2 = ui->Command2;
    Command3 = ui->Command3;
    Command4 = ui->Command4;
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { Command3_Click(); });

    List1->addItems(Servicecenter_Lesen());
    if (List1->count() > 0)
        List1->setCurrentRow(0);
}

Form7::~Form7() = default;

bool Form7::Modal_Zeigen()
{
    Form7 dialog(QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> Form7::Nummer_Erfragen(const QString& prompt, const QString& titel, const QString& vorgabe,
                                              QString* gedaechtnis)
{
    for (;;) {
        const std::optional<QString> eingabe =
            Dialoge::Aktuell().Eingabe(prompt, titel, gedaechtnis ? *gedaechtnis : vorgabe);
        if (gedaechtnis)
            *gedaechtnis = eingabe.value_or(QString());
        if (!eingabe || eingabe->isEmpty())
            return std::nullopt;
        switch (Servicenummer_Bewerten(*eingabe)) {
        case Servicenummer::Gut: return eingabe;
        case Servicenummer::Zeichen:
            MsgBox(QStringLiteral("Die Nummer darf nur aus Ziffern (0-9) und '+' bestehen!"), Dialoge::Symbol::Kritisch);
            break;
        case Servicenummer::Format:
            MsgBox(QStringLiteral("Die Nummer muß im internatinalen Format (z.B. '+4917xxxxxxxx') angegeben werden!"),
                   Dialoge::Symbol::Kritisch);
            break;
        }
    }
}

void Form7::Command1_Click()
{
    const std::optional<QString> nummer = Nummer_Erfragen(QStringLiteral("Neue Servicecenter-Nummer:"),
                                                          QStringLiteral("Neue Nummer"), QString(), &m_letzteEingabe);
    if (nummer)
        List1->addItem(*nummer);
}

void Form7::Command2_Click()
{
    if (!List1->currentItem() || !List1->currentItem()->isSelected())
        return;
    delete List1->takeItem(List1->currentRow());
    // Like a list box after RemoveItem: no entry is selected until the user picks one.
    List1->setCurrentItem(nullptr);
    List1->clearSelection();
}

void Form7::Command3_Click()
{
    QListWidgetItem* eintrag = List1->currentItem();
    if (!eintrag || !eintrag->isSelected())
        return;
    const std::optional<QString> nummer = Nummer_Erfragen(QStringLiteral("Servicecenter-Nummer ändern:"),
                                                          QStringLiteral("Nummer ändern"), eintrag->text(), nullptr);
    if (nummer)
        eintrag->setText(*nummer);
}

void Form7::Command4_Click()
{
    QStringList nummern;
    for (int i = 0; i < List1->count(); ++i)
        nummern << List1->item(i)->text();
    // Unsaved, the list stays open: closing it would lose the edits.
    if (!Servicecenter_Schreiben(nummern))
        return;
    const QListWidgetItem* gewaehlt = List1->currentItem();
    SMSCenterWahl = gewaehlt && gewaehlt->isSelected() ? List1->currentRow() : -1;
    accept();
}
