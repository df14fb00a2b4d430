#pragma once

#include <QRandomGenerator>

// The random source of one engine job. Each job seeds its own generator, so jobs on the worker
// thread share no state with the GUI thread and a test can repeat a job exactly.
class Zufall
{
public:
    explicit Zufall(quint32 keim)
        : generator(keim)
    {}

    // An integer in [lo, hi]: lo plus a random number modulo the width of the range.
    int zahl(int lo, int hi) { return lo + int(generator.generate() % quint32(hi - lo + 1)); }

private:
    QRandomGenerator generator;
};
