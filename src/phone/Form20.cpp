#include "phone/Form20.h"

#include <QPointer>

namespace {
QPointer<Form20>& Zeiger()
{
    static QPointer<Form20> form;
    return form;
}
}  // namespace

Form20::Form20()
{
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("Rufumleitungen"));
}

Form20* Form20::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form20();
    return Zeiger();
}

bool Form20::Geladen() { return !Zeiger().isNull(); }
