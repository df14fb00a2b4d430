#include "game/ablaufdienste.h"

JobErgebnis fuehreAuftragAus(const JobAuftrag &auftrag)
{
    JobKontext kontext = auftrag.kontext;
    kontext.abbruch = auftrag.abbruch.get();
    return fuehreJobAus(auftrag.schwarzAmZug, auftrag.istVorschlag, auftrag.daten, kontext);
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
    if (arbeiter.joinable())
        arbeiter.join();
    laufend = std::make_unique<Lauf>();
    laufend->auftrag = auftrag;
    laufend->fertig = std::move(fertig);
    Lauf *lauf = laufend.get();
    arbeiter = std::thread([this, lauf] {
        JobErgebnis ergebnis = fuehreAuftragAus(lauf->auftrag);
        {
            const std::lock_guard<std::mutex> sperre(lauf->mutex);
            lauf->ergebnis = std::move(ergebnis);
            lauf->beendet = true;
        }
        QMetaObject::invokeMethod(this, "nimmErgebnis", Qt::QueuedConnection);
    });
}

// A wake-up of a job dropped meanwhile finds the next job still running, or none.
void EchteAblaufdienste::nimmErgebnis()
{
    if (!laufend)
        return;
    {
        const std::lock_guard<std::mutex> sperre(laufend->mutex);
        if (!laufend->beendet)
            return;
    }
    arbeiter.join();
    const std::unique_ptr<Lauf> lauf = std::move(laufend);
    lauf->fertig(lauf->auftrag, lauf->ergebnis);
}

void EchteAblaufdienste::verwirfJob()
{
    if (arbeiter.joinable())
        arbeiter.join();
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
