#include "ui/skin.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "catalog/json_values.h"
#include "catalog/utf.h"
#include "vxlib.h"

namespace tessaro {
namespace {

std::u16string& UpdateUrlValue() {
  static std::u16string url;
  return url;
}

std::optional<int32_t> FromDouble(double value) {
  // Beyond 64 bits the low 32 bits mean nothing; treat it as unreadable.
  if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) return std::nullopt;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(value)));
}

std::optional<int32_t> FromHexText(const std::string& utf8) {
  std::u16string text = Utf8ToUtf16(utf8);
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  std::u16string digits;
  for (size_t i = start; i < text.size(); ++i) {
    if (text[i] == u'0' && i + 1 < text.size() && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
      ++i;
      continue;
    }
    digits.push_back(text[i]);
  }
  return VX_MISC_Hex2Dec(digits.c_str());
}

std::u16string PictureName(const char* pattern, int d) {
  char name[32];
  std::snprintf(name, sizeof name, pattern, d);
  return Utf8ToUtf16(name);
}

// Pictures 1 to count of a fixed-name row, the normal and the highlight
// variant of one d loaded together.
void LoadPicturePairs(SkinSource& source, const char* normal, const char* highlight, int count,
                      std::array<PanelImagePtr, 10>& normals, std::array<PanelImagePtr, 10>& highlights) {
  for (int d = 1; d <= count; ++d) {
    normals[d - 1] = source.LoadPicture(PictureName(normal, d));
    highlights[d - 1] = source.LoadPicture(PictureName(highlight, d));
  }
}

void LoadFixedPictures(SkinSource& source, SkinPictures& pictures) {
  LoadPicturePairs(source, "image/num%d.png", "image/num%dr.png", 10, pictures.num, pictures.num_highlight);
  for (int d = 1; d <= 2; ++d) pictures.battery[d - 1] = source.LoadPicture(PictureName("image/battery%d.png", d));
  LoadPicturePairs(source, "image/tiltl%d.png", "image/tiltl%dr.png", 5, pictures.tilt_left,
                   pictures.tilt_left_highlight);
  LoadPicturePairs(source, "image/tiltr%d.png", "image/tiltr%dr.png", 5, pictures.tilt_right,
                   pictures.tilt_right_highlight);
  LoadPicturePairs(source, "image/dir%d.png", "image/dirR%d.png", 10, pictures.dir, pictures.dir_highlight);
}

// A picture named by a text member; another type keeps the default.
void ReadPicture(SkinSource& source, const nlohmann::json& doc, const char* key, PanelImagePtr& slot) {
  const auto it = doc.find(key);
  if (it != doc.end() && it->is_string()) slot = source.LoadPicture(ReadJsonText(doc, key));
}

void ReadHexInto(const nlohmann::json& object, const char* key, int32_t& field) {
  if (const auto value = ReadJsonHex(object, key)) field = *value;
}

void ReadColorInto(const nlohmann::json& object, const char* key, uint32_t& field) {
  if (const auto value = ReadJsonHex(object, key)) field = static_cast<uint32_t>(*value);
}

// Colour members a style reads.
enum StyleMember : unsigned {
  kText = 1,
  kTextBg = 2,
  kForeground = 4,
  kBorder = 8,
  kBackground = 16,  // both background colours
};

struct StyleEntry {
  const char* key;
  WidgetStyle SkinPanel::*style;
  unsigned members;
};

constexpr StyleEntry kStyles[] = {
    {"dialog_style", &SkinPanel::panel_style, kText | kTextBg | kForeground | kBorder | kBackground},
    {"caption_style", &SkinPanel::caption_style, kText | kTextBg | kForeground | kBackground},
    {"status_style", &SkinPanel::status_style, kText | kTextBg | kForeground | kBackground},
    {"menu_style", &SkinPanel::menu_style, kText | kForeground | kBorder | kBackground},
    {"button_style", &SkinPanel::button_style, kText | kForeground | kBorder | kBackground},
    {"button_hover_style", &SkinPanel::button_hover_style, kText | kForeground | kBorder | kBackground},
    {"text_style", &SkinPanel::text_style, kText | kForeground | kBackground},
};

