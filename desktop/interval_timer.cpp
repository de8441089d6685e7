#include "interval_timer.h"

#include "error_guard.h"
#include "platform.h"

namespace sorami {

IntervalTimer::IntervalTimer(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (platform_) countStart_ = platform_->tickCount();
        fire();
    });
}

int IntervalTimer::remainingTime() const {
    if (!platform_ || !timer_.isActive()) return timer_.remainingTime();
    const std::uint32_t elapsed = platform_->tickCount() - countStart_;
    return elapsed >= static_cast<std::uint32_t>(interval_) ? 0 : interval_ - int(elapsed);
}

void IntervalTimer::setInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    apply();
}

void IntervalTimer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    apply();
}

void IntervalTimer::apply() {
    if (!enabled_ || interval_ <= 0) {
        timer_.stop();
        return;
    }
    timer_.start(interval_);
    if (platform_) countStart_ = platform_->tickCount();
}

void IntervalTimer::onTimer(std::function<void()> handler, Platform* platform,
                            QWidget* errorParent) {
    handler_ = std::move(handler);
    platform_ = platform;
    errorParent_ = errorParent;
    apply();
}

void IntervalTimer::fire() {
    emit timeout();
    if (!handler_) return;
    if (platform_)
        guarded(*platform_, errorParent_, handler_);
    else
        handler_();
}

} // namespace sorami
