#pragma once

#include "core/zug.h"

#include <QFutureWatcher>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPair>
#include <QStringList>
#include <QVector>

#include <cstdint>

class Controller;
class CustomItem;
class PictureItem;
class QActionGroup;
class QGraphicsPixmapItem;
class QGraphicsScene;
class QGraphicsSimpleTextItem;
class QGraphicsTextItem;
class QMenu;
class QTimer;

namespace Ui {
class MainWindow;
}

// The computer's resignation question was asked in the game on the board.
extern bool aufgabeGefragt;

// The program's window: the board, the move list, clocks and status lines, and the flow of a game
// between the human and the engine, which computes on a worker thread.
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

private slots:
    void ButtonNeuesSpielClick();
    void ButtonSichernLadenClick();
    void ButtonSeitenwechselClick();
    void ButtonZugZurueckClick();
    void onHotkeyButtonZugVorClick();
    void ButtonZugVorClick();
    void ButtonInfoClick();
    void onBerechneBKZugFertig();
    void onBerechneVorschlagZugFertig();
    void onTimerEvent();
    void onTimerZugberechnung();
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
    void onAnimationFertig();

private:
    // Lets the tests read and drive the flow state.
    friend struct FensterZugang;

    // Construction (mainwindow.cpp).
    void verbindeBedienung();
    void baueStufenMenue();
    void richteZeilenEin();
    void setzeTexte();
    void showStartDialog();
    QString text(int id, const char *deutsch) const;
    // The entries of the level menu on the Info button.
    void on_PopupConfigMenu(QAction *p_Action);

    // Game flow (spielablauf.cpp), stepping through the game (rueckschau.cpp) and what the flow
    // shows besides the board (anzeigen.cpp).
    bool beschaeftigt(int befehl);
    void fuehreWartendenBefehlAus();
    void initNeuesSpiel(bool ausFen);
    void fuelleSpielbeginn(bool ausFen);
    void brettKlick(const QPointF &szenenPosition);
    void waehleFeld(int feld);
    bool zieheZug(int32_t von, int32_t nach, int32_t wert, int32_t flags, int32_t figur);
    void zeigeHistoryStellung(bool selectRow);
    void uebergibSeiteAmZug();
    QString zugNotation(const Zug &zug) const;
    void fuegeListenzeileHinzu(const QString &text);
    void waehleListenzeile(int zeile);
    void zeigeMeldung(const QString &text, bool auchInListe);
    void setzeVorKnopf(bool zugVor);
    void setzeSichernKnopf(bool speichern);
    void setzeUhrStil(bool schwarz);
    bool computerAmZug() const;

    // Engine jobs (engineauftrag.cpp).
    void starteZugberechnung();
    void starteVorschlag();
    void starteJob(bool istVorschlag);
    void spieleComputerzug(const QString &ergebnis, bool abgebrochen);
    QString holeJobErgebnis();
    void beendeJob();

    // Menus, clipboard and dialogs (menues.cpp).
    void setzeSchwierigkeit(int stufe);
    void fuehreFenImportAus(const QString &fen);
    bool datenverlustBestaetigt();

    // Game files (partiedateien.cpp).
    bool ladePartie(int modus);
    QStringList partieInfo() const;
    void speichereOderLade();

    // The board (brett.cpp) and the captured pieces (friedhof.cpp).
    void baueBrett();
    void baueFiguren();
    QGraphicsPixmapItem *baueMarke(const QString &bild);
    void zeichneFelder();
    void zeichneKoordinaten();
    void zeichneFiguren(bool imSchach);
    void markiereFelder(const QList<int> &felder);
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
    QMenu *stufenMenue;
    QActionGroup *stufenGruppe;
    QActionGroup *menueStufenGruppe;
    QTimer *uhrTimer;
    QTimer *zugTimer;
    QFutureWatcher<QString> *jobWatcher = nullptr;

    // Flow state.
    uint8_t amZug = 0;
    int32_t spielerWeiss = 0;
    int32_t spielerSchwarz = 1;
    bool weissUnten = true;
    bool spielEnde = false;
    bool ungespeichert = false;
    bool geladen = false;
    bool ausFen = false;
    bool engineLaeuft = false;
    bool animationLaeuft = false;
    int32_t wartenderBefehl = 0;
    bool listenAuswahlAktiv = false;
    Zug vorschlag{};
    bool vorschlagAngezeigt = false;
    int32_t ausgewaehltesFeld = 0;
    bool imSchach = false;
    int32_t geschlagenIndex = -1;
    int32_t brettKopie[BRETT_ZELLEN];
    QVector<QPair<int, int>> eroeffnungen;
    int eroeffnungsIndex = 0;
    bool ersterTick = true;
    // Animations of the last move still running (king and rook when castling).
    int laufendeAnimationen = 0;
    // A FEN import waiting for the engine or an animation.
    QString wartendeFen;
    // The information lines of a game just loaded, shown once by the next game start.
    QStringList geladeneInfo;

    // The board.
    QGraphicsScene *szene = nullptr;
    QVector<CustomItem *> felder;
    QVector<QGraphicsSimpleTextItem *> beschriftungen;
    QVector<PictureItem *> figuren;
    QHash<int, int> figurIndex;
    QList<int> geschlagen;
    QGraphicsPixmapItem *markeStart = nullptr;
    QGraphicsPixmapItem *markeEnde = nullptr;
    // Origin and target of the last move shown; 0 without one.
    QPair<int, int> markenFelder{0, 0};

    // The captured pieces.
    QGraphicsScene *friedhofSzene = nullptr;
    QVector<QGraphicsPixmapItem *> friedhofFiguren;
    QGraphicsTextItem *bauernAnzahl[2] = {};
};
