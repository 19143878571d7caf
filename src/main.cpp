// The table client: the hall starts it with the launch line as its arguments.
#include <QApplication>
#include <cstdlib>

#include "app/client.h"
#include "platform/qt/qt_platform.h"
#include "resources/embedded_resources.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    platform::QtPlatform qt;
    app::Client client(qt.platform(), resources::embeddedStore());
    if (const char* dir = std::getenv("DRAVIK_SNAPSHOT"); dir && *dir)
        qt.adapter.startSnapshots(dir);
    // The window system hands over the command line as one text.
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    platform::QtEventLoop::guard([&] { client.start(line); });
    return qapp.exec();
}
