#include "testhilfe.h"

#include <QFile>
#include <QtTest>

namespace {

// Deeper counts belong to the benchmark; this keeps the sanitizer run within seconds.
constexpr quint64 GROESSTE_ZAHL = 2000000;

// Read as the program's own text: the suite has positions with three bishops.
std::unique_ptr<stellung> ladeSuite(const QString &fen, bool &schwarz)
{
    fenStellung f;
    if (f.leseFen(fen, schwarz, fenStellung::eigenerText) != 0)
        return nullptr;
    auto s = std::make_unique<stellung>();
    ladePosition(*s, f);
    return s;
}

} // namespace

class TestPerft : public QObject
{
    Q_OBJECT

private slots:
    void suite();
    void jeZug();
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
    }
    QCOMPARE(stellungen, 163);
    QVERIFY(pruefungen > 400);
}

// The split adds up to the count, with a line of its own for each promotion piece.
void TestPerft::jeZug()
{
    bool schwarz;
    auto s = ladeTestStellung(QStringLiteral("n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1"), &schwarz);
    QStringList zuege;
    quint64 summe = 0;
    for (const PerftZeile &z : perftJeZug(*s, schwarz, 2)) {
        zuege.append(z.zug);
        summe += z.knoten;
    }
    QCOMPARE(zuege.size(), 24);
    QCOMPARE(summe, quint64(496));
    for (const char *zug : {"g2g1q", "g2g1r", "g2g1b", "g2g1n", "g2f1q", "g2h1n"})
        QVERIFY2(zuege.contains(QLatin1String(zug)), zug);
}

QTEST_MAIN(TestPerft)
#include "tst_perft.moc"
