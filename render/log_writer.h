// A log that never holds the service up: lines are queued and written by a
// thread of their own. When the output cannot keep up (a full pipe, a reader
// that never reads), lines beyond the queue are dropped and counted, and a
// line saying how many is written once the output moves again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace velmora::render {

class LogWriter
{
public:
    // Writes to descriptor FD (left open), holding at most QUEUEBYTES waiting.
    explicit LogWriter(int fd, std::string name, std::size_t queueBytes = 64 * 1024);
    // Waits a moment for the queue to be written, never longer.
    ~LogWriter();
    LogWriter(const LogWriter &) = delete;
    LogWriter &operator=(const LogWriter &) = delete;

    // Never blocks.
    void write(std::string line);
    std::uint64_t dropped() const;

private:
    struct State;
    std::shared_ptr<State> s;
};

} // namespace velmora::render
