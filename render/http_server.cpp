#include "http_server.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include <malloc.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora::render {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Set on the accepting thread while it turns away a connection beyond the limit.
thread_local bool t_refusing = false;
// Set by a handler on the connection's thread: no more requests on it.
thread_local bool t_closeAfterAnswer = false;

// One thread per connection, up to LIMIT at once. A connection beyond that is
// handed back to the accepting thread to be refused there, at once.
class ConnectionThreads final : public httplib::TaskQueue {
public:
    explicit ConnectionThreads(std::size_t limit) : limit_(std::max<std::size_t>(1, limit)) {}
    ~ConnectionThreads() override { shutdown(); }

    void enqueue(std::function<void()> fn) override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        joinFinished();
        if (running_ < limit_) {
            try {
                const std::uint64_t id = nextId_++;
                // FN is copied, not moved: should the thread not start, it
                // still closes the connection below.
                threads_.emplace(id, std::thread([this, id, fn] {
                    fn();
                    std::lock_guard<std::mutex> done(mutex_);
                    --running_;
                    finished_.push_back(id);
                    allDone_.notify_all();
                }));
                ++running_;
                servedSinceTrim_ = true;
                return;
            } catch (const std::system_error &) {
                // No thread to be had: turned away like one connection too many.
            }
        }
        lock.unlock();
        t_refusing = true;
        fn();
        t_refusing = false;
    }

    // Called by the accepting thread after a second without a new
    // connection. Once every connection of a burst has ended, the memory
    // their threads freed goes back to the system (it would otherwise stay
    // with the process, spread over the allocator's per-thread arenas).
    void on_idle() override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        joinFinished();
        if (running_ != 0 || !servedSinceTrim_)
            return;
        servedSinceTrim_ = false;
        lock.unlock();
        ::malloc_trim(0);
    }

    // Waits for every connection to end.
    void shutdown() override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        allDone_.wait(lock, [this] { return running_ == 0; });
        joinFinished();
    }

private:
    // A finished thread has only to return: joining it takes no time.
    void joinFinished()
    {
        for (const std::uint64_t id : finished_) {
            const auto it = threads_.find(id);
            it->second.join();
            threads_.erase(it);
        }
        finished_.clear();
    }

    const std::size_t limit_;
    std::mutex mutex_;
    std::condition_variable allDone_;
    std::map<std::uint64_t, std::thread> threads_;
    std::vector<std::uint64_t> finished_;
    std::size_t running_ = 0;
    std::uint64_t nextId_ = 0;
    bool servedSinceTrim_ = false;
};

bool addressOf(socket_t sock, bool peer, std::string &ip, int &port)
{
    sockaddr_storage addr{};
    socklen_t length = sizeof addr;
    const int r = peer ? ::getpeername(sock, reinterpret_cast<sockaddr *>(&addr), &length)
                       : ::getsockname(sock, reinterpret_cast<sockaddr *>(&addr), &length);
    if (r != 0)
        return false;
    if (addr.ss_family == AF_INET)
        port = ntohs(reinterpret_cast<const sockaddr_in *>(&addr)->sin_port);
    else if (addr.ss_family == AF_INET6)
        port = ntohs(reinterpret_cast<const sockaddr_in6 *>(&addr)->sin6_port);
    else
        return false;
    char host[NI_MAXHOST] = {};
    if (::getnameinfo(reinterpret_cast<const sockaddr *>(&addr), length, host, sizeof host, nullptr, 0, NI_NUMERICHOST))
        return false;
    ip = host;
    return true;
}

// The connection as the library reads and writes it. It keeps what it has
// read between requests (requests sent back to back), counts each request's
// bytes against a budget and its time against a deadline, and gives up on
// any wait once the server stops.
class ConnectionStream final : public httplib::Stream {
public:
    ConnectionStream(socket_t sock, const std::atomic<socket_t> &listener, milliseconds readTimeout,
                     milliseconds writeTimeout)
        : sock_(sock), listener_(listener), readTimeout_(readTimeout), writeTimeout_(writeTimeout)
    {
    }

    // Whether a request (or the end of the connection) comes within IDLE.
    bool waitForRequest(milliseconds idle) { return off_ < len_ || wait(POLLIN, Clock::now() + idle); }

    void beginRequest(std::size_t bytes, milliseconds time)
    {
        budget_ = bytes;
        deadline_ = Clock::now() + time;
        spent_ = false;
    }

    // Whether the request ran out of bytes or time: what follows on the
    // connection cannot be trusted to start a request.
    bool spent() const { return spent_; }

    bool is_readable() const override
    {
        return off_ < len_ || wait(POLLIN, std::min(Clock::now() + readTimeout_, deadline_));
    }

    bool is_writable() const override { return wait(POLLOUT, Clock::now() + writeTimeout_); }

    ssize_t read(char *ptr, size_t size) override
    {
        if (off_ == len_) {
            if (budget_ == 0) {
                // The request is over its size: it ends here, as if the
                // client had stopped, and the library answers what it has.
                spent_ = true;
                return 0;
            }
            if (!wait(POLLIN, std::min(Clock::now() + readTimeout_, deadline_))) {
                spent_ = spent_ || Clock::now() >= deadline_;
                return -1;
            }
            ssize_t n;
            do
                n = ::recv(sock_, buffer_.data(), std::min(buffer_.size(), budget_), 0);
            while (n < 0 && errno == EINTR);
            if (n <= 0)
                return n < 0 ? -1 : 0;
            budget_ -= static_cast<std::size_t>(n);
            off_ = 0;
            len_ = static_cast<std::size_t>(n);
        }
        const std::size_t n = std::min(size, len_ - off_);
        std::memcpy(ptr, buffer_.data() + off_, n);
        off_ += n;
        return static_cast<ssize_t>(n);
    }

