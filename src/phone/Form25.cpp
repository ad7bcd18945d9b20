#include "phone/Form25.h"

#include "ui_Form25.h"

Form25::Form25() : Sprachfenster(Module1::Sprachen_35()), ui(std::make_unique<Ui::Form25>())
{
    ui->setupUi(this);
    Steuerelemente_Uebernehmen();
}

Form25::~Form25() = default;

Form25* Form25::Instanz() { return Einzelfenster_Holen<Form25>([] { return new Form25(); }); }

bool Form25::Geladen() { return !Einzelfenster<Form25>().isNull(); }
