// Feeds arbitrary bytes to the anims.dat reader and checks what it builds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tools/animations_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quarl::AnimationList list;
  const size_t appended = quarl::ParseAnimations(data, size, list);
  const size_t records = (size + quarl::kAnimationRecordSize - 1) / quarl::kAnimationRecordSize;
  if (appended != records || list.Size() != records) std::abort();
  for (size_t id = 0; id < list.Size(); ++id) {
    const quarl::Animation* animation = list.FindAnimation(static_cast<int64_t>(id));
    if (!animation || animation->id != id) std::abort();
    if (animation->frameCount > quarl::kMaxAnimationFrames) std::abort();
    if (animation->frames.size() != animation->frameCount) std::abort();
    if (animation->frameCount > data[id * quarl::kAnimationRecordSize]) std::abort();
    for (int32_t frame : animation->frames)
      if (frame < 1 || frame > 0x7FFF) std::abort();
  }
  if (list.FindAnimation(static_cast<int64_t>(list.Size()))) std::abort();
  return 0;
}
