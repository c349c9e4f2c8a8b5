// Compilation speed on the largest programs the calculator holds: close to 10 000 steps,
// 511 labels, hundreds of forward references, every register operand written by name.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "compiler/compile.h"
#include "job/compile_job.h"
#include "output/disassembler.h"
#include "output/mk_file_writer.h"
#include "output/symbol_file.h"
#include "pictures/picture_writing_testing.h"
#include "platform/program.h"

namespace {

// Registers 100-611 get names; every label block reads and writes them by name, calls the
// I/O registers by their backslash names, jumps forward to the next label and to one 100 labels
// on (so a hundred references are pending at any time), and loops back to an earlier label.
std::string WorstCaseSource() {
  std::string source = "; generated worst case\n";
  constexpr int kLabels = 511;
  for (int r = 0; r < 512; ++r) {
    source += "#reg " + std::to_string(100 + r) + " value" + std::to_string(r) + "\n";
  }
  for (int i = 0; i < kLabels; ++i) {
    std::string n = std::to_string(i);
    source += "label" + n + ":\n";
    source += "  RCL value" + n + " STO value" + std::to_string((i * 7) % 512) + "\n";
    source += i % 2 == 0 ? "  SET \\GMode RCL (IDX)\n" : "  GET \\Inkey RCL (IDX)\n";
    if (i + 1 < kLabels) source += "  GOTO label" + std::to_string(i + 1) + "\n";
    if (i + 100 < kLabels) source += "  x=0 label" + std::to_string(i + 100) + "\n";
    if (i > 0) source += "  If(x<>0)goto label" + std::to_string(i / 2) + "\n";
  }
  source += "#reg 7 IDX\n";
  return source;
}

// Structures at their limits: IF/ELSE and loops nested 100 deep (the stack holds 101 entries),
// and 100 SELECTs of three CASEs each, whose comparisons and jumps are generated source text.
std::string StructuresWorstCase() {
  std::string source = "#reg 20 choice\n";
  for (int depth = 0; depth < 100; ++depth) {
    switch (depth % 4) {
      case 0:
        source += "DO ENT\n";
        break;
      case 1:
        source += "IF(x<0)THEN 1\n";
        break;
      case 2:
        source += "IF(x=0)THEN 2 ELSE 3\n";
        break;
      default:
        source += "REPEAT 4\n";
        break;
    }
  }
  for (int depth = 99; depth >= 0; --depth) {
    switch (depth % 4) {
      case 0:
        source += "LOOP\n";
        break;
      case 3:
        source += "UNTIL(x>=0)\n";
        break;
      default:
        source += "ENDIF\n";
        break;
    }
  }
  for (int s = 0; s < 100; ++s) {
    source += "SELECT choice\n  CASE= $1 sin\n  CASE= $" + std::to_string(2 + s % 5) +
              " cos\n  CASE= @7 tan\n  DEFAULT ENT\nENDSELECT\n";
  }
  return source;
}

// The most menus the generated lines hold (99), 10 lines each with every kind of line taking its
// turn, and the main loop that compiles them. Texts are held in registers and spacing lines
// take no step, so that the program fits the program zone (9819 steps) and the label table.
std::string MenusWorstCase() {
  const std::string special[] = {
      "#CHECK (5) 6\n",        "#RADIO \"A\" 7\n", "#INPUTD \"\" 60 8\n",
      "#OUTPUTD 0 (5) 60 8\n", "#PROGRESSBAR 8\n", "#?STRING 0 (5) 9 (4)\n",
  };
  std::string source = "GOTO run\nact: RTN\n";
  for (int k = 0; k < 99; ++k) {
    source += "#MENU\n#BLANK 3\n#BLANK 1\n#ACTION (5) act\n#BLANK 2\n";
    source += "#LINK (5) " + std::to_string((k + 1) % 99) + "\n#STARTRECT\n" + special[k % 6];
    source += "#ENDRECT\n#BLANK 1\n#CSTRING 0 (5)\n#ENDMENU\n";
  }
  return source + "run:\n#MENUMAINLOOP 20\n";
}

std::string SourceWithLeadingRegister() { return "#reg 7 IDX\n" + WorstCaseSource(); }

// Compiles a generated source from memory over and over: the statement loop and the end
// checks, without files.
void CompileInMemory(benchmark::State& state, const std::string& source) {
  calvern::CompileResult first = calvern::CompileProgram(source);
  if (!first.Ok()) {
    // A source that stopped compiling would time an error path: stop the whole run.
    std::fprintf(stderr, "benchmark source does not compile (line %lld)\n", first.error->line);
    std::exit(1);
  }
  for (auto _ : state) {
    calvern::CompileResult result = calvern::CompileProgram(source);
    benchmark::DoNotOptimize(result.error);
  }
  state.counters["steps"] = first.program.firstFreeStep;
  state.counters["labels"] = first.program.labels.Count();
}

void BM_CompileWorstCaseInMemory(benchmark::State& state) {
  CompileInMemory(state, SourceWithLeadingRegister());
}
BENCHMARK(BM_CompileWorstCaseInMemory)->Unit(benchmark::kMillisecond);

void BM_CompileStructuresWorstCase(benchmark::State& state) {
  CompileInMemory(state, StructuresWorstCase());
}
BENCHMARK(BM_CompileStructuresWorstCase)->Unit(benchmark::kMillisecond);

void BM_CompileMenusWorstCase(benchmark::State& state) { CompileInMemory(state, MenusWorstCase()); }
BENCHMARK(BM_CompileMenusWorstCase)->Unit(benchmark::kMillisecond);

// The whole job of a slave-mode compilation: read the file, compile, write the listing and
// the MK files.
void BM_CompileWorstCaseWithFiles(benchmark::State& state) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / "calvern-bench";
  fs::create_directories(dir);
  const std::string sourcePath = (dir / "worst.txt").string();
  std::ofstream(sourcePath, std::ios::binary) << SourceWithLeadingRegister();
  calvern::CompileJobRequest request;
  request.sourcePath = sourcePath;
  request.listingPath = (dir / "worst.LST").string();
  request.mkBaseName = (dir / "worst.").string();
  request.slaveMode = true;
  int steps = 0;
  for (auto _ : state) {
    calvern::CompileJobResult result = calvern::RunCompileJob(request);
    if (result.outcome != calvern::JobOutcome::kCompiled) state.SkipWithError("compilation failed");
    steps = result.firstFreeStep;
  }
  state.counters["steps"] = steps;
  fs::remove_all(dir);
}
BENCHMARK(BM_CompileWorstCaseWithFiles)->Unit(benchmark::kMillisecond);

