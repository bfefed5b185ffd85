#include "platform/EventGate.h"

void EventGate::Dispatch(std::function<void()> event) {
    if (m_holding) {
        m_heldBack.push_back(std::move(event));
        return;
    }
    Run(event);
}

void EventGate::Run(const std::function<void()>& event) {
    ++m_depth;
    event();
    if (--m_depth > 0 || !m_holding) {
        return;
    }
    // The handler that held the program has returned: what came meanwhile now follows in
    // order. One of those may hold the program again; the rest then waits for it.
    m_holding = false;
    while (!m_holding && !m_heldBack.empty()) {
        const std::function<void()> next = std::move(m_heldBack.front());
        m_heldBack.pop_front();
        Run(next);
    }
    if (!m_holding && m_afterHold) {
        m_afterHold();
    }
}

void EventGate::Hold() {
    if (m_depth > 0) {
        m_holding = true;
    }
}
