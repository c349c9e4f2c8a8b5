// Turns the grey levels of a picture into ink dots: by a threshold at half of full scale, or by
// Floyd-Steinberg error diffusion, optionally as a negative.
#pragma once

#include "compiler/graph_encoder.h"
#include "compiler/picture_source.h"

namespace calvern {

struct InkOptions {
  bool negative = false;  // #LOADIMAGE option bit 0
  bool dither = false;    // option bit 1
};

// The picture as dots; the caller has checked that it fits a graph.
DotGrid InkDots(const GreyPicture& picture, InkOptions options);

}  // namespace calvern
