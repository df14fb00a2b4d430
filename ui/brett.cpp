#include "ui/mainwindow.h"

#include "app/einstellungen.h"
#include "game/spielablauf.h"
#include "ui/brettitems.h"
#include "ui_mainwindow.h"

#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLineEdit>
#include <QToolButton>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr int feldGroesse = 70;
// The images are drawn at this size; items scale them down to a square.
constexpr double bildGroesse = 256.0;
constexpr int schwarzVersatz = 17;

// Stacking order: squares, then marks, then pieces, the moving piece on top.
constexpr double zFeld = 0;
constexpr double zMarke = 1;
constexpr double zFigur = 2;
constexpr double zBewegt = 3;

const QColor hellMarkiert(204, 255, 204);
const QColor dunkelMarkiert(136, 255, 136);
const QColor schachFarbe(255, 100, 100);

// Piece items per colour: the first index of each kind and how many items it has.
struct Art
{
    int32_t code;
    int erster;
    int anzahl;
    const char *bildWeiss;
    const char *bildSchwarz;
};

const Art arten[] = {
    {BAUER, 0, 8, ":/Figuren/BauerWS2", ":/Figuren/BauerSW2"},
    {PFERD, 8, 2, ":/Figuren/PferdWS2", ":/Figuren/PferdSW2"},
    {LAEUFER, 10, 2, ":/Figuren/LaeuferWS2", ":/Figuren/LaeuferSW2"},
    {TURM, 12, 2, ":/Figuren/TurmWS2", ":/Figuren/TurmSW2"},
    {DAME, 14, 2, ":/Figuren/DameWS2", ":/Figuren/DameSW2"},
    {KOENIG, 16, 1, ":/Figuren/KoenigWS2", ":/Figuren/KoenigSW2"},
};

const Art *artVon(int32_t code)
{
    for (const Art &art : arten) {
        if (art.code == std::abs(code))
            return &art;
    }
    return nullptr;
}

bool istFigur(int32_t code)
{
    return code != LEER && code != RAND;
}

// For highlighting, by board square.
bool istHell(int feld)
{
    return (feld - (feld / 10 - 2)) % 2 == 0;
}

QBrush feldPinsel(bool hell)
{
    if (einstellungen.brettdesign == 1)
        return QBrush(QPixmap(hell ? QStringLiteral(":/Bilder/HolzHell")
                                   : QStringLiteral(":/Bilder/HolzDunkel")));
    return QBrush(hell ? Qt::white : Qt::gray);
}

QPen feldStift()
{
    QPen stift(Qt::black, 1);
    stift.setCosmetic(true);
    return stift;
}

} // namespace

// The scene: squares, frame and labels, then the pieces (all hidden until a position is drawn)
// and the two marks of the last move.
void MainWindow::baueBrett()
{
    szene = new QGraphicsScene(this);
    szene->setSceneRect(-315, -315, 630, 630);
    felder.fill(nullptr, 65);
    auto klick = [this](const QPointF &position) { brettKlick(position); };
    for (int i = 1; i <= 64; ++i) {
        const int x = -280 + feldGroesse * ((i - 1) % 8);
        const int y = -280 + feldGroesse * ((i - 1) / 8);
        auto *feld = new CustomItem(QRectF(x, y, feldGroesse, feldGroesse), klick);
        feld->setPen(feldStift());
        feld->setZValue(zFeld);
        szene->addItem(feld);
        felder[i] = feld;
    }
    zeichneFelder();
    szene->addRect(-288, -288, 576, 576, feldStift(), Qt::NoBrush);

    QFont schrift;
    schrift.setPixelSize(12);
    for (int i = 0; i < 32; ++i)
        beschriftungen.append(szene->addSimpleText(QString(), schrift));
    zeichneKoordinaten();

    baueFiguren();
    markeStart = baueMarke(QStringLiteral(":/Figuren/MarkStart"));
    markeEnde = baueMarke(QStringLiteral(":/Figuren/MarkEnd"));
    ui->graphicsView->setScene(szene);
}

void MainWindow::baueFiguren()
{
    for (int farbe = 0; farbe < 2; ++farbe) {
        for (const Art &art : arten) {
            const QPixmap bild(QString::fromLatin1(farbe ? art.bildSchwarz : art.bildWeiss));
            for (int k = 0; k < art.anzahl; ++k) {
                auto *figur = new PictureItem(bild);
                figur->setScale(feldGroesse / bildGroesse);
                figur->setZValue(zFigur);
                figur->hide();
                szene->addItem(figur);
                connect(figur, &PictureItem::animationFinished, this,
                        &MainWindow::onAnimationFertig);
                figuren.append(figur);
            }
        }
    }
}

QGraphicsPixmapItem *MainWindow::baueMarke(const QString &bild)
{
    QGraphicsPixmapItem *marke = szene->addPixmap(QPixmap(bild));
    marke->setScale(feldGroesse / bildGroesse);
    marke->setTransformationMode(Qt::SmoothTransformation);
    marke->setAcceptedMouseButtons(Qt::NoButton);
    marke->setZValue(zMarke);
    marke->hide();
    return marke;
}

