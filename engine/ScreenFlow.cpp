#include "document/MatchTables.h"
#include "document/Statistics.h"
#include "engine/GlobuleView.h"
#include "engine/HelpTexts.h"

#include <cstdlib>

void CGlobuleView::SetScreen(int screen) {
    m_nScreen = screen;
    m_document.m_nViewScreen = screen;
}

void CGlobuleView::OnKeyDown(unsigned nChar, unsigned /*nRepCnt*/, unsigned nFlags) {
    // A held key is one press: what the keyboard repeats while it stays down does nothing.
    if (IgnoresInput() || (nFlags & KF_REPEAT) != 0) {
        return;
    }
    UpdateCaption();
    CDC dc = ClientDC();

    switch (nChar) {
    case VK_F1:
        if (m_nScreen == match::kScreenScore) {
            m_host.ShowMessage(m_strScoreHelp);
        } else if (m_nScreen == match::kScreenPlay) {
            // Asking for help during play gives the game up: it counts, without points.
            m_host.KillTimer(kPlayTimer);
            m_document.m_lNumGames[m_nActivePlayer] =
                match::WrapAdd(m_document.m_lNumGames[m_nActivePlayer], 1);
            m_document.m_bUnsavedResults = 1;
            m_host.ShowMessage(m_strPlayHelp);
            SetScreen(match::kScreenHome);
            EnterScoreScreen();
        }
        break;
    case VK_END:
        if (m_nScreen == match::kScreenScore) {
            m_bShowJackpot = 0;
            SetScreen(match::kScreenHome);
            DrawHomePage(dc);
        }
        break;
    case VK_SPACE:
        if (m_nScreen == match::kScreenHome) {
            EnterScoreScreen();
        } else if (m_nScreen == match::kScreenScore) {
            StartGame();
        } else if (m_nScreen == match::kScreenPlay) {
            // Before the first tick there is no position on screen to pin.
            if (m_nCrossStep > 0) {
                StopGame();
            }
        }
        break;
    case VK_NEXT:
        if (m_nScreen == match::kScreenHome) {
            m_nHelpPage = m_nHelpPage + 1 > 12 ? 0 : m_nHelpPage + 1;
            DrawHomePage(dc);
        }
        break;
    case VK_PRIOR:
        if (m_nScreen == match::kScreenHome) {
            m_nHelpPage = m_nHelpPage - 1 < 0 ? 12 : m_nHelpPage - 1;
            DrawHomePage(dc);
        }
        break;
    default:
        break;
    }
}

void CGlobuleView::OnTimer(unsigned nIDEvent) {
    // A tick that was on its way when the view refused the display must not play on behind
    // the message.
    if (IgnoresInput()) {
        return;
    }
    if (nIDEvent == kPlayTimer) {
        OnPlayTick();
        return;
    }
    if (nIDEvent != kPollTimer) {
        return;
    }
    // A file command changed the record behind the Score screen: show it anew, once.
    if (m_nSeenDocFlagA != m_document.m_bNothingLoaded ||
        m_nSeenDocFlagB != m_document.m_bUnsavedResults) {
        m_nSeenDocFlagA = m_document.m_bNothingLoaded;
        m_nSeenDocFlagB = m_document.m_bUnsavedResults;
        EnterScoreScreen();
        m_host.KillTimer(kPollTimer);
        return;
    }
    // Only an event can change the record: until one comes, polling again finds nothing.
    m_host.RestTimerUntilEvent(kPollTimer);
}

void CGlobuleView::EnterScoreScreen() {
    if (m_bBadResolution > 0) {
        return;
    }
    m_nSeenDocFlagB = m_document.m_bUnsavedResults;
    m_nSeenDocFlagA = m_document.m_bNothingLoaded;
    // A load or a new match may have changed the speed; the greyed item must match it.
    FollowDocumentSpeed();
    m_host.KillTimer(kPollTimer);
    m_host.SetTimer(kPollTimer, kPollPeriodMs);
    {
        CDC dc = ClientDC();
        dc.FillRect(m_rcClient, m_brPaleGreen);
    }
    SetScreen(match::kScreenScore);

    // A random order of the seven shapes; the first four make the blob.
    for (int k = 0; k < 7; ++k) {
        m_aQuadrantPool[k] = k;
    }
    int left = 7;
    for (int k = 0; k < 7; ++k) {
        const int r = std::rand() % left;
        m_aQuadrantPick[k] = m_aQuadrantPool[r];
        for (int m = r; m < left - 1; ++m) {
            m_aQuadrantPool[m] = m_aQuadrantPool[m + 1];
        }
        --left;
    }
    m_nBlobArea = 0;
    for (int k = 0; k < 4; ++k) {
        m_nBlobArea += m_aQuadrant[m_aQuadrantPick[k]][0];
    }
    DrawPlayScreen();
    m_nBlobAreaCopy = m_nBlobArea;
    DrawScoreScreen();
}

void CGlobuleView::OnDraw(CDC& pDC) {
    if (m_bBadResolution) {
        return;
    }
    UpdateCaption();
    pDC.SetBkMode(TRANSPARENT);

    if (m_bResolutionFixed == 0) {
        FollowDocumentSpeed(); // Medium for a new match; a file named at start-up may differ
        m_bResolutionFixed = 1;
        // The first paint fixes the view's area for the run: a window of another size later
        // only shows this picture scaled to fit.
        m_rcClient = m_host.GetClientRect();
        if (const std::optional<Refusal> refusal = LayOutScreens(pDC)) {
            PaintRefusal(pDC, *refusal);
            m_bBadResolution = 1;
            return;
        }
    }

    switch (m_nScreen) {
    case match::kScreenHome:
        DrawHomePage(pDC);
        break;
    case match::kScreenPlay:
        // Uncovering the window drops a game in progress without counting it.
        m_host.KillTimer(kPlayTimer);
        SetScreen(match::kScreenHome);
        EnterScoreScreen();
        break;
    default:
        SetScreen(match::kScreenHome);
        EnterScoreScreen();
        break;
    }
}

void CGlobuleView::DrawHomePage(CDC& dc) {
    m_strHelpPage = helptext::AssemblePage(m_nHelpPage);
    m_strPageFooter = helptext::kPageFooters[static_cast<std::size_t>(m_nHelpPage)];
    PaintHomePage(dc);
}
