#include "phone/Form16.h"

#include <QPointer>

namespace {
QPointer<Form16>& Zeiger()
{
    static QPointer<Form16> form;
    return form;
}
}  // namespace

Form16::Form16() : Sprachfenster(QStringLiteral("Form16"), {0, 1, 2, 3, 4, 5, 8, 11, 12, 104, 106}, false) {}

Form16* Form16::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form16();
    return Zeiger();
}

bool Form16::Geladen() { return !Zeiger().isNull(); }
