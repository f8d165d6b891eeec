#pragma once
// A speech-dispatcher server for tests: it listens on a Unix socket, answers the SSIP commands
// a client sends as the real server does, and keeps what it was told. Point the client at it
// with SPEECHD_ADDRESS=address() (ScopedSpeechdAddress).
#include <filesystem>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace hastelyn::testing {

class FakeSpeechDispatcher {
public:
    explicit FakeSpeechDispatcher(std::filesystem::path socketPath);
    ~FakeSpeechDispatcher();
    FakeSpeechDispatcher(const FakeSpeechDispatcher&) = delete;
    FakeSpeechDispatcher& operator=(const FakeSpeechDispatcher&) = delete;

    // "unix_socket:<path>", for SPEECHD_ADDRESS.
    std::string address() const { return "unix_socket:" + socketPath_.string(); }

    // What the clients did, in order: every command line ("CANCEL self", "SET self ..."), and
    // each message as "SPEAK " followed by its text (line breaks as sent, dots unescaped).
    std::vector<std::string> log();
    // The texts of the messages alone.
    std::vector<std::string> messages();
    // Connections accepted so far.
    int connections();
    // Closes every client's connection, as a server that ended would.
    void dropClients();

private:
    struct Client {
        int fd = -1;
        std::string pending;
        bool receiving = false;
        std::vector<std::string> lines;
    };
    void serve();
    // Handles one line of a client; false when the client is done.
    bool handleLine(Client& client, const std::string& line);

    std::filesystem::path socketPath_;
    int listener_ = -1;
    int wake_[2] = {-1, -1};
    std::mutex mutex_;
    std::condition_variable dropped_;
    std::vector<std::string> log_;
    std::vector<Client> clients_;
    int connections_ = 0;
    bool dropRequested_ = false;
    int nextMessage_ = 1;
    std::thread thread_;
};

// Sets SPEECHD_ADDRESS for the life of the object, then puts back what was there.
class ScopedSpeechdAddress {
public:
    explicit ScopedSpeechdAddress(const std::string& address);
    ~ScopedSpeechdAddress();
    ScopedSpeechdAddress(const ScopedSpeechdAddress&) = delete;
    ScopedSpeechdAddress& operator=(const ScopedSpeechdAddress&) = delete;

private:
    bool had_ = false;
    std::string previous_;
};

}  // namespace hastelyn::testing
