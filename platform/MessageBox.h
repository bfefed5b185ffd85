#pragma once

#include <string>

// The modal message box of the game: an OK button, an exclamation icon and the caption
// "Globule". Show returns once the user has closed the box.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void ShowMessage(const std::string& text) = 0;
};
