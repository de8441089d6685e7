#pragma once
// Answers the modal dialogs a handler opens, as the learner would: a timer
// polls for the active modal widget and hands each newly opened one to the
// next step of a script. A dialog that no step is left for, or that its step
// left open, is closed and noted, so a fault fails the test instead of
// hanging it.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

namespace drilltest {

class ModalScript {
public:
    using Step = std::function<void(QWidget*)>;

    ModalScript() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    ModalScript& then(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }
    // Class names of the dialogs handed to a step, in order.
    QStringList seen;
    // Dialogs closed by the script itself: "unexpected X" or "left open X".
    QStringList faults;
    bool allStepsTaken() const { return steps_.empty(); }

private:
    void poll() {
        if (busy_) return;
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w == current_.data()) return;
        busy_ = true;
        current_ = w;
        const QString name = QString::fromLatin1(w->metaObject()->className());
        if (steps_.empty()) {
            faults << QStringLiteral("unexpected ") + name;
            w->close();
        } else {
            seen << name;
            const Step step = std::move(steps_.front());
            steps_.pop_front();
            step(w);
            if (current_ && current_->isVisible()) {
                faults << QStringLiteral("left open ") + name;
                current_->close();
            }
        }
        busy_ = false;
    }

    QTimer timer_;
    std::deque<Step> steps_;
    QPointer<QWidget> current_;
    bool busy_ = false;
};

} // namespace drilltest
