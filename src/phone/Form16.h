#pragma once
#include "phone/Sprachfenster.h"

#include <memory>

namespace Ui {
class Form16;
}

// The window "Displaysprache" for phones whose model reply contains "25";
// SPRACHEWAEHLEN shows it modeless and then calls Sprache_Lesen.
class Form16 : public Sprachfenster {
    Q_OBJECT
public:
    static Form16* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form16() override;

private:
    Form16();
    std::unique_ptr<Ui::Form16> ui;
};
