// Speed of the engine: one-shot expression evaluation beside two peer libraries, a
// whole GCS compute, every report generator at its largest report and the self-test,
// each with its heap allocations per run counted.
#include <benchmark/benchmark.h>
#include <fparser.hh>
#include <muParser.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "evaluation.h"
#include "expression.h"
#include "reports.h"
#include "selftest.h"

// Heap allocations, counted by interposing glibc's allocator.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
}
static long g_allocations = 0;
extern "C" void* malloc(size_t n) { ++g_allocations; return __libc_malloc(n); }
extern "C" void* calloc(size_t n, size_t size) { ++g_allocations; return __libc_calloc(n, size); }
extern "C" void* realloc(void* p, size_t n) { ++g_allocations; return __libc_realloc(p, n); }

namespace {

const char* const kExpressions[] = {
    "eye+verbal+motor<=12",
    "sqrt(eye*eye+verbal*verbal)/max(motor,1)+abs(-2.5)*3-(eye>2)",
};

void countAllocations(benchmark::State& state, long before) {
  state.counters["allocs_per_run"] =
      static_cast<double>(g_allocations - before) / static_cast<double>(state.iterations());
}

void BM_VemoMed(benchmark::State& state) {
  const char* text = kExpressions[state.range(0)];
  const double inputs[16] = {2, 3, 5};
  const double outputs[16] = {};
  long before = g_allocations;
  for (auto _ : state) {
    int failed;
    benchmark::DoNotOptimize(evaluateExpression(getToolDefinition(), text, inputs, outputs, &failed));
  }
  countAllocations(state, before);
}

void BM_muParser(benchmark::State& state) {
  const char* text = kExpressions[state.range(0)];
  double eye = 2, verbal = 3, motor = 5;
  mu::Parser parser;
  parser.DefineVar("eye", &eye);
  parser.DefineVar("verbal", &verbal);
  parser.DefineVar("motor", &motor);
  long before = g_allocations;
  for (auto _ : state) {
    parser.SetExpr(text);
    benchmark::DoNotOptimize(parser.Eval());
  }
  countAllocations(state, before);
}

void BM_fparser(benchmark::State& state) {
  const char* text = kExpressions[state.range(0)];
  const double vars[3] = {2, 3, 5};
  FunctionParser parser;
  long before = g_allocations;
  for (auto _ : state) {
    parser.Parse(text, "eye,verbal,motor");
    benchmark::DoNotOptimize(parser.Eval(vars));
  }
  countAllocations(state, before);
}

void BM_GcsCompute(benchmark::State& state) {
  const double inputs[16] = {2, 3, 5};
  wchar_t detail[4096], verdict[512], copy[8192];
  long before = g_allocations;
  for (auto _ : state) {
    Level level;
    runEvaluation(getToolDefinition(), inputs, detail, 4096, verdict, 512, &level, copy, 8192);
    benchmark::DoNotOptimize(detail);
  }
  countAllocations(state, before);
}

// Inputs that give each generator its largest report.
const InputField kLargest[] = {
    {"nurses", L"n", nullptr, 40}, {"days", L"d", nullptr, 31}, {"start", L"s", nullptr, 8},
    {"interval", L"i", nullptr, 6}, {"times", L"t", nullptr, 30}, {"gap", L"g", nullptr, 7},
    {"beds", L"b", nullptr, 30},   {"kind", L"k", nullptr, 1},  {"panel", L"p", nullptr, 2},
    {"drugA", L"a", nullptr, 1},   {"drugB", L"b", nullptr, 2}, {"bed", L"b", nullptr, 12},
    {"dose", L"d", nullptr, 2.5},  {"volume", L"v", nullptr, 250}, {"gtt", L"g", nullptr, 40},
};

void BM_Report(benchmark::State& state) {
  ReportKind kind = static_cast<ReportKind>(state.range(0));
  const int32_t count = sizeof kLargest / sizeof kLargest[0];
  const ToolDefinition tool = {1, L"t", nullptr, L"c", L"r", nullptr, count, kLargest, 0, nullptr, 0, nullptr, kind};
  double values[16];
  for (int i = 0; i < count; ++i) values[i] = kLargest[i].defaultValue;
  static wchar_t detail[8192];
  wchar_t verdict[512];
  long before = g_allocations;
  for (auto _ : state) {
    benchmark::DoNotOptimize(runCustomReport(kind, tool, values, detail, 8192, verdict, 512));
  }
  countAllocations(state, before);
}

void BM_SelfTestInProcess(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(runSelfTest(L"/tmp/vemomed-bench-selftest.txt"));
  std::remove("/tmp/vemomed-bench-selftest.txt");
}

BENCHMARK(BM_VemoMed)->Arg(0)->Arg(1);
BENCHMARK(BM_muParser)->Arg(0)->Arg(1);
BENCHMARK(BM_fparser)->Arg(0)->Arg(1);
BENCHMARK(BM_GcsCompute);
BENCHMARK(BM_Report)->DenseRange(1, 11);
BENCHMARK(BM_SelfTestInProcess);

// Keeps each run's time so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
        times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

double timeOf(const RatioReporter& r, const std::string& name) {
  for (const auto& t : r.times)
    if (t.first.rfind(name, 0) == 0) return t.second;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nOne-shot evaluation, peer time / our time (higher is better; target >= 5 vs the faster peer):\n");
  for (int i = 0; i < 2; ++i) {
    std::string arg = "/" + std::to_string(i);
    double ours = timeOf(reporter, "BM_VemoMed" + arg), mu = timeOf(reporter, "BM_muParser" + arg),
           fp = timeOf(reporter, "BM_fparser" + arg);
    double faster = mu < fp ? mu : fp;
    std::printf("  \"%s\": ours %.1f ns, muParser %.1f ns (x%.1f), fparser %.1f ns (x%.1f), vs faster x%.1f\n",
                kExpressions[i], ours, mu, mu / ours, fp, fp / ours, faster / ours);
  }
  std::printf("Whole GCS compute: %.1f ns (target < 1000 ns)\n", timeOf(reporter, "BM_GcsCompute"));
  benchmark::Shutdown();
  return 0;
}
