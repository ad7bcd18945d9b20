#include "media/Form14.h"

#include "link/Handytyp.h"

#include <QPointer>

namespace {
QPointer<Form14>& Zeiger()
{
    static QPointer<Form14> form;
    return form;
}
}  // namespace

Form14::Form14()
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Grafiken"));
    // The picture and melody formats depend on the model.
    Module1::Handytyp_Pruefen();
}

Form14* Form14::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form14();
    return Zeiger();
}

bool Form14::Geladen() { return !Zeiger().isNull(); }
