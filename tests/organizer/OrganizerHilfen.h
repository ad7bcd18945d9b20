#pragma once
// Shared helpers of the organizer tests: the simulated phone with its data objects behind the
// real port, and a display that records the progress bar and the status texts.
#include "common/Einstellungen.h"
#include "link/Module1.h"
#include "sim/SimDatenobjekte.h"
#include "sim/SimHandy.h"
#include "support/Attrappen.h"
#include "support/DatenobjektSim.h"
#include "support/Testdateien.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace organizer_test {

using Protokollanzeige = VerlaufAnzeige;
using OrganizerSim = DatenobjektSim;

}  // namespace organizer_test
