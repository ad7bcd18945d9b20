#include "phone/Form19.h"

#include <QPointer>

namespace {
QPointer<Form19>& Zeiger()
{
    static QPointer<Form19> form;
    return form;
}
}  // namespace

Form19::Form19()
{
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("Sperren"));
}

Form19* Form19::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form19();
    return Zeiger();
}

bool Form19::Geladen() { return !Zeiger().isNull(); }
