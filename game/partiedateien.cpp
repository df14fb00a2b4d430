#include "game/controller.h"

#include "app/einstellungen.h"
#include "app/rueckfragen.h"
#include "game/history.h"
#include "pgn/pgndatei.h"

#include <QFile>

#include <QDir>
#include <QFileInfo>

namespace {

QString sammlung()
{
    return appVerzeichnis + QLatin1String("Brakmor.pgn");
}

QString autoDatei()
{
    return appVerzeichnis + QLatin1String("BKAuto.pgn");
}

} // namespace

// The collection is rewritten with the new game appended in one step, so a full disk or a crash
// leaves the games saved before whole. A save that fails is reported as not saved: the game
// stays marked unsaved and the error box says why.
int Controller::partieSpeichern(QString &meldung)
{
    Pgn kopie(pgnPartie);
    const int ergebnis = rueckfragen().speichernDialog(kopie);
    if (ergebnis == LadenStattSpeichern) {
        meldung.clear();
        return LadenStattSpeichern;
    }
    if (ergebnis != Gespeichert) {
        meldung = text(514, "Partie wurde nicht gespeichert!");
        return SpeichernAbgebrochen;
    }

    pgnPartie = kopie;
    const QString pfad = sammlung();
    QString grund;
    const Schreibfehler fehler =
        haengeAn(pfad, pgnPartie.erzeugeText(historie->entries()) + QLatin1Char('\n'), grund);
    if (fehler != Schreibfehler::Keiner) {
        meldung = pfad + QLatin1String(fehler == Schreibfehler::Oeffnen ? " Error open (Append)"
                                                                        : " Error write (Append)");
        fehlerMeldung(meldung + QLatin1Char('\n') + grund);
        return SpeichernAbgebrochen;
    }
    meldung = text(300, "Partie gespeichert!");
    einstellungen.pgnLadenAusAppVerzeichnis = true;
    speichereEinstellungen();
    return Gespeichert;
}

// Written when the program closes: a failure is told at once, as the game would be gone without a
// word otherwise. The previous auto-save stays whole.
bool Controller::autoSpeichern()
{
    Pgn kopie(pgnPartie);
    const QString marke = QStringLiteral("BKAuto.pgn");
    if (!kopie.site.contains(marke, Qt::CaseInsensitive)) {
        if (!kopie.site.isEmpty())
            kopie.site += QLatin1String("; ");
        kopie.site += marke;
        pgnPartie = kopie;
    }
    QString grund;
    const Schreibfehler fehler = ersetzeDatei(
        autoDatei(), (kopie.erzeugeText(historie->entries()) + QLatin1Char('\n')).toUtf8(), grund);
    if (fehler != Schreibfehler::Keiner) {
        fehlerMeldung(autoDatei() +
                      QLatin1String(fehler == Schreibfehler::Oeffnen
                                        ? " Error open (WriteOnly)\n"
                                        : " Error write (WriteOnly)\n") +
                      grund);
    }
    return fehler == Schreibfehler::Keiner;
}

QString Controller::startDateiAus(const QStringList &argumente)
{
    for (const QString &argument : argumente) {
        if (argument.contains(QLatin1String(".pgn"), Qt::CaseInsensitive))
            return QDir::toNativeSeparators(QFileInfo(argument).absoluteFilePath());
    }
    return QString();
}

void Controller::autoLoeschen()
{
    QFile::remove(autoDatei());
}

bool Controller::pgnDateiLesen(int modus, QString &text, QString &dateiname)
{
    for (int versuch = 1; versuch <= 2; ++versuch) {
        if (modus == 2 && !pgnStartDatei.isEmpty())
            dateiname = pgnStartDatei;
        else
            dateiname = einstellungen.pgnLadenAusAppVerzeichnis ? sammlung()
                                                                : einstellungen.pgnLadeDateiname;
        QByteArray daten;
        QString grund;
        if (lesePgnDatei(dateiname, daten, grund)) {
            text = pgnDekodieren(daten);
            return true;
        }
        fehlerMeldung(QLatin1String("Error open (ReadOnly)\n\n") + dateiname + QLatin1Char('\n') +
                      grund);
        if (modus == 2)
            return false;
        einstellungen.pgnLadenAusAppVerzeichnis = !einstellungen.pgnLadenAusAppVerzeichnis;
        speichereEinstellungen();
    }
    return false;
}

QString Controller::uebernimmPartie(const Pgn &partie)
{
    pgnGeladen = partie;
    const QString fehler = pgnPartie.ZuglisteAusPgn(pgnGeladen, zuegeGeladen);
    if (fehler.isEmpty())
        pgnPartie = pgnGeladen;
    return fehler;
}

// The moves before an unreadable one are kept: the game is restored as far as it goes.
bool Controller::autoLaden()
{
    QByteArray daten;
    QString grund;
    QList<Pgn> partien;
    if (!lesePgnDatei(autoDatei(), daten, grund) ||
        !Pgn::partienLesen(pgnDekodieren(daten), partien) || partien.isEmpty())
        return false;
    uebernimmPartie(partien.first());
    pgnPartie = pgnGeladen;
    return true;
}

// After the last game of a file has been deleted, the empty file is no error. A start file
// without a game says nothing about the collection, so the source setting stays.
bool Controller::partieLaden(int modus, bool ungespeichert, QString &meldung)
{
    for (bool geloescht = false;;) {
        QString inhalt;
        QString dateiname;
        if (!pgnDateiLesen(modus, inhalt, dateiname))
            return false;
        QList<Pgn> partien;
        if (!Pgn::partienLesen(inhalt, partien) || partien.isEmpty()) {
            if (geloescht)
                return false;
            meldung = text(450, "Keine PGN-Datei");
            if (modus != 2) {
                einstellungen.pgnLadenAusAppVerzeichnis = !einstellungen.pgnLadenAusAppVerzeichnis;
                speichereEinstellungen();
            }
            fehlerMeldung(dateiname + QLatin1Char('\n') + meldung);
            return false;
        }

        Pgn auswahl;
        QList<Bereich> bereiche;
        switch (rueckfragen().ladenDialog(dateiname, partien, auswahl, bereiche)) {
        case Loeschen: {
            QString fehler;
            geloescht = Pgn::loeschePartien(inhalt, bereiche, dateiname, fehler);
            if (geloescht) {
                meldung = text(664, "Partie(n) gelöscht");
            } else {
                meldung = text(452, "Fehler Partien löschen");
                fehlerMeldung(fehler);
            }
            break;
        }
        case NeuLesen: modus = 3; break;
        case Laden: {
            const QString frage = text(609, "Achtung: Datenverlust!") + QLatin1String("\n\n") +
                                  text(610, "Sie haben Ihr laufendes Spiel nicht gespeichert!") +
                                  QLatin1Char('\n') + text(611, "Trotzdem fortfahren?");
            if (ungespeichert && !rueckfragen().frage(QStringLiteral("Brakmor"), frage))
                return false;
            meldung = uebernimmPartie(auswahl);
            if (!meldung.isEmpty())
                return false;
            meldung = text(313, "Partie geladen");
            return true;
        }
        default: return false;
        }
    }
}
