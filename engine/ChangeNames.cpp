#include "document/ChangeNamesDlg.h"
#include "document/MatchTables.h"
#include "engine/GlobuleView.h"

void CGlobuleView::OnChangeNames(CChangeNamesDlg& dialog) {
    if (m_bBadResolution) {
        return;
    }
    for (int row = 0; row < match::kPlayers; ++row) {
        dialog.m_strCurrentName[row] = m_document.m_strPlayerName[row];
        dialog.m_strNewName[row].clear();
    }
    if (dialog.DoModal() != CChangeNamesDlg::IDOK) {
        return;
    }
    // An empty box keeps that player's name.
    for (int row = 0; row < match::kPlayers; ++row) {
        if (!dialog.m_strNewName[row].empty()) {
            m_document.m_strPlayerName[row] = dialog.m_strNewName[row];
        }
    }
    if (m_nScreen == match::kScreenScore) {
        DrawScoreScreen();
    }
}
