#include "phonebook/Form21.h"

#include "phonebook/Form1.h"
#include "phonebook/Kopieren.h"
#include "phonebook/Symbole.h"
#include "ui_Form21.h"

#include <QApplication>

Form21::Form21(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Form21>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    Command1[0] = ui->Command1_0;
    Command1[1] = ui->Command1_1;
    Command1[2] = ui->Command1_2;
    Command1[3] = ui->Command1_3;
    Command2 = ui->Command2;
    for (int i = 0; i < 4; ++i) {
        Command1[i]->setIcon(Buchsymbol(Form1::Buchsymbolnummer(i + 1)));
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

Form21::~Form21() = default;

void Form21::Modal_Zeigen()
{
    Form21 dialog(QApplication::activeWindow());
    dialog.exec();
}

void Form21::Command1_Click(int index)
{
    Module1::ZielAuswahl = QStringLiteral(" %1").arg(index);
    accept();
}

void Form21::Command2_Click() { reject(); }

void Form21::reject()
{
    Module1::ZielAuswahl.clear();
    QDialog::reject();
}
