#pragma once
#include <QIcon>

// The small icons of the phone-book lists, 1 to 7: SIM, fixed numbers, own numbers, phone,
// last dialled, missed calls, local. 0 and anything else: no icon.
QIcon Buchsymbol(int nummer);
