#pragma once

#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QObject>

#include <functional>

// One square of the board. A press on it (or on a piece above it, which lets presses through)
// goes to the window's move input with the press's scene position.
class CustomItem : public QObject, public QGraphicsRectItem
{
    Q_OBJECT

public:
    using Klick = std::function<void(const QPointF &szenenPosition)>;

    CustomItem(const QRectF &rechteck, Klick beiKlick, QGraphicsItem *parent = nullptr);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    Klick beiKlick;
};

// A piece (or captured piece) on a scene; it moves from square to square by animation.
class PictureItem : public QObject, public QGraphicsPixmapItem
{
    Q_OBJECT
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)

public:
    PictureItem(const QPixmap &bild, QGraphicsItem *parent = nullptr);
    ~PictureItem() override;

    // Moves the item from one scene position to another in `dauer` ms; animationFinished()
    // follows.
    void animiere(const QPointF &von, const QPointF &nach, int dauer);

    // Length of one move animation at normal speed in ms; the tests shorten it.
    static int animationsDauer;

signals:
    void animationFinished();
};
