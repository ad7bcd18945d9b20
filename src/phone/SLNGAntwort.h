#pragma once
#include <QString>
#include <optional>

namespace Module1 {

// The display-language code in the reply to "AT^SLNG?" (the digits after "SLNG: ");
// nothing when the reply holds none.
std::optional<int> SLNG_Code_Lesen(const QString& antwort);

}  // namespace Module1
