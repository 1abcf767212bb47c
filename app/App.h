#pragma once

#include "ui/Program.h"

namespace dovra {

// The main routine: start-up, the event loop with its dispatch table, and shutdown.
class App {
public:
    // Start-up up to the loop. started() tells whether the main window could be made.
    explicit App(toolkit::Dialogs& dialogs);
    bool started() const { return started_; }

    // The event loop until a close event, then shutdown. The program's exit code.
    int run();

    // One turn of the loop for one event; false when the loop ends with it.
    bool handle(const toolkit::Event& event);
    // Handles every event that is waiting, without waiting for more, as the loop would; false
    // when one of them ended the loop.
    bool handlePending();

    // Says goodbye, offers to save unsaved changes, and releases the windows.
    void shutdown();

    Program& program() { return program_; }
    toolkit::Toolkit& toolkit() { return program_.toolkit; }

private:
    void dispatchControl(Control control);
    void dispatchMenu(MenuItem item);

    Program program_;
    bool started_ = false;
    toolkit::Event::Kind lastEvent_ = toolkit::Event::Kind::Control;
};

// Qt's side of the start-up: the style, the default GUI font, what every window shares.
void initialiseWindowSystem();

} // namespace dovra
