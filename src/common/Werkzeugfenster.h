#pragma once
#include "common/Einzelfenster.h"
#include "common/Platzierung.h"

#include <QWidget>

// The frame every tool window shares: it is deleted when closed, placed in twips from section
// "Windows" (in its load, or else when first shown, inside its MDI frame), its stored state
// restored, and its placement saved when the user closes it; the keyboard focus then goes to
// the focus target. The window keeps only its own Form_Resize and its logic.
class Werkzeugfenster : public QWidget {
    Q_OBJECT
public:
    // Where the keyboard focus goes when a tool window has closed: the navigation tree.
    static void Fokusziel_Setzen(QWidget* ziel);

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
