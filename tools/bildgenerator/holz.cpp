#include "holz.h"

#include <QRandomGenerator>
#include <QVector>

#include <cmath>

namespace {

// Value noise on a lattice that wraps around, so the result repeats with period 1 in u and v.
class Rauschen
{
public:
    Rauschen(int zellenX, int zellenY, quint32 saat)
        : nx(zellenX)
        , ny(zellenY)
        , gitter(zellenX * zellenY)
    {
        QRandomGenerator zufall(saat);
        for (double &wert : gitter)
            wert = zufall.generateDouble() * 2 - 1;
    }

    // In -1..1.
    double operator()(double u, double v) const
    {
        const double x = u * nx;
        const double y = v * ny;
        const int ix = static_cast<int>(std::floor(x));
        const int iy = static_cast<int>(std::floor(y));
        const double fx = glatt(x - ix);
        const double fy = glatt(y - iy);
        const double oben = mische(punkt(ix, iy), punkt(ix + 1, iy), fx);
        const double unten = mische(punkt(ix, iy + 1), punkt(ix + 1, iy + 1), fx);
        return mische(oben, unten, fy);
    }

private:
    static double glatt(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
    static double mische(double a, double b, double t) { return a + (b - a) * t; }
    double punkt(int x, int y) const
    {
        x = ((x % nx) + nx) % nx;
        y = ((y % ny) + ny) % ny;
        return gitter[y * nx + x];
    }

    int nx, ny;
    QVector<double> gitter;
};

struct Maserung
{
    quint32 saat;
    int ringe;           // growth rings across the tile (whole, so the tile stays seamless)
    double wellung;      // how far the rings wander, in ring widths
    double ringStaerke;  // contrast of the late wood
    double faserStaerke; // contrast of the fibres
    QColor hell, mitte, dunkel;
};

const Maserung ahorn{
    11, 7, 0.55, 0.40, 0.16, QColor(248, 230, 196), QColor(232, 202, 152), QColor(200, 158, 102)};
const Maserung nuss{
    5, 6, 0.6, 0.46, 0.20, QColor(164, 110, 66), QColor(124, 78, 44), QColor(78, 46, 24)};

QVector<QRgb> palette(const Maserung &m)
{
    QVector<QRgb> farben(256);
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        const QColor &von = t < 0.5 ? m.hell : m.mitte;
        const QColor &bis = t < 0.5 ? m.mitte : m.dunkel;
        const double s = t < 0.5 ? t * 2 : t * 2 - 1;
        farben[i] = qRgb(qRound(von.red() + (bis.red() - von.red()) * s),
                         qRound(von.green() + (bis.green() - von.green()) * s),
                         qRound(von.blue() + (bis.blue() - von.blue()) * s));
    }
    return farben;
}

// Darkness 0..1 of the wood at (u, v) in tile coordinates. The rings run along u; their
// wandering changes slowly enough in v that they never close into islands.
double dunkelheit(const Maserung &m, const Rauschen &welle, const Rauschen &welleFein,
                  const Rauschen &faser, const Rauschen &faserFein, const Rauschen &ton, double u,
                  double v)
{
    constexpr double tau = 6.283185307179586;
    const double verschiebung =
        m.wellung * (welle(u, v) + 0.2 * welleFein(u, v) + 0.5 * std::sin(tau * u));
    const double ring = v * m.ringe + verschiebung;
    const double phase = ring - std::floor(ring);
    // Late wood: a soft dark band that fades out before the ring ends, so even a magnified
    // tile shows no hard step.
    const double spaet = std::exp(-std::pow((phase - 0.72) / 0.16, 2));
    const double fasern = 0.6 * faser(u, v) + 0.4 * faserFein(u, v);
    const double wert =
        0.40 + m.ringStaerke * (spaet - 0.35) + m.faserStaerke * fasern + 0.14 * ton(u, v);
    return qBound(0.0, wert, 1.0);
}

} // namespace

QImage holzBild(Holzart art, int groesse)
{
    const Maserung &m = art == Holzart::Hell ? ahorn : nuss;
    const Rauschen welle(3, 2, m.saat);
    const Rauschen welleFein(7, 3, m.saat + 1);
    const Rauschen faser(3, 96, m.saat + 2);
    const Rauschen faserFein(16, 256, m.saat + 3);
    const Rauschen ton(2, 3, m.saat + 4);

    QImage bild(groesse, groesse, QImage::Format_Indexed8);
    bild.setColorTable(palette(m));
    for (int y = 0; y < groesse; ++y) {
        uchar *zeile = bild.scanLine(y);
        for (int x = 0; x < groesse; ++x) {
            const double d = dunkelheit(m, welle, welleFein, faser, faserFein, ton,
                                        double(x) / groesse, double(y) / groesse);
            zeile[x] = static_cast<uchar>(qRound(d * 255));
        }
    }
    return bild;
}
