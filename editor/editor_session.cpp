// SPDX-License-Identifier: MIT
// The editor's opening and closing, its frame, and its files: the pack's
// stages read and saved, the autosave written and offered back.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/game.h"
#include "app/game_texts.h"
#include "editor/editor_session.h"
#include "editor/editor_texts.h"
#include "editor/stage_editor.h"
#include "gfx/display.h"
#include "platform/shell/edit_folder.h"
#include "platform/shell/run.h"
#include "sound/sound_effects.h"
#include "stage/stage_file.h"
#include "stage/stage_text.h"

EditorSession Editor;

namespace {

// Each world's stage file in the pack, and its copy in the autosave.
const char* const StageNames[2] = {"stage/fai_kansei.txt", "stage/Magic1234.txt"};
const char* const AutosaveNames[2] = {"autosave/fai_kansei.txt", "autosave/Magic1234.txt"};
// The game's own, through the data lookup.
const char* const GameStageNames[2] = {"stage\\fai_kansei.txt", "stage\\Magic1234.txt"};

// A stage file's text as a grid; false with the loader's line.
bool WorldFromText(const std::string& text, const std::string& name, EditorWorld* out, std::string* why) {
  StageMap map{}, none{};
  if (!LoadStageText(&map, text, name.c_str())) {
    *why = LastStageFault();
    return false;
  }
  *out = WorldFromMap(&map);
  FreeStageMaps(&map, &none);
  return true;
}

// A world's stage: the pack's file, or the game's own when the pack has
// none. A pack file that is there but cannot be read is not replaced.
bool ReadWorld(const std::string& folder, int w, EditorWorld* out, std::string* why) {
  std::string text;
  if (ReadEditFile(folder, StageNames[w], &text, why))
    return WorldFromText(text, EditFilePath(folder, StageNames[w]), out, why);
  if (!why->empty()) {
    std::fprintf(stderr, "twinworlds: %s\n", why->c_str());
    return false;
  }
  StageMap map{}, none{};
  if (!LoadStageFile(&map, GameStageNames[w])) {
    *why = LastStageFault();
    return false;
  }
  *out = WorldFromMap(&map);
  FreeStageMaps(&map, &none);
  return true;
}

bool SameWorld(const EditorWorld& a, const EditorWorld& b) {
  return a.width == b.width && a.height == b.height && a.cells == b.cells;
}

std::string WorldText(const EditorWorld& w) { return FormatStageText(w.width, w.height, w.cells.data()); }

void RemoveAutosave(const std::string& folder) {
  for (const char* name : AutosaveNames) RemoveEditFile(folder, name);
}

// An autosave left by a run that did not save: offered when it differs from
// the pack's stages and is not older than them. One the same as them is
// thrown away.
void LookForAutosave(EditorSession* s) {
  bool any = false, differs = false, newer = true;
  for (int w = 0; w < 2; w++) {
    std::string text, why;
    s->offered[w] = s->doc.worlds[w];
    if (!ReadEditFile(s->folder, AutosaveNames[w], &text, &why)) {
      if (!why.empty()) std::fprintf(stderr, "twinworlds: %s\n", why.c_str());
      continue;
    }
    if (!WorldFromText(text, EditFilePath(s->folder, AutosaveNames[w]), &s->offered[w], &why)) return;
    any = true;
    differs = differs || !SameWorld(s->offered[w], s->doc.worlds[w]);
    newer = newer && EditFileTime(s->folder, AutosaveNames[w]) >= EditFileTime(s->folder, StageNames[w]);
  }
  if (!any) return;
  if (!differs) RemoveAutosave(s->folder);
  else if (newer) s->question = QuestionRestore;
}

void ForgetKeysHeld(EditorSession* s) {
  // Keys down as the editor opens count only once pressed again.
  for (int vk = 0; vk < 256; vk++) s->held[vk] = KeyDown(vk) ? 255 : 0;  // spent
}

}  // namespace

CellRect SelectionOrCursor(const EditorSession& s) {
  if (!s.selecting) return {s.row, s.column, 1, 1};
  const int32_t top = std::min(s.row, s.anchorRow), left = std::min(s.column, s.anchorColumn);
  return {top, left, std::max(s.row, s.anchorRow) - top + 1, std::max(s.column, s.anchorColumn) - left + 1};
}

void ShowMessage(EditorSession* s, const char* text) {
  std::snprintf(s->message, sizeof s->message, "%s", text);
  s->messageFlips = MessageFlips;
}

void RefreshDerived(EditorSession* s) {
  if (s->derivedRevision != s->doc.revision) {
    s->derivedRevision = s->doc.revision;
    for (int w = 0; w < 2; w++) DeriveStageMap(s->doc.worlds[w], &s->derived[w]);
  }
  // The checks wait for a held stroke to end: on the largest stages they
  // take longer than a frame.
  if (s->checkedRevision == s->doc.revision || CellStepOpen(s->doc)) return;
  s->checkedRevision = s->doc.revision;
  s->faultCount = CheckStages(&s->derived[0].map, &s->derived[1].map, s->faults, MostFaults);
  if (s->faultChosen >= std::min(s->faultCount, MostFaults)) s->faultChosen = -1;
}

