// The window's commands: compute, copy, reset and about. The decisions are made by the
// window logic; this file reads the controls and carries the results out.
#include "main_window.h"
#include "text.h"

void computeResult() {
  const ToolDefinition& tool = *g_app.tool;
  wchar_t fieldTexts[kMaxInputs][kFieldTextCapacity] = {};
  const wchar_t* fields[kMaxInputs];
  for (int i = 0; i < tool.inputCount && i < kMaxInputs; ++i) {
    GetWindowTextW(g_app.inputEdits[i], fieldTexts[i], kFieldTextCapacity);
    fields[i] = fieldTexts[i];
  }
  wchar_t detail[kDetailCapacity], verdict[kVerdictCapacity];
  int32_t invalid = computeFromFields(tool, fields, g_state, detail, kDetailCapacity, verdict, kVerdictCapacity);
  if (invalid >= 0) {
    wchar_t message[256];
    formatInvalidInputMessage(tool, invalid, message, 256);
    MessageBoxW(g_app.mainWindow, message, kInvalidInputCaption, MB_OK | MB_ICONWARNING);
    SetFocus(g_app.inputEdits[invalid]);
    return;
  }
  SetWindowTextW(g_app.resultBox, detail);
  SetWindowTextW(g_app.verdictLabel, verdict);
  InvalidateRect(g_app.verdictLabel, nullptr, TRUE);  // its colour follows the new level
  repaintMainWindow();
  // Off the fields: a further Enter or F5 does nothing until a control is chosen again.
  SetFocus(g_app.mainWindow);
}

namespace {

// Puts the clipboard text in a movable block on the clipboard; false when nothing got
// there.
bool placeOnClipboard() {
  if (!OpenClipboard(g_app.mainWindow)) return false;
  EmptyClipboard();
  size_t bytes = (textLength(g_state.copyText) + textLength(g_app.tool->title)) * sizeof(wchar_t) + 32;
  bool placed = false;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (block) {
    wchar_t* text = static_cast<wchar_t*>(GlobalLock(block));
    if (text) {
      formatClipboardText(*g_app.tool, g_state, text, static_cast<int32_t>(bytes / sizeof(wchar_t)));
      GlobalUnlock(block);
      placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;  // the block is the clipboard's now
    }
    if (!placed) GlobalFree(block);
  }
  CloseClipboard();
  return placed;
}

}  // namespace

void copyResult() {
  if (!g_state.resultText[0]) {
    MessageBoxW(g_app.mainWindow, kNoResultMessage, kHintCaption, MB_OK | MB_ICONINFORMATION);
    return;
  }
  copyText(g_state.statusText, kStatusTextCapacity, placeOnClipboard() ? kCopiedStatus : kCopyFailedStatus);
  repaintMainWindow();
}

void resetInputs() {
  const ToolDefinition& tool = *g_app.tool;
  for (int i = 0; i < tool.inputCount && i < kMaxInputs; ++i) {
    wchar_t value[64];
    formatDefaultValue(tool.inputs[i].defaultValue, value, 64);
    SetWindowTextW(g_app.inputEdits[i], value);
  }
  SetWindowTextW(g_app.resultBox, L"");
  SetWindowTextW(g_app.verdictLabel, kInitialVerdict);
  SetWindowTextW(g_app.noteLabel, tool.note ? tool.note : L"");
  resetWindowState(g_state);
  InvalidateRect(g_app.verdictLabel, nullptr, TRUE);
  repaintMainWindow();
}

void showAbout() {
  wchar_t text[kAboutTextCapacity];
  formatAboutText(*g_app.tool, text, kAboutTextCapacity);
  MessageBoxW(g_app.mainWindow, text, kAboutCaption, MB_OK | MB_ICONINFORMATION);
}
