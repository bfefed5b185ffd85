#pragma once

#include "platform/Geometry.h"
#include "platform/MessageBox.h"

#include <QImage>
#include <string>

// Keys the game reacts to, by their virtual-key codes.
enum : unsigned {
    VK_SPACE = 32,
    VK_PRIOR = 33, // Page Up
    VK_NEXT = 34,  // Page Down
    VK_END = 35,
    VK_F1 = 112,
};

// Key flags: the key was already down, so this press is the keyboard's auto-repeat.
enum : unsigned { KF_REPEAT = 0x4000 };

class CDC;

// What the window does for the game view: everything the view needs from the desktop.
class IViewHost : public IMessageBox {
public:
    // Window timers by id. Starting an id that runs restarts it with the new period.
    virtual bool SetTimer(int id, int periodMs) = 0;
    virtual void KillTimer(int id) = 0;
    // Until an event next reaches the view, ticks of running timer `id` would find nothing
    // new: the host may let the timer rest until then, and go on at its period after it.
    virtual void RestTimerUntilEvent(int /*id*/) {}
    // The caption is UTF-8: a locale's date need not fit the game's code page.
    virtual void SetWindowText(const std::string& caption) = 0;
    // Plays sound resource `id`; with `wait` returns when it has ended, keeping the window
    // painted but handling no input meanwhile. A missing sound or device is silence.
    virtual void PlaySound(unsigned id, bool wait) = 0;
    // Lets the player look at the window as it is for `periodMs`, or until a fresh key press
    // ends the look; that key goes no further. Like a waited sound, it holds other input back.
    virtual void Pause(int periodMs) = 0;
    virtual CRect GetClientRect() const = 0;
    // The off-screen image of the client area that every drawing context draws into.
    virtual QImage& ClientImage() = 0;
};

// What the window delivers to the game view.
class IViewEvents {
public:
    virtual ~IViewEvents() = default;
    // A repaint, as the desktop asks for one: first show, uncovering, after a modal box.
    virtual void OnDraw(CDC& paintContext) = 0;
    virtual void OnKeyDown(unsigned virtualKey, unsigned repeatCount, unsigned flags) = 0;
    virtual void OnLButtonDown(unsigned flags, CPoint point) = 0;
    virtual void OnTimer(unsigned id) = 0;
};
