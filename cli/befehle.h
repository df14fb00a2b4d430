#pragma once

#include <QStringList>

#include <cstdint>

// One function per brakmor-cli command; each gets the arguments after the command name and
// returns the exit status.
int befehlPerft(const QStringList &argumente);
int befehlFen(const QStringList &argumente);
int befehlLegal(const QStringList &argumente);
int befehlPlay(const QStringList &argumente);
int befehlPgn(const QStringList &argumente);
int befehlJob(const QStringList &argumente);
int befehlUci(const QStringList &argumente);
int befehlBench(const QStringList &argumente);
int befehlSelfplay(const QStringList &argumente);

// Move flags as the commands print them: "0x0010".
QString flagText(int32_t flags);

// Prints the usage line to stderr; returns the exit status for bad arguments.
int nutzung();