// A whole graphic program at its heaviest: seven 64 x 64 pictures, dithered, fill most of the
// binary zone, a font of 16 characters 8 dots high and the 99 menus above fill the program
// zone; compiled through the job, which reads the pictures with the real decoders.
void BM_CompileMenusAndGraphicsWorstCase(benchmark::State& state) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / "calvern-bench-graphics";
  fs::create_directories(dir);
  std::string source = "#BINARY\n";
  for (int p = 0; p < 7; ++p) {
    calvern::RgbImage picture(64, 64);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        const auto level = static_cast<std::uint8_t>((x * 4 + y * p) % 256);
        picture.Set(x, y, level, static_cast<std::uint8_t>(255 - level), level);
      }
    }
    const std::string name = "picture" + std::to_string(p) + ".png";
    std::ofstream(dir / name, std::ios::binary) << calvern::PngBytes(picture);
    source += "pic" + std::to_string(p) + ": #LOADIMAGE " + std::to_string(2 + p % 2) + " \"" +
              name + "\"\n";
  }
  source += "#PROGRAM\nfont: #FONT 8\n";
  for (int c = 0; c < 16; ++c) {
    source += "#DEFCHAR " + std::to_string(48 + c);
    for (int row = 0; row < 8; ++row) source += row % 2 == c % 2 ? " *.*.*." : " .*.*.*";
    source += " #END\n";
  }
  source += "#ENDFONT\n" + MenusWorstCase();
  const std::string sourcePath = (dir / "graphics.txt").string();
  std::ofstream(sourcePath, std::ios::binary) << source;
  calvern::CompileJobRequest request;
  request.sourcePath = sourcePath;
  request.listingPath = (dir / "graphics.LST").string();
  request.mkBaseName = (dir / "graphics.").string();
  request.slaveMode = true;
  if (calvern::RunCompileJob(request).outcome != calvern::JobOutcome::kCompiled) {
    // As for the sources compiled in memory: never time an error path.
    std::fprintf(stderr, "menus and graphics source does not compile\n");
    std::exit(1);
  }
  for (auto _ : state) {
    calvern::CompileJobResult result = calvern::RunCompileJob(request);
    benchmark::DoNotOptimize(result.outcome);
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_CompileMenusAndGraphicsWorstCase)->Unit(benchmark::kMillisecond);

