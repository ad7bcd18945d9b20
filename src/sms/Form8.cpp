#include "sms/Form8.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Platzierung.h"
#include "common/Textdatei.h"
#include "link/Module2.h"
#include "sms/Form6.h"
#include "sms/SMSAlphabet.h"
#include "ui_Form8.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QTextEdit>

using namespace Module1;

Form8::Form8(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Form8>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    MSFlexGrid1 = ui->MSFlexGrid1;
    Text1 = ui->Text1;
    Label1 = ui->Label1;
    Command1 = ui->Command1;
    Command2 = ui->Command2;
    Command3 = ui->Command3;
    Command4 = ui->Command4;
    Command5 = ui->Command5;

    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, [this] { MSFlexGrid1_Click(); });
    connect(MSFlexGrid1, &QTableWidget::cellDoubleClicked, this, [this] { Command4_Click(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { reject(); });

    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnWidth(0, Platzierung::Pixel(8000));
    if (const auto zeilen = Textdatei::Lesen(Vorlagen_Datei()))
        for (const QString& zeile : *zeilen)
            Zeile_Anfuegen(SMS_Kuerzen(zeile, Hoechstlaenge));
    // The grid always has a current row; after loading it is the first.
    if (MSFlexGrid1->rowCount() > 0)
        Zeile_Setzen(0);
}

Form8::~Form8() = default;

void Form8::Modal_Zeigen()
{
    Form8 dialog(QApplication::activeWindow());
    dialog.exec();
}

QString Form8::Vorlagen_Datei() { return QDir(Programmordner()).filePath(QStringLiteral("smsready.sms")); }

int Form8::Aktuelle_Zeile() const { return MSFlexGrid1->rowCount() > 0 ? MSFlexGrid1->currentRow() : -1; }

void Form8::Zeile_Anfuegen(const QString& text)
{
    const int zeile = MSFlexGrid1->rowCount();
    MSFlexGrid1->insertRow(zeile);
    MSFlexGrid1->setItem(zeile, 0, new QTableWidgetItem(text));
}

void Form8::Zeile_Setzen(int zeile) { MSFlexGrid1->setCurrentCell(zeile, 0); }

void Form8::Text1_Change()
{
    // Counted and limited in septets, as the composing window does: a template always fits.
    const QString text = Text1->text();
    if (SMS_Septettzahl(text) > Hoechstlaenge) {
        const SMSBegrenzung b = SMS_Begrenzen(text, Text1->cursorPosition(), Hoechstlaenge);
        Text1->setText(b.Text);  // changes the text again, and that change updates the counter
        Text1->setCursorPosition(int(b.Cursor));
        return;
    }
    Label1->setText(QStringLiteral("%1 von 159 Zeichen übrig").arg(Hoechstlaenge - SMS_Septettzahl(text)));
}

void Form8::MSFlexGrid1_Click()
{
    if (const QTableWidgetItem* zelle = MSFlexGrid1->item(Aktuelle_Zeile(), 0))
        Text1->setText(zelle->text());
}

void Form8::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        MsgBox(QStringLiteral("Sie haben keinen Text eingegeben!"));
        Text1->setFocus();
        return;
    }
    Zeile_Anfuegen(Text1->text());
    // The new last row is the current one, as after every save, so it can be taken over at once.
    Zeile_Setzen(MSFlexGrid1->rowCount() - 1);
    listespeichern();
}

void Form8::Command2_Click()
{
    const int zeile = Aktuelle_Zeile();
    if (zeile < 0)
        return;
    if (LoeschenRueckfrage && !Frage_Ja(QStringLiteral("Eintrag / Einträge wirklich löschen?"), Dialoge::Antwort::Nein,
                                         QStringLiteral("LÖSCHEN")))
        return;
    MSFlexGrid1->removeRow(zeile);
    if (MSFlexGrid1->rowCount() > 0)
        Zeile_Setzen(std::min(zeile, MSFlexGrid1->rowCount() - 1));
    listespeichern();
}

void Form8::Command3_Click()
{
    const int zeile = Aktuelle_Zeile();
    if (zeile < 0) {
        MsgBox(QStringLiteral("Sie haben keinen Eintrag ausgewählt!"));
        return;
    }
    if (Text1->text().isEmpty()) {
        MsgBox(QStringLiteral("Sie haben keinen Text eingegeben!"));
        return;
    }
    MSFlexGrid1->item(zeile, 0)->setText(Text1->text());
    listespeichern();
}

void Form8::Command4_Click()
{
    const int zeile = Aktuelle_Zeile();
    if (zeile < 0) {
        MsgBox(QStringLiteral("Sie haben keinen Text ausgewählt!"));
        return;
    }
    Form6::Instanz()->Text6->setPlainText(MSFlexGrid1->item(zeile, 0)->text());
    accept();
}

void Form8::listespeichern()
{
    QStringList zeilen;
    for (int i = 0; i < MSFlexGrid1->rowCount(); ++i)
        zeilen << MSFlexGrid1->item(i, 0)->text();
    const QString datei = Vorlagen_Datei();
    if (!Textdatei::Schreiben(datei, zeilen, Textdatei::Dateikodierung(datei)))
        Schreibfehler_Melden();
}
