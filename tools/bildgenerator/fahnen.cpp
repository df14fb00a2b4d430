#include "fahnen.h"

#include <functional>

namespace {

// Draws a flag on a grid of the given units; a thin grey edge keeps white fields apart from
// the dialog's background.
QImage fahne(int hoehe, qreal einheitenBreite, qreal einheitenHoehe,
             const std::function<void(QPainter &)> &zeichnung)
{
    const int breite = qRound(hoehe * einheitenBreite / einheitenHoehe);
    QImage bild = leeresBild(breite, hoehe);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    maler.save();
    maler.scale(breite / einheitenBreite, hoehe / einheitenHoehe);
    maler.setClipRect(QRectF(0, 0, einheitenBreite, einheitenHoehe));
    zeichnung(maler);
    maler.restore();
    maler.setPen(QPen(QColor(0, 0, 0, 90), 2));
    maler.setBrush(Qt::NoBrush);
    maler.drawRect(QRectF(1, 1, breite - 2, hoehe - 2));
    return bild;
}

void deutschland(QPainter &m)
{
    m.fillRect(QRectF(0, 0, 5, 1), Qt::black);
    m.fillRect(QRectF(0, 1, 5, 1), QColor(221, 0, 0));
    m.fillRect(QRectF(0, 2, 5, 1), QColor(255, 206, 0));
}

void frankreich(QPainter &m)
{
    m.fillRect(QRectF(0, 0, 1, 2), QColor(0, 85, 164));
    m.fillRect(QRectF(1, 0, 1, 2), Qt::white);
    m.fillRect(QRectF(2, 0, 1, 2), QColor(239, 65, 53));
}

// The Union Flag on its 60 x 30 construction grid: white saltire 6 wide, the red saltire 2 wide
// and shifted clockwise in each quarter, white cross 10, red cross 6.
void grossbritannien(QPainter &m)
{
    const QColor rot(200, 16, 46);
    m.fillRect(QRectF(0, 0, 60, 30), QColor(1, 33, 105));
    QPainterPath diagonalen(QPointF(0, 0));
    diagonalen.lineTo(60, 30);
    diagonalen.moveTo(60, 0);
    diagonalen.lineTo(0, 30);
    m.strokePath(diagonalen, QPen(Qt::white, 6));

    QPainterPath viertel;
    viertel.addPolygon(QPolygonF({{30, 15}, {60, 15}, {60, 30}}));
    viertel.addPolygon(QPolygonF({{30, 15}, {30, 30}, {0, 30}}));
    viertel.addPolygon(QPolygonF({{30, 15}, {0, 15}, {0, 0}}));
    viertel.addPolygon(QPolygonF({{30, 15}, {30, 0}, {60, 0}}));
    m.save();
    m.setClipPath(viertel, Qt::IntersectClip);
    m.strokePath(diagonalen, QPen(rot, 4));
    m.restore();

    QPainterPath kreuz(QPointF(30, 0));
    kreuz.lineTo(30, 30);
    kreuz.moveTo(0, 15);
    kreuz.lineTo(60, 15);
    m.strokePath(kreuz, QPen(Qt::white, 10, Qt::SolidLine, Qt::FlatCap));
    m.strokePath(kreuz, QPen(rot, 6, Qt::SolidLine, Qt::FlatCap));
}

} // namespace

QVector<BenanntesBild> fahnen(int hoehe)
{
    return {{QStringLiteral("FahneDeutsch"), fahne(hoehe, 5, 3, deutschland)},
            {QStringLiteral("FahneGrossbritanien"), fahne(hoehe, 60, 30, grossbritannien)},
            {QStringLiteral("FahneFrankreich"), fahne(hoehe, 3, 2, frankreich)}};
}
