#pragma once
// The application object: an exception escaping an event handler is reported as a command
// error instead of ending the program.
#include <QApplication>

namespace hastelyn::ui {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace hastelyn::ui
