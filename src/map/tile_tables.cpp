#include "map/tile_tables.h"

#include <algorithm>
#include <iterator>

namespace quarl {

namespace {

// The switch animation the centre of the switch block shows; the object
// checks count cells holding it as switches.
constexpr int32_t kSwitchAnimation = 123;

constexpr int32_t kWallSets[wallSetCount][kWallSetPieces] = {
    {52, 12, 51, 11, 6, 7, 49, 47, 48, 46, 10, 8, 50, 9, 89},
    {658, 660, 537, 617, 659, 577, 538, 540, 618, 620, 539, 619, 578, 580, 579},
    {625, 627, 504, 584, 626, 544, 505, 507, 585, 587, 506, 586, 545, 547, 546},
    {2844, 2846, 2727, 2807, 2845, 2767, 2724, 2726, 2804, 2806, 2725, 2805, 2764, 2766, 2765},
    {261, 221, 262, 222, 217, 216, 258, 257, 256, 218, 259, 219, 220, 260, 177},
    {314, 274, 315, 275, 270, 269, 311, 310, 309, 271, 312, 272, 273, 313, 232},
    {394, 354, 395, 355, 350, 349, 391, 390, 389, 351, 392, 352, 353, 393, 396},
    {555, 515, 556, 516, 435, 434, 476, 475, 474, 436, 477, 437, 514, 554, 557},
    {17, 16, 18, 19, 14, 15, 54, 53, 56, 55, 60, 57, 59, 58, 20},
    {814, 816, 697, 777, 815, 737, 694, 696, 774, 776, 695, 775, 734, 736, 735},
    {818, 820, 701, 781, 819, 741, 698, 700, 778, 780, 699, 779, 738, 740, 739},
    {3163, 3164, 3084, 3124, 3161, 3083, 3040, 3042, 3120, 3122, 3041, 3121, 3080, 3082, 3081},
};

constexpr int32_t kConveyorAnims[kConveyorDirections][kConveyorPieces] = {
    {177, 181, 178, 182, 179, 180},
    {183, 187, 184, 188, 185, 186},
    {167, 168, 171, 172, 169, 170},
    {148, 149, 152, 153, 150, 151},
};

// Entry 4 of each team is that team's flag animation.
constexpr int32_t kFlagObjects[kFlagTeams][kObjectBlockCells] = {
    {66, 67, 68, 69, 28, 71, 72, 73, 74},
    {75, 76, 77, 78, 37, 80, 81, 82, 83},
    {84, 85, 86, 87, 46, 89, 90, 91, 92},
    {93, 94, 95, 96, 65, 98, 99, 100, 101},
    {102, 103, 104, 105, 140, 107, 108, 109, 110},
};

constexpr int32_t kSwitchObject[kObjectBlockCells] = {
    702, 703, 704, 742, kSwitchAnimation, 744, 782, 783, 784};

constexpr int32_t kHoldingPens[kHoldingPenKinds][kHoldingPenEntries] = {
    {320, 146, 186, 276, 316},
    {139, 141, 142, 143, 144},
};

constexpr int32_t kSpawnObjects[kSpawnRows][kSpawnEntries] = {
    {8, 10, 147, 9, 11},       {4, 6, 187, 5, 7},
    {50, 52, 277, 51, 53},     {54, 56, 317, 55, 57},
    {214, 215, 147, 217, 216}, {218, 219, 187, 221, 220},
    {222, 223, 277, 225, 224}, {226, 227, 317, 229, 228},
    {233, 232, 63, 231, 230},  {237, 236, 103, 235, 234},
    {241, 240, 192, 239, 238}, {245, 244, 233, 243, 242},
    {163, 0, 0, 0, 0},         {164, 0, 0, 0, 0},
    {165, 0, 0, 0, 0},         {166, 0, 0, 0, 0},
};

constexpr int32_t kBunkerTypes[bunkerTypeCount][kBunkerEntries] = {
    {301, 302, 303, 341, 381, 343, 383, 422, 423, 424, 382, 342, 384, 344,
     345, 385, 425, 346, 347, 426, 427, 308, 348, 388, 307, 306, 387, 386},
    {3085, 3086, 3087, 3125, 3165, 3127, 3167, 3206, 3207, 3208, 3166, 3126, 3168, 3128,
     3129, 3169, 3209, 3130, 3131, 3210, 3211, 3092, 3132, 3172, 3091, 3090, 3171, 3170},
    {686, 687, 688, 726, 766, 728, 768, 807, 808, 809, 767, 727, 769, 729,
     730, 770, 810, 731, 732, 811, 812, 693, 733, 773, 692, 691, 772, 771},
};

constexpr int32_t kBridgeTiles[kBridgeTileCount] = {
    164, 165, 88,  166, 167, 204, 205, 128, 206, 207, 244, 245, 168, 246, 247,
    284, 285, 286, 324, 325, 326, 124, 125, 126, 364, 365, 366, 404, 405, 406};

template <typename T, size_t N>
void CopyTable(const T (&from)[N], T (&to)[N]) {
  std::copy(std::begin(from), std::end(from), std::begin(to));
}

template <typename T, size_t N, size_t M>
void CopyTable(const T (&from)[N][M], T (&to)[N][M]) {
  for (size_t i = 0; i < N; ++i) CopyTable(from[i], to[i]);
}

}  // namespace

int32_t wallSets[wallSetCount][kWallSetPieces];
int32_t conveyorAnims[kConveyorDirections][kConveyorPieces];
int32_t flagObjects[kFlagTeams][kObjectBlockCells];
int32_t switchObject[kObjectBlockCells];
int32_t holdingPens[kHoldingPenKinds][kHoldingPenEntries];
int32_t spawnObjects[kSpawnRows][kSpawnEntries];
int32_t bunkerTypes[bunkerTypeCount][kBunkerEntries];
int32_t bridgeTiles[kBridgeTileCount];

bool InitTileTables() {
  CopyTable(kWallSets, wallSets);
  CopyTable(kConveyorAnims, conveyorAnims);
  CopyTable(kFlagObjects, flagObjects);
  CopyTable(kSwitchObject, switchObject);
  CopyTable(kHoldingPens, holdingPens);
  CopyTable(kSpawnObjects, spawnObjects);
  CopyTable(kBunkerTypes, bunkerTypes);  // entries 28 .. 32 stay 0
  CopyTable(kBridgeTiles, bridgeTiles);
  return true;
}

}  // namespace quarl
