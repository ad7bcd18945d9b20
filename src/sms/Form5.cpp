#include "sms/Form5.h"

#include <QPointer>

namespace {
QPointer<Form5>& Zeiger()
{
    static QPointer<Form5> form;
    return form;
}
}  // namespace

Form5::Form5()
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("SMS-Nachrichten lesen"));
}

Form5* Form5::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form5();
    return Zeiger();
}

bool Form5::Geladen() { return !Zeiger().isNull(); }
