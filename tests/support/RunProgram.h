#pragma once
// Runs a program as a separate process and collects what it printed and how it ended.
#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace hastelyn::testing {

struct ProgramResult {
    int exitCode = -1;  // -1 when it did not end normally
    std::string out;
    std::string err;
};

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment = {});

// A program started and not yet waited for, so that several can run at once.
struct StartedProgram {
    pid_t pid = -1;
    int out = -1;
    int err = -1;
};

StartedProgram startProgram(const std::string& program, const std::vector<std::string>& arguments,
                            const std::map<std::string, std::string>& environment = {});
// Collects its output until it ends.
ProgramResult finishProgram(StartedProgram& started);

}  // namespace hastelyn::testing
