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
        einstellungen.pgnLadenAusAppVerzeichnis = false;
        QString meldung;

        QCOMPARE(controller->partieSpeichern(meldung), 0);
        QCOMPARE(meldung, QString("Partie wurde nicht gespeichert!"));
        QVERIFY(!QFile::exists(sammlung()));

        // Saving twice appends two complete games, each followed by two empty lines.
        attrappe.speichern = [](Pgn &kopie) {
            kopie.eco = "C70";
            return 1;
        };
        QCOMPARE(controller->partieSpeichern(meldung), 1);
        QCOMPARE(meldung, QString("Partie gespeichert!"));
        QVERIFY(einstellungen.pgnLadenAusAppVerzeichnis);
        QCOMPARE(controller->partieSpeichern(meldung), 1);
        const QString einmal = spielText();
        QVERIFY(einmal.contains("[ECO \"C70\"]") && einmal.endsWith("a6 *\n\n"));
        const QByteArray zweimal = (einmal + "\n" + einmal + "\n").toUtf8();
        QCOMPARE(liesDatei(sammlung()), zweimal);

        // A full disk: the saved games stay, the game counts as not saved, the user is told.
        einstellungen.pgnLadenAusAppVerzeichnis = false;
        {
            Dateigrenze voll(zweimal.size() + 10);
            QCOMPARE(controller->partieSpeichern(meldung), 0);
        }
        QCOMPARE(meldung, sammlung() + " Error write (Append)");
        QCOMPARE(attrappe.meldungen.size(), 1);
        QCOMPARE(liesDatei(sammlung()), zweimal);
        QVERIFY(!einstellungen.pgnLadenAusAppVerzeichnis);
    }

    void autoSpeichernUndLaden()
    {
        spiele(*controller, partie);
        controller->autoSpeichern();
        controller->autoSpeichern();
        QCOMPARE(controller->pgn().site, QString("Ort; BKAuto.pgn"));
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

        Controller neu;
        QVERIFY(neu.autoLaden());
        QCOMPARE(neu.pgn().site, QString("Ort; BKAuto.pgn"));
        QCOMPARE(neu.geladeneZuege().size(), 6);
        // A missing auto-save is no error to report.
        QVERIFY(QFile::remove(autoDatei()));
        QVERIFY(!neu.autoLaden());
        QCOMPARE(attrappe.meldungen.size(), 1);
    }

    // A data folder that cannot be written (its parent is a regular file, which stops root too):
    // both saves say so, the game stays on the board and is saved once the folder is back.
    void schreibgeschuetzterOrdner()
    {
        QCOMPARE(spiele(*controller, partie).halbzuege, 6);
        attrappe.speichern = [](Pgn &) { return 1; };
        QString meldung;
        QCOMPARE(controller->partieSpeichern(meldung), 1);
        const QByteArray gespeichert = liesDatei(sammlung());
        const QString ordner = appVerzeichnis;
        const QString endstellung = controller->aktuelleFen(controller->schwarzAmZug());

        QVERIFY(schreibeDatei(heim->pfad("datei"), "x"));
        appVerzeichnis = heim->pfad("datei") + "/Brakmor/";
        QCOMPARE(controller->partieSpeichern(meldung), 0);
        QCOMPARE(meldung, sammlung() + " Error open (Append)");
        QVERIFY(!controller->autoSpeichern());
        QCOMPARE(attrappe.meldungen.size(), 2);
        QVERIFY(
            attrappe.meldungen[1].startsWith("Error|" + autoDatei() + " Error open (WriteOnly)\n"));
        QCOMPARE(lastIndex, 6);
        QCOMPARE(controller->aktuelleFen(controller->schwarzAmZug()), endstellung);

        appVerzeichnis = ordner;
        QCOMPARE(controller->partieSpeichern(meldung), 1);
        QCOMPARE(liesDatei(sammlung()), gespeichert + (spielText() + "\n").toUtf8());
        QVERIFY(controller->autoSpeichern());
    }

    void laden()
    {
        QVERIFY(schreibeDatei(sammlung(), dreiPartien.toUtf8()));
        QString meldung;
        auto waehle = [](int n) {
            return [n](const QString &datei, const QList<Pgn> &partien, Pgn &auswahl,
                       QList<Bereich> &) {
                auswahl = partien.value(n);
                return datei == sammlung() && partien.size() == 3 ? 1 : 0;
            };
        };
        attrappe.laden << waehle(2);
        QVERIFY(controller->partieLaden(3, false, meldung));
        QCOMPARE(meldung + '|' + controller->pgn().event, QString("Partie geladen|Drei"));
        QCOMPARE(controller->geladeneZuege().size(), 3);

        // Unsaved moves: the answer No keeps the game on the board.
        attrappe.laden << waehle(0);
        attrappe.antworten << false;
        QVERIFY(!controller->partieLaden(3, true, meldung));
        QCOMPARE(controller->pgn().event, QString("Drei"));
        attrappe.laden << waehle(0);
        attrappe.antworten << true;
        QVERIFY(controller->partieLaden(3, true, meldung));
        QCOMPARE(controller->pgn().event, QString("Eins"));

        attrappe.laden << waehle(1);
        QVERIFY(!controller->partieLaden(3, false, meldung));
        QCOMPARE(meldung, QString("Pgn.ZuglisteAusPgn():Error Zz9; 6"));
        QCOMPARE(controller->pgn().event, QString("Eins"));

        QVERIFY(!controller->partieLaden(3, false, meldung));
        QVERIFY(attrappe.meldungen.isEmpty());
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

    void dateiWahl()
    {
        const QString andere = heim->pfad("andere.pgn");
        QVERIFY(schreibeDatei(andere, partie.toUtf8()));
        einstellungen.pgnLadeDateiname = andere;
        QString text, dateiname, meldung;

        // The collection is missing: the other file is tried and becomes the default.
        QVERIFY(controller->pgnDateiLesen(3, text, dateiname));
        QCOMPARE(dateiname + '|' + text, andere + '|' + partie);
        QVERIFY(attrappe.meldungen.value(0).startsWith("Error|Error open (ReadOnly)\n\n" +
                                                       sammlung() + "\n"));
        QVERIFY(!einstellungen.pgnLadenAusAppVerzeichnis);

        // The start file gets one attempt and flips nothing; without one the settings choose.
        pgnStartDatei = heim->pfad("fehlt.pgn");
        QVERIFY(!controller->pgnDateiLesen(2, text, dateiname));
        QVERIFY(attrappe.meldungen.size() == 2 && !einstellungen.pgnLadenAusAppVerzeichnis);
        pgnStartDatei.clear();
        QVERIFY(controller->pgnDateiLesen(2, text, dateiname) && dateiname == andere);

        // The dialog switches the source: the next pass reads the file the settings now select.
        QVERIFY(schreibeDatei(sammlung(), dreiPartien.toUtf8()));
        QStringList gelesen;
        auto wechsle = [&gelesen](const QString &datei, const QList<Pgn> &, Pgn &,
                                  QList<Bereich> &) {
            gelesen << datei;
            einstellungen.pgnLadenAusAppVerzeichnis = true;
            return gelesen.size() == 1 ? 101 : 0;
        };
        attrappe.laden << wechsle << wechsle;
        QVERIFY(!controller->partieLaden(2, false, meldung));
        QCOMPARE(gelesen, QStringList({andere, sammlung()}));

        // A file without tags is no PGN file; the other source becomes the default.
        QVERIFY(schreibeDatei(sammlung(), "keine Partie\n"));
        attrappe.meldungen.clear();
        QVERIFY(!controller->partieLaden(3, false, meldung));
        QCOMPARE(attrappe.meldungen, QStringList({"Error|" + sammlung() + "\nKeine PGN-Datei"}));
        QVERIFY(!einstellungen.pgnLadenAusAppVerzeichnis);
    }
};

QTEST_GUILESS_MAIN(TestPgnController)
#include "tst_pgn_controller.moc"
