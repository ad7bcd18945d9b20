#include "support/Zweitprozess.h"

#include <QCoreApplication>
#include <QMap>

namespace {
QMap<QString, Aufgabe>& Aufgaben()
{
    static QMap<QString, Aufgabe> aufgaben;
    return aufgaben;
}
const QString Schalter = QStringLiteral("--aufgabe");
}  // namespace

bool Aufgabe_Eintragen(const QString& name, Aufgabe aufgabe)
{
    Aufgaben().insert(name, std::move(aufgabe));
    return true;
}

std::optional<int> Aufgabe_Ausfuehren(const QStringList& befehlszeile)
{
    if (befehlszeile.size() < 3 || befehlszeile.at(1) != Schalter)
        return std::nullopt;
    const auto aufgabe = Aufgaben().constFind(befehlszeile.at(2));
    return aufgabe == Aufgaben().cend() ? 127 : (*aufgabe)(befehlszeile.mid(3));
}

void Aufgabe_Starten(QProcess& prozess, const QString& name, const QStringList& argumente)
{
    prozess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    prozess.start(QCoreApplication::applicationFilePath(), QStringList{Schalter, name} + argumente);
}
