#pragma once

#include <QMap>
#include <QObject>
#include <QString>

// The translation table of the user interface: text id to the text of the chosen language.
class Languages : public QObject
{
    Q_OBJECT

public:
    explicit Languages(QObject *parent = nullptr);

    // The table the whole program shares. The first call creates it, owned by `parent` (or by the
    // application object when `parent` is null); later calls ignore `parent`. Once the owner is
    // destroyed, the next call creates a fresh table.
    static Languages *instance(QObject *parent = nullptr);

    // Replaces the table with that of language 0 (German), 1 (English) or 2 (French). Returns an
    // empty text on success, otherwise a German error text; on failure the table is kept.
    QString ladeSprache(int sprache);
    // The same for a table file given by its path.
    QString ladeTabelle(const QString &pfad);

    // Forgets every text, so that each lookup gives its German fallback.
    void leere() { texte.clear(); }

    QString text(int id, const QString &fallback) const;

private:
    QMap<int, QString> texte;
};
