#pragma once
#include <QList>
#include <QWidget>

class QRadioButton;

// What the two display-language windows Form16 (model "25") and Form25 (model "35") share:
// one option per language code, the placement keys "SprachenX" and "SprachenY",
// and Sprache_Lesen. Placeholder until subsystem 5 builds them whole: choosing an option sends
// nothing yet (the real windows ignore the clicks that Sprache_Lesen makes itself).
class Sprachfenster : public QWidget {
    Q_OBJECT
public:
    // Status "Lese Display-Sprache...", "AT^SLNG?" through the exchange, then the option of the
    // reply's code selected ("SLNG: 0" the automatic choice).
    void Sprache_Lesen();
    // The code of the selected option, -1 when none is selected.
    int Gewaehlter_Code() const;

    QList<QRadioButton*> Option1;  // object names "Option1_0" ... in the order of the codes

protected:
    // fertigMelden: Form25 ends Sprache_Lesen with the status "Fertig.", Form16 does not.
    Sprachfenster(const QString& name, const QList<int>& codes, bool fertigMelden);
    void closeEvent(QCloseEvent* event) override;

private:
    QList<int> m_codes;
    bool m_fertigMelden;
};
