#include "platform/qt/qt_shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/single_instance.h"

namespace platform {

QtShell::QtShell(std::string busDirectory) : busDir_(std::move(busDirectory)) {}

int QtShell::messageBox(const std::string& text, const std::string& title, int buttons) {
    const char* automation = std::getenv("DRAVIK_AUTOMATION");
    if (automation && std::strcmp(automation, "1") == 0) {
        std::fprintf(stderr, "messagebox: %s: %s\n", title.c_str(), text.c_str());
        std::fflush(stderr);
        return buttons == MB_YESNO ? ID_YES : ID_OK;
    }
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
        case MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return ID_CANCEL;
        case QMessageBox::Yes:
            return ID_YES;
        case QMessageBox::No:
            return ID_NO;
        default:
            return ID_OK;
    }
}

void QtShell::openDocument(const std::string& target) {
    QString t = QString::fromStdString(target);
    QUrl url = t.contains("://") ? QUrl(t) : QUrl::fromLocalFile(t);
    QDesktopServices::openUrl(url);
}

bool QtShell::claimSingleInstance() { return claimSingleInstanceLock(busDir_); }

std::string QtShell::programFolder() {
    if (const char* home = std::getenv("DRAVIK_HOME"); home && *home) return home;
    return QCoreApplication::applicationDirPath().toStdString();
}

ScreenSize QtShell::screenSize() {
    if (const char* s = std::getenv("DRAVIK_SCREEN"); s && *s) {
        int w = 0, h = 0;
        if (std::sscanf(s, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) return {w, h};
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QSize sz = screen->size();
        return {sz.width(), sz.height()};
    }
    return {};
}

// The music box's command-line tail is one argument, as the program reads it.
void QtShell::startProgram(const std::string& path, const std::string& arguments) {
    QProcess::startDetached(QString::fromStdString(path), {QString::fromStdString(arguments)});
}

}  // namespace platform
