#include "phone/Form16.h"

#include "ui_Form16.h"

Form16::Form16() : Sprachfenster(Module1::Sprachen_25()), ui(std::make_unique<Ui::Form16>())
{
    ui->setupUi(this);
    Steuerelemente_Uebernehmen();
}

Form16::~Form16() = default;

Form16* Form16::Instanz() { return Einzelfenster_Holen<Form16>([] { return new Form16(); }); }

bool Form16::Geladen() { return !Einzelfenster<Form16>().isNull(); }
