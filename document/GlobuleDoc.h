#pragma once

#include <cstdint>
#include <string>

class CArchive;
class IMessageBox;

// The match record: everything about the current match that outlives a single game.
// Strings are Windows-1252 bytes. Fields are public; the view reads and writes them directly.
class CGlobuleDoc {
public:
    using LONG = std::int32_t;

    CGlobuleDoc();

    // The new-match reset; returns true as the framework step always succeeds here.
    bool OnNewDocument();

    enum class SerializeResult {
        Done,             // stored into, or loaded from, the archive
        Refused,          // the screen forbids it; the user has been told; nothing changed
        UnexpectedFormat, // the file is not a complete match; nothing changed
    };
    // Stores the match into, or loads it from, the archive. A load reads into a scratch copy
    // and replaces the match only when the whole file has been read.
    SerializeResult Serialize(CArchive& ar, IMessageBox& messages);
    // Whether the screen lets a file be loaded into the record now (Home and Score).
    bool LoadAllowed() const;

    std::string m_strPlayerName[10];
    std::string m_strSpeed;
    // Full path of the match file last loaded or saved, or "None.". Any length. The file
    // system's bytes, not code-page text, and not always valid UTF-8: it is shown decoded
    // (platform/FilePath.h), never stored.
    std::string m_szFileName;
    LONG m_lLastGame[10];
    LONG m_lAllGames[10];
    LONG m_lNumGames[10];
    LONG m_lAverage[10];
    LONG m_lBestGame[10];
    LONG m_lActive[10];
    LONG m_lPot;
    int m_nViewScreen;
    int m_nSortRow;
    int m_bNothingLoaded;
    int m_bUnsavedResults;
    int m_nSpeedIndex;
    int m_nTimerInterval;

    // The document's own path (the file system's bytes), as the file commands know it: empty
    // for a new match.
    std::string m_strPathName;
};
