#pragma once
#include "phone/Sprachfenster.h"

// The window "Displaysprache" for phones whose model reply contains "35";
// SPRACHEWAEHLEN shows it modeless and then calls Sprache_Lesen. Placeholder.
class Form25 : public Sprachfenster {
    Q_OBJECT
public:
    static Form25* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form25();
};
