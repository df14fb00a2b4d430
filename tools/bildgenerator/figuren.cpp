#include "figuren.h"

#include "zeichnen.h"

#include <QVector>

namespace {

// A piece in a 100 x 100 box: closed parts painted back to front (each one covers the lines of
// the parts behind it, which gives the inner contours), then open detail lines and solid dots.
struct Entwurf
{
    QVector<QPainterPath> teile;
    QVector<QPainterPath> linien;
    QVector<QPainterPath> punkte;
};

constexpr qreal umriss = 3.0;

struct Farben
{
    QColor hell, dunkel; // the body's gradient
    QColor kontur;       // outer outline
    QColor innen;        // inner contours, detail lines and dots
    qreal innenBreite;
    QColor schein; // a faint rim outside the outline that lifts the piece off dark wood
};

const Farben weisseFarben{
    QColor(255, 255, 255), QColor(214, 210, 202), QColor(28, 26, 24), QColor(28, 26, 24), umriss,
    Qt::transparent};
const Farben schwarzeFarben{QColor(78, 76, 74),    QColor(22, 21, 20), QColor(12, 12, 12),
                            QColor(226, 222, 214), umriss * 0.55,      QColor(255, 244, 224, 90)};

// The two plates every piece stands on.
void fuss(Entwurf &e, qreal breite)
{
    e.teile << rundesRechteck(50 - breite / 2 + 5, 77, breite - 10, 7, 3)
            << rundesRechteck(50 - breite / 2, 83, breite, 10, 3.5);
}

// A stem with concave sides from its top (half width obenHalb) down into the plates.
QPainterPath schaft(qreal oben, qreal obenHalb, qreal untenHalb)
{
    const qreal unten = 80;
    const qreal h = unten - oben;
    QPainterPath p(QPointF(50 - obenHalb, oben));
    p.cubicTo(50 - obenHalb, oben + 0.55 * h, 50 - untenHalb + 3, unten - 3, 50 - untenHalb, unten);
    p.lineTo(50 + untenHalb, unten);
    p.cubicTo(50 + untenHalb - 3, unten - 3, 50 + obenHalb, oben + 0.55 * h, 50 + obenHalb, oben);
    p.closeSubpath();
    return p;
}

Entwurf bauer()
{
    Entwurf e;
    e.teile << schaft(48, 7.5, 17) << kreis(50, 35, 11.5) << rundesRechteck(36.5, 45, 27, 6.5, 3.2);
    fuss(e, 50);
    return e;
}

Entwurf turm()
{
    Entwurf e;
    QPainterPath koerper(QPointF(36, 38));
    koerper.lineTo(64, 38);
    koerper.lineTo(67, 79);
    koerper.lineTo(33, 79);
    koerper.closeSubpath();

    const QPointF zinnen[] = {{29, 36},   {29, 15},   {37.5, 15}, {37.5, 21},
                              {45.5, 21}, {45.5, 15}, {54.5, 15}, {54.5, 21},
                              {62.5, 21}, {62.5, 15}, {71, 15},   {71, 36}};
    QPainterPath krone;
    krone.addPolygon(QPolygonF(QVector<QPointF>(std::begin(zinnen), std::end(zinnen))));
    krone.closeSubpath();

    e.teile << koerper << krone << rundesRechteck(32, 34, 36, 6, 2.5)
            << rundesRechteck(31, 71, 38, 7, 2.5);
    fuss(e, 56);
    return e;
}

Entwurf laeufer()
{
    Entwurf e;
    QPainterPath mitra(QPointF(50, 17));
    mitra.cubicTo(58, 24, 66, 32, 65.5, 42);
    mitra.cubicTo(65, 49, 58, 53.5, 50, 53.5);
    mitra.cubicTo(42, 53.5, 35, 49, 34.5, 42);
    mitra.cubicTo(34, 32, 42, 24, 50, 17);
    mitra.closeSubpath();

    QPainterPath schlitz(QPointF(58.5, 29));
    schlitz.lineTo(49, 40.5);

    e.teile << schaft(52, 7, 17) << kreis(50, 13, 4.8) << mitra << rundesRechteck(36, 51, 28, 6, 3);
    e.linien << schlitz;
    fuss(e, 54);
    return e;
}

Entwurf dame()
{
    Entwurf e;
    const QPointF zacken[] = {{34, 58},   {22.5, 25}, {36, 42}, {36.5, 19}, {45.5, 39}, {50, 15},
                              {54.5, 39}, {63.5, 19}, {64, 42}, {77.5, 25}, {66, 58}};
    QPainterPath krone;
    krone.addPolygon(QPolygonF(QVector<QPointF>(std::begin(zacken), std::end(zacken))));
    krone.closeSubpath();

    e.teile << schaft(58, 9, 18) << krone;
    for (const QPointF &spitze : {zacken[1], zacken[3], zacken[5], zacken[7], zacken[9]})
        e.teile << kreis(spitze.x(), spitze.y() - 2, 4);
    e.teile << rundesRechteck(32.5, 55, 35, 7, 3);
    fuss(e, 58);
    return e;
}

Entwurf koenig()
{
    Entwurf e;
    QPainterPath kreuz;
    kreuz.setFillRule(Qt::WindingFill);
    kreuz.addRect(46.8, 4, 6.4, 30);
    kreuz.addRect(41.5, 9.5, 17, 6.4);
    kreuz = kreuz.simplified();

    QPainterPath haube(QPointF(36, 58));
    haube.cubicTo(27, 48, 22, 37, 30, 30.5);
    haube.cubicTo(37, 25, 46, 28.5, 50, 36);
    haube.cubicTo(54, 28.5, 63, 25, 70, 30.5);
    haube.cubicTo(78, 37, 73, 48, 64, 58);
    haube.closeSubpath();

    QPainterPath mitte(QPointF(50, 36));
    mitte.lineTo(50, 56);

    e.teile << schaft(58, 9, 18) << kreuz << haube << rundesRechteck(33.5, 55, 33, 7, 3);
    e.linien << mitte;
    fuss(e, 58);
    return e;
}

Entwurf pferd()
{
    Entwurf e;
    QPainterPath kopf(QPointF(70, 79));
    kopf.cubicTo(75, 62, 77, 44, 69, 31);
    kopf.cubicTo(65, 24, 61, 20, 57, 18.5);
    kopf.lineTo(57.5, 7.5);
    kopf.cubicTo(53, 11, 50.5, 14, 49, 17.5);
    kopf.cubicTo(40, 19.5, 32, 26, 27, 36);
    kopf.cubicTo(23, 43, 19, 49, 17.5, 54.5);
    kopf.cubicTo(16.5, 59, 19, 62.5, 23, 62.5);
    kopf.cubicTo(30, 62.5, 34, 59, 38.5, 56.5);
    kopf.cubicTo(43, 54, 46, 51, 48.5, 49);
    kopf.cubicTo(43, 58, 35, 68, 32, 79);
    kopf.closeSubpath();

    QPainterPath maehne(QPointF(60, 22));
    maehne.cubicTo(69, 32, 71, 50, 66, 70);

    QPainterPath auge;
    auge.addEllipse(QPointF(41, 32), 3.2, 2.2);

    e.teile << kopf;
    e.linien << maehne;
    e.punkte << auge << kreis(22.5, 53.5, 1.7);
    fuss(e, 54);
    return e;
}

Entwurf entwurf(Figur figur)
{
    switch (figur) {
    case Figur::Bauer: return bauer();
    case Figur::Pferd: return pferd();
    case Figur::Laeufer: return laeufer();
    case Figur::Turm: return turm();
    case Figur::Dame: return dame();
    case Figur::Koenig: return koenig();
    }
    return {};
}

QPen stift(const QColor &farbe, qreal breite)
{
    return QPen(farbe, breite, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

QString figurName(Figur figur)
{
    switch (figur) {
    case Figur::Bauer: return QStringLiteral("Bauer");
    case Figur::Pferd: return QStringLiteral("Pferd");
    case Figur::Laeufer: return QStringLiteral("Laeufer");
    case Figur::Turm: return QStringLiteral("Turm");
    case Figur::Dame: return QStringLiteral("Dame");
    case Figur::Koenig: return QStringLiteral("Koenig");
    }
    return {};
}

void zeichneFigur(QPainter &maler, Figur figur, bool weiss, const QRectF &ziel, qreal strichFaktor)
{
    const Entwurf e = entwurf(figur);
    const Farben &f = weiss ? weisseFarben : schwarzeFarben;

    maler.save();
    maler.translate(ziel.topLeft());
    maler.scale(ziel.width() / 100, ziel.height() / 100);

    QLinearGradient verlauf(30, 15, 72, 90);
    verlauf.setColorAt(0, f.hell);
    verlauf.setColorAt(1, f.dunkel);

    QPainterPath silhouette;
    for (const QPainterPath &teil : e.teile)
        silhouette = silhouette.united(teil);
    maler.strokePath(silhouette, stift(f.schein, (umriss + 3) * strichFaktor));
    for (const QPainterPath &teil : e.teile) {
        maler.fillPath(teil, verlauf);
        maler.strokePath(teil, stift(f.innen, f.innenBreite * strichFaktor));
    }
    for (const QPainterPath &linie : e.linien)
        maler.strokePath(linie, stift(f.innen, f.innenBreite * strichFaktor));
    for (const QPainterPath &punkt : e.punkte)
        maler.fillPath(punkt, f.innen);
    maler.strokePath(silhouette, stift(f.kontur, umriss * strichFaktor));
    maler.restore();
}

QImage figurBild(Figur figur, bool weiss, int groesse)
{
    QImage bild = leeresBild(groesse, groesse);
    QPainter maler;
    beginneZeichnung(maler, bild);
    zeichneFigur(maler, figur, weiss, QRectF(0, 0, 100, 100));
    maler.end();
    return bild;
}

QImage markeBild(bool start, int groesse)
{
    QImage bild = leeresBild(groesse, groesse);
    QPainter maler;
    beginneZeichnung(maler, bild);
    // The origin gets a faint tint and corner brackets, the target a stronger tint and a full
    // frame, so the two tell apart even where they touch.
    const QPen rahmen(QColor(230, 140, 0, start ? 190 : 230), start ? 5 : 6, Qt::SolidLine,
                      Qt::SquareCap, Qt::MiterJoin);
    maler.fillRect(QRectF(0, 0, 100, 100),
                   start ? QColor(255, 236, 150, 80) : QColor(255, 200, 0, 105));
    maler.setPen(rahmen);
    if (start) {
        constexpr qreal a = 2.5, b = 97.5, l = 22;
        maler.drawPolyline(QPolygonF({{a, a + l}, {a, a}, {a + l, a}}));
        maler.drawPolyline(QPolygonF({{b - l, a}, {b, a}, {b, a + l}}));
        maler.drawPolyline(QPolygonF({{b, b - l}, {b, b}, {b - l, b}}));
        maler.drawPolyline(QPolygonF({{a + l, b}, {a, b}, {a, b - l}}));
    } else {
        maler.drawRect(QRectF(3, 3, 94, 94));
    }
    maler.end();
    return bild;
}
