// SPDX-License-Identifier: MIT
// The editor's screen: the shown world drawn as play draws it, the other
// world as the inset, the maker's marks, the cursor and the selection; the
// palette above, the status and the keys below, in the white boxes and the
// font of the game's own screens; and the lists and questions over them.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/game_texts.h"
#include "editor/editor_session.h"
#include "editor/editor_texts.h"
#include "editor/stage_marks.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "platform/shell/player_options.h"
#include "stage/cell_kinds.h"
#include "stage/map_drawing.h"

namespace {

constexpr int LineHeight = 16;
// The palette's box and its entries, 35 pixels apart.
constexpr int PaletteLeft = 164, PaletteTop = 2, PaletteRight = 636, PaletteBottom = 62;
constexpr int EntryLeft = 172, EntryTop = 7, EntryStep = 35;
// The status box at the foot.
constexpr int StatusTop = 436, StatusBottom = 478;
// The other world's inset, as play shows it.
constexpr int32_t InsetWidth = 160, InsetHeight = 120;
// Marks beyond the screen whose enemy pictures reach into it.
constexpr int32_t MarkMarginColumns = 4, MarkMarginRows = 3;
constexpr int MostMarks = 4096;

StageMark Marks[MostMarks];

const COLORREF Ink = RGB(0, 0, 0), Warning = RGB(255, 0, 0);

uint8_t NearestIndex(uint8_t r, uint8_t g, uint8_t b) {
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < 256; i++) {
    if (i == TransparentIndex) continue;
    const int dr = GamePalette[i].peRed - r, dg = GamePalette[i].peGreen - g, db = GamePalette[i].peBlue - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return static_cast<uint8_t>(best);
}

// The editor's own inks beside the marks': the cursor's white and black,
// and the magenta of a cell that a check finds fault with.
struct Inks {
  uint8_t white[3], black[3], fault[3], grey[3];
};

bool OpenCanvas(DDSurface* surface, MarkCanvas* c, Inks* inks) {
  DDSURFACEDESC2 desc{};
  if (Lock(surface, nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return false;
  *c = MarkCanvas{};
  c->pixels = static_cast<uint8_t*>(desc.lpSurface);
  c->width = static_cast<int32_t>(desc.dwWidth);
  c->height = static_cast<int32_t>(desc.dwHeight);
  c->pitch = desc.lPitch;
  c->bytesPerPixel = 1;
  for (int k = 0; k < MarkColours; k++)
    c->ink[k][0] = NearestIndex(MarkColourRgb[k][0], MarkColourRgb[k][1], MarkColourRgb[k][2]);
  c->black[0] = inks->black[0] = NearestIndex(0, 0, 0);
  inks->white[0] = NearestIndex(255, 255, 255);
  inks->fault[0] = NearestIndex(255, 0, 255);
  inks->grey[0] = NearestIndex(128, 128, 128);
  c->digitScale = 2;
  return true;
}

// The map row at the top of the screen, and the first column.
int32_t TopRow(const EditorSession& s, int w) { return s.doc.worlds[w].height - ViewRows - s.scrollRow[w]; }

// A world drawn as play draws it, its view at a column and rows up from
// the bottom band.
void DrawWorld(DDSurface* dest, const EditorSession& s, int w, int32_t column, int32_t up) {
  BltFast(dest, 0, 0, BackgroundSurface, nullptr, DDBLTFAST_WAIT);
  StageMap view = s.derived[w].map;
  view.scrollX = column * CellSize;
  view.scrollY = up * CellSize;
  DrawStageTiles(dest, &view);
}

void DrawMarks(const EditorSession& s) {
  const int w = s.world;
  const int32_t top = TopRow(s, w), left = s.scrollColumn[w];
  const int count = std::min(CollectStageMarks(&s.derived[w].map, top - MarkMarginRows, ViewRows + 2 * MarkMarginRows,
                                               left - MarkMarginColumns, ViewColumns + 1 + 2 * MarkMarginColumns,
                                               Marks, MostMarks),
                             MostMarks);
  const int32_t originX = -left * CellSize, originY = -top * CellSize;
  // The enemies where they will appear, under the frames.
  for (int i = 0; i < count; i++) {
    const StageMark& m = Marks[i];
    if (m.shape != MarkWalkerPicture && m.shape != MarkThrowerPicture) continue;
    BltClipped(BackBuffer, m.x + originX, m.y + originY, EnemySheet, m.sheetLeft, m.sheetTop, m.sheetLeft + m.width,
               m.sheetTop + m.height, BltKeyed);
  }
  MarkCanvas c;
  Inks inks;
  if (!OpenCanvas(BackBuffer, &c, &inks)) return;
  c.originX = originX;
  c.originY = originY;
  for (int i = 0; i < count; i++) PaintStageMark(Marks[i], &c);
  // What the checks find, at its cell.
  for (int i = 0; i < std::min(s.faultCount, MostFaults); i++) {
    const StageFault& f = s.faults[i];
    if (f.world != w || f.row < 0) continue;
    PaintCanvasFrame(&c, (f.column - left) * CellSize + 2, (f.row - top) * CellSize + 2, CellSize - 4, CellSize - 4,
                     inks.fault, i != s.faultChosen);
  }
  // The selection, dashed; the cursor, white in black.
  const CellRect rect = SelectionOrCursor(s);
  const int32_t x = (rect.left - left) * CellSize, y = (rect.top - top) * CellSize;
  if (s.selecting) {
    PaintCanvasFrame(&c, x, y, rect.columns * CellSize, rect.rows * CellSize, inks.white, true);
    PaintCanvasFrame(&c, x + 1, y + 1, rect.columns * CellSize - 2, rect.rows * CellSize - 2, inks.black, true);
  }
  const int32_t cx = (s.column - left) * CellSize, cy = (s.row - top) * CellSize;
  PaintCanvasFrame(&c, cx - 1, cy - 1, CellSize + 2, CellSize + 2, inks.black, false);
  PaintCanvasFrame(&c, cx, cy, CellSize, CellSize, inks.white, false);
  PaintCanvasFrame(&c, cx + 1, cy + 1, CellSize - 2, CellSize - 2, inks.white, false);
  PaintCanvasFrame(&c, cx + 2, cy + 2, CellSize - 4, CellSize - 4, inks.black, false);
  Unlock(BackBuffer, nullptr);
}

// The other world, a quarter the size in the corner as in play, with the
// cursor's place in it.
void DrawOtherWorld(const EditorSession& s) {
  const int o = s.world ^ 1;
  // Its view follows the shown one's, as far as its size lets it.
  const EditorWorld& other = s.doc.worlds[o];
  DrawWorld(OtherWorldSurface, s, o, std::clamp(s.scrollColumn[s.world], 0, other.width - ViewColumns),
            std::clamp(s.scrollRow[s.world], 0, other.height - ViewRows));
  const int32_t cursorX = (s.column - s.scrollColumn[s.world]) * CellSize;
  const int32_t cursorY = (s.row - TopRow(s, s.world)) * CellSize;
  // The inset keeps clear of the cursor: over it, it moves to the foot.
  const int32_t insetY = cursorX < InsetWidth && cursorY < InsetHeight ? StatusTop - 4 - InsetHeight : 0;
  if (insetY == 0) {
    DrawInset(BackBuffer, OtherWorldSurface);
  } else {
    DrawInset(WorkSurface, OtherWorldSurface);
    BltClipped(BackBuffer, 0, insetY, WorkSurface, 0, 0, InsetWidth, InsetHeight, BltOpaque);
  }
  MarkCanvas c;
  Inks inks;
  if (!OpenCanvas(BackBuffer, &c, &inks)) return;
  PaintCanvasFrame(&c, cursorX / 4, insetY + cursorY / 4, CellSize / 4, CellSize / 4, inks.white, false);
  Unlock(BackBuffer, nullptr);
}

void Text(HDC dc, const char* text, int x, int y, COLORREF colour, int right = 632) {
  SetTextColor(dc, colour);
  RECT r{x, y, right, y + LineHeight};
  DrawTextA(dc, text, -1, &r, DT_SINGLELINE);
}

int TextWidth(HDC dc, const char* text) {
  RECT measure{0, 0, ScreenWidth, LineHeight};
  DrawTextA(dc, text, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
  return measure.right - measure.left;
}

void Box(HDC dc, int left, int top, int right, int bottom) {
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  RoundRect(dc, left, top, right, bottom, 10, 10);
}

// The picture of a palette entry, in a 32 x 32 cell.
void DrawEntryPicture(const EditorSession& s, uint8_t entry, int x, int y, MarkCanvas* c, const Inks& inks) {
  PaletteChoice choice = s.palette;
  choice.entry = entry;
  int32_t here, below;
  ValuesOfChoice(choice, &here, &below);
  const uint8_t* ink = nullptr;
  int32_t number = 0;
  switch (entry) {
    case PaletteEmpty: PaintCanvasFrame(c, x, y, CellSize, CellSize, inks.grey, true); return;
    case PaletteMarker:
      ink = c->ink[MarkEvent];
      number = choice.markerEvent;
      break;
    case PaletteSwitch:
      ink = c->ink[MarkEvent];
      number = choice.switchEvent;
      break;
    case PaletteHidden:
      ink = c->ink[MarkHidden];
      number = choice.hiddenGroup;
      PaintCanvasFrame(c, x + 1, y + 1, CellSize - 2, CellSize - 2, ink, false);
      break;
    case PaletteWalker:
    case PaletteThrower: PaintCanvasFrame(c, x, y, CellSize, CellSize, c->ink[MarkEnemy], false); return;
    default: return;
  }
  if (entry == PaletteMarker) PaintCanvasFrame(c, x, y, CellSize, CellSize, ink, false);
  const StageMark mark{MarkNumber, static_cast<uint8_t>(entry == PaletteHidden ? MarkHidden : MarkEvent), x + 3, y + 3,
                       0, 0, number, 0, 0};
  const uint8_t scale = c->digitScale;
  c->digitScale = 1;
  PaintStageMark(mark, c);
  c->digitScale = scale;
}

void DrawPalette(const EditorSession& s) {
  const int entries = s.otherPicked ? PaletteEntries : PaletteOther;
  for (int i = 0; i < entries; i++) {
    const int x = EntryLeft + i * EntryStep, y = EntryTop;
    PaletteChoice choice = s.palette;
    choice.entry = static_cast<uint8_t>(i);
    int32_t here, below;
    ValuesOfChoice(choice, &here, &below);
    CellPicture p;
    if (i == PaletteWalker || i == PaletteThrower) {
      // The enemy's picture, brought down to the cell.
      const RECT source = i == PaletteWalker ? RECT{0, 0, 100, 80} : RECT{0, 100, 64, 164};
      const RECT dest{x, y + 2, x + CellSize, y + CellSize - 2};
      Blt(BackBuffer, &dest, EnemySheet, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
    } else if (i != PaletteMarker && PictureOfCell(here, &p)) {
      BltClipped(BackBuffer, x, y, TileSheet, p.left, p.top, p.left + CellSize, p.top + CellSize,
                 p.keyed ? BltKeyed : BltOpaque);
    }
  }
  MarkCanvas c;
  Inks inks;
  if (!OpenCanvas(BackBuffer, &c, &inks)) return;
  for (int i = 0; i < entries; i++) DrawEntryPicture(s, static_cast<uint8_t>(i), EntryLeft + i * EntryStep, EntryTop, &c, inks);
  // The chosen entry framed in red.
  const int x = EntryLeft + s.palette.entry * EntryStep;
  const uint8_t red[3] = {NearestIndex(255, 0, 0), 0, 0};
  PaintCanvasFrame(&c, x - 2, EntryTop - 2, CellSize + 4, CellSize + 4, red, false);
  PaintCanvasFrame(&c, x - 3, EntryTop - 3, CellSize + 6, CellSize + 6, red, false);
  Unlock(BackBuffer, nullptr);
}

// What a value is, in words: its kind, and its event or group.
std::string DescribeValue(int32_t value) {
  std::string text = EditorText(KindName(KindOfCell(value)));
  char detail[80] = "";
  const uint8_t kind = KindOfCell(value);
  if (kind == CellKindSwitch && EventOfSwitch(value) != 0) {
    std::snprintf(detail, sizeof detail, EditorText(EditorTextEvent), EventOfSwitch(value),
                  EventIsWorldA(EventOfSwitch(value)) ? 'A' : 'B');
  } else if (kind == CellKindMarker) {
    std::snprintf(detail, sizeof detail, EditorText(EditorTextEvent), value, EventIsWorldA(value) ? 'A' : 'B');
  } else if (kind == CellKindHidden) {
    std::snprintf(detail, sizeof detail, EditorText(EditorTextGroup), HiddenGroup(value), HiddenGroup(value) + 200);
  }
  if (detail[0]) text += std::string(" ") + detail;
  return text;
}

std::string ChoiceLine(const EditorSession& s) {
  std::string text = EditorText(PaletteName(s.palette.entry));
  char detail[80] = "";
  switch (s.palette.entry) {
    case PaletteSwitch:
    case PaletteMarker: {
      const int32_t e = ChoiceNumber(s.palette);
      std::snprintf(detail, sizeof detail, EditorText(EditorTextEvent), e, EventIsWorldA(e) ? 'A' : 'B');
      break;
    }
    case PaletteHidden:
      std::snprintf(detail, sizeof detail, EditorText(EditorTextGroup), s.palette.hiddenGroup, s.palette.hiddenGroup + 200);
      break;
    case PaletteOther: std::snprintf(detail, sizeof detail, EditorText(EditorTextValue), s.palette.otherValue); break;
    default: break;
  }
  if (detail[0]) text += std::string("  ") + detail;
  return text;
}

void DrawPanel(HDC dc, const EditorSession& s) {
  if (s.panel == PanelKeys) {
    Box(dc, 12, 70, 628, 428);
    char heading[160];
    std::snprintf(heading, sizeof heading, EditorText(EditorTextKeysHeading), s.packId.c_str());
    Text(dc, heading, 28, 78, Ink);
    RECT r{28, 98, 620, 310};
    SetTextColor(dc, Ink);
    DrawTextA(dc, EditorText(EditorTextKeys), -1, &r, 0);
    RECT p{28, 314, 620, 426};
    DrawTextA(dc, EditorText(EditorTextPadKeys), -1, &p, 0);
  } else if (s.panel == PanelFaults) {
    Box(dc, 12, 70, 628, 428);
    char heading[120];
    std::snprintf(heading, sizeof heading, EditorText(EditorTextFaultsHeading), s.faultCount);
    Text(dc, heading, 28, 80, Ink);
    const int shown = std::min(s.faultCount, MostFaults), lines = 19;
    if (shown == 0) Text(dc, EditorText(EditorTextFaultsEmpty), 28, 104, Ink);
    const int first = std::clamp(s.faultChosen - lines / 2, 0, std::max(0, shown - lines));
    const bool japanese = TextLanguage() == LanguageJapanese;
    for (int i = first; i < std::min(shown, first + lines); i++)
      Text(dc, DescribeStageFault(s.faults[i], japanese).c_str(), 28, 104 + (i - first) * 17,
           i == s.faultChosen ? Warning : Ink, 620);
  }
}

// The name box: what it names, the name as typed with a caret, and why
// the name cannot be taken when it cannot.
void DrawNameBox(HDC dc, const EditorSession& s) {
  Box(dc, 20, 180, 620, 272);
  const char* question = EditorText(s.renaming ? EditorTextRenameQuestion : EditorTextNameQuestion);
  Text(dc, question, (ScreenWidth - TextWidth(dc, question)) / 2, 190, Ink);
  const std::string typed = std::string(s.name) + "_";
  Text(dc, typed.c_str(), (ScreenWidth - TextWidth(dc, typed.c_str())) / 2, 214, Ink);
  const char* answers = EditorText(PadLastUsed() ? EditorTextNameAnswersPad : EditorTextNameAnswers);
  Text(dc, answers, std::max(28, (ScreenWidth - TextWidth(dc, answers)) / 2), 240, Warning);
}

void DrawQuestion(HDC dc, const EditorSession& s) {
  if (s.question == QuestionName) return DrawNameBox(dc, s);
  const bool leave = s.question == QuestionLeave;
  Box(dc, 20, 196, 620, 256);
  const char* question = EditorText(leave ? EditorTextLeaveQuestion : EditorTextRestoreQuestion);
  Text(dc, question, (ScreenWidth - TextWidth(dc, question)) / 2, 206, Ink);
  const bool pad = PadLastUsed();
  const char* answers = EditorText(leave ? (pad ? EditorTextLeaveAnswersPad : EditorTextLeaveAnswers)
                                         : (pad ? EditorTextRestoreAnswersPad : EditorTextRestoreAnswers));
  Text(dc, answers, std::max(28, (ScreenWidth - TextWidth(dc, answers)) / 2), 228, Warning);
}

void DrawWords(const EditorSession& s) {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  SetBkMode(dc, TRANSPARENT);
  // Under the palette: the choice in words.
  Text(dc, ChoiceLine(s).c_str(), EntryLeft, 43, Ink);
  // The status line: where the cursor is and what is there; on its right,
  // the selection, the unsaved mark and the faults.
  const EditorWorld& w = s.doc.worlds[s.world];
  const int32_t value = WorldCell(w, s.row, s.column);
  std::string right;
  if (s.selecting) {
    const CellRect rect = SelectionOrCursor(s);
    char selection[60];
    std::snprintf(selection, sizeof selection, EditorText(EditorTextSelection), rect.columns, rect.rows);
    right += std::string(selection) + "  ";
  }
  if (DocumentChanged(s.doc)) right += std::string(EditorText(EditorTextUnsaved)) + "  ";
  char faults[60];
  std::snprintf(faults, sizeof faults, EditorText(s.faultCount ? EditorTextFaults : EditorTextNoFaults), s.faultCount);
  right += faults;
  const int rightX = 630 - TextWidth(dc, right.c_str());
  Text(dc, right.c_str(), rightX, StatusTop + 4, DocumentChanged(s.doc) || s.faultCount ? Warning : Ink);
  char line[240];
  std::snprintf(line, sizeof line, EditorText(EditorTextStatus), s.world ? 'B' : 'A', s.column, s.row, value,
                DescribeValue(value).c_str());
  Text(dc, line, 10, StatusTop + 4, Ink, rightX - 8);
  Text(dc, EditorText(PadLastUsed() ? EditorTextHelpPad : EditorTextHelpKeys), 10, StatusTop + 22, Ink);
  if (s.messageFlips > 0) {
    const int width = std::min(TextWidth(dc, s.message) + 24, 620);
    const int left = (ScreenWidth - width) / 2;
    Box(dc, left, StatusTop - 26, left + width, StatusTop - 3);
    Text(dc, s.message, left + 12, StatusTop - 22, Warning, left + width - 4);
  }
  DrawPanel(dc, s);
  if (s.question != QuestionNone) DrawQuestion(dc, s);
  ReleaseDC(BackBuffer, dc);
}

void DrawBoxes() {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  Box(dc, PaletteLeft, PaletteTop, PaletteRight, PaletteBottom);
  Box(dc, 2, StatusTop, 638, StatusBottom);
  ReleaseDC(BackBuffer, dc);
}

}  // namespace

bool OverPalette(int32_t x, int32_t y) { return x >= PaletteLeft && x < PaletteRight && y >= PaletteTop && y < PaletteBottom; }
bool OverStatus(int32_t, int32_t y) { return y >= StatusTop; }

int PaletteEntryAt(const EditorSession& s, int32_t x, int32_t y) {
  const int entries = s.otherPicked ? PaletteEntries : PaletteOther;
  if (y < EntryTop - 3 || y >= EntryTop + CellSize + 3 || x < EntryLeft - 1) return -1;
  const int entry = (x - EntryLeft + 1) / EntryStep;
  return entry < entries ? entry : -1;
}

bool CellAtPlace(const EditorSession& s, int32_t x, int32_t y, int32_t* row, int32_t* column) {
  if (x < 0 || y < 0 || x >= ScreenWidth || y >= ScreenHeight || OverPalette(x, y) || OverStatus(x, y)) return false;
  const int w = s.world;
  *row = TopRow(s, w) + y / CellSize;
  *column = s.scrollColumn[w] + x / CellSize;
  return CellInWorld(s.doc.worlds[w], *row, *column);
}

void DrawEditor(const EditorSession& s) {
  DrawWorld(BackBuffer, s, s.world, s.scrollColumn[s.world], s.scrollRow[s.world]);
  DrawMarks(s);
  DrawOtherWorld(s);
  DrawBoxes();
  DrawPalette(s);
  DrawWords(s);
}
