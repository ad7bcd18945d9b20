#include "common/Werkzeugfenster.h"

#include "common/Knoepfe.h"

#include <QCloseEvent>
#include <QPointer>
#include <QTimer>

namespace {

QPointer<QWidget>& Fokusziel()
{
    static QPointer<QWidget> ziel;
    return ziel;
}

}  // namespace

void Werkzeugfenster::Fokusziel_Setzen(QWidget* ziel) { Fokusziel() = ziel; }

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
        Leistenknoepfe_Erschliessen(this);
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
    // Without a target the keyboard would reach nothing until Tab is pressed. The focus moves
    // once the frame is gone, so that nothing of the closing takes it again.
    if (QWidget* ziel = Fokusziel())
        QTimer::singleShot(0, ziel, [ziel] { ziel->setFocus(Qt::OtherFocusReason); });
}
