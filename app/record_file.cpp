// Saving a record: one CSV file per tool under the user's local application-data
// folder, UTF-8 with a byte-order mark, created with its header on first use and
// appended to afterwards. A record that did not reach the file is never reported as
// saved: a spreadsheet that holds the file open makes every append fail.
#include <shlobj.h>

#include <cstdio>

#include "main_window.h"
#include "record_line.h"
#include "text.h"

namespace {

// Creates the folder and every missing folder above it; existing ones are passed over.
// The drive part ("C:\") is never created.
void createFolders(wchar_t* path) {
  for (wchar_t* p = path + 3; *p; ++p) {
    if (*p != L'\\') continue;
    *p = L'\0';
    CreateDirectoryW(path, nullptr);
    *p = L'\\';
  }
  CreateDirectoryW(path, nullptr);
}

bool fileExists(const wchar_t* path) {
  FILE* file = _wfopen(path, L"rb");
  if (!file) return false;
  fclose(file);
  return true;
}

// Appends the bytes of one or two lines; true only when every byte was written and the
// file closed cleanly.
bool appendToFile(const wchar_t* path, const char* bytes, int32_t count) {
  FILE* file = _wfopen(path, L"ab");
  if (!file) return false;
  bool ok = fwrite(bytes, 1, static_cast<size_t>(count), file) == static_cast<size_t>(count);
  if (fclose(file) != 0) ok = false;
  return ok;
}

// Encodes a line after `prefix` bytes already in out; -1 when it does not fit.
int32_t encodeLine(const wchar_t* line, char* out, int32_t capacity, int32_t prefix) {
  int32_t n = encodeUtf8(line, out + prefix, capacity - prefix);
  return n < 0 ? -1 : prefix + n;
}

bool writeRecord(const wchar_t* filePath, const LocalTime& time) {
  const ToolDefinition& tool = *g_app.tool;
  // Three bytes per UTF-16 unit is the worst case: no line is ever too long to write.
  char bytes[3 + kRecordLineCapacity * 3];
  wchar_t line[kRecordLineCapacity];
  bool ok = true;
  if (!fileExists(filePath)) {
    bytes[0] = '\xEF', bytes[1] = '\xBB', bytes[2] = '\xBF';  // byte-order mark, once
    assembleHeaderLine(tool, line, kHeaderLineCapacity);
    int32_t n = encodeLine(line, bytes, sizeof bytes, 3);
    ok = n > 0 && appendToFile(filePath, bytes, n);
  }
  // The record is tried even when the header failed.
  assembleRecordLine(tool, g_state.inputValues, g_state.resultText, time, line, kRecordLineCapacity);
  int32_t n = encodeLine(line, bytes, sizeof bytes, 0);
  return n > 0 && appendToFile(filePath, bytes, n) && ok;
}

}  // namespace

void saveRecord() {
  if (!g_state.resultText[0]) {
    MessageBoxW(g_app.mainWindow, kNoResultToSaveMessage, kHintCaption, MB_OK | MB_ICONINFORMATION);
    return;
  }
  wchar_t base[MAX_PATH] = L"";
  wchar_t folder[260], name[32], filePath[520];
  bool ok = SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)) && base[0];
  if (ok) {
    ok = formatText(folder, 260, L"%ls\\VemoMedSuite\\records", base) > 0;
    if (ok) createFolders(folder);
    formatRecordFileName(*g_app.tool, name, 32);
    ok = ok && formatText(filePath, 520, L"%ls\\%ls", folder, name) > 0;
  }
  SYSTEMTIME now;
  GetLocalTime(&now);
  const LocalTime time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  ok = ok && writeRecord(filePath, time);

  if (!ok) {
    copyText(g_state.statusText, kStatusTextCapacity, kSaveFailedStatus);
    repaintMainWindow();
    MessageBoxW(g_app.mainWindow, kSaveFailedMessage, kSaveFailedCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  formatSavedStatus(filePath, g_state.statusText, kStatusTextCapacity);
  repaintMainWindow();
  MessageBoxW(g_app.mainWindow, kSavedMessage, kSavedCaption, MB_OK | MB_ICONINFORMATION);
}
