#pragma once
// The setup window's designed layout: every control with its parent, position (relative to the
// parent's client area), kind, bevels, colours, font and text. Within one parent a later row lies
// on top of an earlier one. The top-level sections are listed in tab order.

#include <cstdint>

#include "Texts.h"

namespace pausarium::setup::design {

inline constexpr int kClientWidth = 269;
inline constexpr int kClientHeight = 373;
inline constexpr int kFontHeight = 11;  // "MS Sans Serif", 8 points at 96 dots per inch

enum class Kind { GroupFrame, Heading, Panel, Toggle, Radio, TrackBar, TextBlock, Label, PushButton };

enum Id : int {
    GroupBox1 = 100, StaticText1, pnAutorun, Panel5, sbAddToAutorun, sbRemoveFromAutorun,
    Panel1, StaticText2, rb30_5, rb50_10, rb90_15,
    Panel2, Memo1,
    Panel3, pnHigh, Memo3, StaticText5, pnNormal, StaticText4, Memo2, pnNone, StaticText3, Panel4, tbPLevel,
    Panel6, BitBtn2,
    None = 0
};

// Colours: 0x00BBGGRR, or a system colour index with the top bit set.
inline constexpr std::uint32_t sys(int index) { return 0x80000000u | static_cast<std::uint32_t>(index); }
inline constexpr std::uint32_t kBtnFace = sys(15);    // COLOR_BTNFACE
inline constexpr std::uint32_t kBtnShadow = sys(16);  // COLOR_BTNSHADOW
inline constexpr std::uint32_t kWindowText = sys(8);  // COLOR_WINDOWTEXT
inline constexpr std::uint32_t kWhite = 0xFFFFFF, kGrey = 0x808080, kSilver = 0xC0C0C0;
inline constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;

// Bevels of panels.
inline constexpr unsigned kOuterLowered = 1, kInnerRaised = 2, kSingleBorder = 4, kSunkenEdge = 8,
                       kGroupFrame = 16;  // the standard group frame, no title

// A track bar's scale: its range, tick spacing, thumb length, the steps of the arrow and page
// keys, its selection range and its position as designed.
struct TrackBarScale {
    int minimum, maximum;
    int tickFrequency;
    int thumbLength;
    int lineSize, pageSize;
    int selectionStart, selectionEnd;
    int position;
};

struct Control {
    Id id;
    Kind kind;
    Id parent;  // None: the window
    int x, y, w, h;
    unsigned bevel;
    std::uint32_t background;
    std::uint32_t foreground;
    bool bold;
    bool disabled;
    bool hidden;
    const char* text;
    const TrackBarScale* scale = nullptr;  // track bars only
};

// tbPLevel: 0 raised protection (top), 1 normal (bottom).
inline constexpr TrackBarScale kLevelScale{.minimum = 0, .maximum = 1, .tickFrequency = 1, .thumbLength = 30,
                                           .lineSize = 5, .pageSize = 8, .selectionStart = 0, .selectionEnd = 0,
                                           .position = 1};

namespace t = texts;
inline constexpr Control kControls[] = {
    {GroupBox1, Kind::GroupFrame, None, 0, 0, 269, 93, kGroupFrame, kBtnFace, kWindowText, false, false, false, ""},
    {StaticText1, Kind::Heading, GroupBox1, 4, 12, 261, 17, kSunkenEdge, kBtnShadow, kWhite, false, false, false, t::kAutorunHeading.c_str()},
    {pnAutorun, Kind::Panel, GroupBox1, 4, 32, 261, 57, kOuterLowered, kRed, kWindowText, false, false, false, ""},
    {Panel5, Kind::Panel, pnAutorun, 4, 4, 253, 49, kInnerRaised, kBtnFace, kWindowText, false, false, false, ""},
    {sbAddToAutorun, Kind::Toggle, Panel5, 4, 4, 245, 21, 0, kBtnFace, kWindowText, false, false, false, t::kAddDesign.c_str()},
    {sbRemoveFromAutorun, Kind::Toggle, Panel5, 4, 24, 245, 21, 0, kBtnFace, kWindowText, false, false, false, t::kRemoveDesign.c_str()},
    {Panel1, Kind::Panel, None, 0, 96, 269, 85, kInnerRaised | kOuterLowered, kBtnFace, kWindowText, false, false, false, ""},
    {StaticText2, Kind::Heading, Panel1, 4, 8, 261, 17, kSunkenEdge, kBtnShadow, kWhite, false, false, false, t::kRegimeHeading.c_str()},
    {rb30_5, Kind::Radio, Panel1, 4, 28, 205, 17, 0, kBtnFace, kWindowText, false, true, false, t::kRadio30_5.c_str()},
    {rb50_10, Kind::Radio, Panel1, 4, 44, 233, 17, 0, kBtnFace, kWindowText, true, true, false, t::kRadio50_10.c_str()},
    {rb90_15, Kind::Radio, Panel1, 4, 60, 205, 17, 0, kBtnFace, kWindowText, false, true, false, t::kRadio90_15.c_str()},
    {Panel2, Kind::Panel, None, 0, 304, 269, 33, kSingleBorder, kBtnShadow, kWindowText, false, true, false, ""},
    {Memo1, Kind::TextBlock, Panel2, 4, 0, 261, 26, 0, kBtnShadow, kWhite, false, false, false, t::kRestartNotice.c_str()},
    {Panel3, Kind::Panel, None, 0, 184, 269, 117, kInnerRaised | kOuterLowered, kBtnFace, kWindowText, false, false, false, ""},
    {pnHigh, Kind::Panel, Panel3, 56, 32, 205, 77, kOuterLowered, kSilver, kWindowText, false, true, true, ""},
    {Memo3, Kind::TextBlock, pnHigh, 4, 20, 197, 57, 0, kSilver, kWindowText, false, false, false, t::kHighText.c_str()},
    {StaticText5, Kind::Label, pnHigh, 4, 4, 197, 13, 0, kGrey, kWhite, true, false, false, t::kHighHeading.c_str()},
    {pnNormal, Kind::Panel, Panel3, 56, 32, 205, 77, kOuterLowered, kSilver, kWindowText, false, true, false, ""},
    {StaticText4, Kind::Label, pnNormal, 4, 4, 197, 13, 0, kGrey, kWhite, true, false, false, t::kNormalHeading.c_str()},
    {Memo2, Kind::TextBlock, pnNormal, 4, 20, 197, 57, 0, kSilver, kWindowText, false, false, false, t::kNormalText.c_str()},
    {pnNone, Kind::Panel, Panel3, 56, 32, 205, 77, kOuterLowered, kGrey, kWhite, true, true, false, t::kNoneCaption.c_str()},
    {StaticText3, Kind::Heading, Panel3, 4, 8, 261, 17, kSunkenEdge, kBtnShadow, kWhite, false, false, false, t::kLevelHeading.c_str()},
    {Panel4, Kind::Panel, Panel3, 4, 28, 49, 85, 0, kBtnFace, kWindowText, false, false, false, ""},
    {tbPLevel, Kind::TrackBar, Panel4, 4, -4, 41, 93, 0, kBtnFace, kWindowText, false, false, false, "", &kLevelScale},
    {Panel6, Kind::Panel, None, 0, 340, 269, 29, kOuterLowered, kBlue, kWindowText, false, false, false, ""},
    {BitBtn2, Kind::PushButton, Panel6, 4, 4, 261, 21, 0, kBtnFace, kWindowText, false, false, false, t::kExit.c_str()},
};

}  // namespace pausarium::setup::design
