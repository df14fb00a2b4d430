#pragma once

#include "core/zug.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPair>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class Controller;
class CustomItem;
class EchteAblaufdienste;
class PictureItem;
class QActionGroup;
class QGraphicsPixmapItem;
class QGraphicsScene;
class QGraphicsSimpleTextItem;
class QGraphicsTextItem;
class QMenu;
class QMouseEvent;
class QTimer;
class Spielablauf;

namespace Ui {
class MainWindow;
}

// The program's window: the board, the move list, clocks and status lines. It turns clicks, keys
// and menu entries into calls of the game flow and shows what the flow reports.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;

private slots:
    void ButtonNeuesSpielClick();
    void ButtonSichernLadenClick();
    void ButtonSeitenwechselClick();
    void ButtonZugZurueckClick();
    void onHotkeyButtonZugVorClick();
    void ButtonZugVorClick();
    void ButtonInfoClick();
    void onTimerEvent();
    void on_actionFen_Import_aus_Zwischenablage_triggered();
    void on_actionFen_Export_in_Zwischenablage_triggered();
    void on_actionSehrEinfach_triggered();
    void on_actionEinfach_triggered();
    void on_actionMittel_triggered();
    void on_actionSchwer_triggered();
    void on_actionSehrSchwer_triggered();
    void on_actionKonfiguration_triggered();
    void onListItemChanged();
    void on_actionPartie_laden_triggered();
    void on_actionPartie_speichern_triggered();
    void on_action_Beenden_triggered();
    void on_actionProtokoll_in_Zwischenablage_triggered();
    void on_actionPartie_exportieren_triggered();
    void on_actionBrett_drehen_triggered();
    void on_actionAufgeben_triggered();
    void onAnimationFertig();

private:
    // Lets the tests read and drive the flow state.
    friend struct FensterZugang;

    // Construction (mainwindow.cpp).
    void verbindeBedienung();
    void verbindeAblauf();
    void baueStufenMenue();
    void richteZeilenEin();
    void setzeTexte();
    void showStartDialog();
    QString text(int id, const char *deutsch) const;
    // The entries of the level menu on the Info button.
    void on_PopupConfigMenu(QAction *p_Action);

    // What the flow reports, shown (anzeigen.cpp), and the human's move input (eingabe.cpp).
    void zeigeAnzeige();
    void zeigeMeldezeile();
    void zeigeProtokoll();
    void zeigeStellung();
    void zeigeZug(const Zug &zug, int32_t figur);
    void fuegeListenzeileHinzu(const QString &text);
    void waehleListenzeile(int zeile);
    void setzeVorKnopf(bool zugVor);
    void setzeSichernKnopf(bool speichern);
    void setzeUhrStil(bool schwarz);
    void brettKlick(const QPointF &szenenPosition);
    void waehleFeld(int feld);
    void hebeAuswahlAuf();
    void ziehe(const QMouseEvent *ereignis);
    void legeAb(const QMouseEvent *ereignis);

    // Menus, clipboard and dialogs (menues.cpp).
    void setzeSchwierigkeit(int stufe);
    QString waehleExportDatei();

    // The board (brett.cpp) and the captured pieces (friedhof.cpp).
    void baueBrett();
    void baueFiguren();
    QGraphicsPixmapItem *baueMarke(const QString &bild);
    void zeichneFelder();
    void zeichneKoordinaten();
    void zeichneFiguren(bool imSchach);
    bool ansichtWeissUnten() const;
    void dreheAnsicht();
    int zugDauer() const;
    void markiereFelder(QList<int> felder);
    void markiereSchach();
    void entferneMarkierungen();
    void setzeMarken(int32_t von, int32_t nach);
    void zeichneMarken();
    void zeigeMarken();
    void animiereZug(const Zug &zug, int32_t figur);
    PictureItem *freiesItem(int32_t code) const;
    CustomItem *feldItem(int feld) const;
    QPointF feldPosition(int feld) const;
    int feldAusPosition(const QPointF &szenenPosition) const;
    void skaliereBrett();
    void baueFriedhof();
    void zeichneFriedhof();

    Ui::MainWindow *ui;
    Controller *controller;
    std::unique_ptr<EchteAblaufdienste> dienste;
    std::unique_ptr<Spielablauf> ablauf;
    QMenu *stufenMenue;
    QActionGroup *stufenGruppe;
    QActionGroup *menueStufenGruppe;
    QTimer *uhrTimer;
    bool ersterTick = true;
    // The menu entries that have a key, which they show beside their text.
    QHash<QAction *, QKeySequence> tasten;
    // Where the game is exported to; empty asks the user with a file dialog. The tests set it.
    std::function<QString()> exportZiel;

    // The move input: the origin the user picked (or the suggestion's while it is shown).
    int32_t ausgewaehltesFeld = 0;
    // The orientation the board is drawn in: the flow's, turned once more when the user has
    // flipped the board.
    bool weissUnten = true;
    // A press on a piece just picked may become a drag: its square (0 none) and the press's
    // point on the view; the piece item while it follows the mouse; where it was let go, the
    // start of the move's animation.
    int druckFeld = 0;
    QPoint druckPunkt;
    PictureItem *gezogen = nullptr;
    std::optional<QPointF> ablage;
    // Item of a piece captured by the running animation, hidden at its end; -1 none.
    int32_t geschlagenIndex = -1;
    // Animations of the last move still running (king and rook when castling).
    int laufendeAnimationen = 0;

    // The board.
    QGraphicsScene *szene = nullptr;
    QVector<CustomItem *> felder;
    QVector<QGraphicsSimpleTextItem *> beschriftungen;
    QVector<PictureItem *> figuren;
    QHash<int, int> figurIndex;
    QList<int> geschlagen;
    // The squares lit up as origin and targets, or as the suggestion.
    QList<int> markiert;
    QGraphicsPixmapItem *markeStart = nullptr;
    QGraphicsPixmapItem *markeEnde = nullptr;
    // Origin and target of the last move shown; 0 without one.
    QPair<int, int> markenFelder{0, 0};

    // The captured pieces.
    QGraphicsScene *friedhofSzene = nullptr;
    QVector<QGraphicsPixmapItem *> friedhofFiguren;
    QGraphicsTextItem *bauernAnzahl[2] = {};
};
