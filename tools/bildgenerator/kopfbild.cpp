#include "kopfbild.h"

#include "figuren.h"
#include "holz.h"
#include "zeichnen.h"

QImage kopfbild(int breite)
{
    const int hoehe = breite / 3;
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    QPainter m(&bild);
    m.setRenderHint(QPainter::Antialiasing);
    m.setRenderHint(QPainter::SmoothPixmapTransform);
    m.scale(breite / 330.0, breite / 330.0);

    // Light wood, darkening towards the top like a lit table top.
    m.fillRect(QRectF(0, 0, 330, 110), QBrush(holzBild(Holzart::Hell, 256)));
    QLinearGradient schatten(0, 0, 0, 92);
    schatten.setColorAt(0, QColor(90, 50, 20, 110));
    schatten.setColorAt(1, QColor(90, 50, 20, 0));
    m.fillRect(QRectF(0, 0, 330, 92), schatten);

    // A strip of board squares for the pieces to stand on.
    const QBrush hell(holzBild(Holzart::Hell, 256));
    const QBrush dunkel(holzBild(Holzart::Dunkel, 256));
    for (int i = 0; i < 19; ++i)
        m.fillRect(QRectF(i * 18 - 6, 92, 18, 18), i % 2 ? dunkel : hell);
    m.fillRect(QRectF(0, 91, 330, 1.5), QColor(30, 16, 8));

    zeichneFigur(m, Figur::Koenig, true, QRectF(2, 4, 92, 92));
    zeichneFigur(m, Figur::Pferd, false, QRectF(56, 20, 76, 76));

    QFont schrift(dejaVuFamilie("DejaVuSerif-Bold.ttf"));
    schrift.setPixelSize(44);
    schrift.setBold(true);
    QPainterPath name;
    name.addText(0, 0, schrift, QStringLiteral("Brakmor"));
    // The name fills the space right of the pieces, whatever the font's exact widths.
    const QRectF rahmen = name.boundingRect();
    const qreal einpassen = qMin(1.0, 176 / rahmen.width());
    name = QTransform::fromScale(einpassen, einpassen).map(name);
    const QRectF eingepasst = name.boundingRect();
    name.translate(232 - eingepasst.center().x(), 62 - eingepasst.bottom());
    const QColor nuss(88, 48, 20);
    m.fillPath(name.translated(1.2, 1.5), QColor(255, 246, 226, 200));
    m.fillPath(name, nuss);

    m.setPen(QPen(nuss, 1.5));
    m.drawLine(QPointF(150, 72), QPointF(306, 72));
    m.setBrush(nuss);
    m.setPen(Qt::NoPen);
    m.drawPolygon(QPolygonF({{228, 68}, {232, 72}, {228, 76}, {224, 72}}));
    return bild;
}
