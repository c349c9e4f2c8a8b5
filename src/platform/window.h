// A window that shows a picture while the console asks what to do with it.
#pragma once

#include <memory>
#include <string>

#include "platform/console.h"
#include "platform/picture.h"

namespace calvern::platform {

class PictureWindow {
 public:
  virtual ~PictureWindow() = default;
  // Shows the picture under a title.
  virtual void Show(const std::string& title, const Picture& picture) = 0;
  virtual void Close() = 0;
};

// A window beside the console. On a text terminal the picture is drawn into the console itself,
// at half its size: each character cell shows one picture column of two pixels by two rows of
// two pixels (so one calculator dot per half cell for a capture drawn at twice its size).
std::unique_ptr<PictureWindow> OpenPictureWindow(Console& console);

}  // namespace calvern::platform
