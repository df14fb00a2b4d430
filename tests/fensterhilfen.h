#pragma once

#include "app/einstellungen.h"
#include "core/felder.h"
#include "game/ablaufdienste.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/spielablauf.h"
#include "ui/brettitems.h"
#include "ui/fensterrueckfragen.h"
#include "ui/mainwindow.h"
#include "widgethilfen.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include <cstdlib>
#include <functional>
#include <memory>

// Waits, handling events, until `bedingung` holds; false after `ms` milliseconds.
inline bool warte(const std::function<bool()> &bedingung, int ms = 60000)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// Answers the next message box with `knopf` and keeps its text.
inline void beantworteBox(QMessageBox::StandardButton knopf, QString *text = nullptr)
{
    beiModalemFenster<QMessageBox>([=](QMessageBox *box) {
        if (text)
            *text = box->text();
        box->button(knopf)->click();
    });
}

// Reads the window's flow state and drives it as a user would.
struct FensterZugang
{
    MainWindow &f;

    Spielablauf &ablauf() const { return *f.ablauf; }
    bool amZug() const { return ablauf().amZug(); }
    int spielerWeiss() const { return ablauf().spielerWeiss(); }
    int spielerSchwarz() const { return ablauf().spielerSchwarz(); }
    bool weissUnten() const { return ablauf().weissUnten(); }
    bool spielEnde() const { return ablauf().spielEnde(); }
    bool ungespeichert() const { return ablauf().ungespeichert(); }
    bool geladen() const { return ablauf().geladen(); }
    bool engineLaeuft() const { return ablauf().engineLaeuft(); }
    bool rechnetComputerzug() const
    {
        return engineLaeuft() && !ablauf().laufenderAuftrag()->istVorschlag;
    }
    Zug vorschlag() const { return ablauf().vorschlag(); }
    int ausgewaehltesFeld() const { return f.ausgewaehltesFeld; }
    HistoryEntry eintrag(int index) const { return f.controller->verlauf()->entry(index); }
    QString fen() const { return f.controller->aktuelleFen(amZug()); }

    bool ruhig() const
    {
        return !engineLaeuft() && !ablauf().animationLaeuft() && !f.dienste->zugTimerLaeuft() &&
               ablauf().wartendeBefehle().isEmpty();
    }

    void ersterTick() const { f.onTimerEvent(); }
    void setzeTexte() const { f.setzeTexte(); }
    void setzeExportZiel(const QString &pfad) const
    {
        f.exportZiel = [pfad] { return pfad; };
    }

    template<typename T>
    T *kind(const char *name) const
    {
        T *objekt = f.findChild<T *>(QLatin1String(name));
        if (!objekt)
            qFatal("no child %s", name);
        return objekt;
    }

    QToolButton *knopf(const char *name) const { return kind<QToolButton>(name); }
    void druecke(const char *name) const { QTest::mouseClick(knopf(name), Qt::LeftButton); }
    void loese(const char *aktion) const { kind<QAction>(aktion)->trigger(); }
    QGraphicsView *ansicht() const { return kind<QGraphicsView>("graphicsView"); }
    QString meldung() const { return kind<QLineEdit>("tEdit_Meldezeile")->text(); }

    QStringList zeilen() const
    {
        QStringList texte;
        const auto *liste = kind<QListWidget>("listWidget");
        for (int i = 0; i < liste->count(); ++i)
            texte << liste->item(i)->text();
        return texte;
    }

    QPointF feldMitte(int feld) const { return f.feldPosition(feld) + QPointF(35, 35); }

    void klicke(int feld) const
    {
        const QPoint punkt = ansicht()->mapFromScene(feldMitte(feld));
        QTest::mouseClick(ansicht()->viewport(), Qt::LeftButton, Qt::NoModifier, punkt);
    }
    void klicke(const char *name) const { klicke(feldNummer(name)); }

