// Runs the recorded engine jobs of the given files and compares each result with the recorded
// text; prints every difference and the time per job. With --neu the files are written again with
// today's results, which is how they were recorded. --threads sets the threads of the search.
#include "jobtexte.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

QTextStream aus(stdout);

QStringList leseZeilen(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(datei.readAll()).split(QLatin1Char('\n'));
}

QString jobfallZeile(const Jobfall &fall, const QString &text)
{
    return QStringLiteral("%1 %2 %3 | %4 | %5")
        .arg(fall.stufe)
        .arg(fall.vorschlag ? 'V' : 'Z')
        .arg(fall.ms)
        .arg(fall.fen, text);
}

bool schreibe(const QString &pfad, const QStringList &zeilen)
{
    QSaveFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly | QIODevice::Text)) {
        datei.write(zeilen.join(QLatin1Char('\n')).toUtf8());
        if (datei.commit())
            return true;
    }
    aus << pfad << ": " << datei.errorString() << '\n';
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList dateien = app.arguments().mid(1);
    const bool neu = dateien.removeAll(QStringLiteral("--neu")) > 0;
    int threads = 1;
    const int stelle = dateien.indexOf(QStringLiteral("--threads"));
    if (stelle >= 0) {
        threads = dateien.value(stelle + 1).toInt();
        dateien.erase(dateien.begin() + stelle,
                      dateien.begin() + std::min(stelle + 2, int(dateien.size())));
    }
    if (dateien.isEmpty() || threads < 1) {
        aus << "usage: jobtexte_bench [--neu] [--threads N] FILE...\n";
        return 2;
    }

    int faelle = 0;
    int abweichungen = 0;
    QElapsedTimer gesamt;
    gesamt.start();
    for (const QString &pfad : dateien) {
        QStringList zeilen = leseZeilen(pfad);
        for (QString &zeile : zeilen) {
            Jobfall fall;
            if (!istJobfall(zeile))
                continue;
            if (!leseJobfall(zeile, fall)) {
                aus << pfad << ": unreadable line: " << zeile << '\n';
                return 2;
            }
            QElapsedTimer uhr;
            uhr.start();
            const QString text = jobfallText(fall, threads);
            ++faelle;
            if (text != fall.text) {
                ++abweichungen;
                if (!neu)
                    aus << "DIFF " << zeile << "\n  now " << text << '\n';
            }
            zeile = jobfallZeile(fall, text);
            aus << uhr.elapsed() << " ms  " << zeile << '\n';
            aus.flush();
        }
        if (neu && !schreibe(pfad, zeilen))
            return 2;
    }
    aus << "jobs " << faelle << ", differences " << abweichungen << ", " << gesamt.elapsed()
        << " ms\n";
    return abweichungen && !neu ? 1 : 0;
}
