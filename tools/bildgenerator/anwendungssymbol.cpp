#include "anwendungssymbol.h"

#include "figuren.h"
#include "zeichnen.h"

QImage anwendungssymbol(int groesse)
{
    QImage bild = leeresBild(groesse, groesse);
    QPainter m;
    beginneZeichnung(m, bild);

    const QPainterPath kachel = rundesRechteck(3, 3, 94, 94, 16);
    m.save();
    m.setClipPath(kachel);
    const QColor hell(236, 208, 160), dunkel(140, 90, 50);
    m.fillRect(QRectF(0, 0, 100, 100), hell);
    m.fillRect(QRectF(50, 0, 50, 50), dunkel);
    m.fillRect(QRectF(0, 50, 50, 50), dunkel);
    QLinearGradient licht(0, 0, 100, 100);
    licht.setColorAt(0, QColor(255, 255, 255, 60));
    licht.setColorAt(1, QColor(0, 0, 0, 60));
    m.fillRect(QRectF(0, 0, 100, 100), licht);
    m.restore();
    m.strokePath(kachel, QPen(QColor(70, 40, 20), 3));

    zeichneFigur(m, Figur::Pferd, true, QRectF(4, 2, 92, 92), qBound(1.0, 28.0 / groesse, 1.75));
    m.end();
    return bild;
}
