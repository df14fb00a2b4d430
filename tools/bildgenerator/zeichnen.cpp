#include "zeichnen.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageWriter>
#include <QTextStream>

#include <cstdlib>

QImage leeresBild(int breite, int hoehe)
{
    QImage bild(breite, hoehe, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    return bild;
}

void beginneZeichnung(QPainter &maler, QImage &bild, qreal einheit)
{
    maler.begin(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal seite = qMin(bild.width(), bild.height());
    maler.translate((bild.width() - seite) / 2, (bild.height() - seite) / 2);
    maler.scale(seite / einheit, seite / einheit);
}

QPainterPath rundesRechteck(qreal x, qreal y, qreal breite, qreal hoehe, qreal radius)
{
    QPainterPath pfad;
    pfad.addRoundedRect(QRectF(x, y, breite, hoehe), radius, radius);
    return pfad;
}

QPainterPath kreis(qreal mitteX, qreal mitteY, qreal radius)
{
    QPainterPath pfad;
    pfad.addEllipse(QPointF(mitteX, mitteY), radius, radius);
    return pfad;
}

QString dejaVuFamilie(const QString &dateiName)
{
    const QString pfad = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + dateiName;
    const int id = QFontDatabase::addApplicationFont(pfad);
    const QStringList familien = QFontDatabase::applicationFontFamilies(id);
    if (familien.isEmpty()) {
        QTextStream(stderr) << "Cannot load " << pfad << " (install fonts-dejavu-core)\n";
        std::exit(1);
    }
    return familien.first();
}

bool speicherePng(const QImage &bild, const QString &pfad)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QImageWriter schreiber(pfad, "png");
    schreiber.setQuality(0);
    if (!schreiber.write(bild)) {
        QTextStream(stderr) << "Cannot write " << pfad << ": " << schreiber.errorString() << '\n';
        return false;
    }
    return true;
}
