#pragma once

#include "document/GlobuleDoc.h"
#include "platform/Colour.h"
#include "platform/DrawContext.h"
#include "platform/GdiObjects.h"
#include "platform/Geometry.h"
#include "platform/ViewHost.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

class CChangeNamesDlg;

// A game that ended with a score (not a time-out, nor one given up or dropped).
struct ScoredGame {
    // A match file may hold names of megabytes; no record beyond the match keeps more.
    static constexpr std::size_t kNameBytes = 64;
    int score;
    std::string playerName; // its first kNameBytes, in the code page, as the match holds it
    int intervalMs;         // the speed it was played at
};

// The game view: every piece of state the Home, Score and Play screens need while the program
// runs, and the handlers the window delivers to it. It knows the window only through
// IViewHost. The record is large (its grids are inline), so create it on the heap.
class CGlobuleView : public IViewEvents {
public:
    using BYTE = std::uint8_t;

    // Window timers.
    static constexpr int kPlayTimer = 1;
    static constexpr int kPollTimer = 2;
    static constexpr int kPollPeriodMs = 50;
    static constexpr int kFirstTickMs = 50;

    // Sound resources.
    static constexpr unsigned kSoundJackpotSecond = 101;
    static constexpr unsigned kSoundTimeOut = 102;
    static constexpr unsigned kSoundTick = 103;
    static constexpr unsigned kSoundJackpotFirst = 104;
    static constexpr unsigned kSoundStop = 105;
    static constexpr unsigned kSoundDoubleTick = 106;

    // How long a finished game shows where its centre was, when the player asked for that.
    static constexpr int kCentreShowingMs = 2000;

    CGlobuleView(CGlobuleDoc& document, IViewHost& host);
    CGlobuleView(const CGlobuleView&) = delete;
    CGlobuleView& operator=(const CGlobuleView&) = delete;

    CGlobuleDoc* GetDocument() const { return &m_document; }

    // Window events.
    void OnDraw(CDC& pDC) override;
    void OnKeyDown(unsigned nChar, unsigned nRepCnt, unsigned nFlags) override;
    void OnLButtonDown(unsigned nFlags, CPoint point) override;
    void OnTimer(unsigned nIDEvent) override;

    // Screen flow.
    void EnterScoreScreen();

    // The game in play.
    void StartGame();
    void BuildCrossHairOrder();
    void FindCentre();
    void OnPlayTick();
    void StopGame();
    // The time between two moves of a game, as its first tick reads it from the match.
    int PlayInterval() const;
    // Shows the finished game's blob with its centre, and the pinned point when there is one,
    // and lets the player look at it.
    void ShowCentre(bool pinned);
    // Told of every scored game once the stop is over: for records kept beyond the match.
    void SetScoredGameListener(std::function<void(const ScoredGame&)> listener) {
        m_scoredGameListener = std::move(listener);
    }

    // Score table.
    void SortByName();
    void SortByLastGame();
    void SortByAllGames();
    void SortByNumGames();
    void SortByAverage();
    void SortByBestGame();
    void SwapPlayers(int i, int j);

    // Speed commands, command availability and the window caption.
    void SetSpeed(int index);
    void OnSpeedFastest() { SetSpeed(0); }
    void OnSpeedFast() { SetSpeed(1); }
    void OnSpeedMedium() { SetSpeed(2); }
    void OnSpeedSlow() { SetSpeed(3); }
    void OnSpeedSlowest() { SetSpeed(4); }
    bool OnUpdateSpeed(int index) const;
    bool OnUpdateFileOpen() const;
    bool OnUpdateFileSave() const;
    bool OnUpdateFileSaveAs() const;
    bool OnUpdateChangeNames() const;
    void UpdateCaption();
    // After a load or a reset the record's speed decides which speed item is greyed.
    void FollowDocumentSpeed() { m_nSpeed = m_document.m_nSpeedIndex; }

    // Change Player Names.
    void OnChangeNames(CChangeNamesDlg& dialog);

    // Sound cues.
    void PlaySoundAsync(unsigned id);
    void PlaySoundSync(unsigned id);

    // Drawing as the handlers ask for it: each brings the state its screen shows up to date,
    // then paints it.
    void DrawHomePage(CDC& dc);
    void DrawScoreScreen();
    void DrawPlayScreen();
    void DrawCrossHairs(int entry, CDC& dc);

