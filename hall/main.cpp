// dravik-hall: the stand-in for the game hall. It owns the hall window (caption
// "Brenmoor" unless told otherwise), starts the client with a launch line built
// from a server address and a user name, shows every message it receives with the
// time, minimises and restores itself on the client's system commands, and posts
// 22, 771, 1024 or 1125 to the client on request. It shows the client's state as
// its messages tell it, asks it every few seconds whether a game is on (1125), and
// its 入座 seats a client that went back to the hall again (22) instead of starting
// another one. It lists the tables the client recorded (newest first); a
// double-click replays one (`dravik --replay FILE`).
//
// Options: --client PATH   the client program (default: dravik beside this one)
//          --server H:P    the game server (default 127.0.0.1:24680)
//          --user NAME     the account name (default player1)  --key KEY
//          --caption TEXT  the hall window's caption (custom captions when given
//                          with --table-caption)
//          --table-caption TEXT
//          --sit           start the client at once
// Standard input takes lines "post N" (N one of 22, 771, 1024, 1125), "sit" and
// "quit"; every received message is printed as "HH:MM:SS.mmm recv MSG WPARAM LPARAM".
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <iostream>
#include <string>

#include "platform/qt/qt_hall_bus.h"
#include "platform/qt/qt_render.h"
#include "record/record_folder.h"

namespace {

class Hall : public QWidget {
  public:
    Hall(QString caption, QString tableCaption, QString clientPath)
        : caption_(std::move(caption)),
          tableCaption_(std::move(tableCaption)),
          clientPath_(std::move(clientPath)) {
        setWindowTitle(caption_);
        auto* layout = new QVBoxLayout(this);
        auto* title = new QLabel(QString::fromUtf8("Dravik 牌桌 · 一号桌"));
        title->setStyleSheet("font-size: 18px; font-weight: bold; color: #f2d27a;");
        layout->addWidget(title);
        auto* row = new QHBoxLayout;
        server_ = new QLineEdit;
        user_ = new QLineEdit;
        row->addWidget(new QLabel(QString::fromUtf8("服务器")));
        row->addWidget(server_);
        row->addWidget(new QLabel(QString::fromUtf8("用户名")));
        row->addWidget(user_);
        auto* sit = new QPushButton(QString::fromUtf8("入座"));
        row->addWidget(sit);
        layout->addLayout(row);
        auto* posts = new QHBoxLayout;
        for (int m : {22, 771, 1024, 1125}) {
            auto* b = new QPushButton(QString::fromUtf8("发送 %1").arg(m));
            QObject::connect(b, &QPushButton::clicked, [this, m] { post(m); });
            posts->addWidget(b);
        }
        layout->addLayout(posts);
        status_ = new QLabel;
        status_->setStyleSheet("font-size: 14px; color: #f2d27a;");
        layout->addWidget(status_);
        showStatus(QString::fromUtf8("客户端未运行"));
        log_ = new QListWidget;
        layout->addWidget(log_);
        auto* recordsRow = new QHBoxLayout;
        recordsRow->addWidget(new QLabel(QString::fromUtf8("牌桌录像（双击回放）")));
        auto* refresh = new QPushButton(QString::fromUtf8("刷新"));
        recordsRow->addWidget(refresh);
        layout->addLayout(recordsRow);
        records_ = new QListWidget;
        layout->addWidget(records_);
        QObject::connect(refresh, &QPushButton::clicked, [this] { listRecords(); });
        QObject::connect(records_, &QListWidget::itemDoubleClicked, [this](QListWidgetItem* item) {
            replay(item->data(Qt::UserRole).toString());
        });
        listRecords();
        setStyleSheet("background: #0b3d1e; color: #e8e0c0;");
        resize(560, 520);
        QObject::connect(sit, &QPushButton::clicked, [this] { sitDown(); });

        bus_.onMessage = [this](std::uint32_t m, std::uint32_t w, std::uint32_t l) {
            received(m, w, l);
        };
        if (!bus_.open(caption_.toStdString()))
            note(QString::fromUtf8("无法打开大厅窗口端点 %1").arg(caption_));
        // Is a game on? Asked every five seconds while the client runs.
        auto* query = new QTimer(this);
        QObject::connect(query, &QTimer::timeout, [this] {
            if (clientRunning()) bus_.send(tableTarget().toStdString(), 1125, 0, 0);
        });
        query->start(5000);
    }

    void setServer(const QString& s) { server_->setText(s); }
    void setUser(const QString& s) { user_->setText(s); }
    QString key = "key";

    // A client that went back to the hall is sent to a table again; otherwise a new
    // client starts.
    void sitDown() {
        if (clientRunning()) {
            post(22);
            showStatus(QString::fromUtf8("再次入座…"));
            return;
        }
        QStringList hp = server_->text().split(':');
        QString host = hp.value(0, "127.0.0.1");
        QString port = hp.value(1, "24680");
        // name$key$host$port$location$mode$proxy$pport$puser$ppass$custom$hall$table$
        QString line = QString("%1$%2$%3$%4$%5$0$$0$$$")
                           .arg(user_->text(), key, host, port, QString::fromUtf8("本地牌桌"));
        if (!tableCaption_.isEmpty())
            line += QString("1$%1$%2$").arg(caption_, tableCaption_);
        else
            line += "0$$$";
        auto* proc = new QProcess(this);
        proc->setProcessChannelMode(QProcess::ForwardedChannels);
        proc->start(clientPath_, QStringList{line});
        client_ = proc;
        note(QString::fromUtf8("启动客户端: %1").arg(line));
        QObject::connect(proc, &QProcess::finished, [this](int code, QProcess::ExitStatus) {
            note(QString::fromUtf8("客户端已结束，状态 %1").arg(code));
            showStatus(QString::fromUtf8("客户端未运行"));
            listRecords();
        });
        showStatus(QString::fromUtf8("客户端启动中"));
    }

