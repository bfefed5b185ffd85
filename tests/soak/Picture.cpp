#include "Picture.h"

#include <cstdio>
#include <sstream>

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text.size() > 80 ? text.substr(0, 80) + "..." : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}

std::string Show(const std::string& text) {
    return Quoted(text);
}
std::string Show(int value) {
    return std::to_string(value);
}
std::string Show(bool value) {
    return value ? "true" : "false";
}
std::string Show(const QSize& size) {
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}
std::string Show(const QStringList& list) {
    return "{" + list.join(QStringLiteral(", ")).toStdString() + "}";
}

class Lister {
public:
    template <typename T> void Field(const std::string& name, const T& expected, const T& actual) {
        if (!(expected == actual)) {
            m_out << name << ": expected " << Show(expected) << ", program " << Show(actual)
                  << "\n";
        }
    }
    void Columns(const Picture& e, const Picture& a) {
        for (int p = 0; p < 6; ++p) {
            const std::string at = "[" + std::to_string(p) + "]";
            Field("name" + at, e.names[p], a.names[p]);
            Field("lastGame" + at, e.lastGame[p], a.lastGame[p]);
            Field("allGames" + at, e.allGames[p], a.allGames[p]);
            Field("numGames" + at, e.numGames[p], a.numGames[p]);
            Field("average" + at, e.average[p], a.average[p]);
            Field("bestGame" + at, e.bestGame[p], a.bestGame[p]);
            Field("active" + at, e.active[p], a.active[p]);
        }
    }
    void Match(const Picture& e, const Picture& a) {
        Columns(e, a);
        Field("pot", e.pot, a.pot);
        Field("sortRow", e.sortRow, a.sortRow);
        Field("speedIndex", e.speedIndex, a.speedIndex);
        Field("interval", e.interval, a.interval);
        Field("label", e.label, a.label);
        Field("fileName", e.fileName, a.fileName);
        Field("pathName", e.pathName, a.pathName);
        Field("nothingLoaded", e.nothingLoaded, a.nothingLoaded);
        Field("unsaved", e.unsaved, a.unsaved);
        Field("screen mirror", e.mirror, a.mirror);
    }
    std::string Text() const { return m_out.str(); }

private:
    std::ostringstream m_out;
};

} // namespace

std::string Differences(const Picture& e, const Picture& a) {
    Lister list;
    list.Match(e, a);
    list.Field("screen", e.screen, a.screen);
    list.Field("page", e.page, a.page);
    list.Field("activePlayer", e.activePlayer, a.activePlayer);
    list.Field("view speed", e.viewSpeed, a.viewSpeed);
    list.Field("showJackpot", e.showJackpot, a.showJackpot);
    list.Field("crossStep", e.crossStep, a.crossStep);
    list.Field("laid out", e.fixed, a.fixed);
    list.Field("refused", e.bad, a.bad);
    list.Field("timer 1", e.timer1, a.timer1);
    list.Field("timer 2", e.timer2, a.timer2);
    list.Field("holding", e.holding, a.holding);
    list.Field("client", e.client, a.client);
    list.Field("recent", e.recent, a.recent);
    const bool titleAgrees = e.titleIsTail ? a.title.size() >= e.title.size() &&
                                                 a.title.compare(a.title.size() - e.title.size(),
                                                                 e.title.size(), e.title) == 0
                                           : a.title == e.title;
    if (!titleAgrees) {
        list.Field(e.titleIsTail ? "title ending" : "title", e.title, a.title);
    }
    return list.Text();
}

std::string MatchDifferences(const Picture& before, const Picture& after) {
    Lister list;
    list.Match(before, after);
    list.Field("screen", before.screen, after.screen);
    list.Field("page", before.page, after.page);
    list.Field("activePlayer", before.activePlayer, after.activePlayer);
    list.Field("crossStep", before.crossStep, after.crossStep);
    list.Field("showJackpot", before.showJackpot, after.showJackpot);
    list.Field("title", before.title, after.title);
    list.Field("recent", before.recent, after.recent);
    return list.Text();
}
