#include "sms/Form27.h"

#include "common/Einzelfenster.h"
#include "common/Module4.h"
#include "ui_Form27.h"

Form27::Form27() : ui(std::make_unique<Ui::Form27>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Tool);
    Text1 = ui->Text1;
    Command1 = ui->Command1;
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    Module4::Fenster_ObenHalten(this);
}

Form27::~Form27() = default;

Form27* Form27::Instanz() { return Einzelfenster_Holen<Form27>([] { return new Form27(); }); }

bool Form27::Geladen() { return !Einzelfenster<Form27>().isNull(); }
