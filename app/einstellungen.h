#pragma once

#include <QString>

// How pieces move on the board: as always, quicker, or at once.
enum Animationstempo { AnimationNormal = 0, AnimationSchnell = 1, AnimationAus = 2 };

// The user's settings, one record for the whole program, kept in "Brakmor.ini" in the data folder.
struct Einstellungen
{
    int anzahlStarts = 0;
    int startEnde = 7;
    int schwierigkeit = 2;
    bool grosseSchrift = false;
    int brettdesign = 1;
    bool markiereLetztenZug = true;
    // The board is shown from the other side than the game flow turns it.
    bool brettGedreht = false;
    int animation = AnimationNormal;
    QString nameMensch1 = QStringLiteral("Human");
    QString nameMensch2 = QStringLiteral("Human");
    int zufall = 30;
    int sprache = -1;
    bool htmlWertetabelle = false;
    int threads = 0; // threads of the engine's search; 0: one per core of the machine
    bool pgnAutoLaden = true;
    QString pgnLadeDateiname;
    bool pgnLadenAusAppVerzeichnis = true;
};

extern Einstellungen einstellungen;
// The data folder in native form, ending with a separator; empty when no folder is writable.
extern QString appVerzeichnis;
extern bool schreibrechtGefunden;
// A PGN file named on the command line, opened at start.
extern QString pgnStartDatei;

// brakmor-cli reads the settings but never writes them: no start is counted and nothing saved.
extern bool einstellungenNurLesen;

// Finds the data folder, reads the ini file, counts the start, saves and loads the language.
void ladeEinstellungen();
// Writes every field to the ini file (nothing without a writable folder).
void speichereEinstellungen();
// Whether a file can be created and removed again in `ordner`.
bool hatSchreibrecht(const QString &ordner);
// The display name of a difficulty level 1..5 in the current language, "?" for any other.
QString schwierigkeitsName(int stufe);
