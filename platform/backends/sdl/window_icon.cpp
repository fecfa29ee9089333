// SPDX-License-Identifier: MIT
// The window's icon, read from the 64-pixel desktop icon through libpng.
#include "platform/backends/sdl/window_icon.h"

#include <png.h>

#include <string>
#include <vector>

#include "platform/files/data_folder.h"

void SetGameIcon(SDL_Window* window) {
  const std::string exe = ExecutableFolder();
  if (exe.empty()) return;
  // The build's folder, then an installed tree's share/.
  for (const char* relative : {"/icons/64x64/twinworlds.png", "/../share/icons/hicolor/64x64/apps/twinworlds.png"}) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, (exe + relative).c_str())) continue;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (image.width > 1024 || image.height > 1024 ||
        !png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
      png_image_free(&image);
      continue;
    }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(rgba.data(), static_cast<int>(image.width),
                                                           static_cast<int>(image.height), 32,
                                                           static_cast<int>(image.width) * 4, SDL_PIXELFORMAT_RGBA32);
    if (icon) {
      SDL_SetWindowIcon(window, icon);
      SDL_FreeSurface(icon);
    }
    return;
  }
}
