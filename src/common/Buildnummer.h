#pragma once
#include <QString>

// The program's build number (the count of commits it was built from).
QString Buildnummer();