// A present style object sets every colour it reads; a colour it lacks
// becomes 0. A style that is not an object is ignored.
bool ReadStyle(const nlohmann::json& doc, const StyleEntry& entry, SkinPanel& panel) {
  const auto it = doc.find(entry.key);
  if (it == doc.end() || !it->is_object()) return false;
  const nlohmann::json& object = *it;
  WidgetStyle& style = panel.*entry.style;
  if (entry.members & kText) ReadColorInto(object, "text_color", style.text);
  if (entry.members & kTextBg) ReadColorInto(object, "text_bg_color", style.text_bg);
  if (entry.members & kForeground) ReadColorInto(object, "foreground_color", style.glyph);
  if (entry.members & kBorder) ReadColorInto(object, "border_color", style.outline);
  if (entry.members & kBackground) {
    ReadColorInto(object, "background_color1", style.fill);
    ReadColorInto(object, "background_color2", style.fill2);
  }
  return true;
}

// Without a status style the bottom bar is a dark, half-transparent shade
// of the body colour.
void DeriveStatusStyle(SkinPanel& panel) {
  const uint32_t fill = panel.panel_style.fill;
  const uint32_t shade =
      0x80000000u | (((fill >> 16) & 0xFF) / 4) << 16 | (((fill >> 8) & 0xFF) / 4) << 8 | (fill & 0xFF) / 4;
  panel.status_style.text = panel.panel_style.text;
  panel.status_style.glyph = shade;
  panel.status_style.fill = shade;
  panel.status_style.fill2 = shade;
}

void ApplySkinDocument(SkinSource& source, const nlohmann::json& doc, SkinPanel& panel) {
  UpdateUrlValue() = ReadJsonText(doc, "update_url");

  const auto logo = doc.find("logo_image");
  if (logo != doc.end() && logo->is_string()) {
    panel.logo = source.LoadPicture(ReadJsonText(doc, "logo_image"));
    if (doc.contains("logo_x")) ReadHexInto(doc, "logo_x", panel.logo_x);
    if (doc.contains("logo_y")) ReadHexInto(doc, "logo_y", panel.logo_y);
  }
  ReadPicture(source, doc, "blank_image", panel.pictures.blank);
  ReadPicture(source, doc, "uncheck_image", panel.check_unchecked);
  ReadPicture(source, doc, "checked_image", panel.check_checked);
  ReadPicture(source, doc, "patten_image", panel.texture);

  // Battery colours are taken from texts only.
  for (const auto& [key, field] : {std::pair{"battery_color", &panel.pictures.battery_color},
                                   std::pair{"battery_empty_color", &panel.pictures.battery_empty_color}}) {
    const auto it = doc.find(key);
    if (it != doc.end() && it->is_string()) ReadColorInto(doc, key, *field);
  }

  // The styles belong to skins that name a caption icon. "skin_name" names
  // the skin for people only and is not read.
  const auto icon = doc.find("caption_icon");
  if (icon != doc.end() && icon->is_string()) {
    panel.caption_icon = source.LoadPicture(ReadJsonText(doc, "caption_icon"));
    for (const StyleEntry& entry : kStyles) ReadStyle(doc, entry, panel);
  }

  const auto status = doc.find("status_style");
  if (status == doc.end() || !status->is_object()) DeriveStatusStyle(panel);
}

}  // namespace

std::optional<int32_t> ReadJsonHex(const nlohmann::json& object, std::string_view key) {
  const auto it = object.find(key);
  if (it == object.end() || it->is_null()) return 0;
  if (it->is_number_unsigned()) return static_cast<int32_t>(static_cast<uint32_t>(it->get<uint64_t>()));
  if (it->is_number_integer()) return static_cast<int32_t>(static_cast<uint32_t>(it->get<int64_t>()));
  if (it->is_number_float()) return FromDouble(it->get<double>());
  if (it->is_string()) return FromHexText(it->get<std::string>());
  return std::nullopt;
}

void ApplySkin(SkinSource& source, SkinPanel& panel) {
  LoadFixedPictures(source, panel.pictures);
  std::vector<uint8_t> bytes = source.ReadMember(u"skin.json");
  if (bytes.empty()) return;
  // The document ends at its first zero byte.
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  text = text.substr(0, text.find('\0'));
  nlohmann::json doc;
  if (!ParseJsonDocument(text, doc) || !doc.is_object()) doc = nlohmann::json::object();
  ApplySkinDocument(source, doc, panel);
}

const std::u16string& UpdateUrl() { return UpdateUrlValue(); }

}  // namespace tessaro
