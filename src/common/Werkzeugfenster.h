#pragma once
#include "common/Platzierung.h"

#include <QPointer>
#include <QWidget>

// The frame every tool window shares: it is deleted when closed, placed in twips from section
// "Windows" (in its load, or else when first shown, inside its MDI frame), its stored state
// restored, and its placement saved when the user closes it. The window keeps only its own
// Form_Resize and its logic.
class Werkzeugfenster : public QWidget {
    Q_OBJECT
protected:
    explicit Werkzeugfenster(const Platzierung::Schluessel& platz);

    // The widget that is placed: the MDI sub-window frame, else the window itself.
    QWidget* Rahmen() const;
    // Applies the stored placement now.
    void Platzieren();
    // The window's own layout, on every showing and every resize.
    virtual void Form_Resize() {}

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const Platzierung::Schluessel m_platz;
    bool m_platziert = false;
    bool m_gezeigt = false;
};

// The one instance of a tool window, null while it is not loaded.
template <class Fenster>
QPointer<Fenster>& Einzelfenster()
{
    static QPointer<Fenster> fenster;
    return fenster;
}

// Creates and loads the window on first use. It is known before its load runs: the load may
// yield, and a second click must find this one.
template <class Fenster>
Fenster* Einzelfenster_Holen(Fenster* (*erzeugen)(), void (Fenster::*laden)() = nullptr)
{
    QPointer<Fenster>& fenster = Einzelfenster<Fenster>();
    if (!fenster) {
        fenster = erzeugen();
        if (laden)
            (fenster->*laden)();
    }
    return fenster;
}
