// Runs the built brakmor-cli as a user would, with HOME and the data folder in a temporary folder.
#include "core/felder.h"
#include "core/fen.h"
#include "pgn/pgn.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString nachE5 = "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2";

struct Lauf
{
    int status;
    QStringList zeilen;
    QString fehler;
};

} // namespace

class TestCliEngine : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> basis;

    QString datenordner() const { return basis->filePath("daten/Brakmor/"); }

    std::unique_ptr<QProcess> starte(const QStringList &argumente)
    {
        auto prozess = std::make_unique<QProcess>();
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("HOME", basis->path());
        umgebung.insert("TMPDIR", basis->path());
        umgebung.insert("XDG_DATA_HOME", basis->filePath("daten"));
        prozess->setProcessEnvironment(umgebung);
        prozess->start(BRAKMOR_CLI, argumente);
        if (!prozess->waitForStarted())
            qFatal("brakmor-cli did not start");
        return prozess;
    }

    Lauf lauf(const QStringList &argumente)
    {
        const auto p = starte(argumente);
        if (!p->waitForFinished(120000))
            qFatal("brakmor-cli did not finish");
        return Lauf{p->exitCode(), QString::fromUtf8(p->readAllStandardOutput()).split('\n'),
                    QString::fromUtf8(p->readAllStandardError())};
    }

    // The legal moves of a position as the program lists them, in coordinate notation.
    QStringList legaleZuege(const QString &fen)
    {
        QStringList zuege;
        for (const QString &zeile : lauf({"legal", fen}).zeilen)
            zuege << zeile.section(' ', 0, 0);
        return zuege;
    }

