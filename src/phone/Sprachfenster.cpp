#include "phone/Sprachfenster.h"

#include "common/Platzierung.h"
#include "link/Module1.h"
#include "phone/SLNGAntwort.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const Platzierung::Schluessel Sprachen{QStringLiteral("Sprachen"), 0, 0, -1, -1, false};
}

Sprachfenster::Sprachfenster(const QString& name, const QList<int>& codes, bool fertigMelden)
    : m_codes(codes), m_fertigMelden(fertigMelden)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("Displaysprache"));
    auto* layout = new QVBoxLayout(this);
    auto* gruppe = new QButtonGroup(this);
    for (int i = 0; i < m_codes.size(); ++i) {
        const int code = m_codes.at(i);
        auto* option = new QRadioButton(
            code == 0 ? QStringLiteral("Automatisch") : QStringLiteral("Sprache %1").arg(code), this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        gruppe->addButton(option, i);
        layout->addWidget(option);
        Option1 << option;
    }
    Platzierung::Laden(this, Sprachen);
}

void Sprachfenster::Sprache_Lesen()
{
    Module1::Status_Setzen(QStringLiteral("Lese Display-Sprache..."));
    if (!Module1::Befehl_Senden(QStringLiteral("AT^SLNG?"), true))
        return;
    const std::optional<int> code = Module1::SLNG_Code_Lesen(Module1::Link().Text2);
    const int i = code ? static_cast<int>(m_codes.indexOf(*code)) : -1;
    if (i >= 0)
        Option1.at(i)->setChecked(true);  // a choice made by code sends nothing
    if (m_fertigMelden)
        Module1::Status_Setzen(QStringLiteral("Fertig."));
}

int Sprachfenster::Gewaehlter_Code() const
{
    for (int i = 0; i < Option1.size(); ++i)
        if (Option1.at(i)->isChecked())
            return m_codes.at(i);
    return -1;
}

void Sprachfenster::closeEvent(QCloseEvent* event)
{
    Platzierung::Speichern(this, Sprachen);
    event->accept();
}
