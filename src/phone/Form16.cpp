#include "phone/Form16.h"

#include "ui_Form16.h"

#include <QPointer>

namespace {
QPointer<Form16>& Zeiger()
{
    static QPointer<Form16> form;
    return form;
}
}  // namespace

Form16::Form16() : Sprachfenster(Module1::Sprachen_25()), ui(std::make_unique<Ui::Form16>())
{
    ui->setupUi(this);
    Steuerelemente_Uebernehmen();
}

Form16::~Form16() = default;

Form16* Form16::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form16();
    return Zeiger();
}

bool Form16::Geladen() { return !Zeiger().isNull(); }
