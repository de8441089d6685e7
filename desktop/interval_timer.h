#pragma once
// A periodic timer with the habits the forms rely on: an interval of 0
// stops it (a zero-interval QTimer would fire without pause), setting the
// interval it already has keeps its rhythm, and setting another one starts
// the count again. The tick runs inside the error guard.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace sorami {

class Platform;

class IntervalTimer : public QObject {
    Q_OBJECT
public:
    explicit IntervalTimer(QObject* parent = nullptr);

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    bool isActive() const { return timer_.isActive(); }
    // Milliseconds until the next tick; -1 while stopped. Counted on the
    // platform's clock once a platform is given, so tests can set it.
    int remainingTime() const;

    // The tick handler; it runs guarded when a platform was given.
    void onTimer(std::function<void()> handler, Platform* platform = nullptr,
                 QWidget* errorParent = nullptr);

    // Runs the tick handler once, as the timer would.
    void fire();

signals:
    void timeout();

private:
    void apply();

    QTimer timer_;
    std::uint32_t countStart_ = 0; // the platform's tick count when the count began
    int interval_ = 1000;
    bool enabled_ = true;
    std::function<void()> handler_;
    Platform* platform_ = nullptr;
    QWidget* errorParent_ = nullptr;
};

} // namespace sorami