    // Drags a piece by the view's mouse events: a press, four moves with the button held and,
    // unless told not to, the release.
    void ziehe(const char *von, const char *nach, bool loslassen = true) const
    {
        QWidget *flaeche = ansicht()->viewport();
        const QPoint start = ansicht()->mapFromScene(feldMitte(feldNummer(von)));
        const QPoint ende = ansicht()->mapFromScene(feldMitte(feldNummer(nach)));
        QTest::mousePress(flaeche, Qt::LeftButton, Qt::NoModifier, start);
        for (int i = 1; i <= 4; ++i) {
            QMouseEvent bewegung(QEvent::MouseMove, start + (ende - start) * i / 4, Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(flaeche, &bewegung);
        }
        if (loslassen)
            QTest::mouseRelease(flaeche, Qt::LeftButton, Qt::NoModifier, ende);
    }

    static int feldNummer(const char *name)
    {
        int feld = 0;
        feldAusName(QString::fromLatin1(name), feld);
        return feld;
    }

    // A human move by two clicks; true once it is played and the window is idle again.
    bool spiele(const char *von, const char *nach) const
    {
        const int vorher = currentIndex;
        klicke(von);
        klicke(nach);
        return currentIndex == vorher + 1 && warte([this] { return ruhig(); });
    }

    // Imports `fen` from the clipboard, answering a data-loss question with Yes.
    bool importiere(const QString &fen) const
    {
        QGuiApplication::clipboard()->setText(fen);
        if (ungespeichert())
            beantworteBox(QMessageBox::Yes);
        loese("actionFen_Import_aus_Zwischenablage");
        return warte([this] { return ruhig(); });
    }

    QColor farbe(int feld) const { return f.feldItem(feld)->brush().color(); }
    QPixmap textur(int feld) const { return f.feldItem(feld)->brush().texture(); }

    // The piece code an item shows, by its index: Black's 17 items (eight pawns, two knights,
    // bishops, rooks and queens, the king), then White's.
    static int32_t figurDesItems(int i)
    {
        const int32_t arten[] = {BAUER, PFERD, LAEUFER, TURM, DAME, KOENIG};
        const int32_t art = arten["00000000112233445"[i % 17] - '0'];
        return i < 17 ? -art : art;
    }

    // What the user sees, by screen rows from the top: the labels, each square's colour (h and d
    // the light and dark highlight, r check, - plain) and piece (FEN letters), the marks' cells,
    // the pawn counts and pieces of the graveyard, both clocks' styles.
    QString bild() const
    {
        const QMap<QRgb, char> farben = {{QColor(204, 255, 204).rgb(), 'h'},
                                         {QColor(136, 255, 136).rgb(), 'd'},
                                         {QColor(255, 100, 100).rgb(), 'r'}};
        const auto buchstabe = [](int i) {
            const QChar c = QLatin1Char("PPPPPPPPNNBBRRQQK"[i % 17]);
            return i < 17 ? c : c.toLower();
        };
        const auto zelle = [](const QPointF &p) {
            return int(p.y() + 280) / 70 * 8 + int(p.x() + 280) / 70 + 1;
        };
        QString text, figuren(65, '.');
        for (int k = 0; k < 8; ++k)
            text += f.beschriftungen[4 * k]->text() + f.beschriftungen[4 * k + 2]->text();
        for (int i = 0; i < f.figuren.size(); ++i) {
            if (f.figuren[i]->isVisible())
                figuren[zelle(f.figuren[i]->pos())] = buchstabe(i);
        }
        for (int i = 1; i <= 64; ++i)
            text += QString(i % 8 == 1 ? "\n" : "") +
                    farben.value(f.felder[i]->brush().color().rgb(), '-') + figuren[i];
        for (const QGraphicsPixmapItem *marke : {f.markeStart, f.markeEnde})
            text += QString(" mark %1").arg(marke->isVisible() ? zelle(marke->pos()) : 0);
        QMap<qreal, QString> geschlagen;
        for (int i = 0; i < f.friedhofFiguren.size(); ++i) {
            if (f.friedhofFiguren[i]->isVisible())
                geschlagen[f.friedhofFiguren[i]->x() * 2 + (f.friedhofFiguren[i]->y() > 0)] +=
                    buchstabe(i);
        }
        for (const QGraphicsTextItem *zahl : f.bauernAnzahl)
            text += " " + (zahl->isVisible() ? zahl->toPlainText() : "-");
        return text + "\ncaptured " + geschlagen.values().join(' ') + "\nclocks " +
               kind<QLabel>("lblZeitWeiss")->styleSheet() + " / " +
               kind<QLabel>("lblZeitSchwarz")->styleSheet();
    }

    // Whether the visible piece items show the board copy; a kind has as many pictures as a side
    // has at the start, one more queen, and no more.
    bool brettStimmt() const
    {
        QMap<int, int32_t> gezeigt, erwartet;
        for (int i = 0; i < f.figuren.size(); ++i) {
            if (f.figuren[i]->isVisible())
                gezeigt.insert(f.feldAusPosition(f.figuren[i]->pos() + QPointF(35, 35)),
                               figurDesItems(i));
        }
        QMap<int32_t, int> gezaehlt;
        for (int feld = 22; feld <= 99; ++feld) {
            const int32_t code = ablauf().brettKopie()[feld], art = std::abs(code);
            const int bilder = art == BAUER ? 8 : art == KOENIG ? 1 : 2;
            if (code != LEER && code != RAND && ++gezaehlt[code] <= bilder)
                erwartet.insert(feld, code);
        }
        if (gezeigt != erwartet)
            qWarning() << "shown" << gezeigt << "expected" << erwartet;
        return gezeigt == erwartet;
    }
};

// A temporary HOME whose settings start the window in German at the easiest level, without the
// greeting or a restored game; animations and the computer's pause are short.
class FensterUmgebung : public TestUmgebung
{
public:
    FensterUmgebung()
    {
        datenordner = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                      QLatin1String("/Brakmor/");
        QDir().mkpath(datenordner);
        setze("Allgemein/Sprache", 0);
        setze("Bewertung/Schwierigkeit", 1);
        setze("Dateien/PgnAutoLaden", false);
        PictureItem::animationsDauer = 20;
        setzeRueckfragen(&boxen);
        // A box nobody expected is named and closed, so the test fails there, not at its timeout.
        QObject::connect(&wache, &QTimer::timeout, [this] {
            QWidget *offen = QApplication::activeModalWidget();
            if (!offen || offen != letztesModales) {
                letztesModales = offen;
                offenSeit.start();
            } else if (offenSeit.elapsed() > 10000) {
                qWarning() << "unexpected" << offen->metaObject()->className()
                           << offen->windowTitle();
                if (auto *dialog = qobject_cast<QDialog *>(offen))
                    dialog->reject();
            }
        });
        wache.start(100);
    }

