// The main window: program-wide handles, the window state, and the operations that
// the window procedure, the message loop and the commands share.
#pragma once

#include <windows.h>

#include "tool_definition.h"
#include "window_logic.h"

enum CommandId {
  kComputeCommand = 1001,  // "计算 (F5)", also Enter and F5 from any control
  kSaveCommand = 1002,     // "保存记录"
  kCopyCommand = 1003,     // "复制结果"
  kResetCommand = 1004,    // "清空重填"
  kAboutCommand = 1005,    // "关于"
};

enum { kFirstInputId = 2000, kResultBoxId = 3000 };

struct AppFonts {
  HFONT titleFont, headerFont, labelFont, editFont, verdictFont, resultFont, buttonFont, smallFont;
};

// Created at start-up and kept until the process ends.
struct App {
  HINSTANCE instance;
  HWND mainWindow;
  const ToolDefinition* tool;
  AppFonts fonts;
  HBRUSH whiteBrush, backgroundBrush;
  HWND inputEdits[kMaxInputs];
  HWND resultBox, verdictLabel, noteLabel;
};

extern App g_app;
extern WindowState g_state;

// Creates the resources and the window, runs the message loop; returns the exit code
// (0 after the window was closed, 1 when it could not be created).
int runMainWindow(HINSTANCE instance, const ToolDefinition& tool);

// The commands (commands.cpp, record_file.cpp).
void computeResult();
void copyResult();
void resetInputs();
void showAbout();
void saveRecord();

// Repaints the main window's own drawing (the status line among it) without erasing.
void repaintMainWindow();
