#include "golden.h"
#include "pgn/pgndatei.h"
#include "pgntesthilfe.h"

#include <QtTest>

class TestPgnLesen : public QObject
{
    Q_OBJECT

private slots:
    // Every game of sammlung.pgn: where it starts, its movetext as read, the replay and the text we
    // write of it; then the file after two games are deleted, and a deletion of ranges that share
    // a character, which must change nothing. All of it as in sammlung.erwartet.
    void sammlung()
    {
        TestHeim heim;
        Languages::instance()->ladeSprache(0);
        Controller controller;
        const QString datei = heim.pfad("sammlung.pgn");
        QVERIFY(schreibeDatei(datei, liesDatei(BRAKMOR_TESTDATA "/pgn/sammlung.pgn")));
        const QString text = pgnDekodieren(liesDatei(datei));
        QList<Pgn> partien;
        QVERIFY(Pgn::partienLesen(text, partien));
        QString ist;
        for (int i = 0; i < partien.size(); ++i) {
            QString zugtext = partien[i].zugtext;
            ist += QString("== %1 at %2: %3\n")
                       .arg(i + 1)
                       .arg(partien[i].position)
                       .arg(zugtext.replace('\n', "⏎"));
            controller.uebernimmPartie(partien[i]);
            int zeile = 0;
            const Wiedergabe w =
                spieleGeladenePartie(controller, 0, [&zeile](const QString &) { return ++zeile; });
            ist += QString("%1 half-moves %2 %3\n")
                       .arg(w.halbzuege)
                       .arg(controller.aktuelleFen(controller.schwarzAmZug()), w.meldung);
            ist += controller.pgn().erzeugeText(controller.verlauf()->entries());
        }
        const auto bereich = [&](int nummer) {
            return Bereich{partien[nummer - 1].position,
                           nummer < partien.size() ? partien[nummer].position - 1 : -1};
        };
        QString fehler;
        QVERIFY(Pgn::loeschePartien(text, {bereich(2), bereich(partien.size())}, datei, fehler));
        const QString rest = pgnDekodieren(liesDatei(datei));
        Bereich zweiter = bereich(2);
        zweiter.ende = bereich(3).start;
        QVERIFY(!Pgn::loeschePartien(rest, {zweiter, bereich(3)}, datei, fehler));
        ist += "== after deleting games 2 and " + QString::number(partien.size()) + ":\n" + rest +
               "== " + fehler.section('\n', -1) + '\n';
        QCOMPARE(pgnDekodieren(liesDatei(datei)), rest);
        // The same collection with CR LF line ends, in Windows-1252 and in UTF-8 without a
        // byte-order mark, loses the same games and keeps its encoding and line ends; positions
        // read before the file changed delete nothing.
        const QString crlf = text.mid(1).replace('\n', "\r\n");
        const QString restCrlf = rest.mid(1).replace('\n', "\r\n");
        for (const bool einzelbytes : {true, false}) {
            const auto kodiert = [einzelbytes](const QString &t) {
                return einzelbytes ? pgnKodieren(t, "\xE4") : t.toUtf8();
            };
            QVERIFY(schreibeDatei(datei, kodiert(crlf)));
            partien.clear();
            QVERIFY(Pgn::partienLesen(pgnDekodieren(liesDatei(datei)), partien));
            QVERIFY(
                Pgn::loeschePartien(crlf, {bereich(2), bereich(partien.size())}, datei, fehler));
            QVERIFY(!Pgn::loeschePartien(crlf, {bereich(3)}, datei, fehler));
            QCOMPARE(liesDatei(datei), kodiert(restCrlf));
        }
        ist += "== " + fehler.section('\n', -1) + '\n';
        VERGLEICHE_MIT_DATEI(ist.replace(QChar(0), "␀"), "pgn/sammlung.erwartet");
    }
};

QTEST_GUILESS_MAIN(TestPgnLesen)
#include "tst_pgn_lesen.moc"
