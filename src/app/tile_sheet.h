#pragma once
// A first look at tiles.bmp before Windows loads it: a damaged or truncated
// file must not reach the system's bitmap loader, which reads wherever the
// header points.

#include <cstdint>
#include <span>
#include <string>

namespace quarl {

// Empty when bytes hold a whole uncompressed device-independent bitmap file
// (headers, colour table and every pixel row inside the data); otherwise
// what is wrong with it.
std::string TileSheetProblem(std::span<const uint8_t> bytes);

}  // namespace quarl
