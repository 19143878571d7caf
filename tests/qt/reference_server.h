#pragma once
// The reference game server as a child process for the live tests: started with
// five bots on a free port, its event lines kept and written beside the snapshots
// (build/snapshots/<name>.log) as they come, for people to read.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include "process_util.h"

class ReferenceServer {
  public:
    ~ReferenceServer() {
        process.kill();
        process.waitForFinished();
    }

    // Starts `dravik-server --bots 5 --fast` with `extra`; the port it listens on,
    // 0 (and a test failure) when it did not start. `logName` names the log file.
    int start(const QStringList& extra, const QString& logName) {
        logName_ = logName;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(treeBinary("dravik-server"),
                      QStringList{"--bots", "5", "--fast", "--port", "0"} + extra);
        EXPECT_TRUE(process.waitForStarted());
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000) {
            read();
            for (const QString& l : log)
                if (l.startsWith("dravik-server port ")) return l.section(' ', 2, 2).toInt();
            process.waitForReadyRead(100);
        }
        ADD_FAILURE() << "the server did not start";
        return 0;
    }

    // Takes the event lines that have arrived.
    void read() {
        if (!logFile_.isOpen()) {
            QDir().mkpath(QString(DRAVIK_BINARY_DIR) + "/snapshots");
            QString name = logName_;
            logFile_.setFileName(QString(DRAVIK_BINARY_DIR) + "/snapshots/" +
                                 name.replace('/', '-') + ".log");
            logFile_.open(QIODevice::WriteOnly);
        }
        while (process.canReadLine()) {
            QByteArray line = process.readLine();
            logFile_.write(line);
            logFile_.flush();
            log << QString::fromUtf8(line).trimmed();
        }
    }

    // How many event lines so far contain `what`.
    int count(const QString& what) const {
        int n = 0;
        for (const QString& l : log) n += l.contains(what) ? 1 : 0;
        return n;
    }
    std::string events() const { return log.join('\n').toStdString(); }

    QProcess process;
    QStringList log;  // the server's event lines so far

  private:
    QString logName_;
    QFile logFile_;
};

// The running test's name (a parameterised test's holds a '/').
inline QString currentTestName() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}
