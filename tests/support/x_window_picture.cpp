// Writes what the first window of the given name shows on the virtual X
// server as a binary PPM, for tests that look at the window itself rather
// than at the game's picture.
//   twinworlds_xpicture NAME FILE
#include <cstdio>
#include <vector>

#include "support/x_find_window.h"

namespace {

// A channel of a TrueColor pixel, as 0 to 255.
unsigned long Channel(unsigned long pixel, unsigned long mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) shift++;
  const unsigned long top = mask >> shift;
  return ((pixel & mask) >> shift) * 255 / top;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const Window window = FindWindowNamed(display, DefaultRootWindow(display), argv[1]);
  XWindowAttributes attributes{};
  if (!window || !XGetWindowAttributes(display, window, &attributes)) {
    std::fprintf(stderr, "no window named %s\n", argv[1]);
    return 1;
  }
  XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) return 1;
  std::vector<unsigned char> rgb;
  for (int y = 0; y < attributes.height; y++)
    for (int x = 0; x < attributes.width; x++) {
      const unsigned long p = XGetPixel(image, x, y);
      rgb.push_back(static_cast<unsigned char>(Channel(p, image->red_mask)));
      rgb.push_back(static_cast<unsigned char>(Channel(p, image->green_mask)));
      rgb.push_back(static_cast<unsigned char>(Channel(p, image->blue_mask)));
    }
  XDestroyImage(image);
  XCloseDisplay(display);
  FILE* out = std::fopen(argv[2], "wb");
  if (!out) return 1;
  std::fprintf(out, "P6\n%d %d\n255\n", attributes.width, attributes.height);
  std::fwrite(rgb.data(), 1, rgb.size(), out);
  return std::fclose(out) == 0 ? 0 : 1;
}
