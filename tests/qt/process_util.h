#pragma once
// Running the real programs from tests: each test gets its own hall bus directory
// so tests (and halls) can run side by side.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <string>

inline QString treeBinary(const char* name) {
    return QString(DRAVIK_BINARY_DIR) + "/tree/dravik/" + name;
}

inline QProcessEnvironment testEnvironment(const QString& busDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("DRAVIK_AUTOMATION", "1");
    env.insert("DRAVIK_HALL_BUS", busDir);
    env.insert("DRAVIK_NO_SOUND", "1");
    return env;
}
