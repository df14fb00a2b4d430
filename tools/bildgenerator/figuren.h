#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

// The chess pieces and the last-move marks, drawn as vector shapes.

enum class Figur { Bauer, Pferd, Laeufer, Turm, Dame, Koenig };

constexpr Figur alleFiguren[] = {Figur::Bauer, Figur::Pferd, Figur::Laeufer,
                                 Figur::Turm,  Figur::Dame,  Figur::Koenig};

// German resource name of the kind, e.g. "Laeufer".
QString figurName(Figur figur);

// Draws the piece into the square ziel, standing on its lower edge with a small margin. Tiny
// renderings want a strichFaktor above 1 so the lines stay about a pixel wide.
void zeichneFigur(QPainter &maler, Figur figur, bool weiss, const QRectF &ziel,
                  qreal strichFaktor = 1);

QImage figurBild(Figur figur, bool weiss, int groesse);

// A translucent overlay for a whole square: the origin (start) or the target of the last move.
QImage markeBild(bool start, int groesse);
