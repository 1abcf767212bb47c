#include "app/App.h"
#include "app/HugePages.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv) {
    dovra::restartWithHugePageMalloc(argv);
    if (!displayAvailable()) {
        std::fputs("dovra: keine Anzeige gefunden (DISPLAY ist nicht gesetzt); ohne Bildschirm "
                   "startet es mit »xvfb-run dovra« oder »QT_QPA_PLATFORM=vnc dovra«.\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    dovra::toolkit::QtDialogs dialogs;
    dovra::App app(dialogs);
    if (!app.started()) {
        std::fputs("dovra: das Hauptfenster konnte nicht angelegt werden.\n", stderr);
        return 1;
    }
    return app.run();
}
