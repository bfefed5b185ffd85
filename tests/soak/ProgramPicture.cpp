#include "ProgramPicture.h"

#include "app/MainFrame.h"
#include "app/QtViewHost.h"
#include "app/RecentFileList.h"
#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"

QStringList RecentOf(const CRecentFileList& recent) {
    QStringList paths;
    for (const std::string& entry : recent.Entries()) {
        paths << QString::fromStdString(entry);
    }
    return paths;
}

Picture ReadProgram(CMainFrame& frame, const CGlobuleDoc& doc, const CRecentFileList& recent) {
    Picture p;
    for (int i = 0; i < 6; ++i) {
        p.names[i] = doc.m_strPlayerName[i];
        p.lastGame[i] = doc.m_lLastGame[i];
        p.allGames[i] = doc.m_lAllGames[i];
        p.numGames[i] = doc.m_lNumGames[i];
        p.average[i] = doc.m_lAverage[i];
        p.bestGame[i] = doc.m_lBestGame[i];
        p.active[i] = doc.m_lActive[i];
    }
    p.pot = doc.m_lPot;
    p.sortRow = doc.m_nSortRow;
    p.speedIndex = doc.m_nSpeedIndex;
    p.interval = doc.m_nTimerInterval;
    p.label = doc.m_strSpeed;
    p.fileName = doc.m_szFileName;
    p.pathName = doc.m_strPathName;
    p.nothingLoaded = doc.m_bNothingLoaded;
    p.unsaved = doc.m_bUnsavedResults;
    p.mirror = doc.m_nViewScreen;

    const CGlobuleView& v = frame.View();
    p.screen = v.m_nScreen;
    p.page = v.m_nHelpPage;
    p.activePlayer = v.m_nActivePlayer;
    p.viewSpeed = v.m_nSpeed;
    p.showJackpot = v.m_bShowJackpot;
    p.crossStep = v.m_nCrossStep;
    p.fixed = v.m_bResolutionFixed;
    p.bad = v.m_bBadResolution;

    QtViewHost& host = frame.Host();
    p.timer1 = host.TimerPeriodForTest(CGlobuleView::kPlayTimer);
    p.timer2 = host.TimerPeriodForTest(CGlobuleView::kPollTimer);
    p.holding = host.Holding();
    p.client = host.ClientImage().size();
    p.recent = RecentOf(recent);
    p.title = frame.windowTitle().toStdString();
    return p;
}
