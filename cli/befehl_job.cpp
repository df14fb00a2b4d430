#include "cli/befehle.h"

#include "app/einstellungen.h"
#include "cli/spielaufbau.h"
#include "core/fen.h"
#include "engine/bericht.h"
#include "game/ablaufdienste.h"
#include "game/controller.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTextStream>

namespace {

struct Aufruf
{
    int stufe = 0;   // 0: the level of the settings
    int zufall = -1; // -1: the random term of the settings
    bool mitKeim = false;
    quint32 keim = 0;
    bool vorschlag = false;
    bool bericht = false;
    QString fen = QString::fromLatin1(startFen);
    QStringList zuege;
};

bool leseAufruf(const QStringList &argumente, Aufruf &aufruf)
{
    for (int i = 0; i < argumente.size(); ++i) {
        const QString &wort = argumente[i];
        if (wort == QLatin1String("--level")) {
            if (!leseZahlArgument(argumente, i, 1, 5, aufruf.stufe))
                return false;
        } else if (wort == QLatin1String("--zufall")) {
            if (!leseZahlArgument(argumente, i, 0, 100, aufruf.zufall))
                return false;
        } else if (wort == QLatin1String("--seed")) {
            bool ok = false;
            aufruf.keim = argumente.value(++i).toUInt(&ok);
            if (!ok)
                return false;
            aufruf.mitKeim = true;
        } else if (wort == QLatin1String("--suggestion")) {
            aufruf.vorschlag = true;
        } else if (wort == QLatin1String("--report")) {
            aufruf.bericht = true;
        } else if (wort == QLatin1String("--fen")) {
            if (!leseFenArgument(argumente, i, aufruf.fen))
                return false;
        } else if (istKoordinatenZug(wort)) {
            aufruf.zuege << wort;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

// Computes the engine's move (or with --suggestion the suggestion for the human) in the game
// reached by the moves, the way the window starts the job. The settings are changed for this run
// only; nothing is saved. --zufall sets the random term, --seed the job's random numbers, so a
// result can be had again.
int befehlJob(const QStringList &argumente)
{
    Aufruf aufruf;
    if (!leseAufruf(argumente, aufruf))
        return nutzung();

    Controller controller;
    QString fehler;
    if (!spieleAuf(controller, aufruf.fen, aufruf.zuege, fehler)) {
        QTextStream(stderr) << "brakmor-cli: " << fehler << '\n';
        return 1;
    }
    if (aufruf.stufe)
        einstellungen.schwierigkeit = aufruf.stufe;
    if (aufruf.bericht)
        einstellungen.htmlWertetabelle = true;
    if (aufruf.zufall >= 0)
        einstellungen.zufall = aufruf.zufall;
    JobAuftrag auftrag = erstelleAuftrag(controller, aufruf.vorschlag);
    if (aufruf.mitKeim)
        auftrag.kontext.zufallsKeim = aufruf.keim;

    const bool schwarz = controller.schwarzAmZug();
    const QDateTime beginn = QDateTime::currentDateTime().addSecs(-1);
    const QString ergebnis = fuehreAuftragAus(auftrag).text;

    QTextStream aus(stdout);
    if (einstellungen.htmlWertetabelle) {
        const QFileInfo bericht(berichtDateiname(appVerzeichnis, schwarz, aufruf.vorschlag));
        if (bericht.exists() && bericht.lastModified() >= beginn)
            aus << "report: " << bericht.absoluteFilePath() << '\n';
        else
            aus << "report: none written\n";
    }
    aus << ergebnis << '\n';
    return 0;
}
