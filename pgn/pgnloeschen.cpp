#include "pgn/pgn.h"

#include "pgn/pgndatei.h"

#include <algorithm>

namespace {

QString meldung(const char *was, const QString &dateiname, const QString &grund)
{
    return QLatin1String(was) + QLatin1String("\n\n") + dateiname + QLatin1Char('\n') + grund;
}

} // namespace

// The ranges are cut from the text the game positions refer to, in descending order so that no
// cut moves a later one. The file is checked against that text first: had another program changed
// it since, the positions would cut the wrong games.
bool Pgn::loeschePartien(const QString &text, const QList<Bereich> &bereiche,
                         const QString &dateiname, QString &fehler)
{
    fehler.clear();
    QList<Bereich> schnitte = bereiche;
    for (Bereich &b : schnitte) {
        if (b.ende == -1)
            b.ende = text.size() - 1;
    }
    std::sort(schnitte.begin(), schnitte.end(),
              [](const Bereich &a, const Bereich &b) { return a.start > b.start; });
    for (int i = 0; i < schnitte.size(); ++i) {
        const Bereich &b = schnitte.at(i);
        const bool ueberlappt = i > 0 && b.ende >= schnitte.at(i - 1).start;
        if (b.start < 0 || b.ende < b.start || b.ende >= text.size() || ueberlappt) {
            fehler = meldung("Error deleting file", dateiname, QStringLiteral("Invalid range"));
            return false;
        }
    }

    QByteArray alt;
    QString grund;
    if (!lesePgnDatei(dateiname, alt, grund)) {
        fehler = meldung("Error deleting game (open)", dateiname, grund);
        return false;
    }
    if (pgnDekodieren(alt) != text) {
        fehler = meldung("Error deleting file", dateiname,
                         QStringLiteral("The file was changed since it was read."));
        return false;
    }

    QString rest = text;
    for (const Bereich &b : qAsConst(schnitte))
        rest.remove(b.start, b.ende - b.start + 1);
    switch (ersetzeDatei(dateiname, pgnKodieren(rest, alt), grund)) {
    case Schreibfehler::Keiner: return true;
    case Schreibfehler::Oeffnen:
        fehler = meldung("Error deleting game (open)", dateiname, grund);
        return false;
    case Schreibfehler::Schreiben:
        fehler = meldung("Error deleting file", dateiname, grund);
        return false;
    }
    return false;
}
