#include "common/Werkzeugfenster.h"

#include <QCloseEvent>

Werkzeugfenster::Werkzeugfenster(const Platzierung::Schluessel& platz) : m_platz(platz)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

QWidget* Werkzeugfenster::Rahmen() const { return Platzierung::Rahmen(const_cast<Werkzeugfenster*>(this)); }

void Werkzeugfenster::Platzieren()
{
    m_platziert = true;
    Platzierung::Laden(this, m_platz);
}

void Werkzeugfenster::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_platziert)
        Platzieren();
    // The stored state applies to the frame, which exists only once the window is shown.
    if (!m_gezeigt) {
        m_gezeigt = true;
        if (m_platz.Zustand)
            Platzierung::Zustand_Anwenden(this, m_platz);
    }
    Form_Resize();
}

void Werkzeugfenster::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Werkzeugfenster::closeEvent(QCloseEvent* event)
{
    if (m_platziert)
        Platzierung::Speichern(this, m_platz);
    event->accept();
}
