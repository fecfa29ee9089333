// The bitmap reader (plain, top-down, OS/2 and RLE8) on any bytes.
#include "fuzz_file.h"
#include "platform/win32/gdi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FuzzFile(data, size);
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap) {
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 || info.bmHeight <= 0) std::abort();
    DeleteObject(bitmap);
  }
  return 0;
}
