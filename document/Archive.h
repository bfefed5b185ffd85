#pragma once

#include <string>
#include <utility>

// What the file commands hand to Serialize: the direction, the file's full path, and the bytes
// (the whole file when loading; filled by Serialize when storing). The file itself is opened,
// read and written by the commands around it.
class CArchive {
public:
    enum Mode { store, load };

    CArchive(Mode mode, std::string filePath, std::string bytes = {})
        : m_mode(mode), m_path(std::move(filePath)), m_bytes(std::move(bytes)) {}

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }
    // The file's full path, as the file system names it.
    const std::string& GetFilePath() const { return m_path; }
    std::string& Bytes() { return m_bytes; }
    // A store the player chose before the match is discarded: no screen refuses it.
    void SetAnyScreen(bool anyScreen) { m_anyScreen = anyScreen; }
    bool AnyScreen() const { return m_anyScreen; }

private:
    Mode m_mode;
    std::string m_path;
    std::string m_bytes;
    bool m_anyScreen = false;
};
