#include "ui/qt/CommandErrors.h"

#include <cstdio>

namespace hastelyn::ui {
namespace {

std::function<void(const std::string&)>& reporter() {
    static std::function<void(const std::string&)> instance;
    return instance;
}

}  // namespace

void setErrorReporter(std::function<void(const std::string&)> newReporter) { reporter() = std::move(newReporter); }

void reportError(const std::string& text) {
    if (reporter())
        reporter()(text);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace hastelyn::ui
