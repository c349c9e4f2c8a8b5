// What the link menu needs from the application, handed over by reference.
#pragma once

#include <functional>
#include <string>

#include "link/link_transaction.h"
#include "link/program_image.h"
#include "platform/console.h"
#include "tables/message_table.h"

namespace calvern {

struct LinkContext {
  platform::Console& Console;
  const MessageTable& Messages;
  // "COM" + number, or the path of a serial device; changed by the port settings.
  std::string& ComPort;
  int& MkIdentifier;
  std::string& LinkStatusLine;
  // Status lines 1 and 2 of the main menu.
  std::string& StatusLine1;
  std::string& StatusLine2;
  // The compiled program; null when no compilation has succeeded since the source changed.
  const ProgramImage* Program = nullptr;
  // The real serial port, unless a test or the fuzzer stands in for it.
  PortOpener OpenPort = platform::OpenSerialPort;
  LinkTimeouts Timeouts = {};
  // Told after each block of a program transfer has been sent (accepted or not).
  std::function<void(const LinkSession&)> BlockSent;
};

}  // namespace calvern