private slots:
    void init()
    {
        basis = std::make_unique<QTemporaryDir>();
        QVERIFY(basis->isValid());
        QVERIFY(QDir().mkpath(datenordner()));
    }

    void legal()
    {
        const Lauf start = lauf({"legal"});
        QCOMPARE(start.status, 0);
        QCOMPARE(start.zeilen.size(), 21);
        QVERIFY(start.zeilen.contains("e2e4 0x0010"));
        // A FEN may come unquoted; a promotion is listed once, searched as a queen.
        QVERIFY(lauf({"legal", "7k/P7/7K/8/8/8/8/8", "w", "-", "-", "0", "1"})
                    .zeilen.contains("a7a8q 0x00c2"));
        QCOMPARE(lauf({"legal", "kein FEN"}).status, 2);
    }

    void play()
    {
        const Lauf zwei = lauf({"play", "e2e4", "e7e5"});
        QCOMPARE(zwei.status, 0);
        QCOMPARE(zwei.zeilen.mid(0, 8),
                 (QStringList{"move: e2e4 0x0010", "text:  1 WS BAUER  E2-E4 ", "message: ",
                              "fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                              "move: e7e5 0x0011", "text:  1 SW BAUER  E7-E5 ",
                              "message: ", "fen: " + nachE5}));

        const Lauf matt =
            lauf({"play", "--fen", "7k/P7/7K/8/8/8/8/8 w - - 0 1", "--lang", "1", "a7a8r"});
        QCOMPARE(matt.status, 0);
        QCOMPARE(matt.zeilen.mid(0, 5),
                 (QStringList{"move: a7a8r 0x00c2",
                              "text:  1 WH Rook   A7-A8 PROMOTION + \\n   White wins",
                              "message: PROMOTION CHECK White wins",
                              "fen: R6k/8/7K/8/8/8/8/8 b - - 0 1", "gameover"}));

        const Lauf falsch = lauf({"play", "e2e4", "e2e4"});
        QCOMPARE(falsch.status, 1);
        QCOMPARE(falsch.fehler.trimmed(), QString("Error: Controller::bewegeFigur() 86-66"));
        QCOMPARE(falsch.zeilen.first(), QString("move: e2e4 0x0010"));
    }

    // A game the program refuses fails the run; the written file keeps it up to the refusal.
    void pgn()
    {
        const QString datei = basis->filePath("drei.pgn");
        const QString ausgabe = basis->filePath("aus.pgn");
        QFile quelle(datei);
        QVERIFY(quelle.open(QIODevice::WriteOnly));
        quelle.write(
            "[Event \"a\"]\n1. e4 e5 *\n[Event \"b\"]\n1. e4 Zz9 *\n[Event \"c\"]\n1. d4 *\n");
        quelle.close();
        const Lauf erster = lauf({"pgn", datei, "--out", ausgabe});
        QCOMPARE(erster.status, 1);
        QCOMPARE(
            erster.zeilen.join('\n'),
            QString("game 1: ok 2 " + nachE5 +
                    "\n"
                    "game 2: error Pgn.ZuglisteAusPgn():Error Zz9; 6\n"
                    "game 3: ok 1 rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq d3 0 1\n"
                    "games: 3 ok: 2 failed: 1\n"));
        QFile geschrieben(ausgabe);
        QVERIFY(geschrieben.open(QIODevice::ReadOnly));
        QList<Pgn> partien;
        QVERIFY(Pgn::partienLesen(QString::fromUtf8(geschrieben.readAll()), partien));
        QCOMPARE(partien.size(), 3);
        QCOMPARE(partien[1].zugtext, QString("1. e4 * "));

        const Lauf zweiter = lauf({"pgn", ausgabe});
        QCOMPARE(zweiter.status, 0);
        QCOMPARE(zweiter.zeilen.value(3), QString("games: 3 ok: 3 failed: 0"));
    }

    // A command-line run is no program start, and a job's level and report are that run's: what
    // the user saved stays alone.
    void einstellungenBleiben()
    {
        const QString ini = datenordner() + "Brakmor.ini";
        QSettings(ini, QSettings::IniFormat).setValue("AppInfos/AnzahlStarts", 7);
        QSettings(ini, QSettings::IniFormat).setValue("Bewertung/Schwierigkeit", 3);
        const QString datei = basis->filePath("eine.pgn");
        QFile partie(datei);
        QVERIFY(partie.open(QIODevice::WriteOnly));
        partie.write("[Event \"a\"]\n1. e4 *\n");
        partie.close();
        QCOMPARE(lauf({"legal"}).status, 0);
        QCOMPARE(lauf({"play", "e2e4"}).status, 0);
        QCOMPARE(lauf({"pgn", datei}).status, 0);
        QCOMPARE(lauf({"job", "--level", "1", "--report"}).status, 0);
        QSettings danach(ini, QSettings::IniFormat);
        QCOMPARE(danach.value("AppInfos/AnzahlStarts").toInt(), 7);
        QCOMPARE(danach.value("Bewertung/Schwierigkeit").toInt(), 3);
        QCOMPARE(danach.value("Bewertung/HTML_Wertetabelle").toString(), QString("false"));
    }

    void job()
    {
        QSettings(datenordner() + "Brakmor.ini", QSettings::IniFormat)
            .setValue("Bewertung/Schwierigkeit", 3);
        const Lauf zug = lauf({"job", "--level", "1", "--report", "e2e4", "e7e5"});
        const QString bericht = datenordner() + "Schach-Bewertung_ws.html";
        QCOMPARE(zug.zeilen[0], "report: " + bericht);
        QVERIFY(QFile::exists(bericht));
        const QStringList felder = zug.zeilen[1].split('|');
        QVERIFY2(felder.size() == 9 && felder[6].startsWith("T3 "), qPrintable(zug.zeilen[1]));
        QVERIFY(legaleZuege(nachE5).contains(
            (feldName(felder[0].toInt()) + feldName(felder[1].toInt())).toLower()));

        // Mated: the empty result, searched at the user's level. An illegal move is refused with a
        // message.
        QVERIFY(lauf({"job", "--fen", "R5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1"})
                    .zeilen[0]
                    .startsWith("00|00|0|00|00|0|T5 00|"));
        const Lauf falsch = lauf({"job", "e2e5"});
        QVERIFY(falsch.status == 1 && falsch.fehler.contains("e2e5"));
    }

    void uciSitzung()
    {
        const auto p = starte({"uci"});
        QStringList ausgabe;
        // Sends the lines and collects the answers up to the first line that starts with `bis`.
        auto sprich = [&](const QByteArray &text, const QString &bis) {
            ausgabe.clear();
            p->write(text);
            while (ausgabe.isEmpty() || !ausgabe.last().startsWith(bis)) {
                if (p->canReadLine())
                    ausgabe << QString::fromUtf8(p->readLine()).trimmed();
                else if (!p->waitForReadyRead(30000))
                    return false;
            }
            return true;
        };

        QVERIFY(sprich("uci\n", "uciok"));
        QVERIFY(ausgabe.contains("option name Level type spin default 5 min 1 max 5"));
        QVERIFY(sprich("setoption name Level value 1\nposition startpos moves e2e4 e7e5\n"
                       "go wtime 60000 btime 60000 winc 0 binc 0\n",
                       "bestmove"));
        const QRegularExpressionMatch info =
            QRegularExpression("^info depth 3 time \\d+ nodes \\d+ score cp -?\\d+ pv "
                               "([a-h][1-8][a-h][1-8])\nbestmove \\1$")
                .match(ausgabe.join('\n'));
        QVERIFY2(info.hasMatch(), qPrintable(ausgabe.join('\n')));
        QVERIFY(legaleZuege(nachE5).contains(info.captured(1)));

        // Rubbish and illegal moves are passed over; the mated side has no move.
        QVERIFY(sprich("foo\nsetoption name\nsetoption name Level value 9\nposition\n"
                       "position fen 9/9 w\nposition startpos moves e2e4 zz\n"
                       "position startpos moves e2e5\n"
                       "position fen R5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1\ngo\n",
                       "bestmove"));
        QCOMPARE(ausgabe.last(), QString("bestmove 0000"));

        // An infinite search still answers isready and names its move when stopped.
        QVERIFY(sprich("position startpos\ngo infinite\nisready\n", "readyok"));
        QVERIFY(sprich("stop\n", "bestmove"));
        QVERIFY(legaleZuege(startFen).contains(ausgabe.last().section(' ', 1)));
        p->write("quit\n");
        QVERIFY(p->waitForFinished(30000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }

    // A few games at the easiest level. The seed decides the openings and every random term of
    // the engine, so a second run plays the same games.
    void selbstspiel()
    {
        const QStringList aufruf = {"selfplay", "3", "--level", "1", "--seed", "5"};
        const Lauf erster = lauf(aufruf);
        QCOMPARE(erster.status, 0);
        const QRegularExpression partie(
            "^game \\d: ((1-0|0-1) \\d+ half-moves, checkmate|1/2-1/2 \\d+ half-moves, (stalemate|"
            "insufficient material|fifty-move rule|threefold repetition)|\\* 300 half-moves, "
            "half-move limit)$");
        for (int i = 0; i < 3; ++i)
            QVERIFY2(partie.match(erster.zeilen[i]).hasMatch(), qPrintable(erster.zeilen[i]));
        QVERIFY2(erster.zeilen[3].startsWith("games 3 level 1 seed 5: ") &&
                     erster.zeilen[3].endsWith("; refused moves 0"),
                 qPrintable(erster.zeilen[3]));
        QCOMPARE(lauf(aufruf).zeilen.mid(0, 4), erster.zeilen.mid(0, 4));

        for (const QStringList &falsch :
             {QStringList{"selfplay"}, QStringList{"selfplay", "0"},
              QStringList{"selfplay", "2", "--level", "7"}, QStringList{"selfplay", "2", "--seed"}})
            QCOMPARE(lauf(falsch).status, 2);
    }
};

QTEST_MAIN(TestCliEngine)
#include "tst_cli_engine.moc"
