// Screenshots and map pictures as PNG, through libpng.
#include <png.h>

#include <cstdio>
#include <string>

#include "platform/backend.h"
#include "platform/files/whole_file.h"

bool WritePng(const std::string& path, const uint8_t* rgb, int width, int height, std::string* error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  // Into memory first, then whole into the file: never half a picture.
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb, 0, nullptr)) {
    *error = "PNG writing failed";
    return false;
  }
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb, 0, nullptr)) {
    *error = "PNG writing failed";
    return false;
  }
  bytes.resize(size);
  if (!WriteFileAtomically(path, bytes)) {
    *error = "cannot be written";
    return false;
  }
  return true;
}
