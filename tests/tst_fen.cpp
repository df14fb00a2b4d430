#include "core/fen.h"

#include <QtTest>

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

const char *const NACH_E4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1";

} // namespace

class TestFen : public QObject
{
    Q_OBJECT

private slots:
    void rundreise();
    void ergebnisse();
    void randBleibtGeschlossen();
    void beliebigeTexte();
    void bereinigtGelesen();
};

void TestFen::rundreise()
{
    const QString fen = QStringLiteral("r3k3/8/8/8/3pP3/8/8/4K2R b Kq e3 12 40");
    const Gelesen g = lies(fen);
    QCOMPARE(g.ergebnis, 0);
    QCOMPARE(g.fen.holeLetztenZug().flags, ZUG_DOPPELSCHRITT);
    QCOMPARE(schreibe(g), fen);
}

// -1 for a text not taken for a FEN, else the position of the first error.
void TestFen::ergebnisse()
{
    const QString start = QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
    const QPair<QString, int> faelle[] = {
        {"8/8/8/8/8/8/8/8 w - - 0 1", -1},
        {QString(), -1},
        {start + " w KQkq -", 52},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1", 42},
        {start + " w KX - 0 1", 47},
        {start + " w - z9 0 1", 50},
        {start + " w - i6 0 1", 50},
        {start + " x - - 0 1", 0},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1\n", 0}};
    for (const auto &[fen, ergebnis] : faelle) {
        bool schwarz = true;
        QVERIFY2(fenStellung().leseFen(fen, schwarz) == ergebnis, qPrintable(fen));
        QVERIFY(ergebnis != 0 || !schwarz);
    }
}

void TestFen::randBleibtGeschlossen()
{
    // "9" runs over the end of the rank; the border cells it jumps must still be border.
    const Gelesen g = lies(QStringLiteral("k9/8/8/8/8/8/8/KR6 w - - 0 1"));
    QVERIFY(g.ergebnis == 0 && g.brett[30] == RAND && g.brett[31] == RAND);
    QCOMPARE(schreibe(g), QStringLiteral("k7/8/8/8/8/8/8/KR6 w - - 0 1"));
}

// Every prefix of real FEN texts, and the same with a wrong last character: the reader answers
// within the text and never reads past it (the sanitizer build catches that).
void TestFen::beliebigeTexte()
{
    const QStringList texte = {QString::fromLatin1(NACH_E4),
                               QStringLiteral("8/8/8/8/8/8/8/4K2k b - - 99 120")};
    for (const QString &text : texte) {
        for (int laenge = 0; laenge <= text.size(); ++laenge) {
            for (const QString &stueck :
                 {text.left(laenge), text.left(laenge) + QChar(0x00e4), text.left(laenge) + '9'}) {
                const int ergebnis = lies(stueck).ergebnis;
                QVERIFY2(ergebnis >= -1 && ergebnis <= stueck.size(), qPrintable(stueck));
            }
        }
    }
}

// What promotion can produce stays, beyond it 8 pawns and 2 of each other letter; castling rights
// whose king or rook is not at home go; the counters stay between 0 and 99999.
void TestFen::bereinigtGelesen()
{
    const QString start = "rnbqkbnr/pppppppp/8/8/8/%1/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const QString kk = "4k3/8/8/8/8/8/8/4K3 w - - ";
    const QPair<QString, QString> faelle[] = {
        {"k7/B7/1B6/1B6/8/8/8/K6b w - - 0 1", "k7/B7/1B6/1B6/8/8/8/K6b w - - 0 1"},
        {"4k3/8/8/8/8/QQ6/PPPPPP2/3QK3 w - - 0 1", "4k3/8/8/8/8/QQ6/PPPPPP2/3QK3 w - - 0 1"},
        {"nnnnknnn/8/8/8/8/8/8/4K3 b - - 0 1", "nnnnknnn/8/8/8/8/8/8/4K3 b - - 0 1"},
        {start.arg("QQ6"), start.arg("QQ6").replace("RNBQKBNR", "RNB1KBNR")},
        {start.arg("NN6"), start.arg("NN6").replace("RNBQKBNR", "R1BQKB1R")},
        {"rnbqkbnr/pppppppp/p7/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", start.arg(8)},
        {"4k3/8/8/8/8/8/8/4K1R1 w K - 0 1", "4k3/8/8/8/8/8/8/4K1R1 w - - 0 1"},
        {"r3k3/8/8/8/8/8/8/R4K1R w KQkq - 0 1", "r3k3/8/8/8/8/8/8/R4K1R w q - 0 1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"},
        {kk + "-3 -1", kk + "0 0"},
        {kk + "12 2147483647", kk + "12 99999"},
        {kk + "99999999999 1", kk + "99999 1"},
    };
    for (const auto &[gelesen, geschrieben] : faelle) {
        const Gelesen g = lies(gelesen);
        QVERIFY2(g.ergebnis == 0, qPrintable(gelesen));
        QCOMPARE(schreibe(g), geschrieben);
    }
}

QTEST_MAIN(TestFen)
#include "tst_fen.moc"