    // The state the screens show, at the moment the drawing needs it.
    // The averages, the table sorted by the stored row, the active player and the cells.
    void PrepareScoreTable();
    // The picked quarters unpacked, and the blob's pixels counted per column and row.
    void ComposeBlob();
    // The colours under the cross hairs of an entry, to be put back when they move.
    void SaveUnderCrossHairs(int entry, CDC& dc);

    // Painting (render/): it reads the view's state and writes pixels.
    enum class Refusal { TooNarrow, UnsupportedSize };
    // The first paint's display mode, fonts and layout; or the refusal of a size no mode takes.
    std::optional<Refusal> LayOutScreens(CDC& paint);
    void PaintRefusal(CDC& dc, Refusal refusal) const;
    void PaintHomePage(CDC& dc) const;
    void PaintScoreScreen(CDC& dc) const;
    void PaintBlob(CDC& dc) const;
    void PaintCrossHairs(int entry, CDC& dc) const;
    void EraseCrossHairs(int entry, CDC& dc) const;
    void DrawTickCounter(int left, CDC& dc) const;
    void ShowPinCenterLegend(CDC& dc) const;
    void PaintCentreShowing(CDC& dc) const;

    // The blob's quarters, top-left, top-right, bottom-right, bottom-left: each picked shape's
    // pixels and how it is mirrored into place.
    struct QuarterPlacement {
        const BYTE* image;
        bool mirrorX, mirrorY;
    };
    std::array<QuarterPlacement, 4> Quarters() const {
        return {{{m_abQuadTL, false, false},
                 {m_abQuadTR, true, false},
                 {m_abQuadBR, true, true},
                 {m_abQuadBL, false, true}}};
    }

    // Screen position of cross-hair entry k.
    int CrossX(int entry) const { return m_rcBlob.left + m_nCentreX + m_aCrossDx[entry]; }
    int CrossY(int entry) const { return m_rcBlob.top + m_nCentreY + m_aCrossDy[entry]; }

    // ---- Screen and game state --------------------------------------------------------------
    int m_bResolutionFixed{};
    int m_bBadResolution{};
    int m_nScreen{};
    int m_bShowJackpot{};
    int m_nHitIndex{};
    int m_nSortPass{};
    int m_nSortIndex{};
    int m_nSeenDocFlagB{};
    int m_nSeenDocFlagA{};
    int m_nHelpPage{};
    int m_nMarginX{};
    int m_nMarginY{};
    int m_nBannerTop{};
    int m_nBannerGap{};
    int m_nTextFontHeight{};
    int m_nActivePlayer{};
    int m_bJackpotWon{};
    int m_nSpeed{};
    // Column of the player a jackpot is being paid to, followed through the re-sort that comes
    // before the payout; -1 when no payout is due.
    int m_nJackpotColumn{-1};
    // The player's choice to see each game's centre when it ends; off unless asked for.
    int m_bShowCentre{};
    // Pixels from the pinned point to the centre, rounded; -1 when the game timed out.
    int m_nCentreDistance{-1};

    // ---- Blob, centre and cross hairs ---------------------------------------------------------
    int m_aQuadrantPool[9]{};
    int m_aQuadrantPick[8]{};
    int m_aCrossDx[31]{};
    int m_aCrossDy[31]{};
    int m_aOffsetPool[31]{};
    int m_aColumnCount[484]{};
    int m_aRowCount[484]{};
    int m_nCentreX{};
    int m_nCentreY{};
    int m_nCrossStep{};
    int m_nPinX{};
    int m_nPinY{};
    int m_nCentreScreenX{};
    int m_nCentreScreenY{};
    std::int32_t m_aQuadrant[7][2000]{};
    int m_nBitWord{};
    int m_nBlobArea{};
    int m_nBlobAreaCopy{};
    int m_nHalfArea{};
    int m_nMedianOver{};
    int m_nMedianUnder{};
    int m_aPinQuarter[4]{};
    int m_aCentreQuarter[4]{};
    int m_aColumnCumul[484]{};
    int m_aRowCumul[484]{};
    float m_fScore{};
    float m_fPinMinQuarter{};
    float m_fCentreMinQuarter{};
    mutable char m_szNumber[139]{}; // scratch for the numbers being painted
    BYTE m_abQuadTL[240 * 240]{};
    BYTE m_abQuadTR[240 * 240]{};
    BYTE m_abQuadBR[240 * 240]{};
    BYTE m_abQuadBL[240 * 240]{};
    COLORREF m_aSavedRow[484]{};
    COLORREF m_aSavedColumn[484]{};

