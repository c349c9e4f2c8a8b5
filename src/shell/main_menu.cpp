#include "shell/main_menu.h"

#include "link/link_status.h"
#include "shell/help_file.h"
#include "shell/launcher.h"
#include "shell/link_action.h"
#include "shell/menu_actions.h"

namespace calvern {
namespace {

using platform::kBlack;
using platform::kBrightWhite;
using platform::kLightGrey;

}  // namespace

void DrawScreen(Application& app) {
  platform::Console& console = *app.Terminal;
  const MessageTable& m = app.Messages;
  console.Clear();
  console.PrintLine("");
  console.SetColour(kBrightWhite, kBlack);
  DrawLinkStatusBox(console, app.LinkStatusLine);
  console.SetColour(kLightGrey, kBlack);
  console.PrintLine("");
  const int items[] = {kMenuChangeSource, kMenuCompile,  kMenuEditSource, kMenuViewCompiled,
                       kMenuSetEditor,    kMenuViewHelp, kMenuSerialLink, kMenuTestEmulator};
  for (int i = 0; i < 8; ++i) console.PrintLine(" " + std::to_string(i + 1) + ": " + m[items[i]]);
  console.PrintLine(" 9: Language");
  console.PrintLine(" 0: " + m[kMenuQuit]);
  console.PrintLine("");
  console.PrintLine("");
  console.PrintLine("");
  console.SetColour(kBrightWhite, kBlack);
  for (int n = 1; n <= 3; ++n) {
    console.PrintLine("  " + app.Status[n]);
    app.Status[n].clear();
  }
  console.SetColour(kLightGrey, kBlack);
  console.MoveCursor(1, 18);
  console.Print(m[kYourChoice] + " : ");
}

void DispatchMenuKey(Application& app, const std::string& key) {
  if (key.size() != 1) return;
  switch (key[0]) {
    case '1':
      ChooseSource(app);
      break;
    case '2':
      CompileCurrentSource(app);
      break;
    case '3':
      app.Status[1] = app.Messages[OpenWithEditor(app, app.Config.SourcePath) ? kEditingSource
                                                                              : kEditorCantRun];
      break;
    case '4':
      app.Status[1] = app.Messages[OpenWithEditor(app, app.Config.ListingPath) ? kViewingCompiled
                                                                               : kEditorCantRun];
      break;
    case '5':
      ChooseEditorAndEmulator(app);
      break;
    case '6':
      ShowHelpFile(app);
      break;
    case '7':
      RunLinkMenu(app);
      break;
    case '8':
      LaunchEmulator(app, app.Config.EmulatorPath);
      break;
    case '9':
      ChooseLanguage(app);
      break;
    case '0':
      app.QuitRequested = true;
      break;
    default:
      break;
  }
}

int RunMainMenu(Application& app) {
  Settings written = app.Config;
  for (;;) {
    DrawScreen(app);
    std::string choice = app.Terminal->ReadLine();
    // The end of the input (Ctrl-D, a closed terminal) and Ctrl-C or a termination signal end
    // the run like key 0, keeping the choices made; the shell's prompt then starts on a fresh
    // line.
    if (app.Terminal->InputEnded()) {
      app.Terminal->PrintLine("");
      SaveSettings(app);
      return 0;
    }
    DispatchMenuKey(app, UpperCase(choice));
    if (app.QuitRequested) {
      SaveSettings(app);
      return 0;
    }
    // A choice is written as soon as it is made, quietly (key 0 reports a failure): closing
    // the console window may end the program there and then (under Wine it does, before the
    // program hears of it), and what the user chose survives that.
    if (app.Config != written && WriteSettings(app)) written = app.Config;
  }
}

}  // namespace calvern
