#pragma once
#include "phone/Sprachfenster.h"

#include <memory>

namespace Ui {
class Form25;
}

// The window "Displaysprache" for phones whose model reply contains "35";
// SPRACHEWAEHLEN shows it modeless and then calls Sprache_Lesen.
class Form25 : public Sprachfenster {
    Q_OBJECT
public:
    static Form25* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form25() override;

private:
    Form25();
    std::unique_ptr<Ui::Form25> ui;
};
