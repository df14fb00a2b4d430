// Replays real games through the controller, the moves given as notation the way a loaded game
// passes them on. Before every move the controller's legal list is compared with the moves the
// perft-validated generation finds, flags included; after the last move the game's FEN must be
// the one the reference data gives.
#include "spielhilfe.h"

#include "app/languages.h"
#include "core/fen.h"
#include "core/perft.h"
#include "core/stellung.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <memory>

namespace {

struct Partie
{
    QString startFen;
    QStringList zuege;
};

struct Erwartung
{
    QString endzustand;
    QString fen;
};

QString testdatei(const QString &name)
{
    return QStringLiteral(BRAKMOR_TESTDATA "/pgn/") + name;
}

QString leseText(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(pfad));
    return QString::fromUtf8(datei.readAll());
}

// Comments, variations, annotations, move numbers and results are dropped; what stays are the
// main line's moves in standard notation.
QStringList hauptzeile(QString text)
{
    static const QRegularExpression kommentar(QStringLiteral("\\{[^}]*\\}|;[^\\n]*"));
    text.remove(kommentar);
    QString ohneVarianten;
    int tiefe = 0;
    for (const QChar z : qAsConst(text)) {
        if (z == QLatin1Char('('))
            ++tiefe;
        else if (z == QLatin1Char(')'))
            --tiefe;
        else if (tiefe == 0)
            ohneVarianten += z;
    }
    static const QRegularExpression weg(
        QStringLiteral("\\$\\d+|\\d+\\.(\\.\\.)?|1-0|0-1|1/2-1/2|\\*|[!?]+"));
    ohneVarianten.replace(weg, QStringLiteral(" "));
    return ohneVarianten.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// A game ends where the next one's tags begin.
QList<Partie> lesePartien(const QString &pfad)
{
    static const QRegularExpression fenTag(QStringLiteral("^\\[FEN \"([^\"]*)\"\\]"));
    QList<Partie> partien;
    Partie partie;
    QString zugtext;
    const auto abschliessen = [&] {
        partie.zuege = hauptzeile(zugtext);
        partien << partie;
        partie = Partie();
        zugtext.clear();
    };
    for (const QString &zeile : leseText(pfad).split(QLatin1Char('\n'))) {
        if (!zeile.startsWith(QLatin1Char('['))) {
            zugtext += zeile + QLatin1Char(' ');
            continue;
        }
        if (!zugtext.trimmed().isEmpty())
            abschliessen();
        const QRegularExpressionMatch treffer = fenTag.match(zeile);
        if (treffer.hasMatch())
            partie.startFen = treffer.captured(1);
    }
    abschliessen();
    return partien;
}

QList<Erwartung> leseErwartungen(const QString &datei)
{
    QList<Erwartung> erwartungen;
    for (const QString &zeile : leseText(testdatei("expected_final_positions.tsv")).split('\n')) {
        const QStringList felder = zeile.split(QLatin1Char('\t'));
        if (felder.size() == 6 && felder[0] == datei)
            erwartungen << Erwartung{felder[4], felder[5]};
    }
    return erwartungen;
}

// A move in standard notation as a partly known move: the target square, the moving piece's
// kind (the promotion piece for a promotion) and whatever the text tells of the origin.
bool notationsZug(QString san, bool schwarz, Zug &zug)
{
    san.remove(QRegularExpression(QStringLiteral("[+#]")));
    const int32_t farbe = schwarz ? ZUG_SCHWARZ : 0;
    if (san == QLatin1String("O-O") || san == QLatin1String("O-O-O")) {
        const int nach = (san.size() == 3 ? 98 : 94) - (schwarz ? 70 : 0);
        zug = Zug{0, nach, KOENIG, ZUG_UNVOLLSTAENDIG | ZUG_ROCHADE | farbe};
        return true;
    }
    zug = Zug{0, 0, BAUER, ZUG_UNVOLLSTAENDIG | farbe};
    const int gleich = san.indexOf(QLatin1Char('='));
    if (gleich >= 0) {
        zug.wert = figurAusBuchstabe(san.at(gleich + 1));
        zug.flags |= ZUG_WANDLUNG;
        san.truncate(gleich);
    }
    if (san.size() < 2 || !feldAusName(san.right(2), zug.nach))
        return false;
    QString herkunft = san.left(san.size() - 2).remove(QLatin1Char('x'));
    if (!herkunft.isEmpty() && herkunft.at(0).isUpper()) {
        if (!(zug.flags & ZUG_WANDLUNG))
            zug.wert = figurAusBuchstabe(herkunft.at(0));
        herkunft.remove(0, 1);
    }
    int spalte = 0;
    int zeile = 0;
    for (const QChar z : qAsConst(herkunft)) {
        if (z >= QLatin1Char('a') && z <= QLatin1Char('h'))
            spalte = z.unicode() - 'a' + 2;
        else if (z >= QLatin1Char('1') && z <= QLatin1Char('8'))
            zeile = 10 * (58 - z.unicode());
    }
    zug.von = spalte + zeile;
    return true;
}

// The legal moves of the controller's position as the perft machinery counts them, a promotion
// once as a queen, each with whether it gives check and how many replies it leaves.
struct Wahrheit
{
    bool schach;
    quint64 antworten;
};

QHash<QString, Wahrheit> wahreZuege(const Controller &controller, bool schwarz)
{
    auto s = std::make_unique<stellung>();
    s->setzeRochaderechte(controller.rochaderechte());
    s->setzeBrett(controller.brett());
    s->setzeWandlungsFigur(DAME);
    const Zug letzter = controller.letzterZug();
    s->setzeLetztenZug(letzter.von, letzter.nach, letzter.wert, letzter.flags);

    QHash<QString, Wahrheit> wahr;
    for (const PerftZeile &zeile : perftJeZug(*s, schwarz, 2)) {
        if (zeile.zug.size() == 4 || zeile.zug.endsWith(QLatin1Char('q')))
            wahr.insert(zeile.zug, Wahrheit{false, zeile.knoten});
    }

    Zug liste[MAX_ZUEGE];
    s->zugliste = liste;
    s->schwarzAmZug = schwarz;
    s->tiefe = 4;
    s->ebene[3].zug = letzter;
    bool imSchach;
    s->generiereZuege(imSchach);
    const int32_t gegnerKoenig = schwarz ? -KOENIG : KOENIG;
    for (int i = 0; liste[i].von != 0; ++i) {
        const int32_t geschlagen = s->brett[liste[i].nach];
        s->zugliste = liste;
        s->macheZug(i);
        const int32_t *koenig = std::find(s->brett + 22, s->brett + 100, gegnerKoenig);
        const bool schach =
            koenig != s->brett + 100 && s->feldAngegriffen(schwarz, int(koenig - s->brett));
        s->nimmZugZurueck(i, geschlagen);
        const QString name =
            koordinatenZug(liste[i].von, liste[i].nach, (liste[i].flags & ZUG_WANDLUNG) ? DAME : 0);
        if (wahr.contains(name))
            wahr[name].schach = schach;
    }
    return wahr;
}

QString endzustand(int32_t flags)
{
    if ((flags & ZUG_KEINE_ANTWORT) && (flags & ZUG_SCHACH))
        return QStringLiteral("checkmate");
    if (flags & ZUG_PATT)
        return QStringLiteral("stalemate");
    return (flags & ZUG_SCHACH) ? QStringLiteral("check") : QStringLiteral("-");
}

} // namespace

