#include "app/languages.h"
#include "pgn/pgn.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<Zug>)

namespace {

Zug z(int von, int nach, int wert, int flags = 0)
{
    return Zug{von, nach, wert, ZUG_UNVOLLSTAENDIG | flags};
}

QString alsText(const QList<Zug> &zuege)
{
    QStringList teile;
    for (const Zug &zug : zuege)
        teile << QString("%1-%2:%3/%4")
                     .arg(zug.von)
                     .arg(zug.nach)
                     .arg(zug.wert)
                     .arg(zug.flags, 0, 16);
    return teile.join(' ');
}

// Each game found as one line: position, tags and movetext.
QStringList lesePartien(const QString &text, QList<Pgn> *partien = nullptr)
{
    QList<Pgn> liste;
    const bool gefunden = Pgn::partienLesen(text, liste);
    QStringList zeilen;
    for (const Pgn &p : qAsConst(liste))
        zeilen << QStringList{QString::number(p.position),
                              p.event,
                              p.site,
                              p.weiss,
                              QString::number(p.weissElo),
                              p.schwarz,
                              QString::number(p.runde),
                              p.ergebnis,
                              p.zugtext}
                      .join('|');
    if (partien)
        *partien = liste;
    return gefunden == !zeilen.isEmpty() ? zeilen : QStringList{"found but empty"};
}

QString lies(const QString &zugtext, QList<Zug> &zuege)
{
    Pgn partie;
    partie.zugtext = zugtext;
    return Pgn().ZuglisteAusPgn(partie, zuege);
}

} // namespace

