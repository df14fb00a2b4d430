#include "cli/standbote.h"

Standbote::Standbote(std::function<void(const Suchstand &)> zeige)
    : zeige(std::move(zeige))
{}

void Standbote::sende(const Suchstand &stand)
{
    {
        const std::lock_guard<std::mutex> sperre(mutex);
        wartend.push_back(stand);
    }
    QMetaObject::invokeMethod(this, "liefere", Qt::QueuedConnection);
}

void Standbote::liefere()
{
    std::deque<Suchstand> neu;
    {
        const std::lock_guard<std::mutex> sperre(mutex);
        neu.swap(wartend);
    }
    for (const Suchstand &stand : neu)
        zeige(stand);
}
