#pragma once
// The message of the error that ends a running command, for tests that compare it.
#include <string>

#include "foundation/CommandError.h"

namespace hastelyn::testing {

// What the CommandError thrown by call() says; "(no error)" when call() returns.
template <typename Call>
std::string commandErrorOf(Call&& call) {
    try {
        call();
    } catch (const foundation::CommandError& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace hastelyn::testing
