#include "phone/Form25.h"

#include "ui_Form25.h"

#include <QPointer>

namespace {
QPointer<Form25>& Zeiger()
{
    static QPointer<Form25> form;
    return form;
}
}  // namespace

Form25::Form25() : Sprachfenster(Module1::Sprachen_35()), ui(std::make_unique<Ui::Form25>())
{
    ui->setupUi(this);
    Steuerelemente_Uebernehmen();
}

Form25::~Form25() = default;

Form25* Form25::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form25();
    return Zeiger();
}

bool Form25::Geladen() { return !Zeiger().isNull(); }
