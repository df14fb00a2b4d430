#pragma once

#include <csignal>
#include <sys/resource.h>

// Makes every write beyond `bytes` fail for the lifetime of the object, as a full disk would, even
// for root (for whom read-only folders are no obstacle).
class Dateigrenze
{
public:
    explicit Dateigrenze(rlim_t bytes)
    {
        altesSignal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &alt);
        rlimit neu = alt;
        neu.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~Dateigrenze()
    {
        setrlimit(RLIMIT_FSIZE, &alt);
        std::signal(SIGXFSZ, altesSignal);
    }
    Dateigrenze(const Dateigrenze &) = delete;
    Dateigrenze &operator=(const Dateigrenze &) = delete;

private:
    rlimit alt{};
    void (*altesSignal)(int) = nullptr;
};