// The colours alternate along a row and repeat at the start of the next, whichever way the
// board is turned: a8 and h1 are both light.
void MainWindow::zeichneFelder()
{
    markiert.clear();
    const QBrush hell = feldPinsel(true);
    const QBrush dunkel = feldPinsel(false);
    for (int i = 1; i <= 64; ++i) {
        const int zeile = (i - 1) / 8;
        const int spalte = (i - 1) % 8;
        felder[i]->setBrush((zeile + spalte) % 2 == 0 ? hell : dunkel);
    }
}

void MainWindow::zeichneKoordinaten()
{
    for (int k = 0; k < 8; ++k) {
        const QString buchstabe(QChar(weissUnten ? 'A' + k : 'H' - k));
        const QString ziffer = QString::number(weissUnten ? 8 - k : k + 1);
        QGraphicsSimpleTextItem *oben = beschriftungen[4 * k];
        QGraphicsSimpleTextItem *unten = beschriftungen[4 * k + 1];
        QGraphicsSimpleTextItem *links = beschriftungen[4 * k + 2];
        QGraphicsSimpleTextItem *rechts = beschriftungen[4 * k + 3];
        oben->setText(buchstabe);
        unten->setText(buchstabe);
        links->setText(ziffer);
        rechts->setText(ziffer);
        oben->setPos(70 * k - 250, -307);
        unten->setPos(70 * k - 250, 293);
        links->setPos(-303, 70 * k - 260);
        rechts->setPos(297, 70 * k - 260);
    }
}

bool MainWindow::ansichtWeissUnten() const
{
    return ablauf->weissUnten() != einstellungen.brettGedreht;
}

// The highlighted squares and the marks of the last move follow their squares.
void MainWindow::dreheAnsicht()
{
    weissUnten = ansichtWeissUnten();
    if (markiert.isEmpty())
        zeichneFelder();
    else
        markiereFelder(markiert);
    zeichneKoordinaten();
    zeichneFiguren(ablauf->imSchach());
    zeichneMarken();
}

QPointF MainWindow::feldPosition(int feld) const
{
    const int f = weissUnten ? feld : 121 - feld;
    return QPointF((f % 10 - 6) * feldGroesse, (f / 10 - 6) * feldGroesse);
}

// Squares cover [position, position + 70), so the square is the one whose cell holds the point.
int MainWindow::feldAusPosition(const QPointF &p) const
{
    const int spalte = int(std::floor(p.x() / feldGroesse + 6));
    const int zeile = int(std::floor(p.y() / feldGroesse + 6));
    if (spalte < 2 || spalte > 9 || zeile < 2 || zeile > 9)
        return 0;
    const int feld = zeile * 10 + spalte;
    return weissUnten ? feld : 121 - feld;
}

CustomItem *MainWindow::feldItem(int feld) const
{
    const QPointF p = feldPosition(feld);
    return felder[int(p.y() / feldGroesse + 4) * 8 + int(p.x() / feldGroesse + 4) + 1];
}

PictureItem *MainWindow::freiesItem(int32_t code) const
{
    const Art *art = artVon(code);
    if (!art)
        return nullptr;
    const int versatz = code > 0 ? schwarzVersatz : 0;
    for (int k = 0; k < art->anzahl; ++k) {
        PictureItem *figur = figuren[art->erster + versatz + k];
        if (!figur->isVisible())
            return figur;
    }
    return nullptr;
}

// A piece without a free item of its kind (a third queen) is not drawn. A piece being dragged
// goes back to its square.
void MainWindow::zeichneFiguren(bool schach)
{
    druckFeld = 0;
    gezogen = nullptr;
    for (PictureItem *figur : qAsConst(figuren)) {
        figur->hide();
        figur->setZValue(zFigur);
    }
    figurIndex.clear();
    for (int feld = 22; feld <= 99; ++feld) {
        const int32_t code = ablauf->brettKopie()[feld];
        if (!istFigur(code))
            continue;
        PictureItem *figur = freiesItem(code);
        if (!figur)
            continue;
        figur->setPos(feldPosition(feld));
        figur->show();
        figurIndex.insert(feld, figuren.indexOf(figur));
    }
    if (schach)
        markiereSchach();
}

// The list is a copy: it may be the one zeichneFelder empties.
void MainWindow::markiereFelder(QList<int> liste)
{
    zeichneFelder();
    for (int feld : liste) {
        feldItem(feld)->setBrush(istHell(feld) ? hellMarkiert : dunkelMarkiert);
    }
    markiert = liste;
}

// The king of the side to move stands on a red square while it is in check.
void MainWindow::markiereSchach()
{
    const int32_t koenig = ablauf->amZug() ? KOENIG : -KOENIG;
    for (int feld = 22; feld <= 99; ++feld) {
        if (ablauf->brettKopie()[feld] != koenig)
            continue;
        feldItem(feld)->setBrush(schachFarbe);
        return;
    }
}

void MainWindow::entferneMarkierungen()
{
    zeichneFelder();
    if (ablauf->imSchach())
        markiereSchach();
}

