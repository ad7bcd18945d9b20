#pragma once
#include <QProcess>
#include <QStringList>
#include <functional>
#include <optional>

// A second instance of the program at work beside a test, in a process of its own: the test
// program started again with "--aufgabe <name> <arguments>" runs the task registered under the
// name instead of the tests and exits with its result. Its standard output goes to the test.
using Aufgabe = std::function<int(const QStringList& argumente)>;

// For a static initialiser: `static const bool x = Aufgabe_Eintragen("name", ...);`
bool Aufgabe_Eintragen(const QString& name, Aufgabe aufgabe);
// The result of the task the command line names; nothing when the tests are to run.
std::optional<int> Aufgabe_Ausfuehren(const QStringList& befehlszeile);
// Starts a task in a second process.
void Aufgabe_Starten(QProcess& prozess, const QString& name, const QStringList& argumente);
