#include "platform/FakeViewHost.h"

#include <algorithm>

FakeViewHost::FakeViewHost(int width, int height) : m_image(width, height, QImage::Format_RGB32) {
    m_image.fill(0xFFFFFFFFu);
}

bool FakeViewHost::SetTimer(int id, int periodMs) {
    if (std::find(failingTimers.begin(), failingTimers.end(), id) != failingTimers.end()) {
        return false;
    }
    m_timers[id] = periodMs;
    timerStarts.push_back({id, periodMs});
    return true;
}

void FakeViewHost::KillTimer(int id) {
    m_timers.erase(id);
}

void FakeViewHost::SetWindowText(const std::string& caption) {
    captions.push_back(caption);
}

void FakeViewHost::PlaySound(unsigned id, bool wait) {
    sounds.push_back({id, wait});
}

void FakeViewHost::Pause(int periodMs) {
    pauses.push_back(periodMs);
    if (onPause) {
        onPause();
    }
}

CRect FakeViewHost::GetClientRect() const {
    return CRect(0, 0, m_image.width(), m_image.height());
}

void FakeViewHost::ShowMessage(const std::string& text) {
    messages.push_back(text);
    if (onMessage) {
        onMessage(text);
    }
}

int FakeViewHost::TimerPeriod(int id) const {
    const auto it = m_timers.find(id);
    return it == m_timers.end() ? -1 : it->second;
}