    ssize_t write(const char *ptr, size_t size) override
    {
        if (!wait(POLLOUT, Clock::now() + writeTimeout_))
            return -1;
        ssize_t n;
        do
            n = ::send(sock_, ptr, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        while (n < 0 && errno == EINTR);
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
        return n;
    }

    void get_remote_ip_and_port(std::string &ip, int &port) const override { addressOf(sock_, true, ip, port); }
    void get_local_ip_and_port(std::string &ip, int &port) const override { addressOf(sock_, false, ip, port); }
    socket_t socket() const override { return sock_; }

private:
    // Waits for EVENTS until UNTIL, in short slices so that a stopping
    // server is noticed.
    bool wait(short events, Clock::time_point until) const
    {
        while (listener_ != INVALID_SOCKET) {
            const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd p{sock_, events, 0};
            const int r = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 100)));
            if (r > 0)
                return true;
            if (r < 0 && errno != EINTR)
                return false;
        }
        return false;
    }

    const socket_t sock_;
    const std::atomic<socket_t> &listener_;
    const milliseconds readTimeout_;
    const milliseconds writeTimeout_;
    std::array<char, 4096> buffer_{};
    std::size_t off_ = 0;
    std::size_t len_ = 0;
    std::size_t budget_ = 0;
    Clock::time_point deadline_ = Clock::now();
    bool spent_ = false;
};

milliseconds toMs(time_t sec, time_t usec) { return milliseconds(sec * 1000 + usec / 1000); }

} // namespace

HttpServer::HttpServer()
{
    // Memory freed after a burst of connections must go back to the system.
    // With an arena per thread (up to eight per core), the allocator keeps
    // the free top of every arena but the first, even after a trim, and each
    // can hold tens of megabytes after a storm. One arena shared by every
    // thread is trimmed whole, for about a sixth of the throughput (still
    // some 48,000 pages a second on two cores). The trim threshold, fixed,
    // is no longer raised after every large block freed. These settings are
    // the process's; they cost the desktop program nothing.
    ::mallopt(M_ARENA_MAX, 1);
    ::mallopt(M_TRIM_THRESHOLD, 256 * 1024);
    new_task_queue = [this] { return new ConnectionThreads(limits_.connections); };
    // How often the accepting thread, without a new connection, tells the
    // connection threads it is idle.
    set_idle_interval(1, 0);
}

void HttpServer::setConnectionLimits(const ConnectionLimits &limits)
{
    limits_ = limits;
}

void HttpServer::setBusyAnswer(std::string answer)
{
    busyAnswer_ = std::move(answer);
}

void HttpServer::setBusyLogger(std::function<void(const std::string &)> logger)
{
    busyLogger_ = std::move(logger);
}

void HttpServer::closeAfterAnswer()
{
    t_closeAfterAnswer = true;
}

bool HttpServer::process_and_close_socket(socket_t sock)
{
    if (t_refusing) {
        refuse(sock);
        return true;
    }
    ConnectionStream stream(sock, svr_sock_, toMs(read_timeout_sec_, read_timeout_usec_),
                            toMs(write_timeout_sec_, write_timeout_usec_));
    bool ok = true;
    bool unread = false; // the client may still be sending what was not read
    for (std::size_t left = keep_alive_max_count_; left > 0; --left) {
        if (!stream.waitForRequest(milliseconds(keep_alive_timeout_sec_ * 1000)))
            break;
        stream.beginRequest(limits_.requestBytes, milliseconds(limits_.requestSeconds * 1000));
        t_closeAfterAnswer = false;
        bool closedByClient = false;
        ok = process_request(stream, left == 1, closedByClient, nullptr);
        unread = t_closeAfterAnswer || stream.spent();
        if (!ok || closedByClient || unread)
            break;
    }
    if (unread && ok)
        lingeringClose(sock);
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return ok;
}

void HttpServer::lingeringClose(socket_t sock)
{
    // Closing a socket with unread input resets the connection, and the
    // client, still sending, may lose the answer. The answer is followed by
    // the end of the stream instead, and what the client sends meanwhile is
    // read and dropped, for a short while.
    ::shutdown(sock, SHUT_WR);
    const auto until = Clock::now() + std::chrono::seconds(2);
    std::size_t dropped = 0;
    char sink[4096];
    while (dropped < 1024 * 1024 && svr_sock_ != INVALID_SOCKET) {
        const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{sock, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(std::min<long long>(left, 100))) < 0 && errno != EINTR)
            break;
        const ssize_t n = ::recv(sock, sink, sizeof sink, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            break;
        if (n > 0)
            dropped += static_cast<std::size_t>(n);
    }
}

void HttpServer::refuse(socket_t sock)
{
    if (busyLogger_) {
        std::string ip = "-";
        int port = 0;
        addressOf(sock, true, ip, port);
        busyLogger_(ip);
    }
    // Never waits: the accepting thread goes straight back to its work.
    [[maybe_unused]] const ssize_t sent =
        ::send(sock, busyAnswer_.data(), busyAnswer_.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    // What the client already sent is read and dropped, so that closing ends
    // the connection after the answer rather than resetting it.
    char sink[4096];
    for (int i = 0; i < 16 && ::recv(sock, sink, sizeof sink, MSG_DONTWAIT) > 0; ++i) {
    }
    ::shutdown(sock, SHUT_WR);
    ::close(sock);
}

} // namespace velmora::render
