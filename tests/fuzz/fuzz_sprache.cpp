// The language table reader on any file content.

#include "app/languages.h"
#include "fuzzhilfe.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    static const QString pfad = QDir::home().filePath(QStringLiteral("Sprache"));
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(alsBytes(daten, groesse)) != int(groesse))
        qFatal("cannot write the table file");
    datei.close();

    Languages tabelle;
    if (!tabelle.ladeTabelle(pfad).isEmpty())
        qFatal("a readable table file was refused");
    for (int id : {0, 50, 9510, 9999})
        tabelle.text(id, QStringLiteral("Ersatz"));
    return 0;
}
