#include "document/HallOfFame.h"

#include "document/MatchTables.h"
#include "platform/CodePage.h"

#include <QDateTime>
#include <QString>
#include <algorithm>
#include <charconv>

namespace hall {

namespace {

constexpr std::string_view kHeader = "Globule hall of fame 1";
constexpr char kSeparator = '\t';
constexpr std::string_view kSpeedPrefix = "Speed: ";

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A whole number from `least` up, written as the hall writes it: digits only, no leading zero.
bool ReadNumber(std::string_view field, std::int32_t least, std::int32_t& value) {
    if (field.empty() || (field.size() > 1 && field[0] == '0') ||
        !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() && value >= least;
}

std::string UtcText(std::int64_t when) {
    return QDateTime::fromSecsSinceEpoch(when, Qt::UTC).toString(Qt::ISODate).toStdString();
}

// "2026-12-09T19:15:03Z", a real moment, and nothing else.
bool ReadUtc(std::string_view field, std::int64_t& when) {
    constexpr std::string_view kShape = "0000-00-00T00:00:00Z";
    if (field.size() != kShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool digit = field[i] >= '0' && field[i] <= '9';
        if (kShape[i] == '0' ? !digit : field[i] != kShape[i]) {
            return false;
        }
    }
    const QDateTime moment = QDateTime::fromString(
        QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size())), Qt::ISODate);
    if (!moment.isValid()) {
        return false;
    }
    when = moment.toSecsSinceEpoch();
    return UtcText(when) == field; // no 24:00:00, no leap second
}

bool ReadName(std::string_view field, std::string& name) {
    const QByteArray bytes(field.data(), static_cast<qsizetype>(field.size()));
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes) {
        return false; // not UTF-8: the decoder replaced something
    }
    const QList<uint> characters = text.toUcs4();
    if (characters.size() > static_cast<qsizetype>(kMaxNameChars) ||
        std::any_of(characters.begin(), characters.end(), IsControl)) {
        return false;
    }
    name = std::string(field);
    return true;
}

std::string OnLine(std::size_t number, std::string_view what) {
    return "line " + std::to_string(number) + " " + std::string(what);
}

} // namespace

bool Better(const Entry& a, const Entry& b) {
    return a.score > b.score || (a.score == b.score && a.when < b.when);
}

bool Table::Enter(const Entry& game) {
    // After the games it ties with: they were there first.
    const auto place = std::upper_bound(m_entries.begin(), m_entries.end(), game, Better);
    if (place - m_entries.begin() >= static_cast<std::ptrdiff_t>(kPlaces)) {
        return false;
    }
    m_entries.insert(place, game);
    if (m_entries.size() > kPlaces) {
        m_entries.pop_back();
    }
    return true;
}

std::string Table::Format() const {
    std::string text(kHeader);
    text += '\n';
    for (const Entry& entry : m_entries) {
        text += std::to_string(entry.score);
        text += kSeparator;
        text += std::to_string(entry.intervalMs);
        text += kSeparator;
        text += UtcText(entry.when);
        text += kSeparator;
        text += entry.name;
        text += '\n';
    }
    return text;
}

Parsed Parse(std::string_view text) {
    Parsed result;
    auto fail = [&result](std::string problem) {
        result.problem = std::move(problem);
        return result;
    };
    if (text.size() > kMaxFileBytes) {
        return fail("it is larger than " + std::to_string(kMaxFileBytes / 1024) + " KiB");
    }
    if (!text.empty() && text.back() == '\n') {
        text.remove_suffix(1); // the last line's end
    }
    std::vector<Entry> entries;
    std::size_t number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (number == 1) {
            if (line != kHeader) {
                return fail("line 1 is not \"" + std::string(kHeader) + "\"");
            }
            continue;
        }
        if (entries.size() == kPlaces) {
            return fail("it holds more than " + std::to_string(kPlaces) + " games");
        }
        std::string_view fields[4];
        std::size_t from = 0;
        for (int f = 0; f < 3; ++f) {
            const std::size_t tab = line.find(kSeparator, from);
            if (tab == std::string_view::npos) {
                return fail(OnLine(number, "does not hold four fields separated by tabs"));
            }
            fields[f] = line.substr(from, tab - from);
            from = tab + 1;
        }
        fields[3] = line.substr(from);
        Entry entry;
        if (!ReadNumber(fields[0], 0, entry.score)) {
            return fail(OnLine(number, "does not begin with a score of 0 or more"));
        }
        if (!ReadNumber(fields[1], 1, entry.intervalMs)) {
            return fail(OnLine(number, "has no speed in milliseconds"));
        }
        if (!ReadUtc(fields[2], entry.when)) {
            return fail(OnLine(number, "has no date like 2026-12-09T19:15:03Z"));
        }
        if (!ReadName(fields[3], entry.name)) {
            return fail(OnLine(number, "has no name of at most " + std::to_string(kMaxNameChars) +
                                           " characters of UTF-8 text"));
        }
        entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(), Better);
    for (const Entry& entry : entries) {
        result.table.Enter(entry);
    }
    result.ok = true;
    return result;
}

std::string NameForHall(std::string_view codePageName) {
    std::string name;
    for (const char byte : codePageName.substr(0, kMaxNameChars)) {
        const char32_t c = codepage::ToUnicode(static_cast<unsigned char>(byte));
        codepage::AppendUtf8(name, IsControl(c) ? U' ' : c);
    }
    return name;
}

std::string SpeedName(std::int32_t intervalMs) {
    for (const match::SpeedRow& row : match::kSpeeds) {
        if (row.intervalMs == intervalMs) {
            std::string_view label = row.label; // "Speed: Fastest "
            label.remove_prefix(std::min(label.size(), kSpeedPrefix.size()));
            while (!label.empty() && label.back() == ' ') {
                label.remove_suffix(1);
            }
            return std::string(label);
        }
    }
    return std::to_string(intervalMs) + " ms";
}

std::string DateText(std::int64_t when) {
    return QDateTime::fromSecsSinceEpoch(when)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm"))
        .toStdString();
}

} // namespace hall
