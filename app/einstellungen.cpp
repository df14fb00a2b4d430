#include "app/einstellungen.h"

#include "app/languages.h"
#include "app/rueckfragen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <limits>

Einstellungen einstellungen;
QString appVerzeichnis;
bool schreibrechtGefunden = false;
QString pgnStartDatei;
bool einstellungenNurLesen = false;

namespace {

const char probeName[] = "DasIstEineTemporaereDummyDatei.txt";

QString iniPfad()
{
    return appVerzeichnis + QLatin1String("Brakmor.ini");
}

// The folders tried for the data, in order. There are no drive letters here, so the root of
// drive C is not among them.
QStringList kandidaten()
{
    const QString datenOrt = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // A fresh account may lack the per-user data folder; without it the games would end up in the
    // temporary folder and be lost at the next reboot.
    if (!datenOrt.isEmpty())
        QDir().mkpath(datenOrt);
    return {datenOrt, QDir::tempPath(),
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath())};
}

void sucheDatenordner()
{
    schreibrechtGefunden = true;
    QString versucht;
    for (const QString &kandidat : kandidaten()) {
        appVerzeichnis = kandidat;
        versucht += kandidat + QLatin1Char('\n');
        if (hatSchreibrecht(appVerzeichnis)) {
            appVerzeichnis = QDir::toNativeSeparators(appVerzeichnis + QLatin1String("/Brakmor/"));
            if (!QFileInfo::exists(appVerzeichnis))
                QDir().mkdir(appVerzeichnis);
            return;
        }
    }
    schreibrechtGefunden = false;
    appVerzeichnis.clear();
    rueckfragen().kritisch(QStringLiteral("Brakmor"),
                           QLatin1String("Path with write permission not found!\n\n") + versucht);
}

// The ini file may be edited by hand: anything but "true" or a non-zero number counts as false.
bool alsBool(const QVariant &wert)
{
    if (wert.type() == QVariant::Bool)
        return wert.toBool();
    const QString text = wert.toString().trimmed();
    bool istZahl = false;
    const int zahl = text.toInt(&istZahl);
    return istZahl ? zahl != 0 : text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

void leseWerte(QSettings &ini)
{
    const Einstellungen standard;
    Einstellungen &e = einstellungen;

    ini.beginGroup(QStringLiteral("AppInfos"));
    e.anzahlStarts = ini.value(QStringLiteral("AnzahlStarts"), standard.anzahlStarts).toInt();
    ini.endGroup();

    ini.beginGroup(QStringLiteral("Allgemein"));
    e.sprache = ini.value(QStringLiteral("Sprache"), schreibrechtGefunden ? -1 : 0).toInt();
    e.nameMensch1 = ini.value(QStringLiteral("NameMensch1"), standard.nameMensch1).toString();
    e.nameMensch2 = ini.value(QStringLiteral("NameMensch2"), standard.nameMensch2).toString();
    e.grosseSchrift = alsBool(ini.value(QStringLiteral("grosseSchrift"), standard.grosseSchrift));
    e.brettdesign = ini.value(QStringLiteral("Brettdesign"), standard.brettdesign).toInt();
    e.markiereLetztenZug =
        alsBool(ini.value(QStringLiteral("markiereLetztenZug"), standard.markiereLetztenZug));
    e.brettGedreht = alsBool(ini.value(QStringLiteral("BrettGedreht"), standard.brettGedreht));
    e.animation = ini.value(QStringLiteral("Animation"), standard.animation).toInt();
    ini.endGroup();

    ini.beginGroup(QStringLiteral("Bewertung"));
    e.startEnde = ini.value(QStringLiteral("StartEnde"), standard.startEnde).toInt();
    e.zufall = ini.value(QStringLiteral("Zufall"), standard.zufall).toInt();
    e.htmlWertetabelle =
        alsBool(ini.value(QStringLiteral("HTML_Wertetabelle"), standard.htmlWertetabelle));
    e.schwierigkeit = ini.value(QStringLiteral("Schwierigkeit"), standard.schwierigkeit).toInt();
    e.threads = ini.value(QStringLiteral("Threads"), standard.threads).toInt();
    ini.endGroup();

    ini.beginGroup(QStringLiteral("Dateien"));
    e.pgnAutoLaden = alsBool(ini.value(QStringLiteral("PgnAutoLaden"), standard.pgnAutoLaden));
    e.pgnLadenAusAppVerzeichnis = alsBool(
        ini.value(QStringLiteral("PgnLadenAusAppVerzeichnis"), standard.pgnLadenAusAppVerzeichnis));
    e.pgnLadeDateiname =
        ini.value(QStringLiteral("PgnLadeDateiname"), standard.pgnLadeDateiname).toString();
    ini.endGroup();
}

} // namespace

