#include "dateigrenze.h"
#include "game/history.h"
#include "pgntesthilfe.h"

#include <QtTest>

#include <memory>

namespace {

const QString partie = "[Event \"E\"]\n[Site \"Ort\"]\n[White \"Anna\"]\n\n"
                       "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 *\n";

// Three games; the second cannot be read, the others carry comments.
const QString dreiPartien = "[Event \"Eins\"]\n\n1. e4 {Eins} e5 *\n\n"
                            "[Event \"Zwei\"]\n\n1. e4 Zz9 *\n\n"
                            "[Event \"Drei\"]\n\n1. d4 {Drei} d5 2. c4 *\n";

QString sammlung()
{
    return appVerzeichnis + "Brakmor.pgn";
}

QString autoDatei()
{
    return appVerzeichnis + "BKAuto.pgn";
}

} // namespace

class TestPgnController : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHeim> heim;
    Attrappe attrappe;
    std::unique_ptr<Controller> controller;

    QString spielText() const
    {
        return controller->pgn().erzeugeText(controller->verlauf()->entries());
    }

private slots:
    void init()
    {
        heim = std::make_unique<TestHeim>();
        attrappe = Attrappe();
        setzeRueckfragen(&attrappe);
        controller = std::make_unique<Controller>();
        QVERIFY(appVerzeichnis.startsWith(heim->pfad("")));
    }

    void cleanup()
    {
        controller.reset();
        heim.reset();
    }

    void speichern()
    {
        QCOMPARE(spiele(*controller, partie).halbzuege, 6);
        QString meldung;
        attrappe.speichern = [](Pgn &) { return 1; };
        einstellungen.pgnLadenAusAppVerzeichnis = false;
        QCOMPARE(controller->partieSpeichern(meldung), 1);
        QVERIFY(einstellungen.pgnLadenAusAppVerzeichnis);
        const QByteArray gespeichert = (spielText() + "\n").toUtf8();
        QCOMPARE(liesDatei(sammlung()), gespeichert);

        // A full disk: the saved game stays, the game counts as not saved, the user is told.
        einstellungen.pgnLadenAusAppVerzeichnis = false;
        {
            Dateigrenze voll(gespeichert.size() + 10);
            QCOMPARE(controller->partieSpeichern(meldung), 0);
        }
        QCOMPARE(meldung, sammlung() + " Error write (Append)");
        QCOMPARE(attrappe.meldungen.size(), 1);
        QCOMPARE(liesDatei(sammlung()), gespeichert);
        QVERIFY(!einstellungen.pgnLadenAusAppVerzeichnis);
    }

    void autoSpeichern()
    {
        spiele(*controller, partie);
        QVERIFY(controller->autoSpeichern());
        const QByteArray gespeichert = liesDatei(autoDatei());
        QCOMPARE(gespeichert, (spielText() + "\n").toUtf8());

        // The old file stays whole when the new one cannot be written, and the user is told.
        spiele(*controller, "[Event \"X\"]\n1. d4 *");
        {
            Dateigrenze voll(20);
            QVERIFY(!controller->autoSpeichern());
        }
        QCOMPARE(liesDatei(autoDatei()), gespeichert);
        QCOMPARE(attrappe.meldungen.size(), 1);
        QVERIFY(attrappe.meldungen[0].startsWith("Error|" + autoDatei() +
                                                 " Error write (WriteOnly)\n"));
    }

    // A start file is named absolute, found by its ending in any case, and one without a game
    // leaves the collection's source alone.
    void startDatei()
    {
        const QString datei = heim->pfad("Turnier.PGN");
        QVERIFY(schreibeDatei(datei, "keine Partie\n"));
        QVERIFY(QDir::setCurrent(heim->pfad("")));
        pgnStartDatei = Controller::startDateiAus({"-x", "Turnier.PGN"});
        QCOMPARE(pgnStartDatei, datei);
        einstellungen.pgnLadenAusAppVerzeichnis = true;
        QString meldung;
        QVERIFY(!controller->partieLaden(2, false, meldung));
        QCOMPARE(meldung, QString("Keine PGN-Datei"));
        QVERIFY(einstellungen.pgnLadenAusAppVerzeichnis);
        // The user's own load reads the collection.
        QVERIFY(schreibeDatei(sammlung(), partie.toUtf8()));
        QString gelesen;
        attrappe.laden << [&gelesen](const QString &name, const QList<Pgn> &, Pgn &,
                                     QList<Bereich> &) { return gelesen = name, 0; };
        QVERIFY(!controller->partieLaden(3, false, meldung));
        QCOMPARE(gelesen, sammlung());
    }

    // After a deletion the dialog lists the games left; a failed rewrite loses nothing, and
    // deleting every game leaves an empty file without complaint.
    void loeschen()
    {
        QVERIFY(schreibeDatei(sammlung(), dreiPartien.toUtf8()));
        QList<Pgn> partien;
        QVERIFY(Pgn::partienLesen(dreiPartien, partien));
        int danach = -1;
        auto loesche = [&](QList<Bereich> auswahl) {
            attrappe.laden << [auswahl](const QString &, const QList<Pgn> &, Pgn &,
                                        QList<Bereich> &bereiche) {
                bereiche = auswahl;
                return 100;
            } << [&danach](const QString &, const QList<Pgn> &uebrig, Pgn &, QList<Bereich> &) {
                danach = uebrig.size();
                return 0;
            };
            QString meldung;
            return controller->partieLaden(3, false, meldung) ? QString("geladen") : meldung;
        };

        QCOMPARE(loesche({{partien[1].position, partien[2].position - 1}}),
                 QString("Partie(n) gelöscht"));
        QCOMPARE(danach, 2);
        const QByteArray rest =
            QString(dreiPartien)
                .remove(partien[1].position, partien[2].position - partien[1].position)
                .toUtf8();
        QCOMPARE(liesDatei(sammlung()), rest);
        {
            Dateigrenze voll(10);
            QCOMPARE(loesche({{0, int(rest.indexOf("[Event \"Drei\"]")) - 1}}),
                     QString("Fehler Partien löschen"));
        }
        QVERIFY(
            attrappe.meldungen.value(0).startsWith("Error|Error deleting file\n\n" + sammlung()));
        QCOMPARE(liesDatei(sammlung()), rest);
        QCOMPARE(loesche({{0, -1}}), QString("Partie(n) gelöscht"));
        QCOMPARE(liesDatei(sammlung()), QByteArray());
        QCOMPARE(attrappe.meldungen.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPgnController)
#include "tst_pgn_controller.moc"
