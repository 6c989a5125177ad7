// Every picture the catalogues hand to the window decodes with GDI+: the
// function icons (through the catalogue's own icon cache) and the model
// pictures, all from the packages embedded in this program.
#include <gtest/gtest.h>

#include <string>

#include "catalog/function_catalogue.h"
#include "catalog/function_image_cache.h"
#include "catalog/model_catalogue.h"
#include "catalog/package.h"
#include "catalog/package_image_win.h"
#include "catalog/utf.h"
#include "ui/gdi_raii_win.h"

namespace {

// No package file beside the "executable": the embedded copies are used.
void UseEmbeddedPackages() { tessaro::SetAppFolderFromModuleName(u"C:\\tessaro-no-such-folder\\Tessaro.exe"); }

bool HasSize(const void* image) {
  const auto* picture = static_cast<const Gdiplus::Image*>(image);
  return picture && const_cast<Gdiplus::Image*>(picture)->GetWidth() > 0 &&
         const_cast<Gdiplus::Image*>(picture)->GetHeight() > 0;
}

// The function catalogue for the life of the object: its icons go before
// the GDI+ session does.
struct LoadedFunctionCatalogue {
  LoadedFunctionCatalogue() { tessaro::LoadFunctionCatalogue(); }
  ~LoadedFunctionCatalogue() { tessaro::UnloadFunctionCatalogue(); }
};

TEST(CatalogPictures, EveryFunctionIconDecodes) {
  tessaro::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus);
  UseEmbeddedPackages();
  const LoadedFunctionCatalogue loaded;
  const auto catalogue = tessaro::FunctionCatalogueSnapshot();
  ASSERT_FALSE(catalogue->function_rows.empty());
  for (const tessaro::RowArray* rows : {&catalogue->function_rows, &catalogue->hid_function_rows}) {
    for (const auto& row : *rows) {
      if (row.kind == tessaro::kRowSeparator) continue;
      EXPECT_TRUE(HasSize(tessaro::RowPicture(row))) << tessaro::Utf16ToUtf8(row.name);
    }
  }
  // The tray menu's icons come from icon-only elements.
  for (const char16_t* icon : {u"setting.png", u"quit.png"})
    EXPECT_TRUE(HasSize(tessaro::FunctionImages().Picture(tessaro::FunctionImages().Find(icon))))
        << tessaro::Utf16ToUtf8(icon);
}

TEST(CatalogPictures, EveryModelPictureDecodes) {
  tessaro::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus);
  UseEmbeddedPackages();
  tessaro::ModelItem catalogue;
  catalogue.Load(*tessaro::OpenPackage(u"model.pkg", tessaro::kModelResourceId));
  ASSERT_FALSE(catalogue.models.empty());
  for (const auto& model : catalogue.models) {
    const auto picture = tessaro::LoadModelPicture(tessaro::Utf8ToUtf16(model.model_image));
    EXPECT_TRUE(picture && HasSize(picture.get())) << model.model_image;
  }
}

}  // namespace
