#include "sms/Form6.h"

#include <QListWidget>
#include <QPointer>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
QPointer<Form6>& Zeiger()
{
    static QPointer<Form6> form;
    return form;
}
}  // namespace

Form6::Form6()
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Neue SMS-Nachricht"));
    auto* layout = new QVBoxLayout(this);
    List3 = new QListWidget(this);
    List3->setObjectName(QStringLiteral("List3"));
    Text6 = new QTextEdit(this);
    Text6->setObjectName(QStringLiteral("Text6"));
    Text6->setAcceptRichText(false);
    layout->addWidget(List3);
    layout->addWidget(Text6);
}

Form6* Form6::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form6();
    return Zeiger();
}

bool Form6::Geladen() { return !Zeiger().isNull(); }
