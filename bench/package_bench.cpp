// Reading a whole package from memory (open, walk, decrypt, inflate, check)
// against plain zlib inflate of the same deflated members, unencrypted.
// The ratio of the two is printed at the end. Most of the difference is
// the traditional ZIP decryption, one serial chain of table look-ups and
// multiplications per stored byte.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "catalog/package.h"
#include "catalog/package_password.h"
#include "tools/pkgtool/package_writer.h"
#include "tools/pkgtool/pkzip_crypt.h"

namespace {

constexpr int kMembers = 100;

// A model-document-like text of a few KB: keys, hexadecimal ids, names and
// byte arrays, as the catalogues hold.
std::vector<uint8_t> JsonLikeMember(int index) {
  std::mt19937 random(static_cast<unsigned>(index));
  char head[64];
  std::snprintf(head, sizeof head, "{\n  \"model_id\": \"0x%04x\",\n  \"buttons\": [\n", 0x1000 + index);
  std::string text = head;
  const int buttons = 20 + static_cast<int>(random() % 20);
  for (int b = 0; b < buttons; ++b) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "    {\"name\": \"Button %d\", \"x\": %u, \"y\": %u, \"hid\": [\"0x%02x\", \"0x%02x\"]},\n", b,
                  static_cast<unsigned>(random() % 2400), static_cast<unsigned>(random() % 1600),
                  static_cast<unsigned>(random() % 256), static_cast<unsigned>(random() % 256));
    text += line;
  }
  text += "    {}\n  ]\n}\n";
  return {text.begin(), text.end()};
}

struct Corpus {
  std::vector<pkgtool::Member> members;
  std::vector<uint8_t> package;                // encrypted with the package password
  std::vector<std::vector<uint8_t>> deflated;  // the same members, raw deflate, unencrypted
  size_t total_size = 0;
};

const Corpus& TheCorpus() {
  static const Corpus corpus = [] {
    Corpus c;
    for (int i = 0; i < kMembers; ++i) {
      c.members.push_back({"model_korvane/" + std::to_string(i) + "/model.json", JsonLikeMember(i)});
      c.deflated.push_back(pkgtool::Deflate(c.members.back().data));
      c.total_size += c.members.back().data.size();
    }
    const auto path = std::filesystem::temp_directory_path() / "tessaro-bench.pkg";
    if (!pkgtool::WritePackage(path.string(), c.members, tessaro::kPackagePassword)) std::abort();
    std::ifstream in(path, std::ios::binary);
    c.package.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return c;
  }();
  return corpus;
}

void BM_PackageReadAllMembers(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  std::vector<uint8_t> out;
  for (auto _ : state) {
    auto package = tessaro::Package::FromMemory(corpus.package);
    size_t read = 0;
    tessaro::WalkPackageMembers(*package, [&](const tessaro::PackageMember&) {
      if (tessaro::ReadCurrentMember(*package, out, tessaro::kPackagePassword)) read += out.size();
      return true;
    });
    if (read != corpus.total_size) state.SkipWithError("a member did not read back");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.total_size));
}

void BM_PlainInflateAllMembers(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  std::vector<uint8_t> out;
  for (auto _ : state) {
    for (size_t i = 0; i < corpus.deflated.size(); ++i) {
      out.resize(corpus.members[i].data.size());
      z_stream z{};
      inflateInit2(&z, -MAX_WBITS);
      z.next_in = const_cast<Bytef*>(corpus.deflated[i].data());
      z.avail_in = static_cast<uInt>(corpus.deflated[i].size());
      z.next_out = out.data();
      z.avail_out = static_cast<uInt>(out.size());
      if (inflate(&z, Z_FINISH) != Z_STREAM_END) state.SkipWithError("inflate failed");
      inflateEnd(&z);
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.total_size));
}

BENCHMARK(BM_PackageReadAllMembers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainInflateAllMembers)->Unit(benchmark::kMicrosecond);

// Prints as usual and keeps each benchmark's CPU time per iteration (the
// wall clock counts whatever else the machine runs).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  const std::map<std::string, double>& times() const { return times_; }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto& t = reporter.times();
  const auto ours = t.find("BM_PackageReadAllMembers");
  const auto plain = t.find("BM_PlainInflateAllMembers");
  const Corpus& corpus = TheCorpus();
  std::printf("package: %d members, %zu bytes of content, %zu bytes packed\n", kMembers, corpus.total_size,
              corpus.package.size());
  if (ours != t.end() && plain != t.end())
    std::printf("CPU time ratio package read / plain inflate: %.2f\n", ours->second / plain->second);
  benchmark::Shutdown();
  return 0;
}
