#pragma once

#include "platform/ViewHost.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// A view host for tests: records what the view asks of the desktop and never waits.
// Tests fire timers themselves by calling the view's OnTimer.
class FakeViewHost : public IViewHost {
public:
    explicit FakeViewHost(int width = 1024, int height = 710);

    bool SetTimer(int id, int periodMs) override;
    void KillTimer(int id) override;
    void SetWindowText(const std::string& caption) override;
    void PlaySound(unsigned id, bool wait) override;
    void Pause(int periodMs) override;
    CRect GetClientRect() const override;
    QImage& ClientImage() override { return m_image; }
    void ShowMessage(const std::string& text) override;

    bool TimerRunning(int id) const { return m_timers.count(id) != 0; }
    int TimerPeriod(int id) const;

    struct TimerStart {
        int id;
        int periodMs;
    };
    struct Sound {
        unsigned id;
        bool wait;
        bool operator==(const Sound&) const = default;
    };

    std::vector<std::string> messages;
    std::vector<std::string> captions;
    std::vector<Sound> sounds;
    std::vector<TimerStart> timerStarts;
    std::vector<int> pauses; // each pause's period; a pause returns at once
    // Timers whose start should fail, to exercise the view's handling of that.
    std::vector<int> failingTimers;
    // Runs while a message box is "open", to see the state the view left behind it.
    std::function<void(const std::string&)> onMessage;
    // Runs during a pause, to see what the view shows while the player looks.
    std::function<void()> onPause;

private:
    QImage m_image;
    std::map<int, int> m_timers;
};
