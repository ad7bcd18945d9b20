#pragma once
#include "phone/Sprachfenster.h"

// The window "Displaysprache" for phones whose model reply contains "25";
// SPRACHEWAEHLEN shows it modeless and then calls Sprache_Lesen. Placeholder.
class Form16 : public Sprachfenster {
    Q_OBJECT
public:
    static Form16* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form16();
};
