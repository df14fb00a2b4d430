#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QVector>

// Small drawing helpers shared by all the image makers.

// An image with the resource alias it is known by in the game.
struct BenanntesBild
{
    QString name;
    QImage bild;
};

// A transparent image ready for antialiased drawing.
QImage leeresBild(int breite, int hoehe);

// A painter on the image with antialiasing, whose coordinates run 0..einheit across the square
// (or the shorter side) centred in the image.
void beginneZeichnung(QPainter &maler, QImage &bild, qreal einheit = 100);

QPainterPath rundesRechteck(qreal x, qreal y, qreal breite, qreal hoehe, qreal radius);
QPainterPath kreis(qreal mitteX, qreal mitteY, qreal radius);

// Loads a font file from Debian's fonts-dejavu-core and returns its family; stops the program
// with a message when the file is missing, since the pictures would silently change otherwise.
QString dejaVuFamilie(const QString &dateiName);

// Writes the image as PNG with the strongest compression; false (with a message) on failure.
bool speicherePng(const QImage &bild, const QString &pfad);
