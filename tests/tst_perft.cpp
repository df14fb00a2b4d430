#include "core/bitbrett.h"
#include "testhilfe.h"

#include <QFile>
#include <QtTest>

namespace {

// Deeper counts belong to the benchmark; this keeps the sanitizer run within seconds.
constexpr quint64 GROESSTE_ZAHL = 2000000;

// Read as any text from outside: the suite has positions with promoted pieces.
std::unique_ptr<stellung> ladeSuite(const QString &fen, bool &schwarz)
{
    fenStellung f;
    if (f.leseFen(fen, schwarz) != 0)
        return nullptr;
    auto s = std::make_unique<stellung>();
    ladePosition(*s, f);
    return s;
}

// Whether the bit words beside the board stay in step with it through the moves of `tiefe` plies
// made and taken back, castling, en passant and promotion included.
bool bitsFolgen(stellung &s, bool schwarz, int tiefe)
{
    auto frisch = std::make_unique<stellung>();
    frisch->setzeBrett(s.brett);
    if (!std::equal(s.farbe, s.farbe + 2, frisch->farbe) ||
        !std::equal(s.arten, s.arten + bitbrett::KEINE, frisch->arten))
        return false;
    if (tiefe == 0)
        return true;
    Zug liste[MAX_ZUEGE];
    s.zugliste = liste;
    s.schwarzAmZug = schwarz;
    bool imSchach;
    s.generiereZuege(imSchach);
    bool gleich = true;
    for (int i = 0; gleich && liste[i].von != 0; ++i) {
        const int32_t geschlagen = s.brett[liste[i].nach];
        s.zugliste = liste;
        s.macheZug(i);
        gleich = bitsFolgen(s, !schwarz, tiefe - 1);
        s.zugliste = liste;
        s.nimmZugZurueck(i, geschlagen);
    }
    return gleich;
}

} // namespace

class TestPerft : public QObject
{
    Q_OBJECT

private slots:
    void suite();
    void volleListe();
};

void TestPerft::suite()
{
    QFile datei(QStringLiteral(BRAKMOR_TESTDATA "/perft.epd"));
    QVERIFY2(datei.open(QIODevice::ReadOnly | QIODevice::Text), "perft.epd missing");
    int stellungen = 0;
    int pruefungen = 0;
    while (!datei.atEnd()) {
        const QString zeile = QString::fromUtf8(datei.readLine()).trimmed();
        if (zeile.isEmpty())
            continue;
        const QStringList teile = zeile.split(QLatin1Char(';'));
        const QString fen = teile.first().trimmed();
        bool schwarz;
        auto s = ladeSuite(fen, schwarz);
        QVERIFY2(s, qPrintable(fen));
        ++stellungen;
        for (int i = 1; i < teile.size(); ++i) {
            const QStringList angabe = teile.at(i).trimmed().split(QLatin1Char(' '));
            const int tiefe = angabe.first().mid(1).toInt();
            const quint64 erwartet = angabe.last().toULongLong();
            if (tiefe > 1 && erwartet > GROESSTE_ZAHL)
                break;
            QVERIFY2(perft(*s, schwarz, tiefe) == erwartet,
                     qPrintable(QStringLiteral("%1 depth %2").arg(fen).arg(tiefe)));
            ++pruefungen;
        }
        int32_t brett[BRETT_ZELLEN];
        s->holeBrett(brett);
        auto frisch = ladeSuite(fen, schwarz);
        QVERIFY2(std::equal(brett, brett + BRETT_ZELLEN, frisch->brett), "board not restored");
        QVERIFY2(bitsFolgen(*s, schwarz, 2), qPrintable(fen));
    }
    QCOMPARE(stellungen, 163);
    QVERIFY(pruefungen > 400);
}

// Twenty queens (more than a FEN may hold, but promotions in the search can add queens) fill the
// list to its last entry before the terminator; the sanitizer build checks the stack buffer.
void TestPerft::volleListe()
{
    auto s = ladeTestStellung(QStringLiteral("4k3/8/8/8/8/8/8/4K3 w - - 0 1"));
    int32_t brett[BRETT_ZELLEN];
    s->holeBrett(brett);
    brett[26] = LEER;
    brett[96] = LEER;
    for (const int feld :
         {22, 26, 27, 28, 32, 34, 39, 42, 47, 55, 63, 68, 72, 76, 84, 89, 92, 96, 97, 99})
        brett[feld] = -DAME;
    s->setzeBrett(brett);
    Zug zuege[MAX_ZUEGE];
    s->zugliste = zuege;
    s->maxTiefe = 0;
    bool imSchach;
    s->generiereZuege(imSchach);
    QCOMPARE(s->zugAnzahl, MAX_ZUEGE - 1);
    QCOMPARE(zuege[MAX_ZUEGE - 1].von, 0);
}

QTEST_MAIN(TestPerft)
#include "tst_perft.moc"
