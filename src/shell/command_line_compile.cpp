// `calvern compile SOURCE [-o LISTING] [--mk | --mk-base BASE] [--symbols FILE.json]
// [--lang FILE.LOC]`: one compilation with its diagnostics on standard error. "-" as the
// listing or the symbol file writes it to standard output.
#include <algorithm>
#include <memory>

#include "output/symbol_file.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/visible_text.h"
#include "shell/application.h"
#include "shell/command_line.h"
#include "shell/command_line_verbs.h"
#include "shell/compile_report.h"
#include "shell/editor_diagnostics.h"

namespace calvern {
namespace {

struct CompileArguments {
  std::string source;
  std::string listing;
  bool mkBesideListing = false;
  std::string mkBase;
  std::string symbols;
  std::string languageFile;
};

// The name that stands for standard output.
constexpr const char* kStandardOutput = "-";

int FileError(const std::string& what) { return ReportError(what, kExitFileError); }

// Why an output can't be written; a device or a pipe (`-o /dev/stdout`) gets the hint of "-".
std::string WhyNotWritten(platform::FileProblem problem, const MessageTable& m) {
  std::string why = BecauseOf(problem, m);
  if (problem == platform::FileProblem::kNotRegular) why += m[kStandardOutputHint];
  return why;
}

// "dir/prog.txt" gives "dir/prog.", and so does "dir/prog": the MK files and the listing are
// named by adding their extension.
std::string DottedBase(const std::string& path) {
  std::string base = platform::WithoutExtension(path, platform::ExtensionRule::kNoBlankInside);
  if (!base.ends_with('.')) base += '.';
  return base;
}

// The messages in the chosen language (a bare name or a path); why the language file can't be
// used, or empty.
std::string LoadLanguage(Application& app, const std::string& languageFile) {
  app.CurrentDirectory = platform::CurrentDirectory();
  app.Terminal = platform::NoConsole();  // a faulty file's warnings go to standard error
  app.Config.LanguageFile = languageFile;
  return LoadMessages(app, LanguagePath::kPathAllowed);
}

// The exit code; a successful compilation leaves its program in `compiled` when given.
int RunCompile(const CompileArguments& a,
               std::shared_ptr<const CompiledProgram>* compiled = nullptr) {
  Application app;
  if (!LoadLanguage(app, a.languageFile).empty()) {
    return FileError("cannot read the language file " + a.languageFile);
  }
  const MessageTable& m = app.Messages;
  const bool listingOut = a.listing == kStandardOutput;
  const bool symbolsOut = a.symbols == kStandardOutput;
  if (listingOut && symbolsOut) return UsageError(m[kOneStandardOutput]);
  CompileJobRequest request;
  request.sourcePath = a.source;
  request.listingTo = listingOut ? ListingDestination::kStandardOutput : ListingDestination::kFile;
  request.listingPath = a.listing.empty() ? DottedBase(a.source) + "LST" : a.listing;
  const bool mkAsked = a.mkBesideListing || !a.mkBase.empty();
  // Without --mk or --mk-base the source's own "#MKFiles" decides, and the files go beside
  // the listing, or beside the source when the listing goes to standard output (there is no
  // requester on the command line).
  // BASE names the files up to their extension: "out/prog" and "out/prog." both give
  // out/prog.MKP.
  request.mkBaseName = a.mkBase.ends_with('.') ? a.mkBase
                       : !a.mkBase.empty()     ? a.mkBase + "."
                       : listingOut            ? DottedBase(a.source)
                                               : DottedBase(request.listingPath);
  if (!a.mkBase.empty() && !MkBaseNamesAFile(request.mkBaseName)) {
    return UsageError(m[kMkBaseWithoutName] + a.mkBase);
  }
  request.slaveMode = mkAsked;
  request.chooseMkFileName = [&request] { return request.mkBaseName; };
  if (!listingOut && platform::SameFile(a.source, request.listingPath)) {
    return FileError("the listing would overwrite the source " + a.source);
  }
  if (!a.symbols.empty() && !symbolsOut &&
      (platform::SameFile(a.source, a.symbols) ||
       (!listingOut && platform::SameFile(request.listingPath, a.symbols)))) {
    return FileError("the symbol file would overwrite the source or the listing");
  }

  CompileJobResult result = RunCompileJob(request);
  // The first few warnings, and how many more there are: a source that repeats one doubtful
  // line 100 000 times gets a readable report.
  const std::size_t shown = std::min(result.warnings.size(), kWarningsShown);
  for (std::size_t i = 0; i < shown; ++i) {
    platform::WriteStandardError(
        platform::VisibleText(EditorDiagnosticLine(a.source, result.warnings[i], m)) + "\n");
  }
  if (std::string more = MoreWarningsText(result.warnings.size(), m); !more.empty()) {
    ReportError(more, kExitOk);
  }
  switch (result.outcome) {
    case JobOutcome::kCantOpenSource:
      return FileError("cannot read the source " + a.source + BecauseOf(result.fileProblem, m));
    case JobOutcome::kCantCreateListing:
      return FileError("cannot write the listing " + request.listingPath +
                       WhyNotWritten(result.fileProblem, m));
    case JobOutcome::kCompileError:
      platform::WriteStandardError(
          platform::VisibleText(EditorDiagnosticLine(a.source, *result.error, m)) + "\n");
      return kExitCompileError;
    case JobOutcome::kCantWriteMkFile:
      return FileError(MkFileFailure(result, app.Messages));
    case JobOutcome::kCompiled:
      break;
  }
  if (symbolsOut) {
    if (!platform::WriteStandardOutput(SymbolFileText(*result.program))) {
      return FileError("cannot write the symbol file to standard output");
    }
  } else if (!a.symbols.empty() &&
             !platform::WriteFileAtomically(a.symbols, SymbolFileText(*result.program))) {
    return FileError("cannot write the symbol file " + a.symbols +
                     WhyNotWritten(platform::WritingProblem(a.symbols), m));
  }
  if (compiled != nullptr) *compiled = result.program;
  return kExitOk;
}

}  // namespace

int CompileForLink(const std::string& source, std::shared_ptr<const CompiledProgram>& program) {
  CompileArguments arguments;
  arguments.source = source;
  return RunCompile(arguments, &program);
}

Verb CompileVerb() {
  auto a = std::make_shared<CompileArguments>();
  auto verb = std::make_unique<VerbArguments>(
      "compile", "Compile a source into its listing and MK files (or just: calvern SOURCE)");
  verb->AddPositional("SOURCE", a->source, "The calculator program to compile").Required();
  verb->AddOption("-o,--output", a->listing,
                  "The listing (default: SOURCE with .LST; - for standard output)");
  Argument& mk = verb->AddFlag("--mk", a->mkBesideListing, "Write the MK files beside the listing");
  Argument& mkBase =
      verb->AddOption("--mk-base", a->mkBase, "Write the MK files as BASE.MKP, BASE.MKB...");
  verb->Exclude(mk, mkBase);
  verb->AddOption("--symbols", a->symbols,
                  "Write labels, register names and zones as JSON (- for standard output)");
  verb->AddOption("--lang", a->languageFile, "Report errors in this language (FILE.LOC)");
  return {std::move(verb), [a] { return RunCompile(*a); }};
}

}  // namespace calvern