// The worst-case program filled up to step 9999, as its MK files and symbol file hold it: what
// the disassembler reads for a full program zone.
struct FullProgramZone {
  calvern::MkImage memory;
  calvern::SymbolNames names;
  std::string source;  // the disassembled source
};

const FullProgramZone& FullZone() {
  static const FullProgramZone zone = [] {
    std::string source = SourceWithLeadingRegister();
    const int steps = calvern::CompileProgram(source).program.firstFreeStep;
    for (int step = steps; step < calvern::kProgramMemory.cells; ++step) source += " ENT";
    const calvern::CompileResult result = calvern::CompileProgram(source);
    if (!result.Ok() || result.program.firstFreeStep != calvern::kProgramMemory.cells) {
      std::fprintf(stderr, "the full program zone does not compile\n");
      std::exit(1);
    }
    FullProgramZone full;
    for (const auto& file : calvern::MkFilesOf(result.program).files) {
      if (!calvern::AddMkFile(file.extension, file.bytes, full.memory)) std::exit(1);
    }
    full.names = *calvern::ReadSymbolFile(calvern::SymbolFileText(result.program));
    full.source = calvern::DisassembledSource(full.memory, full.names, "bench");
    return full;
  }();
  return zone;
}

// 10 000 steps back to a source (labels, register names), and that source compiled again.
void BM_DisassembleFullProgramZone(benchmark::State& state) {
  const FullProgramZone& zone = FullZone();
  for (auto _ : state) {
    std::string source = calvern::DisassembledSource(zone.memory, zone.names, "bench");
    benchmark::DoNotOptimize(source);
  }
}
BENCHMARK(BM_DisassembleFullProgramZone)->Unit(benchmark::kMillisecond);

void BM_DisassembleAndRecompileFullProgramZone(benchmark::State& state) {
  const FullProgramZone& zone = FullZone();
  if (!calvern::CompileProgram(zone.source).Ok()) {
    std::fprintf(stderr, "the disassembled full program zone does not compile\n");
    std::exit(1);
  }
  for (auto _ : state) {
    calvern::CompileResult result =
        calvern::CompileProgram(calvern::DisassembledSource(zone.memory, zone.names, "bench"));
    benchmark::DoNotOptimize(result.error);
  }
}
BENCHMARK(BM_DisassembleAndRecompileFullProgramZone)->Unit(benchmark::kMillisecond);

// The full zone's own source compiled, for comparison.
void BM_CompileFullProgramZone(benchmark::State& state) {
  std::string source = SourceWithLeadingRegister();
  const int steps = calvern::CompileProgram(source).program.firstFreeStep;
  for (int step = steps; step < calvern::kProgramMemory.cells; ++step) source += " ENT";
  CompileInMemory(state, source);
}
BENCHMARK(BM_CompileFullProgramZone)->Unit(benchmark::kMillisecond);

}  // namespace

// The program's own start: memory set up as main() sets it up.
int main(int argc, char** argv) {
  calvern::platform::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
