// SPDX-License-Identifier: MIT
// The editor's opening and closing, its frame, and its files: the pack's
// stages read and saved, the game's stages copied into a new pack of the
// player's first, the pack renamed, the autosave written and offered back.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "app/packs.h"
#include "editor/editor_session.h"
#include "editor/editor_texts.h"
#include "editor/stage_editor.h"
#include "gfx/display.h"
#include "platform/shell/linked_packs.h"
#include "platform/shell/play_test_run.h"
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
// none (or there is no pack: ""). A pack file that is there but cannot be
// read is not replaced.
bool ReadWorld(const std::string& folder, int w, EditorWorld* out, std::string* why) {
  std::string text;
  if (!folder.empty() && ReadEditFile(folder, StageNames[w], &text, why))
    return WorldFromText(text, EditFilePath(folder, StageNames[w]), out, why);
  if (!why->empty()) {
    std::fprintf(stderr, "twinworlds: %s\n", why->c_str());
    return false;
  }
  // The game's own, whatever pack is in force.
  const Pack* inForce = PackInForce();
  const Pack kept = inForce ? *inForce : Pack{};
  SetPackInForce(nullptr);
  StageMap map{}, none{};
  const bool loaded = LoadStageFile(&map, GameStageNames[w]);
  SetPackInForce(inForce ? &kept : nullptr);
  if (!loaded) {
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

// Whether a pack holds any of the game's data besides its stages: only
// then do the pictures and sounds load again when it comes into force.
bool HoldsMoreThanStages(const Pack& pack) {
  for (const PackFile& f : pack.files)
    if (f.key.rfind("stage/", 0) != 0) return true;
  return false;
}

// The pack in force from now on, its pictures and sounds loaded when they
// differ; the game's own stages and data when it cannot be read or its
// pictures cannot be loaded.
void PutInForce(const Pack* pack) {
  const Pack* now = PackInForce();
  const bool reload = (now && HoldsMoreThanStages(*now)) || (pack && HoldsMoreThanStages(*pack));
  SetPackInForce(pack && pack->fault.empty() ? pack : nullptr);
  if (reload && !ReloadGameData()) {
    SetPackInForce(nullptr);
    ReloadGameData();
  }
}

// The pack edited, in force: the editor and its play-tests draw and sound
// as a game on it would.
void UseEditedPack(EditorSession* s) {
  const Pack pack = ReadPack(s->folder, s->packId);
  if (!pack.fault.empty()) std::fprintf(stderr, "twinworlds: %s\n", pack.fault.c_str());
  PutInForce(&pack);
}

// Opened on its folder: the autosave looked for, the pack put in force.
void Settle(EditorSession* s) {
  UseEditedPack(s);
  LookForAutosave(s);
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

void SpendHeldKeys(EditorSession* s) {
  for (int vk = 0; vk < 256; vk++) s->held[vk] = KeyDown(vk) ? 255 : 0;  // spent
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

namespace {

// The cursor stays clear of the palette above and the status below.
constexpr int32_t MarginLeft = 2, MarginRight = 2, MarginTop = 3, MarginBottom = 3;

}  // namespace

void ClampView(EditorSession* s) {
  const EditorWorld& w = s->doc.worlds[s->world];
  int32_t& first = s->scrollColumn[s->world];
  first = std::clamp(first, 0, w.width - ViewColumns);
  // A few rows past the map's top and bottom edges, so that no cell of it
  // is ever left under a box.
  int32_t& up = s->scrollRow[s->world];
  up = std::clamp(up, -MarginBottom, w.height - ViewRows + MarginTop);
}

void FollowCursor(EditorSession* s) {
  const EditorWorld& w = s->doc.worlds[s->world];
  s->column = std::clamp(s->column, 0, w.width - 1);
  s->row = std::clamp(s->row, 0, w.height - 1);
  // The pointer's cursor is where the pointer is: the view stays.
  if (s->cursorByPointer) return ClampView(s);
  int32_t& first = s->scrollColumn[s->world];
  if (s->column < first + MarginLeft) first = s->column - MarginLeft;
  if (s->column > first + ViewColumns - 1 - MarginRight) first = s->column - (ViewColumns - 1 - MarginRight);
  int32_t& up = s->scrollRow[s->world];
  int32_t top = w.height - ViewRows - up;  // the map row at the top of the screen
  if (s->row < top + MarginTop) top = s->row - MarginTop;
  if (s->row > top + ViewRows - 1 - MarginBottom) top = s->row - (ViewRows - 1 - MarginBottom);
  up = w.height - ViewRows - top;
  ClampView(s);
}

bool SaveStages(EditorSession* s) {
  EndCellStep(&s->doc);
  if (s->folder.empty()) return false;
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
  if (s->folder.empty()) return;
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

void ShareStages(EditorSession* s, bool saveFirst) {
  EndStroke(s);
  RefreshDerived(s);
  char line[sizeof s->message];
  // A save that fails says so itself.
  if (s->faultCount == 0 && saveFirst && !s->folder.empty() && DocumentChanged(s->doc) && !SaveStages(s)) return;
  if (s->faultCount > 0) {
    std::snprintf(line, sizeof line, EditorText(EditorTextShareFaults), s->faultCount);
  } else if (s->folder.empty() || DocumentChanged(s->doc)) {
    std::snprintf(line, sizeof line, "%s", EditorText(EditorTextShareUnsaved));
  } else {
    const std::string run = EditorClearingRun();
    std::string link, why;
    const int where = ShareEditedPack(s->folder, run, CurrentRunOptions().shareBase, &link, &why);
    if (where < 0) {
      std::snprintf(line, sizeof line, EditorText(EditorTextShareFailed), ScreenText(why).c_str());
    } else {
      const EditorTextId place = where == 1 ? EditorTextLinkOnClipboard
                                 : where == 2 ? EditorTextLinkInPage
                                              : EditorTextLinkOnStdout;
      std::snprintf(line, sizeof line, EditorText(run.empty() ? EditorTextSharedNoRun : EditorTextSharedRun),
                    static_cast<int>(link.size()), EditorText(place));
      ShowMessage(s, line);
      PlaySoundEffect(SeOk);
      return;
    }
  }
  ShowMessage(s, line);
  PlaySoundEffect(SeNo);
}

void AskName(EditorSession* s, const char* name, bool renaming) {
  s->question = QuestionName;
  s->renaming = renaming ? 1 : 0;
  s->drag = DragNone;
  std::snprintf(s->name, sizeof s->name, "%s", name);
}

void TakeName(EditorSession* s) {
  std::string folder, why;
  const bool made = s->renaming ? RenameStagePack(s->folder, s->name, &folder, &why)
                                : MakeStagePack(s->choice, s->name, &folder, &why);
  if (!made) {
    char line[200];
    std::snprintf(line, sizeof line, EditorText(EditorTextNameRefused), ScreenText(why).c_str());
    ShowMessage(s, line);
    PlaySoundEffect(SeNo);
    return;
  }
  const bool renamed = s->renaming != 0;
  const std::string before = s->packId;
  s->question = QuestionNone;
  s->folder = folder;
  s->packId = s->name;
  if (renamed) {
    // The title's choice follows the pack to its new name.
    if (CurrentSettings().pack == before && !PackChoiceFixed()) {
      const Pack pack = ReadPack(folder, s->packId);
      ChoosePack(&pack, true);
    }
    UseEditedPack(s);
  } else {
    // The copy holds the stages the editor opened on, saved as they are.
    SaveStages(s);
    Settle(s);
  }
  char line[200];
  std::snprintf(line, sizeof line, EditorText(renamed ? EditorTextRenamed : EditorTextPackMade),
                ScreenText(folder).c_str());
  ShowMessage(s, line);
  PlaySoundEffect(SeOk);
}

void GiveUpName(EditorSession* s) {
  s->question = QuestionNone;
  // No name, no copy: nothing was made, and there is nothing to edit.
  if (!s->renaming) LeaveStageEditor(s);
}

void LeaveStageEditor(EditorSession* s) {
  CloseStageEditor();
  s->leaving = 1;
  // The pack just edited is the stages chosen from now on, when it can be
  // played; else what was chosen before.
  const Pack before = s->packBefore;
  const bool hadBefore = s->hadPackBefore != 0;
  Pack edited;
  const bool playable = !s->folder.empty() && PackFolderFault(s->folder, &edited).empty();
  if (playable) {
    // In force already, its data loaded.
    ChoosePack(&edited, !PackChoiceFixed());
  } else {
    PutInForce(hadBefore ? &before : nullptr);
  }
  if (!s->fromTitle) {
    PostQuitMessage(0);
    return;
  }
  // Opened from the title: the title comes back, its keys let go first.
  *s = EditorSession{};
  GameMode = ModeTitle;
  SetInputScreen(InputTitle);
  LatchTitleKeys();
}

int OpenStageEditor(HWND window, bool fromTitle) {
  EditorSession& s = Editor;
  s = EditorSession{};
  s.fromTitle = fromTitle ? 1 : 0;
  const Pack* inForce = PackInForce();
  s.hadPackBefore = inForce != nullptr;
  if (inForce) s.packBefore = *inForce;
  std::string why;
  bool opened = ChooseStageEdit(fromTitle ? "" : CurrentRunOptions().editFolder, inForce ? inForce->folder : "",
                                &s.choice, &why);
  // The loader says its own line on stderr; the folder's is said here.
  if (!opened) std::fprintf(stderr, "twinworlds: --edit %s\n", why.c_str());
  // The game's stages are read as the game has them, with no pack over them.
  const std::string source = s.choice.copyFirst ? s.choice.copyFrom : s.choice.folder;
  EditorWorld worlds[2];
  for (int w = 0; opened && w < 2; w++) opened = ReadWorld(source, w, &worlds[w], &why);
  if (!opened) {
    const std::string text = std::string(EditorText(EditorTextCannotOpen)) + "\n" + ScreenText(why);
    MessageBoxA(window, text.c_str(), GameText(TextErrorCaption), MB_OK);
    if (fromTitle) {
      PutInForce(s.hadPackBefore ? &s.packBefore : nullptr);
      s = EditorSession{};
      return 0;
    }
    ReleaseDisplay();
    return 0;
  }
  // A recording of the session names no pack: its files change as it saves.
  RecordingNamesNoPack();
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
  if (s.choice.copyFirst) {
    AskName(&s, s.choice.suggested.c_str(), false);
  } else {
    s.folder = s.choice.folder;
    s.packId = PackIdOfPath(s.folder);
    GivePackInfo(s.folder);
    Settle(&s);
  }
  RefreshDerived(&s);
  FollowCursor(&s);
  SetInputScreen(InputEditor);
  SpendHeldKeys(&s);
  return 1;
}

void RunStageEditorFrame() {
  EditorSession& s = Editor;
  if (s.leaving) return;
  if (s.playing) EndPlayTest(&s);
  const DWORD now = timeGetTime();
  if (now - s.clock < FrameInterval) return;
  s.clock = now;
  SetInputScreen(InputEditor);
  StepEditor(&s);
  // Left, or a play-test started: its first frame is the next picture.
  if (s.leaving || s.playing) return;
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
  EndCellStep(&s.doc);
  if (s.doc.revision != s.autosavedRevision) WriteAutosave(&s);
}

LRESULT StageEditorMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Its keys are read from the samples: WM_KEYDOWN opens no pause menu here.
  if (message == WM_KEYDOWN) return 0;
  if (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL) {
    PointerMessage(&Editor, message, wParam, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int StageEditorFaults() { return Editor.faultCount; }

bool StageEditorOpened() { return !Editor.folder.empty() || Editor.question == QuestionName; }
