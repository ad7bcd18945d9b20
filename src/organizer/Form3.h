#pragma once
#include <QWidget>

// The organizer window "Organizer bearbeiten"; the tree shows it modeless. Its first
// load restores its placement ("OrganizerWS", "OrganizerX", "OrganizerY", "OrganizerW" 8200,
// "OrganizerH" 6500); closing it saves the placement.
// Placeholder until subsystem 4 builds it whole.
class Form3 : public QWidget {
    Q_OBJECT
public:
    static Form3* Instanz();  // created (and loaded) on first use
    static bool Geladen();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Form3();
    bool m_zustandGesetzt = false;
};
