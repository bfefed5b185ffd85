#pragma once

#include "document/HallOfFame.h"

#include <QString>

// The hall of fame on disk: read without trusting the file, written whole or not at all.
struct HallRead {
    enum class State { Missing, Read, Damaged };
    State state = State::Missing;
    hall::Table table;
    QString problem; // when damaged: what is wrong with the file, for the player
};
HallRead ReadHallFile(const QString& path);

struct HallRecord {
    bool entered = false;
    QString note; // what the player should know of the file, when anything befell it
};
// Enters a game in the hall kept at `path`. The file is read afresh, since another copy of the
// game may have written it since. A damaged file is never written over: it is set aside under
// a name of its own and a new hall is started.
HallRecord RecordInHallFile(const QString& path, const hall::Entry& game);
