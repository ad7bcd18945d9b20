#include "phone/Form25.h"

#include <QPointer>

namespace {
QPointer<Form25>& Zeiger()
{
    static QPointer<Form25> form;
    return form;
}
}  // namespace

Form25::Form25() : Sprachfenster(QStringLiteral("Form25"), {0, 1, 2, 3, 5, 6, 7, 9, 10}, true) {}

Form25* Form25::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form25();
    return Zeiger();
}

bool Form25::Geladen() { return !Zeiger().isNull(); }
