#include "document/Archive.h"
#include "document/FileTexts.h"
#include "document/GlobuleDoc.h"
#include "document/MatchFormat.h"
#include "document/MatchTables.h"
#include "platform/MessageBox.h"

CGlobuleDoc::SerializeResult CGlobuleDoc::Serialize(CArchive& ar, IMessageBox& messages) {
    if (ar.IsStoring()) {
        // Off the Score screen only a save chosen before the match is discarded goes ahead:
        // the record is whole between games, and a refusal then would lose it.
        if (m_nViewScreen != match::kScreenScore && !ar.AnyScreen()) {
            messages.ShowMessage(filetext::kCannotSaveNow);
            return SerializeResult::Refused;
        }
        m_szFileName = ar.GetFilePath();
        ar.Bytes() = matchfile::Store(*this);
        m_bUnsavedResults = 0;
        return SerializeResult::Done;
    }

    if (!LoadAllowed()) {
        messages.ShowMessage(filetext::kCannotOpenNow);
        return SerializeResult::Refused;
    }
    CGlobuleDoc scratch = *this;
    if (!matchfile::Load(ar.Bytes(), scratch)) {
        return SerializeResult::UnexpectedFormat;
    }
    scratch.m_szFileName = ar.GetFilePath();
    scratch.m_bNothingLoaded = 0;
    *this = std::move(scratch);
    return SerializeResult::Done;
}

bool CGlobuleDoc::LoadAllowed() const {
    return m_nViewScreen == match::kScreenHome || m_nViewScreen == match::kScreenScore;
}