// The marks stay hidden until zeigeMarken, so they do not sit on a square a piece is leaving.
void MainWindow::setzeMarken(int32_t von, int32_t nach)
{
    markeStart->hide();
    markeEnde->hide();
    markenFelder = {von, nach};
    if (von < 22 || von > 99 || nach < 22 || nach > 99)
        markenFelder = {0, 0};
    zeichneMarken();
}

// After the board has turned the marks follow their squares.
void MainWindow::zeichneMarken()
{
    if (markenFelder.first == 0)
        return;
    markeStart->setPos(feldPosition(markenFelder.first));
    markeEnde->setPos(feldPosition(markenFelder.second));
}

void MainWindow::zeigeMarken()
{
    const bool sichtbar = markenFelder.first != 0 && einstellungen.markiereLetztenZug;
    markeStart->setVisible(sichtbar);
    markeEnde->setVisible(sichtbar);
}

// Moves the piece items for a move just made on `brettKopie`: the mover (from where it was
// dropped, after a drag), the rook when castling, a fresh item of the new kind for a promotion; a
// captured item is hidden when the animation ends. Without an animation, or without an item to
// move, the pieces stand at once and the end is still reported after this event, so the flow
// sees its events in the same order either way.
void MainWindow::animiereZug(const Zug &zug, int32_t figur)
{
    const std::optional<QPointF> abgelegt = std::exchange(ablage, std::nullopt);
    int32_t opferFeld = zug.nach;
    if (zug.flags & ZUG_ENPASSANT)
        opferFeld = zug.nach + ((zug.flags & ZUG_SCHWARZ) ? -10 : 10);
    geschlagenIndex = figurIndex.value(opferFeld, -1);
    figurIndex.remove(opferFeld);

    PictureItem *item = nullptr;
    const int index = figurIndex.value(zug.von, -1);
    figurIndex.remove(zug.von);
    if (index >= 0)
        item = figuren[index];
    if (zug.flags & ZUG_WANDLUNG) {
        if (item)
            item->hide();
        const int32_t neu = (zug.flags & ZUG_SCHWARZ) ? figur : -figur;
        item = freiesItem(neu);
        if (item)
            item->show();
    }

    const int dauer = zugDauer();
    const int vorher = laufendeAnimationen;
    auto bewege = [&](PictureItem *figur, int nach, const QPointF &start) {
        figurIndex.insert(nach, figuren.indexOf(figur));
        figur->setZValue(zBewegt);
        if (dauer == 0) {
            figur->setPos(feldPosition(nach));
            return;
        }
        ++laufendeAnimationen;
        figur->animiere(start, feldPosition(nach), dauer);
    };
    if (item)
        bewege(item, zug.nach, abgelegt.value_or(feldPosition(zug.von)));
    if (zug.flags & ZUG_ROCHADE) {
        const bool lang = zug.nach % 10 == 4;
        const int turmVon = lang ? zug.nach - 2 : zug.nach + 1;
        const int turmNach = lang ? zug.nach + 1 : zug.nach - 1;
        const int turm = figurIndex.value(turmVon, -1);
        figurIndex.remove(turmVon);
        if (turm >= 0)
            bewege(figuren[turm], turmNach, feldPosition(turmVon));
    }
    if (dauer == 0) {
        if (geschlagenIndex >= 0)
            figuren[std::exchange(geschlagenIndex, -1)]->hide();
        zeigeMarken();
        zeichneFriedhof();
    }
    if (laufendeAnimationen == vorher) {
        ++laufendeAnimationen;
        QMetaObject::invokeMethod(this, &MainWindow::onAnimationFertig, Qt::QueuedConnection);
    }
}

int MainWindow::zugDauer() const
{
    switch (einstellungen.animation) {
    case AnimationAus: return 0;
    case AnimationSchnell: return PictureItem::animationsDauer / 4;
    default: return PictureItem::animationsDauer;
    }
}

void MainWindow::skaliereBrett()
{
    const QSize flaeche = ui->centralWidget->size();
    const int klein = qMin(flaeche.width(), flaeche.height());
    const int gross = qMax(flaeche.width(), flaeche.height());
    if (gross > 0) {
        const int brettAnteil = klein * 100 / gross;
        ui->OberstesLayout->setStretch(0, brettAnteil);
        ui->OberstesLayout->setStretch(1, 100 - brettAnteil);
        ui->centralWidget->layout()->activate();
    }

    QGraphicsView *ansicht = ui->graphicsView;
    const int seite = qMin(ansicht->width(), ansicht->height());
    ansicht->resetTransform();
    if (seite > 0) {
        const double faktor = seite / szene->sceneRect().width() * 0.98;
        ansicht->scale(faktor, faktor);
    }

    const int symbol = qMin(48, int(std::lround(ui->tEdit_Meldezeile->width() / 8.2)));
    for (QToolButton *knopf : {ui->tbt_NeuesSpiel, ui->tbt_SeiteTauschen, ui->tbt_SichernLaden,
                               ui->tbt_Vor, ui->tbt_Zurueck, ui->tbt_Info})
        knopf->setIconSize(QSize(symbol, symbol));
    zeichneFriedhof();
}
