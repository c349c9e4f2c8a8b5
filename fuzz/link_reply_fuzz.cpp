// Feeds calculator replies of any length and content through the link: identification, a
// program transfer of all three zones, and a screen capture, each reading its replies from
// the fuzzer's bytes through a port that stands in for the serial line.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "link/link_menu.h"
#include "link/link_status.h"
#include "link/program_transfer.h"
#include "link/screen_capture.h"

namespace {

using calvern::platform::Deadline;

// The replies of the calculator, shared by the ports opened one after the other.
struct Line {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t read = 0;
};

// A serial port whose received bytes come from the fuzzer input; when they run out, every
// wait ends as if its deadline had passed.
class BufferPort : public calvern::platform::SerialPort {
 public:
  explicit BufferPort(Line& line) : line_(line) {}
  int OutputQueued() override { return 0; }
  int InputQueued() override { return static_cast<int>(line_.size - line_.read); }
  bool Write(const std::uint8_t*, std::size_t, Deadline) override { return true; }
  int Read(std::uint8_t* data, std::size_t size, Deadline) override {
    // Replies arrive in pieces of up to 7 bytes, as from a serial line.
    std::size_t n = std::min({size, line_.size - line_.read, std::size_t{7}});
    for (std::size_t i = 0; i < n; ++i) data[i] = line_.data[line_.read + i];
    line_.read += n;
    return static_cast<int>(n);
  }

 private:
  Line& line_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Line line{data + 1, size - 1};
  static const calvern::MessageTable messages;
  std::unique_ptr<calvern::platform::Console> console = calvern::platform::NoConsole();
  std::string port = "COM3", linkLine, status1, status2;
  int identifier = 255;
  calvern::ProgramImage image;
  for (int cell : {0, 150, 9999, 10000, 14095, 14096, 22095}) image.cells[cell] = cell & 0xFF;
  image.binaryZoneUsed = image.decimalZoneUsed = true;
  calvern::LinkTimeouts timeouts;
  timeouts.pollPause = std::chrono::milliseconds(0);
  calvern::LinkContext context{*console,
                               messages,
                               port,
                               identifier,
                               linkLine,
                               status1,
                               status2,
                               &image,
                               [&line](const std::string&) {
                                 return calvern::platform::SerialOpenResult{
                                     std::make_unique<BufferPort>(line), std::string()};
                               },
                               timeouts};
  calvern::LinkSession session(port, identifier, context.OpenPort, timeouts);
  // The first byte chooses what the replies answer.
  switch (data[0] % 4) {
    case 0:
      calvern::IdentifyCalculator(session, messages, linkLine);
      break;
    case 1:
      calvern::SendProgram(context, session);
      break;
    case 2:
      calvern::CaptureScreen(context, session, calvern::kMainScreenCode, "Main Screen");
      break;
    default:
      calvern::ShowLinkHeader(context, session);
      break;
  }
  return 0;
}
