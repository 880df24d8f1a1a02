#include "SVFramework/Utilities/Graphics/Bitmap.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

#include "Platform/Gui/ImageDecoder.h"
#include "Platform/Resources/QtResourceSource.h"
#include "SVFramework/Utilities/Graphics/BitmapData.h"

namespace SV {
namespace {

constexpr char16_t kResourcePrefix[] = u"::";

// Lives until the process ends, so that bitmaps still held at exit can leave it.
std::map<String, RCPtr<LBitmap>>& NamedBitmaps() {
  static auto* const cache = new std::map<String, RCPtr<LBitmap>>;
  return *cache;
}

LBitmap::ResourceReader& CurrentResourceReader() {
  static auto* const reader = new LBitmap::ResourceReader;
  return *reader;
}

// Area arithmetic on untrusted sizes: a sum beyond the 32-bit range stays at its end.
int32_t AddClamped(int32_t a, int32_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

float ByteOf(uint32_t argb, int shift) { return static_cast<float>((argb >> shift) & 0xFF) / 255.0f; }

bool IsResourceName(const String& name) { return name.View().starts_with(kResourcePrefix); }

std::string Utf8(const String& text) { return std::string(text.ToUTF8().GetString()); }

// "::combo btn.png" names the resource "COMBO_BTN_PNG".
std::string ResourceNameOf(const String& name) {
  String resource = name.Mid(2).ToUpper();
  resource.ReplaceAny(u". ", u'_');
  return Utf8(resource);
}

bool ReadResource(const std::string& name, std::string& bytes) {
  const LBitmap::ResourceReader& reader = CurrentResourceReader();
  return reader ? reader(name, bytes) : ::Platform::Resources::QtResourceSource().Read("GDIPLUS", name, bytes);
}

std::unique_ptr<BitmapPixels> PixelsOf(const ::Platform::Gui::DecodedImage& image) {
  std::unique_ptr<BitmapPixels> pixels = BitmapPixels::Create(image.width, image.height);
  if (pixels) std::copy(image.pixels.begin(), image.pixels.end(), pixels->GetPixelAddress(0, 0));
  return pixels;
}

std::unique_ptr<BitmapPixels> Load(const String& name) {
  ::Platform::Gui::DecodedImage image;
  if (IsResourceName(name)) {
    std::string bytes;
    if (!ReadResource(ResourceNameOf(name), bytes) || bytes.empty()) return nullptr;
    if (!::Platform::Gui::DecodeImageBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image)) {
      return nullptr;
    }
  } else if (!::Platform::Gui::DecodeImageFile(Utf8(name), image)) {
    return nullptr;
  }
  return PixelsOf(image);
}

// File keys are canonical paths (symbolic links, "." and ".." resolved), case kept;
// a path that cannot be resolved is its own key (it cannot be loaded either).
String KeyOf(const String& name) {
  if (IsResourceName(name)) return name.ToUpper();
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::canonical(std::filesystem::path(Utf8(name)), error);
  return error ? name : String(canonical.string().c_str());
}

}  // namespace

LBitmap::LBitmap(const String& name, const String& key) : mName(name), mKey(key) { TakePixels(Load(name)); }

LBitmap::LBitmap(std::unique_ptr<BitmapPixels> pixels) { TakePixels(std::move(pixels)); }

void LBitmap::TakePixels(std::unique_ptr<BitmapPixels> pixels) {
  mPixels = std::move(pixels);
  mX = mY = 0;
  mWidth = mPixels ? mPixels->GetWidth() : 0;
  mHeight = mPixels ? mPixels->GetHeight() : 0;
}

RCPtr<LBitmap> LBitmap::GetNamedBitmap(const String& name) {
  const String key = KeyOf(name);
  auto& cache = NamedBitmaps();
  const auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  RCPtr<LBitmap> bitmap(new LBitmap(name, key));
  if (!bitmap->HasPixels()) return nullptr;
  cache.emplace(key, bitmap);
  bitmap->AddInternalReferences(1);
  return bitmap;
}

uint32_t LBitmap::GetNamedBitmapCount() { return static_cast<uint32_t>(NamedBitmaps().size()); }

void LBitmap::SetResourceReader(ResourceReader reader) { CurrentResourceReader() = std::move(reader); }

SVRESULT LBitmap::ReleaseInternalReferences() {
  if (!mName.IsEmpty()) {
    mName.Empty();
    auto& cache = NamedBitmaps();
    const auto found = cache.find(mKey);
    if (found != cache.end() && found->second.Get() == this) {
      AddInternalReferences(-1);
      cache.erase(found);
    }
  }
  return GetInternalRefCount() == 0 && GetRefCount() == 1 ? S_OK : E_FAIL;
}

RCPtr<LBitmap> LBitmap::CreateSubBitmap(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) {
    x = 0;
    y = 0;
    width = mWidth;
    height = mHeight;
  }
  RCPtr<LBitmap> view(new LBitmap);
  view->mX = AddClamped(mX, x);
  view->mY = AddClamped(mY, y);
  view->mWidth = width;
  view->mHeight = height;
  view->mParent = mParent ? mParent : RCPtr<LBitmap>(this);
  return view;
}

RCPtr<LBitmap> LBitmap::Clone() const {
  BitmapPixels* const pixels = GetNativeBitmap();
  return RCPtr<LBitmap>(new LBitmap(pixels ? pixels->CloneArea(mX, mY, mWidth, mHeight) : nullptr));
}

BitmapPixels* LBitmap::GetNativeBitmap() const {
  if (mPixels) return mPixels.get();
  return mParent ? mParent->GetNativeBitmap() : nullptr;
}

Color LBitmap::GetPixelColor(int32_t x, int32_t y) const {
  BitmapPixels* const pixels = GetNativeBitmap();
  uint32_t argb = 0;
  if (pixels == nullptr || !pixels->GetPixel(AddClamped(mX, x), AddClamped(mY, y), argb)) return Color{};
  return Color{ByteOf(argb, 16), ByteOf(argb, 8), ByteOf(argb, 0), ByteOf(argb, 24)};
}

RCPtr<LBitmapData> LBitmap::GetPixelData() {
  if (mParent) return mParent->GetPixelData();
  return RCPtr<LBitmapData>(new LBitmapData(RCPtr<LBitmap>(this), LBitmapData::LockMode::ReadOnly));
}

}  // namespace SV
