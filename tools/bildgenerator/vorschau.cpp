#include "vorschau.h"

#include "anwendungssymbol.h"
#include "figuren.h"
#include "zeichnen.h"

#include <QBrush>
#include <QDir>

namespace {

// FEN letters in the order of alleFiguren.
const QString figurZeichen = QStringLiteral("pnbrqk");

QImage lade(const QString &ressourcen, const QString &name)
{
    return QImage(ressourcen + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QImage figur(const QString &ressourcen, QChar zeichen)
{
    const Figur art = alleFiguren[figurZeichen.indexOf(zeichen.toLower())];
    return lade(ressourcen,
                QStringLiteral("Figuren/") + figurName(art) +
                    (zeichen.isUpper() ? QStringLiteral("WS2") : QStringLiteral("SW2")));
}

// A board in scene units (70 per square, centred on the origin) as the game shows it: wood
// brushes anchored at the scene origin, marks under the pieces, pieces scaled into the squares.
QImage brett(const QString &ressourcen, int feldPixel, const QString &stellung, int von, int nach,
             bool holz)
{
    const qreal massstab = feldPixel / 70.0;
    const int rand = qRound(20 * massstab);
    QImage bild(8 * feldPixel + 2 * rand, 8 * feldPixel + 2 * rand, QImage::Format_RGB32);
    bild.fill(QColor(236, 236, 236));
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setRenderHint(QPainter::SmoothPixmapTransform);
    maler.translate(rand + 4 * feldPixel, rand + 4 * feldPixel);
    maler.scale(massstab, massstab);

    const QBrush hell = holz ? QBrush(lade(ressourcen, "Bilder/HolzHell")) : QBrush(Qt::white);
    const QBrush dunkel = holz ? QBrush(lade(ressourcen, "Bilder/HolzDunkel")) : QBrush(Qt::gray);
    const QImage markeStart = lade(ressourcen, "Figuren/MarkStart");
    const QImage markeEnde = lade(ressourcen, "Figuren/MarkEnd");
    QPen feldStift(Qt::black, 1);
    feldStift.setCosmetic(true);
    maler.setPen(feldStift);

    for (int zeile = 0; zeile < 8; ++zeile)
        for (int spalte = 0; spalte < 8; ++spalte) {
            const QRectF r(spalte * 70 - 280, zeile * 70 - 280, 70, 70);
            maler.setBrush((zeile + spalte) % 2 ? dunkel : hell);
            maler.drawRect(r);
            const int index = zeile * 8 + spalte;
            if (index == von)
                maler.drawImage(r, markeStart);
            if (index == nach)
                maler.drawImage(r, markeEnde);
        }
    maler.setBrush(Qt::NoBrush);
    maler.drawRect(QRectF(-288, -288, 576, 576));
    int feld = 0;
    for (QChar zeichen : stellung) {
        if (zeichen == QLatin1Char('/'))
            continue;
        if (zeichen.isDigit()) {
            feld += zeichen.digitValue();
            continue;
        }
        maler.drawImage(QRectF(feld % 8 * 70 - 280, feld / 8 * 70 - 280, 70, 70),
                        figur(ressourcen, zeichen));
        ++feld;
    }
    return bild;
}

class Bogen
{
public:
    explicit Bogen(int breite)
        : bild(breite, 3000, QImage::Format_RGB32)
    {
        bild.fill(QColor(200, 200, 200));
        maler.begin(&bild);
        maler.setRenderHint(QPainter::SmoothPixmapTransform);
        maler.setFont(QFont(dejaVuFamilie("DejaVuSans.ttf"), 11));
    }

    void setze(const QImage &b, const QString &text, int zielHoehe = 0)
    {
        const QSize groesse =
            zielHoehe ? b.size().scaled(10000, zielHoehe, Qt::KeepAspectRatio) : b.size();
        if (x + groesse.width() > bild.width() - 10)
            neueZeile();
        maler.drawImage(QRect(QPoint(x, y), groesse), b);
        maler.drawText(x, y + groesse.height() + 14, text);
        x += qMax(groesse.width(), 60) + 12;
        zeilenHoehe = qMax(zeilenHoehe, groesse.height() + 22);
    }

    void neueZeile()
    {
        x = 10;
        y += zeilenHoehe + 8;
        zeilenHoehe = 0;
    }

    QImage fertig()
    {
        neueZeile();
        maler.end();
        return bild.copy(0, 0, bild.width(), y);
    }

private:
    QImage bild;
    QPainter maler;
    int x = 10, y = 10, zeilenHoehe = 0;
};

} // namespace

bool schreibeVorschau(const QString &ressourcen, const QString &ziel)
{
    Bogen bogen(1400);
    for (const QString &farbe : {QStringLiteral("WS2"), QStringLiteral("SW2")})
        for (Figur art : alleFiguren)
            bogen.setze(lade(ressourcen, "Figuren/" + figurName(art) + farbe),
                        figurName(art) + farbe, 128);
    bogen.neueZeile();
    for (const char *name :
         {"Bilder/HolzHell", "Bilder/HolzDunkel", "Figuren/MarkStart", "Figuren/MarkEnd"})
        bogen.setze(lade(ressourcen, name), name);
    bogen.neueZeile();
    const QStringList symbolNamen = QDir(ressourcen + "/Icons").entryList({"*.png"}, QDir::Files);
    for (int hoehe : {128, 48, 40}) {
        for (const QString &datei : symbolNamen)
            bogen.setze(QImage(ressourcen + "/Icons/" + datei),
                        hoehe == 128 ? datei.chopped(4) : "", hoehe);
        bogen.neueZeile();
    }
    const QImage kopf = lade(ressourcen, "Bilder/Headimg");
    bogen.setze(kopf, "Headimg");
    bogen.setze(kopf.scaledToWidth(270), "Headimg 270");
    bogen.neueZeile();
    for (int groesse : anwendungssymbolGroessen)
        bogen.setze(
            QImage(
                QStringLiteral("%1/hicolor/%2x%2/apps/brakmor.png").arg(ressourcen).arg(groesse)),
            QString::number(groesse));

    const QString stellung =
        QStringLiteral("r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R");
    const int von = 6 * 8 + 3, nach = 5 * 8 + 3;
    const QImage gross = brett(ressourcen, 250, stellung, von, nach, true);
    QDir().mkpath(ziel);
    return speicherePng(bogen.fertig(), ziel + "/kontaktbogen.png") &&
           speicherePng(brett(ressourcen, 70, stellung, von, nach, true), ziel + "/brett70.png") &&
           speicherePng(brett(ressourcen, 70, stellung, von, nach, false),
                        ziel + "/brett70-klassisch.png") &&
           speicherePng(gross, ziel + "/brett250.png") &&
           speicherePng(gross.copy(0, gross.height() - 1070, 1100, 1070),
                        ziel + "/brett250-ausschnitt.png");
}
