#include "ui/qt/CommandErrors.h"

#include <cstdio>

#include "ui/model/CommandErrors.h"

namespace hastelyn::ui {
namespace {

std::function<void(const std::string&)>& reporter() {
    static std::function<void(const std::string&)> instance;
    return instance;
}

}  // namespace

void setErrorReporter(std::function<void(const std::string&)> newReporter) { reporter() = std::move(newReporter); }

void reportErrorsTo(foundation::MessageDialogs* dialogs) {
    if (dialogs == nullptr) {
        setErrorReporter({});
        return;
    }
    setErrorReporter([dialogs](const std::string& text) { model::reportCommandError(*dialogs, text); });
}

void reportError(const std::string& text) {
    if (reporter())
        reporter()(text);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace hastelyn::ui