bool hatSchreibrecht(const QString &ordner)
{
    if (ordner.isEmpty())
        return false;
    const QString pfad =
        QDir::toNativeSeparators(ordner + QDir::separator() + QLatin1String(probeName));
    QFile probe(pfad);
    if (probe.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        probe.close();
        return probe.remove();
    }
    // A file of that name may be the user's: probe beside it under a name of our own instead.
    QTemporaryFile ersatz(pfad + QLatin1String(".XXXXXX"));
    return ersatz.open() && ersatz.remove();
}

void ladeEinstellungen()
{
    sucheDatenordner();
    {
        QSettings ini(iniPfad(), QSettings::IniFormat);
        leseWerte(ini);
    }
    // A count edited up to the largest number stays there instead of overflowing.
    if (!einstellungenNurLesen && einstellungen.anzahlStarts < std::numeric_limits<int>::max())
        ++einstellungen.anzahlStarts;
    speichereEinstellungen();
    Languages::instance()->ladeSprache(einstellungen.sprache);
}

void speichereEinstellungen()
{
    // QSettings would silently recreate a data folder that has been removed since the start,
    // parents included; the user removed it, so it stays removed.
    if (einstellungenNurLesen || !schreibrechtGefunden || !QFileInfo(appVerzeichnis).isDir())
        return;
    const Einstellungen &e = einstellungen;
    QSettings ini(iniPfad(), QSettings::IniFormat);

    ini.beginGroup(QStringLiteral("Allgemein"));
    ini.setValue(QStringLiteral("Sprache"), e.sprache);
    ini.setValue(QStringLiteral("NameMensch1"), e.nameMensch1);
    ini.setValue(QStringLiteral("NameMensch2"), e.nameMensch2);
    ini.setValue(QStringLiteral("grosseSchrift"), e.grosseSchrift);
    ini.setValue(QStringLiteral("Brettdesign"), e.brettdesign);
    ini.setValue(QStringLiteral("markiereLetztenZug"), e.markiereLetztenZug);
    ini.setValue(QStringLiteral("BrettGedreht"), e.brettGedreht);
    ini.setValue(QStringLiteral("Animation"), e.animation);
    ini.endGroup();

    ini.beginGroup(QStringLiteral("Bewertung"));
    ini.setValue(QStringLiteral("StartEnde"), e.startEnde);
    ini.setValue(QStringLiteral("Zufall"), e.zufall);
    ini.setValue(QStringLiteral("HTML_Wertetabelle"), e.htmlWertetabelle);
    ini.setValue(QStringLiteral("Schwierigkeit"), e.schwierigkeit);
    ini.setValue(QStringLiteral("Threads"), e.threads);
    ini.endGroup();

    ini.beginGroup(QStringLiteral("Dateien"));
    ini.setValue(QStringLiteral("PgnAutoLaden"), e.pgnAutoLaden);
    ini.setValue(QStringLiteral("PgnLadenAusAppVerzeichnis"), e.pgnLadenAusAppVerzeichnis);
    ini.setValue(QStringLiteral("PgnLadeDateiname"), e.pgnLadeDateiname);
    ini.endGroup();

    ini.beginGroup(QStringLiteral("AppInfos"));
    ini.setValue(QStringLiteral("AnzahlStarts"), e.anzahlStarts);
    ini.endGroup();
}

QString schwierigkeitsName(int stufe)
{
    static const char *const fallbacks[] = {"Sehr einfach", "Einfach", "Mittel", "Schwer",
                                            "Sehr Schwer"};
    if (stufe < 1 || stufe > 5)
        return QStringLiteral("?");
    Languages tabelle;
    tabelle.ladeSprache(einstellungen.sprache);
    return tabelle.text(9509 + stufe, QString::fromUtf8(fallbacks[stufe - 1]));
}
