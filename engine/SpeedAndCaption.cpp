#include "document/MatchTables.h"
#include "engine/GlobuleView.h"
#include "platform/CodePage.h"
#include "platform/FilePath.h"

#include <ctime>
#include <cwchar>
#include <string_view>

namespace {

constexpr const char* kCaptionBanner = "Globule, a game of judgement by the Globule developers -- ";
constexpr const char* kVersionLabel = " -- Version " GLOBULE_VERSION_LABEL;
// A window manager or X server may refuse a title of megabytes, and nobody reads one: the
// label and the path show at most this many characters each.
constexpr std::size_t kCaptionLabelChars = 64;
constexpr std::size_t kCaptionPathChars = 160;
constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // U+2026 in UTF-8

// The local time in the locale's own words: the wide form needs no guess at its encoding.
std::string LocalTimeStamp(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    wchar_t wide[128] = {};
    const std::size_t length = std::wcsftime(wide, std::size(wide), L"%c", &local);
    std::string stamp;
    for (std::size_t i = 0; i < length; ++i) {
        codepage::AppendUtf8(stamp, static_cast<char32_t>(wide[i]));
    }
    return stamp;
}

// The start of a code-page text as UTF-8; one code-page byte is one character.
std::string HeadOf(std::string_view codePageText, std::size_t chars) {
    if (codePageText.size() <= chars) {
        return codepage::ToUtf8(codePageText);
    }
    return codepage::ToUtf8(codePageText.substr(0, chars)) + std::string(kEllipsis);
}

// The end of a UTF-8 path, where its file name is.
std::string TailOf(std::string_view utf8, std::size_t chars) {
    std::size_t start = utf8.size();
    std::size_t counted = 0;
    while (start > 0 && counted < chars) {
        --start;
        if ((static_cast<unsigned char>(utf8[start]) & 0xC0) != 0x80) {
            ++counted;
        }
    }
    if (start == 0) {
        return std::string(utf8);
    }
    return std::string(kEllipsis) + std::string(utf8.substr(start));
}

} // namespace

void CGlobuleView::SetSpeed(int index) {
    const match::SpeedRow& row = match::kSpeeds[static_cast<std::size_t>(index)];
    m_document.m_nTimerInterval = row.intervalMs;
    m_document.m_nSpeedIndex = index;
    m_nSpeed = index;
    m_document.m_strSpeed = row.label;
    UpdateCaption();
}

bool CGlobuleView::OnUpdateSpeed(int index) const {
    return m_nScreen == match::kScreenScore && m_nSpeed != index;
}

bool CGlobuleView::OnUpdateFileOpen() const {
    return m_nScreen == match::kScreenScore;
}

bool CGlobuleView::OnUpdateFileSave() const {
    return m_nScreen == match::kScreenScore;
}

bool CGlobuleView::OnUpdateFileSaveAs() const {
    return m_nScreen == match::kScreenScore && m_document.m_szFileName == match::kNoFile;
}

bool CGlobuleView::OnUpdateChangeNames() const {
    return m_nScreen == match::kScreenScore;
}

void CGlobuleView::UpdateCaption() {
    m_timeNow = std::time(nullptr);
    m_strTimeStamp = LocalTimeStamp(m_timeNow);
    m_strCaption = kCaptionBanner;
    m_strCaption += m_strTimeStamp;
    m_strCaption += kVersionLabel;
    m_strCaption += " -- ";
    m_strCaption += HeadOf(m_document.m_strSpeed, kCaptionLabelChars);
    m_strCaption += " -- Current File is:  ";
    m_strCaption += TailOf(filepath::Shown(m_document.m_szFileName), kCaptionPathChars);
    m_host.SetWindowText(m_strCaption);
}
