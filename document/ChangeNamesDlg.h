#pragma once

#include <string>

// The Change Player Names dialog as the game sees it: six current names shown read-only,
// six new-name boxes of at most 10 characters, OK and Cancel. Row k is the table's column
// k - 1. The window itself is the shell's; DoModal runs it.
class CChangeNamesDlg {
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;
    static constexpr int kNewNameLimit = 10;

    virtual ~CChangeNamesDlg() = default;
    // Shows the strings, lets the user edit, and on OK reads the boxes back into them.
    virtual int DoModal() = 0;

    std::string m_strNewName[6];
    std::string m_strCurrentName[6];
};
