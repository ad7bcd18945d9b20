#include "phone/Sprachen.h"

namespace Module1 {

namespace {

QVector<std::pair<QString, int>> Suchfolge(std::initializer_list<std::pair<int, int>> codeUndOption)
{
    QVector<std::pair<QString, int>> folge;
    for (const auto& [code, option] : codeUndOption)
        folge.push_back({QStringLiteral("SLNG: %1").arg(code), option});
    return folge;
}

}  // namespace

const Sprachtabelle& Sprachen_25()
{
    static const Sprachtabelle tabelle{
        {
            {0, QStringLiteral("&Deutsch"), 104},
            {1, QStringLiteral("&Catalanisch"), 2},
            {2, QStringLiteral("&Englisch"), 1},
            {3, QStringLiteral("&Italienisch"), 106},
            {4, QStringLiteral("&Portugiesich"), 8},
            {5, QStringLiteral("&Griechisch"), 11},
            {6, QStringLiteral("&Türkisch"), 12},
            {7, QStringLiteral("&Spanisch"), 4},
            {8, QStringLiteral("&Französisch"), 3},
            {9, QStringLiteral("&Niederländisch"), 5},
            {Automatisch, QStringLiteral("&Automatisch"), 0},
        },
        Suchfolge({{0, Automatisch},
                   {1, 2},
                   {2, 1},
                   {3, 8},
                   {4, 7},
                   {5, 9},
                   {8, 4},
                   {11, 5},
                   {12, 6},
                   {104, 0},
                   {106, 3}}),
        {9, 1, 4, 8, 3, 5, 0, 2, 6, 7},
    };
    return tabelle;
}

const Sprachtabelle& Sprachen_35()
{
    // The option index is the language number; "&Deutsch" and "&Automatisch" both send 0,
    // and the reply "SLNG: 0" reads as the automatic choice.
    static const Sprachtabelle tabelle{
        {
            {0, QStringLiteral("&Deutsch"), 0},
            {1, QStringLiteral("&Englisch"), 1},
            {2, QStringLiteral("&Italienisch"), 2},
            {3, QStringLiteral("&Französisch"), 3},
            {5, QStringLiteral("&Niederländisch"), 5},
            {6, QStringLiteral("&Schwedisch"), 6},
            {7, QStringLiteral("&Dänisch"), 7},
            {9, QStringLiteral("&Finnisch"), 9},
            {10, QStringLiteral("&Norwegisch"), 10},
            {Automatisch, QStringLiteral("&Automatisch"), 0},
        },
        Suchfolge({{0, Automatisch}, {1, 1}, {2, 2}, {3, 3}, {5, 5}, {6, 6}, {7, 7}, {9, 9}, {10, 10}}),
        {0, 1, 2, 3, -2, 5, 6, 7, -2, 9, 10},
    };
    return tabelle;
}

std::optional<int> Sprachoption_Suchen(const Sprachtabelle& tabelle, const QString& antwort)
{
    std::optional<int> option;
    for (const auto& [text, o] : tabelle.Suchfolge)
        if (antwort.contains(text))
            option = o;
    return option;
}

const Sprachoption* Sprachoption_Finden(const Sprachtabelle& tabelle, int option)
{
    for (const Sprachoption& o : tabelle.Optionen)
        if (o.Option == option)
            return &o;
    return nullptr;
}

}  // namespace Module1
