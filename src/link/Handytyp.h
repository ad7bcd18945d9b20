#pragma once
#include <QString>

namespace Module1 {

// The detected model, "35" or "25"; empty until the phone told it. Never saved.
extern QString Handytyp;

// "35", "25", "unbekannt", or "" when the phone did not answer; only the first two are kept.
QString Handytyp_Pruefen();

}  // namespace Module1
