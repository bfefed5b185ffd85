#include "engine/GlobuleView.h"

void CGlobuleView::OnLButtonDown(unsigned /*nFlags*/, CPoint /*point*/) {}
void CGlobuleView::SortByName() {}
void CGlobuleView::SortByLastGame() {}
void CGlobuleView::SortByAllGames() {}
void CGlobuleView::SortByNumGames() {}
void CGlobuleView::SortByAverage() {}
void CGlobuleView::SortByBestGame() {}
void CGlobuleView::SwapPlayers(int, int) {}
bool CGlobuleView::OutOfOrder(const std::int32_t*, int, int) const { return false; }
void CGlobuleView::SortByValues(const std::int32_t*, int) {}
