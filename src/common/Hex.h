#pragma once
#include <QByteArray>
#include <QStringView>

// The bytes of hexadecimal text (either case), pair by pair, up to the first pair that is
// missing its second digit or holds another character; `gelesen` tells how many digits were used.
QByteArray Hex_Bytes(QStringView hex, qsizetype* gelesen = nullptr);
