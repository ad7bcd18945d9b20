#include "media/Form15.h"

#include "link/Handytyp.h"

#include <QPointer>

namespace {
QPointer<Form15>& Zeiger()
{
    static QPointer<Form15> form;
    return form;
}
}  // namespace

Form15::Form15()
{
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Melodien"));
    // The picture and melody formats depend on the model.
    Module1::Handytyp_Pruefen();
}

Form15* Form15::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form15();
    return Zeiger();
}

bool Form15::Geladen() { return !Zeiger().isNull(); }
