#include "engine/GlobuleView.h"

void CGlobuleView::PlaySoundAsync(unsigned id) {
    m_host.PlaySound(id, false);
}

void CGlobuleView::PlaySoundSync(unsigned id) {
    m_host.PlaySound(id, true);
}
