#include "EventQueue.h"

#include <QCoreApplication>

namespace dovra::toolkit {

Event EventQueue::wait() {
    while (events_.empty()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const Event event = events_.front();
    events_.pop_front();
    return event;
}

std::optional<Event> EventQueue::take() {
    if (events_.empty()) {
        QCoreApplication::processEvents();
    }
    if (events_.empty()) {
        return std::nullopt;
    }
    const Event event = events_.front();
    events_.pop_front();
    return event;
}

void EventQueue::push(const Event& event) {
    if (silence_ == 0) {
        events_.push_back(event);
    }
}

} // namespace dovra::toolkit
