#include "document/MatchTables.h"
#include "engine/GlobuleView.h"

#include <ctime>

namespace {

constexpr const char* kCaptionBanner = "Globule, a game of judgement by the Globule developers -- ";
constexpr const char* kVersionLabel = " -- Version " GLOBULE_VERSION_LABEL;

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

bool CGlobuleView::OnUpdateFileOpen() const { return m_nScreen == match::kScreenScore; }

bool CGlobuleView::OnUpdateFileSave() const { return m_nScreen == match::kScreenScore; }

bool CGlobuleView::OnUpdateFileSaveAs() const {
    return m_nScreen == match::kScreenScore && m_document.m_szFileName == match::kNoFile;
}

bool CGlobuleView::OnUpdateChangeNames() const { return m_nScreen == match::kScreenScore; }

void CGlobuleView::UpdateCaption() {
    m_timeNow = std::time(nullptr);
    char stamp[128] = {};
    std::tm local{};
    localtime_r(&m_timeNow, &local);
    std::strftime(stamp, sizeof stamp, "%c", &local);
    m_strTimeStamp = stamp;
    m_strCaption = kCaptionBanner;
    m_strCaption += m_strTimeStamp;
    m_strCaption += kVersionLabel;
    m_strCaption += " -- ";
    m_strCaption += m_document.m_strSpeed;
    m_strCaption += " -- Current File is:  ";
    m_strCaption += m_document.m_szFileName;
    m_host.SetWindowText(m_strCaption);
}
