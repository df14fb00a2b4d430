#include "symbole.h"

#include <QPainterPathStroker>
#include <QtMath>

#include <functional>

namespace {

constexpr qreal randBreite = 3.2;

const QColor gruen(64, 170, 82), gruenRand(30, 105, 45);
const QColor blau(52, 120, 214), blauRand(24, 66, 140);
const QColor rot(220, 64, 60), rotRand(140, 28, 28);
const QColor gelb(255, 212, 64), gelbRand(190, 120, 0);
const QColor dunkel(34, 34, 38);

// The closed outline of a line drawn with the given width.
QPainterPath band(const QPainterPath &linie, qreal breite, Qt::PenCapStyle ende = Qt::RoundCap,
                  Qt::PenJoinStyle ecke = Qt::RoundJoin)
{
    QPainterPathStroker stroker;
    stroker.setWidth(breite);
    stroker.setCapStyle(ende);
    stroker.setJoinStyle(ecke);
    return stroker.createStroke(linie).simplified();
}

void flaeche(QPainter &maler, const QPainterPath &pfad, const QColor &fuellung, const QColor &rand)
{
    maler.fillPath(pfad, fuellung);
    maler.strokePath(pfad, QPen(rand, randBreite, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// An arrow pointing right, tip at (spitze, y), as one closed shape.
QPainterPath pfeilRechts(qreal links, qreal spitze, qreal y, qreal schaft, qreal kopfLaenge,
                         qreal kopfHalb)
{
    QPainterPath p(QPointF(links, y - schaft / 2));
    p.lineTo(spitze - kopfLaenge, y - schaft / 2);
    p.lineTo(spitze - kopfLaenge, y - kopfHalb);
    p.lineTo(spitze, y);
    p.lineTo(spitze - kopfLaenge, y + kopfHalb);
    p.lineTo(spitze - kopfLaenge, y + schaft / 2);
    p.lineTo(links, y + schaft / 2);
    p.closeSubpath();
    return p;
}

QPainterPath gespiegelt(const QPainterPath &pfad)
{
    return QTransform(-1, 0, 0, 1, 100, 0).map(pfad);
}

QPainterPath gedreht(const QPainterPath &pfad, qreal grad)
{
    QTransform t;
    t.translate(50, 50);
    t.rotate(grad);
    t.translate(-50, -50);
    return t.map(pfad);
}

void neustart(QPainter &m)
{
    constexpr qreal r = 30, dicke = 13;
    QPainterPath bogen;
    bogen.arcMoveTo(QRectF(50 - r, 50 - r, 2 * r, 2 * r), 95);
    bogen.arcTo(QRectF(50 - r, 50 - r, 2 * r, 2 * r), 95, 275);
    QPainterPath form = band(bogen, dicke, Qt::FlatCap);
    // The head sits on the arc's start at the top and points clockwise, into the gap.
    const QPointF anfang = bogen.pointAtPercent(0);
    QPainterPath kopf(QPointF(anfang.x() - 2, anfang.y() - 16));
    kopf.lineTo(anfang.x() + 17, anfang.y() + 0.5);
    kopf.lineTo(anfang.x() - 2, anfang.y() + 17);
    kopf.closeSubpath();
    flaeche(m, form.united(kopf).simplified(), gruen, gruenRand);
}

void seiteTauschen(QPainter &m)
{
    QPainterPath hoch = gedreht(pfeilRechts(12, 88, 50, 15, 26, 22), -90);
    const QTransform links = QTransform::fromTranslate(-19, 0);
    const QTransform rechts = QTransform::fromTranslate(19, 0);
    flaeche(m, links.map(hoch), Qt::white, dunkel);
    flaeche(m, rechts.map(gedreht(hoch, 180)), dunkel, dunkel);
}

void pfeil(QPainter &m, bool rechts)
{
    const QPainterPath p = pfeilRechts(12, 90, 50, 24, 36, 34);
    flaeche(m, rechts ? p : gespiegelt(p), blau, blauRand);
}

void information(QPainter &m)
{
    flaeche(m, kreis(50, 50, 42), blau, blauRand);
    m.fillPath(kreis(50, 28, 7.5), Qt::white);
    QPainterPath strich = rundesRechteck(43, 41, 14, 38, 4);
    strich.setFillRule(Qt::WindingFill);
    strich.addRoundedRect(QRectF(37, 41, 18, 8), 3, 3);
    strich.addRoundedRect(QRectF(36, 71, 28, 8), 3, 3);
    m.fillPath(strich.simplified(), Qt::white);
}

void vorschlag(QPainter &m)
{
    m.setPen(QPen(gelbRand, 5, Qt::SolidLine, Qt::RoundCap));
    for (int grad : {-160, -125, -90, -55, -20}) {
        const qreal w = qDegreesToRadians(qreal(grad));
        m.drawLine(QPointF(50 + 31 * qCos(w), 40 + 31 * qSin(w)),
                   QPointF(50 + 39 * qCos(w), 40 + 39 * qSin(w)));
    }
    QPainterPath glas(QPointF(41, 70));
    glas.cubicTo(41, 61, 28, 55, 28, 41);
    glas.cubicTo(28, 28, 38, 19, 50, 19);
    glas.cubicTo(62, 19, 72, 28, 72, 41);
    glas.cubicTo(72, 55, 59, 61, 59, 70);
    glas.closeSubpath();
    flaeche(m, glas, gelb, gelbRand);
    QPainterPath glanz(QPointF(37, 41));
    glanz.cubicTo(37, 33, 41, 28, 47, 27);
    m.strokePath(glanz, QPen(QColor(255, 248, 210), 5, Qt::SolidLine, Qt::RoundCap));

    const QColor metall(150, 154, 162), metallRand(70, 72, 80);
    flaeche(m, rundesRechteck(39, 69, 22, 16, 4), metall, metallRand);
    m.setPen(QPen(metallRand, 3, Qt::SolidLine, Qt::RoundCap));
    m.drawLine(QPointF(41, 74.5), QPointF(59, 74.5));
    m.drawLine(QPointF(41, 79.5), QPointF(59, 79.5));
    flaeche(m, rundesRechteck(44.5, 84, 11, 6, 3), metallRand, metallRand);
}

void speichern(QPainter &m)
{
    QPainterPath huelle(QPointF(14, 18));
    huelle.quadTo(14, 12, 20, 12);
    huelle.lineTo(72, 12);
    huelle.lineTo(88, 28);
    huelle.lineTo(88, 82);
    huelle.quadTo(88, 88, 82, 88);
    huelle.lineTo(20, 88);
    huelle.quadTo(14, 88, 14, 82);
    huelle.closeSubpath();
    flaeche(m, huelle, QColor(58, 96, 170), QColor(26, 50, 104));
    flaeche(m, rundesRechteck(28, 12, 40, 26, 2), QColor(206, 212, 222), QColor(26, 50, 104));
    m.fillPath(rundesRechteck(54, 17, 8, 16, 1.5), QColor(58, 96, 170));
    flaeche(m, rundesRechteck(24, 52, 52, 36, 3), Qt::white, QColor(26, 50, 104));
    m.setPen(QPen(QColor(150, 170, 205), 3, Qt::SolidLine, Qt::RoundCap));
    for (qreal y : {63, 72, 81})
        m.drawLine(QPointF(31, y), QPointF(69, y));
}

void laden(QPainter &m)
{
    const QColor rand(170, 104, 0);
    QPainterPath hinten(QPointF(10, 24));
    hinten.quadTo(10, 18, 16, 18);
    hinten.lineTo(36, 18);
    hinten.lineTo(43, 26);
    hinten.lineTo(80, 26);
    hinten.quadTo(86, 26, 86, 32);
    hinten.lineTo(86, 82);
    hinten.lineTo(10, 82);
    hinten.closeSubpath();
    flaeche(m, hinten, QColor(232, 166, 40), rand);
    flaeche(m, rundesRechteck(22, 32, 56, 34, 2), Qt::white, QColor(160, 160, 160));
    QPainterPath vorne(QPointF(10, 82));
    vorne.lineTo(22, 44);
    vorne.lineTo(94, 44);
    vorne.lineTo(86, 82);
    vorne.closeSubpath();
    flaeche(m, vorne, QColor(255, 204, 84), rand);
}

void fertig(QPainter &m)
{
    QPainterPath haken(QPointF(18, 52));
    haken.lineTo(40, 74);
    haken.lineTo(84, 26);
    flaeche(m, band(haken, 17, Qt::RoundCap, Qt::RoundJoin), gruen, gruenRand);
}

void abbruch(QPainter &m)
{
    QPainterPath kreuz(QPointF(22, 22));
    kreuz.lineTo(78, 78);
    kreuz.moveTo(78, 22);
    kreuz.lineTo(22, 78);
    flaeche(m, band(kreuz, 17), rot, rotRand);
}

void papierkorb(QPainter &m)
{
    QPainterPath koerper(QPointF(24, 30));
    koerper.lineTo(76, 30);
    koerper.lineTo(70, 88);
    koerper.quadTo(69.5, 92, 65, 92);
    koerper.lineTo(35, 92);
    koerper.quadTo(30.5, 92, 30, 88);
    koerper.closeSubpath();
    flaeche(m, koerper, gruen, gruenRand);
    m.setPen(QPen(QColor(190, 235, 196), 4.5, Qt::SolidLine, Qt::RoundCap));
    m.drawLine(QPointF(38, 40), QPointF(40, 82));
    m.drawLine(QPointF(50, 40), QPointF(50, 82));
    m.drawLine(QPointF(62, 40), QPointF(60, 82));
    QPainterPath griff(QPointF(40, 20));
    griff.lineTo(40, 12);
    griff.lineTo(60, 12);
    griff.lineTo(60, 20);
    flaeche(m, band(griff, 6, Qt::FlatCap, Qt::RoundJoin), gruen, gruenRand);
    flaeche(m, rundesRechteck(16, 18, 68, 12, 4), gruen, gruenRand);
}

QImage symbol(int groesse, const std::function<void(QPainter &)> &zeichnung)
{
    QImage bild = leeresBild(groesse, groesse);
    QPainter maler;
    beginneZeichnung(maler, bild);
    zeichnung(maler);
    maler.end();
    return bild;
}

} // namespace

QVector<BenanntesBild> symbole(int groesse)
{
    return {{QStringLiteral("Restart"), symbol(groesse, neustart)},
            {QStringLiteral("SeiteTauschen"), symbol(groesse, seiteTauschen)},
            {QStringLiteral("LinkerPfeil"), symbol(groesse, [](QPainter &m) { pfeil(m, false); })},
            {QStringLiteral("RechterPfeil"), symbol(groesse, [](QPainter &m) { pfeil(m, true); })},
            {QStringLiteral("Information"), symbol(groesse, information)},
            {QStringLiteral("Vorschlag"), symbol(groesse, vorschlag)},
            {QStringLiteral("Speichern"), symbol(groesse, speichern)},
            {QStringLiteral("Laden"), symbol(groesse, laden)},
            {QStringLiteral("Fertig"), symbol(groesse, fertig)},
            {QStringLiteral("Abbruch"), symbol(groesse, abbruch)},
            {QStringLiteral("EmptyTrashGreen"), symbol(groesse, papierkorb)}};
}
