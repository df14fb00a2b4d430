#pragma once

#include "engine/jobkontext.h"

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

// Carries the search passes a job reports on its own thread over to the thread this object lives
// on. The queue has a mutex of its own, so the hand-over is plain to see for ThreadSanitizer; Qt
// only delivers the wake-up, after anything posted to that thread before it.
class Standbote : public QObject
{
    Q_OBJECT

public:
    explicit Standbote(std::function<void(const Suchstand &)> zeige);

    // Called on any thread.
    void sende(const Suchstand &stand);

private:
    Q_INVOKABLE void liefere();

    std::function<void(const Suchstand &)> zeige;
    std::mutex mutex;
    std::deque<Suchstand> wartend;
};
