// The smallest program of the build: the tests of a Windows build run only where it starts and
// prints its word (tools/wine/test-windows-build.sh runs it first).
#include <cstdio>

int main() {
    std::puts("started");
    return 0;
}
