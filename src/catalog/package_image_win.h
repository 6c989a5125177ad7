// Pictures decoded from package members with GDI+ (which the caller has
// started). The caller owns each bitmap, and frees it before GDI+ ends.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "catalog/gdiplus_ptr_win.h"
#include "catalog/package.h"

namespace tessaro {

// Null when the stream does not decode; a half-made bitmap is deleted.
GdiplusPtr<Gdiplus::Bitmap> ImageFromStream(IStream* stream);

// A picture file held in memory, decoded; null when it is empty or not a
// picture.
GdiplusPtr<Gdiplus::Bitmap> DecodeImageBytes(std::span<const uint8_t> bytes);

// A picture of the model package (file beside the executable, else resource
// 131), opened anew on each call; member_name is a model's "model_image".
GdiplusPtr<Gdiplus::Bitmap> LoadModelPicture(std::u16string_view member_name);

}  // namespace tessaro
