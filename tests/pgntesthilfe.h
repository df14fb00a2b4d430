#pragma once

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/rueckfragen.h"
#include "game/controller.h"
#include "game/wiedergabe.h"
#include "pgn/pgn.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>

// Stands in for the message boxes and the two dialogs: records the notices, answers every question
// No and plays back the dialog outcomes the test lines up.
class Attrappe : public Rueckfragen
{
public:
    using Laden = std::function<int(const QString &dateiname, const QList<Pgn> &partien,
                                    Pgn &auswahl, QList<Bereich> &bereiche)>;

    QStringList meldungen;
    std::function<int(Pgn &kopie)> speichern = [](Pgn &) { return 0; };
    QList<Laden> laden;

    void kritisch(const QString &titel, const QString &text) override
    {
        meldungen << titel + '|' + text;
    }
    bool frage(const QString &, const QString &) override { return false; }
    int speichernDialog(Pgn &kopie) override { return speichern(kopie); }
    int ladenDialog(const QString &dateiname, const QList<Pgn> &partien, Pgn &auswahl,
                    QList<Bereich> &bereiche) override
    {
        return laden.isEmpty() ? 0 : laden.takeFirst()(dateiname, partien, auswahl, bereiche);
    }
};

// A fresh HOME for every test, so the data folder is a temporary one (QStandardPaths' test mode
// puts it at HOME/.qttest/share/Brakmor).
class TestHeim
{
public:
    TestHeim()
        : alteHome(qgetenv("HOME"))
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", QFile::encodeName(ordner.path()));
        einstellungen = Einstellungen();
        pgnStartDatei.clear();
    }
    ~TestHeim()
    {
        qputenv("HOME", alteHome);
        setzeRueckfragen(nullptr);
    }
    TestHeim(const TestHeim &) = delete;
    TestHeim &operator=(const TestHeim &) = delete;

    QString pfad(const QString &name) const { return ordner.filePath(name); }

private:
    QTemporaryDir ordner;
    QByteArray alteHome;
};

inline QByteArray liesDatei(const QString &pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

inline bool schreibeDatei(const QString &pfad, const QByteArray &daten)
{
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly) && datei.write(daten) == daten.size();
}

// Loads the first game of `text` into the controller as the load command does and replays it.
inline Wiedergabe spiele(Controller &controller, const QString &text)
{
    QList<Pgn> partien;
    Pgn::partienLesen(text, partien);
    controller.uebernimmPartie(partien.value(0));
    int zeile = 0;
    return spieleGeladenePartie(controller, 0, [&zeile](const QString &) { return ++zeile; });
}