class TestPgnLesen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Languages::instance()->ladeSprache(0); }

    void partienMitPositionen()
    {
        const QString text =
            "\xEF\xBB\xBF% exported by hand\r\n"
            "[Event \"Erste\"]\r\n[White \"Anna \\\"A\\\" \\\\ B\"]\r\n[WhiteElo \"2100\"]\r\n"
            "[Result \"\"]\r\n[EventDate \"2020.01.01\"]\r\n[Date \"2023.04.05\"]\r\n\r\n"
            "1. e4 {a comment with [Event \"no tag\"] and 1-0} e5 ; and [Site \"x\"]\r\n"
            "2. Nf3 *\r\n\r\n"
            "[Event \"Zweite\"]\n[Round \"7\"]\n[Date \"????.??.??\"]\n[Result \"0-1\"]\n\n"
            "1. d4 0-1\n";
        QList<Pgn> liste;
        QCOMPARE(lesePartien(text, &liste),
                 QStringList({"20|Erste||Anna \"A\" \\ B|2100|Schwarz|0|*|1. e4 {a comment "
                              "with [Event \"no tag\"] and 1-0} e5 ; and [Site \"x\"]\r\n2. Nf3 * ",
                              "226|Zweite||Weiss|0|Schwarz|7|0-1|1. d4 0-1 "}));
        QCOMPARE(liste[0].datum.date(), QDate(2023, 4, 5));
        QVERIFY(!liste[1].datum.isValid());

        QVERIFY(lesePartien(QString()).isEmpty());
        QVERIFY(lesePartien("1. e4 e5 *\n").isEmpty());
        QVERIFY(lesePartien("[Event \"offen]\n1. e4 *").isEmpty());

        // Tags without movetext join the next game's tags; a lone result is a game of its own.
        QCOMPARE(
            lesePartien("[Event \"A\"]\n\n[Site \"B\"]\n1. e4 *\n[Event \"C\"]\n*\n"
                        "[Event \"D\"]\n"),
            QStringList({"0|A|B|Weiss|0|Schwarz|0|*|1. e4 * ", "32|C||Weiss|0|Schwarz|0|*|* "}));

        // A game without result ends where the next game's tags begin; a broken tag line inside
        // the tag section starts that game's movetext, so the game is listed and fails to load.
        const QString kaputt = "[Event \"A\"]\n1. e4 e5\n[Event \"B\"]\n[Site \"x\n1. d4 *";
        QCOMPARE(lesePartien(kaputt),
                 QStringList({"0|A||Weiss|0|Schwarz|0|*|1. e4 e5 ",
                              "21|B||Weiss|0|Schwarz|0|*|[Site \"x\n1. d4 * "}));
        QList<Zug> zuege;
        QVERIFY(!lies("[Site \"x\n1. d4 * ", zuege).isEmpty());
    }

    void zuege_data()
    {
        QTest::addColumn<QString>("zugtext");
        QTest::addColumn<QList<Zug>>("erwartet");
        const Zug e4 = z(0, 66, 65), e5 = z(0, 56, 65), nf3 = z(0, 77, 230), nc6 = z(0, 44, 230);

        QTest::newRow("Kommentar") << "1. e4 {best by test} e5 *" << QList<Zug>{e4, e5};
        QTest::newRow("Auslassung")
            << "12... Nf6 13.Nf3 13...Nc6" << QList<Zug>{z(0, 47, 230), nf3, nc6};
        QTest::newRow("Auslassung ohne Figur") << "1...e5" << QList<Zug>{e5};
        QTest::newRow("Schlagen und Hinweise")
            << "exd5 Nbd7 R1a3 Qh4e1 Bxf7+ Qxf7#"
            << QList<Zug>{z(6, 55, 65),   z(3, 35, 230), z(90, 72, 330),
                          z(69, 96, 600), z(0, 37, 231), z(0, 37, 600)};
        QTest::newRow("Wandlung") << "e8=Q fxg8=N+ a1N h1=r"
                                  << QList<Zug>{
                                         z(6, 26, 600, ZUG_WANDLUNG), z(7, 28, 230, ZUG_WANDLUNG),
                                         z(2, 92, 230, ZUG_WANDLUNG), z(9, 99, 330, ZUG_WANDLUNG)};
        QTest::newRow("Rochade") << "O-O-O O-O+ 0-0 0-0-0"
                                 << QList<Zug>{
                                        z(0, 94, 1000, ZUG_ROCHADE), z(0, 98, 1000, ZUG_ROCHADE),
                                        z(0, 98, 1000, ZUG_ROCHADE), z(0, 94, 1000, ZUG_ROCHADE)};
        QTest::newRow("Zeichen und NAGs") << "1. e4!? e5?? 2. Nf3! $1 Nc6?! $14 3.e4!! e5? 1-0"
                                          << QList<Zug>{e4, e5, nf3, nc6, e4, e5};
        QTest::newRow("Varianten") << "1. e4 (1. d4 d5 (1... Nf6 {(} 2. c4) 2. c4) e5 (e6) 2. Nf3"
                                   << QList<Zug>{e4, e5, nf3};
        QTest::newRow("Zeilenkommentar und Escape")
            << "1. e4 ; e6 d4\n% d4 d5\r\ne5\r\n%e6\n2. Nf3" << QList<Zug>{e4, e5, nf3};
        QTest::newRow("en passant") << "exd6 e.p. exd6e.p. exd6 e.p.+"
                                    << QList<Zug>{z(6, 45, 65), z(6, 45, 65), z(6, 45, 65)};
        QTest::newRow("Ergebnis beendet") << "e4 1/2-1/2 e5" << QList<Zug>{e4};
    }

    void zuege()
    {
        QFETCH(QString, zugtext);
        QFETCH(QList<Zug>, erwartet);
        QList<Zug> gelesen = {Zug{1, 2, 3, 4}};
        QCOMPARE(lies(zugtext, gelesen), QString());
        QCOMPARE(alsText(gelesen), alsText(erwartet));
    }

    // The token that stops reading after one move, or none when no move was read at all.
    void fehler()
    {
        const QPair<QString, QString> faelle[] = {{"1. e4 Zz9 e5", "Zz9"},
                                                  {"1. e4 -- e5", "--"},
                                                  {"1. e4 {e5 2. Nf3", "{"},
                                                  {"1. e4 (1. d4 e5", "("},
                                                  {"1. e4 ) e5", ")"},
                                                  {"", ""},
                                                  {"* ", ""},
                                                  {"Zz9", ""}};
        for (const auto &fall : faelle) {
            QList<Zug> gelesen;
            QCOMPARE(lies(fall.first, gelesen),
                     fall.second.isEmpty() ? QString("Pgn.ZuglisteAusPgn(): Keine Züge gefunden")
                                           : "Pgn.ZuglisteAusPgn():Error " + fall.second + "; 6");
            QCOMPARE(gelesen.size(), fall.second.isEmpty() ? 0 : 1);
        }
    }

    // Every prefix of a game: reading ends and stays inside the text.
    void abgeschnitteneEingabe()
    {
        const QString probe = "[Event \"A \\\" b\"]\n[Site \"x\"]\n\n1. e4 {c} (1. d4 ; x\n) e5 $2 "
                              "2. exd6 e.p. O-O 1-0\n[Event \"B\"]\n%x\n1... Nf6 *";
        for (int laenge = 0; laenge <= probe.size(); ++laenge) {
            const QString eingabe = probe.left(laenge);
            QList<Pgn> liste;
            Pgn::partienLesen(eingabe, liste);
            int ende = eingabe.size();
            for (int i = liste.size() - 1; i >= 0; --i) {
                QVERIFY(liste[i].position >= 0 && liste[i].position < ende);
                ende = liste[i].position;
                QList<Zug> zuege;
                Pgn().ZuglisteAusPgn(liste[i], zuege);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestPgnLesen)
#include "tst_pgn_lesen.moc"
