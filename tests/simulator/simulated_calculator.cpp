// A simulated MK-161 calculator for the link tests. It opens a pseudo-terminal, links its
// device to the name given with --link (a COMn link in the test's directory), answers the
// link commands like a calculator, and writes every request it receives to the --log file, one
// frame per line in hexadecimal. Options make it misbehave the ways a real line can:
//   --name TEXT        the name it answers to identification (default MK-161)
//   --screen FILE      2048 bytes: the 8 x 128 column bytes of the main, then the graphic screen
//   --paced            bytes take their time on the wire: 960 per second in each direction
//   --silent-from N    from request N on (counted from 0) it no longer answers
//   --short-from N     from request N on it sends only half of each announced reply
//   --late MS          every answer starts MS milliseconds late
//   --oversize-at N    request N gets a reply announcing 1000 bytes, which it then sends
//   --negative-at N    request N gets a reply whose length field reads as -2
//   --reject ZZ:BB     it refuses to select block BB (hex) of zone ZZ (hex)
//   --busy N           its first N status replies say it is busy
//   --stuck-mode       it never changes its transfer mode
//   --reject-line L    it refuses to select screen line L (reply 41)
//   --echo             a loopback line: every byte sent comes straight back, nothing else
//   --trickle N:MS     every reply announces N bytes and comes one byte every MS milliseconds
// It ends when its parent ends or on SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "simulator/hex_bytes.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;
constexpr std::chrono::microseconds kByteTime{1042};  // one byte at 9600 baud, 8N1

struct Options {
  std::string link, log, name = "MK-161";
  Bytes screens = Bytes(2048, 0);
  bool paced = false, stuckMode = false;
  long silentFrom = -1, shortFrom = -1, oversizeAt = -1, negativeAt = -1;
  int lateMs = 0, busy = 0, rejectZone = -1, rejectBlock = -1, rejectLine = -1;
  bool echo = false;
  int trickleLength = -1, trickleMs = 0;
};

struct Calculator {
  bool transferMode = false;
  int line = 0;
  long requests = 0;
};

Options ParseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string key = argv[i];
    auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
    if (key == "--link")
      o.link = value();
    else if (key == "--log")
      o.log = value();
    else if (key == "--name")
      o.name = value();
    else if (key == "--screen") {
      std::ifstream in(value(), std::ios::binary);
      Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      bytes.resize(2048);
      o.screens = bytes;
    } else if (key == "--paced")
      o.paced = true;
    else if (key == "--stuck-mode")
      o.stuckMode = true;
    else if (key == "--silent-from")
      o.silentFrom = std::stol(value());
    else if (key == "--short-from")
      o.shortFrom = std::stol(value());
    else if (key == "--oversize-at")
      o.oversizeAt = std::stol(value());
    else if (key == "--negative-at")
      o.negativeAt = std::stol(value());
    else if (key == "--late")
      o.lateMs = std::stoi(value());
    else if (key == "--busy")
      o.busy = std::stoi(value());
    else if (key == "--reject-line")
      o.rejectLine = std::stoi(value());
    else if (key == "--echo")
      o.echo = true;
    else if (key == "--trickle") {
      std::string v = value();
      o.trickleLength = std::stoi(v);
      o.trickleMs = std::stoi(v.substr(v.find(':') + 1));
    } else if (key == "--reject") {
      std::string v = value();
      o.rejectZone = std::stoi(v.substr(0, 2), nullptr, 16);
      o.rejectBlock = std::stoi(v.substr(3), nullptr, 16);
    }
  }
  return o;
}

// The reply payload for a request payload; empty for none.
Bytes Answer(const Options& o, Calculator& c, const Bytes& p) {
  auto at = [&](std::size_t i) -> int { return i < p.size() ? p[i] : -1; };
  if (at(0) == 0x10 && at(1) == 0x00) return Bytes(o.name.begin(), o.name.end());
  if (at(0) == 0x10 && at(1) == 0xA0) {
    if (c.requests <= o.busy) return {0x21};  // busy: a short status
    return {0x20, 0x00, 0x00, static_cast<std::uint8_t>(c.transferMode ? 1 : 0), 0x00};
  }
  if (at(0) == 0x30 && at(1) == 0xA0) {
    if (!o.stuckMode) c.transferMode = at(2) == 0x80;
    return {0x40};
  }
  if (at(0) == 0x30 && at(1) == 0x84 && at(2) == 0x01) {
    if (at(3) == o.rejectLine) return {0x41};
    c.line = at(3) & 7;
    return {0x40};
  }
  if (at(0) == 0x10 && at(1) == 0x84) {
    Bytes reply(3 + 128, 0);
    reply[0] = 0x20;
    const std::uint8_t* screen = o.screens.data() + (at(2) == 0x11 ? 1024 : 0) + 128 * c.line;
    std::copy(screen, screen + 128, reply.begin() + 3);
    return reply;
  }
  if (at(0) == 0x30 && at(2) == 0x01) {
    return {
        static_cast<std::uint8_t>(at(1) == o.rejectZone && at(3) == o.rejectBlock ? 0x41 : 0x40)};
  }
  if (at(0) == 0x30 && (at(2) == 0x11 || at(2) == 0x81)) return {0x40};
  return {0x3F};
}

