#include "media/Bmp.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr int DateiKopf = 14;
constexpr int InfoKopf = 40;

void U16(QByteArray& d, quint16 wert)
{
    d += char(wert & 0xFF);
    d += char(wert >> 8);
}

void U32(QByteArray& d, quint32 wert)
{
    for (int i = 0; i < 4; ++i)
        d += char((wert >> (8 * i)) & 0xFF);
}

int Zeilenlaenge(int breite, int tiefe) { return ((breite * tiefe + 31) / 32) * 4; }

QByteArray Kopf(int breite, int hoehe, int tiefe, int farben)
{
    const quint32 bild = quint32(Zeilenlaenge(breite, tiefe)) * quint32(hoehe);
    const quint32 versatz = DateiKopf + InfoKopf + 4 * farben;
    QByteArray d;
    d += "BM";
    U32(d, versatz + bild);
    U32(d, 0);
    U32(d, versatz);
    U32(d, InfoKopf);
    U32(d, quint32(breite));
    U32(d, quint32(hoehe));
    U16(d, 1);
    U16(d, quint16(tiefe));
    U32(d, 0);  // uncompressed
    U32(d, bild);
    U32(d, 0);
    U32(d, 0);
    U32(d, 0);
    U32(d, 0);
    return d;
}

bool Ist_Weiss(QRgb p) { return qGray(p) >= 128; }

QByteArray Schreiben_1(const QImage& bild)
{
    const int b = bild.width(), h = bild.height(), zeile = Zeilenlaenge(b, 1);
    QByteArray d = Kopf(b, h, 1, 2);
    U32(d, 0x00000000);
    U32(d, 0x00FFFFFF);
    for (int y = h - 1; y >= 0; --y) {
        const auto* p = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        QByteArray r(zeile, '\0');
        for (int x = 0; x < b; ++x)
            if (Ist_Weiss(p[x]))
                r[x / 8] = char(uchar(r[x / 8]) | (0x80 >> (x % 8)));
        d += r;
    }
    return d;
}

std::vector<QRgb> Farben(const QImage& bild, std::size_t grenze)
{
    std::vector<QRgb> farben;
    for (int y = 0; y < bild.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = 0; x < bild.width(); ++x) {
            const QRgb f = p[x] & 0xFFFFFF;
            const auto it = std::lower_bound(farben.begin(), farben.end(), f);
            if (it == farben.end() || *it != f) {
                farben.insert(it, f);
                if (farben.size() > grenze)
                    return farben;
            }
        }
    }
    return farben;
}

QByteArray Schreiben_8(QImage bild)
{
    std::vector<QRgb> farben = Farben(bild, 256);
    if (farben.size() > 256) {
        bild = bild.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
                   .convertToFormat(QImage::Format_RGB32);
        farben = Farben(bild, 256);
    }
    std::map<QRgb, int> index;
    for (std::size_t i = 0; i < farben.size(); ++i)
        index[farben[i]] = int(i);

    const int b = bild.width(), h = bild.height(), zeile = Zeilenlaenge(b, 8);
    QByteArray d = Kopf(b, h, 8, 256);
    for (int i = 0; i < 256; ++i)
        U32(d, i < int(farben.size()) ? farben[std::size_t(i)] : 0);  // B, G, R, 0 in the file
    for (int y = h - 1; y >= 0; --y) {
        const auto* p = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        QByteArray r(zeile, '\0');
        for (int x = 0; x < b; ++x)
            r[x] = char(index[p[x] & 0xFFFFFF]);
        d += r;
    }
    return d;
}

// Little-endian fields; the callers have checked that the bytes are there.
quint32 L32(const QByteArray& d, int pos)
{
    return quint32(uchar(d.at(pos))) | quint32(uchar(d.at(pos + 1))) << 8 | quint32(uchar(d.at(pos + 2))) << 16 |
           quint32(uchar(d.at(pos + 3))) << 24;
}
quint16 L16(const QByteArray& d, int pos) { return quint16(uchar(d.at(pos)) | uchar(d.at(pos + 1)) << 8); }

}  // namespace

int Bmp_Tiefe(const QImage& bild)
{
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);
    for (QRgb f : Farben(rgb, 2))
        if (f != 0 && f != 0xFFFFFF)
            return 8;
    return 1;
}

QByteArray Bmp_Schreiben(const QImage& bild, int tiefe)
{
    if (bild.isNull())
        return {};
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);
    if (tiefe == 0)
        tiefe = Bmp_Tiefe(rgb);
    return tiefe == 1 ? Schreiben_1(rgb) : Schreiben_8(rgb);
}