    // The client's records folder: in its program folder (DRAVIK_HOME, else the
    // client's own folder).
    QString recordsFolder() const {
        QString home = qEnvironmentVariable("DRAVIK_HOME");
        if (home.isEmpty()) home = QFileInfo(clientPath_).absolutePath();
        return home + "/" + record::kFolderName;
    }

    // One line per recorded table, newest first: its date, time and room, read from
    // the file's name ("20261211-213005-room.drec").
    void listRecords() {
        records_->clear();
        const auto files = record::listRecords(recordsFolder().toStdString());
        for (auto it = files.rbegin(); it != files.rend(); ++it) {
            const QString path = QString::fromStdString(*it);
            const QString name = QFileInfo(path).completeBaseName();
            QString text = name;
            if (name.size() >= 15 && name[8] == '-')
                text = QString("%1-%2-%3 %4:%5:%6 %7")
                           .arg(name.mid(0, 4), name.mid(4, 2), name.mid(6, 2), name.mid(9, 2),
                                name.mid(11, 2), name.mid(13, 2), name.mid(16));
            auto* item = new QListWidgetItem(text, records_);
            item->setData(Qt::UserRole, path);
        }
    }

    void replay(const QString& path) {
        auto* proc = new QProcess(this);
        proc->setProcessChannelMode(QProcess::ForwardedChannels);
        proc->start(clientPath_, QStringList{"--replay", path});
        note(QString::fromUtf8("回放: %1").arg(path));
        QObject::connect(proc, &QProcess::finished, proc, &QObject::deleteLater);
    }

    void post(std::uint32_t m) {
        const QString target = tableTarget();
        bool ok = bus_.send(target.toStdString(), m, 0, 0);
        note(QString("post %1 to %2: %3").arg(m).arg(target).arg(ok ? "ok" : "no such window"));
    }

  private:
    QString tableTarget() const {
        return tableCaption_.isEmpty() ? QString("dravik") : tableCaption_;
    }
    bool clientRunning() const { return client_ && client_->state() != QProcess::NotRunning; }
    void showStatus(const QString& text) {
        status_->setText(QString::fromUtf8("客户端：%1").arg(text));
    }
    // What the client's messages say of it.
    void statusFrom(std::uint32_t m, std::uint32_t w) {
        if (m == platform::WM_SYSCOMMAND) {
            // The client restores the hall when it leaves a table (or loses it).
            if (w == platform::SC_RESTORE) {
                showStatus(QString::fromUtf8("已回到大厅，可再次入座"));
                listRecords();  // the table just left is among them
            }
            if (w == platform::SC_MINIMIZE) showStatus(QString::fromUtf8("在牌桌上"));
            return;
        }
        static const std::pair<std::uint32_t, const char*> kStates[] = {
            {22, "连接服务器中"}, {771, "已登录"},      {1126, "已登录"},
            {1125, "游戏中"},     {1024, "未在游戏中"}, {1127, "已发牌"},
        };
        for (const auto& [msg, text] : kStates)
            if (m == msg) showStatus(QString::fromUtf8(text));
    }
    void received(std::uint32_t m, std::uint32_t w, std::uint32_t l) {
        if (m == 0) return;  // a look-up of the window, not a message
        statusFrom(m, w);
        QString line = QString("%1 recv %2 %3 %4")
                           .arg(QTime::currentTime().toString("HH:mm:ss.zzz"))
                           .arg(m)
                           .arg(w)
                           .arg(l);
        std::cout << line.toStdString() << std::endl;
        log_->addItem(line);
        log_->scrollToBottom();
        if (m == platform::WM_SYSCOMMAND && w == platform::SC_RESTORE) showNormal();
        if (m == platform::WM_SYSCOMMAND && w == platform::SC_MINIMIZE) showMinimized();
    }
    void note(const QString& s) {
        std::cout << QTime::currentTime().toString("HH:mm:ss.zzz").toStdString() << " "
                  << s.toStdString() << std::endl;
        log_->addItem(s);
    }

    QString caption_, tableCaption_, clientPath_;
    QLineEdit* server_;
    QLineEdit* user_;
    QListWidget* log_;
    QLabel* status_;
    QListWidget* records_;
    QProcess* client_ = nullptr;
    platform::QtHallBus bus_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::installFonts();
    QCommandLineParser p;
    p.addOption(
        {"client", "client program", "path", QCoreApplication::applicationDirPath() + "/dravik"});
    p.addOption({"server", "game server host:port", "address", "127.0.0.1:24680"});
    p.addOption({"user", "account name", "name", "player1"});
    p.addOption({"key", "login key", "key", "key"});
    p.addOption({"caption", "hall window caption", "text", "Brenmoor"});
    p.addOption({"table-caption", "table window caption", "text", ""});
    p.addOption({"sit", "start the client at once"});
    p.addHelpOption();
    p.process(app);

    Hall hall(p.value("caption"), p.value("table-caption"), p.value("client"));
    hall.setServer(p.value("server"));
    hall.setUser(p.value("user"));
    hall.key = p.value("key");
    hall.show();
    if (p.isSet("sit")) hall.sitDown();

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buf[256];
        ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf - 1);
        if (n <= 0) {
            input.setEnabled(false);
            return;
        }
        buf[n] = 0;
        for (const QString& line : QString::fromUtf8(buf).split('\n', Qt::SkipEmptyParts)) {
            QStringList w = line.trimmed().split(' ');
            if (w.value(0) == "post") hall.post(w.value(1).toUInt());
            if (w.value(0) == "sit") hall.sitDown();
            if (w.value(0) == "quit") app.quit();
        }
    });
    return app.exec();
}
