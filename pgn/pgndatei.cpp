#include "pgn/pgndatei.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

const char bom[] = "\xEF\xBB\xBF";

// Windows-1252 puts printable characters where Latin-1 has control codes. The five bytes it leaves
// undefined keep their control code, so that every byte reads and writes back as it was.
const char16_t windows1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// QString::fromUtf8 drops a leading byte-order mark; it is kept as a character here, so that
// positions and the rewritten file stay as they were.
QByteArray ohneBom(const QByteArray &daten)
{
    return daten.startsWith(bom) ? daten.mid(3) : daten;
}

// The whole array: the overload taking a QByteArray stops at the first NUL byte.
QString ausUtf8(const QByteArray &daten)
{
    return QString::fromUtf8(daten.constData(), daten.size());
}

// UTF-8 is taken only when it reproduces the bytes exactly; Windows-1252 always does.
bool istUtf8(const QByteArray &daten)
{
    const QByteArray rumpf = ohneBom(daten);
    return ausUtf8(rumpf).toUtf8() == rumpf;
}

QString ausWindows1252(const QByteArray &daten)
{
    QString text(daten.size(), Qt::Uninitialized);
    for (int i = 0; i < daten.size(); ++i) {
        const uchar byte = uchar(daten.at(i));
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(windows1252[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// False when a character has no byte in Windows-1252.
bool inWindows1252(const QString &text, QByteArray &daten)
{
    daten.resize(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            daten[i] = char(c);
            continue;
        }
        const auto *stelle = std::find(std::begin(windows1252), std::end(windows1252), c);
        if (stelle == std::end(windows1252))
            return false;
        daten[i] = char(0x80 + (stelle - windows1252));
    }
    return true;
}

} // namespace

QString pgnDekodieren(const QByteArray &daten)
{
    if (!istUtf8(daten))
        return ausWindows1252(daten);
    const QString text = ausUtf8(ohneBom(daten));
    return daten.startsWith(bom) ? QChar(0xFEFF) + text : text;
}

QByteArray pgnKodieren(const QString &text, const QByteArray &vorlage)
{
    QByteArray einzelbytes;
    if (!istUtf8(vorlage) && inWindows1252(text, einzelbytes))
        return einzelbytes;
    return text.toUtf8();
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

// The old games are decoded and encoded again with the new one, so that the file keeps one
// encoding: its own when it holds the new text, else UTF-8 for all.
Schreibfehler haengeAn(const QString &pfad, const QString &text, QString &fehler)
{
    QByteArray alt;
    if (QFile::exists(pfad) && !lesePgnDatei(pfad, alt, fehler))
        return Schreibfehler::Oeffnen;
    // A file written by another program may end without a line end.
    const QString trenner = alt.isEmpty() || alt.endsWith('\n') ? QString() : QStringLiteral("\n");
    return ersetzeDatei(pfad, pgnKodieren(pgnDekodieren(alt) + trenner + text, alt), fehler);
}
