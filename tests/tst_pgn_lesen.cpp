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

    void zuege_data()
    {
        QTest::addColumn<QString>("zugtext");
        QTest::addColumn<QList<Zug>>("erwartet");
        const Zug nf3 = z(0, 77, 230), nc6 = z(0, 44, 230);
        QTest::newRow("Auslassung")
            << "12... Nf6 13.Nf3 13...Nc6" << QList<Zug>{z(0, 47, 230), nf3, nc6};
        QTest::newRow("Auslassung ohne Figur") << "1...e5" << QList<Zug>{z(0, 56, 65)};
        QTest::newRow("Varianten") << "1. e4 (1. d4 d5 (1... Nf6 {(} 2. c4) 2. c4) e5 (e6) 2. Nf3"
                                   << QList<Zug>{z(0, 66, 65), z(0, 56, 65), nf3};
    }

    void zuege()
    {
        QFETCH(QString, zugtext);
        QFETCH(QList<Zug>, erwartet);
        QList<Zug> gelesen = {Zug{1, 2, 3, 4}};
        QCOMPARE(lies(zugtext, gelesen), QString());
        QCOMPARE(alsText(gelesen), alsText(erwartet));
    }
};

QTEST_GUILESS_MAIN(TestPgnLesen)
#include "tst_pgn_lesen.moc"
