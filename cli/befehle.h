#pragma once

#include <QStringList>

// One function per brakmor-cli command; each gets the arguments after the command name and
// returns the exit status.
int befehlPerft(const QStringList &argumente);
int befehlFen(const QStringList &argumente);

// Prints the usage line to stderr; returns the exit status for bad arguments.
int nutzung();
