// vantrel-test-shot WINDOW OUT.png: saves what a window shows on the X display as a PNG
// (for people to look at after an end-to-end run). WINDOW is an id such as 0x1a00004.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vantrel-test-shot WINDOW OUT.png\n");
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "vantrel-test-shot: cannot open the display\n");
    return 1;
  }
  Window w = Window(std::strtoul(argv[1], nullptr, 0));
  XWindowAttributes attrs;
  if (!XGetWindowAttributes(dpy, w, &attrs) || attrs.map_state != IsViewable) {
    std::fprintf(stderr, "vantrel-test-shot: window %s is not shown\n", argv[1]);
    return 1;
  }
  XImage* img = XGetImage(dpy, w, 0, 0, unsigned(attrs.width), unsigned(attrs.height), AllPlanes, ZPixmap);
  if (!img) {
    std::fprintf(stderr, "vantrel-test-shot: cannot read the window's image\n");
    return 1;
  }
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, attrs.width, attrs.height);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  auto shift = [](unsigned long mask) {
    int n = 0;
    while (mask && !(mask & 1)) mask >>= 1, ++n;
    return n;
  };
  int rs = shift(img->red_mask), gs = shift(img->green_mask), bs = shift(img->blue_mask);
  auto scale = [](unsigned long v, unsigned long max) { return max ? unsigned(v * 255 / max) : 0u; };
  for (int y = 0; y < attrs.height; ++y) {
    auto* row = reinterpret_cast<unsigned*>(data + y * stride);
    for (int x = 0; x < attrs.width; ++x) {
      unsigned long p = XGetPixel(img, x, y);
      unsigned r = scale((p & img->red_mask) >> rs, img->red_mask >> rs);
      unsigned g = scale((p & img->green_mask) >> gs, img->green_mask >> gs);
      unsigned b = scale((p & img->blue_mask) >> bs, img->blue_mask >> bs);
      row[x] = (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(s);
  cairo_status_t status = cairo_surface_write_to_png(s, argv[2]);
  cairo_surface_destroy(s);
  XDestroyImage(img);
  XCloseDisplay(dpy);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "vantrel-test-shot: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