// Writes bytes to the line; paced, each byte is delivered when its last bit has arrived, or
// `gap` after the one before when that is longer.
void Send(int master, const Bytes& bytes, bool paced,
          std::chrono::microseconds gap = std::chrono::microseconds(0)) {
  gap = std::max(gap, paced ? kByteTime : std::chrono::microseconds(0));
  Clock::time_point due = Clock::now() + gap;
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t count = bytes.size() - i;
    if (gap.count() > 0) {
      std::this_thread::sleep_until(due);
      count = 1;
      due += gap;
    }
    ssize_t n = write(master, bytes.data() + i, count);
    if (n > 0)
      i += static_cast<std::size_t>(n);
    else if (n < 0 && errno != EAGAIN && errno != EINTR)
      return;
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace

int main(int argc, char** argv) {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  Options o = ParseOptions(argc, argv);
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return 1;
  std::string device = ptsname(master);
  // The simulator keeps the device open itself, so that the line stays up while the program
  // under test opens and closes it around every exchange.
  int slave = open(device.c_str(), O_RDWR | O_NOCTTY);
  termios tio{};
  if (slave < 0 || tcgetattr(slave, &tio) != 0) return 1;
  cfmakeraw(&tio);
  tcsetattr(slave, TCSANOW, &tio);
  std::string temporary = o.link + ".new";
  unlink(temporary.c_str());
  if (symlink(device.c_str(), temporary.c_str()) != 0 ||
      rename(temporary.c_str(), o.link.c_str()) != 0) {
    return 1;
  }

  Calculator calculator;
  Bytes frame;
  Clock::time_point lastArrival = Clock::now();
  for (;;) {
    std::uint8_t chunk[512];
    ssize_t n = read(master, chunk, sizeof chunk);
    if (n <= 0) {
      pollfd entry{master, POLLIN, 0};
      poll(&entry, 1, 1000);
      continue;
    }
    Clock::time_point now = Clock::now();
    for (ssize_t i = 0; i < n; ++i) {
      // On a paced line a byte arrives one byte time after the one before it at the earliest.
      lastArrival = o.paced && !frame.empty() ? std::max(now, lastArrival + kByteTime) : now;
      frame.push_back(chunk[i]);
      if (frame.size() < 4 || frame.size() < 4u + (frame[2] | (frame[3] << 8))) continue;

      if (o.paced) std::this_thread::sleep_until(lastArrival + kByteTime);
      unsigned sum = 0;
      for (std::size_t k = 0; k + 1 < frame.size(); ++k) sum += frame[k];
      std::string line = calvern_test::HexBytes(frame);
      if ((sum & 0xFF) != frame.back()) line += " BADSUM";
      if (!o.log.empty()) std::ofstream(o.log, std::ios::app) << line << "\n";

      long index = calculator.requests++;
      Bytes payload(frame.begin() + 4, frame.end() - 1);
      frame.clear();
      Bytes answer = Answer(o, calculator, payload);
      if (o.echo || (o.silentFrom >= 0 && index >= o.silentFrom)) continue;
      int announced = static_cast<int>(answer.size()) + 1;
      if (o.trickleLength >= 0) {
        announced = o.trickleLength;
        answer.resize(std::max(announced - 1, 0), 0x40);
      }
      if (index == o.oversizeAt) {
        answer.assign(999, 0x40);
        announced = 1000;
      }
      if (index == o.negativeAt) announced = 0xFFFE;
      Bytes reply;
      reply.reserve(answer.size() + 5);
      for (int b : {0x01, 0x00, announced & 0xFF, announced >> 8}) reply.push_back(b & 0xFF);
      for (std::uint8_t b : answer) reply.push_back(b);
      unsigned replySum = 0;
      for (std::uint8_t b : reply) replySum += b;
      reply.push_back(static_cast<std::uint8_t>(replySum));
      if (o.shortFrom >= 0 && index >= o.shortFrom) reply.resize(4 + (reply.size() - 4) / 2);
      if (o.lateMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(o.lateMs));
      Send(master, reply, o.paced, std::chrono::milliseconds(o.trickleMs));
    }
    // A loopback line sends every byte back as it comes (logged first, so that the log is
    // complete once the echo has arrived).
    if (o.echo) Send(master, Bytes(chunk, chunk + n), false);
  }
}
