#include "platform/qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>

#include "platform/shell.h"

namespace platform {

std::function<void()> QtEventLoop::afterCallback;

QtEventLoop::QtEventLoop() { clock_.start(); }

QtEventLoop::~QtEventLoop() = default;

void QtEventLoop::guard(const std::function<void()>& f) {
    try {
        f();
    } catch (const ProcessEnd& end) {
        // The process ends here, as the window system's End statement does: no
        // later handler runs.
        std::fflush(nullptr);
        std::_Exit(end.status);
    }
    if (afterCallback) afterCallback();
}

void QtEventLoop::post(std::function<void()> task) {
    QMetaObject::invokeMethod(
        &context_, [task = std::move(task)] { guard(task); }, Qt::QueuedConnection);
}

void QtEventLoop::wait(int ms) {
    QEventLoop nested;
    QTimer::singleShot(ms, &nested, &QEventLoop::quit);
    nested.exec();
}

void QtEventLoop::timerChanged(Timer& t) {
    auto& q = timers_[&t];
    if (!q) {
        q = std::make_unique<QTimer>();
        q->setTimerType(Qt::PreciseTimer);
        Timer* raw = &t;
        QObject::connect(q.get(), &QTimer::timeout, [this, raw] {
            // A tick still running (inside a nested wait) is not entered again.
            if (running_[raw]) return;
            running_[raw] = true;
            guard([raw] {
                if (raw->onTick) raw->onTick();
            });
            auto it = running_.find(raw);
            if (it != running_.end()) it->second = false;
        });
    }
    if (t.enabled() && t.interval() > 0)
        q->start(t.interval());
    else
        q->stop();
}

void QtEventLoop::timerDestroyed(Timer& t) {
    auto it = timers_.find(&t);
    if (it != timers_.end()) {
        it->second->stop();
        it->second.release()->deleteLater();
        timers_.erase(it);
    }
    running_.erase(&t);
}

}  // namespace platform
