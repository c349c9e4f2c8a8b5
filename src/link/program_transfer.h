// Sending the compiled program to the calculator: transfer mode on, the program zone and the
// binary and decimal zones that the compilation used, block by block, transfer mode off.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/link_context.h"
#include "link/link_status.h"
#include "tables/memory_map.h"

namespace calvern {

// A memory zone as the calculator receives it: blocks of `size` cells from image cell `first`.
struct ZoneLayout {
  int titleMessage;  // the heading of its progress output
  int nameMessage;   // its name in a failure report
  int blocks;
  int size;
  int first;
  std::uint8_t code;    // the zone's byte in the block commands
  std::uint8_t filler;  // sent for the unused cells of a block that is sent
};

constexpr ZoneLayout LayoutOf(const MemoryZone& zone, int titleMessage, int nameMessage) {
  return {titleMessage,   nameMessage,   zone.Blocks(),  zone.blockSize,
          zone.firstCell, zone.linkCode, zone.linkFiller};
}
inline constexpr ZoneLayout kProgramZone =
    LayoutOf(kProgramMemory, kProgramZoneProgress, kProgramZoneName);
inline constexpr ZoneLayout kBinaryZone =
    LayoutOf(kBinaryMemory, kBinaryZoneProgress, kBinaryZoneName);
inline constexpr ZoneLayout kDecimalZone =
    LayoutOf(kDecimalMemory, kDecimalZoneProgress, kDecimalZoneName);

// How a transfer went: every command acknowledged, some rejected (the transfer went on), or
// stopped because the calculator did not answer.
struct TransferReport {
  bool stopped = false;
  // The first failure, with the status line that reports it; kDone when all went well.
  LinkProblem failure;
};

// The used blocks of a zone, in order.
std::vector<int> UsedBlocks(const ProgramImage& image, const ZoneLayout& zone);

// The blocks a transfer of the image sends: the used ones of the program zone and of the
// binary and decimal zones that the compilation used.
int BlocksToSend(const ProgramImage& image);

// Link menu key 3: sends the program, or explains that there is none to send. Leaves the
// outcome in status line 1.
void SendProgram(LinkContext& context, LinkSession& session);

// Sends the program without a question: transfer mode on, the zones, transfer mode off. The
// progress goes to the context's console, and each block sent is told to its BlockSent.
TransferReport TransferProgram(LinkContext& context, LinkSession& session,
                               const ProgramImage& image);

// Sends the used blocks of one zone and finishes it; false when the transfer must stop.
bool SendZone(LinkContext& context, LinkSession& session, const ProgramImage& image,
              const ZoneLayout& zone, TransferReport& report);

// Asks for the status until the calculator reports ready (a 6-byte status reply), for at most
// the status wait of the session's time-outs. nullopt when ready, else why not.
std::optional<LinkProblem> WaitCalculatorReady(LinkContext& context, LinkSession& session);

// Asks the calculator to switch transfer mode on or off and waits, for at most the status wait,
// until it reports the mode. nullopt when done, else why not.
std::optional<LinkProblem> SwitchRemoteMode(LinkContext& context, LinkSession& session, bool on);

// Waits until the calculator is ready, then switches transfer mode.
std::optional<LinkProblem> SetRemoteMode(LinkContext& context, LinkSession& session, bool on);

}  // namespace calvern
