#include "document/Archive.h"
#include "document/GlobuleDoc.h"
#include "document/MatchFormat.h"
#include "document/MatchTables.h"
#include "platform/MessageBox.h"

CGlobuleDoc::SerializeResult CGlobuleDoc::Serialize(CArchive& ar, IMessageBox& messages) {
    if (ar.IsStoring()) {
        if (m_nViewScreen != match::kScreenScore) {
            messages.ShowMessage("Cannot save a file at this time");
            return SerializeResult::Refused;
        }
        m_szFileName = ar.GetFilePath();
        ar.Bytes() = matchfile::Store(*this);
        m_bUnsavedResults = 0;
        return SerializeResult::Done;
    }

    if (m_nViewScreen != match::kScreenHome && m_nViewScreen != match::kScreenScore) {
        messages.ShowMessage("Cannot open a file at this time");
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
