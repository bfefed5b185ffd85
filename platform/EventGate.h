#pragma once

#include <deque>
#include <functional>

// The way events reach the game view, as they would reach a window of a single user-interface
// thread: one at a time, possibly nested in a modal loop. A handler that waits (for a sound)
// holds the program as a blocked thread would: until it has returned, nothing else reaches the
// view, and what came meanwhile follows in order.
class EventGate {
public:
    // Runs `event` now, or after the hold in progress.
    void Dispatch(std::function<void()> event);
    // Runs `event` now, even during a hold: for what a blocked thread still does (drop a tick).
    void Run(const std::function<void()>& event);
    // The handler being run waits: the hold lasts until it returns. Outside a handler, nothing.
    void Hold();
    bool Holding() const { return m_holding; }
    // Called as each hold ends, once what it held back has run.
    void SetAfterHold(std::function<void()> afterHold) { m_afterHold = std::move(afterHold); }

private:
    int m_depth = 0; // events being handled, nested in modal loops
    bool m_holding = false;
    std::deque<std::function<void()>> m_heldBack;
    std::function<void()> m_afterHold;
};
