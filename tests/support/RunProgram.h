#pragma once
// Runs a program as a separate process and collects what it printed and how it ended.
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

}  // namespace hastelyn::testing
