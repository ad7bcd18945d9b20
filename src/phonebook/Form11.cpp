#include "phonebook/Form11.h"

#include "common/Dialoge.h"
#include "link/Handytyp.h"
#include "phonebook/Eintraege.h"
#include "phonebook/Form1.h"
#include "ui_Form11.h"

#include <QApplication>
#include <QTreeWidget>

namespace {
QPointer<Form11>& Zeiger()
{
    static QPointer<Form11> form;
    return form;
}
}  // namespace

Form11::Form11(QTreeWidget* liste, const QString& modus, Anfuegen anfuegen, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Form11>()), m_liste(liste), m_modus(modus), m_anfuegen(std::move(anfuegen))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    Label1 = ui->Label1;
    Text1 = ui->Text1;
    Label2 = ui->Label2;
    Text2 = ui->Text2;
    Check1 = ui->Check1;
    Command1 = ui->Command1;
    Command2 = ui->Command2;
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    if (Module1::Handytyp_Pruefen() == QLatin1String("35"))
        Check1->setText(QStringLiteral("&VIP-Telefonbuch"));
    Zeiger() = this;
}

Form11::~Form11() = default;

Form11* Form11::Offen() { return Zeiger(); }

void Form11::Neu_Zeigen(QTreeWidget* liste, Anfuegen anfuegen)
{
    if (Form11* offen = Offen()) {
        offen->raise();
        offen->activateWindow();
        return;
    }
    Module1::DialogModus = QStringLiteral("neu");
    Form11 dialog(liste, Module1::DialogModus, std::move(anfuegen), QApplication::activeWindow());
    dialog.exec();
}

void Form11::Aendern_Zeigen(QTreeWidget* liste, QWidget* besitzer)
{
    if (!liste || liste->topLevelItemCount() == 0)
        return;
    Module1::BaumZeilen zeilen(liste);
    const int gewaehlt = zeilen.Gewaehlte_Zeile();
    if (gewaehlt == 0)
        return;
    Module1::DialogModus = QStringLiteral("aendern");
    Form11* dialog = Offen();
    if (!dialog || dialog->m_modus != QLatin1String("aendern")) {
        dialog = new Form11(liste, Module1::DialogModus, {}, besitzer ? besitzer : liste->window());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog->setWindowTitle(QStringLiteral("Eintrag ändern (lokal)"));
    dialog->Zeile_Binden(liste->topLevelItem(gewaehlt - 1));
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void Form11::Zeile_Binden(QTreeWidgetItem* zeile)
{
    m_zeile = m_liste ? QPersistentModelIndex(m_liste->indexFromItem(zeile)) : QPersistentModelIndex();
    Text1->setText(zeile->text(1));
    Text2->setText(zeile->text(2));
    Check1->setChecked(zeile->text(3) == QLatin1String("!"));
}

QTreeWidgetItem* Form11::Gebundene_Zeile() const
{
    if (!m_liste || !m_zeile.isValid())
        return nullptr;
    return m_liste->itemFromIndex(m_zeile);
}

void Form11::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        MsgBox(QStringLiteral("Keinen Namen angegeben!"), Dialoge::Symbol::Kritisch);
        return;
    }
    if (Text2->text().isEmpty()) {
        MsgBox(QStringLiteral("Keine Nummer angegeben!"), Dialoge::Symbol::Kritisch);
        return;
    }
    const bool markiert = Check1->isChecked();
    const QString merker = markiert ? QStringLiteral("!") : QString();
    if (m_modus == QLatin1String("neu")) {
        if (m_anfuegen)
            m_anfuegen(Text1->text(), Text2->text(), merker);
    } else if (m_modus == QLatin1String("aendern")) {
        // The row the dialog was opened for; when it was deleted meanwhile nothing is written.
        if (QTreeWidgetItem* zeile = Gebundene_Zeile()) {
            zeile->setText(1, Text1->text());
            zeile->setText(2, Text2->text());
            zeile->setText(3, merker);
            Form1::Zeile_Markieren(zeile, 1, 3, markiert);
        }
    }
    accept();
}

void Form11::Command2_Click() { reject(); }
