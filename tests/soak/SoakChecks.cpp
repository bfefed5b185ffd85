#include "SoakDriver.h"

#include "MatchRules.h"
#include "app/MainFrame.h"
#include "engine/GlobuleView.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace {

std::string ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

} // namespace

// ---- Checks beyond the picture -----------------------------------------------------------------

std::string SoakDriver::CheckFiles() {
    for (const auto& [path, entry] : m_model.Files()) {
        const QFileInfo info(path);
        switch (entry.type) {
        case MatchModel::Entry::Type::Missing:
            if (info.exists()) {
                return path.toStdString() + " exists; the model has it missing";
            }
            break;
        case MatchModel::Entry::Type::Folder:
            if (!info.isDir()) {
                return path.toStdString() + " is not a folder";
            }
            break;
        case MatchModel::Entry::Type::File:
            if (!info.isFile() || ReadAll(path) != entry.bytes) {
                return path.toStdString() + " does not hold the bytes the model expects (" +
                       std::to_string(ReadAll(path).size()) + " bytes, expected " +
                       std::to_string(entry.bytes.size()) + ")";
            }
            break;
        }
    }
    // A saved file loads back to the record it was saved from (the last save to each path).
    std::map<QString, const MatchModel::Saved*> last;
    for (const MatchModel::Saved& saved : m_model.SavedByLastStep()) {
        last[saved.path] = &saved;
    }
    for (const auto& [path, saved] : last) {
        const std::optional<soakfile::FileRecord> loaded = soakfile::Decode(ReadAll(path));
        if (!loaded || !(*loaded == saved->record)) {
            return "the file saved to " + path.toStdString() +
                   " does not load back to the record it was saved from";
        }
    }
    return {};
}

std::string SoakDriver::CheckPositions() {
    if (m_model.Screen() != rules::kPlay || m_model.GamesStarted() == m_checkedGame) {
        return {};
    }
    m_checkedGame = m_model.GamesStarted();
    // Eleven positions: the first axis a shuffle of the offsets with 0 never first or last,
    // the second 0 at the same position and its ten others in an order of their own.
    const CGlobuleView& v = m_frame->View();
    std::vector<int> dx, dyOthers;
    std::string order;
    for (int p = 1; p <= 11; ++p) {
        dx.push_back(v.m_aCrossDx[p]);
        order +=
            " (" + std::to_string(v.m_aCrossDx[p]) + "," + std::to_string(v.m_aCrossDy[p]) + ")";
        if ((v.m_aCrossDx[p] == 0) != (v.m_aCrossDy[p] == 0)) {
            return "position " + std::to_string(p) + " is the centre on one axis only:" + order;
        }
        if (v.m_aCrossDy[p] != 0) {
            dyOthers.push_back(v.m_aCrossDy[p]);
        }
    }
    std::vector<int> offsets = {20, 16, 12, 8, 4, 0, -4, -8, -12, -16, -20};
    std::vector<int> nonZero = {20, 16, 12, 8, 4, -4, -8, -12, -16, -20};
    std::sort(dx.begin(), dx.end());
    std::sort(dyOthers.begin(), dyOthers.end());
    std::sort(offsets.begin(), offsets.end());
    std::sort(nonZero.begin(), nonZero.end());
    if (dx != offsets || dyOthers != nonZero || v.m_aCrossDx[1] == 0 || v.m_aCrossDx[11] == 0) {
        return "the cross-hair positions break their rules:" + order;
    }
    return {};
}
