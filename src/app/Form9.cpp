#include "app/Form9.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {
QPointer<Form9>& Zeiger()
{
    static QPointer<Form9> form;
    return form;
}
}  // namespace

Form9::Form9()
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    auto* layout = new QVBoxLayout(this);
    Check6 = new QCheckBox(QStringLiteral("&Rückfragen vor Löschaktionen"), this);
    Check6->setObjectName(QStringLiteral("Check6"));
    Label76 = new QLabel(this);
    Label76->setObjectName(QStringLiteral("Label76"));
    layout->addWidget(Check6);
    layout->addWidget(Label76);
}

Form9* Form9::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form9();
    return Zeiger();
}

bool Form9::Geladen() { return !Zeiger().isNull(); }

void Form9::Modal_Zeigen()
{
    Instanz()->exec();
    delete Zeiger().data();
}
