#include "platform/console.h"

namespace calvern::platform {
namespace {

// Slave mode and the verbs: nothing is shown, every question reads as an empty answer.
class AbsentConsole : public Console {
 public:
  bool Present() const override { return false; }
  void Clear() override {}
  void Print(std::string_view) override {}
  void SetColour(int, int) override {}
  void MoveCursor(int, int) override {}
  void SetTitle(std::string_view) override {}
  std::string ReadLine() override { return std::string(); }
  bool InputEnded() const override { return false; }
};

}  // namespace

std::unique_ptr<Console> NoConsole() { return std::make_unique<AbsentConsole>(); }

}  // namespace calvern::platform
