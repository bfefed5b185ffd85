#include "engine/GlobuleView.h"

void CGlobuleView::LoadBuiltInData() {}
