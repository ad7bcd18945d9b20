#include "link/Form2.h"

#include "ui_Form2.h"

namespace {
Form2*& Zeiger()
{
    static Form2* form = nullptr;
    return form;
}
}  // namespace

Form2::Form2() : ui(std::make_unique<Ui::Form2>())
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, ui->Text1, &QPlainTextEdit::clear);
}

Form2::~Form2()
{
    if (Zeiger() == this)
        Zeiger() = nullptr;
}

Form2* Form2::Instanz()
{
    if (!Zeiger()) {
        Zeiger() = new Form2();
        Zeiger()->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    return Zeiger();
}

bool Form2::Geladen() { return Zeiger() != nullptr; }

void Form2::Log_Setzen(const QString& log) { ui->Text1->setPlainText(log); }

QString Form2::Text1() const { return ui->Text1->toPlainText(); }