    // ---- Layout -------------------------------------------------------------------------------
    COLORREF m_crBackground{};
    CRect m_rcClient; // fixed by the first paint
    CRect m_rcDefault;
    CRect m_rcTickBox;
    CRect m_rcQuadTL;
    CRect m_rcQuadTR;
    CRect m_rcQuadBR;
    CRect m_rcQuadBL;
    CRect m_rcBlob; // right and bottom are the last blob column and row themselves
    CRect m_rcTickNumber;
    CRect m_rcTickLabel;
    CRect m_arcTableCell[36]; // player-major: cell (player p, row r) is entry 6p + r
    CRect m_arcRowCaption[6];
    CRect m_rcTableBand;
    CRect m_rcKeyLegend;
    CRect m_rcJackpotArea;
    CRect m_rcJackpotText;
    CRect m_rcFileHint;
    CRect m_rcPot;
    CRect m_rcPotAmount;
    CRect m_rcBanner;
    CRect m_rcHelpText;
    CRect m_rcPageFooter;
    CRect m_rcPinCenter;
    CRect m_rcCentreReport; // the distance and the score, over the pin-centre legend

    // ---- Texts --------------------------------------------------------------------------------
    // UTF-8, unlike the code-page texts: the locale's date may have no code-page form.
    std::string m_strTimeStamp;
    std::string m_strCaption;
    std::string m_strScoreHelp;
    std::string m_strPlayHelp;
    std::string m_strHelpPage;
    std::string m_strPageFooter; // the footer of the Home page being drawn

    // ---- Drawing resources --------------------------------------------------------------------
    CPen m_penRed;
    CPen m_penBlue;
    CPen m_penBlack;
    CPen m_penMagenta;
    CPen m_penMagentaWide;
    CPen m_penGreenWide;
    CPen m_penNavyWide;
    CBrush m_brRed;
    CBrush m_brPeach;
    CBrush m_brBackground;
    CBrush m_brTeal;
    CBrush m_brOrange;
    CBrush m_brPurple;
    CBrush m_brLightGreen;
    CBrush m_brLightRed;
    CBrush m_brLightBlue;
    CBrush m_brGrey;
    CBrush m_brGreen;
    CBrush m_brPaleGreen;
    CBrush m_brCyan;
    CBrush m_brBlack;
    CBrush m_brPalePink;
    CBrush m_brBlue;
    CFont m_fontBanner;
    CFont m_fontText;
    CFont m_fontLarge;
    CFont m_fontMedium;
    std::time_t m_timeNow{};
    CBitmap m_bmpPot;
    CBitmap m_bmpBanner;
    CBitmap m_bmpKeyLegend;
    CBitmap m_bmpPinCenter;

private:
    // The stored quadrant shapes and the texts of the help boxes.
    void LoadBuiltInData();
    void SetScreen(int screen);
    // A client-area drawing context with the usual defaults.
    CDC ClientDC() { return CDC(m_host.ClientImage()); }
    bool OutOfOrder(const std::int32_t* values, int i, int j) const;
    void SortByValues(const std::int32_t* values, int sortRow);
    int CountRedPixels(int left, int top, int right, int bottom, CDC& dc) const;
    void CountQuarters(int x, int y, int* quarters, CDC& dc) const;
    // Until its first paint has laid it out, and after it refused the display, the view
    // takes no keys, clicks or ticks.
    bool IgnoresInput() const { return m_bBadResolution > 0 || m_bResolutionFixed == 0; }
    // The splash shape at the right with its file hint.
    void DrawFileHint(CDC& dc, const CPen& rim, std::span<const CPoint> shape, COLORREF rimColour,
                      COLORREF textColour, const char* text) const;

    CGlobuleDoc& m_document;
    IViewHost& m_host;
    std::function<void(const ScoredGame&)> m_scoredGameListener;
};
