#include "ui/brettitems.h"

#include <QEasingCurve>
#include <QGraphicsSceneMouseEvent>
#include <QPropertyAnimation>

CustomItem::CustomItem(const QRectF &rechteck, Klick beiKlick, QGraphicsItem *parent)
    : QGraphicsRectItem(rechteck, parent)
    , beiKlick(std::move(beiKlick))
{}

void CustomItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && beiKlick)
        beiKlick(event->scenePos());
    event->accept();
}

int PictureItem::animationsDauer = 1000;

PictureItem::PictureItem(const QPixmap &bild, QGraphicsItem *parent)
    : QGraphicsPixmapItem(bild, parent)
{
    // Rendered once per zoom level, so a large board costs no more than a small one per frame.
    setCacheMode(QGraphicsItem::DeviceCoordinateCache, QSize(-1, -1));
    setTransformationMode(Qt::SmoothTransformation);
    // Presses reach the square below.
    setAcceptedMouseButtons(Qt::NoButton);
}

PictureItem::~PictureItem() = default;

void PictureItem::animiere(const QPointF &von, const QPointF &nach, int dauer)
{
    auto *animation = new QPropertyAnimation(this, "pos", this);
    animation->setDuration(dauer);
    animation->setEasingCurve(QEasingCurve::InOutBack);
    animation->setStartValue(von);
    animation->setEndValue(nach);
    connect(animation, &QPropertyAnimation::finished, this, &PictureItem::animationFinished);
    setPos(von);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}