    ~FensterUmgebung() { setzeRueckfragen(nullptr); }

    void setze(const QString &schluessel, const QVariant &wert)
    {
        QSettings(datei("Brakmor.ini"), QSettings::IniFormat).setValue(schluessel, wert);
    }

    QString datei(const QString &name) const { return datenordner + name; }

    // From now on the computer's resignation is declined, so the game goes on.
    void spieleTrotzAufgabeWeiter()
    {
        aufgabe.reset(new QTimer);
        QObject::connect(aufgabe.get(), &QTimer::timeout, [=] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && box->isVisible() && box->text().startsWith(QLatin1String("Ich gebe auf!")))
                box->button(QMessageBox::Yes)->click();
        });
        aufgabe->start(10);
    }

    // A window as the program builds it, shown and, after its first tick, idle.
    std::unique_ptr<MainWindow> fenster(bool ersterTick = true) const
    {
        auto fenster = std::make_unique<MainWindow>();
        const FensterZugang z{*fenster};
        z.ablauf().setzeDarstellung(true, 20);
        fenster->show();
        fenster->activateWindow();
        if (!QTest::qWaitForWindowActive(fenster.get()))
            qFatal("window not active");
        if (ersterTick && (z.ersterTick(), !warte([&] { return z.ruhig(); })))
            qFatal("window not idle after its start");
        return fenster;
    }

private:
    QString datenordner;
    FensterRueckfragen boxen;
    std::unique_ptr<QTimer> aufgabe;
    QTimer wache;
    QPointer<QWidget> letztesModales;
    QElapsedTimer offenSeit;
};

// Base of the window tests: a fresh home and window per test function.
class FensterTest : public QObject
{
protected:
    std::unique_ptr<FensterUmgebung> umgebung;
    std::unique_ptr<MainWindow> fenster;

    FensterZugang z() const { return FensterZugang{*fenster}; }
    void oeffne()
    {
        umgebung = std::make_unique<FensterUmgebung>();
        fenster = umgebung->fenster();
    }
    void schliesse()
    {
        fenster.reset();
        umgebung.reset();
    }
};
