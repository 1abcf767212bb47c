#pragma once

#include <deque>
#include <optional>

namespace dovra::toolkit {

// A program-level event: what a handler is dispatched by. Raw input never becomes one; the
// widgets turn the user's actions into these.
struct Event {
    enum class Kind { Control, Menu, Close };
    Kind kind = Kind::Control;
    int number = 0; // control, menu item or window number

    bool operator==(const Event&) const = default;
};

// The program's own queue of events on top of Qt's. Taking an event lets Qt deliver the input
// behind it first, so typed characters reach their fields even while handlers drop the events.
class EventQueue {
public:
    // Blocks until an event is there.
    Event wait();
    // Delivers the input that is waiting, without waiting for more, and takes one event if any.
    std::optional<Event> take();

    void push(const Event& event);
    bool empty() const { return events_.empty(); }

    // While a Silence lives, the program is changing controls itself: nothing it does to them
    // may look like the user's doing.
    class Silence {
    public:
        explicit Silence(EventQueue& queue) : queue_(queue) { ++queue_.silence_; }
        ~Silence() { --queue_.silence_; }
        Silence(const Silence&) = delete;
        Silence& operator=(const Silence&) = delete;

    private:
        EventQueue& queue_;
    };

private:
    std::deque<Event> events_;
    int silence_ = 0;
};

} // namespace dovra::toolkit