class TestPartien : public QObject
{
    Q_OBJECT

private:
    EigenesZuhause zuhause;
    int stellungen = 0;

    // Compares the legal list before the move; returns a description of the first difference.
    QString vergleicheListe(Controller &c)
    {
        const bool schwarz = c.schwarzAmZug();
        c.legaleZuegeErmitteln(schwarz);
        QHash<QString, Wahrheit> wahr = wahreZuege(c, schwarz);
        for (const Zug *z = c.legaleZuege(); z->von != 0; ++z) {
            const QString name =
                koordinatenZug(z->von, z->nach, (z->flags & ZUG_WANDLUNG) ? DAME : 0);
            if (!wahr.contains(name))
                return name + QLatin1String(" is not legal or listed twice");
            const Wahrheit w = wahr.take(name);
            const bool ohneAntwort = w.antworten == 0;
            int32_t erwartet = (schwarz ? ZUG_SCHWARZ : 0) | (w.schach ? ZUG_SCHACH : 0);
            if (ohneAntwort)
                erwartet |= ZUG_KEINE_ANTWORT | (w.schach ? 0 : ZUG_PATT);
            const int32_t maske =
                ZUG_SCHWARZ | ZUG_SCHACH | ZUG_KEINE_ANTWORT | ZUG_PATT | ZUG_ILLEGAL;
            if ((z->flags & maske) != erwartet)
                return name + QStringLiteral(" has flags 0x%1, expected 0x%2")
                                  .arg(z->flags & maske, 0, 16)
                                  .arg(erwartet, 0, 16);
        }
        if (!wahr.isEmpty())
            return wahr.keys().join(QLatin1Char(' ')) + QLatin1String(" missing");
        ++stellungen;
        return QString();
    }

