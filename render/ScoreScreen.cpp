#include "engine/GlobuleView.h"

void CGlobuleView::DrawScoreScreen() {}
