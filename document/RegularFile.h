#pragma once

#include <QByteArray>

class QFile;

// Opens a file to read only when it is a regular file. A named pipe in its place would hold a
// plain open until someone wrote to it, and a device reads as nothing or without end, so the
// open never waits and anything but a regular file is closed again unread. (Not waiting
// changes nothing for a regular file.)
struct RegularFileOpen {
    enum class Outcome { Opened, OpenFailed, NotRegular, Unreadable };
    Outcome outcome = Outcome::OpenFailed;
    int error = 0;       // OpenFailed: the system's error
    bool folder = false; // NotRegular: a folder stands there
};
// On Opened, `file` holds the open file. With `followLinks` false a symbolic link is not
// followed and fails the open with ELOOP.
RegularFileOpen OpenRegularFile(QFile& file, const QByteArray& path, bool followLinks);
