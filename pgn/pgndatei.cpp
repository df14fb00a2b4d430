#include "pgn/pgndatei.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

const char bom[] = "\xEF\xBB\xBF";

// QString::fromUtf8 drops a leading byte-order mark; it is kept as a character here, so that
// positions and the rewritten file stay as they were.
QByteArray ohneBom(const QByteArray &daten)
{
    return daten.startsWith(bom) ? daten.mid(3) : daten;
}

// UTF-8 is taken only when it reproduces the bytes exactly; Latin-1 always does.
bool istUtf8(const QByteArray &daten)
{
    const QByteArray rumpf = ohneBom(daten);
    return QString::fromUtf8(rumpf).toUtf8() == rumpf;
}

} // namespace

QString pgnDekodieren(const QByteArray &daten)
{
    if (!istUtf8(daten))
        return QString::fromLatin1(daten);
    const QString text = QString::fromUtf8(ohneBom(daten));
    return daten.startsWith(bom) ? QChar(0xFEFF) + text : text;
}

QByteArray pgnKodieren(const QString &text, const QByteArray &vorlage)
{
    if (istUtf8(vorlage))
        return text.toUtf8();
    const QByteArray latin1 = text.toLatin1();
    // A character beyond Latin-1 would turn into "?"; such text goes out as UTF-8.
    return QString::fromLatin1(latin1) == text ? latin1 : text.toUtf8();
}

bool lesePgnDatei(const QString &pfad, QByteArray &daten, QString &fehler)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        fehler = datei.errorString();
        return false;
    }
    daten = datei.readAll();
    if (datei.error() != QFileDevice::NoError) {
        fehler = datei.errorString();
        return false;
    }
    return true;
}

Schreibfehler ersetzeDatei(const QString &pfad, const QByteArray &inhalt, QString &fehler)
{
    QSaveFile datei(pfad);
    // Buffered, a write that fails while the buffer is flushed goes unnoticed and commit() puts a
    // truncated file in place of the old one; unbuffered, the write itself reports it.
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fehler = datei.errorString();
        return Schreibfehler::Oeffnen;
    }
    const qint64 geschrieben = datei.write(inhalt);
    if (geschrieben != inhalt.size()) {
        // A short write leaves no error text behind; the disk is full or the file too large.
        fehler = QStringLiteral("Only %1 of %2 bytes could be written.")
                     .arg(std::max<qint64>(geschrieben, 0))
                     .arg(inhalt.size());
        return Schreibfehler::Schreiben;
    }
    if (!datei.commit()) {
        fehler = datei.errorString();
        return Schreibfehler::Schreiben;
    }
    return Schreibfehler::Keiner;
}

Schreibfehler haengeAn(const QString &pfad, const QString &text, QString &fehler)
{
    QByteArray alt;
    if (QFile::exists(pfad) && !lesePgnDatei(pfad, alt, fehler))
        return Schreibfehler::Oeffnen;
    // A file written by another program may end without a line end.
    const QString trenner = alt.isEmpty() || alt.endsWith('\n') ? QString() : QStringLiteral("\n");
    return ersetzeDatei(pfad, alt + pgnKodieren(trenner + text, alt), fehler);
}
