#include "SoakDriver.h"

#include "MatchFileBytes.h"
#include "MatchRules.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

// The main window's sizes: those a display mode takes (some wider than any, narrowed to one,
// some only below 1:1), and those no scale down to 0.75 makes playable.
const std::vector<QSize> kAcceptedFrames = {
    {1024, 768},  {1152, 864}, {1280, 1024}, {1280, 960}, {1280, 768}, {1600, 1200}, {1600, 900},
    {1920, 1080}, {1100, 768}, {2560, 1440}, {1366, 768}, {1024, 700}, {1024, 600}};
const std::vector<QSize> kRefusedFrames = {{640, 480}, {1280, 500}, {1600, 540}, {600, 900}};

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

} // namespace

// ---- Answers ----------------------------------------------------------------------------------

QString SoakDriver::PoolPath() {
    return m_pool[static_cast<std::size_t>(m_random.Below(int(m_pool.size())))];
}

QString SoakDriver::OpenAnswer() {
    switch (m_random.Weighted({70, 10, 20})) {
    case 0:
        return PoolPath();
    case 1:
        return m_random.Pick(m_elsewhere);
    default:
        return QString(); // cancelled
    }
}

QString SoakDriver::SaveAnswer() {
    switch (m_random.Weighted({75, 8, 17})) {
    case 0:
        return PoolPath();
    case 1:
        return m_random.Pick(m_elsewhere);
    default:
        return QString();
    }
}

Modal::Choice SoakDriver::SaveChoice() {
    switch (m_random.Weighted({35, 40, 25})) {
    case 0:
        return Modal::Choice::Save;
    case 1:
        return Modal::Choice::Discard;
    default:
        return Modal::Choice::Cancel;
    }
}

QString SoakDriver::RandomTypedName() {
    // Letters and digits, blanks, two characters of the code page beyond ASCII and two it
    // lacks; sometimes more than the box takes.
    static const QString kAlphabet = QStringLiteral("abcxyzABCXYZ019 -'?\u00e9\u20ac\u0141\u4e2d");
    QString typed;
    const int length = m_random.Chance(15) ? m_random.Between(11, 16) : m_random.Between(1, 8);
    for (int i = 0; i < length; ++i) {
        typed += kAlphabet.at(m_random.Below(int(kAlphabet.size())));
    }
    return typed;
}

std::string SoakDriver::RandomName() {
    switch (m_random.Weighted({50, 8, 6, 6, 6, 6, 4, 4})) {
    case 0:
        return m_random.Pick({std::string("Alice"), std::string("alice"), std::string("Zed"),
                              std::string("zed"), std::string("Bob"), std::string("Burt"),
                              std::string("Cindy"), std::string("X")});
    case 1:
        return std::string();
    case 2:
        return std::string("  ");
    case 3:
        return std::string(static_cast<std::size_t>(m_random.Pick({255, 300, 254, 11})), 'n');
    case 4:
        return Bytes({'J', 0xE9, 'r', 0xF4, 'm', 0xE9});
    case 5:
        return Bytes({0x80, 0x81, 0x8D, 0xFF, 'z'});
    case 6:
        return std::string("Same");
    default:
        return std::string("A\tB");
    }
}

std::string SoakDriver::RecordBytes(bool odd) {
    soakfile::FileRecord record;
    soakfile::Spelling spelling;
    auto oddValue = [this]() -> std::int32_t {
        return m_random.Pick({0, 1, -1, 50, 1000, 1001, INT_MAX, INT_MIN, INT_MAX - 49, -1000});
    };
    const int active = m_random.Below(6);
    for (int i = 0; i < 6; ++i) {
        soakfile::PlayerBlock& p = record.players[static_cast<std::size_t>(i)];
        p.numGames = m_random.Between(0, 20);
        p.lastGame = m_random.Between(0, 1100);
        p.allGames = p.numGames * m_random.Between(0, 1000);
        p.bestGame = std::max(p.lastGame, m_random.Between(0, 1100));
        p.average = m_random.Between(0, 1000);
        p.active = i == active ? 1 : 0;
        if (odd) {
            for (std::int32_t* v :
                 {&p.allGames, &p.lastGame, &p.numGames, &p.average, &p.bestGame}) {
                if (m_random.Chance(40)) {
                    *v = m_random.Chance(80) ? oddValue() : m_random.Int32();
                }
            }
            if (m_random.Chance(30)) {
                p.active = m_random.Pick({0, 1, 2, -1});
            }
        }
        record.names[static_cast<std::size_t>(i)] = RandomName();
        const std::string& name = record.names[static_cast<std::size_t>(i)];
        spelling.wide[static_cast<std::size_t>(i)] =
            m_random.Chance(10) && std::all_of(name.begin(), name.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x80;
            });
    }
    const int speed = m_random.Below(5);
    record.sortRow = m_random.Between(0, 6);
    record.pot = 50 * m_random.Between(0, 20);
    record.speedIndex = speed;
    record.interval = rules::kSpeeds[speed].interval;
    record.label = rules::kSpeeds[speed].label;
    if (odd) {
        if (m_random.Chance(40)) {
            record.sortRow = m_random.Pick({-1, 7, 100, INT_MIN});
        }
        if (m_random.Chance(40)) {
            record.pot = oddValue();
        }
        if (m_random.Chance(40)) {
            record.speedIndex = m_random.Pick({-1, 5, 1000});
        }
        if (m_random.Chance(40)) {
            record.interval = m_random.Pick({0, -1, 1, INT_MAX, -2990, 123});
        }
        if (m_random.Chance(40)) {
            // Labels stay ASCII: the caption shows them as they are.
            record.label = m_random.Pick({std::string(), std::string(80, 'L'),
                                          std::string("Speed: Warp "), std::string(" ")});
        }
    }
    spelling.wide[6] = m_random.Chance(10);
    std::string bytes;
    switch (m_random.Weighted({60, 20, 8, 4, 8})) {
    case 0:
        return soakfile::Encode(record, spelling);
    case 1: // cut anywhere
        bytes = soakfile::Encode(record, spelling);
        return bytes.substr(0,
                            static_cast<std::size_t>(m_random.Between(1, int(bytes.size()) - 1)));
    case 2:
        return std::string(); // an empty file reads nothing and opens
    case 3:                   // a string that claims four gigabytes
        return soakfile::Encode(record).substr(0, 160) +
               Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    default:
        spelling.trailing = Bytes({0x00, 0xFF, 'x', 0x0A});
        return soakfile::Encode(record, spelling);
    }
}

QSize SoakDriver::RandomFrameSize(bool accepted) {
    return accepted ? m_random.Pick(kAcceptedFrames) : m_random.Pick(kRefusedFrames);
}
