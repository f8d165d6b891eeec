#include "tests/support/FakeSpeechDispatcher.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/Text.h"

namespace hastelyn::testing {
namespace {

void sendAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
        if (n <= 0) return;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

}  // namespace

FakeSpeechDispatcher::FakeSpeechDispatcher(std::filesystem::path socketPath) : socketPath_(std::move(socketPath)) {
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socketPath_.string();
    if (listener_ < 0 || path.size() >= sizeof(address.sun_path)) throw std::runtime_error("no socket for " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(listener_, 8) != 0 || ::pipe(wake_) != 0)
        throw std::runtime_error("cannot listen on " + path);
    thread_ = std::thread([this] { serve(); });
}

FakeSpeechDispatcher::~FakeSpeechDispatcher() {
    if (wake_[1] >= 0) (void)::write(wake_[1], "q", 1);
    if (thread_.joinable()) thread_.join();
    for (const Client& client : clients_) ::close(client.fd);
    for (const int fd : {listener_, wake_[0], wake_[1]})
        if (fd >= 0) ::close(fd);
    std::error_code ignored;
    std::filesystem::remove(socketPath_, ignored);
}

std::vector<std::string> FakeSpeechDispatcher::log() {
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<std::string> FakeSpeechDispatcher::messages() {
    std::vector<std::string> texts;
    for (const std::string& entry : log())
        if (entry.starts_with("SPEAK ")) texts.push_back(entry.substr(6));
    return texts;
}

int FakeSpeechDispatcher::connections() {
    std::lock_guard lock(mutex_);
    return connections_;
}

void FakeSpeechDispatcher::dropClients() {
    {
        std::lock_guard lock(mutex_);
        dropRequested_ = true;
    }
    (void)::write(wake_[1], "d", 1);
    std::unique_lock lock(mutex_);
    dropped_.wait(lock, [this] { return !dropRequested_; });
}

bool FakeSpeechDispatcher::handleLine(Client& client, const std::string& line) {
    if (client.receiving) {
        if (line == ".") {
            std::string text;
            for (std::size_t i = 0; i < client.lines.size(); ++i) {
                if (i > 0) text += "\r\n";
                const std::string& part = client.lines[i];
                text += part.starts_with("..") ? part.substr(1) : part;
            }
            client.lines.clear();
            client.receiving = false;
            int id = 0;
            {
                std::lock_guard lock(mutex_);
                log_.push_back("SPEAK " + text);
                id = nextMessage_++;
            }
            sendAll(client.fd, "225-" + std::to_string(id) + "\r\n225 OK MESSAGE QUEUED\r\n");
        } else {
            client.lines.push_back(line);
        }
        return true;
    }
    const std::string command = text::upperAscii(line.substr(0, line.find(' ')));
    if (command == "SPEAK") {
        client.receiving = true;
        sendAll(client.fd, "230 OK RECEIVING DATA\r\n");
        return true;
    }
    {
        std::lock_guard lock(mutex_);
        log_.push_back(line);
    }
    sendAll(client.fd, command == "QUIT"     ? "231 HAPPY HACKING\r\n"
                       : command == "CANCEL" ? "213 OK CANCELED\r\n"
                       : command == "SET"    ? "208 OK SET\r\n"
                                             : "200 OK\r\n");
    return command != "QUIT";
}

void FakeSpeechDispatcher::serve() {
    while (true) {
        std::vector<pollfd> fds{{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const Client& client : clients_) fds.push_back({client.fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) continue;
        if (fds[0].revents != 0) {
            char c = 0;
            (void)::read(wake_[0], &c, 1);
            if (c == 'q') return;
            for (const Client& client : clients_) ::close(client.fd);
            clients_.clear();
            {
                std::lock_guard lock(mutex_);
                dropRequested_ = false;
            }
            dropped_.notify_all();
            continue;
        }
        if (fds[1].revents != 0) {
            const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                clients_.push_back(Client{fd, {}, false, {}});
                std::lock_guard lock(mutex_);
                ++connections_;
            }
        }
        std::vector<Client> open;
        for (std::size_t i = 0; i + 2 < fds.size(); ++i) {
            Client& client = clients_[i];
            bool keep = true;
            if (fds[i + 2].revents != 0) {
                char buffer[4096];
                const ssize_t n = ::read(client.fd, buffer, sizeof(buffer));
                if (n <= 0) {
                    keep = false;
                } else {
                    client.pending.append(buffer, static_cast<std::size_t>(n));
                    std::size_t end = 0;
                    while (keep && (end = client.pending.find("\r\n")) != std::string::npos) {
                        const std::string line = client.pending.substr(0, end);
                        client.pending.erase(0, end + 2);
                        keep = handleLine(client, line);
                    }
                }
            }
            if (keep) {
                open.push_back(std::move(client));
            } else {
                ::close(client.fd);
            }
        }
        // Clients accepted in this round come after the ones polled.
        for (std::size_t i = fds.size() - 2; i < clients_.size(); ++i) open.push_back(std::move(clients_[i]));
        clients_ = std::move(open);
    }
}

// libspeechd keeps the client name it made (g_strdup) when it cannot connect (spd_open2's
// failure path): a leak of the library's, once per failed connection, that LeakSanitizer is not
// to count against the tests that try it. glib has no frame pointers, so the stack LeakSanitizer
// sees ends in glib; in the test programs that speak to this server only libspeechd uses glib.
extern "C" const char* __lsan_default_suppressions() { return "leak:libspeechd.so\nleak:libglib-2.0.so\n"; }

ScopedSpeechdAddress::ScopedSpeechdAddress(const std::string& address) {
    if (const char* value = std::getenv("SPEECHD_ADDRESS")) {
        had_ = true;
        previous_ = value;
    }
    ::setenv("SPEECHD_ADDRESS", address.c_str(), 1);
}

ScopedSpeechdAddress::~ScopedSpeechdAddress() {
    if (had_) {
        ::setenv("SPEECHD_ADDRESS", previous_.c_str(), 1);
    } else {
        ::unsetenv("SPEECHD_ADDRESS");
    }
}

}  // namespace hastelyn::testing
