#include "core/fen.h"
#include "core/perft.h"
#include "core/stellung.h"
#include "game/fenpruefung.h"
#include "golden.h"

#include <QtTest>

#include <memory>

namespace {

struct Gelesen
{
    int ergebnis;
    bool schwarz;
    fenStellung fen;
    int32_t brett[BRETT_ZELLEN];
};

Gelesen lies(const QString &text)
{
    Gelesen g;
    g.ergebnis = g.fen.leseFen(text, g.schwarz);
    g.fen.holeBrett(g.brett);
    return g;
}

QString schreibe(const Gelesen &g)
{
    const Zug z = g.fen.holeLetztenZug();
    return fenStellung::schreibeFen(g.brett, g.schwarz, g.fen.holeRochaderechte(), z.von, z.nach,
                                    z.wert, z.flags, g.fen.holeHalbzugZaehler(),
                                    g.fen.holeZugnummer());
}

} // namespace

class TestFen : public QObject
{
    Q_OBJECT

private slots:
    // Each text of fen.txt ("⇥" a tab, "⏎" a line end, "(leer)" nothing) read as a FEN from
    // outside: the reader's result (-1: not taken for a FEN, else 0 or the position of the first
    // error), the position written back, and what the check before a game says of it (for a
    // playable one, the number of legal moves).
    void texte()
    {
        QString ist;
        for (const QString &zeile : datenZeilen("fen.txt")) {
            if (zeile.isEmpty() || zeile.startsWith('#'))
                continue;
            QString text = zeile == "(leer)" ? QString() : zeile;
            text.replace("⇥", "\t").replace("⏎", "\n");
            const Gelesen g = lies(text);
            fenStellung fen;
            bool schwarz = false;
            QString meldung;
            const int spielbar = pruefeFen(text, fen, schwarz, meldung);
            if (spielbar == 0) {
                auto s = std::make_unique<stellung>();
                ladePosition(*s, fen);
                meldung = QString("%1 moves").arg(perft(*s, schwarz, 1));
            }
            ist += QString("%1\n  %2 %3\n  %4 %5\n")
                       .arg(zeile)
                       .arg(g.ergebnis)
                       .arg(g.ergebnis ? QString() : schreibe(g))
                       .arg(spielbar)
                       .arg(meldung);
        }
        VERGLEICHE_MIT_DATEI(ist, "fen.erwartet");
    }

    void randBleibtGeschlossen()
    {
        // "9" runs over the end of the rank; the border cells it jumps must still be border.
        const Gelesen g = lies(QStringLiteral("k9/8/8/8/8/8/8/KR6 w - - 0 1"));
        QVERIFY(g.ergebnis == 0 && g.brett[30] == RAND && g.brett[31] == RAND);
    }
};

QTEST_MAIN(TestFen)
#include "tst_fen.moc"
