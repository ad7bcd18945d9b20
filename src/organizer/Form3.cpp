#include "organizer/Form3.h"

#include "common/Platzierung.h"

#include <QCloseEvent>
#include <QPointer>

namespace {
QPointer<Form3>& Zeiger()
{
    static QPointer<Form3> form;
    return form;
}

const Platzierung::Schluessel Organizer{QStringLiteral("Organizer"), 0, 0, 8200, 6500, true};
}  // namespace

Form3::Form3()
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Organizer bearbeiten"));
    Platzierung::Laden(this, Organizer);
}

void Form3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The stored state applies to the frame, which exists only once the window is shown.
    if (m_zustandGesetzt)
        return;
    m_zustandGesetzt = true;
    if (Platzierung::Zustand_Lesen(Organizer) == 2 && parentWidget())
        parentWidget()->showMaximized();
}

void Form3::closeEvent(QCloseEvent* event)
{
    Platzierung::Speichern(this, Organizer);
    event->accept();
}

Form3* Form3::Instanz()
{
    if (!Zeiger())
        Zeiger() = new Form3();
    return Zeiger();
}

bool Form3::Geladen() { return !Zeiger().isNull(); }
