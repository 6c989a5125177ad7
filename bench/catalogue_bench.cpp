// Loading the shipped model catalogue, function catalogue and language
// table from their documents, against a plain nlohmann parse of the same
// documents. Each iteration times both, one after the other, in the
// thread's CPU time, so a busy machine weighs on neither; the reported time
// is the catalogue's, and the counter "ratio" is catalogue time / plain
// parse time. Documents are
// taken out of the built packages first: reading packages is measured by
// package_bench. Function icons are not decoded (the native stand-in of the
// decoder is left out through the document builder's icon hook).
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "catalog/document_text.h"
#include "catalog/function_document.h"
#include "catalog/json_values.h"
#include "catalog/language_table.h"
#include "catalog/model_catalogue.h"
#include "catalog/package.h"
#include "catalog/package_password.h"
#include "catalog/package_platform.h"
#include "catalog/utf.h"

namespace {

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Documents {
  std::vector<std::string> models;
  std::string functions;
  std::string language;
};

std::vector<std::string> MembersEndingWith(const char* package_file, std::u16string_view suffix) {
  const auto package =
      tessaro::Package::FromFile(tessaro::Utf8ToUtf16(std::string(TESSARO_PACKAGE_DIR "/") + package_file));
  std::vector<std::string> texts;
  std::vector<uint8_t> bytes;
  tessaro::WalkPackageMembers(*package, [&](const tessaro::PackageMember& member) {
    const std::u16string_view name = member.name;
    if (name.size() >= suffix.size() && name.substr(name.size() - suffix.size()) == suffix &&
        tessaro::ReadCurrentMember(*package, bytes, tessaro::kPackagePassword))
      texts.emplace_back(tessaro::DocumentText(bytes));
    return true;
  });
  return texts;
}

const Documents& TheDocuments() {
  static const Documents documents = [] {
    Documents d;
    d.models = MembersEndingWith("model.pkg", u"model.json");
    const auto functions = MembersEndingWith("function.pkg", u"/function.json");
    std::vector<uint8_t> language;
    if (d.models.empty() || functions.size() != 1 ||
        !tessaro::ReadWholeFile(tessaro::Utf8ToUtf16(TESSARO_DATA_DIR "/language.json"), language))
      std::abort();
    d.functions = functions[0];
    d.language.assign(language.begin(), language.end());
    // The table loads from the "embedded" copy; no file beside a program.
    tessaro::SetAppFolderFromModuleName(u"/nonexistent-tessaro-folder\\Tessaro.exe");
    tessaro::platform::SetModuleResource(tessaro::kLanguageResourceId, language);
    return d;
  }();
  return documents;
}

void ParseModels(const Documents& d) {
  for (const auto& text : d.models) benchmark::DoNotOptimize(nlohmann::json::parse(text));
}
void LoadModels(const Documents& d) {
  tessaro::ModelItem catalogue;
  catalogue.ParseModels(d.models);
  benchmark::DoNotOptimize(catalogue.models.data());
}

void ParseFunctions(const Documents& d) { benchmark::DoNotOptimize(nlohmann::json::parse(d.functions)); }
void LoadFunctions(const Documents& d) {
  nlohmann::json root;
  if (!tessaro::ParseJsonDocument(d.functions, root)) std::abort();
  tessaro::FunctionDocumentContext context;
  context.win11 = true;
  context.os_major_version = 10;
  context.icon = [](std::u16string_view) -> void* { return nullptr; };
  benchmark::DoNotOptimize(tessaro::BuildFunctionCatalogue(root, context));
}

void ParseLanguage(const Documents& d) { benchmark::DoNotOptimize(nlohmann::json::parse(d.language)); }
void LoadLanguage(const Documents&) {
  tessaro::LanguageTable table;
  table.Load(1033);
  benchmark::DoNotOptimize(table.Texts());
}

void ParseAll(const Documents& d) {
  ParseModels(d);
  ParseFunctions(d);
  ParseLanguage(d);
}
void LoadAll(const Documents& d) {
  LoadModels(d);
  LoadFunctions(d);
  LoadLanguage(d);
}

void Compare(benchmark::State& state, void (*parse)(const Documents&), void (*load)(const Documents&)) {
  const Documents& d = TheDocuments();
  double parse_seconds = 0;
  double load_seconds = 0;
  for (auto _ : state) {
    const double start = ThreadCpuSeconds();
    parse(d);
    const double parsed = ThreadCpuSeconds();
    load(d);
    const double load_time = ThreadCpuSeconds() - parsed;
    parse_seconds += parsed - start;
    load_seconds += load_time;
    state.SetIterationTime(load_time);
  }
  state.counters["parse_us"] = benchmark::Counter(parse_seconds * 1e6 / static_cast<double>(state.iterations()));
  state.counters["ratio"] = benchmark::Counter(load_seconds / parse_seconds);
}

void BM_ModelCatalogue(benchmark::State& state) { Compare(state, ParseModels, LoadModels); }
void BM_FunctionCatalogue(benchmark::State& state) { Compare(state, ParseFunctions, LoadFunctions); }
void BM_LanguageTable(benchmark::State& state) { Compare(state, ParseLanguage, LoadLanguage); }
void BM_AllCatalogues(benchmark::State& state) { Compare(state, ParseAll, LoadAll); }

BENCHMARK(BM_ModelCatalogue)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FunctionCatalogue)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LanguageTable)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AllCatalogues)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
