#pragma once
// Named mutexes shared by every process that uses a machine folder.
//
// A mutex is the file locks/<name> (the name made safe for the file system) and exists while
// some process holds a shared flock on it: each process with a handle to the mutex keeps one
// descriptor with that lock, whatever number of handles it has, and the lock goes with its
// last handle or with the process. Whether anyone holds it is asked with an exclusive
// non-blocking flock, which fails while a holder remains. Those exclusive attempts are made
// only under locks/.guard, so a process asking never makes another believe the mutex exists;
// the last holder removes the file under the guard too. A file left by a killed process holds
// no lock and so is no mutex; the next creation takes it over.
//
// Owning a mutex (waitForMutex) is an exclusive flock on a second file, locks/.<name>.owner,
// held from the first wait to the matching release and lost with the process, as Windows gives
// an abandoned mutex to its next waiter. That file stays: removing a file others may be
// waiting on would let two owners in.
//
// Descriptors are closed on exec, but a child made by fork shares its parent's locks until it
// ends; closing the handles it inherited only closes its descriptors.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/WindowSystem.h"

namespace hastelyn::sandbox {

class NamedMutexes {
public:
    // folder: where the lock files live (made on the first creation).
    explicit NamedMutexes(std::filesystem::path folder);
    ~NamedMutexes();  // closes every handle still open
    NamedMutexes(const NamedMutexes&) = delete;
    NamedMutexes& operator=(const NamedMutexes&) = delete;

    // A handle when the mutex exists in this process or another, else FileNotFound; never
    // writes anything.
    long open(std::string_view name, platform::ObjectHandle& out);
    // A handle, with Success for a new mutex and AlreadyExists for one that existed. An empty
    // name makes an unnamed mutex of this process alone.
    long create(std::string_view name, platform::ObjectHandle& out);
    // Waits until this process owns the mutex; a process that owns it already counts one more
    // wait. Unnamed mutexes belong to this process alone and are owned at once.
    long wait(platform::ObjectHandle handle);
    // False when this process does not own the mutex; the last release lets the next waiter in.
    bool release(platform::ObjectHandle handle);
    bool isHandle(platform::ObjectHandle handle) const;
    bool close(platform::ObjectHandle handle);

    // The file name standing for a mutex name: letters, digits and harmless punctuation as they
    // are, every other byte (and a leading dot) as %XX; a name too long for a file name keeps
    // its beginning and gets "~" and a hash of the whole name.
    static std::string fileNameFor(std::string_view name);

private:
    struct Held {
        int fd = -1;
        int handles = 0;
        int ownerFd = -1;  // the owner file, once waited on
        int owned = 0;     // waits not released yet
    };

    platform::ObjectHandle newHandle(std::optional<std::string> name);
    std::filesystem::path guardPath() const { return folder_ / ".guard"; }

    std::filesystem::path folder_;
    std::map<std::string, Held> held_;                             // by mutex name
    std::map<std::uint64_t, std::optional<std::string>> handles_;  // nothing: unnamed
    std::map<std::uint64_t, int> unnamedOwned_;                    // waits on unnamed ones
    std::uint64_t nextHandle_ = 0x100;
    long pid_;  // the process that took the locks
};

}  // namespace hastelyn::sandbox
