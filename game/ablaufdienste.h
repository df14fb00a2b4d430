#pragma once

#include "engine/berechnezug.h"
#include "game/jobauftrag.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// What the game flow needs from its surroundings: somewhere to run engine jobs, the timer that
// starts the computer's move, and a clock. The program runs jobs on a worker thread; the tests put
// in their own, to run the flow step by step without threads or waiting.
class Ablaufdienste
{
public:
    using JobFertig = std::function<void(const JobAuftrag &, const JobErgebnis &)>;

    virtual ~Ablaufdienste() = default;

    // Runs the job; `fertig` follows on the flow's thread once it has ended. One job at a time.
    virtual void starteJob(const JobAuftrag &auftrag, JobFertig fertig) = 0;
    // Waits until the running job has ended (the caller has asked it to stop) and drops its
    // result.
    virtual void verwirfJob() = 0;
    virtual void starteZugTimer(int ms, std::function<void()> abgelaufen) = 0;
    virtual void stoppeZugTimer() = 0;
    virtual bool zugTimerLaeuft() const = 0;
    // Milliseconds on a clock that never runs backwards.
    virtual qint64 jetzt() const = 0;
};

// Runs a job as the engine expects it, with its own stop flag.
JobErgebnis fuehreAuftragAus(const JobAuftrag &auftrag);

// The program's services: each job on a thread of its own, a Qt timer, the monotonic clock.
class EchteAblaufdienste : public QObject, public Ablaufdienste
{
    Q_OBJECT

public:
    EchteAblaufdienste();
    ~EchteAblaufdienste() override;

    void starteJob(const JobAuftrag &auftrag, JobFertig fertig) override;
    void verwirfJob() override;
    void starteZugTimer(int ms, std::function<void()> abgelaufen) override;
    void stoppeZugTimer() override;
    bool zugTimerLaeuft() const override { return zugTimer.isActive(); }
    qint64 jetzt() const override { return uhr.elapsed(); }

private:
    // Called on this object's thread once the worker has finished.
    Q_INVOKABLE void nimmErgebnis();

    // The job in hand. The worker writes only `ergebnis` and `beendet`, under the mutex; the rest
    // is set before the thread starts. Qt only delivers the wake-up, so every hand-over is plain to
    // see for ThreadSanitizer.
    struct Lauf
    {
        JobAuftrag auftrag;
        JobFertig fertig;
        std::mutex mutex;
        bool beendet = false;
        JobErgebnis ergebnis;
    };

    std::unique_ptr<Lauf> laufend;
    std::thread arbeiter;
    QTimer zugTimer;
    QElapsedTimer uhr;
};
