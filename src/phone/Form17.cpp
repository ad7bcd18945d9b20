#include "phone/Form17.h"

#include <QPointer>

namespace {
QPointer<Form17>& Zeiger()
{
    static QPointer<Form17> form;
    return form;
}
}  // namespace

Form17::Form17()
{
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Netze"));
}

Form17* Form17::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form17();
    return Zeiger();
}

bool Form17::Geladen() { return !Zeiger().isNull(); }
