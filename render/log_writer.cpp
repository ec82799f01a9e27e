#include "log_writer.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <unistd.h>

namespace velmora::render {

struct LogWriter::State {
    int fd = -1;
    std::string name;
    std::size_t limit = 0;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable drained;
    std::deque<std::string> lines;
    std::size_t queued = 0;
    std::uint64_t dropped = 0;
    std::uint64_t droppedSaid = 0;
    bool writing = false;
    bool stopping = false;

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (true) {
            wake.wait(lock, [this] { return stopping || !lines.empty(); });
            if (lines.empty())
                break;
            if (!stopping) {
                // Lines come in bursts under load: gathering them for a
                // moment makes one write of many, and spares the service a
                // wake-up of this thread per request.
                lock.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                lock.lock();
            }
            std::string text;
            while (!lines.empty()) {
                text += lines.front();
                queued -= lines.front().size();
                lines.pop_front();
            }
            if (dropped != droppedSaid) {
                text += name + ": " + std::to_string(dropped - droppedSaid) +
                        " log lines dropped (the log could not be written fast enough)\n";
                droppedSaid = dropped;
            }
            writing = true;
            lock.unlock();
            // The only blocking write, on this thread alone.
            for (std::size_t off = 0; off < text.size();) {
                const ssize_t n = ::write(fd, text.data() + off, text.size() - off);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0)
                    break; // the log is gone: the lines are lost, the service goes on
                off += static_cast<std::size_t>(n);
            }
            lock.lock();
            writing = false;
            drained.notify_all();
        }
    }
};

LogWriter::LogWriter(int fd, std::string name, std::size_t queueBytes)
    : s(std::make_shared<State>())
{
    s->fd = fd;
    s->name = std::move(name);
    s->limit = queueBytes;
    // The thread keeps the state alive: should it be stuck writing when the
    // writer goes, it is left behind rather than waited for.
    std::thread([state = s] { state->run(); }).detach();
}

LogWriter::~LogWriter()
{
    std::unique_lock<std::mutex> lock(s->mutex);
    s->stopping = true;
    s->wake.notify_all();
    s->drained.wait_for(lock, std::chrono::milliseconds(500), [this] { return s->lines.empty() && !s->writing; });
}

void LogWriter::write(std::string line)
{
    std::lock_guard<std::mutex> lock(s->mutex);
    if (s->queued + line.size() > s->limit) {
        ++s->dropped;
        return;
    }
    s->queued += line.size();
    // The thread takes every waiting line at once: it needs waking only for
    // the first (while it writes, it looks again before sleeping).
    const bool first = s->lines.empty() && !s->writing;
    s->lines.push_back(std::move(line));
    if (first)
        s->wake.notify_one();
}

std::uint64_t LogWriter::dropped() const
{
    std::lock_guard<std::mutex> lock(s->mutex);
    return s->dropped;
}

} // namespace velmora::render
