#include "phone/Form12.h"

#include <QPointer>

namespace {
QPointer<Form12>& Zeiger()
{
    static QPointer<Form12> form;
    return form;
}
}  // namespace

Form12::Form12()
{
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Allgemeine Informationen"));
}

void Form12::ALLELESEN()
{
    ++ALLELESEN_Aufrufe;
    Abbruch = false;
    for (const char* feld : {"IMEI", "IMSI", "Hersteller", "Modell", "Revision", "Akku", "Stromquelle", "Signal",
                             "Netzbetreiber", "Zelle"}) {
        if (Abbruch)
            break;
        Feld_Lesen(QString::fromLatin1(feld));
    }
    Abbruch = false;
}

// Placeholder: the real window sends the field's command and sets Abbruch when it fails.
void Form12::Feld_Lesen(const QString&) {}

Form12* Form12::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form12();
    return Zeiger();
}

bool Form12::Geladen() { return !Zeiger().isNull(); }
