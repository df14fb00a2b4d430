#pragma once

#include "engine/berechnezug.h"
#include "game/jobauftrag.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

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

// The program's services: jobs on Qt's thread pool, a Qt timer, the monotonic clock.
class EchteAblaufdienste : public QObject, public Ablaufdienste
{
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
    // What the worker thread hands back; guarded by its own mutex, so the hand-over is plain to
    // see for ThreadSanitizer whatever Qt does inside.
    struct Lauf
    {
        std::mutex mutex;
        std::condition_variable fertig;
        bool beendet = false;
        bool verworfen = false;
        JobErgebnis ergebnis;
    };

    void nimmErgebnis(const std::shared_ptr<Lauf> &lauf, const JobAuftrag &auftrag,
                      const JobFertig &fertig);

    std::shared_ptr<Lauf> laufend;
    QTimer zugTimer;
    QElapsedTimer uhr;
};
