#include "phone/Form18.h"

#include <QPointer>

namespace {
QPointer<Form18>& Zeiger()
{
    static QPointer<Form18> form;
    return form;
}
}  // namespace

Form18::Form18()
{
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Datum & Uhrzeit"));
}

Form18* Form18::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form18();
    return Zeiger();
}

bool Form18::Geladen() { return !Zeiger().isNull(); }
