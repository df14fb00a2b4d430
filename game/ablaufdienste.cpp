#include "game/ablaufdienste.h"

#include "engine/abbrechen.h"

#include <QThreadPool>

JobErgebnis fuehreAuftragAus(const JobAuftrag &auftrag)
{
    return fuehreJobAus(auftrag.schwarzAmZug, auftrag.istVorschlag, auftrag.daten, auftrag.kontext);
}

EchteAblaufdienste::EchteAblaufdienste()
{
    zugTimer.setSingleShot(true);
    uhr.start();
}

EchteAblaufdienste::~EchteAblaufdienste()
{
    verwirfJob();
}

void EchteAblaufdienste::starteJob(const JobAuftrag &auftrag, JobFertig fertig)
{
    auto lauf = std::make_shared<Lauf>();
    laufend = lauf;
    QThreadPool::globalInstance()->start([this, lauf, auftrag, fertig] {
        JobErgebnis ergebnis = fuehreAuftragAus(auftrag);
        {
            const std::lock_guard<std::mutex> sperre(lauf->mutex);
            lauf->ergebnis = std::move(ergebnis);
        }
        // Posted while this object surely lives: verwirfJob() waits for the end below. A dropped
        // job's result is never read.
        QMetaObject::invokeMethod(
            this, [this, lauf, auftrag, fertig] { nimmErgebnis(lauf, auftrag, fertig); },
            Qt::QueuedConnection);
        {
            const std::lock_guard<std::mutex> sperre(lauf->mutex);
            lauf->beendet = true;
        }
        lauf->fertig.notify_all();
    });
}

void EchteAblaufdienste::nimmErgebnis(const std::shared_ptr<Lauf> &lauf, const JobAuftrag &auftrag,
                                      const JobFertig &fertig)
{
    JobErgebnis ergebnis;
    {
        const std::lock_guard<std::mutex> sperre(lauf->mutex);
        if (lauf->verworfen)
            return;
        ergebnis = lauf->ergebnis;
    }
    if (laufend == lauf)
        laufend.reset();
    fertig(auftrag, ergebnis);
}

void EchteAblaufdienste::verwirfJob()
{
    if (!laufend)
        return;
    std::unique_lock<std::mutex> sperre(laufend->mutex);
    laufend->verworfen = true;
    laufend->fertig.wait(sperre, [this] { return laufend->beendet; });
    sperre.unlock();
    laufend.reset();
}

void EchteAblaufdienste::starteZugTimer(int ms, std::function<void()> abgelaufen)
{
    zugTimer.disconnect();
    QObject::connect(&zugTimer, &QTimer::timeout, this, std::move(abgelaufen));
    zugTimer.start(ms);
}

void EchteAblaufdienste::stoppeZugTimer()
{
    zugTimer.stop();
}
