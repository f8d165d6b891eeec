#pragma once
// Several programs may work on one machine at once: the window and any number of hastelyn-cli
// runs. Each read the machine when it started, and each acts later on what it read. A row is
// therefore changed only while the run holds the machine's change mutex, and only after the
// row was read again under it: a row that no longer reads as the run last read it was changed
// by another run since, and acting on the old reading would keep that run's values as the
// user's own (a former wallpaper, a former mask, a former start type). Such a row is left as
// it is; the run takes what it reads now, for its flag and its tick, and says so.
//
// A change stamp in the settings file tells a run that keeps its reading (the window) whether
// any run changed the machine since: every run that changed rows counts it up once, under the
// mutex, after its changes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Session.h"

namespace hastelyn::engine {

// The machine's change mutex, made or opened at the first lock() and closed with the object;
// lock() waits for it. Where it cannot be had (the system refuses it), a run goes on as a lone
// run would.
class ChangeMutex {
public:
    explicit ChangeMutex(platform::WindowSystem& windows);
    ~ChangeMutex();
    ChangeMutex(const ChangeMutex&) = delete;
    ChangeMutex& operator=(const ChangeMutex&) = delete;

    void lock();
    void unlock();

private:
    platform::WindowSystem& windows_;
    platform::ObjectHandle handle_;
    bool tried_ = false;
    int owned_ = 0;
};

// For a row about to change, under the mutex: whether it still reads as the run last read it
// (its flag). If not, its flag and tick take what it reads now and the caller leaves it.
bool stillAsRead(bool inForceNow, std::uint8_t& flag, bool& ticked);

// A row whose change did not take: a write of it the registry refused and the layer skipped
// (RegistryValues::takeSkippedRefusal), or the error that ended the pass at it. Its flag stays.
struct FailedRow {
    std::size_t index = 0;  // state index
    std::string message;
};

// The state indexes of the rows a pass left because another run had changed them, the rows
// that did not take, and whether it started the actions of any row itself.
struct PassResult {
    std::vector<std::size_t> left;
    std::vector<FailedRow> failed;
    bool changedRows = false;
};

// The locked-items key of a state index's row ("Desktop7", "Service:" and the display name).
std::string rowKeyOf(const ItemModel& model, std::size_t stateIndex);

// Remembers the stamp as this session reads the machine (before it reads it).
void noteMachineRead(Session& session);
// Counts the stamp up after this run's changes, outside any row (the apply pass does, after its
// rows; a command that ends with an error, or restores, calls it itself). The session's
// remembered stamp follows only when no other run counted meanwhile: otherwise its reading may
// lack their changes. A refused write of the stamp is no error: it spares other runs a
// reading, nothing more.
void stampChanges(Session& session);
// Whether a run counted the stamp since this session last read the machine.
bool machineChangedSinceRead(Session& session);

// Reads every row of the five lists and of the services list again, when another run changed
// the machine since this session read it: a row that reads otherwise than its flag takes the
// state it reads (flag and tick); the other rows keep their ticks, changed by the user or not.
// The rows that took a new state, by state index, and whether the user had changed each.
struct RereadRow {
    std::size_t index = 0;
    bool userChanged = false;
};
std::vector<RereadRow> rereadChangedRows(Session& session);

}  // namespace hastelyn::engine
