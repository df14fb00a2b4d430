// The settings loader on any ini file, followed by what reads the settings at start: the language,
// the level name, a move and an engine job. What was loaded must save and load back unchanged.

#include "app/einstellungen.h"
#include "game/ablaufdienste.h"
#include "fuzzhilfe.h"
#include "game/controller.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

bool gleich(const Einstellungen &a, const Einstellungen &b)
{
    return a.startEnde == b.startEnde && a.schwierigkeit == b.schwierigkeit &&
           a.grosseSchrift == b.grosseSchrift && a.brettdesign == b.brettdesign &&
           a.markiereLetztenZug == b.markiereLetztenZug && a.nameMensch1 == b.nameMensch1 &&
           a.nameMensch2 == b.nameMensch2 && a.zufall == b.zufall && a.sprache == b.sprache &&
           a.htmlWertetabelle == b.htmlWertetabelle && a.pgnAutoLaden == b.pgnAutoLaden &&
           a.pgnLadeDateiname == b.pgnLadeDateiname &&
           a.pgnLadenAusAppVerzeichnis == b.pgnLadenAusAppVerzeichnis;
}

void schreibe(const QString &pfad, const QByteArray &inhalt)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size())
        qFatal("cannot write the ini file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    static const QString ini = [] {
        Controller ersterStart;
        return appVerzeichnis + QLatin1String("Brakmor.ini");
    }();
    schreibe(ini, alsBytes(daten, groesse));

    Controller controller;
    const Einstellungen geladen = einstellungen;
    schwierigkeitsName(einstellungen.schwierigkeit);
    controller.starteSpiel(0);
    Zug zug{85, 65, 0, 0};
    QString meldung, zugText;
    bool spielEnde = false;
    if (!controller.bewegeFigur(zug, DAME, 1, meldung, zugText, spielEnde))
        qFatal("e2-e4 refused: %s", qPrintable(meldung));
    // The level is tried elsewhere; here it would only make the run slow.
    JobAuftrag auftrag = erstelleAuftrag(controller, false);
    auftrag.kontext.schwierigkeit = 1;
    fuehreAuftragAus(auftrag);

    ladeEinstellungen();
    const int starts = std::min(geladen.anzahlStarts, std::numeric_limits<int>::max() - 1) + 1;
    if (!gleich(geladen, einstellungen) || einstellungen.anzahlStarts != starts)
        qFatal("settings do not load back as saved");
    return 0;
}
