#include "core/fen.h"

#include <QRandomGenerator>
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
    void startstellung();
    void rundreise_data();
    void rundreise();
    void enPassant();
    void ergebnisse();
    void ueberzaehligeFiguren();
    void randBleibtGeschlossen();
    void hilfstexte();
    void beliebigeTexte();
};

void TestFen::startstellung()
{
    const Gelesen g = lies(QString::fromLatin1(startFen));
    QVERIFY(g.ergebnis == 0 && !g.schwarz && g.fen.holeLetztenZug().von == 0);
    // Black sits on the top rows, as positive codes; the round trip below checks the rest.
    QVERIFY(g.brett[22] == TURM && g.brett[26] == KOENIG && g.brett[32] == BAUER);
    QVERIFY(g.brett[96] == -KOENIG && g.brett[82] == -BAUER && g.brett[21] == RAND);
}

void TestFen::rundreise_data()
{
    QTest::addColumn<QString>("fen");
    QTest::newRow("start") << QString::fromLatin1(startFen);
    QTest::newRow("nach e4") << QString::fromLatin1(NACH_E4);
    QTest::newRow("nur koenige") << QStringLiteral("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    QTest::newRow("kiwipete") << QStringLiteral(
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    QTest::newRow("rechte teilweise") << QStringLiteral("r3k3/8/8/8/8/8/8/4K2R w Kq - 12 40");
    QTest::newRow("schwarz ep") << QStringLiteral("4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 30");
}

void TestFen::rundreise()
{
    QFETCH(QString, fen);
    const Gelesen g = lies(fen);
    QCOMPARE(g.ergebnis, 0);
    QCOMPARE(schreibe(g), fen);
}

// The square counts with the right side to move and the pawn that made it, else it is dropped.
void TestFen::enPassant()
{
    Gelesen g = lies(QString::fromLatin1(NACH_E4));
    Zug z = g.fen.holeLetztenZug();
    QVERIFY(z.von == 86 && z.nach == 66 && z.wert == 0 && z.flags == ZUG_DOPPELSCHRITT);
    g = lies(QString::fromLatin1(NACH_E4).replace(QLatin1String(" b "), QLatin1String(" w ")));
    z = g.fen.holeLetztenZug();
    QVERIFY(g.ergebnis == 0 && z.von == 0 && z.nach == 0 && z.flags == 0);
    QVERIFY(schreibe(g).contains(QLatin1String(" KQkq - ")));
    g = lies(QStringLiteral("4k3/8/8/8/8/8/8/4K3 b - e3 0 1"));
    QVERIFY(g.ergebnis == 0 && g.fen.holeLetztenZug().von == 0 &&
            g.fen.holeLetztenZug().flags == 0);
}

// -1 for a text not taken for a FEN, else the position of the first error.
void TestFen::ergebnisse()
{
    const QString start = QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
    const QPair<QString, int> faelle[] = {
        {"8/8/8/8/8/8/8/8 w - - 0 1", -1},
        {"k7/8/8/8/8/8/8/7K w - - 0 1", -1},
        {QString(), -1},
        {"rnbqkbnr/pppXpppp/8/8/8/8/PPPPPPPP/RNBQKBNR w", -1},
        {start + " w KQkq -", 52},
        {start + " w KQkq - 0", 54},
        {start + " w KQkq - 0 x1", 57},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1", 42},
        {"rnbqkbnr/pppppppp/8/7/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 22},
        {"rnbqkbnr/pppppppp/8/8/8", 23},
        {start + " w KX - 0 1", 47},
        {start + " w - z9 0 1", 50},
        {start + " x - - 0 1", 0},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1\n", 0}};
    for (const auto &[fen, ergebnis] : faelle) {
        bool schwarz = true;
        QVERIFY2(fenStellung().leseFen(fen, schwarz) == ergebnis, qPrintable(fen));
        QVERIFY(ergebnis != 0 || !schwarz);
    }
}

void TestFen::ueberzaehligeFiguren()
{
    // A ninth black pawn and a third white queen are counted and dropped, their squares stay empty.
    Gelesen g = lies(QStringLiteral("rnbqkbnr/pppppppp/p7/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
    QVERIFY(g.ergebnis == 0 && g.brett[42] == LEER);
    g = lies(QStringLiteral("QQQ1k3/8/8/8/8/8/8/4K3 w - - 0 1"));
    QCOMPARE(g.ergebnis, 0);
    QVERIFY(g.brett[22] == -DAME && g.brett[23] == -DAME && g.brett[24] == LEER);
    QCOMPARE(g.brett[26], KOENIG);

    // The program's own texts keep every piece, and two bare kings on the edge files read too.
    fenStellung f;
    bool schwarz;
    QCOMPARE(f.leseFen("QQQ1k3/8/8/8/8/8/8/4K3 w - - 0 1", schwarz, fenStellung::eigenerText), 0);
    f.holeBrett(g.brett);
    QCOMPARE(g.brett[24], -DAME);
    const QString kahl = "k7/8/8/8/8/8/K7/8 b - - 3 60";
    QCOMPARE(f.leseFen(kahl, schwarz), -1);
    QCOMPARE(f.leseFen(kahl, schwarz, fenStellung::eigenerText), 0);
    QVERIFY(schwarz);
    QCOMPARE(f.holeZugnummer(), 60);
}

void TestFen::randBleibtGeschlossen()
{
    // "9" runs over the end of the rank; the border cells it jumps must still be border.
    const Gelesen g = lies(QStringLiteral("k9/8/8/8/8/8/8/KR6 w - - 0 1"));
    QVERIFY(g.ergebnis == 0 && g.brett[30] == RAND && g.brett[31] == RAND);
    QCOMPARE(schreibe(g), QStringLiteral("k7/8/8/8/8/8/8/KR6 w - - 0 1"));
}

void TestFen::hilfstexte()
{
    for (const int32_t code : {LEER, RAND, 64})
        QVERIFY(fenBuchstabe(code).isEmpty());
    QCOMPARE(rochadeText(0), QStringLiteral("-"));
}

// Every prefix of real FEN texts, the same with a wrong last character, and random texts: the
// reader answers within the text, never reads past it (the sanitizer build catches that), and
// what it accepts reads back to the same board.
void TestFen::beliebigeTexte()
{
    const QStringList texte = {
        QString::fromLatin1(startFen), QString::fromLatin1(NACH_E4),
        QStringLiteral("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"),
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

    QRandomGenerator zufall(4711);
    const QString zeichen = QStringLiteral("pnbrqkPNBRQK12345678/9 -wbKQkqe3x0\t");
    for (int i = 0; i < 3000; ++i) {
        QString text;
        const int laenge = int(zufall.bounded(80));
        for (int j = 0; j < laenge; ++j) {
            if (zufall.bounded(10) == 0)
                text += QChar(ushort(zufall.bounded(1, 0xffff)));
            else
                text += zeichen.at(int(zufall.bounded(zeichen.size())));
        }
        const Gelesen g = lies(text);
        QVERIFY(g.ergebnis >= -1 && g.ergebnis <= text.size());
        const QString geschrieben = g.ergebnis == 0 ? schreibe(g) : QString();
        // A board written back in 17 characters or less is not taken for a FEN again.
        if (geschrieben.indexOf(QLatin1Char(' ')) < 18)
            continue;
        const Gelesen wieder = lies(geschrieben);
        QCOMPARE(wieder.ergebnis, 0);
        QVERIFY(std::equal(g.brett, g.brett + BRETT_ZELLEN, wieder.brett));
    }
}

QTEST_MAIN(TestFen)
#include "tst_fen.moc"
