#include "arrival_watch.h"

ArrivalWatch::ArrivalWatch(std::string file, std::string kind, std::string advice, std::vector<Watched> watched,
    std::chrono::milliseconds patience)
    : file(std::move(file))
    , kind(std::move(kind))
    , advice(std::move(advice))
    , watched(std::move(watched))
    , settled(this->watched.size(), false)
    , patience(patience)
{
}

void ArrivalWatch::arrived(std::size_t index)
{
    if (index >= watched.size())
        return;
    for (std::size_t i = 0; i < watched.size(); ++i) {
        if (watched[i].line == watched[index].line)
            settled[i] = true;
    }
}

std::vector<std::string> ArrivalWatch::heard(Clock::time_point now)
{
    if (!firstHeard)
        firstHeard = now;
    std::vector<std::string> messages;
    if (now - *firstHeard < patience)
        return messages;
    for (std::size_t i = 0; i < watched.size(); ++i) {
        if (settled[i])
            continue;
        arrived(i);
        messages.push_back(file + ":" + std::to_string(watched[i].line) + ": " + kind + " \"" + watched[i].name
            + "\" never arrived; " + advice);
    }
    return messages;
}
