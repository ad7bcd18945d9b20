#include "sms/Form26.h"

#include "sms/Form6.h"
#include "ui_Form26.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextEdit>

using namespace Module1;

Form26::Form26(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Form26>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    Label1 = ui->Label1;
    for (int k = 0; k < Bildzeichen_Anzahl; ++k) {
        Command1[k] = findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(k));
        Command1[k]->setText(Bildzeichen_Beschriftung(k));
        connect(Command1[k], &QPushButton::clicked, this, [this, k] { Command1_Click(k); });
    }
}

Form26::~Form26() = default;

void Form26::Modal_Zeigen()
{
    Form26 dialog(QApplication::activeWindow());
    dialog.exec();
}

void Form26::Command1_Click(int index)
{
    QTextEdit* text6 = Form6::Instanz()->Text6;
    const Bildeinfuegung neu = Bildzeichen_Einfuegen(text6->toPlainText(), text6->textCursor().selectionStart(),
                                                     index, Form6::Hoechstlaenge);
    text6->setPlainText(neu.Text);
    QTextCursor cursor = text6->textCursor();
    cursor.setPosition(std::min(neu.Cursor, int(text6->toPlainText().size())));
    text6->setTextCursor(cursor);
    accept();
}
