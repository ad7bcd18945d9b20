#include "common/Hex.h"

namespace {

int Hexziffer(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

}  // namespace

QByteArray Hex_Bytes(QStringView hex, qsizetype* gelesen)
{
    QByteArray bytes;
    bytes.reserve(hex.size() / 2);
    qsizetype i = 0;
    for (; i + 1 < hex.size(); i += 2) {
        const int hoch = Hexziffer(hex[i]);
        const int tief = Hexziffer(hex[i + 1]);
        if (hoch < 0 || tief < 0)
            break;
        bytes.append(static_cast<char>(hoch * 16 + tief));
    }
    if (gelesen)
        *gelesen = i;
    return bytes;
}
