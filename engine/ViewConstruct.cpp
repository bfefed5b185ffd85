#include "engine/GlobuleView.h"

#include <cstdlib>
#include <ctime>

CGlobuleView::CGlobuleView(CGlobuleDoc& document, IViewHost& host)
    : m_document(document), m_host(host) {
    m_bResolutionFixed = 0;
    m_bBadResolution = 0;
    m_nPinY = 0;
    m_nPinX = 0;
    m_nScreen = 0;

    // Every random draw of the game (blob composition, cross-hair order) comes from this seed.
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    m_nActivePlayer = 0;
    m_bShowJackpot = 0;
    m_nHelpPage = 0;
    m_nSpeed = 2;

    m_bmpPot.LoadBitmap(130);
    m_bmpBanner.LoadBitmap(132);
    m_bmpKeyLegend.LoadBitmap(133);
    m_bmpPinCenter.LoadBitmap(134);

    m_penRed.CreatePen(1, RGB(255, 0, 0));
    m_penBlue.CreatePen(1, RGB(0, 0, 255));
    m_penBlack.CreatePen(1, RGB(0, 0, 0));
    m_penMagenta.CreatePen(1, RGB(255, 0, 255));
    m_penMagentaWide.CreatePen(6, RGB(255, 0, 255));
    m_penGreenWide.CreatePen(6, RGB(0, 128, 64));
    m_penNavyWide.CreatePen(6, RGB(0, 0, 128));
    m_brRed.CreateSolidBrush(RGB(255, 0, 0));
    m_brPeach.CreateSolidBrush(RGB(255, 200, 160));
    m_brTeal.CreateSolidBrush(RGB(0, 160, 160));
    m_brOrange.CreateSolidBrush(RGB(255, 128, 64));
    m_brPurple.CreateSolidBrush(RGB(200, 64, 200));
    m_brLightGreen.CreateSolidBrush(RGB(128, 255, 64));
    m_brLightRed.CreateSolidBrush(RGB(255, 64, 64));
    m_brLightBlue.CreateSolidBrush(RGB(64, 128, 255));
    m_brGrey.CreateSolidBrush(RGB(128, 128, 128));
    m_brGreen.CreateSolidBrush(RGB(0, 192, 0));
    m_brPaleGreen.CreateSolidBrush(RGB(220, 255, 220));
    m_brCyan.CreateSolidBrush(RGB(0, 255, 255));
    m_brBlack.CreateSolidBrush(RGB(0, 0, 0));
    m_brPalePink.CreateSolidBrush(RGB(255, 240, 240));
    m_brBlue.CreateSolidBrush(RGB(0, 0, 255));
    m_fontBanner.CreateFont(44, "Arial Black");

    m_rcDefault = CRect(0, 0, 800, 480);

    LoadBuiltInData();
}
