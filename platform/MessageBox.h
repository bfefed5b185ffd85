#pragma once

#include <string>

// The modal message box of the game: an OK button, an exclamation icon and the caption
// "Globule". Show returns once the user has closed the box. The text is UTF-8, like the
// view's help texts, so that a file's path is named as the file system names it.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void ShowMessage(const std::string& text) = 0;
};
