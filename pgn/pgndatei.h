#pragma once

#include <QByteArray>
#include <QString>

// PGN files as text, read and replaced without ever truncating the old file first. A file is
// decoded as UTF-8 when it is valid UTF-8, else as Windows-1252 (Latin-1 with printable
// characters in place of its control codes); every byte counts, NUL included. A rewritten file
// keeps its encoding, so that untouched games stay byte for byte as they were.

QString pgnDekodieren(const QByteArray &daten);
// The whole text of a file in the encoding of `vorlage`, the file as read; as UTF-8 when that
// encoding cannot hold it.
QByteArray pgnKodieren(const QString &text, const QByteArray &vorlage);

// Reads the whole file; `fehler` gets the system's reason on failure.
bool lesePgnDatei(const QString &pfad, QByteArray &daten, QString &fehler);

enum class Schreibfehler { Keiner, Oeffnen, Schreiben };

// Replaces the file's content in one step (QSaveFile): after a failure the old file is whole.
Schreibfehler ersetzeDatei(const QString &pfad, const QByteArray &inhalt, QString &fehler);

// Adds `text` after the file's games (creating the file), in the file's encoding, through
// ersetzeDatei.
Schreibfehler haengeAn(const QString &pfad, const QString &text, QString &fehler);
