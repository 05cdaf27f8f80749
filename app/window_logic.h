// What the main window's commands decide, apart from the Windows calls that carry it
// out: the window state, the compute command over the field texts, and the texts the
// window shows, copies and paints.
#pragma once

#include <cstdint>

#include "tool_definition.h"

enum {
  kDetailCapacity = 4096,
  kVerdictCapacity = 512,
  kResultTextCapacity = 8192,
  kCopyTextCapacity = 1024,
  kStatusTextCapacity = 256,
  kFieldTextCapacity = 128,
  kAboutTextCapacity = 1400,
};

// One for the life of the process. A result is present exactly when resultText is not
// empty.
struct WindowState {
  double inputValues[kMaxInputs];
  wchar_t resultText[kResultTextCapacity];
  wchar_t copyText[kCopyTextCapacity];
  Level verdictLevel;
  wchar_t statusText[kStatusTextCapacity];
};

// The publisher's web address, shown in the header and the About box.
extern const wchar_t kPublisherWebAddress[];

// Fixed texts of the window: status lines, message boxes and their captions.
extern const wchar_t kReadyStatus[];
extern const wchar_t kInitialVerdict[];
extern const wchar_t kCopiedStatus[];
extern const wchar_t kCopyFailedStatus[];
extern const wchar_t kResetStatus[];
extern const wchar_t kSaveFailedStatus[];
extern const wchar_t kInvalidInputCaption[];
extern const wchar_t kHintCaption[];
extern const wchar_t kNoResultMessage[];        // copy without a result
extern const wchar_t kNoResultToSaveMessage[];  // save without a result
extern const wchar_t kAboutCaption[];
extern const wchar_t kSavedCaption[];
extern const wchar_t kSavedMessage[];
extern const wchar_t kSaveFailedCaption[];
extern const wchar_t kSaveFailedMessage[];

// The state of a new window: no result, level 0, the ready status line.
void initWindowState(WindowState& state);

// Computes from the texts of the input fields. When a field's number is infinite or not
// a number, returns its index and changes nothing. Otherwise fills inputValues,
// resultText, verdictLevel, copyText and statusText, writes the detail and verdict the
// window shows, and returns -1.
int32_t computeFromFields(const ToolDefinition& tool, const wchar_t* const* fieldTexts, WindowState& state,
                          wchar_t* detail, int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity);

// Back to no result after the fields were reset.
void resetWindowState(WindowState& state);

// Texts of the window.
void formatDefaultValue(double value, wchar_t* out, int32_t capacity);            // "%.6g"
void formatInvalidInputMessage(const ToolDefinition& tool, int32_t field, wchar_t* out, int32_t capacity);
void formatHeaderLine(const ToolDefinition& tool, wchar_t* out, int32_t capacity);  // category · subtitle
void formatReferenceLine(const ToolDefinition& tool, wchar_t* out, int32_t capacity);
void formatAboutText(const ToolDefinition& tool, wchar_t* out, int32_t capacity);
void formatSavedStatus(const wchar_t* recordPath, wchar_t* out, int32_t capacity);
void formatClipboardText(const ToolDefinition& tool, const WindowState& state, wchar_t* out, int32_t capacity);

// Colours as 0x00BBGGRR, the layout of a Windows COLORREF.
constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

// The verdict label's colour for a level; any level other than 1 to 3 is level 0's.
uint32_t verdictColour(Level level);

// Top-left corner that centres a window of the given outer size on the screen; a
// coordinate that would be negative is 0.
void centreOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height, int32_t* x,
                    int32_t* y);
