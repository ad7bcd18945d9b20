#include "media/Form22.h"

#include "link/Handytyp.h"

#include <QPointer>

namespace {
QPointer<Form22>& Zeiger()
{
    static QPointer<Form22> form;
    return form;
}
}  // namespace

Form22::Form22()
{
    setObjectName(QStringLiteral("Form22"));
    setWindowTitle(QStringLiteral("Grafik-Editor"));
    // The picture and melody formats depend on the model.
    Module1::Handytyp_Pruefen();
}

Form22* Form22::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form22();
    return Zeiger();
}

bool Form22::Geladen() { return !Zeiger().isNull(); }
