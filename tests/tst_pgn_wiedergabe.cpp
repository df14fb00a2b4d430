// Replays the reference collections through the PGN reader and the controller, comparing the
// controller's legal list with perft at every position.
#include "core/felder.h"
#include "core/fen.h"
#include "core/perft.h"
#include "core/stellung.h"
#include "game/history.h"
#include "pgn/pgndatei.h"
#include "pgntesthilfe.h"

#include <QProcess>
#include <QtTest>

#include <memory>

namespace {

struct Erwartung
{
    QString datei;
    int nummer;
    int halbzuege;
    QString endzustand;
    QString fen;
};

QList<Erwartung> erwartungen()
{
    QList<Erwartung> liste;
    const QString pfad = QStringLiteral(BRAKMOR_TESTDATA) + "/pgn/expected_final_positions.tsv";
    for (const QString &zeile : QString::fromUtf8(liesDatei(pfad)).split('\n')) {
        const QStringList f = zeile.split('\t');
        if (f.size() == 6 && !zeile.startsWith('#'))
            liste << Erwartung{f[0], f[1].toInt(), f[2].toInt(), f[4], f[5]};
    }
    return liste;
}

QString pgnExtract()
{
    const QString gefunden = QStandardPaths::findExecutable("pgn-extract");
    return gefunden.isEmpty() ? QStandardPaths::findExecutable("pgn-extract", {"/usr/games"})
                              : gefunden;
}

// Compares the controller's legal list with the perft-validated generation (a promotion once, as
// a queen) and its game-end marks with the number of replies; returns the first difference.
QString vergleicheListe(Controller &c)
{
    const bool schwarz = c.schwarzAmZug();
    c.legaleZuegeErmitteln(schwarz);
    auto s = std::make_unique<stellung>();
    s->setzeRochaderechte(c.rochaderechte());
    s->setzeBrett(c.brett());
    s->setzeWandlungsFigur(DAME);
    const Zug letzter = c.letzterZug();
    s->setzeLetztenZug(letzter.von, letzter.nach, letzter.wert, letzter.flags);
    QHash<QString, quint64> antworten;
    for (const PerftZeile &zeile : perftJeZug(*s, schwarz, 2)) {
        if (zeile.zug.size() == 4 || zeile.zug.endsWith('q'))
            antworten.insert(zeile.zug, zeile.knoten);
    }
    for (const Zug *z = c.legaleZuege(); z->von != 0; ++z) {
        const QString name = koordinatenZug(z->von, z->nach, (z->flags & ZUG_WANDLUNG) ? DAME : 0);
        if (!antworten.contains(name))
            return name + " is not legal or listed twice";
        const bool ende = antworten.take(name) == 0;
        const bool schach = z->flags & ZUG_SCHACH;
        if (bool(z->flags & ZUG_SCHWARZ) != schwarz || (z->flags & ZUG_ILLEGAL) ||
            bool(z->flags & ZUG_KEINE_ANTWORT) != ende ||
            bool(z->flags & ZUG_PATT) != (ende && !schach))
            return name + QString(" has flags 0x%1").arg(z->flags, 0, 16);
    }
    return antworten.isEmpty() ? QString() : antworten.keys().join(' ') + " missing";
}

QString endzustand(int32_t flags)
{
    if ((flags & ZUG_KEINE_ANTWORT) && (flags & ZUG_SCHACH))
        return "checkmate";
    if (flags & ZUG_PATT)
        return "stalemate";
    return (flags & ZUG_SCHACH) ? "check" : "-";
}

} // namespace

class TestPgnWiedergabe : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHeim> heim;
    std::unique_ptr<Controller> controller;

    QString endstellung() const { return controller->aktuelleFen(controller->schwarzAmZug()); }

private slots:
    void init()
    {
        heim = std::make_unique<TestHeim>();
        controller = std::make_unique<Controller>();
    }

    void cleanup()
    {
        controller.reset();
        heim.reset();
    }

    // Every game of the collections of other programs replays to its known final position. What
    // we write of them reads back to the same positions and passes another program's check.
    void fremdeSammlungenHinUndZurueck()
    {
        const QList<Erwartung> liste = erwartungen();
        QCOMPARE(liste.size(), 968);
        QHash<QString, QList<Pgn>> dateien;
        QString geschrieben;
        for (const Erwartung &e : liste) {
            if (!dateien.contains(e.datei)) {
                const QString pfad = QStringLiteral(BRAKMOR_TESTDATA) + "/pgn/" + e.datei;
                QVERIFY(Pgn::partienLesen(pgnDekodieren(liesDatei(pfad)), dateien[e.datei]));
            }
            QList<Pgn> &partien = dateien[e.datei];
            QVERIFY(e.nummer <= partien.size());
            const Pgn &partie = partien[e.nummer - 1];
            const QString start = partie.fen.isEmpty() ? QString(startFen) : partie.fen;
            QCOMPARE(controller->stellungAusFen(start), 0);
            controller->setzeEigeneStartFen(start);
            controller->starteSpiel(0);
            QString fehler = vergleicheListe(*controller);
            int zeile = 0;
            controller->uebernimmPartie(partie);
            const Wiedergabe w = spieleGeladenePartie(*controller, 0, [&](const QString &) {
                ++zeile;
                if (fehler.isEmpty() && !(fehler = vergleicheListe(*controller)).isEmpty())
                    fehler.prepend(QString("after half-move %1: ").arg(zeile));
                return zeile;
            });
            const QString wo = QString("%1 game %2: ").arg(e.datei).arg(e.nummer);
            QVERIFY2(fehler.isEmpty(), qPrintable(wo + fehler));
            QVERIFY2(w.meldung.isEmpty(), qPrintable(wo + w.meldung));
            QVERIFY2(w.halbzuege == e.halbzuege && endstellung() == e.fen,
                     qPrintable(wo + endstellung()));
            if (w.halbzuege > 0)
                QVERIFY2(endzustand(controller->verlauf()->entry(lastIndex).flags) == e.endzustand,
                         qPrintable(wo + e.endzustand));
            geschrieben += controller->pgn().erzeugeText(controller->verlauf()->entries()) + "\n";
        }

        // Names with quotes and backslashes, and a game without moves.
        Pgn leer;
        leer.weiss = "Anna \"A\" \\";
        leer.ergebnis = "*";
        geschrieben += leer.erzeugeText({HistoryEntry()}) + "\n";

        const QString programm = pgnExtract();
        if (programm.isEmpty())
            QSKIP("pgn-extract is not installed (Debian package pgn-extract); check skipped");
        const QString datei = heim->pfad("geschrieben.pgn");
        QVERIFY(schreibeDatei(datei, geschrieben.toUtf8()));
        QProcess pruefung;
        pruefung.setProcessChannelMode(QProcess::MergedChannels);
        pruefung.start(programm, {"-r", datei});
        QVERIFY(pruefung.waitForFinished(60000));
        const QString bericht = QString::fromLocal8Bit(pruefung.readAll());
        QVERIFY2(bericht.contains("969 games matched out of 969") &&
                     !bericht.contains("Line number"),
                 qPrintable(bericht.right(2000)));
    }
};

QTEST_GUILESS_MAIN(TestPgnWiedergabe)
#include "tst_pgn_wiedergabe.moc"
