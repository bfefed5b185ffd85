#pragma once

#include "Picture.h"

class CGlobuleDoc;
class CMainFrame;
class CRecentFileList;

// The recent files as the program keeps them, as the model names them.
QStringList RecentOf(const CRecentFileList& recent);

// What the program shows now, in the terms the model speaks.
Picture ReadProgram(CMainFrame& frame, const CGlobuleDoc& doc, const CRecentFileList& recent);
