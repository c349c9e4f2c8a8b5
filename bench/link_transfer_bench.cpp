// Sends the largest program the calculator holds (every step, the whole binary zone, all 1000
// decimal registers) to the simulated calculator paced at 9600 baud, and measures how far the
// transfer stays from the time its bytes need on the wire, and how much processor time the
// link uses while it waits. The figures are printed for README.
//
// The run fails when the link busy-waits: the processor time this process itself used (user
// and system, from getrusage) above 10 % of the wire time. Both sides of that mark are the
// process's own: other processes on a loaded machine stretch the elapsed time but not the
// processor time a sleeping wait costs, nor the bytes on the wire. A sleeping wait still wakes
// for every byte or so: 0.5 % of the wire time on a quiet machine, 1 to 5 % on a virtual
// machine whose system calls are slow; a spinning wait uses all of it. It also
// fails when the link is clearly off pace, more than 20 % over the wire time: a sleep that
// oversleeps under load costs milliseconds, an added delay per exchange costs seconds.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "link/program_transfer.h"
#include "simulator/link_test_support.h"

namespace {

double CpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main() {
  calvern_test::CurrentTempDir dir;
  calvern_test::SimulatedCalculator calculator({"--paced"});
  calvern::ProgramImage image;
  for (int cell = 0; cell < calvern::ProgramImage::kCellCount; ++cell) {
    image.cells[cell] = (cell * 31) & 0xFF;
  }
  image.binaryZoneUsed = image.decimalZoneUsed = true;

  calvern::MessageTable messages;
  calvern_test::ScriptedConsole console;
  std::string port = "COM3", linkLine, status1, status2;
  int identifier = 255;
  calvern::LinkContext context{console,  messages, port,    identifier,
                               linkLine, status1,  status2, &image};
  calvern::LinkSession session(port, identifier);

  double cpuBefore = CpuSeconds();
  auto start = std::chrono::steady_clock::now();
  calvern::SendProgram(context, session);
  double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  double cpu = CpuSeconds() - cpuBefore;

  double wire = session.BytesOnWire() / 960.0;
  double ratio = elapsed / wire;
  double cpuShare = cpu / wire;
  std::printf("link transfer: %lld bytes, %.2f s on the wire, %.2f s elapsed, ratio %.3f\n",
              session.BytesOnWire(), wire, elapsed, ratio);
  std::printf("link transfer: %.3f s of processor time, %.2f %% of the wire time\n", cpu,
              100 * cpuShare);
  if (status1 != "Program sent !") {
    std::printf("link transfer failed: %s\n", status1.c_str());
    return 1;
  }
  return ratio <= 1.20 && cpuShare < 0.10 ? 0 : 1;
}
