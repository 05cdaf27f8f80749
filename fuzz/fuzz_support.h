// Shared pieces of the fuzz targets: reading fuzz bytes as values, a tool with many
// keys, and buffers with guard characters behind them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tool_definition.h"

// Takes values from the front of the fuzz data; zero once it is used up.
struct FuzzReader {
  const uint8_t* data;
  size_t size;

  template <typename T>
  T take() {
    T value{};
    size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
  }
  // A capacity from 1 to limit.
  int32_t capacity(int32_t limit) { return 1 + static_cast<int32_t>(take<uint16_t>() % limit); }
};

// A buffer of `capacity` characters followed by guard characters that must survive.
struct GuardedText {
  enum { kGuard = 16 };
  wchar_t* text;
  int32_t capacity;
  explicit GuardedText(int32_t n) : text(static_cast<wchar_t*>(std::malloc((n + kGuard) * sizeof(wchar_t)))), capacity(n) {
    for (int32_t i = 0; i < n + kGuard; ++i) text[i] = L'#';
  }
  ~GuardedText() { std::free(text); }
  GuardedText(const GuardedText&) = delete;
  GuardedText& operator=(const GuardedText&) = delete;
  // Terminated within the capacity, nothing written behind it.
  bool intact() const {
    bool terminated = false;
    for (int32_t i = 0; i < capacity; ++i) terminated = terminated || text[i] == L'\0';
    for (int32_t i = capacity; i < capacity + kGuard; ++i)
      if (text[i] != L'#') return false;
    return terminated;
  }
};

inline void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "contract broken: %s\n", what);
    std::abort();
  }
}

// A tool with sixteen inputs and sixteen outputs whose formulas use the whole language.
const ToolDefinition& manyKeysTool();
