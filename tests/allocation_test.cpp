// The engine never allocates: every run, report and self-test assembly works in fixed
// buffers. Counted by interposing the C library's allocator (glibc, no sanitizer).
#include <gtest/gtest.h>

#include <cstddef>

#include "clock.h"
#include "evaluation.h"
#include "selftest.h"

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define COUNTS_ALLOCATIONS 1
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}
static long g_allocations = 0;
extern "C" void* malloc(size_t n) { ++g_allocations; return __libc_malloc(n); }
extern "C" void* calloc(size_t n, size_t size) { ++g_allocations; return __libc_calloc(n, size); }
extern "C" void* realloc(void* p, size_t n) { ++g_allocations; return __libc_realloc(p, n); }
extern "C" void* aligned_alloc(size_t alignment, size_t n) { ++g_allocations; return __libc_memalign(alignment, n); }
#endif

namespace {

template <typename Work>
long allocationsDuring(Work work) {
#ifdef COUNTS_ALLOCATIONS
  long before = g_allocations;
  work();
  return g_allocations - before;
#else
  work();
  return 0;
#endif
}

TEST(Allocation, EvaluationRunsReportsAndSelfTestUseNoHeap) {
#ifndef COUNTS_ALLOCATIONS
  GTEST_SKIP() << "allocations are counted with glibc and without AddressSanitizer only";
#endif
  static wchar_t detail[8192], verdict[512], copy[8192], report[kSelfTestReportCapacity];
  // The C library loads the time zone once per process, on the first local-time call;
  // that is its own start-up, not a run's work.
  localToday();
  const double gcs[16] = {2, 3, 5};
  EXPECT_EQ(0, allocationsDuring([&] {
              Level level;
              runEvaluation(getToolDefinition(), gcs, detail, 4096, verdict, 512, &level, copy, 8192);
            }));
  // Every report kind, with inputs that make the largest reports.
  InputField inputs[] = {{"nurses", L"n", nullptr, 40}, {"days", L"d", nullptr, 31},  {"times", L"t", nullptr, 30},
                         {"start", L"s", nullptr, 1e300}, {"beds", L"b", nullptr, 30}, {"gap", L"g", nullptr, 7},
                         {"dose", L"d", nullptr, -1e300}, {"gtt", L"g", nullptr, 1e308}};
  double values[16];
  for (int i = 0; i < 8; ++i) values[i] = inputs[i].defaultValue;
  for (ReportKind kind = 0; kind <= 12; ++kind) {
    const ToolDefinition tool = {1, L"t", nullptr, L"c", L"r", nullptr, 8, inputs, 0, nullptr, 0, nullptr, kind};
    EXPECT_EQ(0, allocationsDuring([&] {
                Level level;
                runEvaluation(tool, values, detail, 8192, verdict, 512, &level, copy, 8192);
              })) << "report kind " << kind;
  }
  EXPECT_EQ(0, allocationsDuring([&] { assembleSelfTestReport(getToolDefinition(), report, kSelfTestReportCapacity); }));
  wchar_t value[128];
  EXPECT_EQ(0, allocationsDuring([&] {
              formatValue("f3", 1e300, value, 128);
              formatValue("date", 1e15, value, 128);
            }));
}

// The counter itself works: a real allocation is seen.
TEST(Allocation, CounterSeesAnAllocation) {
#ifndef COUNTS_ALLOCATIONS
  GTEST_SKIP() << "allocations are counted with glibc and without AddressSanitizer only";
#endif
  EXPECT_GE(allocationsDuring([] {
              void* volatile p = malloc(16);
              free(p);
            }),
            1);
}

}  // namespace
