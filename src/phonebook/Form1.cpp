#include "phonebook/Form1.h"

#include <QPointer>

namespace {
QPointer<Form1>& Zeiger()
{
    static QPointer<Form1> form;
    return form;
}
}  // namespace

Form1::Form1()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Telefonbücher"));
}

Form1* Form1::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form1();
    return Zeiger();
}

bool Form1::Geladen() { return !Zeiger().isNull(); }

void Form1::LOKALLADEN2(const QString&) {}
