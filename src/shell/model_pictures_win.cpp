#include "shell/model_pictures_win.h"

#include <cstring>
#include <string>

#include "catalog/model_catalogue.h"
#include "catalog/package_image_win.h"
#include "catalog/utf.h"

namespace tessaro {

Gdiplus::Image* ModelPictures::Get(int32_t index) {
  const auto [slot, added] = pictures_.try_emplace(index);
  if (added) {
    const MODEL_DEF model = Models().GetModel(index);
    const std::string name(model.model_image, strnlen(model.model_image, kModelImageBytes));
    // An empty name would match any member.
    if (!name.empty()) slot->second = LoadModelPicture(Utf8ToUtf16(name));
  }
  return slot->second.get();
}

}  // namespace tessaro
