// The record line's CSV quoting: every line parses back (RFC 4180) to the fields that
// went in, cut to their limits, and stays within its buffer.
#include <cwchar>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "record_line.h"

namespace {

std::wstring takeText(FuzzReader& in, size_t limit) {
  size_t n = in.take<uint8_t>() % (limit + 1);
  std::wstring text;
  static const wchar_t kAlphabet[] = L"a,\"\r\n 中=";
  for (size_t i = 0; i < n && in.size > 0; ++i) text += kAlphabet[in.take<uint8_t>() % 8];
  return text;
}

std::vector<std::wstring> parse(const wchar_t* line) {
  std::vector<std::wstring> fields(1);
  bool quoted = false;
  const wchar_t* p = line;
  for (; *p; ++p) {
    if (quoted) {
      if (*p == L'"' && p[1] == L'"') fields.back() += L'"', ++p;
      else if (*p == L'"') quoted = false;
      else fields.back() += *p;
    } else if (*p == L'"' && fields.back().empty()) {
      quoted = true;
    } else if (*p == L',') {
      fields.emplace_back();
    } else if (*p == L'\r' && p[1] == L'\n' && p[2] == L'\0') {
      return fields;
    } else {
      require(*p != L'"' && *p != L'\r' && *p != L'\n', "special characters only inside quotes");
      fields.back() += *p;
    }
  }
  require(false, "line ends with CR LF");
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReader in{data, size};
  std::wstring title = takeText(in, 60), result = takeText(in, 255);
  std::wstring labels[3] = {takeText(in, 130), takeText(in, 130), takeText(in, 130)};
  const InputField inputs[3] = {{"a", labels[0].c_str(), nullptr, 0}, {"b", labels[1].c_str(), nullptr, 0},
                                {"c", labels[2].c_str(), nullptr, 0}};
  const ToolDefinition tool = {1, title.c_str(), nullptr, L"c", L"r", nullptr, 3, inputs, 0, nullptr, 0, nullptr, 0};
  double values[3] = {in.take<double>(), in.take<double>(), in.take<double>()};
  const LocalTime time = {2026, 1, 2, 3, 4, 5};
  GuardedText line(kRecordLineCapacity);
  assembleRecordLine(tool, values, result.c_str(), time, line.text, line.capacity);
  require(line.intact(), "record line within its buffer");
  std::vector<std::wstring> fields = parse(line.text);
  require(fields.size() == 6, "six fields");
  require(fields[0] == L"2026-01-02 03:04:05", "time field");
  require(fields[1] == title, "title field");
  for (int i = 0; i < 3; ++i) {
    wchar_t expected[512];
    std::swprintf(expected, 512, L"%ls=%g", labels[i].c_str(), values[i]);
    require(fields[2 + i] == std::wstring(expected).substr(0, 126), "label=value field");
  }
  require(fields[5] == result.substr(0, 254), "result field");

  GuardedText header(kHeaderLineCapacity);
  assembleHeaderLine(tool, header.text, header.capacity);
  require(header.intact(), "header within its buffer");
  std::vector<std::wstring> names = parse(header.text);
  require(names.size() == 6, "six header fields");
  for (int i = 0; i < 3; ++i) require(names[2 + i] == labels[i].substr(0, 126), "header label field");
  return 0;
}
