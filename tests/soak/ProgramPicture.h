#pragma once

#include "Picture.h"

class CGlobuleDoc;
class CMainFrame;
class CRecentFileList;

// What the program shows now, in the terms the model speaks.
Picture ReadProgram(CMainFrame& frame, const CGlobuleDoc& doc, const CRecentFileList& recent);