std::optional<QImage> Bmp_Lesen(const QByteArray& d)
{
    if (d.size() < DateiKopf + InfoKopf || !d.startsWith("BM"))
        return std::nullopt;
    const quint32 versatz = L32(d, 10);
    const quint32 kopf = L32(d, 14);
    if (kopf < InfoKopf || kopf > quint32(d.size()) - DateiKopf)
        return std::nullopt;
    const qint32 breite = qint32(L32(d, 18));
    const qint32 hoeheRoh = qint32(L32(d, 22));
    const int tiefe = L16(d, 28);
    const quint32 kompression = L32(d, 30);
    const quint32 benutzt = L32(d, 46);
    if (kompression != 0 || breite <= 0 || breite > 16384 || hoeheRoh == 0 || hoeheRoh < -16384 ||
        hoeheRoh > 16384)
        return std::nullopt;
    if (tiefe != 1 && tiefe != 4 && tiefe != 8 && tiefe != 24 && tiefe != 32)
        return std::nullopt;
    const bool vonOben = hoeheRoh < 0;
    const int hoehe = vonOben ? -hoeheRoh : hoeheRoh;

    std::vector<QRgb> palette;
    if (tiefe <= 8) {
        const quint32 anzahl = benutzt ? benutzt : (1u << tiefe);
        if (anzahl > 256)
            return std::nullopt;
        const qint64 anfang = DateiKopf + qint64(kopf);
        if (anfang + 4 * qint64(anzahl) > d.size())
            return std::nullopt;
        for (quint32 i = 0; i < anzahl; ++i)
            palette.push_back(0xFF000000 | (L32(d, int(anfang + 4 * i)) & 0xFFFFFF));
    }

    const qint64 zeile = Zeilenlaenge(breite, tiefe);
    if (qint64(versatz) + zeile * hoehe > d.size())
        return std::nullopt;

    QImage bild(breite, hoehe, QImage::Format_RGB32);
    for (int y = 0; y < hoehe; ++y) {
        const auto* q = reinterpret_cast<const uchar*>(d.constData() + versatz + zeile * (vonOben ? y : hoehe - 1 - y));
        auto* z = reinterpret_cast<QRgb*>(bild.scanLine(y));
        for (int x = 0; x < breite; ++x) {
            quint32 i = 0;
            switch (tiefe) {
            case 1: i = (q[x / 8] >> (7 - x % 8)) & 1; break;
            case 4: i = (q[x / 2] >> (x % 2 ? 0 : 4)) & 0xF; break;
            case 8: i = q[x]; break;
            case 24: z[x] = qRgb(q[3 * x + 2], q[3 * x + 1], q[3 * x]); continue;
            default: z[x] = qRgb(q[4 * x + 2], q[4 * x + 1], q[4 * x]); continue;
            }
            z[x] = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        }
    }
    return bild;
}

bool Bmp_Vollstaendig(const QByteArray& d)
{
    if (!d.startsWith("BM"))
        return true;
    if (d.size() < DateiKopf + 4)
        return false;
    const qint64 versatz = L32(d, 10);
    const qint64 kopf = L32(d, 14);
    if (kopf < 12 || DateiKopf + kopf > d.size())
        return false;
    qint64 breite = 0, hoehe = 0, tiefe = 0, kompression = 0, groesse = 0;
    if (kopf == 12) {  // the old core header: 16-bit sizes, never compressed
        breite = L16(d, 18);
        hoehe = L16(d, 20);
        tiefe = L16(d, 24);
    } else {
        if (kopf < 16)
            return false;
        breite = qint32(L32(d, 18));
        hoehe = qint32(L32(d, 22));
        tiefe = L16(d, 28);
        kompression = kopf >= 20 ? L32(d, 30) : 0;
        groesse = kopf >= 24 ? L32(d, 34) : 0;
    }
    constexpr qint64 Riesig = qint64(1) << 24;
    if (breite > Riesig || hoehe > Riesig || hoehe < -Riesig)
        return false;
    qint64 daten = 0;
    if (kompression == 0 || kompression == 3 || kompression == 6) {  // rows as they are
        if (breite <= 0 || tiefe <= 0 || tiefe > 64)
            return false;
        daten = (breite * tiefe + 31) / 32 * 4 * (hoehe < 0 ? -hoehe : hoehe);
    } else {
        // Run-length and embedded data: only the announced size tells where they end.
        if (groesse == 0)
            return false;
        daten = groesse;
    }
    return versatz + daten <= d.size();
}