    void spieleDatei(const QString &name)
    {
        const QList<Partie> partien = lesePartien(testdatei(name));
        const QList<Erwartung> erwartungen = leseErwartungen(name);
        QCOMPARE(partien.size(), erwartungen.size());
        Controller c;
        Languages::instance()->leere();
        for (int p = 0; p < partien.size(); ++p) {
            const Partie &partie = partien[p];
            starteAus(c,
                      partie.startFen.isEmpty() ? QString::fromLatin1(startFen) : partie.startFen);
            int32_t flags = 0;
            for (int i = 0; i < partie.zuege.size(); ++i) {
                const QString ort = QStringLiteral("%1 game %2 move %3 (%4)")
                                        .arg(name)
                                        .arg(p + 1)
                                        .arg(i + 1)
                                        .arg(partie.zuege[i]);
                const QString fehler = vergleicheListe(c);
                QVERIFY2(fehler.isEmpty(), qPrintable(ort + ": " + fehler));
                Zug zug;
                QVERIFY2(notationsZug(partie.zuege[i], c.schwarzAmZug(), zug), qPrintable(ort));
                QString meldung, text;
                bool ende;
                // As a loaded game is replayed: the search promotes to the piece named.
                const int32_t wandlung = (zug.flags & ZUG_WANDLUNG) ? zug.wert : DAME;
                QVERIFY2(c.bewegeFigur(zug, wandlung, i + 1, meldung, text, ende),
                         qPrintable(ort + ": " + meldung));
                flags = zug.flags;
            }
            const QString fehler = vergleicheListe(c);
            QVERIFY2(
                fehler.isEmpty(),
                qPrintable(
                    QStringLiteral("%1 game %2 at the end: %3").arg(name).arg(p + 1).arg(fehler)));
            const QString ort = QStringLiteral("%1 game %2").arg(name).arg(p + 1);
            QVERIFY2(c.verlauf()->entry(lastIndex).fen == erwartungen[p].fen,
                     qPrintable(ort + ": " + c.verlauf()->entry(lastIndex).fen));
            if (!partie.zuege.isEmpty())
                QVERIFY2(endzustand(flags) == erwartungen[p].endzustand, qPrintable(ort));
        }
    }

private slots:
    void lichess2013() { spieleDatei("lichess-2013-01-32games.pgn"); }
    void lichess2024() { spieleDatei("lichess_mliebelt_2024-01-03.pgn"); }
    void taktik() { spieleDatei("tactics.pgn"); }
    void cleanupTestCase() { qInfo("%d positions compared", stellungen); }
};

QTEST_MAIN(TestPartien)
#include "tst_partien.moc"