void FollowCursor(EditorSession* s) {
  const EditorWorld& w = s->doc.worlds[s->world];
  s->column = std::clamp(s->column, 0, w.width - 1);
  s->row = std::clamp(s->row, 0, w.height - 1);
  // The cursor stays clear of the palette above and the status below.
  constexpr int32_t MarginLeft = 2, MarginRight = 2, MarginTop = 3, MarginBottom = 3;
  int32_t& first = s->scrollColumn[s->world];
  if (s->column < first + MarginLeft) first = s->column - MarginLeft;
  if (s->column > first + ViewColumns - 1 - MarginRight) first = s->column - (ViewColumns - 1 - MarginRight);
  first = std::clamp(first, 0, w.width - ViewColumns);
  int32_t& up = s->scrollRow[s->world];
  int32_t top = w.height - ViewRows - up;  // the map row at the top of the screen
  if (s->row < top + MarginTop) top = s->row - MarginTop;
  if (s->row > top + ViewRows - 1 - MarginBottom) top = s->row - (ViewRows - 1 - MarginBottom);
  // A few rows past the map's top and bottom edges, so that no cell of it
  // is ever left under a box.
  top = std::clamp(top, -MarginTop, w.height - ViewRows + MarginBottom);
  up = w.height - ViewRows - top;
}

bool SaveStages(EditorSession* s) {
  EndCellStep(&s->doc);
  for (int w = 0; w < 2; w++)
    if (!WriteEditFile(s->folder, StageNames[w], WorldText(s->doc.worlds[w]))) {
      char line[200];
      std::snprintf(line, sizeof line, EditorText(EditorTextSaveFailed), EditFilePath(s->folder, StageNames[w]).c_str());
      ShowMessage(s, line);
      std::fprintf(stderr, "twinworlds: %s: cannot be written\n", EditFilePath(s->folder, StageNames[w]).c_str());
      PlaySoundEffect(SeNo);
      return false;
    }
  MarkDocumentSaved(&s->doc);
  RemoveAutosave(s->folder);
  s->autosavedRevision = s->doc.revision;
  ShowMessage(s, EditorText(EditorTextSaved));
  PlaySoundEffect(SeOk);
  return true;
}

void WriteAutosave(EditorSession* s) {
  s->autosavedRevision = s->doc.revision;
  // Changes undone back to the saved stages leave nothing to keep.
  if (!DocumentChanged(s->doc)) {
    RemoveAutosave(s->folder);
    return;
  }
  for (int w = 0; w < 2; w++)
    if (!WriteEditFile(s->folder, AutosaveNames[w], WorldText(s->doc.worlds[w])))
      std::fprintf(stderr, "twinworlds: %s: cannot be written\n", EditFilePath(s->folder, AutosaveNames[w]).c_str());
}

void TakeOfferedAutosave(EditorSession* s, bool take) {
  s->question = QuestionNone;
  if (!take) {
    RemoveAutosave(s->folder);
    return;
  }
  SetDocumentWorlds(&s->doc, s->offered[0], s->offered[1]);
  // Not saved: the pack's files still hold the older stages.
  s->doc.savedDone = NotSaved;
  s->autosavedRevision = s->seenRevision = s->doc.revision;
  ShowMessage(s, EditorText(EditorTextRestored));
}

void LeaveStageEditor(EditorSession* s) {
  CloseStageEditor();
  s->leaving = 1;
  PostQuitMessage(0);
}

bool StartPlayTest(EditorSession* s) {
  ShowMessage(s, EditorText(EditorTextPlayTestLater));
  PlaySoundEffect(SeNo);
  return false;
}

int OpenStageEditor(HWND window) {
  EditorSession& s = Editor;
  s.folder = StageEditFolder(CurrentRunOptions());
  std::string why;
  EditorWorld worlds[2];
  bool opened = CheckStageEditFolder(s.folder, &why);
  // The loader says its own line on stderr; the folder's is said here.
  if (!opened) std::fprintf(stderr, "twinworlds: --edit %s\n", why.c_str());
  for (int w = 0; opened && w < 2; w++) opened = ReadWorld(s.folder, w, &worlds[w], &why);
  if (!opened) {
    const std::string text = std::string(EditorText(EditorTextCannotOpen)) + "\n" + why;
    MessageBoxA(window, text.c_str(), GameText(TextErrorCaption), MB_OK);
    ReleaseDisplay();
    return 0;
  }
  SetDocumentWorlds(&s.doc, worlds[0], worlds[1]);
  s.world = 0;
  // The cursor starts where the characters do, on world A's ground.
  const EditorWorld& a = s.doc.worlds[0];
  s.column = 10;
  s.row = a.height - ViewRows + 9;
  s.palette = PaletteChoice{PaletteStone, FirstEvent, FirstEvent, FirstGroup, 0};
  s.faultChosen = -1;
  s.derivedRevision = s.checkedRevision = s.doc.revision - 1;
  s.autosavedRevision = s.seenRevision = s.doc.revision;
  LookForAutosave(&s);
  RefreshDerived(&s);
  FollowCursor(&s);
  SetInputScreen(InputEditor);
  ForgetKeysHeld(&s);
  return 1;
}

void RunStageEditorFrame() {
  EditorSession& s = Editor;
  if (s.leaving) return;
  const DWORD now = timeGetTime();
  if (now - s.clock < FrameInterval) return;
  s.clock = now;
  SetInputScreen(InputEditor);
  StepEditor(&s);
  if (s.leaving) return;
  RefreshDerived(&s);
  // The autosave follows a few seconds of quiet after the last change.
  if (s.doc.revision != s.seenRevision) {
    s.seenRevision = s.doc.revision;
    s.quietFlips = 0;
  } else if (s.doc.revision != s.autosavedRevision && ++s.quietFlips >= AutosaveQuietFlips) {
    WriteAutosave(&s);
  }
  DrawEditor(s);
  Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
}

void CloseStageEditor() {
  EditorSession& s = Editor;
  if (s.folder.empty() || s.question == QuestionRestore) return;
  if (s.doc.revision != s.autosavedRevision) WriteAutosave(&s);
}

LRESULT StageEditorMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Its keys are read from the samples: WM_KEYDOWN opens no pause menu here.
  if (message == WM_KEYDOWN) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

int StageEditorFaults() { return Editor.faultCount; }
